// Keeps every exception inside the library: the body of each export runs in a
// guard that turns a C++ exception or a structured exception (an access
// violation, say) into a recorded failure and a return to the caller.
//
// Structured exceptions are caught by a frame-based handler of the guard's own
// frame, so handlers further inside (COM's, the system's) still see theirs
// first. The handler unwinds those inner frames (their unwind handlers run),
// then resumes at the end of the guard. Destructors of our own frames between
// the fault and the guard do not run; the bodies change BridgeState only in
// their last, non-faulting steps, so a fault leaves it as it was.
#pragma once

#include "bridge/BridgeWindows.h"

#include <new>

namespace numbridge {

// Runs body(context); returns 0 when it returned, or the code of the
// structured exception that ended it. body must not let a C++ exception out.
extern "C" DWORD numbridge_GuardedCall(void (*body)(void* context), void* context);

// Records the failure text of a caught C++ exception and returns its HRESULT:
// E_OUTOFMEMORY for an allocation failure, E_UNEXPECTED for any other.
HRESULT RecordCppException(bool outOfMemory);

// Records the failure text of a structured exception and returns its HRESULT
// (HRESULT_FROM_NT of the code when that is a failure code, else E_UNEXPECTED).
HRESULT RecordStructuredException(DWORD code);

// Runs body(), a callable without arguments, inside the guard. Returns S_OK when
// it returned, else the HRESULT of the exception that ended it (already
// recorded as the failure text).
template <class Body>
HRESULT RunGuarded(Body& body) {
  struct Run {
    Body* body;
    HRESULT failure;
  } run = {&body, S_OK};
  const DWORD code = numbridge_GuardedCall(
      [](void* context) {
        Run* run = static_cast<Run*>(context);
        try {
          (*run->body)();
        } catch (const std::bad_alloc&) {
          run->failure = RecordCppException(true);
        } catch (...) {
          run->failure = RecordCppException(false);
        }
      },
      &run);
  return code != 0 ? RecordStructuredException(code) : run.failure;
}

}  // namespace numbridge
