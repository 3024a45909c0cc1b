// The process-wide BridgeState and its tear-down at unload.
#include "bridge/BridgeState.h"

#include <stdlib.h>

namespace numbridge {

BridgeState gBridge;

void TearDownBridge(bool processEnding) {
  SysFreeString(gBridge.resultText);
  gBridge.resultText = nullptr;
  free(gBridge.resultAnsi);
  gBridge.resultAnsi = nullptr;
  free(gBridge.lastError);
  gBridge.lastError = nullptr;
  // At process end the other threads, and with them COM's, are gone already;
  // a release would be a call into a torn-down runtime. The editor keeps its
  // objects until it notices the disconnection.
  if (processEnding)
    return;
  if (gBridge.editorApplication) {
    gBridge.editorApplication->Release();
    gBridge.editorApplication = nullptr;
  }
  if (gBridge.editorDispatch) {
    gBridge.editorDispatch->Release();
    gBridge.editorDispatch = nullptr;
  }
}

}  // namespace numbridge
