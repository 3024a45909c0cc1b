// Opening and closing the connection to the editor (gxlaunch, gxquit). Runs on
// the caller's thread; the connection belongs to the apartment of the thread
// that made it.
#pragma once

#include "bridge/BridgeWindows.h"

namespace numbridge {

// The steps of gxlaunch: OleInitialize once, create the editor's object if none
// is held, ask it for the application interface if that is not held. Returns
// the failing step's HRESULT unchanged (recorded as the failure text), the
// QueryInterface result, or S_OK without any COM call when connected.
HRESULT Launch();

// Runs Launch when not connected; the caller then tests
// gBridge.editorApplication. A failure is recorded, not returned.
void ConnectIfNeeded();

// gxquit: connects if needed (0 when that fails), sends the quit request (its
// failing HRESULT is returned and the connection kept), drops the connection
// and waits for the editor to end. Returns the quit request's HRESULT.
HRESULT Quit();

}  // namespace numbridge
