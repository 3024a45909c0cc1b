// Thread helpers and message access for the system tests.
#include "tests/system/SystemTestSupport.h"

#include "foundation/system/Win32.h"

#include "foundation/objects/IKNAutoReleasePool.h"
#include "foundation/text/IKNString.h"

namespace knfoundation {
namespace testing {

std::string MessageOf(const base::IKNException& exception) {
  data::IKNString* message = exception.GetMessage();
  if (!message)
    return "";
  base::KNAutoReleaseScope pool;
  return message->UTF8String();
}

WorkerThread::WorkerThread(std::function<void()> body) : body_(std::move(body)) {
  handle_ = ::CreateThread(nullptr, 0, &WorkerThread::Main, this, 0, nullptr);
}

WorkerThread::~WorkerThread() {
  Join();
}

void WorkerThread::Join() {
  if (!handle_)
    return;
  ::WaitForSingleObject(handle_, INFINITE);
  ::CloseHandle(handle_);
  handle_ = nullptr;
}

unsigned long __stdcall WorkerThread::Main(void* self) {
  WorkerThread* worker = static_cast<WorkerThread*>(self);
  try {
    worker->body_();
  } catch (const base::IKNException& exception) {
    worker->failure_ = "exception: " + MessageOf(exception);
  } catch (...) {
    worker->failure_ = "unknown exception";
  }
  return 0;
}

std::string RunOnThread(const std::function<void()>& body) {
  WorkerThread worker(body);
  worker.Join();
  return worker.Failure();
}

}  // namespace testing
}  // namespace knfoundation
