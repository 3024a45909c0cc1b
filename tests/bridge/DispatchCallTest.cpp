// DispatchCall against an in-process recording IDispatch: what Invoke
// receives, result conversion, and the mapping of an editor exception.
#include <string>
#include <vector>

#include "bridge/DispatchCall.h"
#include <gtest/gtest.h>

namespace numbridge {
namespace {

// Records the last Invoke and answers as configured. Lives on the stack.
class RecordingDispatch final : public IDispatch {
 public:
  // What the last Invoke received (arguments as shallow copies, array order).
  DISPID member = DISPID_UNKNOWN;
  bool iidNull = false;
  LCID lcid = 0xFFFF;
  WORD flags = 0;
  UINT namedCount = 99;
  std::vector<VARIANT> args;
  bool resultRequested = false;

  // How it answers.
  HRESULT answer = S_OK;
  VARIANT value = {};  // copied into the result; owned
  WORD wCode = 0;
  SCODE scode = 0;
  const wchar_t* description = nullptr;
  bool deferred = false;  // the exception's texts come from a fill-in routine

  ~RecordingDispatch() { VariantClear(&value); }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** object) override {
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id,
                                   REFIID iid,
                                   LCID locale,
                                   WORD how,
                                   DISPPARAMS* params,
                                   VARIANT* result,
                                   EXCEPINFO* exception,
                                   UINT*) override {
    member = id;
    iidNull = iid == IID_NULL;
    lcid = locale;
    flags = how;
    namedCount = params->cNamedArgs;
    args.assign(params->rgvarg, params->rgvarg + params->cArgs);
    resultRequested = result != nullptr;
    if (answer == DISP_E_EXCEPTION) {
      *exception = EXCEPINFO{};
      exception->wCode = wCode;
      exception->scode = deferred ? 0 : scode;
      if (deferred) {
        pending = this;
        exception->pfnDeferredFillIn = FillIn;
      } else {
        Fill(exception);
      }
      return answer;
    }
    if (result && SUCCEEDED(answer))
      VariantCopy(result, &value);
    return answer;
  }

