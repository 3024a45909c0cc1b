// Thread objects on real threads: names and numbering, one object per
// thread, priorities by the table, liveness and joins, names and dictionary.
#include "foundation/system/Win32.h"

#include <cmath>
#include <cstdlib>
#include <string>

#include "foundation/objects/IKNAutoReleasePool.h"
#include "foundation/system/IKNThread.h"
#include "foundation/text/IKNString.h"
#include "foundation/values/IKNMap.h"
#include "tests/system/SystemTestSupport.h"
#include <gtest/gtest.h>

namespace knfoundation {
namespace {

using testing::MessageOf;
using testing::RunOnThread;
using testing::WorkerThread;
using thread::CurrentThread;
using thread::IKNThread;

std::string NameOf(IKNThread* thread) {
  base::KNAutoReleaseScope pool;
  return thread->GetName()->UTF8String();
}

// The number in "KNThread-%d", or -1 when the name has another form.
int ThreadNumber(const std::string& name) {
  const std::string prefix = "KNThread-";
  if (name.compare(0, prefix.size(), prefix) != 0)
    return -1;
  return std::atoi(name.c_str() + prefix.size());
}

TEST(ThreadTest, MainIsMainAndOthersAreNumberedInOrderOfAsking) {
  EXPECT_EQ("Main", NameOf(CurrentThread()));
  EXPECT_EQ(CurrentThread(), CurrentThread());
  std::string first;
  std::string second;
  bool same = false;
  EXPECT_EQ("", RunOnThread([&] {
              IKNThread* thread = CurrentThread();
              same = thread == CurrentThread();
              first = NameOf(thread);
            }));
  EXPECT_EQ("", RunOnThread([&] { second = NameOf(CurrentThread()); }));
  EXPECT_TRUE(same);
  ASSERT_GT(ThreadNumber(first), 0) << first;
  EXPECT_EQ(ThreadNumber(first) + 1, ThreadNumber(second)) << second;
  EXPECT_EQ("Main", NameOf(CurrentThread()));
}

TEST(ThreadTest, PrioritiesFollowTheTable) {
  const struct {
    double priority;
    int os;  // the OS priority the table selects
  } cases[] = {
      {0.0, THREAD_PRIORITY_IDLE},
      {1.0 / 7, THREAD_PRIORITY_LOWEST},
      {2.0 / 7, THREAD_PRIORITY_BELOW_NORMAL},
      {3.0 / 7, THREAD_PRIORITY_NORMAL},
      {0.5, THREAD_PRIORITY_ABOVE_NORMAL},  // index 4, one step above normal
      {5.0 / 7, THREAD_PRIORITY_HIGHEST},
      {6.0 / 7, THREAD_PRIORITY_TIME_CRITICAL},
      {1.0, THREAD_PRIORITY_TIME_CRITICAL},
  };
  EXPECT_EQ("", RunOnThread([&] {
              IKNThread* thread = CurrentThread();
              EXPECT_DOUBLE_EQ(0.5, thread->GetPriority());  // a new thread is normal
              for (const auto& row : cases) {
                SCOPED_TRACE(row.priority);
                thread->SetPriority(row.priority);
                EXPECT_EQ(row.os, ::GetThreadPriority(::GetCurrentThread()));
              }
              ::SetThreadPriority(::GetCurrentThread(), THREAD_PRIORITY_LOWEST);
              EXPECT_DOUBLE_EQ(13.0 / 30, thread->GetPriority());
              ::SetThreadPriority(::GetCurrentThread(), THREAD_PRIORITY_NORMAL);
              thread->SetPriority(thread->GetPriority());  // the documented step up
              EXPECT_EQ(THREAD_PRIORITY_ABOVE_NORMAL, ::GetThreadPriority(::GetCurrentThread()));
            }));
}

TEST(ThreadTest, BadPrioritiesAreRefused) {
  const struct {
    double priority;
    const char* message;
  } cases[] = {
      {1.5, "Bad priority: 1.500000"},
      {-0.1, "Bad priority: -0.100000"},
      {NAN, nullptr},  // any text: only the class is fixed for NaN
  };
  EXPECT_EQ("", RunOnThread([&] {
              for (const auto& row : cases) {
                SCOPED_TRACE(row.priority);
                try {
                  CurrentThread()->SetPriority(row.priority);
                  ADD_FAILURE() << "no exception";
                } catch (const base::KNIllegalArgument& error) {
                  if (row.message) {
                    EXPECT_EQ(row.message, MessageOf(error));
                  }
                }
              }
              EXPECT_EQ(THREAD_PRIORITY_NORMAL, ::GetThreadPriority(::GetCurrentThread()));
            }));
}

TEST(ThreadTest, AliveUntilTheThreadEndsAndJoinsWaitForIt) {
  HANDLE go = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
  HANDLE ready = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
  IKNThread* worker = nullptr;
  WorkerThread thread([&] {
    worker = CurrentThread();
    worker->Retain();
    ::SetEvent(ready);
    ::WaitForSingleObject(go, INFINITE);
  });
  ::WaitForSingleObject(ready, INFINITE);
  EXPECT_TRUE(worker->IsAlive());
  EXPECT_EQ(static_cast<uint32_t>(WAIT_TIMEOUT), worker->JoinFor(0.0));
  EXPECT_EQ(static_cast<uint32_t>(WAIT_TIMEOUT), worker->JoinFor(0.01));
  EXPECT_EQ(static_cast<uint32_t>(WAIT_TIMEOUT), worker->JoinFor(-1.0));  // past: no wait
  ::SetEvent(go);
  EXPECT_EQ(WAIT_OBJECT_0, worker->Join());
  EXPECT_FALSE(worker->IsAlive());
  EXPECT_EQ(WAIT_OBJECT_0, worker->JoinFor(1.0));
  thread.Join();
  worker->Release();
  ::CloseHandle(go);
  ::CloseHandle(ready);
}

TEST(ThreadTest, NamesAreCopiesAndNullIsRefused) {
  EXPECT_EQ("", RunOnThread([&] {
              base::KNAutoReleaseScope pool;
              IKNThread* thread = CurrentThread();
              wchar_t units[] = L"worker";
              data::IKNString* name = data::KNStringWithCharsZ(units);
              thread->SetName(name);
              data::IKNString* got = thread->GetName();
              EXPECT_NE(nullptr, got);
              EXPECT_STREQ("worker", got->UTF8String());
              thread->SetName(got);  // its own name again
              EXPECT_STREQ("worker", thread->GetName()->UTF8String());
              EXPECT_THROW(thread->SetName(nullptr), base::KNNullPtr);
              EXPECT_EQ(nullptr, thread->GetAttachment());
            }));
}

TEST(ThreadTest, EachThreadHasItsOwnDictionary) {
  data::IKNMutableMap* mainDictionary = CurrentThread()->GetThreadDictionary();
  ASSERT_NE(nullptr, mainDictionary);
  EXPECT_EQ(mainDictionary, CurrentThread()->GetThreadDictionary());
  data::IKNMutableMap* other = nullptr;
  int32_t count = -1;
  EXPECT_EQ("", RunOnThread([&] {
              other = CurrentThread()->GetThreadDictionary();
              count = other->Count();
            }));
  EXPECT_NE(mainDictionary, other);
  EXPECT_EQ(0, count);
}

}  // namespace
}  // namespace knfoundation
