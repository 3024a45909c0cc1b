// The process-wide pool of monitors for objects without a monitor of their
// own, bound by address. Safe on any thread.
#pragma once

#include <cstdint>

#include "foundation/system/IKNMonitor.h"

namespace knfoundation {
namespace thread {

struct MonitorCacheSetUp;

class MonitorCache {
 public:
  // Enters the monitor bound to `key` (null is a key like any other), binding
  // a free one first; borrowed, left through its Unlock.
  static IKNMonitor* Acquire(const void* key);

  // What the pool holds at one moment, read under the cache's lock.
  struct Census {
    int32_t monitors;  // all monitors, free or bound
    int32_t bound;     // monitors with a use count above 0
  };
  static Census Count();

  // A pooled monitor: bound to `key` while its use count is above 0, free
  // (key null, use count 0) otherwise. The pool only grows.
  class Mon final : public IKNMonitor {
   public:
    Mon() = default;
    ~Mon() = default;
    // Under the cache's lock: one use less, and back to the pool at 0; then
    // leaves the monitor once.
    void Unlock() override;

   private:
    friend class MonitorCache;
    friend struct MonitorCacheSetUp;
    Mon* next_ = nullptr;
    int32_t useCount_ = 0;
    const void* key_ = nullptr;
  };
};

}  // namespace thread
}  // namespace knfoundation
