// Registering the stand-in in the current Wine prefix as the editor's local
// server, with its type library.
#pragma once

#include "tests/standins/StandInWindows.h"

namespace standin {

// Writes CLSID_EditorApplication with this executable as LocalServer32 and
// registers the type library embedded in it. Returns the first failure.
HRESULT RegisterServer();

// Removes what RegisterServer wrote. Absent entries are not a failure.
HRESULT UnregisterServer();

}  // namespace standin
