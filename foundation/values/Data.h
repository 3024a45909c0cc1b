// The immutable byte buffers: `Data`, whose bytes live in its own 16-byte
// aligned block, and `DataWrapper`, a view over bytes allocated elsewhere that
// it frees through their allocator.
//
// Both never change and are their own `Copy`; any thread may read them.
#pragma once

#include <cstdint>

#include "foundation/objects/IKNType.h"
#include "foundation/values/DataOps.h"
#include "foundation/values/IKNData.h"

namespace knfoundation {
namespace base {
class IKNAllocator;
}

namespace data {

class Data final : public impl::KNDataOpsT<IKNData> {
 public:
  // Owned buffer with a copy of `length` bytes (checked by the caller).
  static Data* Create(const void* bytes, int32_t length);

  int32_t RetainCount() override;
  IKNType* Retain() override;
  // At zero the block goes back to the aligned allocator.
  void Release() override;
  IKNData* Copy() override;
  const uint8_t* Bytes() override;
  int32_t Length() override;

 private:
  explicit Data(int32_t length) : length_(length) {}
  ~Data() = default;
  uint8_t* Storage();

  util::KNDirectCount count_;
  int32_t length_;
};

class DataWrapper final : public impl::KNDataOpsT<IKNData> {
 public:
  // Takes `bytes` over; retains `allocator` (checked by the caller).
  DataWrapper(void* bytes, int32_t length, base::IKNAllocator* allocator);

  int32_t RetainCount() override;
  IKNType* Retain() override;
  // At zero frees the bytes with the allocator, then releases it.
  void Release() override;
  IKNData* Copy() override;
  const uint8_t* Bytes() override;
  int32_t Length() override;

 private:
  ~DataWrapper();

  util::KNDirectCount count_;
  base::IKNAllocator* allocator_;
  int32_t length_;
  uint8_t* bytes_;
};

}  // namespace data
}  // namespace knfoundation
