// The three encodings: exact consumed and produced counts, limits, measuring
// and substitutes, one table per direction.
#include <string>
#include <vector>

#include "foundation/text/IKNEncoding.h"
#include <gtest/gtest.h>

namespace knfoundation {
namespace {

using util::IKNEncoding;

// Limit kNullDest passes a null destination.
constexpr int32_t kNullDest = -1;
// Limit kMeasure passes a destination with a limit of 0 (UTF-8 measures).
constexpr int32_t kMeasure = -2;

struct EncodeCase {
  const char* what;
  IKNEncoding* (*encoding)();
  std::wstring units;
  uint8_t substitute;
  int32_t limit;
  int32_t consumed;
  std::string bytes;  // written, or (null destination) only its length counts
};

TEST(EncodingsTest, EncodeCountsAndBytes) {
  const std::wstring ascii40(40, L'a');
  const EncodeCase cases[] = {
      {"two-byte sequence", util::UTF8Encoding, L"\u00E9", 0, 16, 1, "\xC3\xA9"},
      {"three-byte sequence", util::UTF8Encoding, L"\u20AC", 0, 16, 1, "\xE2\x82\xAC"},
      {"surrogate pair is one four-byte sequence", util::UTF8Encoding, L"\xD83D\xDE00", 0, 16, 2,
       "\xF0\x9F\x98\x80"},
      {"lone high surrogate", util::UTF8Encoding, L"\xD800", 0, 16, 1, "\xED\xA0\x80"},
      {"lone low surrogate", util::UTF8Encoding, L"\xDC00", 0, 16, 1, "\xED\xB0\x80"},
      {"high surrogate followed by a letter", util::UTF8Encoding,
       L"\xD800"
       L"A",
       0, 16, 2,
       "\xED\xA0\x80"
       "A"},
      {"pair that does not fit is not consumed", util::UTF8Encoding, L"A\xD83D\xDE00", 0, 4, 1,
       "A"},
      {"sequence cut by the limit", util::UTF8Encoding, L"A\u00E9", 0, 2, 1, "A"},
      {"exact fit", util::UTF8Encoding, L"A\u00E9", 0, 3, 2, "A\xC3\xA9"},
      {"ASCII run cut by the limit", util::UTF8Encoding, ascii40, 0, 13, 13, std::string(13, 'a')},
      {"ASCII run ending inside a fast block", util::UTF8Encoding, L"abc\u00E9defgh", 0, 32, 9,
       "abc\xC3\xA9"
       "defgh"},
      {"null destination measures", util::UTF8Encoding, L"a\u00E9\u20AC\xD83D\xDE00", 0, kNullDest,
       5, std::string(10, '?')},
      {"limit 0 with a destination measures", util::UTF8Encoding, L"a\u00E9", 0, kMeasure, 2,
       std::string(3, '?')},
      {"empty input", util::UTF8Encoding, L"", 0, 16, 0, ""},
      {"ASCII stops at a unit above 127", util::ASCIIEncoding,
       L"A\u00E9"
       L"B",
       0, 16, 1, "A"},
      {"ASCII substitute", util::ASCIIEncoding,
       L"A\u00E9"
       L"B",
       '?', 16, 3, "A?B"},
      {"ASCII with no room", util::ASCIIEncoding, L"abc", 0, 0, 0, ""},
      {"ASCII cut by the limit", util::ASCIIEncoding, L"abc", 0, 2, 2, "ab"},
      {"ASCII counting without a destination", util::ASCIIEncoding, L"abc", 0, kNullDest, 3, "???"},
      {"Latin-1 writes E9", util::Latin1Encoding, L"\u00E9", 0, 16, 1, "\xE9"},
      {"Latin-1 stops at the euro sign", util::Latin1Encoding, L"\u20AC", 0, 16, 0, ""},
      {"Latin-1 substitute", util::Latin1Encoding, L"x\u20AC", '?', 16, 2, "x?"},
  };
  for (const EncodeCase& c : cases) {
    SCOPED_TRACE(c.what);
    char dest[64];
    memset(dest, 0x55, sizeof dest);
    int32_t produced = -7;
    const int32_t consumed = c.encoding()->Encode(
        c.units.data(), static_cast<int32_t>(c.units.size()), c.substitute,
        c.limit == kNullDest ? nullptr : dest, c.limit < 0 ? 0 : c.limit, &produced);
    EXPECT_EQ(c.consumed, consumed);
    if (c.limit < 0) {
      EXPECT_EQ(static_cast<int32_t>(c.bytes.size()), produced);
      EXPECT_EQ(0x55, dest[0]) << "nothing is written while measuring";
    } else {
      EXPECT_EQ(c.bytes, std::string(dest, static_cast<size_t>(produced)));
      EXPECT_EQ(0x55, dest[c.limit]) << "nothing beyond the limit";
    }
  }
}

struct DecodeCase {
  const char* what;
  IKNEncoding* (*encoding)();
  std::string bytes;
  bool nullDest;
  int32_t limit;
  int32_t consumed;
  std::wstring units;  // written, or (measuring) only its length counts
};

TEST(EncodingsTest, DecodeCountsAndUnits) {
  const DecodeCase cases[] = {
      {"four-byte sequence gives a pair", util::UTF8Encoding, "\xF0\x9F\x98\x80", false, 8, 4,
       L"\xD83D\xDE00"},
      {"value above U+10FFFF gives FFFD", util::UTF8Encoding, "\xF4\x90\x80\x80", false, 8, 4,
       L"\xFFFD"},
      {"overlong zero accepted", util::UTF8Encoding, std::string("\xC0\x80", 2), false, 8, 2,
       std::wstring(1, L'\0')},
      {"incomplete sequence not consumed", util::UTF8Encoding, "\xE2\x82", false, 8, 0, L""},
      {"units before an incomplete sequence", util::UTF8Encoding, "A\xE2\x82", false, 8, 1, L"A"},
      {"stray continuation byte", util::UTF8Encoding, "\x80", false, 8, 1, L"\u0080"},
      {"byte-order mark is a character", util::UTF8Encoding, "\xEF\xBB\xBF", false, 8, 3,
       L"\xFEFF"},
      {"lead F8 stops without reading on", util::UTF8Encoding, "A\xF8\x88\x80\x80\x80", false, 8, 1,
       L"A"},
      {"lead FF as the last byte", util::UTF8Encoding, "A\xFF", false, 8, 1, L"A"},
      {"pair needs two units of room", util::UTF8Encoding, "\xF0\x9F\x98\x80", false, 1, 0, L""},
      {"ASCII run cut by the limit", util::UTF8Encoding, std::string(20, 'b'), false, 13, 13,
       std::wstring(13, L'b')},
      {"mixed text", util::UTF8Encoding,
       "a\xC3\xA9\xE2\x82\xAC"
       "bcdefghij",
       false, 32, 15,
       L"a\u00E9\u20AC"
       L"bcdefghij"},
      {"null destination counts complete sequences", util::UTF8Encoding,
       "a\xC3\xA9\xF0\x9F\x98\x80\xE2", true, 0, 7, L"????"},
      {"limit 0 with a destination measures", util::UTF8Encoding, "ab\xC3\xA9", false, 0, 4,
       L"???"},
      {"ASCII decodes E9", util::ASCIIEncoding, "\xE9", false, 8, 1, L"\u00E9"},
      {"Latin-1 decodes E9", util::Latin1Encoding, "\xE9", false, 8, 1, L"\u00E9"},
      {"single-byte decode stops at the limit", util::ASCIIEncoding, "abcde", false, 3, 3, L"abc"},
      {"single-byte null destination reports min(count, limit)", util::Latin1Encoding, "abcde",
       true, 3, 3, L"???"},
      {"single-byte limit 0 leaves no room", util::ASCIIEncoding, "abc", false, 0, 0, L""},
  };
  for (const DecodeCase& c : cases) {
    SCOPED_TRACE(c.what);
    wchar_t dest[64];
    wmemset(dest, 0x5555, 64);
    int32_t produced = -7;
    const int32_t consumed =
        c.encoding()->Decode(c.bytes.data(), static_cast<int32_t>(c.bytes.size()),
                             c.nullDest ? nullptr : dest, c.limit, &produced);
    EXPECT_EQ(c.consumed, consumed);
    EXPECT_EQ(static_cast<int32_t>(c.units.size()), produced);
    if (c.nullDest || c.limit == 0) {
      EXPECT_EQ(0x5555, dest[0]) << "nothing is written while measuring";
    } else {
      EXPECT_EQ(c.units, std::wstring(dest, static_cast<size_t>(produced)));
      EXPECT_EQ(0x5555, dest[c.limit]) << "nothing beyond the limit";
    }
  }
}

TEST(EncodingsTest, MaxBytesAndCompatibility) {
  EXPECT_EQ(30, util::UTF8Encoding()->MaxBytes(10));
  EXPECT_EQ(10, util::ASCIIEncoding()->MaxBytes(10));
  EXPECT_EQ(10, util::Latin1Encoding()->MaxBytes(10));
  EXPECT_EQ(2147483647, util::UTF8Encoding()->MaxBytes(1000000000)) << "clamped, never negative";
  EXPECT_TRUE(util::UTF8Encoding()->IsASCIICompatible());
  EXPECT_TRUE(util::ASCIIEncoding()->IsASCIICompatible());
  EXPECT_TRUE(util::Latin1Encoding()->IsASCIICompatible());
}

TEST(EncodingsTest, SharedInstancesAreImmortalWhileTheProcessRuns) {
  EXPECT_EQ(util::UTF8Encoding(), util::UTF8Encoding());
  EXPECT_NE(static_cast<IKNEncoding*>(util::ASCIIEncoding()), util::Latin1Encoding());
  IKNEncoding* utf8 = util::UTF8Encoding();
  const int32_t count = utf8->RetainCount();
  utf8->Retain();
  EXPECT_EQ(count + 1, utf8->RetainCount());
  utf8->Release();
  EXPECT_EQ(count, utf8->RetainCount());
}

// The conversion rules applied one character at a time, as the reference for
// the converters' block-wise fast paths.
int32_t ReferenceDecode(const std::string& bytes, int32_t limit, std::wstring* out) {
  static const uint32_t offsets[4] = {0, 0x3080, 0xE2080, 0x3C82080};
  const int32_t count = static_cast<int32_t>(bytes.size());
  int32_t i = 0;
  while (i < count && static_cast<int32_t>(out->size()) < limit) {
    const uint8_t lead = static_cast<uint8_t>(bytes[i]);
    const int trailing = lead < 0xC0 ? 0 : lead < 0xE0 ? 1 : lead < 0xF0 ? 2 : lead < 0xF8 ? 3 : 9;
    if (trailing == 9 || count - i <= trailing)
      break;
    uint32_t value = 0;
    for (int k = 0; k <= trailing; ++k)
      value = value * 64 + static_cast<uint8_t>(bytes[i + k]);
    value -= offsets[trailing];
    if (value <= 0xFFFF) {
      out->push_back(static_cast<wchar_t>(value));
    } else if (value <= 0x10FFFF) {
      if (limit - static_cast<int32_t>(out->size()) < 2)
        break;
      out->push_back(static_cast<wchar_t>(0xD800 + ((value - 0x10000) >> 10)));
      out->push_back(static_cast<wchar_t>(0xDC00 + ((value - 0x10000) & 0x3FF)));
    } else {
      out->push_back(L'\xFFFD');
    }
    i += trailing + 1;
  }
  return i;
}

int32_t ReferenceEncode(const std::wstring& units, int32_t limit, std::string* out) {
  const int32_t count = static_cast<int32_t>(units.size());
  int32_t i = 0;
  while (i < count && static_cast<int32_t>(out->size()) < limit) {
    uint32_t cp = units[i];
    int taken = 1;
    if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < count && units[i + 1] >= 0xDC00 &&
        units[i + 1] <= 0xDFFF) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (units[i + 1] - 0xDC00u);
      taken = 2;
    }
    const int length = cp < 0x80 ? 1 : cp < 0x800 ? 2 : cp < 0x10000 ? 3 : 4;
    if (limit - static_cast<int32_t>(out->size()) < length)
      break;
    static const uint8_t firsts[5] = {0, 0x00, 0xC0, 0xE0, 0xF0};
    out->push_back(static_cast<char>((cp >> (6 * (length - 1))) | firsts[length]));
    for (int k = length - 2; k >= 0; --k)
      out->push_back(static_cast<char>(0x80 | ((cp >> (6 * k)) & 0x3F)));
    i += taken;
  }
  return i;
}

