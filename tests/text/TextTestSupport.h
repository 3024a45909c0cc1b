// Helpers of the text tests: conversions of foundation strings to standard
// strings, the message of an expected exception, and a string class that
// keeps its units away from `Chars` so that the window paths are exercised.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "foundation/objects/IKNAllocator.h"
#include "foundation/objects/KNException.h"
#include "foundation/text/IKNEncoding.h"
#include "foundation/text/IKNString.h"
#include "foundation/text/StringSupport.h"

namespace knfoundation {
namespace testing {

inline std::wstring Units(data::IKNString* string) {
  std::wstring units(static_cast<size_t>(string->Length()), L'\0');
  if (!units.empty())
    string->GetChars(&units[0], 0, string->Length());
  return units;
}

// The UTF-8 text of a message (null: "<null>").
inline std::string Utf8(data::IKNString* string) {
  if (!string)
    return "<null>";
  std::string bytes(static_cast<size_t>(string->Length()) * 3 + 1, '\0');
  string->GetCString(&bytes[0], static_cast<int32_t>(bytes.size()), util::UTF8Encoding());
  bytes.resize(strlen(bytes.c_str()));
  return bytes;
}

// The message of the `E` thrown by `action`, or a marker of what happened
// instead.
template <class E, class F>
std::string MessageOf(F action) {
  try {
    action();
  } catch (const E& e) {
    return Utf8(e.GetMessage());
  } catch (const base::IKNException& e) {
    return "<other exception: " + Utf8(e.GetMessage()) + ">";
  }
  return "<no exception>";
}

// Counts the blocks it gives back; the runtime heap underneath. Counted;
// owned by its creator.
class CountingAllocator final : public util::KNRefCountT<base::IKNAllocator> {
 public:
  void* Allocate(size_t size) override { return calloc(1, size); }
  void Free(void* block) override {
    ++frees;
    free(block);
  }
  void* Reallocate(void* block, size_t size) override { return realloc(block, size); }
  int frees = 0;
};

// An immutable string over a copy of the given units whose `Chars` is null:
// every reader goes through `GetChars`. Counted; owned by its creator.
class WindowedString final : public data::IKNString {
 public:
  static WindowedString* Create(const std::wstring& units) { return new WindowedString(units); }

  int32_t RetainCount() override { return count_.Get(); }
  IKNType* Retain() override {
    count_.Increment();
    return this;
  }
  void Release() override {
    if (count_.Decrement())
      delete this;
  }
  bool IsEqual(IKNType* other) override { return impl::GenericIsEqual(this, other); }
  uint32_t Hash() override { return impl::GenericHash(this); }
  data::IKNString* Description() override { return this; }
  data::IKNString* Copy() override {
    Retain();
    return this;
  }
  const char* UTF8String() override { return CString(util::UTF8Encoding()); }
  int32_t Length() override { return static_cast<int32_t>(units_.size()); }
  void GetChars(wchar_t* dest, int32_t start, int32_t count) override {
    impl::CheckRange(start, count, Length());
    ++fetches;
    units_.copy(dest, static_cast<size_t>(count), static_cast<size_t>(start));
  }
  uint16_t CharAt(int32_t index) override {
    impl::CheckIndex(index, Length());
    return units_[static_cast<size_t>(index)];
  }
  const wchar_t* Chars() override { return nullptr; }
  int32_t Encode(int32_t start,
                 int32_t count,
                 util::IKNEncoding* encoding,
                 uint8_t substitute,
                 char* dest,
                 int32_t maxBytes,
                 int32_t* bytesWritten) override {
    return impl::GenericEncode(this, start, count, encoding, substitute, dest, maxBytes,
                               bytesWritten);
  }
  bool GetCString(char* buffer, int32_t size, util::IKNEncoding* encoding) override {
    return impl::GenericGetCString(this, buffer, size, encoding);
  }
  const char* CString(util::IKNEncoding* encoding) override {
    return impl::GenericCString(this, encoding);
  }

  int fetches = 0;

 private:
  explicit WindowedString(const std::wstring& units) : units_(units) {}
  ~WindowedString() = default;
  util::KNDirectCount count_;
  std::wstring units_;
};

}  // namespace testing
}  // namespace knfoundation
