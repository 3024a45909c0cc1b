// Evaluates a script text with the system's JScript engine, so that the
// stand-in's results follow the script.
#pragma once

#include "tests/standins/StandInWindows.h"

namespace standin {

// Evaluates script (lent; null counts as empty) as one JScript expression in a
// fresh engine. On success *result is an owned BSTR of the value as text ("" for
// an empty or undefined value; zero units inside kept). A script error fails
// with DISP_E_EXCEPTION and *exception filled (owned strings). Runs on an STA
// thread.
HRESULT EvaluateJScript(BSTR script, BSTR* result, EXCEPINFO* exception);

}  // namespace standin
