// gxlaunch and gxquit against the editor stand-in: connecting once and anew,
// the calling thread's apartment, no registered editor, the quit wait and the
// unload while connected.
#include "bridge/BridgeWindows.h"

#include "tests/bridge/BridgeHost.h"
#include "tests/bridge/EditorStandInDriver.h"
#include <gtest/gtest.h>

namespace bridgetest {
namespace {

class ConnectionTest : public StandInTest {};

// Holds the editor's mutex in this process for its lifetime, as another
// program holding "GX3.0.5WIN" would.
class HeldEditorMutex {
 public:
  HeldEditorMutex() : mutex_(CreateMutexW(nullptr, FALSE, L"GX3.0.5WIN")) {}
  ~HeldEditorMutex() { Release(); }
  void Release() {
    if (mutex_)
      CloseHandle(mutex_);
    mutex_ = nullptr;
  }

 private:
  HANDLE mutex_;
};

TEST_F(ConnectionTest, SecondLaunchMakesNoCallAndLaunchAfterQuitCreatesANewObject) {
  RunInHost(Apartment::kNone, [](const Bridge& bridge) {
    EXPECT_EQ(0, bridge.gxlaunch());
    EXPECT_STREQ("", bridge.gxlasterror());
    const std::vector<std::string> connected = StandInLog();
    EXPECT_EQ(1, CountLogLines("Create"));

    EXPECT_EQ(0, bridge.gxlaunch());
    EXPECT_EQ(connected, StandInLog()) << "the second gxlaunch reached the editor";

    EXPECT_GE(bridge.gxquit(), 0);
    EXPECT_EQ(1, CountLogLines("Quit"));
    EXPECT_FALSE(EditorMutexHeld()) << "gxquit returned before the editor had ended";

    EXPECT_EQ(0, bridge.gxlaunch());
    EXPECT_EQ(2, CountLogLines("Start")) << "no new editor was started";
    EXPECT_EQ(2, CountLogLines("Create"));
    EXPECT_GE(bridge.gxquit(), 0);
  });
}

TEST_F(ConnectionTest, LaunchFromEachKindOfThread) {
  struct Case {
    const char* what;
    Apartment apartment;
    HRESULT launch;  // S_OK: connects; otherwise the code gxlaunch returns
  };
  const Case cases[] = {
      // MATLAB's usual thread: gxlaunch makes it a single-threaded apartment.
      {"no apartment yet", Apartment::kNone, S_OK},
      // OleInitialize answers S_FALSE there; that is accepted.
      {"already a single-threaded apartment", Apartment::kSingleThreaded, S_OK},
      // OleInitialize fails and its code comes back unchanged; nothing starts.
      {"a multithreaded apartment", Apartment::kMultithreaded, RPC_E_CHANGED_MODE},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ResetStandIn();
    RunInHost(c.apartment, [&](const Bridge& bridge) {
      const int launched = bridge.gxlaunch();
      if (c.launch == S_OK) {
        EXPECT_GE(launched, 0);
        EXPECT_EQ(2, bridge.RunU(L"6*7"));
        wchar_t result[2];
        EXPECT_EQ(2, bridge.GetResult(result));
        EXPECT_EQ(L"42", std::wstring(result, 2));
        EXPECT_GE(bridge.gxquit(), 0);
      } else {
        EXPECT_EQ(c.launch, launched);
        EXPECT_EQ(FailureText(c.launch), bridge.gxlasterror());
        EXPECT_EQ(0, bridge.gxquit());
        EXPECT_EQ(0, CountLogLines("Start"));
      }
    });
  }
}

TEST_F(ConnectionTest, WithoutARegisteredEditorEveryExportAnswersAtOnce) {
  const std::wstring executable = StandInExecutable();
  ASSERT_EQ(0u, RunStandIn(executable, L"/UnregServer"));
  struct Reregister {
    const std::wstring& executable;
    ~Reregister() { EXPECT_EQ(0u, RunStandIn(executable, L"/RegServer")); }
  } reregister{executable};
  // Were gxquit to wait, it would wait the full bound on this mutex.
  HeldEditorMutex held;

  RunInHost(Apartment::kNone, [](const Bridge& bridge) {
    unsigned short untouched[2] = {0xCCCC, 0xCCCC};
    EXPECT_EQ(0, bridge.gxjavascriptgetresult(untouched));
    EXPECT_EQ(0xCCCC, untouched[0]);

    EXPECT_EQ(REGDB_E_CLASSNOTREG, bridge.gxlaunch());
    EXPECT_EQ(FailureText(REGDB_E_CLASSNOTREG), bridge.gxlasterror());
    const char* first = bridge.gxjavascript("1");
    ASSERT_NE(nullptr, first);
    EXPECT_STREQ("", first);
    EXPECT_EQ(first, bridge.gxjavascript("2")) << "not the one static empty string";
    EXPECT_EQ(0, bridge.RunU(L"3"));
    EXPECT_EQ(FailureText(REGDB_E_CLASSNOTREG), bridge.gxlasterror());
    unsigned elapsed = ElapsedMs([&] { EXPECT_EQ(0, bridge.gxquit()); });
    EXPECT_LT(elapsed, 2000u) << "gxquit waited without a connection";
    EXPECT_EQ(0, bridge.gxjavascriptgetresult(untouched));
    EXPECT_EQ(0xCCCC, untouched[0]);
  });
  EXPECT_TRUE(StandInLog().empty());
}

TEST_F(ConnectionTest, QuitReturnsSoonAfterTheEditorHasEnded) {
  struct Case {
    const char* what;
    const char* control;
    bool launchFirst;
    unsigned atLeastMs;
    unsigned belowMs;
  };
  const Case cases[] = {
      {"editor ends at once: one or two probes", "", true, 0, 2500},
      {"editor ends 1.5 s after the request", "quit-delay=1500\n", true, 1500, 3500},
      // gxquit connects first, so COM starts an editor only to ask it to quit.
      {"nothing connected, no editor running", "", false, 0, 5000},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ResetStandIn();
    WriteStandInControl(c.control);
    RunInHost(Apartment::kNone, [&](const Bridge& bridge) {
      if (c.launchFirst) {
        ASSERT_EQ(0, bridge.gxlaunch());
      }
      const unsigned elapsed = ElapsedMs([&] { EXPECT_GE(bridge.gxquit(), 0); });
      EXPECT_FALSE(EditorMutexHeld());
      EXPECT_GE(elapsed, c.atLeastMs);
      EXPECT_LT(elapsed, c.belowMs);
    });
    EXPECT_EQ(1, CountLogLines("Start"));
    EXPECT_EQ(1, CountLogLines("Quit"));
    EXPECT_EQ(1, CountLogLines("End"));
  }
}

TEST_F(ConnectionTest, QuitWaitsTheFullBoundWhileTheMutexStaysAndStillDisconnects) {
  struct Case {
    const char* what;
    const char* control;
    bool holdMutex;
    int editorsStarted;  // after the reconnect
  };
  const Case cases[] = {
      {"the editor ignores the request", "quit=ignore\n", false, 1},
      {"the editor ends but another holder keeps the mutex", "", true, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ResetStandIn();
    WriteStandInControl(c.control);
    RunInHost(Apartment::kNone, [&](const Bridge& bridge) {
      HeldEditorMutex held;
      if (!c.holdMutex)
        held.Release();
      ASSERT_EQ(0, bridge.gxlaunch());
      const unsigned elapsed = ElapsedMs([&] { EXPECT_GE(bridge.gxquit(), 0); });
      EXPECT_GE(elapsed, 4500u);
      EXPECT_LT(elapsed, 7000u);
      held.Release();
      // Both pointers were dropped: the next call creates a new object.
      EXPECT_EQ(0, bridge.gxlaunch());
      EXPECT_EQ(2, CountLogLines("Create"));
      EXPECT_EQ(c.editorsStarted, CountLogLines("Start"));
    });
  }
}

TEST_F(ConnectionTest, RefusedInterfaceKeepsTheObjectAndRetriesOnlyTheQuery) {
  WriteStandInControl("interface=refuse\n");
  RunInHost(Apartment::kNone, [](const Bridge& bridge) {
    EXPECT_EQ(E_NOINTERFACE, bridge.gxlaunch());
    EXPECT_EQ(FailureText(E_NOINTERFACE), bridge.gxlasterror());
    // COM may ask the object more than once per query.
    const int perQuery = CountLogLines("InterfaceRefused");
    EXPECT_GE(perQuery, 1);
    // Not connected: the no-editor answers, after one more query each.
    EXPECT_STREQ("", bridge.gxjavascript("1"));
    EXPECT_EQ(0, bridge.RunU(L"1"));
    EXPECT_EQ(0, bridge.gxquit());
    EXPECT_EQ(4 * perQuery, CountLogLines("InterfaceRefused"));

    WriteStandInControl("");
    EXPECT_EQ(0, bridge.gxlaunch());
    EXPECT_EQ(1, CountLogLines("Create")) << "the held object was created anew";
    EXPECT_EQ(2, bridge.RunU(L"6*7"));
    EXPECT_EQ(0, CountLogLines("Quit"));
    EXPECT_GE(bridge.gxquit(), 0);
  });
  EXPECT_EQ(1, CountLogLines("Start"));
}

TEST_F(ConnectionTest, FailedQuitRequestKeepsTheConnectionAndReportsTheDescription) {
  WriteStandInControl("quit-fail=The stand-in refused to quit\n");
  RunInHost(Apartment::kNone, [](const Bridge& bridge) {
    ASSERT_EQ(0, bridge.gxlaunch());
    unsigned elapsed = ElapsedMs([&] { EXPECT_EQ(static_cast<int>(0x8004F002), bridge.gxquit()); });
    EXPECT_LT(elapsed, 2000u) << "gxquit waited after a failed request";
    EXPECT_STREQ("The stand-in refused to quit", bridge.gxlasterror());
    EXPECT_TRUE(EditorMutexHeld());

    // Still connected to the same object: no new one, and scripts run.
    EXPECT_EQ(0, bridge.gxlaunch());
    EXPECT_STREQ("", bridge.gxlasterror());
    EXPECT_STREQ("42", bridge.gxjavascript("6*7"));
    EXPECT_EQ(1, CountLogLines("Create"));

    WriteStandInControl("");
    EXPECT_GE(bridge.gxquit(), 0);
    EXPECT_FALSE(EditorMutexHeld());
  });
  EXPECT_EQ(2, CountLogLines("Quit"));
  EXPECT_EQ(1, CountLogLines("Start"));
}

TEST_F(ConnectionTest, UnloadWhileConnectedReleasesTheObjectWithoutQuit) {
  RunInHostWithModule(Apartment::kNone, [](const Bridge& bridge, HMODULE module) {
    ASSERT_EQ(0, bridge.gxlaunch());
    EXPECT_EQ(1, bridge.RunU(L"'x'"));
    FreeLibrary(module);
    // Still on the host thread, whose apartment lives on: only the library's
    // own releases can free the editor's object now.
    EXPECT_TRUE(WaitForLogLine("Released", 5000));
  });
  EXPECT_EQ(0, CountLogLines("Quit"));
  EXPECT_TRUE(EditorMutexHeld()) << "the editor should run on";
}

}  // namespace
}  // namespace bridgetest
