// The failure text that gxlasterror hands out, kept in BridgeState.lastError.
#pragma once

#include "bridge/BridgeWindows.h"

namespace numbridge {

// Forgets the last failure; called as every export begins.
void ClearLastError();

// Keeps the text of a failed call: the description of info (borrowed, may be
// null) when it has one, otherwise the system's text for hr (or for its Win32
// code), otherwise "HRESULT 0x%08X".
void RecordFailure(HRESULT hr, IErrorInfo* info);

// Keeps text (borrowed) as the failure text.
void RecordFailureText(const wchar_t* text);

// The kept text in the ANSI code page, or a static empty string; owned by the
// library and valid until the next export call.
const char* LastErrorText();

}  // namespace numbridge
