// The registry through which every process-wide object is created once and
// kept until process exit.
//
// Thread rules: serialised by the registry's critical section; creation
// functions run inside it and must not ask for the instance they create.
#pragma once

#include "foundation/objects/IKNType.h"

namespace knfoundation {
namespace base {

// Returns the object in `*slot`, creating it first with `create` (count 1)
// when the slot is empty. The registry keeps the only reference; the result is
// lent to the caller.
IKNType* SharedInstance(IKNType* (*create)(), IKNType** slot);

// Typed form: `T* SharedInstanceOf<T>(&CreateT, &slotOfT)`.
template <class T>
inline T* SharedInstanceOf(T* (*create)(), T** slot) {
  return static_cast<T*>(
      SharedInstance(reinterpret_cast<IKNType* (*)()>(create), reinterpret_cast<IKNType**>(slot)));
}

}  // namespace base
}  // namespace knfoundation
