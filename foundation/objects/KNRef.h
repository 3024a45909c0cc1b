// A small owner of one reference, for implementation code: keeps Retain and
// Release balanced also when an exception unwinds. Interfaces still pass plain
// pointers under the ownership rules; this is only a convenience.
#pragma once

#include <utility>

#include "foundation/objects/IKNType.h"

namespace knfoundation {

template <class T>
class KNRef {
 public:
  KNRef() = default;
  // Retains a lent object.
  explicit KNRef(T* object) : object_(KNRetain(object)) {}
  // Takes over a reference the caller already owns (a `KNNew...` result or a
  // `Copy`).
  static KNRef Adopt(T* owned) {
    KNRef ref;
    ref.object_ = owned;
    return ref;
  }

  KNRef(const KNRef& other) : object_(KNRetain(other.object_)) {}
  KNRef(KNRef&& other) noexcept : object_(other.object_) { other.object_ = nullptr; }
  KNRef& operator=(KNRef other) noexcept {
    std::swap(object_, other.object_);
    return *this;
  }
  ~KNRef() { KNRelease(object_); }

  T* Get() const { return object_; }
  T* operator->() const { return object_; }
  explicit operator bool() const { return object_ != nullptr; }
  // Gives up the reference to the caller, who now owns it.
  T* Leak() { return std::exchange(object_, nullptr); }

 private:
  T* object_ = nullptr;
};

}  // namespace knfoundation
