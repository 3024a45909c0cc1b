// The exports of numbridge.dll and its unload. Each export forgets the last
// failure, runs its body inside the export guard and turns any failure into
// its own return value; no exception leaves.
#include "bridge/BridgeWindows.h"

#include "bridge/BridgeState.h"
#include "bridge/Connection.h"
#include "bridge/ExportGuard.h"
#include "bridge/LastError.h"
#include "bridge/ScriptCalls.h"
#include "bridge/numbridge.h"

using namespace numbridge;

namespace {

// Runs body (setting value) in the guard; returns body's HRESULT, or that of the
// exception that ended it.
template <class Body>
HRESULT RunExport(Body body) {
  ClearLastError();
  HRESULT hr = S_OK;
  auto run = [&] { hr = body(); };
  const HRESULT caught = RunGuarded(run);
  return FAILED(caught) ? caught : hr;
}

// The value for an export that returns an integer: the HRESULT of a failure,
// mapped off kNotEnabled so that the two answers stay apart.
int FailureValue(HRESULT hr) {
  return hr == static_cast<HRESULT>(kNotEnabled) ? static_cast<int>(E_FAIL) : static_cast<int>(hr);
}

}  // namespace

extern "C" int NUMBRIDGE_CALL gxlaunch(void) {
  HRESULT launched = S_OK;
  const HRESULT hr = RunExport([&] { return launched = Launch(); });
  return FAILED(hr) ? FailureValue(hr) : static_cast<int>(launched);
}

extern "C" int NUMBRIDGE_CALL gxquit(void) {
  HRESULT quit = S_OK;
  const HRESULT hr = RunExport([&] { return quit = Quit(); });
  return FAILED(hr) ? FailureValue(hr) : static_cast<int>(quit);
}

extern "C" const char* NUMBRIDGE_CALL gxjavascript(const char* script) {
  const char* answer = kEmptyResult;
  const HRESULT hr = RunExport([&] { return RunAnsiScript(script, &answer); });
  return FAILED(hr) ? kEmptyResult : answer;
}

extern "C" int NUMBRIDGE_CALL gxjavascriptu(const unsigned short* script) {
  int answer = 0;
  const HRESULT hr =
      RunExport([&] { return RunUtf16Script(reinterpret_cast<const wchar_t*>(script), &answer); });
  return FAILED(hr) ? FailureValue(hr) : answer;
}

extern "C" int NUMBRIDGE_CALL gxjavascriptgetresult(unsigned short* buffer) {
  int copied = 0;
  const HRESULT hr = RunExport([&] {
    copied = CopyHeldResult(reinterpret_cast<wchar_t*>(buffer));
    return S_OK;
  });
  return FAILED(hr) ? 0 : copied;
}

extern "C" const char* NUMBRIDGE_CALL gxlasterror(void) {
  return LastErrorText();
}

// Unload: frees the held texts and releases the connection without asking the
// editor to quit (reserved is not null when the process is ending).
extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID reserved) {
  if (reason == DLL_PROCESS_DETACH) {
    auto tearDown = [&] { TearDownBridge(reserved != nullptr); };
    RunGuarded(tearDown);
  }
  return TRUE;
}
