// The monitor cache: five free monitors at start-up, binding by address,
// return to the pool at use count 0, growth only for more keys held at once.
#include <vector>

#include "foundation/system/MonitorCache.h"
#include "tests/system/SystemTestSupport.h"
#include <gtest/gtest.h>

namespace knfoundation {
namespace {

using thread::IKNMonitor;
using thread::MonitorCache;
using thread::MonitorLock;

// Taken during static initialisation, after the cache's own set-up and
// before any test locks anything.
const MonitorCache::Census kAtStartUp = MonitorCache::Count();

TEST(MonitorCacheTest, StartsWithFiveFreeMonitors) {
  EXPECT_EQ(5, kAtStartUp.monitors);
  EXPECT_EQ(0, kAtStartUp.bound);
}

TEST(MonitorCacheTest, SameKeyTwiceIsOneMonitorFreedAfterTwoUnlocks) {
  int key = 0;
  const MonitorCache::Census before = MonitorCache::Count();
  IKNMonitor* first = MonitorCache::Acquire(&key);
  IKNMonitor* second = MonitorCache::Acquire(&key);
  EXPECT_EQ(first, second);
  EXPECT_EQ(2, first->LockDepth());
  EXPECT_EQ(before.bound + 1, MonitorCache::Count().bound);
  second->Unlock();
  EXPECT_EQ(before.bound + 1, MonitorCache::Count().bound);
  first->Unlock();
  EXPECT_EQ(before.bound, MonitorCache::Count().bound);
  EXPECT_EQ(before.monitors, MonitorCache::Count().monitors);
}

// Null is a key like any other: its users share one monitor, and a null-key
// monitor in use is never handed to another key as if it were free.
TEST(MonitorCacheTest, NullKeyUsersShareOneMonitor) {
  int other = 0;
  MonitorLock first(static_cast<const void*>(nullptr));
  MonitorLock second(static_cast<IKNType*>(nullptr));
  MonitorLock third(&other);
  EXPECT_EQ(first.Monitor(), second.Monitor());
  EXPECT_NE(first.Monitor(), third.Monitor());
  EXPECT_EQ(2, first.Monitor()->LockDepth());
}

// Objects locked through their default `Lock`: the pool grows by one monitor
// per object held beyond its size, and every monitor returns to it.
TEST(MonitorCacheTest, GrowsOnlyForMoreObjectsHeldAtOnce) {
  const MonitorCache::Census before = MonitorCache::Count();
  ASSERT_EQ(0, before.bound);
  const int pool = before.monitors;
  int destroyed = 0;
  std::vector<IKNType*> objects;
  for (int i = 0; i < pool + 2; ++i)
    objects.push_back(new testing::CountedProbe(&destroyed));
  std::vector<IKNMonitor*> held;
  for (int i = 0; i < pool; ++i)
    held.push_back(objects[i]->Lock());
  EXPECT_EQ(pool, MonitorCache::Count().monitors);  // the free ones were enough
  held.push_back(objects[pool]->Lock());
  held.push_back(objects[pool + 1]->Lock());
  EXPECT_EQ(pool + 2, MonitorCache::Count().monitors);  // one per extra object
  EXPECT_EQ(pool + 2, MonitorCache::Count().bound);
  for (size_t i = 1; i < held.size(); ++i)
    EXPECT_NE(held[0], held[i]);
  for (IKNMonitor* monitor : held)
    monitor->Unlock();
  EXPECT_EQ(0, MonitorCache::Count().bound);            // all back in the pool
  EXPECT_EQ(pool + 2, MonitorCache::Count().monitors);  // which never shrinks
  // Objects locked one after the other reuse the pool.
  for (IKNType* object : objects)
    object->Lock()->Unlock();
  EXPECT_EQ(pool + 2, MonitorCache::Count().monitors);
  for (IKNType* object : objects)
    object->Release();
  EXPECT_EQ(pool + 2, destroyed);
}

// Two threads each holding a different object use two monitors; the same
// object is excluded between them.
TEST(MonitorCacheTest, ObjectsLockedOnTwoThreads) {
  int a = 0;
  int b = 0;
  int counter = 0;
  MonitorLock mine(&a);
  IKNMonitor* theirs = nullptr;
  std::string failure = testing::RunOnThread([&] {
    MonitorLock lock(&b);
    theirs = lock.Monitor();
    EXPECT_EQ(2, MonitorCache::Count().bound);
  });
  EXPECT_EQ("", failure);
  EXPECT_NE(mine.Monitor(), theirs);
  {
    testing::WorkerThread one([&] {
      for (int i = 0; i < 2000; ++i) {
        MonitorLock lock(&b);
        int seen = counter;
        MonitorLock inner(&b);  // recursion inside the contended lock
        counter = seen + 1;
      }
    });
    for (int i = 0; i < 2000; ++i) {
      MonitorLock lock(&b);
      int seen = counter;
      counter = seen + 1;
    }
  }
  EXPECT_EQ(4000, counter);
}

}  // namespace
}  // namespace knfoundation
