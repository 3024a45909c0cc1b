// The growable text buffer: insertion, deletion, trimming and the hand-over
// of the finished text as an immutable string.
//
// A mutable string takes no lock; one thread uses it at a time. A failed
// operation leaves the text as it was, except `AppendCString`, whose units
// decoded before the failure stay appended.
#pragma once

#include <cstdarg>
#include <cstdint>

#include "foundation/text/IKNString.h"

namespace knfoundation {
namespace data {

class IKNMutableString : public IKNString {
 public:
  // Decodes `byteCount` bytes with `encoding` and appends the units;
  // "decode failed" when not all bytes could be decoded.
  virtual IKNMutableString* AppendCString(const char* bytes,
                                          int32_t byteCount,
                                          util::IKNEncoding* encoding) = 0;
  // Insertions at 0 to `Length()` inclusive.
  virtual IKNMutableString* Insert(int32_t index, const wchar_t* units, int32_t count) = 0;
  virtual IKNMutableString* Insert(int32_t index, const wchar_t* unitsZ) = 0;
  virtual IKNMutableString* Insert(int32_t index,
                                   IKNString* string,
                                   int32_t start,
                                   int32_t count) = 0;
  virtual IKNMutableString* Insert(int32_t index, IKNString* string) = 0;
  virtual IKNMutableString* Delete(int32_t start, int32_t count) = 0;
  // Removes trailing, then leading spaces, tabs, line feeds and returns.
  virtual IKNMutableString* Trim() = 0;
  // Owned immutable string with the text; this string is left empty.
  virtual IKNString* TakeString() = 0;

  // Built on the operations above.
  IKNMutableString* Append(IKNString* string);
  IKNMutableString* Append(IKNString* string, int32_t start, int32_t count);
  IKNMutableString* Append(const wchar_t* units, int32_t count);
  IKNMutableString* Append(wchar_t unit);
  IKNMutableString* AppendCString(const char* bytesZ, util::IKNEncoding* encoding);
  IKNMutableString* Replace(int32_t start, int32_t count, IKNString* string);
  // Replaces every match of `target`, never searching text just inserted;
  // returns the number of replacements. An empty target matches nothing.
  int32_t ReplaceAll(IKNString* target, IKNString* replacement);
  IKNMutableString* Clear();
  // `TakeString`, autoreleased.
  IKNString* TakeAutoReleased();
  IKNMutableString* AppendFormat(const char* format, ...);
  IKNMutableString* AppendFormatV(const char* format, va_list arguments);
};

// Owned empty string whose buffer holds at least `capacity` units
// ("capacity < 0" when negative; 0 allocates nothing).
IKNMutableString* KNNewMutableString(int32_t capacity);
// The same, autoreleased.
IKNMutableString* KNMutableStringWithCapacity(int32_t capacity);

}  // namespace data
}  // namespace knfoundation
