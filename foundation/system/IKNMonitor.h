// Monitors: a recursive lock with wait and notify. Every object's `Lock`
// returns one, already entered; `Unlock` leaves it once.
#pragma once

#include <cstdint>

namespace knfoundation {
class IKNType;

namespace thread {

// A recursive critical section with a lock depth (the levels its owner holds,
// changed only while the section is held), a count of waiting threads, and
// two events: a manual-reset broadcast event (waited on, never signalled in
// this system) and an auto-reset notify event.
class IKNMonitor {
 public:
  // Leaves one level.
  virtual void Unlock() = 0;

  // Enters the critical section and counts one level.
  void Enter();
  // On a held monitor: releases every level the caller holds, waits for a
  // notice (INFINITE allowed), then takes every level back. True when woken,
  // false on time-out; other wait results raise `KNSysError`.
  bool Wait(uint32_t milliseconds);
  // On a held monitor: wakes one waiting thread, if any.
  void Notify();

  // Levels held by the owning thread; meaningful to the owner only.
  int32_t LockDepth() const { return depth_; }
  // Threads inside `Wait`.
  int32_t Waiters() const { return waiters_; }

 protected:
  // Creates both events (raising through the CreateEvent wrapper) and the
  // critical section.
  IKNMonitor();
  // Deletes the critical section and closes both events.
  ~IKNMonitor();
  IKNMonitor(const IKNMonitor&) = delete;
  IKNMonitor& operator=(const IKNMonitor&) = delete;

  // Uncounts one level and leaves the critical section once.
  void LeaveOnce();

 private:
  // Room for the OS critical section (its size is checked where it is used).
  alignas(void*) unsigned char section_[sizeof(void*) == 8 ? 40 : 24];
  void* broadcast_;
  void* notify_;
  int32_t depth_ = 0;
  int32_t waiters_ = 0;
};

// A monitor of its own for an object (see KNMonitorT.h); `Unlock` leaves once.
class PlainMonitor final : public IKNMonitor {
 public:
  PlainMonitor() = default;
  ~PlainMonitor() = default;
  void Unlock() override { LeaveOnce(); }
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
