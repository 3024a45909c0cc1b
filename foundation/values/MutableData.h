// The mutable byte buffers: `MutableData`, a heap block that grows in powers
// of two from 16 and shrinks below half its capacity, and `FixedMutableData`,
// whose bytes (fewer than 65536) live in its own 16-byte aligned block.
//
// Neither takes a lock; one thread writes at a time. `Copy` is an immutable
// `Data` snapshot.
#pragma once

#include <cstdint>

#include "foundation/objects/IKNType.h"
#include "foundation/values/DataOps.h"
#include "foundation/values/IKNData.h"

namespace knfoundation {
namespace data {

class MutableData final : public impl::KNDataOpsT<IKNMutableData> {
 public:
  // Owned, empty, without a block.
  MutableData() = default;

  int32_t RetainCount() override;
  IKNType* Retain() override;
  void Release() override;
  IKNData* Copy() override;
  const uint8_t* Bytes() override;
  int32_t Length() override;
  uint8_t* MutableBytes() override;
  // "newLength < 0". Above the capacity or below half of it the block is
  // reallocated to 16 doubled until it holds `newLength`; gained bytes are 0.
  IKNMutableData* SetLength(int32_t newLength) override;

  int32_t Capacity() const { return capacity_; }

 private:
  ~MutableData();

  util::KNDirectCount count_;
  int32_t length_ = 0;
  int32_t capacity_ = 0;
  uint8_t* bytes_ = nullptr;
};

class FixedMutableData final : public impl::KNDataOpsT<IKNMutableData> {
 public:
  static constexpr int32_t kMaxCapacity = 65535;
  // Owned buffer of `capacity` zero bytes (0 to 65535, checked by the caller).
  static FixedMutableData* Create(int32_t capacity);

  int32_t RetainCount() override;
  IKNType* Retain() override;
  // At zero the block goes back to the aligned allocator.
  void Release() override;
  IKNData* Copy() override;
  const uint8_t* Bytes() override;
  int32_t Length() override;
  uint8_t* MutableBytes() override;
  // 0 to the capacity, else `KNOutOfRange` against [0:capacity + 1]; bytes
  // gained read as zero.
  IKNMutableData* SetLength(int32_t newLength) override;

  int32_t Capacity() const { return capacity_; }

 private:
  explicit FixedMutableData(uint16_t capacity) : capacity_(capacity), length_(capacity) {}
  ~FixedMutableData() = default;
  uint8_t* Storage();

  util::KNDirectCount count_;
  uint16_t capacity_;
  uint16_t length_;
};

}  // namespace data
}  // namespace knfoundation
