// Mixin that gives an object a monitor of its own instead of one from the
// shared cache: created with the object, deleted with it; `Lock` enters it
// and returns it.
#pragma once

#include <utility>

#include "foundation/system/IKNMonitor.h"

namespace knfoundation {
namespace thread {

template <class T>
class KNMonitorT : public T {
 public:
  // The object's own monitor, entered one more level; leave with `Unlock`.
  IKNMonitor* Lock() override {
    monitor_->Enter();
    return monitor_;
  }

  ~KNMonitorT() { delete monitor_; }

 protected:
  template <class... Args>
  explicit KNMonitorT(Args&&... args)
      : T(std::forward<Args>(args)...), monitor_(new PlainMonitor()) {}

 private:
  PlainMonitor* monitor_;
};

}  // namespace thread
}  // namespace knfoundation
