// Time-outs travel as seconds in a double and become OS milliseconds only at
// the OS call.
#pragma once

#include <cstdint>

namespace knfoundation {
namespace system {

// Seconds × 1000 in extended precision, truncated toward zero; -1 (the OS's
// INFINITE) when that exceeds 2147483647. A negative or NaN time-out is 0
// (do not wait): a time-out in the past never turns into an endless wait.
int32_t TimeoutToMilliseconds(double seconds);

}  // namespace system
}  // namespace knfoundation
