// Logging: one process-wide default log writing time-stamped UTF-8 lines to
// standard error. Any thread may log; each line is written whole.
#pragma once

#include <cstdarg>
#include <cstdint>

#include "foundation/objects/IKNType.h"

namespace knfoundation {
namespace data {
class IKNString;
}

namespace util {

constexpr int32_t kLogLevelError = 1;
constexpr int32_t kDefaultLogLevel = 3;
constexpr int32_t kLogLevelDebug = 4;

class IKNLog : public IKNType {
 public:
  virtual int32_t GetLevel() = 0;
  virtual void SetLevel(int32_t level) = 0;
  // Writes `message` unchanged when level <= threshold.
  virtual void LogString(int32_t level, data::IKNString* message) = 0;
  // Formats and writes when level <= threshold; nothing is formatted otherwise.
  virtual void LogV(int32_t level, const char* format, va_list arguments) = 0;
  virtual void LogF(int32_t level, const char* format, ...) = 0;
  // The sink: writes one message unconditionally.
  virtual void Write(int32_t level, data::IKNString* message) = 0;
};

// The default log, lent; created on first use, released at exit.
IKNLog* DefaultLog();
void LogAtLevel(int32_t level, const char* format, ...);
void LogError(const char* format, ...);
void LogDebug(const char* format, ...);

}  // namespace util
}  // namespace knfoundation
