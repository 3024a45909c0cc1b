// Running a script in the editor and handing its result back as 8-bit or
// UTF-16 text (gxjavascript, gxjavascriptu, gxjavascriptgetresult). Runs on the
// connection's thread.
#pragma once

#include "bridge/BridgeWindows.h"

namespace numbridge {

// The static empty string that gxjavascript answers when no editor could be
// reached or the call failed.
extern const char kEmptyResult[];

// gxjavascriptu's answer when the editor does not accept scripts from MATLAB.
constexpr int kNotEnabled = -1;

// gxjavascript: script is zero-terminated ANSI text or null. Sets *answer to
// resultAnsi (null when the editor returned no text), to kEmptyResult when no
// editor was reached; returns S_OK or the failing HRESULT (recorded; *answer is
// then kEmptyResult and nothing held changes).
HRESULT RunAnsiScript(const char* script, const char** answer);

// gxjavascriptu: script is zero-terminated UTF-16 text or null. Sets *answer to
// the result's length before its first zero unit, 0 when no editor was reached,
// kNotEnabled when the feature is off; returns S_OK or the failing HRESULT
// (recorded; nothing held changes).
HRESULT RunUtf16Script(const wchar_t* script, int* answer);

// gxjavascriptgetresult: copies resultText's units before its first zero unit
// into buffer (caller-owned, not bounded) and returns their number.
int CopyHeldResult(wchar_t* buffer);

}  // namespace numbridge
