// The conversion algorithms of the three encodings as plain functions, shared
// by the encoding objects and usable without them (the benchmark calls them
// directly). Contracts are those of `IKNEncoding::Encode` and `Decode`.
#pragma once

#include <cstdint>

namespace knfoundation {
namespace impl {

// UTF-8. A null `dest` or a `limit` of 0 measures: nothing is written and the
// output is not bounded. Lead bytes F8 to FF stop decoding (not consumed).
int32_t Utf8Encode(const wchar_t* units,
                   int32_t count,
                   char* dest,
                   int32_t limit,
                   int32_t* bytesProduced);
int32_t Utf8Decode(const char* bytes,
                   int32_t count,
                   wchar_t* dest,
                   int32_t limit,
                   int32_t* unitsProduced);

// Single-byte encodings with the given ceiling (127 for ASCII, 255 for
// Latin-1). With a destination, `limit` bytes of room; without, counting.
int32_t SingleByteEncode(const wchar_t* units,
                         int32_t count,
                         uint16_t ceiling,
                         uint8_t substitute,
                         char* dest,
                         int32_t limit,
                         int32_t* bytesProduced);
// Bytes zero-extended to units: min(count, limit) of them, also when `dest` is
// null (then nothing is written).
int32_t SingleByteDecode(const char* bytes,
                         int32_t count,
                         wchar_t* dest,
                         int32_t limit,
                         int32_t* unitsProduced);

}  // namespace impl
}  // namespace knfoundation
