// Heap primitives for single-block objects: zero-filled allocation, resize and
// free on the runtime heap. Failures for sizes above 0 throw `KNOutOfMemory`.
#pragma once

#include <cstddef>

namespace knfoundation {
namespace impl {

void* KNHeapAllocate(size_t size);
// A resize to 0 of a non-null block frees it and returns null.
void* KNHeapReallocate(void* block, size_t size);
void KNHeapFree(void* block);

}  // namespace impl
}  // namespace knfoundation
