// MutableString: growth, hand-over, editing operations and their checks.
#include <string>

#include "foundation/objects/IKNAutoReleasePool.h"
#include "foundation/objects/KNException.h"
#include "foundation/text/MutableString.h"
#include "foundation/text/UTF16String.h"
#include "tests/text/TextTestSupport.h"
#include <gtest/gtest.h>

namespace knfoundation {
namespace {

using base::KNAutoReleaseScope;
using data::IKNMutableString;
using data::IKNString;
using data::MutableString;
using testing::MessageOf;
using testing::Units;

MutableString* NewText(const std::wstring& text) {
  auto* string = static_cast<MutableString*>(data::KNMutableStringWithCapacity(0));
  string->Append(text.data(), static_cast<int32_t>(text.size()));
  return string;
}

TEST(MutableStringTest, CapacityGrowsIn32TimesPowersOfTwo) {
  KNAutoReleaseScope pool;
  auto* string = static_cast<MutableString*>(data::KNMutableStringWithCapacity(0));
  EXPECT_EQ(0, string->Capacity());
  EXPECT_STREQ(L"", string->Chars()) << "an empty text before the first buffer";
  const struct {
    int32_t appendUpTo;
    int32_t capacity;
  } steps[] = {{1, 32}, {32, 32}, {33, 64}, {64, 64}, {65, 128}, {300, 512}};
  for (const auto& step : steps) {
    while (string->Length() < step.appendUpTo)
      string->Append(L'x');
    EXPECT_EQ(step.capacity, string->Capacity()) << "at length " << step.appendUpTo;
  }
  const struct {
    int32_t requested;
    int32_t capacity;
  } created[] = {{1, 32}, {32, 32}, {100, 128}, {129, 256}};
  for (const auto& c : created) {
    auto* fresh = static_cast<MutableString*>(data::KNMutableStringWithCapacity(c.requested));
    EXPECT_EQ(c.capacity, fresh->Capacity());
    EXPECT_EQ(0, fresh->Length());
  }
  EXPECT_EQ("capacity < 0",
            MessageOf<base::KNIllegalArgument>([] { data::KNNewMutableString(-1); }));
}

TEST(MutableStringTest, TakeStringHandsOverLongTexts) {
  KNAutoReleaseScope pool;
  const struct {
    int32_t length;
    bool wrapper;
  } cases[] = {{127, false}, {128, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.length);
    std::wstring text(static_cast<size_t>(c.length), L'k');
    text[5] = L'\0';
    MutableString* string = NewText(text);
    const wchar_t* buffer = string->Chars();
    const int32_t capacity = string->Capacity();
    IKNString* taken = KNAutoRelease(string->TakeString());
    EXPECT_EQ(text, Units(taken));
    EXPECT_EQ(0, string->Length());
    EXPECT_EQ(1, taken->RetainCount());
    if (c.wrapper) {
      EXPECT_NE(nullptr, dynamic_cast<data::UTF16Wrapper*>(taken));
      EXPECT_EQ(buffer, taken->Chars()) << "the buffer moves, not copied";
      EXPECT_EQ(0, string->Capacity());
    } else {
      EXPECT_NE(nullptr, dynamic_cast<data::UTF16String*>(taken));
      EXPECT_EQ(capacity, string->Capacity()) << "the buffer stays for reuse";
    }
    string->Append(L"again", 5);
    EXPECT_EQ(L"again", Units(string));
  }
}

TEST(MutableStringTest, Trim) {
  KNAutoReleaseScope pool;
  const struct {
    const wchar_t* text;
    const wchar_t* trimmed;
  } cases[] = {
      {L"  \tx y\r\n", L"x y"},      // all four kinds, both ends, inner space kept
      {L"     ", L""},               // only spaces
      {L"", L""},                    // nothing at all
      {L"a", L"a"},                  // nothing to trim
      {L"\n\na\u00A0", L"a\u00A0"},  // only the four kinds are trimmed
  };
  for (const auto& c : cases) {
    MutableString* string = NewText(c.text);
    string->Trim();
    EXPECT_EQ(c.trimmed, Units(string));
  }
}

TEST(MutableStringTest, ReplaceAll) {
  KNAutoReleaseScope pool;
  const struct {
    const wchar_t* text;
    const char* target;
    const char* replacement;
    const wchar_t* result;
    int32_t count;
  } cases[] = {
      {L"aaa", "a", "aa", L"aaaaaa", 3},  // inserted text is never searched
      {L"abcabc", "bc", "", L"aa", 2},    // removal
      {L"abc", "x", "y", L"abc", 0},      // no match
      {L"aa", "a", "ba", L"baba", 2},     // replacement contains the target
      {L"abc", "", "", L"abc", 0},        // an empty target matches nothing
      {L"", "a", "b", L"", 0},            // empty text
  };
  for (const auto& c : cases) {
    MutableString* string = NewText(c.text);
    impl::KNASCIIWrapper target(c.target);
    impl::KNASCIIWrapper replacement(c.replacement);
    EXPECT_EQ(c.count, string->ReplaceAll(&target, &replacement));
    EXPECT_EQ(c.result, Units(string));
  }
  MutableString* self = NewText(L"ab");
  EXPECT_EQ(1, self->ReplaceAll(KN_LIT("b"), self)) << "the replacement may be the string itself";
  EXPECT_EQ(L"aab", Units(self));
  EXPECT_EQ("", MessageOf<base::KNNullPtr>([&] { self->ReplaceAll(nullptr, KN_LIT("x")); }));
  EXPECT_EQ("", MessageOf<base::KNNullPtr>([&] { self->ReplaceAll(KN_LIT("x"), nullptr); }));
}

TEST(MutableStringTest, InsertDeleteAndTheirChecks) {
  KNAutoReleaseScope pool;
  MutableString* string = NewText(L"abc");
  string->Insert(0, L"<", 1)->Insert(4, KN_LIT(">"))->Insert(2, KN_LIT("xyz"), 1, 1);
  EXPECT_EQ(L"<aybc>", Units(string));
  string->Insert(1, L"!!");
  EXPECT_EQ(L"<!!aybc>", Units(string));
  string->Delete(1, 2);
  EXPECT_EQ(L"<aybc>", Units(string));
  string->Append(string);
  EXPECT_EQ(L"<aybc><aybc>", Units(string)) << "appending the string to itself";
  string->Replace(0, 6, KN_LIT("#"));
  EXPECT_EQ(L"#<aybc>", Units(string));

  const int32_t capacity = string->Capacity();
  string->Clear();
  EXPECT_EQ(0, string->Length());
  EXPECT_EQ(capacity, string->Capacity()) << "deleting everything keeps the buffer";

  MutableString* abc = NewText(L"abc");
  EXPECT_EQ("index out of bounds 4  [0:4]",
            MessageOf<base::KNOutOfRange>([&] { abc->Insert(4, L"x", 1); }));
  EXPECT_EQ("index out of bounds -1  [0:4]",
            MessageOf<base::KNOutOfRange>([&] { abc->Insert(-1, KN_LIT("x")); }));
  EXPECT_EQ("length < 0", MessageOf<base::KNIllegalArgument>([&] { abc->Insert(0, L"x", -1); }));
  EXPECT_EQ("", MessageOf<base::KNNullPtr>([&] { abc->Insert(0, nullptr, 1); }));
  EXPECT_EQ("",
            MessageOf<base::KNNullPtr>([&] { abc->Insert(0, static_cast<IKNString*>(nullptr)); }));
  EXPECT_EQ("index out of bounds 5  [0:2]",
            MessageOf<base::KNOutOfRange>([&] { abc->Insert(0, KN_LIT("xy"), 1, 4); }));
  EXPECT_EQ("index out of bounds 4  [0:3]",
            MessageOf<base::KNOutOfRange>([&] { abc->Delete(2, 2); }));
  EXPECT_EQ(L"abc", Units(abc)) << "failed operations change nothing";
}

TEST(MutableStringTest, AppendCString) {
  KNAutoReleaseScope pool;
  MutableString* string = NewText(L"");
  EXPECT_EQ("decode failed", MessageOf<base::KNIllegalArgument>([&] {
              string->AppendCString("\x41\xE2\x82", 3, util::UTF8Encoding());
            }));
  EXPECT_EQ(L"A", Units(string)) << "units decoded before the failure stay";
  string->AppendCString("\xC3\xA9t\xC3\xA9", util::UTF8Encoding());
  EXPECT_EQ(L"A\u00E9t\u00E9", Units(string));
  string->AppendCString("\xE9", 1, util::Latin1Encoding());
  EXPECT_EQ(L"A\u00E9t\u00E9\u00E9", Units(string));
  EXPECT_EQ("cStrLen < 0", MessageOf<base::KNIllegalArgument>(
                               [&] { string->AppendCString("x", -1, util::UTF8Encoding()); }));
  EXPECT_EQ("", MessageOf<base::KNNullPtr>([&] { string->AppendCString("x", 1, nullptr); }));
  EXPECT_EQ("", MessageOf<base::KNNullPtr>([&] {
              string->AppendCString(static_cast<const char*>(nullptr), util::UTF8Encoding());
            }));
}

TEST(MutableStringTest, StringOperationsSeeTheCurrentText) {
  KNAutoReleaseScope pool;
  MutableString* string = NewText(L"abc");
  IKNString* copy = KNAutoRelease(string->Copy());
  EXPECT_NE(nullptr, dynamic_cast<data::UTF16String*>(copy));
  string->Append(L'd');
  EXPECT_EQ(L"abc", Units(copy)) << "a copy is a snapshot";
  EXPECT_EQ(L"abcd", Units(string->Description()));
  EXPECT_STREQ("abcd", string->UTF8String());
  EXPECT_EQ(KN_LIT("abcd")->Hash(), string->Hash());
  EXPECT_TRUE(string->IsEqual(KN_LIT("abcd")));
  EXPECT_EQ(L"bcd", Units(KNAutoRelease(string->Substring(1, 3)->Copy())));
  IKNString* taken = string->TakeAutoReleased();
  EXPECT_EQ(L"abcd", Units(taken));
}

}  // namespace
}  // namespace knfoundation
