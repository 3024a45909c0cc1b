// Helpers of the system tests: running code on a real OS thread (CreateThread,
// so the foundation never sees it start), a counted probe object, and the
// message text of a foundation exception.
#pragma once

#include <functional>
#include <string>

#include "foundation/objects/IKNType.h"
#include "foundation/objects/KNException.h"

namespace knfoundation {
namespace testing {

// Runs `body` on a new OS thread inside no pool and waits until the thread
// has ended (its thread-end callback included). Returns the message of a
// foundation exception that escaped `body`, or "" when none did.
std::string RunOnThread(const std::function<void()>& body);

// A thread running `body` that is started at once and joined on destruction.
class WorkerThread {
 public:
  explicit WorkerThread(std::function<void()> body);
  ~WorkerThread();
  WorkerThread(const WorkerThread&) = delete;
  WorkerThread& operator=(const WorkerThread&) = delete;
  // Waits until the thread has ended.
  void Join();
  // The message of a foundation exception that escaped `body`, after Join.
  const std::string& Failure() const { return failure_; }

 private:
  static unsigned long __stdcall Main(void* self);
  std::function<void()> body_;
  std::string failure_;
  void* handle_;
};

// Counted object that adds 1 to `*destroyed` when it is destroyed.
class CountedProbe : public util::KNRefCountT<IKNType> {
 public:
  explicit CountedProbe(int* destroyed) : destroyed_(destroyed) {}
  ~CountedProbe() override { ++*destroyed_; }

 private:
  int* destroyed_;
};

// The UTF-8 message of `exception` ("" for null).
std::string MessageOf(const base::IKNException& exception);

}  // namespace testing
}  // namespace knfoundation
