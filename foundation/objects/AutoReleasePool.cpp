// Autorelease pools: deferred release of temporaries, per thread.
#include "foundation/objects/AutoReleasePool.h"

#include "foundation/objects/ClassName.h"
#include "foundation/objects/IKNType.h"
#include "foundation/objects/KNHeap.h"
#include "foundation/system/IKNLog.h"
#include "foundation/text/IKNString.h"

namespace knfoundation {
namespace base {

namespace {
thread::ThreadRecord* Record() {
  return thread::CurrentRecord();
}
}  // namespace

IKNAutoReleasePool* IKNAutoReleasePool::Create() {
  return new AutoReleasePool();
}

AutoReleasePool* AutoReleasePool::Current() {
  return static_cast<AutoReleasePool*>(Record()->autoreleasePools);
}

void AutoReleasePool::AddToCurrent(IKNType* object) {
  if (!object)
    return;
  if (AutoReleasePool* pool = Current()) {
    pool->Add(object);
    return;
  }
  util::LogAtLevel(
      util::kLogLevelError,
      "*** IKNAutoReleasePool: Object %p of class %@ autoreleased with no pool in place "
      "- just leaking",
      static_cast<void*>(object), static_cast<IKNType*>(ClassName(object)));
}

AutoReleasePool::AutoReleasePool() : current_(&first_) {
  first_.older = nullptr;
  thread::ThreadRecord* record = Record();
  previous_ = static_cast<AutoReleasePool*>(record->autoreleasePools);
  record->autoreleasePools = this;
}

uint32_t AutoReleasePool::Count() {
  return total_;
}

int32_t AutoReleasePool::ChunkCount() const {
  int32_t count = 0;
  for (const Chunk* chunk = current_; chunk; chunk = chunk->older)
    ++count;
  return count;
}

void AutoReleasePool::Add(IKNType* object) {
  if (!current_) {
    object->Release();
    return;
  }
  if (fill_ == kChunkSlots) {
    Chunk* chunk = static_cast<Chunk*>(impl::KNHeapAllocate(sizeof(Chunk)));
    chunk->older = current_;
    current_ = chunk;
    fill_ = 0;
  }
  current_->slots[fill_++] = object;
  ++total_;
}

void AutoReleasePool::Dump() {
  util::LogDebug("<AutoReleasePool %#p> { count = %u, values = (", static_cast<void*>(this),
                 total_);
  uint32_t index = 0;
  int32_t filled = fill_;
  for (const Chunk* chunk = current_; chunk; chunk = chunk->older) {
    for (int32_t i = 0; i < filled; ++i)
      util::LogDebug("\t%u : %@\n", index++, chunk->slots[i]);
    filled = kChunkSlots;
  }
  util::LogDebug(") }");
}

void AutoReleasePool::Dispose() {
  Chunk* chunk = current_;
  int32_t filled = fill_;
  // From here on, objects autoreleased into this pool (also by destructors
  // run below) are released at once.
  current_ = nullptr;

  // Pools nested inside this one go first, innermost first. A pool disposed
  // on a thread that does not hold it leaves that thread's pools alone.
  thread::ThreadRecord* record = Record();
  bool held = false;
  for (AutoReleasePool* pool = Current(); pool; pool = pool->previous_)
    held = held || pool == this;
  while (held && record->autoreleasePools != this)
    static_cast<AutoReleasePool*>(record->autoreleasePools)->Dispose();

  while (chunk) {
    for (int32_t i = 0; i < filled; ++i) {
      --total_;
      chunk->slots[i]->Release();
    }
    Chunk* older = chunk->older;
    if (chunk != &first_)
      impl::KNHeapFree(chunk);
    chunk = older;
    filled = kChunkSlots;
  }

  if (held)
    record->autoreleasePools = previous_;
  delete this;
}

void AutoReleasePool::ThreadDetach() {
  Dispose();
  thread::ThreadRecord* record = Record();
  while (record->autoreleasePools)
    static_cast<AutoReleasePool*>(record->autoreleasePools)->Dispose();
}

}  // namespace base
}  // namespace knfoundation
