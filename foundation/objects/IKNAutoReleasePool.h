// Per-thread autorelease pools: deferred release of temporaries.
//
// A pool belongs to the thread that created it and takes no lock. Pools of a
// thread form a stack; `Create` pushes, `Dispose` drains and pops (disposing
// nested pools first). Not an `IKNType`.
#pragma once

#include <cstdint>

namespace knfoundation {
class IKNType;

namespace base {

class IKNAutoReleasePool {
 public:
  // A new pool that has become the calling thread's innermost pool. The
  // creator calls `Dispose` on the same thread.
  static IKNAutoReleasePool* Create();

  // Objects currently held in all chunks.
  virtual uint32_t Count() = 0;
  // Writes the pool's description to the default log at level 4.
  virtual void Dump() = 0;
  // Releases everything held (newest chunk first) and deletes the pool.
  virtual void Dispose() = 0;

 protected:
  ~IKNAutoReleasePool() = default;
};

// Scope guard: creates a pool and disposes it when the scope ends, also when
// an exception unwinds.
class KNAutoReleaseScope {
 public:
  KNAutoReleaseScope() : pool_(IKNAutoReleasePool::Create()) {}
  ~KNAutoReleaseScope() { pool_->Dispose(); }
  KNAutoReleaseScope(const KNAutoReleaseScope&) = delete;
  KNAutoReleaseScope& operator=(const KNAutoReleaseScope&) = delete;
  IKNAutoReleasePool* Pool() const { return pool_; }

 private:
  IKNAutoReleasePool* pool_;
};

}  // namespace base
}  // namespace knfoundation
