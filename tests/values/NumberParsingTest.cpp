// Reading numbers from strings: the 31-character window, the strtoll/strtod
// rules, and the errors when no number starts the text.
#include <cerrno>
#include <string>

#include "foundation/objects/KNException.h"
#include "foundation/text/IKNString.h"
#include "tests/values/ValuesTestSupport.h"
#include <gtest/gtest.h>

namespace knfoundation {
namespace {

class NumberParsingTest : public testing::ValuesTest {};

data::IKNString* StringOf(const std::string& text) {
  std::wstring units(text.begin(), text.end());
  return data::KNStringWithChars(units.c_str(), static_cast<int32_t>(units.size()));
}

TEST_F(NumberParsingTest, ParseLong) {
  struct Case {
    const char* what;
    std::string text;
    int32_t base;
    int64_t expected;
  } cases[] = {
      {"trailing rest ignored", "12abc", 10, 12},
      {"leading blanks", "   42", 10, 42},
      {"sign", "-17", 10, -17},
      {"base 16", "ff", 16, 255},
      // Only the first 31 characters take part: 30 blanks and "1".
      {"window", std::string(30, ' ') + "12345", 10, 1},
      // 40 digits: 31 of them, beyond 64 bits, clamped without an error.
      {"clamped", std::string(40, '9'), 10, INT64_MAX},
      {"clamped negative", "-" + std::string(39, '9'), 10, INT64_MIN},
  };
  for (const Case& c : cases)
    EXPECT_EQ(StringOf(c.text)->ParseLong(c.base), c.expected) << c.what;
}

TEST_F(NumberParsingTest, ParseDouble) {
  EXPECT_EQ(StringOf("1e3x")->ParseDouble(), 1000.0);
  EXPECT_EQ(StringOf("  -2.5")->ParseDouble(), -2.5);
  // The window cuts "1.5" after "1.".
  EXPECT_EQ(StringOf(std::string(29, ' ') + "1.5")->ParseDouble(), 1.0);
  EXPECT_EQ(KN_LIT("0.125")->ParseDouble(), 0.125);
}

TEST_F(NumberParsingTest, NoNumberRaisesThePosixError) {
  struct Case {
    const char* what;
    std::string text;
    bool asDouble;
    const char* name;
  } cases[] = {
      {"letters", "abc", false, "strtoll() failed <"},
      {"empty", "", false, "strtoll() failed <"},
      {"only a sign", "-", false, "strtoll() failed <"},
      {"letters as double", "x1", true, "strtod() failed <"},
      {"non-ASCII first",
       "\xE9"
       "5",
       false, "strtoll() failed <"},
  };
  for (const Case& c : cases) {
    data::IKNString* text = StringOf(c.text);
    try {
      if (c.asDouble)
        text->ParseDouble();
      else
        text->ParseLong(10);
      ADD_FAILURE() << c.what << ": no exception";
    } catch (const system::KNSysError& error) {
      std::string message = testing::Text(error.GetMessage());
      EXPECT_EQ(message.rfind(c.name, 0), 0u) << c.what << ": " << message;
      EXPECT_EQ(message.back(), '>') << message;
      EXPECT_EQ(testing::Text(error.GetDomain()), "Posix") << c.what;
      EXPECT_NE(error.GetCode(), 0) << c.what;
    }
  }
}

}  // namespace
}  // namespace knfoundation
