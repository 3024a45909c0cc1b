// The UTF-8 and single-byte conversion loops. Runs of ASCII are converted
// several units at a time; the counts are exactly those of the unit-by-unit
// rules.
#include "foundation/text/EncodingCodecs.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace knfoundation {
namespace impl {
namespace {

constexpr uint64_t kHighBitsOf4Units = 0xFF80FF80FF80FF80ull;
constexpr uint64_t kHighBitsOf8Bytes = 0x8080808080808080ull;
constexpr int64_t kMaxCount = 2147483647;

// Bytes that follow a lead byte: 0 for 00-BF, 1 for C0-DF, 2 for E0-EF, 3 for
// F0-F7, 4 and 5 for F8-FF (sequences this decoder does not accept).
inline int TrailingBytes(uint8_t lead) {
  if (lead < 0xC0)
    return 0;
  if (lead < 0xE0)
    return 1;
  if (lead < 0xF0)
    return 2;
  if (lead < 0xF8)
    return 3;
  return lead < 0xFC ? 4 : 5;
}

constexpr uint32_t kOffsets[4] = {0, 0x3080, 0xE2080, 0x3C82080};

// Copies the leading ASCII units of `units[0..n)` as bytes; returns how many.
inline int32_t NarrowAsciiRun(const wchar_t* units, int32_t n, uint8_t* dest) {
  int32_t k = 0;
#if defined(__SSE2__)
  const __m128i high = _mm_set1_epi16(static_cast<short>(0xFF80));
  const __m128i zero = _mm_setzero_si128();
  while (k + 16 <= n) {
    const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(units + k));
    const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(units + k + 8));
    const __m128i above = _mm_and_si128(_mm_or_si128(a, b), high);
    if (_mm_movemask_epi8(_mm_cmpeq_epi16(above, zero)) != 0xFFFF)
      break;
    _mm_storeu_si128(reinterpret_cast<__m128i*>(dest + k), _mm_packus_epi16(a, b));
    k += 16;
  }
#endif
  while (k + 4 <= n) {
    uint64_t w;
    memcpy(&w, units + k, sizeof w);
    if (w & kHighBitsOf4Units)
      break;
    uint32_t packed = static_cast<uint32_t>((w & 0xFF) | ((w >> 8) & 0xFF00) |
                                            ((w >> 16) & 0xFF0000) | ((w >> 24) & 0xFF000000));
    memcpy(dest + k, &packed, sizeof packed);
    k += 4;
  }
  while (k < n && units[k] < 0x80) {
    dest[k] = static_cast<uint8_t>(units[k]);
    ++k;
  }
  return k;
}

// Counts the leading ASCII units of `units[0..n)`.
inline int32_t CountAsciiUnits(const wchar_t* units, int32_t n) {
  int32_t k = 0;
  while (k + 4 <= n) {
    uint64_t w;
    memcpy(&w, units + k, sizeof w);
    if (w & kHighBitsOf4Units)
      break;
    k += 4;
  }
  while (k < n && units[k] < 0x80)
    ++k;
  return k;
}

// Widens the leading ASCII bytes of `bytes[0..n)` into units (or only counts
// them when `dest` is null); returns how many.
inline int32_t WidenAsciiRun(const uint8_t* bytes, int32_t n, wchar_t* dest) {
  int32_t k = 0;
#if defined(__SSE2__)
  const __m128i zero = _mm_setzero_si128();
  while (k + 16 <= n) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + k));
    if (_mm_movemask_epi8(v) != 0)
      break;
    if (dest) {
      _mm_storeu_si128(reinterpret_cast<__m128i*>(dest + k), _mm_unpacklo_epi8(v, zero));
      _mm_storeu_si128(reinterpret_cast<__m128i*>(dest + k + 8), _mm_unpackhi_epi8(v, zero));
    }
    k += 16;
  }
#endif
  while (k + 8 <= n) {
    uint64_t w;
    memcpy(&w, bytes + k, sizeof w);
    if (w & kHighBitsOf8Bytes)
      break;
    if (dest) {
      for (int j = 0; j < 8; ++j)
        dest[k + j] = static_cast<wchar_t>(bytes[k + j]);
    }
    k += 8;
  }
  while (k < n && bytes[k] < 0x80) {
    if (dest)
      dest[k] = static_cast<wchar_t>(bytes[k]);
    ++k;
  }
  return k;
}

}  // namespace

namespace {

// The code point at `units[i]` (a surrogate pair combined when complete) and
// the units it takes.
inline uint32_t CodePointAt(const wchar_t* units, int32_t i, int32_t count, int* taken) {
  const uint32_t unit = units[i];
  *taken = 1;
  if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < count) {
    const uint32_t low = units[i + 1];
    if (low >= 0xDC00 && low <= 0xDFFF) {
      *taken = 2;
      return 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
    }
  }
  return unit;
}

