// `UTF16String`: the compact immutable string, its units and a terminating
// zero in the object's own block. `UTF16Wrapper`: an immutable string over an
// external zero-terminated block that it owns through an allocator.
//
// Both are counted directly and may be shared between threads.
#pragma once

#include "foundation/objects/IKNAllocator.h"
#include "foundation/objects/KNDirectStorage.h"
#include "foundation/text/IKNString.h"

namespace knfoundation {
namespace data {

class UTF16String final : public IKNString, public impl::KNDirectStorage<UTF16String, wchar_t, 2> {
 public:
  // Owned string with a copy of `units` (length not checked here).
  static UTF16String* Create(const wchar_t* units, int32_t length);
  // Owned zero-filled string of `length` units; the creator fills `*units`
  // before sharing it.
  static UTF16String* CreateUninitialized(int32_t length, wchar_t** units);

  int32_t RetainCount() override;
  IKNType* Retain() override;
  void Release() override;
  bool IsEqual(IKNType* other) override;
  uint32_t Hash() override;
  IKNString* Description() override;
  IKNString* Copy() override;
  const char* UTF8String() override;
  int32_t Length() override { return length_; }
  void GetChars(wchar_t* dest, int32_t start, int32_t count) override;
  uint16_t CharAt(int32_t index) override;
  const wchar_t* Chars() override { return Elements(); }
  int32_t Encode(int32_t start,
                 int32_t count,
                 util::IKNEncoding* encoding,
                 uint8_t substitute,
                 char* dest,
                 int32_t maxBytes,
                 int32_t* bytesWritten) override;
  bool GetCString(char* buffer, int32_t size, util::IKNEncoding* encoding) override;
  const char* CString(util::IKNEncoding* encoding) override;

 private:
  friend class impl::KNDirectStorage<UTF16String, wchar_t, 2>;
  explicit UTF16String(int32_t length) : length_(length) {}
  ~UTF16String() = default;

  util::KNDirectCount count_;
  int32_t length_;
};

class UTF16Wrapper final : public IKNString {
 public:
  // Owned wrapper that takes over `units` (which must be followed by a zero
  // unit) and retains `allocator`, which frees them when the wrapper dies.
  static UTF16Wrapper* Create(wchar_t* units, int32_t length, base::IKNAllocator* allocator);

  int32_t RetainCount() override;
  IKNType* Retain() override;
  void Release() override;
  bool IsEqual(IKNType* other) override;
  uint32_t Hash() override;
  IKNString* Description() override;
  IKNString* Copy() override;
  const char* UTF8String() override;
  int32_t Length() override { return length_; }
  void GetChars(wchar_t* dest, int32_t start, int32_t count) override;
  uint16_t CharAt(int32_t index) override;
  const wchar_t* Chars() override { return units_; }
  int32_t Encode(int32_t start,
                 int32_t count,
                 util::IKNEncoding* encoding,
                 uint8_t substitute,
                 char* dest,
                 int32_t maxBytes,
                 int32_t* bytesWritten) override;
  bool GetCString(char* buffer, int32_t size, util::IKNEncoding* encoding) override;
  const char* CString(util::IKNEncoding* encoding) override;

  base::IKNAllocator* Allocator() const { return allocator_; }

 private:
  UTF16Wrapper(wchar_t* units, int32_t length, base::IKNAllocator* allocator);
  ~UTF16Wrapper() = default;

  util::KNDirectCount count_;
  base::IKNAllocator* allocator_;
  int32_t length_;
  wchar_t* units_;
};

}  // namespace data
}  // namespace knfoundation
