// IDispatch::Invoke on the editor: argument order and trimming, result
// conversion, and the EXCEPINFO of a failed call.
#include "bridge/DispatchCall.h"

namespace numbridge {
namespace {

bool IsMissing(const VARIANT& value) {
  return V_VT(&value) == VT_ERROR && V_ERROR(&value) == DISP_E_PARAMNOTFOUND;
}

// An owned error-info object carrying IID_IDispatch and the exception's texts
// and help; null when it cannot be made.
IErrorInfo* ErrorInfoOf(const EXCEPINFO& exception) {
  ICreateErrorInfo* create = nullptr;
  if (FAILED(CreateErrorInfo(&create)))
    return nullptr;
  create->SetGUID(IID_IDispatch);
  create->SetSource(exception.bstrSource);
  create->SetDescription(exception.bstrDescription);
  create->SetHelpFile(exception.bstrHelpFile);
  create->SetHelpContext(exception.dwHelpContext);
  IErrorInfo* info = nullptr;
  if (FAILED(create->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&info))))
    info = nullptr;
  create->Release();
  return info;
}

}  // namespace

VARIANT BstrArgument(BSTR bstr) {
  VARIANT value;
  VariantInit(&value);
  V_VT(&value) = VT_BSTR;
  V_BSTR(&value) = bstr;
  return value;
}

VARIANT MissingArgument() {
  VARIANT value;
  VariantInit(&value);
  V_VT(&value) = VT_ERROR;
  V_ERROR(&value) = DISP_E_PARAMNOTFOUND;
  return value;
}

HRESULT HResultOfException(const EXCEPINFO& exception) {
  HRESULT hr;
  if (exception.wCode != 0)
    hr = exception.wCode < 0xFE00 ? static_cast<HRESULT>(0x80040200u + exception.wCode)
                                  : static_cast<HRESULT>(0x8004FFFFu);
  else
    hr = exception.scode;
  // An exception is never a success, whatever the editor filled in.
  return FAILED(hr) ? hr : DISP_E_EXCEPTION;
}

HRESULT DispatchCall(IDispatch* target,
                     DISPID member,
                     VARTYPE resultType,
                     VARIANT* result,
                     const VARIANT* args,
                     UINT argCount,
                     IErrorInfo** errorInfo) {
  if (errorInfo)
    *errorInfo = nullptr;
  if (result)
    VariantInit(result);
  if (!target || argCount > kMaxDispatchArguments || (resultType != VT_EMPTY && !result))
    return E_INVALIDARG;

  while (argCount > 0 && IsMissing(args[argCount - 1]))
    --argCount;
  // Automation wants the last argument first.
  VARIANTARG reversed[kMaxDispatchArguments];
  for (UINT i = 0; i < argCount; ++i)
    reversed[i] = args[argCount - 1 - i];
  DISPPARAMS params = {argCount ? reversed : nullptr, nullptr, argCount, 0};

  VARIANT* wanted = resultType != VT_EMPTY ? result : nullptr;
  EXCEPINFO exception = {};
  UINT argError = 0;
  HRESULT hr =
      target->Invoke(member, IID_NULL, 0, DISPATCH_METHOD, &params, wanted, &exception, &argError);
  if (hr == DISP_E_EXCEPTION) {
    if (exception.pfnDeferredFillIn)
      exception.pfnDeferredFillIn(&exception);
    hr = HResultOfException(exception);
    IErrorInfo* info = ErrorInfoOf(exception);
    if (errorInfo)
      *errorInfo = info;
    else if (info)
      info->Release();
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrHelpFile);
  }
  if (FAILED(hr)) {
    if (wanted)
      VariantClear(wanted);
    return hr;
  }
  if (wanted && V_VT(wanted) != resultType) {
    hr = VariantChangeType(wanted, wanted, 0, resultType);
    if (FAILED(hr)) {
      VariantClear(wanted);
      return hr;
    }
  }
  return hr;
}

}  // namespace numbridge
