// Monitors: recursion, Wait releasing and restoring every level, Notify
// waking one waiter, and monitors of their own (KNMonitorT).
#include "foundation/system/Win32.h"

#include "foundation/system/IKNMonitor.h"
#include "foundation/system/KNMonitorT.h"
#include "tests/system/SystemTestSupport.h"
#include <gtest/gtest.h>

namespace knfoundation {
namespace {

using testing::CountedProbe;
using testing::WorkerThread;
using thread::MonitorLock;

// Spins (yielding) until `condition` holds; the tests never assert on time.
template <class Condition>
void AwaitTrue(Condition condition) {
  while (!condition())
    ::Sleep(1);
}

TEST(MonitorTest, WaitTimeOutRestoresTheLockDepth) {
  int destroyed = 0;
  CountedProbe* object = new CountedProbe(&destroyed);
  {
    MonitorLock outer(object);
    MonitorLock inner(object);
    EXPECT_EQ(2, inner.Monitor()->LockDepth());
    EXPECT_FALSE(inner.Wait(20));
    EXPECT_EQ(2, inner.Monitor()->LockDepth());
    EXPECT_EQ(0, inner.Monitor()->Waiters());
  }
  object->Release();
}

// While the main thread waits at depth 2, another thread can take the
// monitor (so every level was left) and its notice wakes the waiter, which
// holds both levels again afterwards.
TEST(MonitorTest, WaitLeavesEveryLevelAndNotifyWakes) {
  int destroyed = 0;
  CountedProbe* object = new CountedProbe(&destroyed);
  bool entered = false;
  {
    MonitorLock outer(object);
    MonitorLock inner(object);
    WorkerThread worker([&] {
      MonitorLock lock(object);
      entered = true;
      AwaitTrue([&] { return lock.Monitor()->Waiters() == 1; });
      lock.Notify();
    });
    EXPECT_TRUE(inner.Wait(INFINITE));
    EXPECT_TRUE(entered);
    EXPECT_EQ(2, inner.Monitor()->LockDepth());
    worker.Join();
    EXPECT_EQ("", worker.Failure());
  }
  object->Release();
  EXPECT_EQ(1, destroyed);
}

// Two waiters at different depths: one notice wakes exactly one of them,
// a second notice the other; each gets its own depth back.
TEST(MonitorTest, NotifyWakesOneWaiterAtATime) {
  int destroyed = 0;
  CountedProbe* object = new CountedProbe(&destroyed);
  int woken = 0;
  int depths[2] = {0, 0};
  auto waiter = [&](int levels, int slot) {
    return [&, levels, slot] {
      thread::IKNMonitor* monitor = nullptr;
      for (int i = 0; i < levels; ++i)
        monitor = object->Lock();
      monitor->Wait(INFINITE);
      depths[slot] = monitor->LockDepth();
      ++woken;
      for (int i = 0; i < levels; ++i)
        monitor->Unlock();
    };
  };
  {
    WorkerThread one(waiter(1, 0));
    WorkerThread two(waiter(2, 1));
    auto waiters = [&] {
      MonitorLock lock(object);
      return lock.Monitor()->Waiters();
    };
    AwaitTrue([&] { return waiters() == 2; });
    {
      MonitorLock lock(object);
      lock.Notify();
    }
    AwaitTrue([&] {
      MonitorLock lock(object);
      return woken == 1;
    });
    ::Sleep(50);  // room for a wrong second wake-up to show
    {
      MonitorLock lock(object);
      EXPECT_EQ(1, woken);
      EXPECT_EQ(1, lock.Monitor()->Waiters());
      lock.Notify();
    }
    one.Join();
    two.Join();
  }
  EXPECT_EQ(2, woken);
  EXPECT_EQ(1, depths[0]);
  EXPECT_EQ(2, depths[1]);
  object->Release();
}

TEST(MonitorTest, NotifyWithoutWaitersIsNotKept) {
  int destroyed = 0;
  CountedProbe* object = new CountedProbe(&destroyed);
  {
    MonitorLock lock(object);
    lock.Notify();
    EXPECT_FALSE(lock.Wait(10));
  }
  object->Release();
}

// An object with a monitor of its own does not use the cache.
class OwnMonitorProbe : public thread::KNMonitorT<CountedProbe> {
 public:
  explicit OwnMonitorProbe(int* destroyed) : KNMonitorT(destroyed) {}
};

TEST(MonitorTest, OwnMonitorIsRecursiveAndStable) {
  int destroyed = 0;
  OwnMonitorProbe* object = new OwnMonitorProbe(&destroyed);
  thread::IKNMonitor* first = object->Lock();
  thread::IKNMonitor* second = object->Lock();
  EXPECT_EQ(first, second);
  EXPECT_EQ(2, first->LockDepth());
  second->Unlock();
  first->Unlock();
  EXPECT_EQ(0, first->LockDepth());
  EXPECT_EQ(first, object->Lock());
  first->Unlock();
  object->Release();
  EXPECT_EQ(1, destroyed);
}

}  // namespace
}  // namespace knfoundation
