// The stand-in's application object and its class factory. IDispatch::Invoke
// is written out by hand so that the log shows exactly what arrived: member,
// argument count, argument types and texts.
#include "tests/standins/EditorApplication.h"

#include <string>

#include "tests/standins/JScriptEngine.h"
#include "tests/standins/StandInControl.h"
#include "tests/standins/StandInIds.h"

namespace standin {
namespace {

LONG liveApplications = 0;

std::wstring Hex(unsigned long value) {
  wchar_t text[16];
  swprintf(text, 16, L"%lX", value);
  return text;
}

// "BSTR:<text>" (zero units as "\0"), "BSTR(null)", "ERROR:<scode>" or "VT<n>".
std::wstring Describe(const VARIANT& value) {
  if (V_VT(&value) == VT_BSTR) {
    if (!V_BSTR(&value))
      return L"BSTR(null)";
    std::wstring text(V_BSTR(&value), SysStringLen(V_BSTR(&value)));
    std::wstring shown = L"BSTR:";
    for (wchar_t unit : text)
      shown += unit == L'\0' ? std::wstring(L"\\0") : std::wstring(1, unit);
    return shown;
  }
  if (V_VT(&value) == VT_ERROR)
    return L"ERROR:" + Hex(static_cast<unsigned long>(V_ERROR(&value)));
  return L"VT" + std::to_wstring(V_VT(&value));
}

void LogCall(const wchar_t* member, const DISPPARAMS* params) {
  std::wstring line = member;
  const UINT count = params ? params->cArgs : 0;
  line += L" " + std::to_wstring(count);
  // Positional order: the last array entry is the first argument.
  for (UINT i = count; i > 0; --i)
    line += L" " + Describe(params->rgvarg[i - 1]);
  Log(line);
}

class EditorApplication final : public IEditorApplication {
 public:
  explicit EditorApplication(QuitHandler onQuit) : onQuit_(onQuit) {
    InterlockedIncrement(&liveApplications);
    Log(L"Create");
  }
  ~EditorApplication() { InterlockedDecrement(&liveApplications); }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    const bool refused = iid == IID_EditorApplication && ReadControl().refuseInterface;
    if (refused)
      Log(L"InterfaceRefused");
    if (!refused && (iid == IID_IUnknown || iid == IID_IDispatch || iid == IID_EditorApplication)) {
      *object = static_cast<IEditorApplication*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&count_); }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG count = InterlockedDecrement(&count_);
    if (count == 0) {
      Log(L"Released");
      delete this;
    }
    return static_cast<ULONG>(count);
  }

  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
    *info = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE
  GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
    HRESULT hr = S_OK;
    for (UINT i = 0; i < count; ++i) {
      if (lstrcmpiW(names[i], L"Quit") == 0 && i == 0)
        ids[i] = kDispIdQuit;
      else if (lstrcmpiW(names[i], L"FeatureEnabled") == 0 && i == 0)
        ids[i] = kDispIdFeatureEnabled;
      else if (lstrcmpiW(names[i], L"RunScript") == 0 && i == 0)
        ids[i] = kDispIdRunScript;
      else {
        ids[i] = DISPID_UNKNOWN;
        hr = DISP_E_UNKNOWNNAME;
      }
    }
    return hr;
  }

  HRESULT STDMETHODCALLTYPE Invoke(DISPID member,
                                   REFIID,
                                   LCID,
                                   WORD flags,
                                   DISPPARAMS* params,
                                   VARIANT* result,
                                   EXCEPINFO* exception,
                                   UINT* argError) override {
    const UINT count = params ? params->cArgs : 0;
    if (params && params->cNamedArgs != 0)
      return DISP_E_NONAMEDARGS;
    if (!(flags & DISPATCH_METHOD))
      return DISP_E_MEMBERNOTFOUND;
    switch (member) {
      case kDispIdQuit:
        LogCall(L"Quit", params);
        if (count != 0)
          return DISP_E_BADPARAMCOUNT;
        if (FailQuit(exception))
          return DISP_E_EXCEPTION;
        return Quit();
      case kDispIdFeatureEnabled: {
        LogCall(L"FeatureEnabled", params);
        if (count != 1)
          return DISP_E_BADPARAMCOUNT;
        if (V_VT(&params->rgvarg[0]) != VT_BSTR) {
          if (argError)
            *argError = 0;
          return DISP_E_TYPEMISMATCH;
        }
        VARIANT_BOOL enabled = VARIANT_FALSE;
        const HRESULT hr = FeatureEnabled(V_BSTR(&params->rgvarg[0]), &enabled);
        if (SUCCEEDED(hr) && result) {
          VariantInit(result);
          V_VT(result) = VT_BOOL;
          V_BOOL(result) = enabled;
        }
        return hr;
      }
      case kDispIdRunScript: {
        LogCall(L"RunScript", params);
        if (count < 1 || count > 3)
          return DISP_E_BADPARAMCOUNT;
        const VARIANT& script = params->rgvarg[count - 1];
        if (V_VT(&script) != VT_BSTR) {
          if (argError)
            *argError = count - 1;
          return DISP_E_TYPEMISMATCH;
        }
        BSTR text = nullptr;
        const HRESULT hr = Run(V_BSTR(&script), &text, exception);
        if (SUCCEEDED(hr) && result) {
          VariantInit(result);
          V_VT(result) = VT_BSTR;
          V_BSTR(result) = text;
        } else {
          SysFreeString(text);
        }
        return hr;
      }
      default:
        return DISP_E_MEMBERNOTFOUND;
    }
  }

  HRESULT STDMETHODCALLTYPE Quit() override {
    const StandInControl control = ReadControl();
    if (control.ignoreQuit) {
      Log(L"QuitIgnored");
      return S_OK;
    }
    onQuit_(control.quitDelayMs);
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE FeatureEnabled(BSTR, VARIANT_BOOL* enabled) override {
    *enabled = ReadControl().featureDisabled ? VARIANT_FALSE : VARIANT_TRUE;
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE RunScript(BSTR script, VARIANT, VARIANT, BSTR* result) override {
    EXCEPINFO exception = {};
    const HRESULT hr = Run(script, result, &exception);
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrHelpFile);
    return hr == DISP_E_EXCEPTION ? exception.scode : hr;
  }

 private:
  // True when the control file asks the quit request to fail; fills
  // *exception (may be null) with owned texts then.
  static bool FailQuit(EXCEPINFO* exception) {
    const StandInControl control = ReadControl();
    if (control.quitFailure.empty())
      return false;
    Log(L"QuitFailed");
    if (exception) {
      *exception = EXCEPINFO{};
      exception->bstrSource = SysAllocString(L"EditorStandIn");
      exception->bstrDescription = SysAllocString(control.quitFailure.c_str());
      exception->scode = kQuitFailureCode;
    }
    return true;
  }

  // The script call as the control file asks; *exception (may be null) is
  // filled when it fails with DISP_E_EXCEPTION.
  HRESULT Run(BSTR script, BSTR* result, EXCEPINFO* exception) {
    *result = nullptr;
    const StandInControl control = ReadControl();
    if (!control.scriptFailure.empty()) {
      if (exception) {
        *exception = EXCEPINFO{};
        exception->bstrSource = SysAllocString(L"EditorStandIn");
        exception->bstrDescription = SysAllocString(control.scriptFailure.c_str());
        exception->scode = kScriptFailureCode;
      }
      return DISP_E_EXCEPTION;
    }
    EXCEPINFO scriptError = {};
    BSTR value = nullptr;
    const HRESULT hr = EvaluateJScript(script, &value, &scriptError);
    if (FAILED(hr)) {
      if (exception)
        *exception = scriptError;
      else {
        SysFreeString(scriptError.bstrSource);
        SysFreeString(scriptError.bstrDescription);
        SysFreeString(scriptError.bstrHelpFile);
      }
      return hr;
    }
    if (control.nullResult) {
      SysFreeString(value);
      return S_OK;
    }
    if (control.zeroInside) {
      std::wstring text(value, SysStringLen(value));
      text += L'\0';
      text += L"tail";
      SysFreeString(value);
      value = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    }
    *result = value;
    return S_OK;
  }

  LONG count_ = 1;
  QuitHandler onQuit_;
};

class ClassFactory final : public IClassFactory {
 public:
  explicit ClassFactory(QuitHandler onQuit) : onQuit_(onQuit) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (iid == IID_IUnknown || iid == IID_IClassFactory) {
      *object = static_cast<IClassFactory*>(this);
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override {
    *object = nullptr;
    if (outer)
      return CLASS_E_NOAGGREGATION;
    IEditorApplication* application = NewEditorApplication(onQuit_);
    const HRESULT hr = application->QueryInterface(iid, object);
    application->Release();
    return hr;
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }

 private:
  QuitHandler onQuit_;
};

}  // namespace

IEditorApplication* NewEditorApplication(QuitHandler onQuit) {
  return new EditorApplication(onQuit);
}

IClassFactory* EditorClassFactory(QuitHandler onQuit) {
  static ClassFactory factory(onQuit);
  return &factory;
}

LONG LiveApplications() {
  return InterlockedCompareExchange(&liveApplications, 0, 0);
}

}  // namespace standin
