// Thread objects, `CurrentThread` and the priority mapping.
#include "foundation/system/Thread.h"

#include <cmath>

#include "foundation/objects/KNException.h"
#include "foundation/system/IKNMonitor.h"
#include "foundation/system/Timeout.h"
#include "foundation/system/Win32Calls.h"
#include "foundation/text/IKNString.h"
#include "foundation/text/KNFormat.h"
#include "foundation/values/IKNMap.h"

namespace knfoundation {
namespace thread {

namespace {

// SYNCHRONIZE | THREAD_QUERY_INFORMATION | THREAD_SET_INFORMATION.
constexpr DWORD kThreadAccess = 0x100060;

// OS priorities selected by floor(p × 7 + 0.5); 0.5 selects above normal.
constexpr int kPriorities[8] = {THREAD_PRIORITY_IDLE,          THREAD_PRIORITY_LOWEST,
                                THREAD_PRIORITY_BELOW_NORMAL,  THREAD_PRIORITY_NORMAL,
                                THREAD_PRIORITY_ABOVE_NORMAL,  THREAD_PRIORITY_HIGHEST,
                                THREAD_PRIORITY_TIME_CRITICAL, THREAD_PRIORITY_TIME_CRITICAL};

int32_t gThreadNumber = 0;

HANDLE DuplicateCurrentThread() {
  return win32::DuplicateHandle(::GetCurrentThread(), kThreadAccess, FALSE, 0);
}

}  // namespace

AbstractThread::AbstractThread(data::IKNString* name) : name_(name ? name->Copy() : nullptr) {
  CurrentRecord()->currentThread = this;
}

AbstractThread::~AbstractThread() {
  KNRelease(dictionary_);
  KNRelease(attachment_);
  KNRelease(name_);
}

data::IKNString* AbstractThread::GetName() {
  MonitorLock lock(this);
  return name_ ? KNAutoRelease(name_->Copy()) : nullptr;
}

void AbstractThread::SetName(data::IKNString* name) {
  if (!name)
    base::KNRaiseNullPtr();
  MonitorLock lock(this);
  if (name == name_)
    return;
  data::IKNString* copy = name->Copy();
  KNAutoRelease(name_);
  name_ = copy;
}

IKNType* AbstractThread::GetAttachment() {
  return attachment_;
}

data::IKNMutableMap* AbstractThread::GetThreadDictionary() {
  if (!dictionary_)
    dictionary_ = data::KNNewMutableMap(0);
  return dictionary_;
}

Thread::Thread(data::IKNString* name) : Thread(name, DuplicateCurrentThread()) {}

Thread::Thread(data::IKNString* name, HANDLE handle) : AbstractThread(name), handle_(handle) {}

Thread::~Thread() {
  ::CloseHandle(handle_);
}

int32_t Thread::RetainCount() {
  return count_.Get();
}

IKNType* Thread::Retain() {
  count_.Increment();
  return this;
}

void Thread::Release() {
  if (count_.Decrement())
    delete this;
}

bool Thread::IsAlive() {
  return win32::WaitForSingleObject(handle_, 0) == WAIT_TIMEOUT;
}

double Thread::GetPriority() {
  return (win32::GetThreadPriority(handle_) + 15) / 30.0;
}

void Thread::SetPriority(double priority) {
  if (!(priority >= 0.0 && priority <= 1.0))
    base::KNRaiseIllegalArgument("Bad priority: %f", priority);
  int index = static_cast<int>(std::floor(priority * 7 + 0.5));
  win32::SetThreadPriority(handle_, kPriorities[index]);
}

uint32_t Thread::Join() {
  return win32::WaitForSingleObject(handle_, INFINITE);
}

uint32_t Thread::JoinFor(double seconds) {
  return win32::WaitForSingleObject(handle_,
                                    static_cast<DWORD>(system::TimeoutToMilliseconds(seconds)));
}

void Thread::ThreadDetach() {
  Release();
}

IKNThread* CurrentThread() {
  ThreadRecord* record = CurrentRecord();
  if (record->currentThread)
    return static_cast<AbstractThread*>(record->currentThread);
  if (record == MainThreadRecord()) {
    // The record keeps one reference and the process the other: never freed.
    Thread* mainThread = new Thread(KN_LIT("Main"));
    mainThread->Retain();
    return mainThread;
  }
  int32_t number = __atomic_add_fetch(&gThreadNumber, 1, __ATOMIC_SEQ_CST);
  data::IKNString* name = KNFormat("KNThread-%d", number);
  Thread* thread;
  try {
    thread = new Thread(name);
  } catch (...) {
    name->Release();
    throw;
  }
  name->Release();
  return thread;
}

bool IsMainThread() {
  return CurrentRecord() == MainThreadRecord();
}

}  // namespace thread
}  // namespace knfoundation
