// A runnable that runs its target once and lets one other thread wait for
// the end: not started -> running -> done, never back.
#pragma once

#include "foundation/system/IKNRunnable.h"
#include "foundation/system/IKNThread.h"

namespace knfoundation {
namespace thread {

class WaitableRunnable final : public IKNWaitableRunnable {
 public:
  // A new runnable around `target` (retained), autoreleased; null target:
  // `KNNullPtr`.
  static WaitableRunnable* Create(IKNRunnable* target);

  int32_t RetainCount() override;
  IKNType* Retain() override;
  // At 0: releases the target and frees the object.
  void Release() override;

  // Runs the target on the calling thread, then marks the runnable done and
  // notifies the waiter (also when the target raised, which is raised again).
  // A second call, or one while running: "Already Running" (`KNIllegalState`).
  void Run() override;
  // Waits until done; on the thread that is running it: "Deadlock prevented"
  // (`KNIllegalState`).
  void WaitUntilDone() override;

 private:
  explicit WaitableRunnable(IKNRunnable* target);
  ~WaitableRunnable();
  void Finish();

  util::KNDirectCount count_;
  IKNRunnable* target_;
  bool done_ = false;
  IKNThread* runner_ = nullptr;  // not retained
};

}  // namespace thread
}  // namespace knfoundation
