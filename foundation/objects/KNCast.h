// The guarded down-cast: null stays null, a foreign object throws `KNBadCast`
// "Cannot cast <%@> to <%@>". Neither retains nor releases.
#pragma once

#include <typeinfo>

#include "foundation/objects/IKNType.h"
#include "foundation/objects/KNException.h"

namespace knfoundation {

template <class T>
inline T* KNCast(IKNType* object) {
  if (!object)
    return nullptr;
  if (T* result = dynamic_cast<T*>(object))
    return result;
  base::KNRaiseBadCast(typeid(T), object);
}

}  // namespace knfoundation