 private:
  void Fill(EXCEPINFO* exception) const {
    exception->bstrSource = SysAllocString(L"Recorder");
    exception->bstrDescription = description ? SysAllocString(description) : nullptr;
    exception->bstrHelpFile = SysAllocString(L"help.chm");
    exception->dwHelpContext = 17;
  }
  static HRESULT STDMETHODCALLTYPE FillIn(EXCEPINFO* exception) {
    pending->Fill(exception);
    exception->scode = pending->scode;
    return S_OK;
  }
  static RecordingDispatch* pending;
};

RecordingDispatch* RecordingDispatch::pending = nullptr;

VARIANT I4(LONG number) {
  VARIANT value;
  VariantInit(&value);
  V_VT(&value) = VT_I4;
  V_I4(&value) = number;
  return value;
}

// "s:<text>", "missing" or "i4:<n>" for one received argument.
std::string Describe(const VARIANT& value) {
  if (V_VT(&value) == VT_BSTR)
    return "s:" + std::string(V_BSTR(&value), V_BSTR(&value) + SysStringLen(V_BSTR(&value)));
  if (V_VT(&value) == VT_ERROR && V_ERROR(&value) == DISP_E_PARAMNOTFOUND)
    return "missing";
  if (V_VT(&value) == VT_I4)
    return "i4:" + std::to_string(V_I4(&value));
  return "vt" + std::to_string(V_VT(&value));
}

TEST(DispatchCallTest, ArgumentsArriveLastFirstWithoutTrailingMissingOnes) {
  BSTR a = SysAllocString(L"a");
  BSTR s = SysAllocString(L"script");
  struct Case {
    const char* what;
    std::vector<VARIANT> args;          // positional order
    std::vector<std::string> received;  // DISPPARAMS array order
  };
  const Case cases[] = {
      {"no arguments", {}, {}},
      {"the script call: two trailing missing values dropped",
       {BstrArgument(s), MissingArgument(), MissingArgument()},
       {"s:script"}},
      {"a missing value before a real one stays",
       {MissingArgument(), BstrArgument(s)},
       {"s:script", "missing"}},
      {"only the trailing run is dropped",
       {BstrArgument(a), MissingArgument(), I4(5), MissingArgument()},
       {"i4:5", "missing", "s:a"}},
      {"all missing", {MissingArgument(), MissingArgument()}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    RecordingDispatch target;
    EXPECT_EQ(S_OK, DispatchCall(&target, 0x1234, VT_EMPTY, nullptr, c.args.data(),
                                 static_cast<UINT>(c.args.size()), nullptr));
    std::vector<std::string> received;
    for (const VARIANT& arg : target.args)
      received.push_back(Describe(arg));
    EXPECT_EQ(c.received, received);
    for (const VARIANT& arg : target.args) {
      if (V_VT(&arg) == VT_BSTR) {
        EXPECT_TRUE(V_BSTR(&arg) == s || V_BSTR(&arg) == a) << "the BSTR was not lent as it is";
      }
    }
    EXPECT_EQ(0x1234, target.member);
    EXPECT_TRUE(target.iidNull);
    EXPECT_EQ(0u, target.lcid);
    EXPECT_EQ(DISPATCH_METHOD, target.flags);
    EXPECT_EQ(0u, target.namedCount);
    EXPECT_FALSE(target.resultRequested);
  }
  SysFreeString(a);
  SysFreeString(s);
}

TEST(DispatchCallTest, ResultIsConvertedToTheExpectedType) {
  struct Case {
    const char* what;
    VARIANT returned;
    VARTYPE expected;
    HRESULT hr;
    std::string result;  // Describe() of the result, or "vt0" for VT_EMPTY
  };
  VARIANT truth;
  VariantInit(&truth);
  V_VT(&truth) = VT_BOOL;
  V_BOOL(&truth) = VARIANT_TRUE;
  const Case cases[] = {
      {"number asked as text", I4(42), VT_BSTR, S_OK, "s:42"},
      {"number asked as a boolean", I4(7), VT_BOOL, S_OK, "vt11"},
      {"the expected type as it is", truth, VT_BOOL, S_OK, "vt11"},
      {"text that is no boolean: failure, result cleared", BstrArgument(nullptr), VT_BOOL,
       DISP_E_TYPEMISMATCH, "vt0"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    RecordingDispatch target;
    target.value = c.returned;
    if (V_VT(&target.value) == VT_BSTR)
      V_BSTR(&target.value) = SysAllocString(L"not a boolean");
    VARIANT result;
    EXPECT_EQ(c.hr, DispatchCall(&target, 1, c.expected, &result, nullptr, 0, nullptr));
    EXPECT_TRUE(target.resultRequested);
    EXPECT_EQ(c.result, Describe(result));
    if (V_VT(&result) == VT_BOOL) {
      EXPECT_EQ(VARIANT_TRUE, V_BOOL(&result));
    }
    VariantClear(&result);
  }
}

TEST(DispatchCallTest, EditorExceptionBecomesAnHResultWithItsErrorInfo) {
  struct Case {
    const char* what;
    WORD wCode;
    SCODE scode;
    bool deferred;
    HRESULT hr;
  };
  const Case cases[] = {
      {"wCode 1", 1, E_FAIL, false, static_cast<HRESULT>(0x80040201)},
      {"largest wCode below 0xFE00", 0xFDFF, 0, false, static_cast<HRESULT>(0x8004FFFF)},
      {"wCode 0xFE00 and above saturate", 0xFE00, 0, false, static_cast<HRESULT>(0x8004FFFF)},
      {"no wCode: the scode", 0, E_ACCESSDENIED, false, E_ACCESSDENIED},
      {"the scode of the deferred fill-in", 0, static_cast<SCODE>(0x80041234), true,
       static_cast<HRESULT>(0x80041234)},
      {"neither code: still a failure", 0, S_OK, false, DISP_E_EXCEPTION},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    RecordingDispatch target;
    target.answer = DISP_E_EXCEPTION;
    target.wCode = c.wCode;
    target.scode = c.scode;
    target.deferred = c.deferred;
    target.description = L"it broke";
    VARIANT result;
    IErrorInfo* info = nullptr;
    EXPECT_EQ(c.hr, DispatchCall(&target, 1, VT_BSTR, &result, nullptr, 0, &info));
    EXPECT_EQ(VT_EMPTY, V_VT(&result));
    ASSERT_NE(nullptr, info);
    BSTR text = nullptr;
    info->GetDescription(&text);
    EXPECT_STREQ(L"it broke", text);
    SysFreeString(text);
    info->GetSource(&text);
    EXPECT_STREQ(L"Recorder", text);
    SysFreeString(text);
    info->GetHelpFile(&text);
    EXPECT_STREQ(L"help.chm", text);
    SysFreeString(text);
    DWORD context = 0;
    info->GetHelpContext(&context);
    EXPECT_EQ(17u, context);
    GUID guid = {};
    info->GetGUID(&guid);
    EXPECT_TRUE(guid == IID_IDispatch);
    info->Release();
  }
}

TEST(DispatchCallTest, OtherFailuresComeBackUnchangedWithoutErrorInfo) {
  RecordingDispatch target;
  target.answer = DISP_E_MEMBERNOTFOUND;
  VARIANT result;
  IErrorInfo* info = reinterpret_cast<IErrorInfo*>(&target);
  EXPECT_EQ(DISP_E_MEMBERNOTFOUND, DispatchCall(&target, 1, VT_BOOL, &result, nullptr, 0, &info));
  EXPECT_EQ(nullptr, info);
  EXPECT_EQ(VT_EMPTY, V_VT(&result));
}

}  // namespace
}  // namespace numbridge
