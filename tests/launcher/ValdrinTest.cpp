// Valdrin.exe end to end: the built program runs as a child process with its
// standard error in a file; the tests check exit codes and what it logged.
#include "foundation/system/Win32.h"

#include <fstream>
#include <regex>
#include <sstream>
#include <string>

#include "tests/launcher/ValdrinPath.h"
#include <gtest/gtest.h>

namespace {

using tidewell::testing::ValdrinPath;

struct ChildRun {
  DWORD exitCode = 0xFFFFFFFF;
  std::string stdErr;  // as written, "\r\n" line ends included
};

// Starts Valdrin with `arguments`, waits for it and collects its standard
// error. A child that does not end within a minute is killed and reported.
ChildRun RunValdrin(const std::wstring& arguments) {
  ChildRun run;
  wchar_t directory[MAX_PATH];
  wchar_t errPath[MAX_PATH];
  ::GetTempPathW(MAX_PATH, directory);
  ::GetTempFileNameW(directory, L"vdr", 0, errPath);

  SECURITY_ATTRIBUTES inherit = {sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  HANDLE errFile = ::CreateFileW(errPath, GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
  HANDLE nul =
      ::CreateFileW(L"NUL", GENERIC_READ | GENERIC_WRITE, 0, &inherit, OPEN_EXISTING, 0, nullptr);
  EXPECT_NE(INVALID_HANDLE_VALUE, errFile);

  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = nul;
  startup.hStdOutput = nul;
  startup.hStdError = errFile;
  PROCESS_INFORMATION process = {};
  std::wstring path = ValdrinPath();
  std::wstring commandLine = L"\"" + path + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
  // Started from the temporary folder: the program moves to its own folder.
  BOOL started = ::CreateProcessW(path.c_str(), &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr,
                                  directory, &startup, &process);
  EXPECT_TRUE(started) << "CreateProcess failed " << ::GetLastError();
  if (started) {
    if (::WaitForSingleObject(process.hProcess, 60000) != WAIT_OBJECT_0) {
      ::TerminateProcess(process.hProcess, 99);
      ::WaitForSingleObject(process.hProcess, INFINITE);
      ADD_FAILURE() << "Valdrin did not end";
    }
    ::GetExitCodeProcess(process.hProcess, &run.exitCode);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
  }
  ::CloseHandle(errFile);
  ::CloseHandle(nul);

  std::ifstream in(errPath, std::ios::binary);
  std::stringstream content;
  content << in.rdbuf();
  run.stdErr = content.str();
  in.close();
  ::DeleteFileW(errPath);
  return run;
}

constexpr wchar_t kMutexName[] = L"Local\\com.corvane.zel.Valdrin";

TEST(ValdrinTest, NormalRunExitsZeroAndLogsNothing) {
  for (const wchar_t* arguments : {L"", L"-d -launchedbylogin"}) {
    ChildRun run = RunValdrin(arguments);
    EXPECT_EQ(0u, run.exitCode) << run.stdErr;
    EXPECT_EQ("", run.stdErr);
  }
}

TEST(ValdrinTest, SecondInstanceLogsIllegalStateAndExitsOne) {
  HANDLE mutex = ::CreateMutexW(nullptr, TRUE, kMutexName);
  ASSERT_NE(nullptr, mutex);
  ASSERT_NE(static_cast<DWORD>(ERROR_ALREADY_EXISTS), ::GetLastError());

  ChildRun run = RunValdrin(L"-launchedbylogin");
  EXPECT_EQ(1u, run.exitCode) << run.stdErr;
  // The new file starts with the UTF-8 mark, then one time-stamped line for
  // the report and the trace on the next line.
  const std::regex expected(
      "\xEF\xBB\xBF"
      "\\d{4}-\\d{2}-\\d{2} \\d{2}:\\d{2}:\\d{2} : "
      "class knfoundation::base::KNIllegalState: An Instance of Valdrin is already running\\.\r\n"
      "Trace: \\(null\\)\r\n");
  EXPECT_TRUE(std::regex_match(run.stdErr, expected)) << run.stdErr;

  ::ReleaseMutex(mutex);
  ::CloseHandle(mutex);
  // With the guard gone the program starts again.
  EXPECT_EQ(0u, RunValdrin(L"").exitCode);
}

}  // namespace
