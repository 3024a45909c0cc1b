// A minimal script host: a site that takes the engine's error report, and one
// engine per evaluation.
#include "tests/standins/JScriptEngine.h"

namespace standin {
namespace {

// {F414C260-6AC0-11CF-B6D1-00AA00BBBB58}, the system's JScript engine.
constexpr CLSID kClsidJScript = {0xF414C260,
                                 0x6AC0,
                                 0x11CF,
                                 {0xB6, 0xD1, 0x00, 0xAA, 0x00, 0xBB, 0xBB, 0x58}};

// The parse interface of this pointer width (the import library lacks the
// 64-bit one).
#if defined(_WIN64)
// {C7EF7658-E1EE-480E-97EA-D52CB4D76D17}, IActiveScriptParse64.
constexpr IID kIidActiveScriptParse = {0xC7EF7658,
                                       0xE1EE,
                                       0x480E,
                                       {0x97, 0xEA, 0xD5, 0x2C, 0xB4, 0xD7, 0x6D, 0x17}};
#else
// {BB1A2AE2-A4F9-11CF-8F20-00805F2CD064}, IActiveScriptParse32.
constexpr IID kIidActiveScriptParse = {0xBB1A2AE2,
                                       0xA4F9,
                                       0x11CF,
                                       {0x8F, 0x20, 0x00, 0x80, 0x5F, 0x2C, 0xD0, 0x64}};
#endif

void FreeExceptionTexts(EXCEPINFO* exception) {
  SysFreeString(exception->bstrSource);
  SysFreeString(exception->bstrDescription);
  SysFreeString(exception->bstrHelpFile);
  *exception = EXCEPINFO{};
}

// The host side of one evaluation; lives on the caller's stack, so its
// reference count is not used for its lifetime.
class ScriptSite : public IActiveScriptSite {
 public:
  // The engine's last error report; owned strings, zero when none came.
  EXCEPINFO error = {};

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (iid == IID_IUnknown || iid == IID_IActiveScriptSite) {
      *object = static_cast<IActiveScriptSite*>(this);
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE GetLCID(LCID*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetItemInfo(LPCOLESTR, DWORD, IUnknown**, ITypeInfo**) override {
    return TYPE_E_ELEMENTNOTFOUND;
  }
  HRESULT STDMETHODCALLTYPE GetDocVersionString(BSTR*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE OnScriptTerminate(const VARIANT*, const EXCEPINFO*) override {
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE OnStateChange(SCRIPTSTATE) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnScriptError(IActiveScriptError* report) override {
    FreeExceptionTexts(&error);
    report->GetExceptionInfo(&error);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE OnEnterScript() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnLeaveScript() override { return S_OK; }
};

}  // namespace

HRESULT EvaluateJScript(BSTR script, BSTR* result, EXCEPINFO* exception) {
  *result = nullptr;
  IActiveScript* engine = nullptr;
  HRESULT hr = CoCreateInstance(kClsidJScript, nullptr, CLSCTX_INPROC_SERVER, IID_IActiveScript,
                                reinterpret_cast<void**>(&engine));
  if (FAILED(hr))
    return hr;
  IActiveScriptParse* parse = nullptr;
  hr = engine->QueryInterface(kIidActiveScriptParse, reinterpret_cast<void**>(&parse));
  ScriptSite site;
  VARIANT value;
  VariantInit(&value);
  if (SUCCEEDED(hr))
    hr = parse->InitNew();
  if (SUCCEEDED(hr))
    hr = engine->SetScriptSite(&site);
  if (SUCCEEDED(hr))
    hr = engine->SetScriptState(SCRIPTSTATE_STARTED);
  if (SUCCEEDED(hr)) {
    EXCEPINFO parseError = {};
    hr = parse->ParseScriptText(script ? script : L"", nullptr, nullptr, nullptr, 0, 0,
                                SCRIPTTEXT_ISEXPRESSION, &value, &parseError);
    if (FAILED(hr)) {
      // The site's report is the fuller one when the engine gave both.
      EXCEPINFO& taken = site.error.bstrDescription ? site.error : parseError;
      *exception = taken;
      taken = EXCEPINFO{};
      FreeExceptionTexts(&parseError);
      if (!exception->bstrDescription)
        exception->bstrDescription = SysAllocString(L"script error");
      if (exception->scode == 0)
        exception->scode = hr;
      hr = DISP_E_EXCEPTION;
    }
  }
  if (parse)
    parse->Release();
  engine->Close();
  engine->Release();
  FreeExceptionTexts(&site.error);
  if (FAILED(hr))
    return hr;

  if (V_VT(&value) == VT_EMPTY || V_VT(&value) == VT_NULL) {
    VariantClear(&value);
    *result = SysAllocString(L"");
    return *result ? S_OK : E_OUTOFMEMORY;
  }
  hr = VariantChangeType(&value, &value, 0, VT_BSTR);
  if (FAILED(hr)) {
    VariantClear(&value);
    return hr;
  }
  *result = V_BSTR(&value) ? V_BSTR(&value) : SysAllocString(L"");
  return *result ? S_OK : E_OUTOFMEMORY;
}

}  // namespace standin
