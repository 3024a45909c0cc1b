// Temporary test folders.
#include "tests/system/TempFolder.h"

#include "foundation/system/Win32.h"

#include <shellapi.h>

namespace knfoundation {
namespace testing {

TempFolder::TempFolder() {
  static LONG counter = 0;
  wchar_t temp[MAX_PATH];
  DWORD length = ::GetTempPathW(MAX_PATH, temp);
  if (length && temp[length - 1] == L'\\')
    temp[length - 1] = 0;
  path_ = std::wstring(temp) + L"\\kn-system-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
          std::to_wstring(::InterlockedIncrement(&counter));
  ::CreateDirectoryW(path_.c_str(), nullptr);
}

TempFolder::~TempFolder() {
  std::wstring from = path_ + L'\0';  // a double-zero-terminated list
  SHFILEOPSTRUCTW operation = {};
  operation.wFunc = FO_DELETE;
  operation.pFrom = from.c_str();
  operation.fFlags = FOF_NO_UI;
  ::SHFileOperationW(&operation);
}

std::wstring TempFolder::Write(const std::wstring& name, const std::string& bytes) const {
  std::wstring path = File(name);
  HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD written = 0;
  if (!bytes.empty())
    ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  ::CloseHandle(file);
  return path;
}

}  // namespace testing
}  // namespace knfoundation
