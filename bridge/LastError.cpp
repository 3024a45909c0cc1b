// Failure texts: the editor's description or the system's message for an
// HRESULT, converted to the ANSI code page.
#include "bridge/LastError.h"

#include <stdio.h>
#include <stdlib.h>
#include <wchar.h>

#include "bridge/BridgeState.h"

namespace numbridge {
namespace {

const char kNoError[] = "";

// The system's message for hr without its trailing line break; owned by the
// caller (LocalFree), null when the system has none.
wchar_t* SystemMessage(HRESULT hr) {
  wchar_t* message = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, static_cast<DWORD>(hr), 0, reinterpret_cast<wchar_t*>(&message), 0, nullptr);
  if (length == 0 || !message) {
    if (message)
      LocalFree(message);
    return nullptr;
  }
  size_t end = wcslen(message);
  while (end > 0 && (message[end - 1] == L'\r' || message[end - 1] == L'\n'))
    --end;
  message[end] = L'\0';
  return message;
}

}  // namespace

void ClearLastError() {
  free(gBridge.lastError);
  gBridge.lastError = nullptr;
}

void RecordFailureText(const wchar_t* text) {
  ClearLastError();
  const int size = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (size <= 0)
    return;
  char* ansi = static_cast<char*>(malloc(static_cast<size_t>(size)));
  if (!ansi)
    return;
  if (WideCharToMultiByte(CP_ACP, 0, text, -1, ansi, size, nullptr, nullptr) <= 0) {
    free(ansi);
    return;
  }
  gBridge.lastError = ansi;
}

void RecordFailure(HRESULT hr, IErrorInfo* info) {
  BSTR description = nullptr;
  if (info && SUCCEEDED(info->GetDescription(&description)) && description &&
      SysStringLen(description) > 0) {
    RecordFailureText(description);
    SysFreeString(description);
    return;
  }
  SysFreeString(description);
  wchar_t* message = SystemMessage(hr);
  if (!message && HRESULT_FACILITY(hr) == FACILITY_WIN32)
    message = SystemMessage(static_cast<HRESULT>(HRESULT_CODE(hr)));
  if (message) {
    RecordFailureText(message);
    LocalFree(message);
    return;
  }
  wchar_t code[32];
  swprintf(code, sizeof code / sizeof code[0], L"HRESULT 0x%08lX", static_cast<unsigned long>(hr));
  RecordFailureText(code);
}

const char* LastErrorText() {
  return gBridge.lastError ? gBridge.lastError : kNoError;
}

}  // namespace numbridge
