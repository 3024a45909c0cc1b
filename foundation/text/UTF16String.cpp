// The two immutable UTF-16 string classes.
#include "foundation/text/UTF16String.h"

#include <cstring>
#include <typeinfo>

#include "foundation/text/IKNEncoding.h"
#include "foundation/text/StringSupport.h"

namespace knfoundation {
namespace data {

UTF16String* UTF16String::CreateUninitialized(int32_t length, wchar_t** units) {
  // The block size must be representable; the storage adds the fields.
  impl::UnitBytes(length, 1 + static_cast<int64_t>(kElementOffset));
  UTF16String* string = CreateInBlock(static_cast<size_t>(length), 1, length);
  if (units)
    *units = string->Elements();
  return string;
}

UTF16String* UTF16String::Create(const wchar_t* units, int32_t length) {
  wchar_t* dest = nullptr;
  UTF16String* string = CreateUninitialized(length, &dest);
  if (length > 0)
    memcpy(dest, units, static_cast<size_t>(length) * sizeof(wchar_t));
  return string;
}

int32_t UTF16String::RetainCount() {
  return count_.Get();
}

IKNType* UTF16String::Retain() {
  count_.Increment();
  return this;
}

void UTF16String::Release() {
  if (count_.Decrement())
    DestroyBlock(this);
}

bool UTF16String::IsEqual(IKNType* other) {
  if (other && &typeid(*other) == &typeid(UTF16String)) {
    auto* string = static_cast<UTF16String*>(other);
    return string->length_ == length_ &&
           memcmp(string->Elements(), Elements(), static_cast<size_t>(length_) * 2) == 0;
  }
  return impl::GenericIsEqual(this, other);
}

uint32_t UTF16String::Hash() {
  return KNStringHash(Elements(), length_);
}

IKNString* UTF16String::Description() {
  return this;
}

IKNString* UTF16String::Copy() {
  Retain();
  return this;
}

const char* UTF16String::UTF8String() {
  return CString(util::UTF8Encoding());
}

void UTF16String::GetChars(wchar_t* dest, int32_t start, int32_t count) {
  impl::GetContiguousChars(Elements(), length_, dest, start, count);
}

uint16_t UTF16String::CharAt(int32_t index) {
  return impl::ContiguousCharAt(Elements(), length_, index);
}

int32_t UTF16String::Encode(int32_t start,
                            int32_t count,
                            util::IKNEncoding* encoding,
                            uint8_t substitute,
                            char* dest,
                            int32_t maxBytes,
                            int32_t* bytesWritten) {
  return impl::GenericEncode(this, start, count, encoding, substitute, dest, maxBytes,
                             bytesWritten);
}

bool UTF16String::GetCString(char* buffer, int32_t size, util::IKNEncoding* encoding) {
  return impl::GenericGetCString(this, buffer, size, encoding);
}

const char* UTF16String::CString(util::IKNEncoding* encoding) {
  return impl::GenericCString(this, encoding);
}

UTF16Wrapper::UTF16Wrapper(wchar_t* units, int32_t length, base::IKNAllocator* allocator)
    : allocator_(KNRetain(allocator)), length_(length), units_(units) {}

UTF16Wrapper* UTF16Wrapper::Create(wchar_t* units, int32_t length, base::IKNAllocator* allocator) {
  return new UTF16Wrapper(units, length, allocator);
}

int32_t UTF16Wrapper::RetainCount() {
  return count_.Get();
}

IKNType* UTF16Wrapper::Retain() {
  count_.Increment();
  return this;
}

void UTF16Wrapper::Release() {
  if (!count_.Decrement())
    return;
  base::IKNAllocator* allocator = allocator_;
  allocator->Free(units_);
  delete this;
  allocator->Release();
}

bool UTF16Wrapper::IsEqual(IKNType* other) {
  return impl::GenericIsEqual(this, other);
}

uint32_t UTF16Wrapper::Hash() {
  return KNStringHash(units_, length_);
}

IKNString* UTF16Wrapper::Description() {
  return this;
}

IKNString* UTF16Wrapper::Copy() {
  Retain();
  return this;
}

const char* UTF16Wrapper::UTF8String() {
  return CString(util::UTF8Encoding());
}

void UTF16Wrapper::GetChars(wchar_t* dest, int32_t start, int32_t count) {
  impl::GetContiguousChars(units_, length_, dest, start, count);
}

uint16_t UTF16Wrapper::CharAt(int32_t index) {
  return impl::ContiguousCharAt(units_, length_, index);
}

int32_t UTF16Wrapper::Encode(int32_t start,
                             int32_t count,
                             util::IKNEncoding* encoding,
                             uint8_t substitute,
                             char* dest,
                             int32_t maxBytes,
                             int32_t* bytesWritten) {
  return impl::GenericEncode(this, start, count, encoding, substitute, dest, maxBytes,
                             bytesWritten);
}

bool UTF16Wrapper::GetCString(char* buffer, int32_t size, util::IKNEncoding* encoding) {
  return impl::GenericGetCString(this, buffer, size, encoding);
}

const char* UTF16Wrapper::CString(util::IKNEncoding* encoding) {
  return impl::GenericCString(this, encoding);
}

}  // namespace data
}  // namespace knfoundation
