// The defaults of the root interface and the live-object count.
#include "foundation/objects/IKNType.h"

#include "foundation/objects/AutoReleasePool.h"
#include "foundation/objects/ClassName.h"
#include "foundation/system/MonitorCache.h"
#include "foundation/text/IKNString.h"
#include "foundation/text/KNFormat.h"

namespace knfoundation {

namespace {
#if KN_LIVE_OBJECT_COUNT
int32_t gLiveObjects = 0;
#endif
}  // namespace

IKNType::IKNType() {
#if KN_LIVE_OBJECT_COUNT
  __atomic_add_fetch(&gLiveObjects, 1, __ATOMIC_SEQ_CST);
#endif
}

IKNType::~IKNType() {
#if KN_LIVE_OBJECT_COUNT
  __atomic_sub_fetch(&gLiveObjects, 1, __ATOMIC_SEQ_CST);
#endif
}

IKNType* IKNType::AutoRelease() {
  base::AutoReleasePool::AddToCurrent(this);
  return this;
}

bool IKNType::IsEqual(IKNType* other) {
  return other == this;
}

uint32_t IKNType::Hash() {
  return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(this));
}

data::IKNString* IKNType::Description() {
  return KNFormatAutoReleased("<%@ %#p>", static_cast<IKNType*>(base::ClassName(this)),
                              static_cast<void*>(this));
}

thread::IKNMonitor* IKNType::Lock() {
  return thread::MonitorCache::Acquire(this);
}

namespace debug {
int32_t LiveObjectCount() {
#if KN_LIVE_OBJECT_COUNT
  return __atomic_load_n(&gLiveObjects, __ATOMIC_SEQ_CST);
#else
  return 0;
#endif
}
}  // namespace debug

}  // namespace knfoundation
