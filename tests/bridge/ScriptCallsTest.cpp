// gxjavascript, gxjavascriptu and gxjavascriptgetresult against the editor
// stand-in, whose results follow the script (JScript): results in 8-bit and
// UTF-16, the calls each script makes, the not-enabled answers and a failing
// script call.
#include "bridge/BridgeWindows.h"

#include <string>

#include "tests/bridge/BridgeHost.h"
#include "tests/bridge/EditorStandInDriver.h"
#include <gtest/gtest.h>

namespace bridgetest {
namespace {

class ScriptCallsTest : public StandInTest {};

constexpr wchar_t kUnwritten = 0xCCCC;

std::string Narrow(const std::wstring& ascii) {
  return std::string(ascii.begin(), ascii.end());
}

// The held UTF-16 result through gxjavascriptgetresult; checks that nothing
// after the returned count was written.
std::wstring HeldResult(const Bridge& bridge) {
  wchar_t buffer[64];
  std::fill(std::begin(buffer), std::end(buffer), kUnwritten);
  const int count = bridge.GetResult(buffer);
  EXPECT_GE(count, 0);
  EXPECT_LT(count, 63);
  if (count < 0 || count >= 63)
    return std::wstring();
  EXPECT_EQ(kUnwritten, buffer[count]) << "written past the returned count";
  return std::wstring(buffer, static_cast<size_t>(count));
}

TEST_F(ScriptCallsTest, ResultsIn8BitAndUtf16) {
  CPINFO codePage;
  ASSERT_TRUE(GetCPInfo(CP_ACP, &codePage));
  const std::string defaultChar(reinterpret_cast<const char*>(codePage.DefaultChar));

  struct Case {
    const char* what;
    const char* control;
    std::wstring script;  // ASCII, sent through both exports
    std::wstring units;   // the UTF-16 result before its first zero unit
    bool nullText;        // gxjavascript answers a null pointer
    std::string ansi;     // otherwise its text
  };
  const Case cases[] = {
      {"plain text", "", L"'abc'", L"abc", false, "abc"},
      {"a value other than text, as the script's text", "", L"6*7", L"42", false, "42"},
      {"ANSI but not ASCII", "", L"'\\u00e9t\\u00e9'", L"\u00e9t\u00e9", false, "\xE9t\xE9"},
      {"outside the ANSI code page: the default character", "", L"'\\u4e2d!'", L"\u4e2d!", false,
       defaultChar + "!"},
      {"a zero unit made by the script", "", L"'ab' + String.fromCharCode(0) + 'cd'", L"ab", false,
       "ab"},
      {"a zero unit inside the editor's text", "result=zero-inside\n", L"'ab'", L"ab", false, "ab"},
      {"an empty result", "", L"''", L"", false, ""},
      {"a null BSTR", "result=null\n", L"'ignored'", L"", true, ""},
  };

  RunInHost(Apartment::kNone, [&](const Bridge& bridge) {
    EXPECT_EQ(L"", HeldResult(bridge)) << "a result before any script";
    for (const Case& c : cases) {
      SCOPED_TRACE(c.what);
      WriteStandInControl(c.control);
      EXPECT_EQ(static_cast<int>(c.units.size()), bridge.RunU(c.script));
      EXPECT_EQ(c.units, HeldResult(bridge));
      const char* text = bridge.gxjavascript(Narrow(c.script).c_str());
      if (c.nullText) {
        EXPECT_EQ(nullptr, text);
      } else {
        ASSERT_NE(nullptr, text);
        EXPECT_EQ(c.ansi, text);
      }
      EXPECT_EQ(c.units, HeldResult(bridge)) << "gxjavascriptgetresult after gxjavascript";
      EXPECT_STREQ("", bridge.gxlasterror());
    }
    EXPECT_GE(bridge.gxquit(), 0);
  });
}

TEST_F(ScriptCallsTest, EachScriptMakesTwoCallsAndSendsTheScriptAlone) {
  RunInHost(Apartment::kNone, [](const Bridge& bridge) {
    // The 8-bit script goes through the ANSI code page: 0xE9 is U+00E9.
    EXPECT_STREQ("233", bridge.gxjavascript("'\xE9'.charCodeAt(0)"));
    EXPECT_EQ(5, bridge.RunU(L"'\u4e2d'.charCodeAt(0)"));
    EXPECT_EQ(L"20013", HeldResult(bridge));
    // Null scripts are sent as null BSTRs; the stand-in answers "".
    EXPECT_STREQ("", bridge.gxjavascript(nullptr));
    EXPECT_EQ(0, bridge.gxjavascriptu(nullptr));

    const std::string feature = "FeatureEnabled 1 BSTR:MATLAB";
    const std::vector<std::string> expected = {
        "Create",
        feature,
        "RunScript 1 BSTR:'\xC3\xA9'.charCodeAt(0)",
        feature,
        "RunScript 1 BSTR:'\xE4\xB8\xAD'.charCodeAt(0)",
        feature,
        "RunScript 1 BSTR(null)",
        feature,
        "RunScript 1 BSTR(null)",
    };
    std::vector<std::string> log = StandInLog();
    ASSERT_FALSE(log.empty());
    log.erase(log.begin());  // "Start <pid>"
    // COM may hand a null BSTR argument over as an empty one (Wine does).
    for (std::string& line : log)
      if (line == "RunScript 1 BSTR:")
        line = "RunScript 1 BSTR(null)";
    EXPECT_EQ(expected, log);
    EXPECT_GE(bridge.gxquit(), 0);
  });
}

TEST_F(ScriptCallsTest, NotEnabledAnswers) {
  RunInHost(Apartment::kNone, [](const Bridge& bridge) {
    EXPECT_EQ(4, bridge.RunU(L"'held'"));
    WriteStandInControl("feature=false\n");

    EXPECT_EQ(-1, bridge.RunU(L"'other'"));
    EXPECT_EQ(L"held", HeldResult(bridge)) << "gxjavascriptu's -1 changed the held result";

    EXPECT_STREQ("MATLABNOTENABLED", bridge.gxjavascript("'other'"));
    EXPECT_EQ(L"MATLABNOTENABLED", HeldResult(bridge));

    EXPECT_EQ(3, CountLogLines("FeatureEnabled"));
    EXPECT_EQ(1, CountLogLines("RunScript")) << "a script was sent while not enabled";
    EXPECT_GE(bridge.gxquit(), 0);
  });
}

TEST_F(ScriptCallsTest, FailingScriptCallKeepsTheHeldResultsAndReportsTheDescription) {
  RunInHost(Apartment::kNone, [](const Bridge& bridge) {
    EXPECT_EQ(4, bridge.RunU(L"'kept'"));
    const char* kept = bridge.gxjavascript("'kept'");
    WriteStandInControl("script-fail=The stand-in refused the script\n");

    EXPECT_EQ(static_cast<int>(0x8004F001), bridge.RunU(L"'lost'"));
    EXPECT_STREQ("The stand-in refused the script", bridge.gxlasterror());
    EXPECT_EQ(L"kept", HeldResult(bridge));
    EXPECT_STREQ("", bridge.gxlasterror()) << "gxjavascriptgetresult succeeded";

    const char* failed = bridge.gxjavascript("'lost'");
    ASSERT_NE(nullptr, failed);
    EXPECT_STREQ("", failed);
    EXPECT_NE(kept, failed);
    EXPECT_STREQ("The stand-in refused the script", bridge.gxlasterror());
    EXPECT_STREQ("kept", kept) << "the held 8-bit result changed";
    EXPECT_EQ(L"kept", HeldResult(bridge));

    WriteStandInControl("");
    EXPECT_EQ(2, bridge.RunU(L"'ok'"));
    EXPECT_STREQ("", bridge.gxlasterror());
    EXPECT_GE(bridge.gxquit(), 0);
  });
}

}  // namespace
}  // namespace bridgetest
