// The control file, the call log and the stop file of the editor stand-in.
#include "tests/standins/StandInControl.h"

#include <stdlib.h>
#include <vector>

namespace standin {
namespace {

std::wstring FromUtf8(const std::string& text) {
  if (text.empty())
    return std::wstring();
  const int units =
      MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(units), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &wide[0], units);
  return wide;
}

std::string ToUtf8(const std::wstring& text) {
  if (text.empty())
    return std::string();
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                       nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &bytes[0], size,
                      nullptr, nullptr);
  return bytes;
}

bool ReadFileText(const std::wstring& path, std::string* text) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE)
    return false;
  char buffer[4096];
  DWORD read = 0;
  text->clear();
  while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0)
    text->append(buffer, read);
  CloseHandle(file);
  return true;
}

}  // namespace

std::wstring StandInFile(const wchar_t* name) {
  std::vector<wchar_t> path(MAX_PATH);
  DWORD length = 0;
  for (;;) {
    length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length < path.size())
      break;
    path.resize(path.size() * 2);
  }
  std::wstring folder(path.data(), length);
  folder.erase(folder.find_last_of(L"\\/") + 1);
  return folder + name;
}

StandInControl ReadControl() {
  StandInControl control;
  std::string text;
  if (!ReadFileText(StandInFile(L"EditorStandIn.control"), &text))
    return control;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos)
      end = text.size();
    std::string line = text.substr(start, end - start);
    start = end + 1;
    if (!line.empty() && line.back() == '\r')
      line.pop_back();
    const size_t equals = line.find('=');
    if (equals == std::string::npos)
      continue;
    const std::string key = line.substr(0, equals);
    const std::string value = line.substr(equals + 1);
    if (key == "interface")
      control.refuseInterface = value == "refuse";
    else if (key == "feature")
      control.featureDisabled = value == "false";
    else if (key == "result") {
      control.nullResult = value == "null";
      control.zeroInside = value == "zero-inside";
    } else if (key == "script-fail")
      control.scriptFailure = FromUtf8(value);
    else if (key == "quit")
      control.ignoreQuit = value == "ignore";
    else if (key == "quit-fail")
      control.quitFailure = FromUtf8(value);
    else if (key == "quit-delay")
      control.quitDelayMs = static_cast<DWORD>(strtoul(value.c_str(), nullptr, 10));
  }
  return control;
}

void Log(const std::wstring& text) {
  HANDLE file = CreateFileW(StandInFile(L"EditorStandIn.log").c_str(), FILE_APPEND_DATA,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE)
    return;
  const std::string line = ToUtf8(text) + "\n";
  DWORD written = 0;
  WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
  CloseHandle(file);
}

bool TakeStopRequest() {
  const std::wstring stop = StandInFile(L"EditorStandIn.stop");
  if (GetFileAttributesW(stop.c_str()) == INVALID_FILE_ATTRIBUTES)
    return false;
  DeleteFileW(stop.c_str());
  return true;
}

}  // namespace standin
