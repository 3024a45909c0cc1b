// The runtime-heap allocators (`Malloc`, `WinSIMDAlloc`), the shared-instance
// accessors of all four, and scratch memory that lives until the current
// autorelease pool is disposed.
#include "foundation/text/Allocators.h"

#include <cstdlib>
#include <cstring>
#include <malloc.h>

#include "foundation/objects/KNException.h"
#include "foundation/objects/SharedInstance.h"
#include "foundation/values/IKNData.h"

namespace knfoundation {
namespace base {

int32_t Malloc::RetainCount() {
  return count_.Get();
}

IKNType* Malloc::Retain() {
  count_.Increment();
  return this;
}

void Malloc::Release() {
  if (count_.Decrement())
    delete this;
}

void* Malloc::Allocate(size_t size) {
  void* block = calloc(1, size);
  if (!block && size > 0)
    KNRaiseOutOfMemory();
  return block;
}

void Malloc::Free(void* block) {
  free(block);
}

void* Malloc::Reallocate(void* block, size_t size) {
  if (size == 0 && block) {
    free(block);
    return nullptr;
  }
  void* moved = realloc(block, size);
  if (!moved && size > 0)
    KNRaiseOutOfMemory();
  return moved;
}

void* WinSIMDAlloc::Allocate(size_t size) {
  void* block = _aligned_malloc(size, 16);
  if (!block) {
    if (size > 0)
      KNRaiseOutOfMemory();
    return nullptr;
  }
  memset(block, 0, size);
  return block;
}

void WinSIMDAlloc::Free(void* block) {
  _aligned_free(block);
}

void* WinSIMDAlloc::Reallocate(void* block, size_t size) {
  void* moved = _aligned_realloc(block, size, 16);
  if (!moved && size > 0)
    KNRaiseOutOfMemory();
  return moved;
}

namespace {

Malloc* gMalloc = nullptr;
WinSIMDAlloc* gWinSIMDAlloc = nullptr;

}  // namespace

IKNAllocator* MallocAllocator() {
  if (Malloc* shared = __atomic_load_n(&gMalloc, __ATOMIC_ACQUIRE))
    return shared;
  return SharedInstanceOf<Malloc>(&Malloc::Create, &gMalloc);
}

IKNAllocator* WinSIMDAllocator() {
  if (WinSIMDAlloc* shared = __atomic_load_n(&gWinSIMDAlloc, __ATOMIC_ACQUIRE))
    return shared;
  return SharedInstanceOf<WinSIMDAlloc>(&WinSIMDAlloc::Create, &gWinSIMDAlloc);
}

void* AllocAutoReleased(size_t size, IKNAllocator* allocator) {
  if (!allocator)
    KNRaiseNullPtr();
  void* block = allocator->Allocate(size);
  // A byte-buffer wrapper owns the block and gives it back through the
  // allocator when the pool releases it.
  data::IKNData* owner;
  try {
    int32_t length = size > INT32_MAX ? INT32_MAX : static_cast<int32_t>(size);
    owner = data::KNNewDataWrapper(block, length, allocator);
  } catch (...) {
    allocator->Free(block);
    throw;
  }
  owner->AutoRelease();
  return block;
}

}  // namespace base
}  // namespace knfoundation
