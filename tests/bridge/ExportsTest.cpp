// The export table of numbridge.dll as the loader sees it.
#include "bridge/BridgeWindows.h"

#include <algorithm>
#include <string>
#include <vector>

#include "tests/bridge/BridgeHost.h"
#include <gtest/gtest.h>

namespace bridgetest {
namespace {

TEST(ExportsTest, ExactlyTheSixUndecoratedNames) {
  HMODULE module = LoadLibraryW(BridgeLibraryPath().c_str());
  ASSERT_NE(nullptr, module);
  const BYTE* base = reinterpret_cast<const BYTE*>(module);
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  const IMAGE_DATA_DIRECTORY& directory =
      nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
  ASSERT_NE(0u, directory.VirtualAddress);
  const auto* exports =
      reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + directory.VirtualAddress);
  const auto* names = reinterpret_cast<const DWORD*>(base + exports->AddressOfNames);
  std::vector<std::string> found;
  for (DWORD i = 0; i < exports->NumberOfNames; ++i)
    found.push_back(reinterpret_cast<const char*>(base + names[i]));
  std::sort(found.begin(), found.end());
  const std::vector<std::string> expected = {"gxjavascript",  "gxjavascriptgetresult",
                                             "gxjavascriptu", "gxlasterror",
                                             "gxlaunch",      "gxquit"};
  EXPECT_EQ(expected, found);
  EXPECT_EQ(6u, exports->NumberOfFunctions);
  FreeLibrary(module);
}

}  // namespace
}  // namespace bridgetest
