// Reading the stand-in's registration and files, and ending it.
#include "tests/bridge/EditorStandInDriver.h"

namespace bridgetest {
namespace {

const wchar_t kClassKey[] = L"CLSID\\{3D7A2C51-8E04-4B9F-A1C6-5F20D8E47B13}\\LocalServer32";

std::wstring StandInFile(const wchar_t* name) {
  std::wstring path = StandInExecutable();
  return path.substr(0, path.find_last_of(L"\\/") + 1) + name;
}

void WriteFileText(const std::wstring& path, const std::string& text) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, file) << "cannot write the stand-in's files";
  DWORD written = 0;
  WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  CloseHandle(file);
}

}  // namespace

std::wstring StandInExecutable() {
  wchar_t value[MAX_PATH * 2];
  LONG size = sizeof value;
  if (RegQueryValueW(HKEY_CLASSES_ROOT, kClassKey, value, &size) != ERROR_SUCCESS)
    return std::wstring();
  std::wstring path(value);
  if (!path.empty() && path.front() == L'"')
    path = path.substr(1, path.find(L'"', 1) - 1);
  return path;
}

void WriteStandInControl(const std::string& lines) {
  const std::wstring path = StandInFile(L"EditorStandIn.control");
  if (lines.empty())
    DeleteFileW(path.c_str());
  else
    WriteFileText(path, lines);
}

std::vector<std::string> StandInLog() {
  std::vector<std::string> lines;
  HANDLE file = CreateFileW(StandInFile(L"EditorStandIn.log").c_str(), GENERIC_READ,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE)
    return lines;
  std::string text;
  char buffer[4096];
  DWORD read = 0;
  while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0)
    text.append(buffer, read);
  CloseHandle(file);
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos)
      end = text.size();
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

int CountLogLines(const std::string& line) {
  int count = 0;
  for (const std::string& entry : StandInLog())
    if (entry == line || entry.rfind(line + " ", 0) == 0)
      ++count;
  return count;
}

bool WaitForLogLine(const std::string& prefix, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  for (;;) {
    for (const std::string& entry : StandInLog())
      if (entry.rfind(prefix, 0) == 0)
        return true;
    if (GetTickCount() - start >= timeoutMs)
      return false;
    Sleep(50);
  }
}

bool EditorMutexHeld() {
  HANDLE mutex = OpenMutexW(SYNCHRONIZE, FALSE, L"GX3.0.5WIN");
  if (!mutex)
    return false;
  CloseHandle(mutex);
  return true;
}

bool StopStandIn() {
  if (!EditorMutexHeld())
    return true;
  const std::wstring stop = StandInFile(L"EditorStandIn.stop");
  WriteFileText(stop, "stop\n");
  const DWORD start = GetTickCount();
  while (EditorMutexHeld() && GetTickCount() - start < 15000)
    Sleep(50);
  DeleteFileW(stop.c_str());
  return !EditorMutexHeld();
}

DWORD RunStandIn(const std::wstring& executable, const wchar_t* argument) {
  std::wstring commandLine = L"\"" + executable + L"\" " + argument;
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  if (!CreateProcessW(executable.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &startup, &process))
    return static_cast<DWORD>(-1);
  WaitForSingleObject(process.hProcess, 60000);
  DWORD exitCode = static_cast<DWORD>(-1);
  GetExitCodeProcess(process.hProcess, &exitCode);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return exitCode;
}

void ResetStandIn() {
  ASSERT_TRUE(StopStandIn()) << "a stand-in from an earlier run does not end";
  WriteStandInControl("");
  DeleteFileW(StandInFile(L"EditorStandIn.log").c_str());
}

void StandInTest::SetUp() {
  ASSERT_FALSE(StandInExecutable().empty()) << "the editor stand-in is not registered";
  ResetStandIn();
}

void StandInTest::TearDown() {
  EXPECT_TRUE(StopStandIn()) << "the stand-in did not end";
  WriteStandInControl("");
}

}  // namespace bridgetest
