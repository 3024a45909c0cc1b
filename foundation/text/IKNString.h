// Text as UTF-16 code units behind one interface, the literal factory and the
// creation functions.
//
// All string classes compare equal and hash alike when they hold the same
// units. Immutable strings may be shared between threads. Creation functions
// whose name contains "New" return an owned string; the others return an
// autoreleased one. Returned 8-bit texts live until the current pool is
// disposed.
#pragma once

#include <cstdint>

#include "foundation/objects/IKNType.h"

namespace knfoundation {
namespace util {
class IKNEncoding;
}
namespace base {
class IKNAllocator;
}

namespace data {

// A match of `IndexOf`: (-1, 0) when there is none.
struct KNRange {
  int32_t position;
  int32_t length;
};

class IKNString : public util::IKNCloning {
 public:
  // Owned immutable string with the same units.
  IKNString* Copy() override = 0;
  // Zero-terminated UTF-8, valid until the current pool is disposed.
  virtual const char* UTF8String() = 0;
  virtual int32_t Length() = 0;
  // Copies `count` units from `start` into `dest` (range checked).
  virtual void GetChars(wchar_t* dest, int32_t start, int32_t count) = 0;
  virtual uint16_t CharAt(int32_t index) = 0;
  // The units when stored as UTF-16, otherwise null.
  virtual const wchar_t* Chars() = 0;
  // Encodes a range; returns the units consumed, `*bytesWritten` the bytes.
  virtual int32_t Encode(int32_t start,
                         int32_t count,
                         util::IKNEncoding* encoding,
                         uint8_t substitute,
                         char* dest,
                         int32_t maxBytes,
                         int32_t* bytesWritten) = 0;
  // Writes the zero-terminated text into `buffer` (size bytes including the
  // terminator); true when the whole string fitted.
  virtual bool GetCString(char* buffer, int32_t size, util::IKNEncoding* encoding) = 0;
  // Zero-terminated text in `encoding`, valid until the current pool is
  // disposed; "IKNString::CString failed" when not representable.
  virtual const char* CString(util::IKNEncoding* encoding) = 0;

  // Non-virtual operations built on the above.
  void CopyChars(wchar_t* dest);
  // The units zero-terminated: `Chars` or autoreleased scratch memory.
  const wchar_t* CharsZ();
  KNRange IndexOf(IKNString* sub, int32_t start, int32_t count);
  KNRange IndexOf(IKNString* sub);
  bool StartsWith(IKNString* prefix);
  bool EndsWith(IKNString* suffix);
  // Autoreleased new strings.
  IKNString* Substring(int32_t start, int32_t count);
  IKNString* Concat(IKNString* other);
  // Number parsing over the first 31 characters (strtoll / strtod rules).
  int64_t ParseLong(int32_t base);
  double ParseDouble();
};

// The string hash shared by every class: h = n; each unit (above 16 units the
// first and the last 8) folded in as h * 257 + unit; then h + (h << (n % 32)).
uint32_t KNStringHash(const wchar_t* units, int32_t length);

// Creation functions. Names with "New" return an owned string, the others an
// autoreleased one. Negative lengths: "length < 0"; null where units, bytes,
// a string or an encoding are needed: `KNNullPtr`.
//
// The empty literal (immortal).
IKNString* KNEmptyString();
// A `UTF16String` copy of `length` units.
IKNString* KNNewString(const wchar_t* units, int32_t length);
IKNString* KNStringWithChars(const wchar_t* units, int32_t length);
IKNString* KNStringWithCharsZ(const wchar_t* unitsZ);
// A `UTF16String` with the units of any string.
IKNString* KNNewStringCopy(IKNString* string);
// A `UTF16Wrapper` that takes the units over (they must be followed by a zero
// unit), retains `allocator` and frees the units through it when it dies. On
// failure nothing is taken over.
IKNString* KNNewStringWrapper(wchar_t* units, int32_t length, base::IKNAllocator* allocator);
IKNString* KNNewStringWrapperZ(wchar_t* unitsZ, base::IKNAllocator* allocator);
IKNString* KNStringWrapperZ(wchar_t* unitsZ, base::IKNAllocator* allocator);
// Text decoded from 8-bit bytes; "Unable to decode characters" when not all
// bytes decode. Up to 127 bytes need no heap scratch area; longer input is
// decoded into a heap block that the new string takes over.
IKNString* KNNewStringFromBytes(const char* bytes, int32_t length, util::IKNEncoding* encoding);
IKNString* KNStringFromBytes(const char* bytes, int32_t length, util::IKNEncoding* encoding);
IKNString* KNStringFromBytesZ(const char* bytesZ, util::IKNEncoding* encoding);

}  // namespace data

namespace impl {

// Caller-owned 8-bit text wrapped for the duration of a call (a stack
// temporary): reports count 1 and refuses Retain, Release and AutoRelease.
// Bytes read as units 0 to 255. Keep its `Copy` to store it.
class KNASCIIWrapper : public data::IKNString {
 public:
  explicit KNASCIIWrapper(const char* textZ);
  KNASCIIWrapper(const char* text, int32_t length);

  int32_t RetainCount() override;
  IKNType* Retain() override;
  void Release() override;
  IKNType* AutoRelease() override;
  bool IsEqual(IKNType* other) override;
  uint32_t Hash() override;
  data::IKNString* Description() override;
  data::IKNString* Copy() override;
  const char* UTF8String() override;
  int32_t Length() override;
  void GetChars(wchar_t* dest, int32_t start, int32_t count) override;
  uint16_t CharAt(int32_t index) override;
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

  const char* Bytes() const { return text_; }
  int32_t ByteLength() const { return length_; }

  ~KNASCIIWrapper() = default;

 protected:
  // `zeroTerminated`: a zero byte is known to follow the text, so the bytes
  // themselves can serve as a C string.
  KNASCIIWrapper(const char* text, int32_t length, bool zeroTerminated);

 private:
  const char* text_;
  int32_t length_;
  bool zeroTerminated_;
};

// Interned immortal 8-bit text with static lifetime.
class KNLiteral : public KNASCIIWrapper {
 public:
  // The one literal for this content (the first text pointer given is kept).
  static data::IKNString* Intern(const char* text, int32_t length);
  static data::IKNString* Intern(const char* textZ);
  // As above, for a text known to be followed by a zero byte (`KN_LIT`).
  static data::IKNString* Intern(const char* text, int32_t length, bool zeroTerminated);

  int32_t RetainCount() override;
  IKNType* Retain() override;
  void Release() override;
  IKNType* AutoRelease() override;
  data::IKNString* Description() override;
  data::IKNString* Copy() override;

 private:
  friend class KNLiteralSet;
  KNLiteral(const char* text, int32_t length, bool zeroTerminated)
      : KNASCIIWrapper(text, length, zeroTerminated) {}
};

}  // namespace impl

// `KN_LIT("text")`: the interned literal for a string literal.
#define KN_LIT(text) (::knfoundation::impl::KNLiteral::Intern("" text, sizeof(text) - 1, true))

}  // namespace knfoundation
