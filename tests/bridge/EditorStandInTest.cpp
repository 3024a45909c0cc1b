// The editor stand-in's registration in the test prefix: what "/RegServer"
// writes and that "/UnregServer" leaves nothing behind, so that a prefix can be
// cleaned and registered again.
#include "bridge/BridgeWindows.h"

#include <string>

#include "tests/bridge/EditorStandInDriver.h"
#include <gtest/gtest.h>

namespace bridgetest {
namespace {

const wchar_t kClassKey[] = L"CLSID\\{3D7A2C51-8E04-4B9F-A1C6-5F20D8E47B13}";
const wchar_t kInterfaceKey[] = L"Interface\\{9B41E6D2-07C3-4E58-8D2A-C6B3F1905A7E}";
const wchar_t kTypeLibKey[] = L"TypeLib\\{5C0F8E21-3B7A-4D62-9E14-A8D35B27C641}";

bool KeyExists(const std::wstring& name) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CLASSES_ROOT, name.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
    return false;
  RegCloseKey(key);
  return true;
}

// The default value of a key under HKEY_CLASSES_ROOT; empty when absent.
std::wstring DefaultValue(const std::wstring& name) {
  wchar_t value[MAX_PATH * 2] = L"";
  LONG size = sizeof value;
  if (RegQueryValueW(HKEY_CLASSES_ROOT, name.c_str(), value, &size) != ERROR_SUCCESS)
    return std::wstring();
  return value;
}

class EditorStandInTest : public StandInTest {};

TEST_F(EditorStandInTest, UnregisterRemovesWhatRegisterWrote) {
  const std::wstring executable = StandInExecutable();
  ASSERT_FALSE(executable.empty());

  ASSERT_EQ(0u, RunStandIn(executable, L"/UnregServer"));
  EXPECT_FALSE(KeyExists(kClassKey));
  EXPECT_FALSE(KeyExists(kInterfaceKey));
  EXPECT_FALSE(KeyExists(kTypeLibKey));
  // Unregistering what is not registered is no failure.
  EXPECT_EQ(0u, RunStandIn(executable, L"/UnregServer"));

  ASSERT_EQ(0u, RunStandIn(executable, L"/RegServer"));
  EXPECT_EQ(L"\"" + executable + L"\"", DefaultValue(std::wstring(kClassKey) + L"\\LocalServer32"));
  // The interface is marshalled from the type library (COM's universal
  // marshaller), which is what lets the bridge ask for it across processes.
  EXPECT_EQ(L"{00020424-0000-0000-C000-000000000046}",
            DefaultValue(std::wstring(kInterfaceKey) + L"\\ProxyStubClsid32"));
  EXPECT_EQ(L"{5C0F8E21-3B7A-4D62-9E14-A8D35B27C641}",
            DefaultValue(std::wstring(kInterfaceKey) + L"\\TypeLib"));
  EXPECT_TRUE(KeyExists(std::wstring(kTypeLibKey) + L"\\1.0"));
  EXPECT_EQ(executable, StandInExecutable());
}

}  // namespace
}  // namespace bridgetest
