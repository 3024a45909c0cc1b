// The launcher object: the one instance that runs Valdrin's start sequence.
// Main thread only.
#pragma once

namespace tidewell {

class IConfig;

class IAgent {
 public:
  // The run sequence: configure, launch decision, VM start, Java `main`,
  // message loop. Foundation exceptions propagate to the caller. The result
  // is not read.
  virtual bool Run() = 0;
  // True when the command line holds the argument "-d".
  virtual bool IsDebug() = 0;
  // The startup options, lent; null before the configure step.
  virtual IConfig* GetConfig() = 0;

 protected:
  ~IAgent() = default;
};

// The single Agent, constructed on first call (which also registers its
// teardown with the exit list). Not thread-safe: main thread only.
IAgent* GetAgent();

}  // namespace tidewell
