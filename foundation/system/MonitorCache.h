// The process-wide pool of monitors for objects without a monitor of their
// own, bound by address. Safe on any thread.
#pragma once

#include "foundation/system/IKNMonitor.h"

namespace knfoundation {
namespace thread {

class MonitorCache {
 public:
  // Enters the monitor bound to `key` (null is a key like any other), binding
  // a free one first; borrowed, left through its Unlock.
  static IKNMonitor* Acquire(const void* key);
};

}  // namespace thread
}  // namespace knfoundation
