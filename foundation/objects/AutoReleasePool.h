// The autorelease pool: a chain of 127-slot chunks, the first of them inside
// the pool object, linked into the owning thread's record.
//
// Thread rules: a pool is created, filled and disposed on one thread and takes
// no lock; the thread record's innermost-pool entry is the top of the stack.
#pragma once

#include <cstdint>

#include "foundation/objects/IKNAutoReleasePool.h"
#include "foundation/system/ThreadRecord.h"

namespace knfoundation {
namespace base {

class AutoReleasePool final : public IKNAutoReleasePool, public thread::TLS::Base {
 public:
  static constexpr int32_t kChunkSlots = 127;

  // Hands one owned reference of `object` to the calling thread's innermost
  // pool; without a pool logs the leak message at level 1 and keeps nothing.
  // Null is ignored.
  static void AddToCurrent(IKNType* object);
  // The calling thread's innermost pool, or null.
  static AutoReleasePool* Current();

  AutoReleasePool();

  uint32_t Count() override;
  void Dump() override;
  void Dispose() override;
  // Thread end: disposes this pool and any pool the thread still holds.
  void ThreadDetach() override;

  // Takes one reference of `object`; a draining pool releases it at once.
  void Add(IKNType* object);
  // Chunks in use, the inline first one included (1 until slot 128 is used).
  int32_t ChunkCount() const;

 private:
  struct Chunk {
    Chunk* older;
    IKNType* slots[kChunkSlots];
  };

  ~AutoReleasePool() = default;

  uint32_t total_ = 0;
  int32_t fill_ = 0;
  Chunk* current_;  // null while draining
  AutoReleasePool* previous_;
  Chunk first_;
};

}  // namespace base
}  // namespace knfoundation
