// The allocators over operating-system memory: the local heap
// (`LocalAllocator`) and COM strings (`SysStrAlloc`).
#include "foundation/objects/KNException.h"
#include "foundation/objects/SharedInstance.h"
#include "foundation/system/Win32Calls.h"
#include "foundation/text/Allocators.h"

namespace knfoundation {
namespace win32 {

void* LocalAllocator::Allocate(size_t size) {
  return win32::LocalAlloc(LMEM_ZEROINIT, size);
}

void LocalAllocator::Free(void* block) {
  win32::LocalFree(block);
}

void* LocalAllocator::Reallocate(void* block, size_t size) {
  if (!block)
    return Allocate(size);
  return win32::LocalReAlloc(block, size, LMEM_ZEROINIT);
}

namespace {
LocalAllocator* gLocalAllocator = nullptr;
}

base::IKNAllocator* LocalAllocatorInstance() {
  if (LocalAllocator* shared = __atomic_load_n(&gLocalAllocator, __ATOMIC_ACQUIRE))
    return shared;
  return base::SharedInstanceOf<LocalAllocator>(&LocalAllocator::Create, &gLocalAllocator);
}

}  // namespace win32

namespace kenning {

void* SysStrAlloc::Allocate(size_t) {
  base::KNRaiseUnsupportedOperation("knfoundation::kenning::SysStrAlloc::Allocate");
}

void SysStrAlloc::Free(void* block) {
  win32::SysFreeString(static_cast<wchar_t*>(block));
}

void* SysStrAlloc::Reallocate(void*, size_t) {
  base::KNRaiseUnsupportedOperation("knfoundation::kenning::SysStrAlloc::Reallocate");
}

namespace {
SysStrAlloc* gSysStrAlloc = nullptr;
}

base::IKNAllocator* SysStrAllocator() {
  if (SysStrAlloc* shared = __atomic_load_n(&gSysStrAlloc, __ATOMIC_ACQUIRE))
    return shared;
  return base::SharedInstanceOf<SysStrAlloc>(&SysStrAlloc::Create, &gSysStrAlloc);
}

}  // namespace kenning
}  // namespace knfoundation
