// numbridge.dll in a process of its own, through the MATLAB stand-in that the
// 32-bit smoke checks also use: one script through both script exports, and a
// process that ends while connected sends no quit request and leaves the
// editor running.
#include "bridge/BridgeWindows.h"

#include <string>

#include "tests/bridge/BridgeHost.h"
#include "tests/bridge/EditorStandInDriver.h"
#include <gtest/gtest.h>

namespace bridgetest {
namespace {

class MatlabStandInTest : public StandInTest {};

struct HostRun {
  DWORD exitCode = static_cast<DWORD>(-1);
  std::string output;
};

// Runs the MATLAB stand-in beside the editor stand-in with these arguments,
// its standard output going to a file (an editor that COM starts inherits it
// and may outlive the run), and waits up to 60 s for it to end.
HostRun RunMatlabStandIn(const std::wstring& arguments) {
  HostRun run;
  const std::wstring editor = StandInExecutable();
  const std::wstring folder = editor.substr(0, editor.find_last_of(L"\\/") + 1);
  const std::wstring executable = folder + L"MatlabStandIn.exe";
  // A file per run: the editor that the run started keeps its copy open.
  static int runs = 0;
  const std::wstring outputPath = folder + L"MatlabStandIn-" + std::to_wstring(++runs) + L".out";
  SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
  HANDLE output =
      CreateFileW(outputPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE, &inherit,
                  CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  EXPECT_NE(INVALID_HANDLE_VALUE, output);
  if (output == INVALID_HANDLE_VALUE)
    return run;
  std::wstring commandLine = L"\"" + executable + L"\" " + arguments;
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = output;
  startup.hStdError = output;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  PROCESS_INFORMATION process = {};
  const BOOL started = CreateProcessW(executable.c_str(), &commandLine[0], nullptr, nullptr, TRUE,
                                      0, nullptr, nullptr, &startup, &process);
  CloseHandle(output);
  EXPECT_TRUE(started) << "cannot start MatlabStandIn.exe: " << GetLastError();
  if (!started)
    return run;
  EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(process.hProcess, 60000));
  GetExitCodeProcess(process.hProcess, &run.exitCode);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);

  HANDLE input = CreateFileW(outputPath.c_str(), GENERIC_READ,
                             FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                             OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  char buffer[4096];
  DWORD read = 0;
  while (input != INVALID_HANDLE_VALUE && ReadFile(input, buffer, sizeof buffer, &read, nullptr) &&
         read > 0)
    run.output.append(buffer, read);
  if (input != INVALID_HANDLE_VALUE)
    CloseHandle(input);
  DeleteFileW(outputPath.c_str());
  return run;
}

TEST_F(MatlabStandInTest, OneScriptInAProcessOfItsOwn) {
  struct Case {
    const char* what;
    const wchar_t* options;
    const char* quitLine;  // what follows gxlasterror's line
    bool editorRunsOn;
  };
  const Case cases[] = {
      // As MATLAB closing: the process ends with the library connected.
      {"ends while connected", L"", "", true},
      {"quits first", L"--quit ", "gxquit 0\n", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ResetStandIn();
    const HostRun run = RunMatlabStandIn(std::wstring(c.options) + L"\"" + BridgeLibraryPath() +
                                         L"\" \"'caf\\u00e9 ' + 6*7\"");
    EXPECT_EQ(0u, run.exitCode) << run.output;
    const std::string expected = std::string(
                                     "gxlaunch 0\n"
                                     "gxjavascript caf\xC3\xA9 42\n"
                                     "gxjavascriptu 7\n"
                                     "gxjavascriptgetresult 7 caf\xC3\xA9 42\n"
                                     "gxlasterror \n") +
                                 c.quitLine;
    EXPECT_EQ(expected, run.output);
    EXPECT_EQ(2, CountLogLines("RunScript"));
    EXPECT_EQ(c.editorRunsOn ? 0 : 1, CountLogLines("Quit"));
    EXPECT_EQ(c.editorRunsOn, EditorMutexHeld());
  }
}

}  // namespace
}  // namespace bridgetest
