// The per-thread record: the static main record, heap records for other
// threads, and what the thread-end callback disposes.
#include "foundation/objects/IKNAutoReleasePool.h"
#include "foundation/system/IKNThread.h"
#include "foundation/system/ThreadRecord.h"
#include "tests/system/SystemTestSupport.h"
#include <gtest/gtest.h>

namespace knfoundation {
namespace {

using testing::CountedProbe;
using testing::RunOnThread;
using thread::CurrentRecord;
using thread::MainThreadRecord;
using thread::ThreadRecord;

TEST(ThreadRecordTest, MainThreadHasTheStaticRecordOthersTheirOwn) {
  EXPECT_EQ(CurrentRecord(), MainThreadRecord());
  EXPECT_TRUE(thread::IsMainThread());
  ThreadRecord* first = nullptr;
  ThreadRecord* second = nullptr;
  bool main = true;
  EXPECT_EQ("", RunOnThread([&] {
              first = CurrentRecord();
              second = CurrentRecord();
              main = thread::IsMainThread();
            }));
  EXPECT_NE(first, MainThreadRecord());
  EXPECT_EQ(first, second);
  EXPECT_FALSE(main);
}

// An object autoreleased on a thread that never disposes its pools is
// released when the thread ends, nested pools included.
TEST(ThreadRecordTest, ThreadEndDisposesPoolsLeftOpen) {
  int destroyed = 0;
  EXPECT_EQ("", RunOnThread([&] {
              base::IKNAutoReleasePool::Create();
              (new CountedProbe(&destroyed))->AutoRelease();
              base::IKNAutoReleasePool::Create();
              (new CountedProbe(&destroyed))->AutoRelease();
              (new CountedProbe(&destroyed))->AutoRelease();
            }));
  EXPECT_EQ(3, destroyed);
}

// The thread object the record owns loses the record's reference at thread
// end; an extra reference keeps it alive and still usable.
TEST(ThreadRecordTest, ThreadEndReleasesTheThreadObject) {
  thread::IKNThread* worker = nullptr;
  EXPECT_EQ("", RunOnThread([&] {
              worker = thread::CurrentThread();
              worker->Retain();
              EXPECT_EQ(2, worker->RetainCount());
            }));
  ASSERT_NE(nullptr, worker);
  EXPECT_EQ(1, worker->RetainCount());
  EXPECT_FALSE(worker->IsAlive());
  worker->Release();
}

// An entry whose ThreadDetach raises does not keep the pools from being
// disposed, and nothing escapes the callback.
struct ThrowingEntry : thread::TLS::Base {
  int detached = 0;
  void ThreadDetach() override {
    ++detached;
    base::KNRaiseIllegalState("detach failed");
  }
};

TEST(ThreadRecordTest, RaisingThreadEntryStillLetsPoolsGo) {
  ThrowingEntry entry;
  int destroyed = 0;
  EXPECT_EQ("", RunOnThread([&] {
              CurrentRecord()->currentThread = &entry;
              base::IKNAutoReleasePool::Create();
              (new CountedProbe(&destroyed))->AutoRelease();
            }));
  EXPECT_EQ(1, entry.detached);
  EXPECT_EQ(1, destroyed);
}

}  // namespace
}  // namespace knfoundation
