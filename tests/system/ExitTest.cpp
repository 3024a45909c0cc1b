// Process exit: the main thread's record gives up its entries while the
// monitors still work, so an object left in the main thread's pool is
// released cleanly.
#include "foundation/system/Win32.h"

#include <fstream>
#include <sstream>
#include <string>

#include "tests/system/TempFolder.h"
#include <gtest/gtest.h>

namespace knfoundation {
namespace {

std::wstring ProgramFolder() {
  wchar_t path[MAX_PATH];
  DWORD length = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path, length);
  return folder.substr(0, folder.find_last_of(L'\\') + 1);
}

TEST(ExitTest, MainThreadPoolLeftOpenIsDrainedAtExit) {
  testing::TempFolder folder;
  std::wstring report = folder.File(L"report.txt");
  std::wstring command = L"\"" + ProgramFolder() + L"system_exit_probe.exe\" \"" + report + L"\"";
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  ASSERT_TRUE(::CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                               &startup, &process));
  ::WaitForSingleObject(process.hProcess, INFINITE);
  DWORD exitCode = 99;
  ::GetExitCodeProcess(process.hProcess, &exitCode);
  ::CloseHandle(process.hThread);
  ::CloseHandle(process.hProcess);
  EXPECT_EQ(0u, exitCode);
  std::ifstream file(std::string(report.begin(), report.end()));
  std::stringstream text;
  text << file.rdbuf();
  EXPECT_EQ("released at exit, lock depth 1, main thread yes\n", text.str());
}

}  // namespace
}  // namespace knfoundation
