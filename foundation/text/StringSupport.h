// Shared pieces of the string classes: range checks, the reads of units stored
// contiguously, the generic forms of equality, hashing and 8-bit conversion,
// and the read window for strings whose units are not stored as UTF-16.
// Internal to the text folder.
#pragma once

#include <cstddef>
#include <cstdint>

#include "foundation/text/IKNString.h"

namespace knfoundation {
namespace impl {

// `KNOutOfRange` unless 0 <= start, 0 <= count and start + count <= length.
void CheckRange(int32_t start, int32_t count, int32_t length);
// `KNOutOfRange` unless 0 <= index < length.
void CheckIndex(int32_t index, int32_t length);
// Bytes for `units` units plus `extra`; `KNOutOfMemory` when that cannot be
// represented.
size_t UnitBytes(int64_t units, int64_t extra);

// `GetChars` and `CharAt` of a string whose `length` units lie contiguously
// at `units` (borrowed; may be null while `length` is 0). Range checked like
// the operations themselves; `dest` may be null only when `count` is 0 and
// may overlap the units.
void GetContiguousChars(const wchar_t* units,
                        int32_t length,
                        wchar_t* dest,
                        int32_t start,
                        int32_t count);
uint16_t ContiguousCharAt(const wchar_t* units, int32_t length, int32_t index);

// `object` as a string, or null when it is none (or null).
data::IKNString* AsString(IKNType* object);
bool GenericIsEqual(data::IKNString* self, IKNType* other);
uint32_t GenericHash(data::IKNString* self);
int32_t GenericEncode(data::IKNString* self,
                      int32_t start,
                      int32_t count,
                      util::IKNEncoding* encoding,
                      uint8_t substitute,
                      char* dest,
                      int32_t maxBytes,
                      int32_t* bytesWritten);
bool GenericGetCString(data::IKNString* self,
                       char* buffer,
                       int32_t size,
                       util::IKNEncoding* encoding);
const char* GenericCString(data::IKNString* self, util::IKNEncoding* encoding);

// Reads the units of any string: directly when `Chars` is available,
// otherwise through a window of up to 64 units refilled by `GetChars`,
// starting 4 units before the index that left it. The string is borrowed.
class UnitReader {
 public:
  UnitReader(data::IKNString* string, int32_t window);
  int32_t Length() const { return length_; }
  uint16_t At(int32_t index) {
    if (direct_)
      return direct_[index];
    if (index < first_ || index >= first_ + filled_)
      Refill(index);
    return window_[index - first_];
  }

 private:
  void Refill(int32_t index);

  data::IKNString* string_;
  const wchar_t* direct_;
  int32_t length_;
  int32_t size_;
  int32_t first_ = 0;
  int32_t filled_ = 0;
  wchar_t window_[64];
};

}  // namespace impl
}  // namespace knfoundation