TEST(EncodingsTest, FastPathsMatchTheCharacterRules) {
  // Deterministic mixtures of ASCII runs (long enough for the block paths)
  // and other characters, with limits that cut inside runs and sequences.
  uint32_t seed = 12345;
  auto next = [&seed](uint32_t n) {
    seed = seed * 1103515245u + 12345u;
    return (seed >> 8) % n;
  };
  const wchar_t others[] = {0x00E9, 0x07FF, 0x0800, 0x20AC, 0xFFFF, 0xD83D, 0xDE00, 0xDC00, 0x7F};
  for (int round = 0; round < 400; ++round) {
    std::wstring units;
    const uint32_t pieces = 1 + next(12);
    for (uint32_t p = 0; p < pieces; ++p) {
      if (next(2)) {
        units.append(next(40), static_cast<wchar_t>('a' + next(26)));
      } else {
        units.push_back(others[next(sizeof others / sizeof others[0])]);
        if (next(3) == 0)
          units.append(L"\xD83D\xDE00");
      }
    }
    const int32_t count = static_cast<int32_t>(units.size());
    const int32_t limit = 1 + static_cast<int32_t>(next(static_cast<uint32_t>(count) * 3 + 4));
    std::string expected;
    const int32_t expectedConsumed = ReferenceEncode(units, limit, &expected);
    std::string bytes(static_cast<size_t>(limit) + 8, '\x55');
    int32_t produced = 0;
    ASSERT_EQ(expectedConsumed,
              util::UTF8Encoding()->Encode(units.data(), count, 0, &bytes[0], limit, &produced))
        << "round " << round;
    ASSERT_EQ(expected, bytes.substr(0, static_cast<size_t>(produced))) << "round " << round;
    ASSERT_EQ('\x55', bytes[static_cast<size_t>(limit)]);

    // Decode the encoding (with a stray byte, or cut short) under a random limit.
    std::string input;
    ReferenceEncode(units, 1 << 30, &input);
    if (next(4) == 0)
      input.insert(next(static_cast<uint32_t>(input.size()) + 1), 1,
                   static_cast<char>(0x80 + next(128)));
    if (next(3) == 0)
      input.resize(next(static_cast<uint32_t>(input.size()) + 1));  // may end inside a sequence
    const int32_t unitLimit =
        1 + static_cast<int32_t>(next(static_cast<uint32_t>(input.size()) + 4));
    std::wstring decodedExpected;
    const int32_t decodedConsumed = ReferenceDecode(input, unitLimit, &decodedExpected);
    std::wstring decoded(static_cast<size_t>(unitLimit) + 8, L'\x5555');
    int32_t unitsProduced = 0;
    ASSERT_EQ(decodedConsumed,
              util::UTF8Encoding()->Decode(input.data(), static_cast<int32_t>(input.size()),
                                           &decoded[0], unitLimit, &unitsProduced))
        << "round " << round;
    ASSERT_EQ(decodedExpected, decoded.substr(0, static_cast<size_t>(unitsProduced)));
    ASSERT_EQ(L'\x5555', decoded[static_cast<size_t>(unitLimit)]);
  }
}

}  // namespace
}  // namespace knfoundation
