// The monitor's lock, wait and notify, and the scoped `MonitorLock`.
#include "foundation/system/Win32.h"

#include "foundation/objects/IKNType.h"
#include "foundation/objects/KNException.h"
#include "foundation/system/IKNMonitor.h"
#include "foundation/system/MonitorCache.h"
#include "foundation/system/Win32Calls.h"

namespace knfoundation {
namespace thread {

namespace {

CRITICAL_SECTION* Section(unsigned char* storage) {
  return reinterpret_cast<CRITICAL_SECTION*>(storage);
}

}  // namespace

IKNMonitor::IKNMonitor() {
  static_assert(sizeof(CRITICAL_SECTION) == sizeof(section_), "critical section storage");
  static_assert(alignof(CRITICAL_SECTION) <= alignof(void*), "critical section alignment");
  broadcast_ = win32::CreateEventW(TRUE, FALSE, nullptr, nullptr);
  try {
    notify_ = win32::CreateEventW(FALSE, FALSE, nullptr, nullptr);
  } catch (...) {
    ::CloseHandle(broadcast_);
    throw;
  }
  ::InitializeCriticalSection(Section(section_));
}

IKNMonitor::~IKNMonitor() {
  ::DeleteCriticalSection(Section(section_));
  ::CloseHandle(notify_);
  ::CloseHandle(broadcast_);
}

void IKNMonitor::Enter() {
  ::EnterCriticalSection(Section(section_));
  ++depth_;
}

void IKNMonitor::LeaveOnce() {
  --depth_;
  ::LeaveCriticalSection(Section(section_));
}

// The caller's levels are kept on its own stack while it waits (the shared
// depth is set to 0, so another thread may lock and wait meanwhile) and put
// back once every level has been entered again.
bool IKNMonitor::Wait(uint32_t milliseconds) {
  ++waiters_;
  const int32_t levels = depth_;
  depth_ = 0;
  for (int32_t i = 0; i < levels; ++i)
    ::LeaveCriticalSection(Section(section_));

  HANDLE events[2] = {broadcast_, notify_};
  DWORD result = ::WaitForMultipleObjects(2, events, FALSE, milliseconds);
  DWORD error = result == WAIT_FAILED ? ::GetLastError() : ERROR_SUCCESS;

  for (int32_t i = 0; i < levels; ++i)
    ::EnterCriticalSection(Section(section_));
  depth_ = levels;

  // A notice that arrived for the last waiter after it had stopped waiting
  // would wake the next `Wait` for nothing: the last waiter clears it.
  const bool lastWaiter = waiters_ == 1;
  --waiters_;
  switch (result) {
    case WAIT_OBJECT_0:
    case WAIT_OBJECT_0 + 1:
      if (lastWaiter)
        ::ResetEvent(notify_);
      return true;
    case WAIT_TIMEOUT:
      if (lastWaiter)
        ::ResetEvent(notify_);
      return false;
    default:
      system::KNRaiseWin32Error("WaitForMultipleObjects",
                                static_cast<int32_t>(result == WAIT_FAILED ? error : result));
  }
}

void IKNMonitor::Notify() {
  if (waiters_ > 0)
    win32::SetEvent(notify_);
}

MonitorLock::MonitorLock(IKNType* object)
    : monitor_(object ? object->Lock() : MonitorCache::Acquire(nullptr)) {}

MonitorLock::MonitorLock(const void* key) : monitor_(MonitorCache::Acquire(key)) {}

MonitorLock::~MonitorLock() {
  monitor_->Unlock();
}

bool MonitorLock::Wait(uint32_t milliseconds) {
  return monitor_->Wait(milliseconds);
}

void MonitorLock::Notify() {
  monitor_->Notify();
}

}  // namespace thread
}  // namespace knfoundation
