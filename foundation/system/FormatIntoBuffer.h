// Bounded 8-bit formatting with the runtime's printf rules, for the
// formatter's numeric conversions and the number objects.
#pragma once

#include <cstdarg>
#include <cstddef>
#include <cstdint>

namespace knfoundation {
namespace system {

// Formats into `buffer` of `size` bytes, always zero-terminated when size > 0,
// cutting the text when it does not fit. Returns the characters written, or
// -1 when the text was cut (or `size` is 0, or the format could not be
// rendered). Raises nothing; any thread.
int32_t FormatIntoBuffer(char* buffer, size_t size, const char* format, ...)
    __attribute__((format(gnu_printf, 3, 4)));
int32_t FormatIntoBufferV(char* buffer, size_t size, const char* format, va_list arguments)
    __attribute__((format(gnu_printf, 3, 0)));

}  // namespace system
}  // namespace knfoundation
