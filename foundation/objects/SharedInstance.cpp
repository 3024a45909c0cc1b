// The shared-instance registry: creates each process-wide object once and
// keeps the only reference to it until process exit.
//
// The registry is the first of the foundation's start-up objects, so it is
// torn down last: every other static teardown may still use shared objects.
#include "foundation/objects/SharedInstance.h"

#include <mutex>
#include <utility>
#include <vector>

#include "foundation/objects/KNStartupOrder.h"

namespace knfoundation {
namespace base {

namespace {

// The registry list: every shared object with the slot that names it, in
// order of creation. Holds one reference per object.
using Entries = std::vector<std::pair<IKNType**, IKNType*>>;

class Registry {
 public:
  Registry() = default;
  // Process exit: releases every shared object, oldest first, and empties its
  // slot, so that a request made after this point builds a fresh object.
  ~Registry() {
    std::lock_guard<std::recursive_mutex> guard(lock_);
    Entries* entries = entries_;
    entries_ = nullptr;
    if (!entries)
      return;
    for (auto& entry : *entries)
      *entry.first = nullptr;
    for (auto& entry : *entries)
      entry.second->Release();
    delete entries;
  }

  IKNType* Get(IKNType* (*create)(), IKNType** slot) {
    std::lock_guard<std::recursive_mutex> guard(lock_);
    if (!*slot) {
      if (!entries_)
        entries_ = new Entries();
      IKNType* object = create();
      entries_->reserve(entries_->size() + 1);
      *slot = object;
      entries_->emplace_back(slot, object);
    }
    return *slot;
  }

 private:
  // Recursive: a creation function may ask for other shared objects.
  std::recursive_mutex lock_;
  Entries* entries_ = nullptr;
};

Registry gRegistry KN_STARTUP(kKNStartupRegistry);

}  // namespace

IKNType* SharedInstance(IKNType* (*create)(), IKNType** slot) {
  return gRegistry.Get(create, slot);
}

}  // namespace base
}  // namespace knfoundation
