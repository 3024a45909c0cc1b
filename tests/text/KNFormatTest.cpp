// The formatter: every conversion, the parser's limits and its failures.
#include <string>

#include "foundation/objects/IKNAutoReleasePool.h"
#include "foundation/objects/KNException.h"
#include "foundation/text/IKNMutableString.h"
#include "foundation/text/KNFormat.h"
#include "foundation/text/UTF16String.h"
#include "foundation/values/Bool.h"
#include "tests/text/TextTestSupport.h"
#include <gtest/gtest.h>

namespace knfoundation {
namespace {

using base::KNAutoReleaseScope;
using data::IKNString;
using testing::MessageOf;
using testing::Units;
using testing::Utf8;

// A counted object with a fixed description.
class Described final : public util::KNRefCountT<IKNType> {
 public:
  data::IKNString* Description() override { return KN_LIT("<described>"); }
};

std::string F(IKNString* owned) {
  std::string text = Utf8(owned);
  owned->Release();
  return text;
}

TEST(KNFormatTest, Conversions) {
  KNAutoReleaseScope pool;
  Described object;
  const long long big = 1LL << 40;
  const struct {
    const char* what;
    std::string actual;
    const char* expected;
  } cases[] = {
      {"percent escape", F(KNFormat("%d%%", 5)), "5%"},
      {"width ignored for text", F(KNFormat("%5s|", "ab")), "ab|"},
      {"width for numbers", F(KNFormat("%5d", 42)), "   42"},
      {"leading zero is the fill flag", F(KNFormat("%05d", 42)), "00042"},
      {"left justify", F(KNFormat("%-4d|", 7)), "7   |"},
      {"null object", F(KNFormat("%@", static_cast<IKNType*>(nullptr))), "(null)"},
      {"string object is itself", F(KNFormat("[%@]", KN_LIT("abc"))), "[abc]"},
      {"any object's description", F(KNFormat("%@", static_cast<IKNType*>(&object))),
       "<described>"},
      {"booleans describe themselves",
       F(KNFormat("%@/%@", static_cast<IKNType*>(data::KNTrue()),
                  static_cast<IKNType*>(data::KNFalse()))),
       "true/false"},
      {"64-bit value, then an object", F(KNFormat("%lld %@", big, KN_LIT("next"))),
       "1099511627776 next"},
      {"64-bit hex", F(KNFormat("%llx", big)), "10000000000"},
      {"short and long modifiers", F(KNFormat("%hd %lu", 12, 4000000000u)), "12 4000000000"},
      {"odd modifier runs read the argument their \"ll\" asks for",
       F(KNFormat("%lhd %hlld %d", 7, 8LL, 9)), "7 8 9"},
      {"character from the low 8 bits", F(KNFormat("%c", 0x1E9)), "\xC3\xA9"},
      {"character from the low 16 bits", F(KNFormat("%C", 0x263A)), "\xE2\x98\xBA"},
      {"null pointer", F(KNFormat("%p", static_cast<void*>(nullptr))), "(null)"},
      {"null 8-bit text", F(KNFormat("%s", static_cast<const char*>(nullptr))), "(null)"},
      {"null UTF-16 text", F(KNFormat("%S", static_cast<const wchar_t*>(nullptr))), "(null)"},
      {"UTF-16 text", F(KNFormat("%S", L"\u00E9t\u00E9")), "\xC3\xA9t\xC3\xA9"},
      {"8-bit text is one unit per byte", F(KNFormat("%s", "\xE9")), "\xC3\xA9"},
      {"floating point", F(KNFormat("%.2f %e", 3.14159, 1500.0)), "3.14 1.500000e+03"},
      {"hex, octal, unsigned", F(KNFormat("%x %X %o %u %i", 255, 255, 8, 3u, -4)), "ff FF 10 3 -4"},
      {"flags", F(KNFormat("%+d % d %#x", 5, 5, 255)), "+5  5 0xff"},
      {"no conversion", F(KNFormat("plain text")), "plain text"},
      {"empty format", F(KNFormat("")), ""},
      {"a 14-character conversion is accepted", F(KNFormat("%-+ #012.10hhd|", 1)), "+0000000001 |"},
      {"a trailing percent stands for itself", F(KNFormat("100%")), "100%"},
      {"numeric text is cut at 255", F(KNFormat("%300d", 1)), nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    if (c.expected) {
      EXPECT_EQ(c.expected, c.actual);
    }
  }
  EXPECT_EQ(255u, cases[sizeof cases / sizeof cases[0] - 1].actual.size());
}

TEST(KNFormatTest, PointersRenderInHex) {
  KNAutoReleaseScope pool;
  void* address = reinterpret_cast<void*>(static_cast<uintptr_t>(0xBEEF0));
  std::string text = F(KNFormat("%#p", address));
  for (char& c : text)
    c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
  EXPECT_NE(std::string::npos, text.find("beef0")) << text;
}

TEST(KNFormatTest, PercentNWritesNothing) {
  KNAutoReleaseScope pool;
  int target = 7;
  EXPECT_EQ("ab 3", F(KNFormat("a%nb %d", &target, 3)));
  EXPECT_EQ(7, target);
}

TEST(KNFormatTest, Failures) {
  KNAutoReleaseScope pool;
  const struct {
    const char* format;
    const char* message;
  } cases[] = {
      {"%*d", "'*' not supported as field width"},
      {"%.*f", "'*' not supported as field precision"},
      {"%k", "Invalid format spec"},
      {"%-+ #12345.123lld", "Invalid format spec"},  // 17 characters
      {"%-+ #12345.12ld", "Invalid format spec"},    // 15 characters
      {"abc%5", "Invalid format spec"},              // the format ends inside
      {"%ll", "Invalid format spec"},
      {"%I64d", "Invalid format spec"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.format);
    EXPECT_EQ(c.message, MessageOf<base::KNIllegalArgument>([&] {
                IKNString* result = KNFormat(c.format, 1, 2, 3);
                result->Release();
              }));
  }
  data::IKNMutableString* output = data::KNMutableStringWithCapacity(0);
  EXPECT_EQ("Invalid format spec",
            MessageOf<base::KNIllegalArgument>([&] { AppendFormat(output, "ab%d-%k", 5); }));
  EXPECT_EQ(L"ab5-", Units(output)) << "text before the failing conversion stays";
}

TEST(KNFormatTest, FormatsFromAnyString) {
  KNAutoReleaseScope pool;
  auto viaString = [](IKNString* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    IKNString* result = KNFormatString(format, arguments);
    va_end(arguments);
    return F(result);
  };
  testing::WindowedString* windowed =
      testing::WindowedString::Create(std::wstring(70, L'.') + L"%d|%s");
  EXPECT_EQ(std::string(70, '.') + "12|x", viaString(windowed, 12, "x"));
  windowed->Release();
  EXPECT_EQ("\xC3\xA9=4", viaString(data::KNStringWithCharsZ(L"\u00E9=%d"), 4));
  EXPECT_EQ("k=v", viaString(KN_LIT("%s=%s"), "k", "v"));
}

TEST(KNFormatTest, ResultForms) {
  KNAutoReleaseScope pool;
  IKNString* shortText = KNFormat("%s", "short");
  EXPECT_NE(nullptr, dynamic_cast<data::UTF16String*>(shortText));
  EXPECT_EQ(1, shortText->RetainCount());
  shortText->Release();
  const std::string longArgument(200, 'w');
  IKNString* longText = KNFormat("%s", longArgument.c_str());
  EXPECT_NE(nullptr, dynamic_cast<data::UTF16Wrapper*>(longText)) << "keeps the formatting buffer";
  EXPECT_EQ(200, longText->Length());
  longText->Release();
  IKNString* autoreleased = KNFormatAutoReleased("%d", 9);
  EXPECT_EQ(L"9", Units(autoreleased));
  data::IKNMutableString* output = data::KNMutableStringWithCapacity(0);
  output->AppendFormat("%d,", 1)->AppendFormat("%s", "2");
  AppendFormat(output, ",%d", 3);
  EXPECT_EQ(L"1,2,3", Units(output));
}

}  // namespace
}  // namespace knfoundation
