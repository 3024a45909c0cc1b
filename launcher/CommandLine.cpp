// Splits the process's command line and looks for whole arguments.
#include "launcher/CommandLine.h"

#include "foundation/system/Win32.h"

#include <cwchar>
#include <shellapi.h>

#include "foundation/objects/KNException.h"

namespace tidewell {

bool HasArgument(const wchar_t* argument) {
  int count = 0;
  wchar_t** arguments = ::CommandLineToArgvW(::GetCommandLineW(), &count);
  if (!arguments)
    knfoundation::system::KNRaiseWin32Error("CommandLineToArgvW",
                                            static_cast<int32_t>(::GetLastError()));
  bool found = false;
  for (int i = 0; i < count && !found; ++i)
    found = std::wcscmp(arguments[i], argument) == 0;
  ::LocalFree(arguments);
  return found;
}

}  // namespace tidewell
