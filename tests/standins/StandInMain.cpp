// The editor stand-in: an out-of-process COM server for the tests of
// numbridge. "/RegServer" and "/UnregServer" (un)register it in the current
// prefix (exit code 0 on success). Started by COM ("-Embedding") or directly,
// it holds the editor's mutex, serves CLSID_EditorApplication on its STA
// thread and ends itself cleanly after a quit request, on the stop file (see
// StandInControl.h), or at the end of its lifetime bound.
#include <string>

#include "tests/standins/EditorApplication.h"
#include "tests/standins/Registration.h"
#include "tests/standins/StandInControl.h"
#include "tests/standins/StandInIds.h"
#include "tests/standins/StandInWindows.h"

namespace {

using namespace standin;

// A safety net for a run that never ends its server: it ends itself this long
// after its start (generous, for 32-bit Wine under emulation).
constexpr DWORD kLifetimeMs = 600000;
constexpr UINT kPollMs = 100;
// After a quit request the server ends once its clients have released every
// application object (their releases follow the quit call's reply, so the
// reply has arrived), or at the latest this long after the asked delay.
constexpr DWORD kQuitReleaseGraceMs = 3000;

DWORD registration = 0;
bool quitRequested = false;
DWORD quitTick = 0;
DWORD quitDelayMs = 0;
// Polls seen since the last application object was released.
int pollsWithoutObjects = 0;

// Withdraws the class object so that no new activation reaches this process.
void Revoke() {
  if (registration != 0) {
    CoRevokeClassObject(registration);
    registration = 0;
  }
}

// Ends the message loop; the class object is revoked after it. Ending from
// inside the quit call was seen to lose that call's reply under Wine, so the
// quit request only schedules the end.
void End(const wchar_t* why) {
  static bool ending = false;
  if (ending)
    return;
  ending = true;
  Log(why);
  Revoke();
  PostQuitMessage(0);
}

void BeginQuit(DWORD delayMs) {
  Log(L"Quitting " + std::to_wstring(delayMs));
  quitRequested = true;
  quitTick = GetTickCount();
  quitDelayMs = delayMs;
}

// Every kPollMs: the stop file, a pending quit, the lifetime bound.
void CALLBACK Poll(HWND, UINT, UINT_PTR, DWORD) {
  static const DWORD started = GetTickCount();
  const DWORD now = GetTickCount();
  pollsWithoutObjects = LiveApplications() == 0 ? pollsWithoutObjects + 1 : 0;
  if (TakeStopRequest()) {
    End(L"Stop");
  } else if (quitRequested && now - quitTick >= quitDelayMs) {
    // One full poll interval without objects lets the last release's reply go.
    if (pollsWithoutObjects >= 2)
      End(L"QuitEnd");
    else if (now - quitTick >= quitDelayMs + kQuitReleaseGraceMs)
      End(L"QuitEnd objects-held");
  } else if (now - started > kLifetimeMs) {
    End(L"LifetimeEnd");
  }
}

int Serve() {
  HANDLE mutex = CreateMutexW(nullptr, FALSE, kEditorMutexName);
  HRESULT hr = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  if (FAILED(hr))
    return 1;
  Log(L"Start " + std::to_wstring(GetCurrentProcessId()));
  hr = CoRegisterClassObject(CLSID_EditorApplication, EditorClassFactory(BeginQuit),
                             CLSCTX_LOCAL_SERVER, REGCLS_MULTIPLEUSE, &registration);
  if (FAILED(hr)) {
    CoUninitialize();
    return 1;
  }
  SetTimer(nullptr, 0, kPollMs, Poll);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  Revoke();
  CoUninitialize();
  Log(L"End " + std::to_wstring(GetCurrentProcessId()));
  if (mutex)
    CloseHandle(mutex);
  return 0;
}

bool HasSwitch(const wchar_t* commandLine, const wchar_t* name) {
  std::wstring line(commandLine);
  for (wchar_t& unit : line)
    unit = static_cast<wchar_t>(towlower(unit));
  return line.find(name) != std::wstring::npos;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int) {
  if (HasSwitch(commandLine, L"regserver") && !HasSwitch(commandLine, L"unregserver"))
    return SUCCEEDED(RegisterServer()) ? 0 : 1;
  if (HasSwitch(commandLine, L"unregserver"))
    return SUCCEEDED(UnregisterServer()) ? 0 : 1;
  return Serve();
}
