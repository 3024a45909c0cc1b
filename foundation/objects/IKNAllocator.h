// Allocators: the way blocks that objects own are obtained and given back.
//
// Four process-wide shared allocators; each accessor lends its instance, which
// lives until exit. All are stateless besides their count and safe on any
// thread.
#pragma once

#include <cstddef>

#include "foundation/objects/IKNType.h"

namespace knfoundation {
namespace base {

class IKNAllocator : public IKNType {
 public:
  // A zero-filled block; `KNOutOfMemory` when none can be had for size > 0.
  virtual void* Allocate(size_t size) = 0;
  // Gives back a block obtained from this allocator.
  virtual void Free(void* block) = 0;
  // Resizes a block and returns its new address.
  virtual void* Reallocate(void* block, size_t size) = 0;
};

// Runtime heap (calloc/free/realloc).
IKNAllocator* MallocAllocator();
// 16-byte-aligned blocks from the runtime's aligned allocator.
IKNAllocator* WinSIMDAllocator();

// `size` bytes from `allocator` that stay valid until the current autorelease
// pool is disposed (a `DataWrapper` owns them meanwhile). Null allocator:
// `KNNullPtr`.
void* AllocAutoReleased(size_t size, IKNAllocator* allocator);

}  // namespace base

namespace win32 {
// The operating system's local heap (LocalAlloc/LocalFree/LocalReAlloc).
base::IKNAllocator* LocalAllocatorInstance();
}  // namespace win32

namespace kenning {
// Frees COM strings (SysFreeString); refuses Allocate and Reallocate.
base::IKNAllocator* SysStrAllocator();
}  // namespace kenning

}  // namespace knfoundation
