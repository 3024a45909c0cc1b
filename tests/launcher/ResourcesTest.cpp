// The resources built into Valdrin.exe, read with the program loaded as data.
#include "foundation/system/Win32.h"

#include <string>
#include <utility>
#include <vector>

#include "tests/launcher/ValdrinPath.h"
#include <gtest/gtest.h>

namespace {

class ResourcesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    module_ = ::LoadLibraryExW(tidewell::testing::ValdrinPath().c_str(), nullptr,
                               LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(nullptr, module_) << ::GetLastError();
  }
  void TearDown() override {
    if (module_)
      ::FreeLibrary(module_);
  }
  // The bytes of one resource, empty when it is missing.
  std::string Resource(const wchar_t* type, int id) {
    HRSRC found = ::FindResourceW(module_, MAKEINTRESOURCEW(id), type);
    if (!found)
      return std::string();
    HGLOBAL loaded = ::LoadResource(module_, found);
    const char* bytes = static_cast<const char*>(::LockResource(loaded));
    return std::string(bytes, ::SizeofResource(module_, found));
  }

  HMODULE module_ = nullptr;
};

TEST_F(ResourcesTest, IconGroupHoldsEightImages) {
  std::string group = Resource(RT_GROUP_ICON, 202);
  ASSERT_GE(group.size(), 6u);
  const unsigned char* bytes = reinterpret_cast<const unsigned char*>(group.data());
  int count = bytes[4] | bytes[5] << 8;
  ASSERT_EQ(8, count);
  ASSERT_EQ(6u + 14u * 8u, group.size());
  std::vector<std::pair<int, int>> images;  // (size in pixels, bits per pixel)
  for (int i = 0; i < count; ++i) {
    const unsigned char* entry = bytes + 6 + 14 * i;
    int size = entry[0] == 0 ? 256 : entry[0];
    images.emplace_back(size, entry[6] | entry[7] << 8);
  }
  const std::vector<std::pair<int, int>> expected = {{48, 8},   {32, 8},  {16, 8},  {256, 32},
                                                     {128, 32}, {48, 32}, {32, 32}, {16, 32}};
  EXPECT_EQ(expected, images);
}

TEST_F(ResourcesTest, ManifestRunsAsInvokerWithoutUIAccess) {
  std::string manifest = Resource(RT_MANIFEST, 1);
  EXPECT_NE(std::string::npos,
            manifest.find("<requestedExecutionLevel level=\"asInvoker\" uiAccess=\"false\"/>"))
      << manifest;
}

TEST_F(ResourcesTest, VersionAndEventMessagesArePresent) {
  EXPECT_FALSE(Resource(RT_VERSION, 1).empty());
  for (DWORD id : {0x40000001u, 0x80000002u, 0xC0000003u}) {  // information, warning, error
    wchar_t* text = nullptr;
    DWORD length = ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_HMODULE |
                                        FORMAT_MESSAGE_IGNORE_INSERTS,
                                    module_, id, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    ASSERT_NE(0u, length) << std::hex << id;
    EXPECT_EQ(std::wstring(L"%1: %2\r\n"), std::wstring(text, length)) << std::hex << id;
    ::LocalFree(text);
  }
}

}  // namespace
