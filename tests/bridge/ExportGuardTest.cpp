// A structured exception inside an export comes back as a failure return and
// a failure text, and leaves the library working with its state unchanged.
#include "bridge/BridgeWindows.h"

#include "tests/bridge/BridgeHost.h"
#include "tests/bridge/EditorStandInDriver.h"
#include <gtest/gtest.h>

namespace bridgetest {
namespace {

class ExportGuardTest : public StandInTest {};

TEST_F(ExportGuardTest, AccessViolationInsideAnExportIsReturnedAsAFailure) {
  void* noAccess = VirtualAlloc(nullptr, 4096, MEM_RESERVE | MEM_COMMIT, PAGE_NOACCESS);
  ASSERT_NE(nullptr, noAccess);
  RunInHost(Apartment::kNone, [&](const Bridge& bridge) {
    EXPECT_EQ(2, bridge.RunU(L"'ok'"));

    EXPECT_EQ(0, bridge.gxjavascriptgetresult(static_cast<unsigned short*>(noAccess)));
    EXPECT_STREQ("structured exception 0xC0000005 in numbridge", bridge.gxlasterror());

    wchar_t buffer[2];
    EXPECT_EQ(2, bridge.GetResult(buffer));
    EXPECT_EQ(L"ok", std::wstring(buffer, 2));
    EXPECT_STREQ("", bridge.gxlasterror());
    EXPECT_STREQ("3", bridge.gxjavascript("1+2")) << "the connection did not survive";
    EXPECT_GE(bridge.gxquit(), 0);
  });
  VirtualFree(noAccess, 0, MEM_RELEASE);
}

}  // namespace
}  // namespace bridgetest
