// The growable UTF-16 buffer and the operations that `IKNMutableString`
// builds on its virtual ones.
#include "foundation/text/MutableString.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "foundation/objects/IKNAllocator.h"
#include "foundation/objects/KNException.h"
#include "foundation/text/IKNEncoding.h"
#include "foundation/text/KNFormat.h"
#include "foundation/text/StringSupport.h"
#include "foundation/text/UTF16String.h"

namespace knfoundation {
namespace data {
namespace {

constexpr int32_t kHandOverLength = 128;
const wchar_t kEmptyText[1] = {0};

inline bool IsTrimmed(wchar_t unit) {
  return unit == 32 || unit == 9 || unit == 10 || unit == 13;
}

// A temporary copy of units that alias the buffer about to change.
class UnitCopy {
 public:
  UnitCopy(const wchar_t* units, int32_t count)
      : units_(static_cast<wchar_t*>(malloc(impl::UnitBytes(count, 1)))) {
    if (!units_)
      base::KNRaiseOutOfMemory();
    memcpy(units_, units, static_cast<size_t>(count) * sizeof(wchar_t));
  }
  ~UnitCopy() { free(units_); }
  const wchar_t* Get() const { return units_; }

 private:
  wchar_t* units_;
};

}  // namespace

MutableString* MutableString::Create(int32_t capacity) {
  auto* string = new MutableString();
  if (capacity > 0) {
    try {
      string->Reserve(capacity);
    } catch (...) {
      delete string;
      throw;
    }
  }
  return string;
}

MutableString::~MutableString() {
  free(buffer_);
}

int32_t MutableString::RetainCount() {
  return count_.Get();
}

IKNType* MutableString::Retain() {
  count_.Increment();
  return this;
}

void MutableString::Release() {
  if (count_.Decrement())
    delete this;
}

bool MutableString::IsEqual(IKNType* other) {
  return impl::GenericIsEqual(this, other);
}

uint32_t MutableString::Hash() {
  return KNStringHash(Chars(), length_);
}

IKNString* MutableString::Description() {
  return KNAutoRelease(Copy());
}

IKNString* MutableString::Copy() {
  return UTF16String::Create(Chars(), length_);
}

const char* MutableString::UTF8String() {
  return CString(util::UTF8Encoding());
}

void MutableString::GetChars(wchar_t* dest, int32_t start, int32_t count) {
  impl::GetContiguousChars(buffer_, length_, dest, start, count);
}

uint16_t MutableString::CharAt(int32_t index) {
  return impl::ContiguousCharAt(buffer_, length_, index);
}

const wchar_t* MutableString::Chars() {
  return buffer_ ? buffer_ : kEmptyText;
}

int32_t MutableString::Encode(int32_t start,
                              int32_t count,
                              util::IKNEncoding* encoding,
                              uint8_t substitute,
                              char* dest,
                              int32_t maxBytes,
                              int32_t* bytesWritten) {
  return impl::GenericEncode(this, start, count, encoding, substitute, dest, maxBytes,
                             bytesWritten);
}

bool MutableString::GetCString(char* buffer, int32_t size, util::IKNEncoding* encoding) {
  return impl::GenericGetCString(this, buffer, size, encoding);
}

const char* MutableString::CString(util::IKNEncoding* encoding) {
  return impl::GenericCString(this, encoding);
}

// Capacity starts at the current one (16 without a buffer) and doubles at
// least once, then until it holds `needed` units.
void MutableString::Reserve(int64_t needed) {
  if (needed <= capacity_)
    return;
  int64_t capacity = capacity_ > 0 ? capacity_ : 16;
  do {
    capacity *= 2;
  } while (capacity < needed);
  if (capacity > 2147483647)
    base::KNRaiseOutOfMemory();
  auto* grown = static_cast<wchar_t*>(calloc(impl::UnitBytes(capacity, 1), 1));
  if (!grown)
    base::KNRaiseOutOfMemory();
  if (buffer_)
    memcpy(grown, buffer_, static_cast<size_t>(length_) * sizeof(wchar_t));
  free(buffer_);
  buffer_ = grown;
  capacity_ = static_cast<int32_t>(capacity);
}

wchar_t* MutableString::OpenGap(int32_t index, int32_t count) {
  Reserve(static_cast<int64_t>(length_) + count);
  if (count == 0)
    return buffer_ ? buffer_ + index : nullptr;
  if (index < length_) {
    memmove(buffer_ + index + count, buffer_ + index,
            static_cast<size_t>(length_ - index) * sizeof(wchar_t));
  }
  length_ += count;
  buffer_[length_] = 0;
  return buffer_ + index;
}

void MutableString::CheckInsertIndex(int32_t index) const {
  if (index < 0 || index > length_)
    base::KNRaiseOutOfRange(index, length_ + 1);
}

IKNMutableString* MutableString::AppendCString(const char* bytes,
                                               int32_t byteCount,
                                               util::IKNEncoding* encoding) {
  if (byteCount < 0)
    base::KNRaiseIllegalArgument("cStrLen < 0");
  if ((!bytes && byteCount > 0) || !encoding)
    base::KNRaiseNullPtr();
  if (byteCount == 0)
    return this;
  Reserve(static_cast<int64_t>(length_) + byteCount);
  int32_t produced = 0;
  const int32_t consumed =
      encoding->Decode(bytes, byteCount, buffer_ + length_, byteCount, &produced);
  length_ += produced;
  buffer_[length_] = 0;
  if (consumed < byteCount)
    base::KNRaiseIllegalArgument("decode failed");
  return this;
}

IKNMutableString* MutableString::Insert(int32_t index, const wchar_t* units, int32_t count) {
  if (count < 0)
    base::KNRaiseIllegalArgument("length < 0");
  if (!units && count > 0)
    base::KNRaiseNullPtr();
  CheckInsertIndex(index);
  if (count == 0)
    return this;
  // Units taken from this very buffer would move or be freed by the growth.
  const uintptr_t from = reinterpret_cast<uintptr_t>(units);
  const uintptr_t first = reinterpret_cast<uintptr_t>(buffer_);
  const uintptr_t last = first + (static_cast<uintptr_t>(capacity_) + 1) * sizeof(wchar_t);
  if (buffer_ && from < last && from + static_cast<uintptr_t>(count) * sizeof(wchar_t) > first) {
    UnitCopy copy(units, count);
    memcpy(OpenGap(index, count), copy.Get(), static_cast<size_t>(count) * sizeof(wchar_t));
  } else {
    memcpy(OpenGap(index, count), units, static_cast<size_t>(count) * sizeof(wchar_t));
  }
  return this;
}

IKNMutableString* MutableString::Insert(int32_t index, const wchar_t* unitsZ) {
  if (!unitsZ)
    base::KNRaiseNullPtr();
  return Insert(index, unitsZ, static_cast<int32_t>(wcslen(unitsZ)));
}

IKNMutableString* MutableString::Insert(int32_t index,
                                        IKNString* string,
                                        int32_t start,
                                        int32_t count) {
  if (!string)
    base::KNRaiseNullPtr();
  impl::CheckRange(start, count, string->Length());
  CheckInsertIndex(index);
  if (const wchar_t* units = string->Chars())
    return Insert(index, units + start, count);
  if (count == 0)
    return this;
  // Units that are not stored as UTF-16 cannot alias this buffer.
  Reserve(static_cast<int64_t>(length_) + count);
  const int32_t oldLength = length_;
  wchar_t* gap = OpenGap(index, count);
  try {
    string->GetChars(gap, start, count);
  } catch (...) {
    memmove(gap, gap + count, static_cast<size_t>(oldLength - index) * sizeof(wchar_t));
    length_ = oldLength;
    buffer_[length_] = 0;
    throw;
  }
  return this;
}

IKNMutableString* MutableString::Insert(int32_t index, IKNString* string) {
  if (!string)
    base::KNRaiseNullPtr();
  return Insert(index, string, 0, string->Length());
}

IKNMutableString* MutableString::Delete(int32_t start, int32_t count) {
  impl::CheckRange(start, count, length_);
  if (count == 0)
    return this;
  memmove(buffer_ + start, buffer_ + start + count,
          static_cast<size_t>(length_ - start - count) * sizeof(wchar_t));
  length_ -= count;
  buffer_[length_] = 0;
  return this;
}

IKNMutableString* MutableString::Trim() {
  int32_t end = length_;
  while (end > 0 && IsTrimmed(buffer_[end - 1]))
    --end;
  Delete(end, length_ - end);
  int32_t lead = 0;
  while (lead < length_ && IsTrimmed(buffer_[lead]))
    ++lead;
  return Delete(0, lead);
}

IKNString* MutableString::TakeString() {
  if (length_ < kHandOverLength) {
    IKNString* copy = UTF16String::Create(Chars(), length_);
    Delete(0, length_);
    return copy;
  }
  IKNString* taken = UTF16Wrapper::Create(buffer_, length_, base::MallocAllocator());
  buffer_ = nullptr;
  length_ = 0;
  capacity_ = 0;
  return taken;
}

IKNMutableString* IKNMutableString::Append(IKNString* string) {
  return Insert(Length(), string);
}

IKNMutableString* IKNMutableString::Append(IKNString* string, int32_t start, int32_t count) {
  return Insert(Length(), string, start, count);
}

IKNMutableString* IKNMutableString::Append(const wchar_t* units, int32_t count) {
  return Insert(Length(), units, count);
}

IKNMutableString* IKNMutableString::Append(wchar_t unit) {
  return Insert(Length(), &unit, 1);
}

IKNMutableString* IKNMutableString::AppendCString(const char* bytesZ, util::IKNEncoding* encoding) {
  if (!bytesZ)
    base::KNRaiseNullPtr();
  return AppendCString(bytesZ, static_cast<int32_t>(strlen(bytesZ)), encoding);
}

IKNMutableString* IKNMutableString::Replace(int32_t start, int32_t count, IKNString* string) {
  if (!string)
    base::KNRaiseNullPtr();
  impl::CheckRange(start, count, Length());
  Delete(start, count);
  return Insert(start, string);
}

int32_t IKNMutableString::ReplaceAll(IKNString* target, IKNString* replacement) {
  if (!target || !replacement)
    base::KNRaiseNullPtr();
  if (target->Length() == 0)
    return 0;
  // Either argument may be this very string: work from a snapshot then.
  // Other arguments are borrowed (a stack wrapper cannot be retained).
  IKNString* ownedTarget = target == this ? Copy() : nullptr;
  IKNString* ownedReplacement = replacement == this ? Copy() : nullptr;
  IKNString* find = ownedTarget ? ownedTarget : target;
  IKNString* put = ownedReplacement ? ownedReplacement : replacement;
  int32_t replaced = 0;
  try {
    const int32_t r = put->Length();
    KNRange match = IndexOf(find, 0, Length());
    while (match.position >= 0) {
      Delete(match.position, match.length);
      Insert(match.position, put);
      ++replaced;
      const int32_t next = match.position + r;
      match = IndexOf(find, next, Length() - next);
    }
  } catch (...) {
    KNRelease(ownedTarget);
    KNRelease(ownedReplacement);
    throw;
  }
  KNRelease(ownedTarget);
  KNRelease(ownedReplacement);
  return replaced;
}

IKNMutableString* IKNMutableString::Clear() {
  return Delete(0, Length());
}

IKNString* IKNMutableString::TakeAutoReleased() {
  return KNAutoRelease(TakeString());
}

IKNMutableString* IKNMutableString::AppendFormat(const char* format, ...) {
  va_list arguments;
  va_start(arguments, format);
  try {
    knfoundation::AppendFormatV(this, format, arguments);
  } catch (...) {
    va_end(arguments);
    throw;
  }
  va_end(arguments);
  return this;
}

IKNMutableString* IKNMutableString::AppendFormatV(const char* format, va_list arguments) {
  knfoundation::AppendFormatV(this, format, arguments);
  return this;
}

IKNMutableString* KNNewMutableString(int32_t capacity) {
  if (capacity < 0)
    base::KNRaiseIllegalArgument("capacity < 0");
  return MutableString::Create(capacity);
}

IKNMutableString* KNMutableStringWithCapacity(int32_t capacity) {
  return KNAutoRelease(KNNewMutableString(capacity));
}

}  // namespace data
}  // namespace knfoundation
