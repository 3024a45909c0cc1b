// The library's one process-wide record: the COM connection to the editor and
// the last results. All fields are zero when the library is loaded. Every
// export reads and writes it on the caller's thread without locks, one call at
// a time.
#pragma once

#include "bridge/BridgeWindows.h"

namespace numbridge {

struct BridgeState {
  // Set once OleInitialize has succeeded; never cleared.
  bool oleInitialized;
  // The editor's application object as created through COM; owns one reference.
  IDispatch* editorDispatch;
  // The editor's dual application interface (only its IDispatch part is used);
  // owns one reference. The library is connected exactly when this is not null.
  IDispatch* editorApplication;
  // The last script result as UTF-16, an exact copy of the editor's BSTR; owned.
  BSTR resultText;
  // The last gxjavascript result in the ANSI code page, zero-terminated, from
  // malloc; owned. gxjavascript hands out pointers into it.
  char* resultAnsi;
  // The last call's failure text in the ANSI code page, zero-terminated, from
  // malloc; owned; null when the last call succeeded.
  char* lastError;
};

// The record itself, in static storage.
extern BridgeState gBridge;

// Frees the held texts and, unless the process is ending, releases the held
// interface pointers. The editor is not asked to quit. Called at unload.
void TearDownBridge(bool processEnding);

}  // namespace numbridge
