// Valdrin's entry: the entry's pool, the program's directory, the
// single-instance guard and the Agent's run; any foundation exception that
// reaches here is logged at level 1 and ends the process with exit code 1.
#include "foundation/system/Win32.h"

#include "foundation/objects/IKNAutoReleasePool.h"
#include "foundation/objects/KNException.h"
#include "foundation/system/IKNLog.h"
#include "launcher/IAgent.h"
#include "launcher/InstanceGuard.h"
#include "launcher/ProgramDirectory.h"

namespace {

constexpr int kExitNormal = 0;
constexpr int kExitFailure = 1;

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  using knfoundation::base::IKNAutoReleasePool;
  IKNAutoReleasePool* pool = IKNAutoReleasePool::Create();
  int exitCode = kExitNormal;
  try {
    tidewell::MakeProgramDirectoryCurrent();
    tidewell::TakeInstanceGuard();
    tidewell::GetAgent()->Run();
  } catch (const knfoundation::base::IKNException& exception) {
    exception.Log(knfoundation::util::kLogLevelError);
    exitCode = kExitFailure;
  }
  pool->Dispose();
  return exitCode;
}
