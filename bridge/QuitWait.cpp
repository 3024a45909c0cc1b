// The quit wait on GetTickCount and the editor's single-instance mutex.
#include "bridge/QuitWait.h"

#include "bridge/BridgeWindows.h"

#include "bridge/EditorInterface.h"

namespace numbridge {

bool EditorMutexExists() {
  HANDLE mutex = CreateMutexW(nullptr, FALSE, kEditorMutexName);
  const DWORD error = GetLastError();
  if (mutex)
    CloseHandle(mutex);
  return mutex && error == ERROR_ALREADY_EXISTS;
}

void WaitForEditorExit() {
  // The pause only eases the spinning core; the loop neither sleeps nor
  // dispatches messages, so nothing else runs on this thread meanwhile.
  WaitForEditorExit([] { return static_cast<uint32_t>(GetTickCount()); }, EditorMutexExists,
                    [] { YieldProcessor(); });
}

}  // namespace numbridge
