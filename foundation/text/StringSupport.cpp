// Range checks and the generic string operations shared by the string
// classes.
#include "foundation/text/StringSupport.h"

#include <cstring>
#include <typeinfo>

#include "foundation/objects/IKNAllocator.h"
#include "foundation/objects/KNException.h"
#include "foundation/text/IKNEncoding.h"
#include "foundation/text/MutableString.h"
#include "foundation/text/UTF16String.h"

namespace knfoundation {
namespace impl {

void CheckRange(int32_t start, int32_t count, int32_t length) {
  if (start < 0)
    base::KNRaiseOutOfRange(start, length);
  if (static_cast<int64_t>(start) + count > length)
    base::KNRaiseOutOfRange(static_cast<int32_t>(static_cast<int64_t>(start) + count), length);
  if (count < 0)
    base::KNRaiseOutOfRange(count, length);
}

void CheckIndex(int32_t index, int32_t length) {
  if (index < 0 || index >= length)
    base::KNRaiseOutOfRange(index, length);
}

size_t UnitBytes(int64_t units, int64_t extra) {
  const uint64_t total = static_cast<uint64_t>(units) + static_cast<uint64_t>(extra);
  if (units < 0 || extra < 0 || total > (static_cast<size_t>(-1) / 2 - 64) / sizeof(wchar_t))
    base::KNRaiseOutOfMemory();
  return static_cast<size_t>(total) * sizeof(wchar_t);
}

void GetContiguousChars(const wchar_t* units,
                        int32_t length,
                        wchar_t* dest,
                        int32_t start,
                        int32_t count) {
  CheckRange(start, count, length);
  if (count == 0)
    return;
  if (!dest)
    base::KNRaiseNullPtr();
  memmove(dest, units + start, static_cast<size_t>(count) * sizeof(wchar_t));
}

uint16_t ContiguousCharAt(const wchar_t* units, int32_t length, int32_t index) {
  CheckIndex(index, length);
  return units[index];
}

UnitReader::UnitReader(data::IKNString* string, int32_t window)
    : string_(string),
      direct_(string->Chars()),
      length_(string->Length()),
      size_(window > 64 ? 64 : window) {}

void UnitReader::Refill(int32_t index) {
  int32_t first = index - 4;
  if (first < 0)
    first = 0;
  int32_t count = length_ - first;
  if (count > size_)
    count = size_;
  if (index < first || index >= first + count)
    CheckIndex(index, length_);
  string_->GetChars(window_, first, count);
  first_ = first;
  filled_ = count;
}

data::IKNString* AsString(IKNType* object) {
  if (!object)
    return nullptr;
  // The string classes are recognised by their type information first (one
  // object per class in this program); anything else takes the full cast.
  const std::type_info* type = &typeid(*object);
  if (type == &typeid(data::UTF16String))
    return static_cast<data::UTF16String*>(object);
  if (type == &typeid(impl::KNLiteral))
    return static_cast<impl::KNLiteral*>(object);
  if (type == &typeid(data::MutableString))
    return static_cast<data::MutableString*>(object);
  if (type == &typeid(data::UTF16Wrapper))
    return static_cast<data::UTF16Wrapper*>(object);
  return dynamic_cast<data::IKNString*>(object);
}

bool GenericIsEqual(data::IKNString* self, IKNType* other) {
  if (other == self)
    return true;
  data::IKNString* string = AsString(other);
  if (!string)
    return false;
  const int32_t length = self->Length();
  if (string->Length() != length)
    return false;
  const wchar_t* a = self->Chars();
  const wchar_t* b = string->Chars();
  if (a && b)
    return memcmp(a, b, static_cast<size_t>(length) * sizeof(wchar_t)) == 0;
  UnitReader left(self, 64);
  UnitReader right(string, 64);
  for (int32_t i = 0; i < length; ++i) {
    if (left.At(i) != right.At(i))
      return false;
  }
  return true;
}

uint32_t GenericHash(data::IKNString* self) {
  const int32_t length = self->Length();
  if (const wchar_t* units = self->Chars())
    return data::KNStringHash(units, length);
  // The hash reads at most 16 units: the whole text, or its first and last 8.
  wchar_t window[16];
  if (length <= 16) {
    self->GetChars(window, 0, length);
    return data::KNStringHash(window, length);
  }
  self->GetChars(window, 0, 8);
  self->GetChars(window + 8, length - 8, 8);
  uint32_t h = static_cast<uint32_t>(length);
  for (int k = 0; k < 16; ++k)
    h = h * 257 + window[k];
  return h + (h << (length % 32));
}

int32_t GenericEncode(data::IKNString* self,
                      int32_t start,
                      int32_t count,
                      util::IKNEncoding* encoding,
                      uint8_t substitute,
                      char* dest,
                      int32_t maxBytes,
                      int32_t* bytesWritten) {
  CheckRange(start, count, self->Length());
  if (maxBytes < 0)
    base::KNRaiseIllegalArgument("maxLength < 0");
  if ((maxBytes > 0 && !dest) || !encoding)
    base::KNRaiseNullPtr();
  int32_t written = 0;
  int32_t consumed = 0;
  // A destination with no room takes nothing (the converters would read a
  // zero limit as a request to measure); a null destination measures.
  if (dest && maxBytes == 0) {
    if (bytesWritten)
      *bytesWritten = 0;
    return 0;
  }
  if (const wchar_t* units = self->Chars()) {
    consumed = encoding->Encode(units + start, count, substitute, dest, maxBytes, &written);
  } else {
    wchar_t piece[64];
    while (consumed < count) {
      int32_t n = count - consumed < 64 ? count - consumed : 64;
      self->GetChars(piece, start + consumed, n);
      // A surrogate pair is never split between two pieces: a high surrogate
      // that ends a piece waits for the next one, where its low half is.
      if (n == 64 && consumed + n < count && piece[63] >= 0xD800 && piece[63] <= 0xDBFF)
        n = 63;
      int32_t produced = 0;
      const int32_t used = encoding->Encode(piece, n, substitute, dest ? dest + written : nullptr,
                                            dest ? maxBytes - written : 0, &produced);
      consumed += used;
      written += produced;
      if (used < n || (dest && written >= maxBytes && consumed < count))
        break;
    }
  }
  if (bytesWritten)
    *bytesWritten = written;
  return consumed;
}

bool GenericGetCString(data::IKNString* self,
                       char* buffer,
                       int32_t size,
                       util::IKNEncoding* encoding) {
  if (size <= 0)
    base::KNRaiseIllegalArgument("maxLength < 0");
  if (!buffer || !encoding)
    base::KNRaiseNullPtr();
  const int32_t length = self->Length();
  int32_t written = 0;
  const int32_t consumed = GenericEncode(self, 0, length, encoding, 0, buffer, size - 1, &written);
  buffer[written] = 0;
  return consumed == length;
}

const char* GenericCString(data::IKNString* self, util::IKNEncoding* encoding) {
  if (!encoding)
    base::KNRaiseNullPtr();
  const int32_t length = self->Length();
  const int32_t maxBytes = encoding->MaxBytes(length);
  char* block = static_cast<char*>(
      base::AllocAutoReleased(static_cast<size_t>(maxBytes) + 1, base::MallocAllocator()));
  int32_t written = 0;
  if (GenericEncode(self, 0, length, encoding, 0, block, maxBytes, &written) < length)
    base::KNRaiseException("IKNString::CString failed");
  block[written] = 0;
  return block;
}

}  // namespace impl
}  // namespace knfoundation
