// Heap primitives for single-block objects, on the runtime heap.
#include "foundation/objects/KNHeap.h"

#include <cstdlib>

#include "foundation/objects/KNException.h"

namespace knfoundation {
namespace impl {

void* KNHeapAllocate(size_t size) {
  void* block = std::calloc(1, size);
  if (!block && size > 0)
    base::KNRaiseOutOfMemory();
  return block;
}

void* KNHeapReallocate(void* block, size_t size) {
  if (size == 0) {
    std::free(block);
    return nullptr;
  }
  void* resized = std::realloc(block, size);
  if (!resized)
    base::KNRaiseOutOfMemory();
  return resized;
}

void KNHeapFree(void* block) {
  std::free(block);
}

}  // namespace impl
}  // namespace knfoundation