int32_t Utf8Measure(const wchar_t* units, int32_t count, int32_t* bytesProduced) {
  int64_t produced = 0;
  int32_t i = 0;
  while (i < count) {
    if (units[i] < 0x80) {
      int32_t n = count - i;
      if (n > kMaxCount - produced)
        n = static_cast<int32_t>(kMaxCount - produced);
      if (n == 0)
        break;
      const int32_t k = CountAsciiUnits(units + i, n);
      i += k;
      produced += k;
      continue;
    }
    int taken;
    const uint32_t cp = CodePointAt(units, i, count, &taken);
    const int length = cp < 0x800 ? 2 : cp < 0x10000 ? 3 : 4;
    if (produced + length > kMaxCount)
      break;
    produced += length;
    i += taken;
  }
  *bytesProduced = static_cast<int32_t>(produced);
  return i;
}

}  // namespace

int32_t Utf8Encode(const wchar_t* units,
                   int32_t count,
                   char* dest,
                   int32_t limit,
                   int32_t* bytesProduced) {
  int32_t produced = 0;
  int32_t i = 0;
  if (!dest || limit == 0) {
    i = Utf8Measure(units, count, &produced);
  } else if (limit > 0) {
    uint8_t* out = reinterpret_cast<uint8_t*>(dest);
    uint8_t* const end = out + limit;
    while (i < count) {
      const uint32_t unit = units[i];
      if (unit < 0x80) {
        if (out == end)
          break;
        *out++ = static_cast<uint8_t>(unit);
        ++i;
        // A second ASCII unit suggests a run: convert it in blocks.
        if (i < count && units[i] < 0x80) {
          int32_t n = count - i;
          if (n > end - out)
            n = static_cast<int32_t>(end - out);
          if (n >= 16) {
            const int32_t k = NarrowAsciiRun(units + i, n, out);
            i += k;
            out += k;
          }
        }
        continue;
      }
      if (unit < 0x800) {
        if (end - out < 2)
          break;
        out[0] = static_cast<uint8_t>(0xC0 | (unit >> 6));
        out[1] = static_cast<uint8_t>(0x80 | (unit & 0x3F));
        out += 2;
        ++i;
        continue;
      }
      if (unit < 0xD800 || unit > 0xDFFF) {
        if (end - out < 3)
          break;
        out[0] = static_cast<uint8_t>(0xE0 | (unit >> 12));
        out[1] = static_cast<uint8_t>(0x80 | ((unit >> 6) & 0x3F));
        out[2] = static_cast<uint8_t>(0x80 | (unit & 0x3F));
        out += 3;
        ++i;
        continue;
      }
      int taken;
      const uint32_t cp = CodePointAt(units, i, count, &taken);
      if (cp < 0x10000) {
        if (end - out < 3)
          break;
        out[0] = static_cast<uint8_t>(0xE0 | (cp >> 12));
        out[1] = static_cast<uint8_t>(0x80 | ((cp >> 6) & 0x3F));
        out[2] = static_cast<uint8_t>(0x80 | (cp & 0x3F));
        out += 3;
      } else {
        if (end - out < 4)
          break;
        out[0] = static_cast<uint8_t>(0xF0 | (cp >> 18));
        out[1] = static_cast<uint8_t>(0x80 | ((cp >> 12) & 0x3F));
        out[2] = static_cast<uint8_t>(0x80 | ((cp >> 6) & 0x3F));
        out[3] = static_cast<uint8_t>(0x80 | (cp & 0x3F));
        out += 4;
      }
      i += taken;
    }
    produced = static_cast<int32_t>(out - reinterpret_cast<uint8_t*>(dest));
  }
  if (bytesProduced)
    *bytesProduced = produced;
  return i;
}

