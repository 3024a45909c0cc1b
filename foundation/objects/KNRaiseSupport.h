// Throwing an exception built from a message that the raiser owns: the
// message is released while the stack unwinds, after the exception has taken
// its own copy.
#pragma once

#include <utility>

#include "foundation/objects/IKNType.h"
#include "foundation/text/IKNString.h"

namespace knfoundation {
namespace impl {

// Releases an owned reference when the scope ends.
class KNOwnedReference {
 public:
  explicit KNOwnedReference(IKNType* object) : object_(object) {}
  ~KNOwnedReference() { KNRelease(object_); }
  KNOwnedReference(const KNOwnedReference&) = delete;
  KNOwnedReference& operator=(const KNOwnedReference&) = delete;

 private:
  IKNType* object_;
};

// Throws `E(message, extra...)` and releases the owned `message`.
template <class E, class... Extra>
[[noreturn]] void KNThrowOwned(data::IKNString* message, Extra&&... extra) {
  KNOwnedReference owner(static_cast<IKNType*>(message));
  throw E(message, std::forward<Extra>(extra)...);
}

}  // namespace impl
}  // namespace knfoundation
