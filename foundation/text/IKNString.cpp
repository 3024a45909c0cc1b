// The string hash and the non-virtual operations of `IKNString`, built on its
// virtual ones so that they serve every string class.
#include "foundation/text/IKNString.h"

#include <cstring>

#include "foundation/objects/IKNAllocator.h"
#include "foundation/objects/KNException.h"
#include "foundation/text/StringSupport.h"
#include "foundation/text/UTF16String.h"

namespace knfoundation {
namespace data {

// h starts at the length; every unit (or, above 16 units, the first and the
// last 8) is folded in as h * 257 + unit; the result is h + (h << (n % 32)).
uint32_t KNStringHash(const wchar_t* units, int32_t length) {
  uint32_t h = static_cast<uint32_t>(length);
  if (length > 16) {
    for (int32_t k = 0; k < 8; ++k)
      h = h * 257 + static_cast<uint16_t>(units[k]);
    for (int32_t k = length - 8; k < length; ++k)
      h = h * 257 + static_cast<uint16_t>(units[k]);
  } else {
    for (int32_t k = 0; k < length; ++k)
      h = h * 257 + static_cast<uint16_t>(units[k]);
  }
  return h + (h << (static_cast<uint32_t>(length) % 32));
}

void IKNString::CopyChars(wchar_t* dest) {
  const int32_t length = Length();
  if (!dest && length > 0)
    base::KNRaiseNullPtr();
  GetChars(dest, 0, length);
}

const wchar_t* IKNString::CharsZ() {
  if (const wchar_t* units = Chars())
    return units;
  const int32_t length = Length();
  auto* block = static_cast<wchar_t*>(
      base::AllocAutoReleased(impl::UnitBytes(length, 1), base::MallocAllocator()));
  GetChars(block, 0, length);
  block[length] = 0;
  return block;
}

KNRange IKNString::IndexOf(IKNString* sub, int32_t start, int32_t count) {
  if (!sub)
    base::KNRaiseNullPtr();
  impl::CheckRange(start, count, Length());
  const KNRange none = {-1, 0};
  const int32_t n = sub->Length();
  if (n > count)
    return none;
  if (n == 0)
    return count > 0 ? KNRange{start, 0} : none;
  const int32_t last = start + count - n;
  const wchar_t* text = Chars();
  const wchar_t* pattern = sub->Chars();
  if (text && pattern) {
    const wchar_t first = pattern[0];
    const size_t rest = static_cast<size_t>(n - 1) * sizeof(wchar_t);
    for (int32_t i = start; i <= last; ++i) {
      if (text[i] == first && memcmp(text + i + 1, pattern + 1, rest) == 0)
        return KNRange{i, n};
    }
    return none;
  }
  impl::UnitReader haystack(this, 64);
  impl::UnitReader needle(sub, 64);
  for (int32_t i = start; i <= last; ++i) {
    int32_t k = 0;
    while (k < n && haystack.At(i + k) == needle.At(k))
      ++k;
    if (k == n)
      return KNRange{i, n};
  }
  return none;
}

KNRange IKNString::IndexOf(IKNString* sub) {
  return IndexOf(sub, 0, Length());
}

namespace {

bool RegionMatches(IKNString* string, int32_t offset, IKNString* part) {
  const int32_t n = part->Length();
  const wchar_t* a = string->Chars();
  const wchar_t* b = part->Chars();
  if (a && b)
    return memcmp(a + offset, b, static_cast<size_t>(n) * sizeof(wchar_t)) == 0;
  impl::UnitReader left(string, 64);
  impl::UnitReader right(part, 64);
  for (int32_t k = 0; k < n; ++k) {
    if (left.At(offset + k) != right.At(k))
      return false;
  }
  return true;
}

}  // namespace

bool IKNString::StartsWith(IKNString* prefix) {
  if (!prefix)
    base::KNRaiseNullPtr();
  if (prefix->Length() > Length())
    return false;
  return RegionMatches(this, 0, prefix);
}

bool IKNString::EndsWith(IKNString* suffix) {
  if (!suffix)
    base::KNRaiseNullPtr();
  const int32_t length = Length();
  const int32_t n = suffix->Length();
  if (n > length)
    return false;
  return RegionMatches(this, length - n, suffix);
}

IKNString* IKNString::Substring(int32_t start, int32_t count) {
  impl::CheckRange(start, count, Length());
  wchar_t* units = nullptr;
  UTF16String* result = UTF16String::CreateUninitialized(count, &units);
  try {
    GetChars(units, start, count);
  } catch (...) {
    result->Release();
    throw;
  }
  return KNAutoRelease<IKNString>(result);
}

IKNString* IKNString::Concat(IKNString* other) {
  if (!other)
    base::KNRaiseNullPtr();
  const int32_t length = Length();
  const int32_t otherLength = other->Length();
  if (static_cast<int64_t>(length) + otherLength > 2147483647)
    base::KNRaiseOutOfMemory();
  wchar_t* units = nullptr;
  UTF16String* result = UTF16String::CreateUninitialized(length + otherLength, &units);
  try {
    GetChars(units, 0, length);
    other->GetChars(units + length, 0, otherLength);
  } catch (...) {
    result->Release();
    throw;
  }
  return KNAutoRelease<IKNString>(result);
}

}  // namespace data
}  // namespace knfoundation
