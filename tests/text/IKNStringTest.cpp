// Strings: the hash, equality across the classes, search, range checks,
// creation and 8-bit conversion.
#include <string>
#include <thread>
#include <vector>

#include "foundation/objects/IKNAllocator.h"
#include "foundation/objects/IKNAutoReleasePool.h"
#include "foundation/objects/KNException.h"
#include "foundation/text/IKNMutableString.h"
#include "foundation/text/IKNString.h"
#include "foundation/text/UTF16String.h"
#include "tests/text/TextTestSupport.h"
#include <gtest/gtest.h>

namespace knfoundation {
namespace {

using base::KNAutoReleaseScope;
using data::IKNString;
using testing::MessageOf;
using testing::Units;
using testing::Utf8;
using testing::WindowedString;

TEST(IKNStringTest, HashValues) {
  KNAutoReleaseScope pool;
  const struct {
    const char* text;
    uint32_t hash;
  } cases[] = {
      {"", 0},                             // the empty text
      {"a", 1062},                         // one unit
      {"abc", 516202353},                  // the documented three-letter value
      {"abcdefghijklmnopq", 3136215713u},  // 17 units: first and last 8 only
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    const std::wstring units(c.text, c.text + strlen(c.text));
    IKNString* literal = impl::KNLiteral::Intern(c.text);
    IKNString* copy = data::KNStringWithChars(units.data(), static_cast<int32_t>(units.size()));
    WindowedString* windowed = WindowedString::Create(units);
    EXPECT_EQ(c.hash, literal->Hash());
    EXPECT_EQ(c.hash, copy->Hash());
    EXPECT_EQ(c.hash, windowed->Hash());
    EXPECT_EQ(c.hash, data::KNStringHash(units.data(), static_cast<int32_t>(units.size())));
    windowed->Release();
  }
}

TEST(IKNStringTest, HashOfLongTextIgnoresTheMiddle) {
  KNAutoReleaseScope pool;
  // Units 8 of 17 is the only one outside the first and last eight.
  EXPECT_EQ(KN_LIT("abcdefghXjklmnopq")->Hash(), KN_LIT("abcdefghYjklmnopq")->Hash());
  EXPECT_NE(KN_LIT("Xbcdefghijklmnopq")->Hash(), KN_LIT("Ybcdefghijklmnopq")->Hash());
  EXPECT_NE(KN_LIT("abcdefghijklmnopX")->Hash(), KN_LIT("abcdefghijklmnopY")->Hash());
}

TEST(IKNStringTest, EqualityAndHashAgreeAcrossClasses) {
  KNAutoReleaseScope pool;
  const std::wstring text = L"abc\u00E9" + std::wstring(200, L'x');
  std::string latin1 = "abc\xE9" + std::string(200, 'x');
  impl::KNASCIIWrapper wrapper(latin1.c_str());
  IKNString* utf16 = data::KNStringWithChars(text.data(), static_cast<int32_t>(text.size()));
  data::IKNMutableString* mutableString = data::KNMutableStringWithCapacity(0);
  mutableString->Append(utf16);
  auto* block = static_cast<wchar_t*>(base::MallocAllocator()->Allocate((text.size() + 1) * 2));
  text.copy(block, text.size());
  IKNString* wrapped = KNAutoRelease(
      data::KNNewStringWrapper(block, static_cast<int32_t>(text.size()), base::MallocAllocator()));
  WindowedString* windowed = WindowedString::Create(text);
  IKNString* all[] = {&wrapper, utf16, mutableString, wrapped, windowed};
  for (IKNString* a : all) {
    for (IKNString* b : all) {
      EXPECT_TRUE(a->IsEqual(b));
      EXPECT_EQ(a->Hash(), b->Hash());
    }
  }
  IKNString* shorter = data::KNStringWithChars(text.data(), static_cast<int32_t>(text.size()) - 1);
  std::wstring changed = text;
  changed[150] = L'y';
  WindowedString* differs = WindowedString::Create(changed);
  for (IKNString* a : all) {
    EXPECT_FALSE(a->IsEqual(shorter));
    EXPECT_FALSE(a->IsEqual(differs));
    EXPECT_FALSE(a->IsEqual(nullptr));
  }
  EXPECT_TRUE(KN_LIT("abc")->IsEqual(KN_LIT("abc")));
  EXPECT_FALSE(KN_LIT("abc")->IsEqual(KN_LIT("abd")));
  windowed->Release();
  differs->Release();
}

TEST(IKNStringTest, IndexOfRanges) {
  KNAutoReleaseScope pool;
  WindowedString* windowed = WindowedString::Create(std::wstring(100, L'a') + L"cd");
  const struct {
    const char* what;
    IKNString* text;
    IKNString* sub;
    int32_t start, count;
    data::KNRange expected;
  } cases[] = {
      {"match just outside the range", KN_LIT("abcd"), KN_LIT("cd"), 0, 3, {-1, 0}},
      {"whole string", KN_LIT("abcd"), KN_LIT("cd"), 0, 4, {2, 2}},
      {"empty sub matches at start", KN_LIT("abcd"), KN_LIT(""), 1, 2, {1, 0}},
      {"empty sub in an empty range", KN_LIT("abcd"), KN_LIT(""), 1, 0, {-1, 0}},
      {"sub longer than the range", KN_LIT("abcd"), KN_LIT("abcde"), 0, 4, {-1, 0}},
      {"first of two matches", KN_LIT("abab"), KN_LIT("ab"), 0, 4, {0, 2}},
      {"search from inside", KN_LIT("abab"), KN_LIT("ab"), 1, 3, {2, 2}},
      {"through windows", windowed, KN_LIT("acd"), 0, 102, {99, 3}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const data::KNRange found = c.text->IndexOf(c.sub, c.start, c.count);
    EXPECT_EQ(c.expected.position, found.position);
    EXPECT_EQ(c.expected.length, found.length);
  }
  EXPECT_EQ("index out of bounds 5  [0:4]",
            MessageOf<base::KNOutOfRange>([] { KN_LIT("abcd")->IndexOf(KN_LIT("a"), 2, 3); }));
  EXPECT_EQ("", MessageOf<base::KNNullPtr>([] { KN_LIT("abcd")->IndexOf(nullptr); }));
  EXPECT_TRUE(KN_LIT("abcd")->StartsWith(KN_LIT("ab")));
  EXPECT_FALSE(KN_LIT("abcd")->StartsWith(KN_LIT("abcde")));
  EXPECT_TRUE(KN_LIT("abcd")->EndsWith(KN_LIT("cd")));
  EXPECT_FALSE(KN_LIT("abcd")->EndsWith(KN_LIT("bc")));
  EXPECT_TRUE(windowed->EndsWith(KN_LIT("aacd")));
  windowed->Release();
}

TEST(IKNStringTest, RangeChecksReportTheOffendingValue) {
  KNAutoReleaseScope pool;
  IKNString* abc = data::KNStringWithCharsZ(L"abc");
  wchar_t dest[8];
  const struct {
    const char* what;
    int32_t start, count;
    const char* message;
  } cases[] = {
      {"negative start", -1, 1, "index out of bounds -1  [0:3]"},
      {"end past the length", 2, 2, "index out of bounds 4  [0:3]"},
      {"negative count", 1, -1, "index out of bounds -1  [0:3]"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(c.message,
              MessageOf<base::KNOutOfRange>([&] { abc->GetChars(dest, c.start, c.count); }));
    EXPECT_EQ(c.message, MessageOf<base::KNOutOfRange>(
                             [&] { KN_LIT("abc")->GetChars(dest, c.start, c.count); }));
    EXPECT_EQ(c.message, MessageOf<base::KNOutOfRange>([&] { abc->Substring(c.start, c.count); }));
  }
  EXPECT_EQ("index out of bounds 3  [0:3]", MessageOf<base::KNOutOfRange>([&] { abc->CharAt(3); }));
  EXPECT_EQ("index out of bounds -1  [0:3]",
            MessageOf<base::KNOutOfRange>([] { KN_LIT("abc")->CharAt(-1); }));
  EXPECT_EQ('c', abc->CharAt(2));
}

TEST(IKNStringTest, CreationChecks) {
  KNAutoReleaseScope pool;
  EXPECT_EQ("length < 0", MessageOf<base::KNIllegalArgument>([] { data::KNNewString(L"a", -1); }));
  EXPECT_EQ("", MessageOf<base::KNNullPtr>([] { data::KNNewString(nullptr, 1); }));
  EXPECT_EQ("", MessageOf<base::KNNullPtr>([] { data::KNStringWithCharsZ(nullptr); }));
  EXPECT_EQ("", MessageOf<base::KNNullPtr>([] { data::KNNewStringCopy(nullptr); }));
  EXPECT_EQ("", MessageOf<base::KNNullPtr>(
                    [] { data::KNNewStringWrapper(nullptr, 0, base::MallocAllocator()); }));
  EXPECT_EQ("", MessageOf<base::KNNullPtr>([] {
              static wchar_t units[] = L"x";
              data::KNNewStringWrapperZ(units, nullptr);
            }));
  EXPECT_EQ("length < 0", MessageOf<base::KNIllegalArgument>(
                              [] { data::KNNewStringFromBytes("a", -1, util::UTF8Encoding()); }));
  EXPECT_EQ("", MessageOf<base::KNNullPtr>(
                    [] { data::KNNewStringFromBytes(nullptr, 1, util::UTF8Encoding()); }));
  EXPECT_EQ("", MessageOf<base::KNNullPtr>([] { data::KNNewStringFromBytes("a", 1, nullptr); }));
  EXPECT_EQ("", MessageOf<base::KNNullPtr>(
                    [] { data::KNStringFromBytesZ(nullptr, util::UTF8Encoding()); }));
  // Short and long (heap-decoded) input that ends inside a sequence.
  EXPECT_EQ("Unable to decode characters", MessageOf<base::KNIllegalArgument>([] {
              data::KNNewStringFromBytes("ab\xE2\x82", 4, util::UTF8Encoding());
            }));
  const std::string longCut = std::string(300, 'a') + "\xE2\x82";
  EXPECT_EQ("Unable to decode characters", MessageOf<base::KNIllegalArgument>([&] {
              data::KNNewStringFromBytes(longCut.data(), 302, util::UTF8Encoding());
            }));
}

TEST(IKNStringTest, FromBytesKeepsEveryByte) {
  KNAutoReleaseScope pool;
  std::string bytes(200, 'q');
  bytes[10] = '\0';
  bytes[11] = '\xE9';
  for (util::IKNEncoding* encoding : {util::ASCIIEncoding(), util::Latin1Encoding()}) {
    IKNString* string = data::KNStringFromBytes(bytes.data(), 200, encoding);
    ASSERT_EQ(200, string->Length());
    EXPECT_EQ(0, string->CharAt(10));
    EXPECT_EQ(0xE9, string->CharAt(11));
    EXPECT_NE(nullptr, dynamic_cast<data::UTF16Wrapper*>(string)) << "long input is taken over";
  }
  IKNString* small = data::KNStringFromBytesZ("h\xC3\xA9llo", util::UTF8Encoding());
  EXPECT_EQ(L"h\u00E9llo", Units(small));
  EXPECT_NE(nullptr, dynamic_cast<data::UTF16String*>(small));
  EXPECT_EQ(data::KNEmptyString(), data::KNStringFromBytes("", 0, util::UTF8Encoding()));
}

TEST(IKNStringTest, CStringAndGetCString) {
  KNAutoReleaseScope pool;
  IKNString* text = data::KNStringWithCharsZ(L"ab\u00E9cd");
  EXPECT_EQ("IKNString::CString failed",
            MessageOf<base::KNException>([&] { text->CString(util::ASCIIEncoding()); }));
  EXPECT_STREQ(
      "ab\xE9"
      "cd",
      text->CString(util::Latin1Encoding()));
  EXPECT_STREQ(
      "ab\xC3\xA9"
      "cd",
      text->UTF8String());
  const struct {
    const char* what;
    util::IKNEncoding* encoding;
    int32_t size;
    const char* expected;
    bool complete;
  } cases[] = {
      {"ASCII stops before U+00E9", util::ASCIIEncoding(), 64, "ab", false},
      {"UTF-8 fits", util::UTF8Encoding(), 64,
       "ab\xC3\xA9"
       "cd",
       true},
      {"UTF-8 exact fit with the terminator", util::UTF8Encoding(), 7,
       "ab\xC3\xA9"
       "cd",
       true},
      {"UTF-8 never cuts a sequence", util::UTF8Encoding(), 4, "ab", false},
      {"size 1 receives only the terminator", util::UTF8Encoding(), 1, "", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    char buffer[80];
    memset(buffer, 0x55, sizeof buffer);
    EXPECT_EQ(c.complete, text->GetCString(buffer, c.size, c.encoding));
    EXPECT_STREQ(c.expected, buffer);
    EXPECT_EQ(0x55, buffer[c.size]) << "nothing beyond the given size";
  }
  char buffer[4];
  EXPECT_EQ("maxLength < 0", MessageOf<base::KNIllegalArgument>(
                                 [&] { text->GetCString(buffer, 0, util::UTF8Encoding()); }));
  EXPECT_EQ("", MessageOf<base::KNNullPtr>([&] { text->CString(nullptr); }));
  int32_t written = 0;
  EXPECT_EQ("maxLength < 0", MessageOf<base::KNIllegalArgument>([&] {
              text->Encode(0, 1, util::UTF8Encoding(), 0, buffer, -1, &written);
            }));
  EXPECT_EQ(5, text->Encode(0, 5, util::UTF8Encoding(), 0, nullptr, 0, &written));
  EXPECT_EQ(6, written) << "a null destination measures";
  EXPECT_EQ(2, text->Encode(1, 3, util::ASCIIEncoding(), '?', buffer, 2, &written));
  EXPECT_EQ("b?", std::string(buffer, 2));
}

TEST(IKNStringTest, WindowedEncodeWalksInPieces) {
  KNAutoReleaseScope pool;
  std::wstring units(150, L'z');
  units[140] = L'\u20AC';
  WindowedString* windowed = WindowedString::Create(units);
  const char* utf8 = windowed->UTF8String();
  EXPECT_EQ(152u, strlen(utf8));
  EXPECT_EQ("\xE2\x82\xAC", std::string(utf8 + 140, 3));
  EXPECT_GE(windowed->fetches, 3) << "pieces of at most 64 units";
  char buffer[100];
  EXPECT_FALSE(windowed->GetCString(buffer, 100, util::UTF8Encoding()));
  EXPECT_EQ(99u, strlen(buffer));
  windowed->Release();
  // A surrogate pair across the boundary of the first 64-unit piece stays one
  // four-byte character.
  WindowedString* paired = WindowedString::Create(std::wstring(63, L'a') +
                                                  L"\xD83D\xDE00"
                                                  L"b");
  EXPECT_EQ(std::string(63, 'a') +
                "\xF0\x9F\x98\x80"
                "b",
            paired->UTF8String());
  paired->Release();
}

TEST(IKNStringTest, EightBitWrappersAndLiterals) {
  KNAutoReleaseScope pool;
  impl::KNASCIIWrapper wrapper("stack text");
  EXPECT_EQ(1, wrapper.RetainCount());
  EXPECT_EQ("knfoundation::impl::KNASCIIWrapper::Retain",
            MessageOf<base::KNUnsupportedOperation>([&] { wrapper.Retain(); }));
  EXPECT_EQ("knfoundation::impl::KNASCIIWrapper::Release",
            MessageOf<base::KNUnsupportedOperation>([&] { wrapper.Release(); }));
  EXPECT_EQ("knfoundation::impl::KNASCIIWrapper::AutoRelease",
            MessageOf<base::KNUnsupportedOperation>([&] { wrapper.AutoRelease(); }));
  IKNString* copy = wrapper.Copy();
  EXPECT_NE(nullptr, dynamic_cast<data::UTF16String*>(copy));
  EXPECT_EQ(1, copy->RetainCount());
  EXPECT_EQ(L"stack text", Units(copy));
  copy->Release();

  static const char first[] = "interned twice";
  static const char second[] = "interned twice";
  IKNString* a = impl::KNLiteral::Intern(first, 14);
  IKNString* b = impl::KNLiteral::Intern(second, 14);
  EXPECT_EQ(a, b);
  EXPECT_EQ(first, static_cast<impl::KNLiteral*>(a)->Bytes()) << "the first pointer is kept";
  EXPECT_EQ(kKNImmortalCount, a->RetainCount());
  a->Release();
  EXPECT_EQ(a, a->Copy());
  EXPECT_EQ(a, a->Description());
  EXPECT_EQ(data::KNEmptyString(), impl::KNLiteral::Intern(""));
  EXPECT_NE(KN_LIT("ab"), KN_LIT("ba"));

  // Bytes that already are the text are handed out as they are; others are
  // converted (a Latin-1 byte is not UTF-8).
  impl::KNASCIIWrapper plain("plain");
  EXPECT_EQ(plain.Bytes(), plain.UTF8String());
  impl::KNASCIIWrapper accented("caf\xE9");
  EXPECT_STREQ("caf\xC3\xA9", accented.UTF8String());
  EXPECT_STREQ("caf\xE9", accented.CString(util::Latin1Encoding()));
  impl::KNASCIIWrapper counted("abcdef", 3);
  EXPECT_STREQ("abc", counted.UTF8String()) << "a counted text gets its own terminator";
}

TEST(IKNStringTest, WrapperFreesItsUnitsThroughTheAllocatorOnce) {
  testing::CountingAllocator* allocator = new testing::CountingAllocator();
  auto* units = static_cast<wchar_t*>(allocator->Allocate(4 * sizeof(wchar_t)));
  units[0] = L'h';
  units[1] = L'i';
  IKNString* wrapper = data::KNNewStringWrapperZ(units, allocator);
  EXPECT_EQ(2, wrapper->Length());
  EXPECT_EQ(units, wrapper->Chars()) << "taken over, not copied";
  EXPECT_EQ(2, allocator->RetainCount());
  IKNString* copy = wrapper->Copy();
  EXPECT_EQ(wrapper, copy) << "immutable: the copy is the string itself";
  copy->Release();
  EXPECT_EQ(0, allocator->frees);
  wrapper->Release();
  EXPECT_EQ(1, allocator->frees);
  EXPECT_EQ(1, allocator->RetainCount());
  allocator->Release();
}

TEST(IKNStringTest, ConcurrentInterningYieldsOneLiteralPerContent) {
  // Two threads intern the same 500 texts from their own (never freed) copies.
  constexpr int kTexts = 500;
  std::vector<IKNString*> found[2];
  auto intern = [&](int side) {
    for (int i = 0; i < kTexts; ++i) {
      const std::string text = "concurrent literal " + std::to_string(i);
      char* copy = new char[text.size() + 1];
      memcpy(copy, text.c_str(), text.size() + 1);
      found[side].push_back(impl::KNLiteral::Intern(copy));
    }
  };
  std::thread first(intern, 0);
  std::thread second(intern, 1);
  first.join();
  second.join();
  for (int i = 0; i < kTexts; ++i) {
    ASSERT_EQ(found[0][i], found[1][i]) << i;
    EXPECT_EQ("concurrent literal " + std::to_string(i), Utf8(found[0][i]));
  }
}

TEST(IKNStringTest, SubstringConcatAndCharsZ) {
  KNAutoReleaseScope pool;
  IKNString* joined = KN_LIT("foo")->Concat(data::KNStringWithCharsZ(L"bar"));
  EXPECT_EQ(L"foobar", Units(joined));
  EXPECT_EQ(L"oba", Units(joined->Substring(2, 3)));
  EXPECT_EQ(0, joined->Substring(6, 0)->Length());
  EXPECT_EQ("", MessageOf<base::KNNullPtr>([&] { joined->Concat(nullptr); }));
  EXPECT_STREQ(L"abc", KN_LIT("abc")->CharsZ());
  EXPECT_EQ(joined->Chars(), joined->CharsZ());
  wchar_t units[6];
  joined->CopyChars(units);
  EXPECT_EQ(L"foobar", std::wstring(units, 6));
  EXPECT_EQ("", MessageOf<base::KNNullPtr>([&] { joined->CopyChars(nullptr); }));
}

}  // namespace
}  // namespace knfoundation
