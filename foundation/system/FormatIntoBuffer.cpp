// Bounded formatting over the runtime's vsnprintf.
#include "foundation/system/FormatIntoBuffer.h"

#include <cstdio>

namespace knfoundation {
namespace system {

int32_t FormatIntoBuffer(char* buffer, size_t size, const char* format, ...) {
  va_list arguments;
  va_start(arguments, format);
  int32_t written = FormatIntoBufferV(buffer, size, format, arguments);
  va_end(arguments);
  return written;
}

int32_t FormatIntoBufferV(char* buffer, size_t size, const char* format, va_list arguments) {
  if (!buffer || size == 0)
    return -1;
  if (!format) {
    buffer[0] = '\0';
    return -1;
  }
  int needed = vsnprintf(buffer, size, format, arguments);
  if (needed < 0) {
    buffer[0] = '\0';
    return -1;
  }
  if (static_cast<size_t>(needed) >= size) {
    buffer[size - 1] = '\0';
    return -1;
  }
  return needed;
}

}  // namespace system
}  // namespace knfoundation
