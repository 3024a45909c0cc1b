// A MATLAB stand-in for the bridge tests (tests only, never shipped): it loads
// numbridge.dll as MATLAB does (LoadLibrary, GetProcAddress), runs one script
// through both script exports on its main thread, which is in no apartment,
// and prints what came back. It then ends the process with the library still
// loaded and connected, as a closing MATLAB does (the library's detach code
// runs), unless asked to quit first.
//
//   MatlabStandIn.exe [--quit] <numbridge.dll> <script>
//
// Standard output, one UTF-8 line each:
//   gxlaunch <n>
//   gxjavascript <text>            (or "gxjavascript (null)")
//   gxjavascriptu <n>
//   gxjavascriptgetresult <n> <text>
//   gxlasterror <text>
//   gxquit <n>                     (only with --quit)
// Exit code: 0 when gxlaunch connected and both exports gave the same non-null
// result; 1 when they did not; 2 for a usage or loading failure.
#include <string>

#include "tests/standins/StandInWindows.h"

namespace {

struct Exports {
  int(__cdecl* gxlaunch)();
  int(__cdecl* gxquit)();
  const char*(__cdecl* gxjavascript)(const char* script);
  int(__cdecl* gxjavascriptu)(const unsigned short* script);
  int(__cdecl* gxjavascriptgetresult)(unsigned short* buffer);
  const char*(__cdecl* gxlasterror)();
};

template <class Fn>
bool Resolve(HMODULE module, const char* name, Fn* fn) {
  *fn = reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
  return *fn != nullptr;
}

std::string Convert(UINT codePage, const std::wstring& text) {
  if (text.empty())
    return std::string();
  const int size = WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()),
                                       nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<size_t>(size > 0 ? size : 0), '\0');
  if (size > 0)
    WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), &bytes[0], size,
                        nullptr, nullptr);
  return bytes;
}

// ANSI text as UTF-8.
std::string AnsiToUtf8(const char* text) {
  const int units = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
  if (units <= 1)
    return std::string();
  std::wstring wide(static_cast<size_t>(units), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text, -1, &wide[0], units);
  wide.resize(static_cast<size_t>(units - 1));
  return Convert(CP_UTF8, wide);
}

void Print(const std::string& line) {
  const std::string text = line + "\n";
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), text.data(), static_cast<DWORD>(text.size()), &written,
            nullptr);
}

int Run(const Exports& bridge, const std::wstring& script, bool quit) {
  const int launched = bridge.gxlaunch();
  Print("gxlaunch " + std::to_string(launched));

  const std::string ansiScript = Convert(CP_ACP, script);
  const char* ansi = bridge.gxjavascript(ansiScript.c_str());
  Print(ansi ? "gxjavascript " + AnsiToUtf8(ansi) : std::string("gxjavascript (null)"));

  const int units = bridge.gxjavascriptu(reinterpret_cast<const unsigned short*>(script.c_str()));
  Print("gxjavascriptu " + std::to_string(units));
  std::wstring result(static_cast<size_t>(units > 0 ? units : 0), L'\0');
  const int copied =
      units > 0 ? bridge.gxjavascriptgetresult(reinterpret_cast<unsigned short*>(&result[0])) : 0;
  Print("gxjavascriptgetresult " + std::to_string(copied) + " " + Convert(CP_UTF8, result));
  Print("gxlasterror " + AnsiToUtf8(bridge.gxlasterror()));

  if (quit)
    Print("gxquit " + std::to_string(bridge.gxquit()));
  const bool same = ansi && copied == units && AnsiToUtf8(ansi) == Convert(CP_UTF8, result);
  return launched >= 0 && same ? 0 : 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  int next = 1;
  const bool quit = argc > next && std::wstring(argv[next]) == L"--quit";
  if (quit)
    ++next;
  if (argc != next + 2) {
    Print("usage: MatlabStandIn.exe [--quit] <numbridge.dll> <script>");
    return 2;
  }
  HMODULE module = LoadLibraryW(argv[next]);
  Exports bridge;
  if (!module || !Resolve(module, "gxlaunch", &bridge.gxlaunch) ||
      !Resolve(module, "gxquit", &bridge.gxquit) ||
      !Resolve(module, "gxjavascript", &bridge.gxjavascript) ||
      !Resolve(module, "gxjavascriptu", &bridge.gxjavascriptu) ||
      !Resolve(module, "gxjavascriptgetresult", &bridge.gxjavascriptgetresult) ||
      !Resolve(module, "gxlasterror", &bridge.gxlasterror)) {
    Print("cannot load numbridge: error " + std::to_string(GetLastError()));
    return 2;
  }
  const int code = Run(bridge, argv[next + 1], quit);
  // The library stays loaded: the process ends with it, as MATLAB's does.
  ExitProcess(static_cast<UINT>(code));
}
