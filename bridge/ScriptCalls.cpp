// The feature query, the script call and the held results. Each call builds
// its new results first and replaces the held ones only at its end, so a
// failure leaves them as they were.
#include "bridge/ScriptCalls.h"

#include <stdlib.h>
#include <string.h>

#include "bridge/BridgeState.h"
#include "bridge/Connection.h"
#include "bridge/DispatchCall.h"
#include "bridge/EditorInterface.h"
#include "bridge/LastError.h"

namespace numbridge {

const char kEmptyResult[] = "";

namespace {

// Records a failure of the editor call and gives its HRESULT back.
HRESULT Failed(HRESULT hr, IErrorInfo* info = nullptr) {
  RecordFailure(hr, info);
  if (info)
    info->Release();
  return hr;
}

// The units of text before its first zero unit; 0 for null.
UINT UnitsBeforeZero(BSTR text) {
  if (!text)
    return 0;
  const UINT length = SysStringLen(text);
  UINT units = 0;
  while (units < length && text[units] != L'\0')
    ++units;
  return units;
}

// Asks the editor whether it accepts scripts from MATLAB.
HRESULT QueryFeatureEnabled(bool* enabled) {
  BSTR feature = SysAllocString(L"MATLAB");
  if (!feature)
    return Failed(E_OUTOFMEMORY);
  const VARIANT args[] = {BstrArgument(feature)};
  VARIANT answer;
  IErrorInfo* info = nullptr;
  const HRESULT hr = DispatchCall(gBridge.editorApplication, kDispIdFeatureEnabled, VT_BOOL,
                                  &answer, args, 1, &info);
  SysFreeString(feature);
  if (FAILED(hr))
    return Failed(hr, info);
  *enabled = V_BOOL(&answer) != VARIANT_FALSE;
  VariantClear(&answer);
  return S_OK;
}

// Sends script (lent) to the editor; *result receives its owned BSTR, or null.
HRESULT CallRunScript(BSTR script, BSTR* result) {
  const VARIANT args[] = {BstrArgument(script), MissingArgument(), MissingArgument()};
  VARIANT answer;
  IErrorInfo* info = nullptr;
  const HRESULT hr =
      DispatchCall(gBridge.editorApplication, kDispIdRunScript, VT_BSTR, &answer, args, 3, &info);
  if (FAILED(hr))
    return Failed(hr, info);
  *result = V_BSTR(&answer);
  return S_OK;
}

// *copy receives an owned exact copy of text (same byte length, zero units
// kept), or null for a null text.
HRESULT CopyBstr(BSTR text, BSTR* copy) {
  *copy = nullptr;
  if (!text)
    return S_OK;
  *copy = SysAllocStringByteLen(reinterpret_cast<const char*>(text), SysStringByteLen(text));
  return *copy ? S_OK : Failed(E_OUTOFMEMORY);
}

// *ansi receives text up to its first zero unit in the ANSI code page (malloc,
// zero-terminated), or null when there is no text or it does not convert.
HRESULT ToAnsi(BSTR text, char** ansi) {
  *ansi = nullptr;
  if (!text)
    return S_OK;
  const int size =
      WideCharToMultiByte(CP_ACP, WC_COMPOSITECHECK, text, -1, nullptr, 0, nullptr, nullptr);
  if (size <= 0)
    return S_OK;
  char* bytes = static_cast<char*>(malloc(static_cast<size_t>(size)));
  if (!bytes)
    return Failed(E_OUTOFMEMORY);
  const int written =
      WideCharToMultiByte(CP_ACP, WC_COMPOSITECHECK, text, -1, bytes, size, nullptr, nullptr);
  // The converted text ends with its zero; a failed conversion gives "".
  bytes[written > 0 ? written - 1 : 0] = '\0';
  *ansi = bytes;
  return S_OK;
}

// *script receives the ANSI text as an owned BSTR (null for a null text).
HRESULT AnsiToBstr(const char* text, BSTR* script) {
  *script = nullptr;
  if (!text)
    return S_OK;
  const int units = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
  if (units <= 0)
    return Failed(HRESULT_FROM_WIN32(GetLastError()));
  BSTR converted = SysAllocStringLen(nullptr, static_cast<UINT>(units - 1));
  if (!converted)
    return Failed(E_OUTOFMEMORY);
  if (MultiByteToWideChar(CP_ACP, 0, text, -1, converted, units) <= 0) {
    const HRESULT hr = HRESULT_FROM_WIN32(GetLastError());
    SysFreeString(converted);
    return Failed(hr);
  }
  *script = converted;
  return S_OK;
}

// Replaces the held UTF-16 result by newText (adopted).
void HoldResultText(BSTR newText) {
  SysFreeString(gBridge.resultText);
  gBridge.resultText = newText;
}

}  // namespace

HRESULT RunAnsiScript(const char* script, const char** answer) {
  *answer = kEmptyResult;
  ConnectIfNeeded();
  if (!gBridge.editorApplication)
    return S_OK;
  bool enabled = false;
  HRESULT hr = QueryFeatureEnabled(&enabled);
  if (FAILED(hr))
    return hr;

  BSTR returned = nullptr;
  if (enabled) {
    BSTR text = nullptr;
    hr = AnsiToBstr(script, &text);
    if (FAILED(hr))
      return hr;
    hr = CallRunScript(text, &returned);
    SysFreeString(text);
  } else {
    returned = SysAllocString(L"MATLABNOTENABLED");
    hr = returned ? S_OK : Failed(E_OUTOFMEMORY);
  }
  if (FAILED(hr))
    return hr;

  BSTR newText = nullptr;
  hr = CopyBstr(returned, &newText);
  SysFreeString(returned);
  if (FAILED(hr))
    return hr;
  char* newAnsi = nullptr;
  hr = ToAnsi(newText, &newAnsi);
  if (FAILED(hr)) {
    SysFreeString(newText);
    return hr;
  }

  HoldResultText(newText);
  free(gBridge.resultAnsi);
  gBridge.resultAnsi = newAnsi;
  *answer = newAnsi;
  return S_OK;
}

HRESULT RunUtf16Script(const wchar_t* script, int* answer) {
  *answer = 0;
  ConnectIfNeeded();
  if (!gBridge.editorApplication)
    return S_OK;
  bool enabled = false;
  HRESULT hr = QueryFeatureEnabled(&enabled);
  if (FAILED(hr))
    return hr;
  if (!enabled) {
    *answer = kNotEnabled;
    return S_OK;
  }

  BSTR text = SysAllocString(script);
  if (script && !text)
    return Failed(E_OUTOFMEMORY);
  BSTR returned = nullptr;
  hr = CallRunScript(text, &returned);
  SysFreeString(text);
  if (FAILED(hr))
    return hr;
  BSTR newText = nullptr;
  hr = CopyBstr(returned, &newText);
  SysFreeString(returned);
  if (FAILED(hr))
    return hr;

  HoldResultText(newText);
  *answer = static_cast<int>(UnitsBeforeZero(newText));
  return S_OK;
}

int CopyHeldResult(wchar_t* buffer) {
  const UINT units = UnitsBeforeZero(gBridge.resultText);
  if (units > 0)
    memcpy(buffer, gBridge.resultText, units * sizeof(wchar_t));
  return static_cast<int>(units);
}

}  // namespace numbridge
