// The mutable byte buffers and the factory that picks one by size.
#include "foundation/values/MutableData.h"

#include <cstring>
#include <new>

#include "foundation/objects/IKNAllocator.h"
#include "foundation/objects/KNException.h"
#include "foundation/objects/KNHeap.h"
#include "foundation/values/Data.h"

namespace knfoundation {
namespace data {

namespace {
// Lengths from here on get a growable `MutableData`.
constexpr int32_t kGrowableFrom = 65536;
// The bytes of a `FixedMutableData` follow its fields at a 16-byte boundary.
constexpr size_t kFixedBytesOffset = (sizeof(FixedMutableData) + 15) / 16 * 16;
// The first capacity of a `MutableData` block.
constexpr int64_t kFirstCapacity = 16;
constexpr int64_t kLargestCapacity = 0x7FFFFFFF;
}  // namespace

// MutableData

MutableData::~MutableData() {
  impl::KNHeapFree(bytes_);
}

int32_t MutableData::RetainCount() {
  return count_.Get();
}

IKNType* MutableData::Retain() {
  count_.Increment();
  return this;
}

void MutableData::Release() {
  if (count_.Decrement())
    delete this;
}

IKNData* MutableData::Copy() {
  return Data::Create(bytes_, length_);
}

const uint8_t* MutableData::Bytes() {
  return bytes_;
}

int32_t MutableData::Length() {
  return length_;
}

uint8_t* MutableData::MutableBytes() {
  return bytes_;
}

IKNMutableData* MutableData::SetLength(int32_t newLength) {
  if (newLength < 0)
    base::KNRaiseIllegalArgument("newLength < 0");
  if (newLength == length_)
    return this;
  if (newLength > capacity_ || newLength < (capacity_ >> 1)) {
    int64_t capacity = kFirstCapacity;
    while (capacity < newLength)
      capacity <<= 1;
    if (capacity > kLargestCapacity)
      capacity = kLargestCapacity;
    if (capacity != capacity_) {
      bytes_ = static_cast<uint8_t*>(impl::KNHeapReallocate(bytes_, static_cast<size_t>(capacity)));
      capacity_ = static_cast<int32_t>(capacity);
    }
  }
  // Gained bytes are always cleared, also those of a reallocated block, so
  // that no stale heap content is ever readable through the buffer.
  if (newLength > length_)
    std::memset(bytes_ + length_, 0, newLength - length_);
  length_ = newLength;
  return this;
}

// FixedMutableData

FixedMutableData* FixedMutableData::Create(int32_t capacity) {
  void* block = base::WinSIMDAllocator()->Allocate(kFixedBytesOffset + capacity);
  return new (block) FixedMutableData(static_cast<uint16_t>(capacity));
}

uint8_t* FixedMutableData::Storage() {
  return reinterpret_cast<uint8_t*>(this) + kFixedBytesOffset;
}

int32_t FixedMutableData::RetainCount() {
  return count_.Get();
}

IKNType* FixedMutableData::Retain() {
  count_.Increment();
  return this;
}

void FixedMutableData::Release() {
  if (!count_.Decrement())
    return;
  this->~FixedMutableData();
  base::WinSIMDAllocator()->Free(this);
}

IKNData* FixedMutableData::Copy() {
  return Data::Create(Storage(), length_);
}

const uint8_t* FixedMutableData::Bytes() {
  return Storage();
}

int32_t FixedMutableData::Length() {
  return length_;
}

uint8_t* FixedMutableData::MutableBytes() {
  return Storage();
}

IKNMutableData* FixedMutableData::SetLength(int32_t newLength) {
  if (newLength < 0 || newLength > capacity_)
    base::KNRaiseOutOfRange(newLength, capacity_ + 1);
  if (newLength > length_)
    std::memset(Storage() + length_, 0, newLength - length_);
  length_ = static_cast<uint16_t>(newLength);
  return this;
}

// Factories

IKNMutableData* KNNewMutableData(int32_t length) {
  if (length < 0)
    base::KNRaiseIllegalArgument("length < 0");
  if (length < kGrowableFrom)
    return FixedMutableData::Create(length);
  MutableData* data = new MutableData();
  try {
    data->SetLength(length);
  } catch (...) {
    data->Release();
    throw;
  }
  return data;
}

IKNMutableData* KNMutableDataWithLength(int32_t length) {
  return KNAutoRelease(KNNewMutableData(length));
}

}  // namespace data
}  // namespace knfoundation
