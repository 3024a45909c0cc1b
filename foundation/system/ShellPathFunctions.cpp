// The process-wide table of shell path functions: the module handle and one
// cached address per function, each null until first use.
#include "foundation/system/ShellPathFunctions.h"

#include "foundation/system/IKNMonitor.h"
#include "foundation/system/Win32Calls.h"

namespace knfoundation {
namespace win32 {

namespace {

enum Function {
  kPathIsDirectory,
  kPathCombine,
  kPathRemoveFileSpec,
  kPathCanonicalize,
  kPathRemoveBackslash,
  kFunctionCount
};

const char* const kNames[kFunctionCount] = {"PathIsDirectoryW", "PathCombineW",
                                            "PathRemoveFileSpecW", "PathCanonicalizeW",
                                            "PathRemoveBackslashW"};

struct Table {
  HMODULE module;
  void (*functions[kFunctionCount])();
} gTable = {};

HMODULE Module() {
  if (HMODULE module = __atomic_load_n(&gTable.module, __ATOMIC_ACQUIRE))
    return module;
  thread::MonitorLock lock(static_cast<const void*>(&gTable));
  if (!gTable.module)
    __atomic_store_n(&gTable.module, win32::LoadLibraryExW(L"shlwapi.dll", nullptr, 0),
                     __ATOMIC_RELEASE);
  return gTable.module;
}

template <class F>
F Resolve(Function index) {
  void (*function)() = __atomic_load_n(&gTable.functions[index], __ATOMIC_ACQUIRE);
  if (!function) {
    function = reinterpret_cast<void (*)()>(win32::GetProcAddress(Module(), kNames[index]));
    __atomic_store_n(&gTable.functions[index], function, __ATOMIC_RELEASE);
  }
  return reinterpret_cast<F>(function);
}

}  // namespace

BOOL ShellPathFunctions::PathIsDirectoryW(const wchar_t* path) {
  return Resolve<BOOL(WINAPI*)(const wchar_t*)>(kPathIsDirectory)(path);
}

wchar_t* ShellPathFunctions::PathCombineW(wchar_t* dest,
                                          const wchar_t* directory,
                                          const wchar_t* file) {
  return Resolve<wchar_t*(WINAPI*)(wchar_t*, const wchar_t*, const wchar_t*)>(kPathCombine)(
      dest, directory, file);
}

BOOL ShellPathFunctions::PathRemoveFileSpecW(wchar_t* path) {
  return Resolve<BOOL(WINAPI*)(wchar_t*)>(kPathRemoveFileSpec)(path);
}

BOOL ShellPathFunctions::PathCanonicalizeW(wchar_t* dest, const wchar_t* path) {
  return Resolve<BOOL(WINAPI*)(wchar_t*, const wchar_t*)>(kPathCanonicalize)(dest, path);
}

wchar_t* ShellPathFunctions::PathRemoveBackslashW(wchar_t* path) {
  return Resolve<wchar_t*(WINAPI*)(wchar_t*)>(kPathRemoveBackslash)(path);
}

}  // namespace win32
}  // namespace knfoundation
