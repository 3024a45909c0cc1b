// Conversion between UTF-16 units and 8-bit text: the encoding interface and
// the three shared encodings.
//
// Converters work on caller-supplied bounded buffers, never allocate, never
// throw and never read or write past the counts they are given; incomplete
// work shows only in the counts they return. The encodings are stateless
// shared instances usable from any thread.
#pragma once

#include <cstdint>

#include "foundation/objects/IKNType.h"

namespace knfoundation {
namespace util {

class IKNEncoding : public IKNType {
 public:
  // Encodes up to `count` units into `dest` (at most `limit` bytes) and
  // returns the units consumed; `*bytesProduced` receives the bytes written.
  // A null `dest` counts the bytes needed without writing. A unit the
  // encoding cannot represent becomes `substitute`, or stops the conversion
  // when `substitute` is 0.
  virtual int32_t Encode(const wchar_t* units,
                         int32_t count,
                         uint8_t substitute,
                         char* dest,
                         int32_t limit,
                         int32_t* bytesProduced) = 0;
  // Decodes up to `count` bytes into `dest` (at most `limit` units) and
  // returns the bytes consumed; `*unitsProduced` receives the units written.
  virtual int32_t Decode(const char* bytes,
                         int32_t count,
                         wchar_t* dest,
                         int32_t limit,
                         int32_t* unitsProduced) = 0;
  // Upper bound of the bytes `units` units can need.
  virtual int32_t MaxBytes(int32_t units) = 0;
  // True when every ASCII character encodes to its own byte.
  virtual bool IsASCIICompatible() = 0;
};

// The shared encodings, lent; they live until process exit.
IKNEncoding* UTF8Encoding();
IKNEncoding* ASCIIEncoding();
IKNEncoding* Latin1Encoding();

}  // namespace util
}  // namespace knfoundation
