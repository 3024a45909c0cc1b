// The process-wide default log and the three global logging functions.
//
// The holder and its lock are made during static initialisation (before any
// other foundation static that may log) and torn down at exit, releasing the
// log.
#include <cstdarg>
#include <mutex>

#include "foundation/objects/KNStartupOrder.h"
#include "foundation/objects/SharedInstance.h"
#include "foundation/system/IKNLog.h"
#include "foundation/system/StdErrLog.h"

namespace knfoundation {
namespace util {
namespace {

StdErrLog* gSharedStdErrLog = nullptr;

class DefaultLogHolder {
 public:
  DefaultLogHolder() = default;
  ~DefaultLogHolder() {
    std::lock_guard<std::mutex> guard(lock_);
    IKNLog* log = log_;
    log_ = nullptr;
    finished_ = true;
    if (log)
      log->Release();
  }

  IKNLog* Get() {
    std::lock_guard<std::mutex> guard(lock_);
    if (!log_) {
      if (finished_) {
        // Logging from a static destructor that runs after this holder's:
        // a log of its own, kept until the process ends.
        static IKNLog* late = StdErrLog::Create();
        return late;
      }
      log_ = KNRetain(base::SharedInstanceOf<StdErrLog>(&StdErrLog::Create, &gSharedStdErrLog));
    }
    return log_;
  }

 private:
  std::mutex lock_;
  IKNLog* log_ = nullptr;
  bool finished_ = false;
};

DefaultLogHolder gDefaultLog KN_STARTUP(kKNStartupLog);

}  // namespace

IKNLog* DefaultLog() {
  return gDefaultLog.Get();
}

void LogAtLevel(int32_t level, const char* format, ...) {
  va_list arguments;
  va_start(arguments, format);
  try {
    DefaultLog()->LogV(level, format, arguments);
  } catch (...) {
    va_end(arguments);
    throw;
  }
  va_end(arguments);
}

void LogError(const char* format, ...) {
  va_list arguments;
  va_start(arguments, format);
  try {
    DefaultLog()->LogV(kLogLevelError, format, arguments);
  } catch (...) {
    va_end(arguments);
    throw;
  }
  va_end(arguments);
}

void LogDebug(const char* format, ...) {
  va_list arguments;
  va_start(arguments, format);
  try {
    DefaultLog()->LogV(kLogLevelDebug, format, arguments);
  } catch (...) {
    va_end(arguments);
    throw;
  }
  va_end(arguments);
}

}  // namespace util
}  // namespace knfoundation
