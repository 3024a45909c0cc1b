// The monitor cache: a singly linked pool of monitors under one critical
// section, five of them made during static initialisation. The cache's lock is
// never held while a monitor's own lock is awaited or a monitor is created.
#include "foundation/system/MonitorCache.h"

#include "foundation/system/Win32.h"

#include "foundation/objects/KNStartupOrder.h"

namespace knfoundation {
namespace thread {

namespace {

constexpr int32_t kInitialMonitors = 5;

enum : int32_t { kAbsent = 0, kStarting = 1, kReady = 2 };

int32_t gState = kAbsent;
CRITICAL_SECTION gSection;
MonitorCache::Mon* gHead = nullptr;

}  // namespace

// Sets the cache up at its first use (static initialisation, or any earlier
// use) and takes it down at exit on the exiting thread; a use after the
// take-down sets up a new cache.
struct MonitorCacheSetUp {
  static void EnsureReady() {
    if (__atomic_load_n(&gState, __ATOMIC_ACQUIRE) == kReady)
      return;
    int32_t expected = kAbsent;
    if (!__atomic_compare_exchange_n(&gState, &expected, kStarting, false, __ATOMIC_ACQ_REL,
                                     __ATOMIC_ACQUIRE)) {
      while (__atomic_load_n(&gState, __ATOMIC_ACQUIRE) != kReady)
        ::Sleep(0);
      return;
    }
    ::InitializeCriticalSection(&gSection);
    gHead = nullptr;
    try {
      for (int32_t i = 0; i < kInitialMonitors; ++i) {
        MonitorCache::Mon* monitor = new MonitorCache::Mon();
        monitor->next_ = gHead;
        gHead = monitor;
      }
    } catch (...) {
      // Fewer monitors in advance; `Acquire` makes more, or reports why not.
    }
    __atomic_store_n(&gState, kReady, __ATOMIC_RELEASE);
  }

  MonitorCacheSetUp() { EnsureReady(); }

  // Deletes every monitor and the cache's lock, unless a monitor is still in
  // use (then everything stays: its holder will still leave it).
  ~MonitorCacheSetUp() {
    if (__atomic_load_n(&gState, __ATOMIC_ACQUIRE) != kReady)
      return;
    ::EnterCriticalSection(&gSection);
    for (MonitorCache::Mon* monitor = gHead; monitor; monitor = monitor->next_) {
      if (monitor->useCount_ > 0) {
        ::LeaveCriticalSection(&gSection);
        return;
      }
    }
    MonitorCache::Mon* monitor = gHead;
    gHead = nullptr;
    while (monitor) {
      MonitorCache::Mon* next = monitor->next_;
      delete monitor;
      monitor = next;
    }
    ::LeaveCriticalSection(&gSection);
    ::DeleteCriticalSection(&gSection);
    __atomic_store_n(&gState, kAbsent, __ATOMIC_RELEASE);
  }
};

namespace {
MonitorCacheSetUp gSetUp KN_STARTUP(kKNStartupMonitors);
}  // namespace

// A monitor in use by `key` is taken first (all null-key users share one);
// otherwise the first free one is bound. A free monitor is one with use count
// 0: a null-key monitor in use is never mistaken for a free one.
IKNMonitor* MonitorCache::Acquire(const void* key) {
  MonitorCacheSetUp::EnsureReady();
  Mon* spare = nullptr;
  Mon* taken = nullptr;
  for (;;) {
    ::EnterCriticalSection(&gSection);
    Mon* firstFree = nullptr;
    for (Mon* monitor = gHead; monitor; monitor = monitor->next_) {
      if (monitor->useCount_ > 0) {
        if (monitor->key_ == key) {
          taken = monitor;
          break;
        }
      } else if (!firstFree) {
        firstFree = monitor;
      }
    }
    if (!taken && !firstFree && spare) {
      spare->next_ = gHead;
      gHead = spare;
      firstFree = spare;
      spare = nullptr;
    }
    if (!taken && firstFree) {
      taken = firstFree;
      taken->key_ = key;
    }
    if (taken) {
      ++taken->useCount_;
      ::LeaveCriticalSection(&gSection);
      break;
    }
    ::LeaveCriticalSection(&gSection);
    // Every monitor is bound: make one outside the lock, then look again.
    spare = new Mon();
  }
  delete spare;
  taken->Enter();
  return taken;
}

MonitorCache::Census MonitorCache::Count() {
  MonitorCacheSetUp::EnsureReady();
  Census census = {0, 0};
  ::EnterCriticalSection(&gSection);
  for (Mon* monitor = gHead; monitor; monitor = monitor->next_) {
    ++census.monitors;
    if (monitor->useCount_ > 0)
      ++census.bound;
  }
  ::LeaveCriticalSection(&gSection);
  return census;
}

void MonitorCache::Mon::Unlock() {
  ::EnterCriticalSection(&gSection);
  if (--useCount_ == 0)
    key_ = nullptr;
  ::LeaveCriticalSection(&gSection);
  LeaveOnce();
}

}  // namespace thread
}  // namespace knfoundation
