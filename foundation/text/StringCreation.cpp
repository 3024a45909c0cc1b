// The string creation functions: copies of UTF-16 units, wrappers that take
// units over, and strings decoded from 8-bit text.
#include <cstring>

#include "foundation/objects/IKNAllocator.h"
#include "foundation/objects/KNException.h"
#include "foundation/text/IKNEncoding.h"
#include "foundation/text/IKNString.h"
#include "foundation/text/StringSupport.h"
#include "foundation/text/UTF16String.h"

namespace knfoundation {
namespace data {

IKNString* KNEmptyString() {
  return impl::KNLiteral::Intern("", 0, true);
}

IKNString* KNNewString(const wchar_t* units, int32_t length) {
  if (length < 0)
    base::KNRaiseIllegalArgument("length < 0");
  if (length > 0 && !units)
    base::KNRaiseNullPtr();
  return UTF16String::Create(units, length);
}

IKNString* KNStringWithChars(const wchar_t* units, int32_t length) {
  return KNAutoRelease(KNNewString(units, length));
}

IKNString* KNStringWithCharsZ(const wchar_t* unitsZ) {
  if (!unitsZ)
    base::KNRaiseNullPtr();
  return KNStringWithChars(unitsZ, static_cast<int32_t>(wcslen(unitsZ)));
}

IKNString* KNNewStringCopy(IKNString* string) {
  if (!string)
    base::KNRaiseNullPtr();
  const int32_t length = string->Length();
  if (const wchar_t* units = string->Chars())
    return UTF16String::Create(units, length);
  wchar_t* units = nullptr;
  UTF16String* copy = UTF16String::CreateUninitialized(length, &units);
  try {
    string->GetChars(units, 0, length);
  } catch (...) {
    copy->Release();
    throw;
  }
  return copy;
}

// On failure nothing is taken over: the caller still owns `units`.
IKNString* KNNewStringWrapper(wchar_t* units, int32_t length, base::IKNAllocator* allocator) {
  if (!units || !allocator)
    base::KNRaiseNullPtr();
  if (length < 0)
    base::KNRaiseIllegalArgument("length < 0");
  return UTF16Wrapper::Create(units, length, allocator);
}

IKNString* KNNewStringWrapperZ(wchar_t* unitsZ, base::IKNAllocator* allocator) {
  if (!unitsZ || !allocator)
    base::KNRaiseNullPtr();
  return UTF16Wrapper::Create(unitsZ, static_cast<int32_t>(wcslen(unitsZ)), allocator);
}

IKNString* KNStringWrapperZ(wchar_t* unitsZ, base::IKNAllocator* allocator) {
  return KNAutoRelease(KNNewStringWrapperZ(unitsZ, allocator));
}

namespace {

// A heap area from the shared `Malloc`, freed unless handed on.
class ScratchUnits {
 public:
  explicit ScratchUnits(size_t bytes)
      : allocator_(base::MallocAllocator()),
        units_(static_cast<wchar_t*>(allocator_->Allocate(bytes))) {}
  ~ScratchUnits() {
    if (units_)
      allocator_->Free(units_);
  }
  wchar_t* Get() const { return units_; }
  wchar_t* Shrink(size_t bytes) {
    units_ = static_cast<wchar_t*>(allocator_->Reallocate(units_, bytes));
    return units_;
  }
  wchar_t* Release() {
    wchar_t* units = units_;
    units_ = nullptr;
    return units;
  }
  base::IKNAllocator* Allocator() const { return allocator_; }

 private:
  base::IKNAllocator* allocator_;
  wchar_t* units_;
};

constexpr int32_t kStackUnits = 128;

}  // namespace

IKNString* KNNewStringFromBytes(const char* bytes, int32_t length, util::IKNEncoding* encoding) {
  if (length < 0)
    base::KNRaiseIllegalArgument("length < 0");
  if ((length > 0 && !bytes) || !encoding)
    base::KNRaiseNullPtr();
  if (length == 0)
    return KNEmptyString();
  int32_t produced = 0;
  if (length + 1 <= kStackUnits) {
    wchar_t units[kStackUnits];
    if (encoding->Decode(bytes, length, units, length, &produced) < length)
      base::KNRaiseIllegalArgument("Unable to decode characters");
    return UTF16String::Create(units, produced);
  }
  ScratchUnits scratch(impl::UnitBytes(length, 1));
  if (encoding->Decode(bytes, length, scratch.Get(), length, &produced) < length)
    base::KNRaiseIllegalArgument("Unable to decode characters");
  scratch.Get()[produced] = 0;
  scratch.Shrink(impl::UnitBytes(produced, 1));
  IKNString* result = UTF16Wrapper::Create(scratch.Get(), produced, scratch.Allocator());
  scratch.Release();
  return result;
}

IKNString* KNStringFromBytes(const char* bytes, int32_t length, util::IKNEncoding* encoding) {
  return KNAutoRelease(KNNewStringFromBytes(bytes, length, encoding));
}

IKNString* KNStringFromBytesZ(const char* bytesZ, util::IKNEncoding* encoding) {
  if (!bytesZ)
    base::KNRaiseNullPtr();
  return KNStringFromBytes(bytesZ, static_cast<int32_t>(strlen(bytesZ)), encoding);
}

}  // namespace data
}  // namespace knfoundation
