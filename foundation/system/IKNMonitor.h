// Monitors: a recursive lock with wait and notify. Every object's `Lock`
// returns one, already entered; `Unlock` leaves it once.
#pragma once

#include <cstdint>

namespace knfoundation {
class IKNType;

namespace thread {

class IKNMonitor {
 public:
  virtual void Unlock() = 0;

 protected:
  ~IKNMonitor() = default;
};

// Scoped guard: enters the object's monitor (or the cache monitor bound to a
// raw address key, null included) and leaves it when destroyed.
class MonitorLock {
 public:
  explicit MonitorLock(IKNType* object);
  explicit MonitorLock(const void* key);
  ~MonitorLock();
  MonitorLock(const MonitorLock&) = delete;
  MonitorLock& operator=(const MonitorLock&) = delete;

  // Waits on the held monitor; true when woken, false on time-out.
  bool Wait(uint32_t milliseconds);
  // Wakes one waiter, if any.
  void Notify();

  IKNMonitor* Monitor() const { return monitor_; }

 private:
  IKNMonitor* monitor_;
};

}  // namespace thread
}  // namespace knfoundation
