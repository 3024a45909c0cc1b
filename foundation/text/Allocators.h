// The four shared allocators behind `IKNAllocator`. Each is one process-wide
// instance reached through its accessor in IKNAllocator.h; all keep no state
// besides their count and serve every thread at once.
#pragma once

#include "foundation/objects/IKNAllocator.h"

namespace knfoundation {
namespace base {

// The runtime heap: calloc, free, realloc. Counted directly.
class Malloc final : public IKNAllocator {
 public:
  static Malloc* Create() { return new Malloc(); }

  int32_t RetainCount() override;
  IKNType* Retain() override;
  void Release() override;
  void* Allocate(size_t size) override;
  void Free(void* block) override;
  // Size 0 frees a non-null block and returns null.
  void* Reallocate(void* block, size_t size) override;

 private:
  Malloc() = default;
  ~Malloc() = default;
  util::KNDirectCount count_;
};

// 16-byte-aligned blocks from the runtime's aligned allocator; `Reallocate`
// does not zero-fill the added part.
class WinSIMDAlloc final : public util::KNRefCountT<IKNAllocator> {
 public:
  static WinSIMDAlloc* Create() { return new WinSIMDAlloc(); }

  void* Allocate(size_t size) override;
  void Free(void* block) override;
  void* Reallocate(void* block, size_t size) override;
};

}  // namespace base

namespace win32 {

// The operating system's local heap. `Reallocate` never moves a block: it
// grows or shrinks it in place or fails with `KNOutOfMemory`.
class LocalAllocator final : public util::KNRefCountT<base::IKNAllocator> {
 public:
  static LocalAllocator* Create() { return new LocalAllocator(); }

  void* Allocate(size_t size) override;
  void Free(void* block) override;
  void* Reallocate(void* block, size_t size) override;
};

}  // namespace win32

namespace kenning {

// Frees COM strings (BSTR); `Allocate` and `Reallocate` throw
// `KNUnsupportedOperation` naming themselves.
class SysStrAlloc final : public util::KNRefCountT<base::IKNAllocator> {
 public:
  static SysStrAlloc* Create() { return new SysStrAlloc(); }

  void* Allocate(size_t size) override;
  void Free(void* block) override;
  void* Reallocate(void* block, size_t size) override;
};

}  // namespace kenning
}  // namespace knfoundation
