// The stand-in's application object: the editor's dual interface, answering
// the feature query, running scripts with JScript and taking the quit request,
// each call recorded in the log.
#pragma once

#include "tests/standins/StandInWindows.h"

namespace standin {

// The editor's dual application interface, as EditorStandIn.idl declares it.
struct IEditorApplication : public IDispatch {
  virtual HRESULT STDMETHODCALLTYPE Quit() = 0;
  virtual HRESULT STDMETHODCALLTYPE FeatureEnabled(BSTR feature, VARIANT_BOOL* enabled) = 0;
  virtual HRESULT STDMETHODCALLTYPE RunScript(BSTR script,
                                              VARIANT first,
                                              VARIANT second,
                                              BSTR* result) = 0;
};

// What the server does when the quit request was taken; called on the
// server's thread from inside the call.
using QuitHandler = void (*)(DWORD delayMs);

// Creates an application object with count 1 (owned by the caller); logs
// "Create". onQuit is called for a quit request that is not ignored.
IEditorApplication* NewEditorApplication(QuitHandler onQuit);

// The class factory for CLSID_EditorApplication (a static object).
IClassFactory* EditorClassFactory(QuitHandler onQuit);

// The number of application objects not yet released by their clients; read on
// the server's thread.
LONG LiveApplications();

}  // namespace standin
