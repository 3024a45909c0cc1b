// The waitable runnable: state changes under its monitor, completion by one
// notice.
#include "foundation/system/WaitableRunnable.h"

#include "foundation/system/Win32.h"

#include "foundation/objects/KNException.h"
#include "foundation/system/IKNMonitor.h"

namespace knfoundation {
namespace thread {

WaitableRunnable* WaitableRunnable::Create(IKNRunnable* target) {
  if (!target)
    base::KNRaiseNullPtr();
  return new WaitableRunnable(target);
}

WaitableRunnable::WaitableRunnable(IKNRunnable* target) : target_(KNRetain(target)) {
  AutoRelease();
}

WaitableRunnable::~WaitableRunnable() {
  target_->Release();
}

int32_t WaitableRunnable::RetainCount() {
  return count_.Get();
}

IKNType* WaitableRunnable::Retain() {
  count_.Increment();
  return this;
}

void WaitableRunnable::Release() {
  if (count_.Decrement())
    delete this;
}

void WaitableRunnable::Run() {
  {
    MonitorLock lock(static_cast<IKNType*>(this));
    if (runner_ || done_)
      base::KNRaiseIllegalState("Already Running");
    runner_ = CurrentThread();
  }
  try {
    target_->Run();
  } catch (...) {
    Finish();
    throw;
  }
  Finish();
}

void WaitableRunnable::Finish() {
  MonitorLock lock(static_cast<IKNType*>(this));
  runner_ = nullptr;
  done_ = true;
  lock.Notify();
}

void WaitableRunnable::WaitUntilDone() {
  MonitorLock lock(static_cast<IKNType*>(this));
  if (CurrentThread() == runner_)
    base::KNRaiseIllegalState("Deadlock prevented");
  while (!done_)
    lock.Wait(INFINITE);
}

}  // namespace thread
}  // namespace knfoundation
