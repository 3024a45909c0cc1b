// Mixin for objects whose elements live in the object's own allocation: one
// zero-filled runtime heap block holds the fields of `T` followed by its
// elements of type `E`, starting at the first multiple of the alignment after
// the fields (never less than the element's own alignment).
#pragma once

#include <cstddef>
#include <cstdint>
#include <new>
#include <utility>

#include "foundation/objects/KNException.h"
#include "foundation/objects/KNHeap.h"

namespace knfoundation {
namespace impl {

template <class T, class E, size_t A>
class KNDirectStorage {
 public:
  static constexpr size_t kAlignment = A > alignof(E) ? A : alignof(E);
  static constexpr size_t kElementOffset = (sizeof(T) + kAlignment - 1) / kAlignment * kAlignment;

 protected:
  // Allocates one zero-filled block with room for `count` elements plus
  // `extra` spare elements and constructs `T` in it with `args`. A block too
  // large for the address space raises `KNOutOfMemory`.
  template <class... Args>
  static T* CreateInBlock(size_t count, size_t extra, Args&&... args) {
    const size_t most = (SIZE_MAX - kElementOffset) / sizeof(E);
    if (count > most || extra > most - count)
      base::KNRaiseOutOfMemory();
    void* block = KNHeapAllocate(kElementOffset + (count + extra) * sizeof(E));
    return new (block) T(std::forward<Args>(args)...);
  }

  // Destroys `T` and frees its block.
  static void DestroyBlock(T* object) {
    object->~T();
    KNHeapFree(object);
  }

  E* Elements() {
    return reinterpret_cast<E*>(reinterpret_cast<char*>(static_cast<T*>(this)) + kElementOffset);
  }
};

}  // namespace impl
}  // namespace knfoundation
