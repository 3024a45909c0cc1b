// Loading numbridge.dll as MATLAB does and running calls on a host thread.
#include "tests/bridge/BridgeHost.h"

#include <stdio.h>
#include <thread>

#include <gtest/gtest.h>

namespace bridgetest {
namespace {

std::wstring ModuleFolder() {
  wchar_t path[MAX_PATH];
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path, length);
  return folder.substr(0, folder.find_last_of(L"\\/") + 1);
}

template <class Fn>
bool Resolve(HMODULE module, const char* name, Fn* fn) {
  *fn = reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
  return *fn != nullptr;
}

}  // namespace

std::wstring BridgeLibraryPath() {
  return ModuleFolder() + L"numbridge.dll";
}

std::string FailureText(HRESULT hr) {
  wchar_t* message = nullptr;
  FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, static_cast<DWORD>(hr), 0, reinterpret_cast<wchar_t*>(&message), 0, nullptr);
  std::string text;
  if (message) {
    char ansi[1024] = "";
    WideCharToMultiByte(CP_ACP, 0, message, -1, ansi, sizeof ansi, nullptr, nullptr);
    LocalFree(message);
    text = ansi;
  }
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
    text.pop_back();
  if (text.empty()) {
    char code[32];
    snprintf(code, sizeof code, "HRESULT 0x%08lX", static_cast<unsigned long>(hr));
    text = code;
  }
  return text;
}

void RunInHostWithModule(Apartment apartment,
                         const std::function<void(const Bridge&, HMODULE)>& body) {
  std::thread host([&] {
    if (apartment == Apartment::kSingleThreaded) {
      ASSERT_EQ(S_OK, CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    }
    if (apartment == Apartment::kMultithreaded) {
      ASSERT_EQ(S_OK, CoInitializeEx(nullptr, COINIT_MULTITHREADED));
    }
    HMODULE module = LoadLibraryW(BridgeLibraryPath().c_str());
    ASSERT_NE(nullptr, module) << "LoadLibrary failed: " << GetLastError();
    Bridge bridge;
    const bool resolved = Resolve(module, "gxlaunch", &bridge.gxlaunch) &&
                          Resolve(module, "gxquit", &bridge.gxquit) &&
                          Resolve(module, "gxjavascript", &bridge.gxjavascript) &&
                          Resolve(module, "gxjavascriptu", &bridge.gxjavascriptu) &&
                          Resolve(module, "gxjavascriptgetresult", &bridge.gxjavascriptgetresult) &&
                          Resolve(module, "gxlasterror", &bridge.gxlasterror);
    EXPECT_TRUE(resolved);
    if (resolved)
      body(bridge, module);
    else
      FreeLibrary(module);
  });
  host.join();
}

void RunInHost(Apartment apartment, const std::function<void(const Bridge&)>& body) {
  RunInHostWithModule(apartment, [&](const Bridge& bridge, HMODULE module) {
    body(bridge);
    FreeLibrary(module);
  });
}

unsigned ElapsedMs(const std::function<void()>& fn) {
  const DWORD start = GetTickCount();
  fn();
  return static_cast<unsigned>(GetTickCount() - start);
}

}  // namespace bridgetest
