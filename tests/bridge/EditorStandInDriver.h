// The tests' side of the editor stand-in: where it is registered, its control
// and log files, whether it runs, and ending it cleanly (never by killing it).
#pragma once

#include "bridge/BridgeWindows.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace bridgetest {

// The stand-in's executable as registered for CLSID_EditorApplication; empty
// when it is not registered.
std::wstring StandInExecutable();

// Replaces the stand-in's control file with these "key=value" lines; an empty
// text removes it.
void WriteStandInControl(const std::string& lines);

// The stand-in's log, one entry per line (UTF-8); empty when there is none.
std::vector<std::string> StandInLog();

// The log lines that are exactly line or begin with line and a space.
int CountLogLines(const std::string& line);

// Waits up to timeoutMs for a log line that begins with prefix.
bool WaitForLogLine(const std::string& prefix, DWORD timeoutMs);

// True while some process holds the editor's mutex "GX3.0.5WIN".
bool EditorMutexHeld();

// Asks a running stand-in to end (stop file) and waits until the mutex is gone.
// Returns false when it did not end in time.
bool StopStandIn();

// Ends a running stand-in and removes its control and log files; fails the
// current test when it does not end.
void ResetStandIn();

// Runs the stand-in with one argument ("/RegServer", "/UnregServer") and
// returns its exit code.
DWORD RunStandIn(const std::wstring& executable, const wchar_t* argument);

// Base of the tests that talk to the stand-in: each starts and ends with no
// stand-in running and with empty control and log files.
class StandInTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
};

}  // namespace bridgetest
