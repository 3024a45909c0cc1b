// How a test steers the editor stand-in and watches it: a control file read at
// every call, a call log appended line by line, and a stop file polled by the
// server. All three live beside the stand-in's executable:
//   EditorStandIn.control  lines "key=value" (UTF-8), see StandInControl
//   EditorStandIn.log      one UTF-8 line per event, "<event> <details>"
//   EditorStandIn.stop     present: the server ends itself cleanly
// Ending it from outside without COM (a test, a CI step): create
// EditorStandIn.stop beside the executable; within about 100 ms the server
// deletes the file, withdraws its class object, logs "Stop" and "End <pid>",
// releases "GX3.0.5WIN" and exits with code 0. Never kill it: a killed server's
// class registration stays behind in Wine's COM service.
#pragma once

#include <string>

#include "tests/standins/StandInWindows.h"

namespace standin {

// What the control file asks for; the defaults behave like the editor.
struct StandInControl {
  // "interface=refuse": asked for the application interface, the object
  // answers E_NOINTERFACE.
  bool refuseInterface = false;
  // "feature=false": the feature query answers false.
  bool featureDisabled = false;
  // "result=null": the script call returns a null BSTR.
  bool nullResult = false;
  // "result=zero-inside": the script's result, a zero unit, and "tail".
  bool zeroInside = false;
  // "script-fail=<description>": the script call fails with DISP_E_EXCEPTION,
  // scode kScriptFailureCode and this description.
  std::wstring scriptFailure;
  // "quit=ignore": the quit request is answered and otherwise ignored.
  bool ignoreQuit = false;
  // "quit-fail=<description>": the quit request fails with DISP_E_EXCEPTION,
  // scode kQuitFailureCode and this description; the server runs on.
  std::wstring quitFailure;
  // "quit-delay=<ms>": the server ends this long after the quit request.
  DWORD quitDelayMs = 0;
};

// The scode of the failure that "script-fail" asks for.
constexpr HRESULT kScriptFailureCode = static_cast<HRESULT>(0x8004F001u);
// The scode of the failure that "quit-fail" asks for.
constexpr HRESULT kQuitFailureCode = static_cast<HRESULT>(0x8004F002u);

// The full path of a file beside the stand-in's executable.
std::wstring StandInFile(const wchar_t* name);

// Reads EditorStandIn.control now; the defaults when it is absent.
StandInControl ReadControl();

// Appends text and a line break to EditorStandIn.log (UTF-8).
void Log(const std::wstring& text);

// True once EditorStandIn.stop exists; deletes it.
bool TakeStopRequest();

}  // namespace standin
