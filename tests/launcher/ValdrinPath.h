// Where the launcher tests find the built Valdrin.exe.
#pragma once

#include <string>

namespace tidewell {
namespace testing {

// The program's path in the form Windows programs see it (Wine's Z: drive).
inline std::wstring ValdrinPath() {
  std::string unix = KN_VALDRIN_EXE;
  std::wstring path = L"Z:";
  for (char c : unix)
    path += c == '/' ? L'\\' : static_cast<wchar_t>(c);
  return path;
}

}  // namespace testing
}  // namespace tidewell
