// The 32-bit smoke checks' helper process (tests only, never shipped). Two
// modes, each kept to one process because every 32-bit process costs about a
// minute under emulation:
//
//   SmokeHost hold <mutex name> <ready file> <stop file>
//     Creates the named mutex initially owned, creates <ready file>, and keeps
//     the mutex until <stop file> appears (polled every 100 ms).
//
//   SmokeHost bridge <numbridge.dll>
//     Loads the library as MATLAB does (LoadLibrary, GetProcAddress), connects
//     to the editor, runs one script through each encoding and reads the
//     results, printing one "PASS"/"FAIL" line per check. It neither quits the
//     editor nor unloads the library: the process ends itself without running
//     library detach code, and the editor is ended through its stop file.
//
// The exit code is 0 when every check passed, 1 when one failed, 2 on bad use.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <cwchar>

namespace {

using LaunchFn = int(__cdecl*)();
using ScriptFn = const char*(__cdecl*)(const char*);
using ScriptUFn = int(__cdecl*)(const unsigned short*);
using ResultFn = int(__cdecl*)(unsigned short*);
using LastErrorFn = const char*(__cdecl*)();

int failures = 0;

// An export of the library as the given function type (null when missing).
template <typename Function>
Function Export(HMODULE library, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(library, name)));
}

void Check(bool ok, const char* what, const char* detail) {
  std::printf("%s  %s%s%s\n", ok ? "PASS" : "FAIL", what, detail[0] ? ": " : "", detail);
  std::fflush(stdout);
  if (!ok)
    ++failures;
}

bool FileExists(const wchar_t* path) {
  return GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES;
}

int Hold(const wchar_t* name, const wchar_t* ready, const wchar_t* stop) {
  HANDLE mutex = CreateMutexW(nullptr, TRUE, name);
  if (!mutex || GetLastError() == ERROR_ALREADY_EXISTS) {
    std::printf("FAIL  hold mutex: CreateMutexW failed or the mutex existed (%lu)\n",
                GetLastError());
    return 1;
  }
  HANDLE file = CreateFileW(ready, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    std::printf("FAIL  hold mutex: cannot create the ready file (%lu)\n", GetLastError());
    return 1;
  }
  CloseHandle(file);
  while (!FileExists(stop))
    Sleep(100);
  CloseHandle(mutex);
  return 0;
}

// The UTF-16 text as UTF-8, for printing.
const char* Utf8(const unsigned short* units, int count) {
  static char buffer[512];
  int n = WideCharToMultiByte(CP_UTF8, 0, reinterpret_cast<const wchar_t*>(units), count, buffer,
                              sizeof buffer - 1, nullptr, nullptr);
  buffer[n > 0 ? n : 0] = '\0';
  return buffer;
}

int Bridge(const wchar_t* path) {
  HMODULE library = LoadLibraryW(path);
  Check(library != nullptr, "load numbridge.dll", "");
  if (!library)
    return 1;
  auto launch = Export<LaunchFn>(library, "gxlaunch");
  auto script = Export<ScriptFn>(library, "gxjavascript");
  auto scriptU = Export<ScriptUFn>(library, "gxjavascriptu");
  auto result = Export<ResultFn>(library, "gxjavascriptgetresult");
  auto lastError = Export<LastErrorFn>(library, "gxlasterror");
  Check(launch && script && scriptU && result && lastError, "find the exports", "");
  if (!(launch && script && scriptU && result && lastError))
    return 1;

  char detail[600];
  int launched = launch();
  std::snprintf(detail, sizeof detail, "returned %d %s", launched, lastError());
  Check(launched >= 0, "gxlaunch connects to the editor", detail);

  const char* text = script("6*7");
  std::snprintf(detail, sizeof detail, "\"%s\" %s", text ? text : "(null)", lastError());
  Check(text && std::strcmp(text, "42") == 0, "gxjavascript(\"6*7\") gives \"42\"", detail);

  // U+263A and U+00E9 lie outside many ANSI code pages; UTF-16 keeps them.
  const wchar_t* wide = L"'\x263A' + 'caf\x00E9 ' + (6*7)";
  int count = scriptU(reinterpret_cast<const unsigned short*>(wide));
  unsigned short units[64] = {};
  int copied = count > 0 && count < 64 ? result(units) : 0;
  const wchar_t* expected =
      L"\x263A"
      L"caf\x00E9 42";
  bool same = copied == static_cast<int>(std::wcslen(expected)) &&
              std::memcmp(units, expected, copied * sizeof(wchar_t)) == 0;
  std::snprintf(detail, sizeof detail, "%d units, \"%s\"", count, Utf8(units, copied));
  Check(count == copied && same, "gxjavascriptu/gxjavascriptgetresult give the UTF-16 result",
        detail);

  // Ends here without detaching the library (no COM shut-down under emulation).
  TerminateProcess(GetCurrentProcess(), failures ? 1 : 0);
  return failures ? 1 : 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc == 5 && std::wcscmp(argv[1], L"hold") == 0)
    return Hold(argv[2], argv[3], argv[4]);
  if (argc == 3 && std::wcscmp(argv[1], L"bridge") == 0)
    return Bridge(argv[2]);
  std::fprintf(stderr,
               "usage: SmokeHost hold <mutex> <ready file> <stop file>\n"
               "       SmokeHost bridge <numbridge.dll>\n");
  return 2;
}
