// The level test and the formatting of log messages.
#include "foundation/system/AbstractLog.h"

#include "foundation/text/IKNMutableString.h"
#include "foundation/text/KNFormat.h"

namespace knfoundation {
namespace impl {

void AbstractLog::LogString(int32_t level, data::IKNString* message) {
  if (level <= GetLevel())
    Write(level, message);
}

void AbstractLog::LogV(int32_t level, const char* format, va_list arguments) {
  if (level > GetLevel())
    return;
  data::IKNMutableString* message = data::KNNewMutableString(0);
  try {
    AppendFormatV(message, format, arguments);
    LogString(level, message);
  } catch (...) {
    message->Release();
    throw;
  }
  message->Release();
}

void AbstractLog::LogF(int32_t level, const char* format, ...) {
  va_list arguments;
  va_start(arguments, format);
  try {
    LogV(level, format, arguments);
  } catch (...) {
    va_end(arguments);
    throw;
  }
  va_end(arguments);
}

}  // namespace impl
}  // namespace knfoundation
