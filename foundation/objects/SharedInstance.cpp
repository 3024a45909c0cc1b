// The shared-instance registry: creates each process-wide object once and
// keeps the only reference to it until process exit.
//
// The registry is the first of the foundation's start-up objects, so it is
// torn down last: every other static teardown may still use shared objects.
#include "foundation/objects/SharedInstance.h"

#include <mutex>
#include <vector>

#include "foundation/objects/KNStartupOrder.h"
#include "foundation/values/IKNList.h"

namespace knfoundation {
namespace base {

namespace {

class Registry {
 public:
  Registry() = default;
  // Process exit: empties every slot, so that a request made after this point
  // builds a fresh object, then releases the registry list and with it every
  // shared object, oldest first.
  ~Registry() {
    std::lock_guard<std::recursive_mutex> guard(lock_);
    data::IKNMutableList* list = list_;
    list_ = nullptr;
    for (IKNType** slot : slots_)
      *slot = nullptr;
    slots_.clear();
    KNRelease(list);
  }

  IKNType* Get(IKNType* (*create)(), IKNType** slot) {
    std::lock_guard<std::recursive_mutex> guard(lock_);
    if (!*slot) {
      if (!list_)
        list_ = data::KNNewMutableList(0);
      slots_.reserve(slots_.size() + 1);
      IKNType* object = create();
      try {
        list_->Add(object);
      } catch (...) {
        object->Release();
        throw;
      }
      // The registry list now holds the only reference.
      object->Release();
      *slot = object;
      slots_.push_back(slot);
    }
    return *slot;
  }

 private:
  // Recursive: a creation function may ask for other shared objects.
  std::recursive_mutex lock_;
  // The registry list: every shared object in order of creation, one
  // reference each; created on first use.
  data::IKNMutableList* list_ = nullptr;
  // The slots that name them.
  std::vector<IKNType**> slots_;
};

Registry gRegistry KN_STARTUP(kKNStartupRegistry);

}  // namespace

IKNType* SharedInstance(IKNType* (*create)(), IKNType** slot) {
  return gRegistry.Get(create, slot);
}

}  // namespace base
}  // namespace knfoundation
