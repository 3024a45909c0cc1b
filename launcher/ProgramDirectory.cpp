// Finds the program's own directory and makes it current through the OS call
// layer.
#include "launcher/ProgramDirectory.h"

#include "foundation/system/Win32.h"

#include <string>

#include "foundation/system/Win32Calls.h"

namespace tidewell {

namespace {

// The full path of the executable.
std::wstring ExecutablePath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    DWORD length =
        knfoundation::win32::GetModuleFileNameW(nullptr, &path[0], static_cast<DWORD>(path.size()));
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

// The part of `path` before its last separator; a drive root keeps its
// separator ("C:\").
std::wstring DirectoryOf(const std::wstring& path) {
  size_t separator = path.find_last_of(L"\\/");
  if (separator == std::wstring::npos)
    return path;
  if (separator == 2 && path[1] == L':')
    return path.substr(0, 3);
  return path.substr(0, separator);
}

}  // namespace

void MakeProgramDirectoryCurrent() {
  std::wstring directory = DirectoryOf(ExecutablePath());
  knfoundation::win32::SetCurrentDirectoryW(directory.c_str());
}

}  // namespace tidewell
