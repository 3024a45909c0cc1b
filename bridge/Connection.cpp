// The connection to the editor's application object.
#include "bridge/Connection.h"

#include "bridge/BridgeState.h"
#include "bridge/DispatchCall.h"
#include "bridge/EditorInterface.h"
#include "bridge/LastError.h"
#include "bridge/QuitWait.h"

namespace numbridge {
namespace {

HRESULT Failed(HRESULT hr) {
  RecordFailure(hr, nullptr);
  return hr;
}

}  // namespace

HRESULT Launch() {
  if (!gBridge.oleInitialized) {
    const HRESULT hr = OleInitialize(nullptr);
    if (FAILED(hr))
      return Failed(hr);
    gBridge.oleInitialized = true;
  }
  if (!gBridge.editorDispatch) {
    IDispatch* created = nullptr;
    const HRESULT hr = CoCreateInstance(CLSID_EditorApplication, nullptr, CLSCTX_LOCAL_SERVER,
                                        IID_IDispatch, reinterpret_cast<void**>(&created));
    if (FAILED(hr))
      return Failed(hr);
    gBridge.editorDispatch = created;
  }
  if (!gBridge.editorApplication) {
    IDispatch* application = nullptr;
    const HRESULT hr = gBridge.editorDispatch->QueryInterface(
        IID_EditorApplication, reinterpret_cast<void**>(&application));
    if (FAILED(hr))
      return Failed(hr);
    gBridge.editorApplication = application;
    return hr;
  }
  return S_OK;
}

void ConnectIfNeeded() {
  if (!gBridge.editorApplication)
    Launch();
}

HRESULT Quit() {
  ConnectIfNeeded();
  if (!gBridge.editorApplication)
    return S_OK;
  IErrorInfo* info = nullptr;
  const HRESULT hr =
      DispatchCall(gBridge.editorApplication, kDispIdQuit, VT_EMPTY, nullptr, nullptr, 0, &info);
  if (FAILED(hr)) {
    RecordFailure(hr, info);
    if (info)
      info->Release();
    return hr;
  }
  gBridge.editorApplication->Release();
  gBridge.editorApplication = nullptr;
  gBridge.editorDispatch->Release();
  gBridge.editorDispatch = nullptr;
  WaitForEditorExit();
  return hr;
}

}  // namespace numbridge
