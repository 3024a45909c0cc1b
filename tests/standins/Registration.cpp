// Programmatic registration (no reg.exe): the class key and the type library.
#include "tests/standins/Registration.h"

#include <string>
#include <vector>

#include "tests/standins/StandInIds.h"

namespace standin {
namespace {

std::wstring ExecutablePath() {
  std::vector<wchar_t> path(MAX_PATH);
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length < path.size())
      return std::wstring(path.data(), length);
    path.resize(path.size() * 2);
  }
}

HRESULT SetDefaultValue(const std::wstring& keyName, const std::wstring& value) {
  HKEY key = nullptr;
  LONG status = RegCreateKeyExW(HKEY_CLASSES_ROOT, keyName.c_str(), 0, nullptr, 0, KEY_WRITE,
                                nullptr, &key, nullptr);
  if (status != ERROR_SUCCESS)
    return HRESULT_FROM_WIN32(status);
  status = RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                          static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(key);
  return HRESULT_FROM_WIN32(status);
}

}  // namespace

HRESULT RegisterServer() {
  const std::wstring exe = ExecutablePath();
  const std::wstring classKey = std::wstring(L"CLSID\\") + kClsidText;
  HRESULT hr = SetDefaultValue(classKey, L"Editor stand-in application");
  if (SUCCEEDED(hr))
    hr = SetDefaultValue(classKey + L"\\LocalServer32", L"\"" + exe + L"\"");
  if (SUCCEEDED(hr))
    hr = SetDefaultValue(classKey + L"\\TypeLib", L"{5C0F8E21-3B7A-4D62-9E14-A8D35B27C641}");
  if (FAILED(hr))
    return hr;
  ITypeLib* library = nullptr;
  hr = LoadTypeLibEx(exe.c_str(), REGKIND_REGISTER, &library);
  if (library)
    library->Release();
  return hr;
}

HRESULT UnregisterServer() {
  const std::wstring classKey = std::wstring(L"CLSID\\") + kClsidText;
  const LONG status = RegDeleteTreeW(HKEY_CLASSES_ROOT, classKey.c_str());
  if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND)
    return HRESULT_FROM_WIN32(status);
  // An unregistered library is no failure (Wine's UnRegisterTypeLib answers
  // E_INVALIDARG for it).
  BSTR path = nullptr;
  if (FAILED(QueryPathOfRegTypeLib(kLibIdStandIn, 1, 0, LOCALE_NEUTRAL, &path)))
    return S_OK;
  SysFreeString(path);
  const SYSKIND kind = sizeof(void*) == 8 ? SYS_WIN64 : SYS_WIN32;
  return UnRegisterTypeLib(kLibIdStandIn, 1, 0, LOCALE_NEUTRAL, kind);
}

}  // namespace standin
