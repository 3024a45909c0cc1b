// The Agent: Valdrin's launcher state and the order of its run.
//
// Exactly one exists, built by `GetAgent` on first use and torn down at
// process exit (the Java library object, then the Config). Not an IKNType.
#pragma once

#include "launcher/IAgent.h"

namespace knfoundation {
class IKNType;
}

struct JavaVM_;
struct JNIEnv_;

namespace tidewell {

class Agent final : public IAgent {
 public:
  // Reads the debug flag from the command line; the other fields start null.
  Agent();

  bool Run() override;
  bool IsDebug() override;
  IConfig* GetConfig() override;

  // The exit-list teardown: releases jreLibrary, then config.
  void Teardown();

 private:
  // The steps of `Run`, in order. Steps whose services are not part of the
  // program yet do nothing.
  void Configure();
  bool ShouldLaunch();
  void StartVM();
  void CallMain();
  void RunMessageLoop();

  bool debug_;
  knfoundation::IKNType* environment_;  // the process environment, lent
  IConfig* config_;                     // owned
  knfoundation::IKNType* jreLibrary_;   // the Java runtime library, owned
  JavaVM_* javaVM_;                     // never destroyed
  JNIEnv_* jniEnv_;                     // the main thread's JNI environment
};

}  // namespace tidewell
