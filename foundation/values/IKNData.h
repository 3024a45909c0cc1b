// Byte buffers as foundation objects: the read-only `IKNData`, the writable
// and resizable `IKNMutableData`, and their factories.
//
// All buffers compare equal when they hold the same bytes, whatever their
// class, and hash the first 16 bytes. Buffers take no lock; immutable ones may
// be read from several threads.
#pragma once

#include <cstdint>

#include "foundation/objects/IKNType.h"

namespace knfoundation {
namespace base {
class IKNAllocator;
}

namespace data {

class IKNData : public util::IKNCloning {
 public:
  // Owned immutable buffer with the same bytes (immutable ones: themselves).
  IKNData* Copy() override = 0;
  // The first byte; valid until the next `SetLength` or the buffer's end.
  virtual const uint8_t* Bytes() = 0;
  virtual int32_t Length() = 0;
};

class IKNMutableData : public IKNData {
 public:
  // Writable view of the same bytes as `Bytes`.
  virtual uint8_t* MutableBytes() = 0;
  // Changes the length; bytes gained read as zero. Returns this buffer.
  virtual IKNMutableData* SetLength(int32_t newLength) = 0;
};

// Owned `Data` holding a copy of `length` bytes (bytes on a 16-byte boundary).
// "length < 0"; null bytes with length >= 1: `KNNullPtr`.
IKNData* KNNewData(const void* bytes, int32_t length);

// Owned `DataWrapper` that takes `bytes` over and frees them with `allocator`
// (retained) when it dies. Checks as `KNNewData`, and a null allocator is
// `KNNullPtr`; on a failed check nothing is taken over.
IKNData* KNNewDataWrapper(void* bytes, int32_t length, base::IKNAllocator* allocator);
// As `KNNewDataWrapper`, autoreleased.
IKNData* KNDataWrapperWithBytes(void* bytes, int32_t length, base::IKNAllocator* allocator);

// Owned mutable buffer of `length` zero bytes: a `FixedMutableData` of that
// capacity below 65536 bytes, a growable `MutableData` from 65536 on.
// "length < 0".
IKNMutableData* KNNewMutableData(int32_t length);
// As `KNNewMutableData`, autoreleased.
IKNMutableData* KNMutableDataWithLength(int32_t length);

}  // namespace data
}  // namespace knfoundation
