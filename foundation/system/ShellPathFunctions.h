// The path functions of the system shell library ("shlwapi.dll"), loaded by
// name at first use and never freed. Each works in buffers of MAX_PATH (260)
// units; callers check lengths before calling. Any thread: loading is
// serialised by a monitor, resolving a name is not (and need not be).
#pragma once

#include "foundation/system/Win32.h"

namespace knfoundation {
namespace win32 {

class ShellPathFunctions {
 public:
  // Each resolves its function on first use: a library that cannot be loaded
  // raises "LoadLibraryEx('%S', %x) failed <%d: %@>", a missing function
  // "GetProcAddress('%s') failed <%d: %@>". Results are the functions' own.
  static BOOL PathIsDirectoryW(const wchar_t* path);
  static wchar_t* PathCombineW(wchar_t* dest, const wchar_t* directory, const wchar_t* file);
  static BOOL PathRemoveFileSpecW(wchar_t* path);
  static BOOL PathCanonicalizeW(wchar_t* dest, const wchar_t* path);
  static wchar_t* PathRemoveBackslashW(wchar_t* path);
};

}  // namespace win32
}  // namespace knfoundation
