// Splits the process's command line and looks for whole arguments.
#include "launcher/CommandLine.h"

#include "foundation/system/Win32.h"

#include <cwchar>

#include "foundation/system/Win32Calls.h"

namespace tidewell {

bool HasArgument(const wchar_t* argument) {
  int count = 0;
  wchar_t** arguments = knfoundation::win32::CommandLineToArgvW(::GetCommandLineW(), &count);
  bool found = false;
  for (int i = 0; i < count && !found; ++i)
    found = std::wcscmp(arguments[i], argument) == 0;
  knfoundation::win32::LocalFree(arguments);
  return found;
}

}  // namespace tidewell
