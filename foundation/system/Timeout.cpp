// Seconds to OS milliseconds.
#include "foundation/system/Timeout.h"

namespace knfoundation {
namespace system {

int32_t TimeoutToMilliseconds(double seconds) {
  long double milliseconds = static_cast<long double>(seconds) * 1000.0L;
  if (milliseconds > 2147483647.0L)
    return -1;
  if (!(milliseconds > 0.0L))
    return 0;
  return static_cast<int32_t>(milliseconds);
}

}  // namespace system
}  // namespace knfoundation
