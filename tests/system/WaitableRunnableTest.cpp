// The waitable runnable: run on another thread while one waits, run once
// only, the deadlock guard, and a target that raises.
#include "foundation/system/Win32.h"

#include <functional>

#include "foundation/objects/IKNAutoReleasePool.h"
#include "foundation/system/IKNThread.h"
#include "foundation/system/WaitableRunnable.h"
#include "tests/system/SystemTestSupport.h"
#include <gtest/gtest.h>

namespace knfoundation {
namespace {

using testing::MessageOf;
using thread::WaitableRunnable;

// A counted runnable that calls `body`.
class Task : public util::KNRefCountT<thread::IKNRunnable> {
 public:
  explicit Task(std::function<void()> body) : body_(std::move(body)) {}
  void Run() override { body_(); }

 private:
  std::function<void()> body_;
};

TEST(WaitableRunnableTest, RunsOnAnotherThreadWhileTheCallerWaits) {
  base::KNAutoReleaseScope pool;
  HANDLE release = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
  thread::IKNThread* ranOn = nullptr;
  int runs = 0;
  Task* task = new Task([&] {
    ::WaitForSingleObject(release, INFINITE);
    ranOn = thread::CurrentThread();
    ++runs;
  });
  WaitableRunnable* runnable = WaitableRunnable::Create(task);
  task->Release();  // the runnable keeps its own reference
  runnable->Retain();
  testing::WorkerThread worker([&] { runnable->Run(); });
  ::SetEvent(release);
  runnable->WaitUntilDone();
  EXPECT_EQ(1, runs);
  EXPECT_NE(nullptr, ranOn);
  EXPECT_NE(thread::CurrentThread(), ranOn);
  worker.Join();
  EXPECT_EQ("", worker.Failure());
  runnable->WaitUntilDone();  // done stays done
  runnable->Release();
  ::CloseHandle(release);
}

TEST(WaitableRunnableTest, RunsOnlyOnce) {
  base::KNAutoReleaseScope pool;
  int runs = 0;
  Task* task = new Task([&] { ++runs; });
  WaitableRunnable* runnable = WaitableRunnable::Create(task);
  task->Release();
  runnable->Run();
  try {
    runnable->Run();
    FAIL() << "second run";
  } catch (const base::KNIllegalState& error) {
    EXPECT_EQ("Already Running", MessageOf(error));
  }
  EXPECT_EQ(1, runs);
}

TEST(WaitableRunnableTest, WaitingOnTheRunningThreadIsRefused) {
  base::KNAutoReleaseScope pool;
  WaitableRunnable* runnable = nullptr;
  std::string message;
  std::string nested;
  Task* task = new Task([&] {
    try {
      runnable->WaitUntilDone();
    } catch (const base::KNIllegalState& error) {
      message = MessageOf(error);
    }
    try {
      runnable->Run();
    } catch (const base::KNIllegalState& error) {
      nested = MessageOf(error);
    }
  });
  runnable = WaitableRunnable::Create(task);
  task->Release();
  runnable->Run();
  EXPECT_EQ("Deadlock prevented", message);
  EXPECT_EQ("Already Running", nested);  // a run while running is refused too
}

TEST(WaitableRunnableTest, RaisingTargetStillCompletes) {
  base::KNAutoReleaseScope pool;
  Task* task = new Task([] { base::KNRaiseIllegalArgument("target failed"); });
  WaitableRunnable* runnable = WaitableRunnable::Create(task);
  task->Release();
  try {
    runnable->Run();
    FAIL() << "the target's exception was lost";
  } catch (const base::KNIllegalArgument& error) {
    EXPECT_EQ("target failed", MessageOf(error));
  }
  runnable->WaitUntilDone();  // returns: the runnable is done
  EXPECT_THROW(runnable->Run(), base::KNIllegalState);
}

TEST(WaitableRunnableTest, NullTargetIsRefused) {
  EXPECT_THROW(WaitableRunnable::Create(nullptr), base::KNNullPtr);
}

}  // namespace
}  // namespace knfoundation
