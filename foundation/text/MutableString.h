// `MutableString`: the foundation's growable UTF-16 buffer. Capacities are
// 32 x 2^m units; the buffer never shrinks and is handed to the result of
// `TakeString` when the text has 128 units or more.
#pragma once

#include "foundation/text/IKNMutableString.h"

namespace knfoundation {
namespace data {

class MutableString final : public IKNMutableString {
 public:
  // Owned empty string (capacity checked by `KNNewMutableString`).
  static MutableString* Create(int32_t capacity);

  int32_t RetainCount() override;
  IKNType* Retain() override;
  void Release() override;
  bool IsEqual(IKNType* other) override;
  uint32_t Hash() override;
  // A copy, autoreleased.
  IKNString* Description() override;
  // A new `UTF16String` with the current text.
  IKNString* Copy() override;
  const char* UTF8String() override;
  int32_t Length() override { return length_; }
  void GetChars(wchar_t* dest, int32_t start, int32_t count) override;
  uint16_t CharAt(int32_t index) override;
  // The buffer, or an empty zero-terminated text while there is none.
  const wchar_t* Chars() override;
  int32_t Encode(int32_t start,
                 int32_t count,
                 util::IKNEncoding* encoding,
                 uint8_t substitute,
                 char* dest,
                 int32_t maxBytes,
                 int32_t* bytesWritten) override;
  bool GetCString(char* buffer, int32_t size, util::IKNEncoding* encoding) override;
  const char* CString(util::IKNEncoding* encoding) override;

  using IKNMutableString::AppendCString;
  using IKNMutableString::Insert;
  IKNMutableString* AppendCString(const char* bytes,
                                  int32_t byteCount,
                                  util::IKNEncoding* encoding) override;
  IKNMutableString* Insert(int32_t index, const wchar_t* units, int32_t count) override;
  IKNMutableString* Insert(int32_t index, const wchar_t* unitsZ) override;
  IKNMutableString* Insert(int32_t index, IKNString* string, int32_t start, int32_t count) override;
  IKNMutableString* Insert(int32_t index, IKNString* string) override;
  IKNMutableString* Delete(int32_t start, int32_t count) override;
  IKNMutableString* Trim() override;
  IKNString* TakeString() override;

  // Units the buffer holds without growing (0 while there is no buffer).
  int32_t Capacity() const { return capacity_; }

 private:
  MutableString() = default;
  ~MutableString();
  // Makes the buffer hold at least `needed` units (growth rule).
  void Reserve(int64_t needed);
  // Opens a gap of `count` units at `index`, sets the new length and the
  // terminator, and returns the gap.
  wchar_t* OpenGap(int32_t index, int32_t count);
  void CheckInsertIndex(int32_t index) const;

  util::KNDirectCount count_;
  wchar_t* buffer_ = nullptr;
  int32_t length_ = 0;
  int32_t capacity_ = 0;
};

}  // namespace data
}  // namespace knfoundation
