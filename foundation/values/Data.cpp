// The immutable byte buffers and their factories.
#include "foundation/values/Data.h"

#include <cstring>
#include <new>

#include "foundation/objects/IKNAllocator.h"
#include "foundation/objects/KNException.h"

namespace knfoundation {
namespace data {

namespace {
// The bytes follow the fields at the next 16-byte boundary of the block.
constexpr size_t kBytesOffset = (sizeof(Data) + 15) / 16 * 16;

void CheckBytes(const void* bytes, int32_t length) {
  if (length < 0)
    base::KNRaiseIllegalArgument("length < 0");
  if (length > 0 && !bytes)
    base::KNRaiseNullPtr();
}
}  // namespace

Data* Data::Create(const void* bytes, int32_t length) {
  void* block = base::WinSIMDAllocator()->Allocate(kBytesOffset + static_cast<size_t>(length));
  Data* data = new (block) Data(length);
  if (length > 0)
    std::memcpy(data->Storage(), bytes, length);
  return data;
}

uint8_t* Data::Storage() {
  return reinterpret_cast<uint8_t*>(this) + kBytesOffset;
}

int32_t Data::RetainCount() {
  return count_.Get();
}

IKNType* Data::Retain() {
  count_.Increment();
  return this;
}

void Data::Release() {
  if (!count_.Decrement())
    return;
  this->~Data();
  base::WinSIMDAllocator()->Free(this);
}

IKNData* Data::Copy() {
  Retain();
  return this;
}

const uint8_t* Data::Bytes() {
  return Storage();
}

int32_t Data::Length() {
  return length_;
}

DataWrapper::DataWrapper(void* bytes, int32_t length, base::IKNAllocator* allocator)
    : allocator_(KNRetain(allocator)), length_(length), bytes_(static_cast<uint8_t*>(bytes)) {}

DataWrapper::~DataWrapper() {
  if (bytes_)
    allocator_->Free(bytes_);
  allocator_->Release();
}

int32_t DataWrapper::RetainCount() {
  return count_.Get();
}

IKNType* DataWrapper::Retain() {
  count_.Increment();
  return this;
}

void DataWrapper::Release() {
  if (count_.Decrement())
    delete this;
}

IKNData* DataWrapper::Copy() {
  Retain();
  return this;
}

const uint8_t* DataWrapper::Bytes() {
  return bytes_;
}

int32_t DataWrapper::Length() {
  return length_;
}

IKNData* KNNewData(const void* bytes, int32_t length) {
  CheckBytes(bytes, length);
  return Data::Create(bytes, length);
}

IKNData* KNNewDataWrapper(void* bytes, int32_t length, base::IKNAllocator* allocator) {
  CheckBytes(bytes, length);
  if (!allocator)
    base::KNRaiseNullPtr();
  return new DataWrapper(bytes, length, allocator);
}

IKNData* KNDataWrapperWithBytes(void* bytes, int32_t length, base::IKNAllocator* allocator) {
  return KNAutoRelease(KNNewDataWrapper(bytes, length, allocator));
}

}  // namespace data
}  // namespace knfoundation
