// Numbers as foundation objects: the interface shared by `Int` (64-bit
// integers) and `Double`, and their factories.
//
// Numbers never change and may be shared between threads. Both classes
// compare numerically with each other (5 equals 5.0, NaN equals NaN) and hash
// alike when equal, so they mix freely as map keys. `Int` values -1 to 9 are
// static immortal instances.
#pragma once

#include <cstdint>

#include "foundation/objects/IKNType.h"

namespace knfoundation {
namespace data {

class IKNNumber : public IKNType {
 public:
  // The low 32 bits (of the value truncated toward zero for a `Double`).
  virtual int32_t IntValue() = 0;
  // The value (truncated toward zero for a `Double`).
  virtual int64_t LongValue() = 0;
  virtual double DoubleValue() = 0;
  // True for a `Double`.
  virtual bool IsFloat() = 0;
  // True for a `Double`, and for an `Int` outside the signed 32-bit range.
  virtual bool IsWide() = 0;
};

// For -1 to 9 the static instance; otherwise a new `Int`, owned.
IKNNumber* KNNewInt(int64_t value);
// As `KNNewInt`, autoreleased (a no-op for the static instances).
IKNNumber* KNIntWithValue(int64_t value);
// For 0.0 and -0.0 the static `Int` zero; otherwise a new `Double`, owned.
IKNNumber* KNNewDouble(double value);
// As `KNNewDouble`, autoreleased.
IKNNumber* KNDoubleWithValue(double value);

}  // namespace data
}  // namespace knfoundation
