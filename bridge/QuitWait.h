// Waiting for the editor to end after a quit request, by probing its
// single-instance mutex at fixed steps within a bound.
#pragma once

#include <stdint.h>

namespace numbridge {

constexpr uint32_t kQuitWaitStepMs = 500;
constexpr uint32_t kQuitWaitBoundMs = 5000;

// True while the 32-bit tick `now` has not reached `mark`; wrap-safe for marks
// less than 2^31 ms apart.
inline bool TickBefore(uint32_t now, uint32_t mark) {
  return static_cast<int32_t>(now - mark) < 0;
}

// Probes at about 0, 500 ... 4500 ms after the start (at most ten probes) until
// editorRunning() answers false; between probes it re-reads ticks() in a tight
// loop. All times are differences of the 32-bit tick counter, so a wrap of the
// counter changes neither the steps nor the bound. Returns the number of probes.
template <class Ticks, class Probe, class Pause>
int WaitForEditorExit(Ticks&& ticks, Probe&& editorRunning, Pause&& pause) {
  const uint32_t start = ticks();
  uint32_t mark = ticks() + kQuitWaitStepMs;
  int probes = 1;
  if (!editorRunning())
    return probes;
  for (;;) {
    while (TickBefore(ticks(), mark))
      pause();
    mark += kQuitWaitStepMs;
    if (ticks() - start >= kQuitWaitBoundMs)
      return probes;
    ++probes;
    if (!editorRunning())
      return probes;
  }
}

// The wait on the real tick counter and the editor's mutex "GX3.0.5WIN".
// Blocks the calling thread up to about 5 seconds.
void WaitForEditorExit();

// One probe: creates the mutex unowned and closes it at once; true only when it
// existed already (ERROR_ALREADY_EXISTS).
bool EditorMutexExists();

}  // namespace numbridge
