// The one way every member of the editor is called: IDispatch::Invoke by
// dispatch id with positional arguments, result conversion and the mapping of
// an editor exception to an HRESULT with its error-info object.
#pragma once

#include "bridge/BridgeWindows.h"

namespace numbridge {

// The most positional arguments one call passes.
constexpr UINT kMaxDispatchArguments = 8;

// A VARIANT that lends bstr (not copied, not freed) as a VT_BSTR argument.
VARIANT BstrArgument(BSTR bstr);

// A VARIANT holding the missing-argument value (VT_ERROR, DISP_E_PARAMNOTFOUND).
VARIANT MissingArgument();

// The HRESULT that an editor exception stands for: 0x80040200 + wCode for a
// wCode below 0xFE00, 0x8004FFFF for a larger one, else scode; an exception that
// carries no failure code stays DISP_E_EXCEPTION.
HRESULT HResultOfException(const EXCEPINFO& exception);

// Calls member on target as a method with args in positional order (borrowed;
// BSTRs lent, other VARIANTs passed by value as copies of their contents).
// Trailing missing-argument values are not passed. When resultType is not
// VT_EMPTY, *result receives the value converted to resultType and is owned by
// the caller; it is VT_EMPTY after a failure. When the editor raised an
// exception, *errorInfo (if errorInfo is not null) receives an owned error-info
// object with its source, description and help. Returns the call's HRESULT.
HRESULT DispatchCall(IDispatch* target,
                     DISPID member,
                     VARTYPE resultType,
                     VARIANT* result,
                     const VARIANT* args,
                     UINT argCount,
                     IErrorInfo** errorInfo);

}  // namespace numbridge
