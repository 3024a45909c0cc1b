// Work handed to a thread: `IKNRunnable` runs once or many times;
// `IKNWaitableRunnable` also lets another thread wait until it has run.
#pragma once

#include "foundation/objects/IKNType.h"

namespace knfoundation {
namespace thread {

class IKNRunnable : public IKNType {
 public:
  virtual void Run() = 0;
};

class IKNWaitableRunnable : public IKNRunnable {
 public:
  // Blocks until `Run` has finished (on another thread).
  virtual void WaitUntilDone() = 0;
};

}  // namespace thread
}  // namespace knfoundation