namespace {

// Writes the units of a decoded value (the value is that of the lead byte's
// sequence after the offset); false when a pair does not fit.
inline bool PutValue(uint32_t value, wchar_t*& out, wchar_t* end) {
  if (value <= 0xFFFF) {
    *out++ = static_cast<wchar_t>(value);
  } else if (value <= 0x10FFFF) {
    if (end - out < 2)
      return false;
    value -= 0x10000;
    out[0] = static_cast<wchar_t>(0xD800 + (value >> 10));
    out[1] = static_cast<wchar_t>(0xDC00 + (value & 0x3FF));
    out += 2;
  } else {
    *out++ = static_cast<wchar_t>(0xFFFD);
  }
  return true;
}

// The writing form of `Utf8Decode`: the same sequences and counts as the
// measuring loop, with the common lengths unrolled.
int32_t Utf8DecodeInto(const uint8_t* in,
                       int32_t count,
                       wchar_t* dest,
                       int32_t limit,
                       int32_t* unitsProduced) {
  wchar_t* out = dest;
  wchar_t* const end = dest + limit;
  int32_t i = 0;
  while (i < count && out < end) {
    const uint32_t lead = in[i];
    if (lead < 0x80) {
      *out++ = static_cast<wchar_t>(lead);
      ++i;
      // A second ASCII byte suggests a run: convert it in blocks.
      if (i < count && in[i] < 0x80) {
        int32_t n = count - i;
        if (n > end - out)
          n = static_cast<int32_t>(end - out);
        if (n >= 16) {
          const int32_t k = WidenAsciiRun(in + i, n, out);
          i += k;
          out += k;
        }
      }
      continue;
    }
    const int32_t left = count - i;
    uint32_t value;
    int32_t length;
    if (lead < 0xC0) {
      value = lead;  // a stray continuation byte stands for itself
      length = 1;
    } else if (lead < 0xE0) {
      if (left < 2)
        break;
      value = (lead << 6) + in[i + 1] - kOffsets[1];
      length = 2;
    } else if (lead < 0xF0) {
      if (left < 3)
        break;
      value = (lead << 12) + (static_cast<uint32_t>(in[i + 1]) << 6) + in[i + 2] - kOffsets[2];
      length = 3;
    } else if (lead < 0xF8) {
      if (left < 4)
        break;
      value = (lead << 18) + (static_cast<uint32_t>(in[i + 1]) << 12) +
              (static_cast<uint32_t>(in[i + 2]) << 6) + in[i + 3] - kOffsets[3];
      length = 4;
    } else {
      break;  // F8-FF: not a sequence this decoder accepts; stop before it
    }
    if (!PutValue(value, out, end))
      break;
    i += length;
  }
  *unitsProduced = static_cast<int32_t>(out - dest);
  return i;
}

}  // namespace

int32_t Utf8Decode(const char* bytes,
                   int32_t count,
                   wchar_t* dest,
                   int32_t limit,
                   int32_t* unitsProduced) {
  if (!dest)
    limit = 0;
  const uint8_t* in = reinterpret_cast<const uint8_t*>(bytes);
  int32_t produced = 0;
  int32_t i = 0;
  if (limit > 0) {
    i = Utf8DecodeInto(in, count, dest, limit, &produced);
  } else if (limit == 0) {
    // Measuring: the units of every complete sequence, nothing written.
    while (i < count) {
      const uint8_t lead = in[i];
      if (lead < 0x80) {
        const int32_t k = WidenAsciiRun(in + i, count - i, nullptr);
        i += k;
        produced += k;
        continue;
      }
      const int trailing = TrailingBytes(lead);
      if (trailing > 3)
        break;  // F8-FF: not a sequence this decoder accepts; stop before it
      if (count - i <= trailing)
        break;  // the input ends inside the sequence
      uint32_t value = 0;
      for (int k = 0; k <= trailing; ++k)
        value = (value << 6) + in[i + k];
      value -= kOffsets[trailing];
      produced += value > 0xFFFF && value <= 0x10FFFF ? 2 : 1;
      i += trailing + 1;
    }
  }
  if (unitsProduced)
    *unitsProduced = produced;
  return i;
}

int32_t SingleByteEncode(const wchar_t* units,
                         int32_t count,
                         uint16_t ceiling,
                         uint8_t substitute,
                         char* dest,
                         int32_t limit,
                         int32_t* bytesProduced) {
  uint8_t* out = reinterpret_cast<uint8_t*>(dest);
  int32_t i = 0;
  while (i < count) {
    if (dest) {
      if (i >= limit)
        break;
      if (units[i] < 0x80) {
        i += NarrowAsciiRun(units + i, (count < limit ? count : limit) - i, out + i);
        continue;
      }
    }
    uint8_t byte;
    if (units[i] > ceiling) {
      if (!substitute)
        break;
      byte = substitute;
    } else {
      byte = static_cast<uint8_t>(units[i]);
    }
    if (dest)
      out[i] = byte;
    ++i;
  }
  if (bytesProduced)
    *bytesProduced = i;
  return i;
}

int32_t SingleByteDecode(const char* bytes,
                         int32_t count,
                         wchar_t* dest,
                         int32_t limit,
                         int32_t* unitsProduced) {
  int32_t n = count < limit ? count : limit;
  if (n < 0)
    n = 0;
  if (dest) {
    const uint8_t* in = reinterpret_cast<const uint8_t*>(bytes);
    for (int32_t k = 0; k < n; ++k)
      dest[k] = static_cast<wchar_t>(in[k]);
  }
  if (unitsProduced)
    *unitsProduced = n;
  return n;
}

}  // namespace impl
}  // namespace knfoundation
