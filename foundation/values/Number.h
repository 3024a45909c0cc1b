// The number classes: `Int` (a signed 64-bit value; -1 to 9 as eleven static
// instances whose count 0 makes them immortal) and `Double`.
//
// Immutable; any thread may use them.
#pragma once

#include <cstdint>

#include "foundation/values/IKNNumber.h"

namespace knfoundation {
namespace data {

class Int final : public IKNNumber {
 public:
  // The smallest and largest values with a static instance.
  static constexpr int64_t kFirstStatic = -1;
  static constexpr int64_t kLastStatic = 9;

  // `count` 1 for a heap object, 0 for an immortal static one.
  Int(int64_t value, int32_t count) : count_(count), value_(value) {}
  // The static instance for kFirstStatic..kLastStatic, lent.
  static Int* Static(int64_t value);

  // Immortal instances report 2147483647; Retain/Release/AutoRelease are then
  // inert.
  int32_t RetainCount() override;
  IKNType* Retain() override;
  void Release() override;
  IKNType* AutoRelease() override;
  bool IsEqual(IKNType* other) override;
  // The low 32 bits of the magnitude.
  uint32_t Hash() override;
  // "%lld", autoreleased.
  IKNString* Description() override;
  int32_t IntValue() override;
  int64_t LongValue() override;
  double DoubleValue() override;
  bool IsFloat() override;
  bool IsWide() override;

 private:
  ~Int() = default;

  int32_t count_;
  int64_t value_;
};

class Double final : public IKNNumber {
 public:
  // Owned; never made for 0.0 or -0.0 (the factory gives the static zero).
  explicit Double(double value) : value_(value) {}

  int32_t RetainCount() override;
  IKNType* Retain() override;
  void Release() override;
  bool IsEqual(IKNType* other) override;
  // Agrees with `Int` for every integral value it is equal to; see the
  // implementation for the rule.
  uint32_t Hash() override;
  // "%e", autoreleased.
  IKNString* Description() override;
  int32_t IntValue() override;
  int64_t LongValue() override;
  double DoubleValue() override;
  bool IsFloat() override;
  bool IsWide() override;

 private:
  ~Double() = default;

  util::KNDirectCount count_;
  double value_;
};

// Numeric equality of both classes: identity, then an `IKNNumber` that is
// equal as doubles when either side is floating (NaN equals NaN), else as
// 64-bit integers.
bool KNNumberIsEqual(IKNNumber* self, IKNType* other);
// The hash of a double value, as `Double::Hash`.
uint32_t KNDoubleHash(double value);

}  // namespace data
}  // namespace knfoundation
