// A MATLAB-style host for the tests: numbridge.dll loaded with LoadLibrary,
// its exports called through GetProcAddress pointers, on a thread of its own
// that starts in no apartment or in one chosen beforehand.
#pragma once

#include "bridge/BridgeWindows.h"

#include <functional>
#include <string>

namespace bridgetest {

// The exports of one loaded numbridge.dll; borrowed from the module.
struct Bridge {
  int(__cdecl* gxlaunch)();
  int(__cdecl* gxquit)();
  const char*(__cdecl* gxjavascript)(const char* script);
  int(__cdecl* gxjavascriptu)(const unsigned short* script);
  int(__cdecl* gxjavascriptgetresult)(unsigned short* buffer);
  const char*(__cdecl* gxlasterror)();

  // Convenience: gxjavascriptu with UTF-16 text.
  int RunU(const std::wstring& script) const {
    return gxjavascriptu(reinterpret_cast<const unsigned short*>(script.c_str()));
  }
  // Convenience: gxjavascriptgetresult into a wide buffer.
  int GetResult(wchar_t* buffer) const {
    return gxjavascriptgetresult(reinterpret_cast<unsigned short*>(buffer));
  }
};

// The full path of the numbridge.dll that the tests load (beside the test).
std::wstring BridgeLibraryPath();

// The text gxlasterror gives for a failure without a description: the system's
// message for hr without its line break, or "HRESULT 0x%08X" when the system
// has none.
std::string FailureText(HRESULT hr);

// The apartment the host thread is in before the library is first called.
enum class Apartment { kNone, kSingleThreaded, kMultithreaded };

// Runs body on a new thread in apartment, with numbridge.dll (beside the test
// executable) freshly loaded for it and unloaded after it, and waits for the
// thread. A failure to load fails the current test.
void RunInHost(Apartment apartment, const std::function<void(const Bridge&)>& body);

// As RunInHost, but body gets the module too and unloads it itself
// (FreeLibrary) when it wants to.
void RunInHostWithModule(Apartment apartment,
                         const std::function<void(const Bridge&, HMODULE)>& body);

// Milliseconds that fn took to run.
unsigned ElapsedMs(const std::function<void()>& fn);

}  // namespace bridgetest
