// Path operations: the examples as one table, long paths refused before any
// call, full path names on both sides of the inline buffer, and directory
// creation.
#include "foundation/system/Win32.h"

#include <string>

#include "foundation/objects/IKNAutoReleasePool.h"
#include "foundation/system/Paths.h"
#include "foundation/text/IKNString.h"
#include "tests/system/SystemTestSupport.h"
#include "tests/system/TempFolder.h"
#include <gtest/gtest.h>

namespace knfoundation {
namespace {

using testing::MessageOf;

data::IKNString* Str(const std::wstring& text) {
  return data::KNStringWithCharsZ(text.c_str());
}

std::wstring Text(data::IKNString* string) {
  std::wstring text(static_cast<size_t>(string->Length()), L'\0');
  string->GetChars(&text[0], 0, string->Length());
  return text;
}

std::string Narrow(const std::wstring& text) {
  return std::string(text.begin(), text.end());
}

TEST(PathsTest, Examples) {
  base::KNAutoReleaseScope pool;
  const struct {
    const char* what;
    const wchar_t* directory;  // null: DirectoryPart of `path`
    const wchar_t* path;
    const wchar_t* expected;
  } cases[] = {
      {"directory part of a file path", nullptr, L"D:\\a\\b\\file.txt", L"D:\\a\\b"},
      {"forward slashes become backslashes", nullptr, L"D:/a/b/file.txt", L"D:\\a\\b"},
      {"a trailing separator goes before the last component", nullptr, L"D:\\a\\b\\", L"D:\\a"},
      {"dot components are canonicalised", nullptr, L"D:\\a\\.\\b\\..\\c\\f.txt", L"D:\\a\\c"},
      {"a bare file name has no directory", nullptr, L"file.txt", L""},
      {"an empty path has an empty directory", nullptr, L"", L""},
      {"relative part with forward slashes", L"D:\\a", L"b/c", L"D:\\a\\b\\c"},
      {"directory with a trailing forward slash", L"D:/a/", L"b", L"D:\\a\\b"},
      {"relative part starting with a forward slash joins at the root", L"D:\\a", L"/b/c",
       L"D:\\b\\c"},
      {"an absolute relative part stays absolute", L"D:\\a", L"E:\\x\\y.jar", L"E:\\x\\y.jar"},
      {"parent steps in the relative part", L"D:\\a\\b", L"..\\c", L"D:\\a\\c"},
  };
  for (const auto& row : cases) {
    SCOPED_TRACE(row.what);
    data::IKNString* result = row.directory ? io::CombinePaths(Str(row.directory), Str(row.path))
                                            : io::DirectoryPart(Str(row.path));
    EXPECT_EQ(Narrow(row.expected), Narrow(Text(result)));
  }
}

TEST(PathsTest, NormalizeEdgeSeparatorsOnlyTouchesPathsWithEdgeSlashes) {
  base::KNAutoReleaseScope pool;
  data::IKNString* inner = Str(L"a/b");
  EXPECT_EQ(inner, io::NormalizeEdgeSeparators(inner));
  EXPECT_EQ("\\a\\b", Narrow(Text(io::NormalizeEdgeSeparators(Str(L"/a/b")))));
  EXPECT_EQ("a\\b\\", Narrow(Text(io::NormalizeEdgeSeparators(Str(L"a/b/")))));
}

// 259 units fit the shell buffers; 260 are refused before any call instead
// of being cut or written past the buffer.
TEST(PathsTest, PathsTooLongForTheShellFunctionsAreRefused) {
  base::KNAutoReleaseScope pool;
  std::wstring fits = L"C:\\" + std::wstring(io::kMaxShellPath - 3, L'a');
  std::wstring tooLong = fits + L"b";
  EXPECT_EQ(Narrow(L"C:"), Narrow(Text(io::DirectoryPart(Str(fits)))).substr(0, 2));
  EXPECT_THROW(io::DirectoryPart(Str(tooLong)), base::KNIllegalArgument);
  EXPECT_THROW(io::CombinePaths(Str(tooLong), Str(L"x")), base::KNIllegalArgument);
  EXPECT_THROW(io::CombinePaths(Str(L"C:\\"), Str(tooLong)), base::KNIllegalArgument);
  EXPECT_THROW(io::EnsureDirectory(Str(tooLong)), base::KNIllegalArgument);
  try {
    io::DirectoryPart(Str(tooLong));
  } catch (const base::KNIllegalArgument& error) {
    EXPECT_EQ("Path longer than 259 units: '" + Narrow(tooLong) + "'", MessageOf(error));
  }
  // Two parts that fit but whose join does not: the shell function refuses.
  std::wstring half = L"C:\\" + std::wstring(200, L'd');
  EXPECT_THROW(io::CombinePaths(Str(half), Str(std::wstring(100, L'r'))), base::KNException);
}

TEST(PathsTest, NullPathsRaiseNullPtr) {
  base::KNAutoReleaseScope pool;
  data::IKNString* path = Str(L"C:\\");
  EXPECT_THROW(io::DirectoryPart(nullptr), base::KNNullPtr);
  EXPECT_THROW(io::CombinePaths(nullptr, path), base::KNNullPtr);
  EXPECT_THROW(io::CombinePaths(path, nullptr), base::KNNullPtr);
  EXPECT_THROW(io::FullPathName(nullptr), base::KNNullPtr);
  EXPECT_THROW(io::EnsureDirectory(nullptr), base::KNNullPtr);
  EXPECT_THROW(io::NormalizeEdgeSeparators(nullptr), base::KNNullPtr);
}

// Results of up to 127 units come from the inline buffer, longer ones from
// the heap; both must be the system's own answer.
TEST(PathsTest, FullPathNameOnBothSidesOfTheInlineBuffer) {
  base::KNAutoReleaseScope pool;
  wchar_t current[MAX_PATH];
  DWORD length = ::GetCurrentDirectoryW(MAX_PATH, current);
  ASSERT_GT(length, 0u);
  for (size_t extra : {size_t{1}, size_t{127}, size_t{126}, size_t{400}}) {
    std::wstring relative(extra, L'n');
    wchar_t expected[1024];
    DWORD expectedLength = ::GetFullPathNameW(relative.c_str(), 1024, expected, nullptr);
    SCOPED_TRACE(expectedLength);
    EXPECT_EQ(Narrow(std::wstring(expected, expectedLength)),
              Narrow(Text(io::FullPathName(Str(relative)))));
  }
}

TEST(PathsTest, EnsureDirectoryCreatesMissingLevelsAndLeavesExistingOnes) {
  base::KNAutoReleaseScope pool;
  testing::TempFolder folder;
  std::wstring deep = folder.File(L"one\\two\\three");
  EXPECT_EQ(0, io::EnsureDirectory(Str(deep)));
  DWORD attributes = ::GetFileAttributesW(deep.c_str());
  ASSERT_NE(INVALID_FILE_ATTRIBUTES, attributes);
  EXPECT_TRUE(attributes & FILE_ATTRIBUTE_DIRECTORY);
  EXPECT_NE(0, io::EnsureDirectory(Str(deep)));
  EXPECT_NE(0, io::EnsureDirectory(Str(folder.Path())));
}

}  // namespace
}  // namespace knfoundation
