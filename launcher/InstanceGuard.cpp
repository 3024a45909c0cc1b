// The named mutex that makes Valdrin single-instance per logon session.
#include "launcher/InstanceGuard.h"

#include "foundation/system/Win32.h"

#include "foundation/objects/KNException.h"

namespace tidewell {

void TakeInstanceGuard() {
  // Never released or closed: the guard lasts until the process ends.
  HANDLE mutex = ::CreateMutexW(nullptr, TRUE, L"Local\\com.corvane.zel.Valdrin");
  if (!mutex || ::GetLastError() == ERROR_ALREADY_EXISTS)
    knfoundation::base::KNRaiseIllegalState("An Instance of Valdrin is already running.");
}

}  // namespace tidewell
