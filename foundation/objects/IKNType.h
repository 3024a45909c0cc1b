// The root of the object model: the eight operations every foundation object
// answers, copying, the interlocked counting mixin and the ownership rules.
//
// Ownership: a new object has count 1 and belongs to its creator. `Copy` and
// the `KNNew...` factories return owned references; accessors, lookups,
// descriptions and shared instances lend. `Retain`/`Release` are interlocked
// and may be called from any thread; `AutoRelease` targets the calling
// thread's innermost pool.
#pragma once

#include <cstddef>
#include <cstdint>

namespace knfoundation {

namespace data {
class IKNString;
}
namespace thread {
class IKNMonitor;
}

// Root interface. Objects free themselves in `Release`; there is no virtual
// destructor in this interface (classes counted by `KNRefCountT` add one).
class IKNType {
 public:
  virtual int32_t RetainCount() = 0;
  virtual IKNType* Retain() = 0;
  virtual void Release() = 0;
  // Hands one owned reference to the calling thread's innermost pool; logs a
  // leak warning at level 1 when the thread has no pool. Returns this.
  virtual IKNType* AutoRelease();
  // Identity by default.
  virtual bool IsEqual(IKNType* other);
  // The object's address (its low 32 bits) by default.
  virtual uint32_t Hash();
  // "<%@ %#p>" with the class name and the address, autoreleased, by default.
  virtual data::IKNString* Description();
  // The shared cache monitor bound to this object's address, already entered;
  // the caller leaves it with the monitor's `Unlock`.
  virtual thread::IKNMonitor* Lock();

  IKNType(const IKNType&) = delete;
  IKNType& operator=(const IKNType&) = delete;

 protected:
  IKNType();
  ~IKNType();
};

// The largest signed 32-bit value: what immortal objects report as count.
constexpr int32_t kKNImmortalCount = 2147483647;

namespace util {

// Adds `Copy` directly after the eight root operations.
class IKNCloning : public IKNType {
 public:
  // Owned immutable object with the same value; immutable objects return
  // themselves retained, mutable ones a new immutable snapshot.
  virtual IKNType* Copy() = 0;
};

// Interlocked reference count for an interface `T` derived from `IKNType`;
// `Release` to zero deletes through the virtual destructor that follows all
// of `T`'s operations.
template <class T>
class KNRefCountT : public T {
 public:
  int32_t RetainCount() override { return __atomic_load_n(&count_, __ATOMIC_SEQ_CST); }
  IKNType* Retain() override {
    __atomic_add_fetch(&count_, 1, __ATOMIC_SEQ_CST);
    return this;
  }
  void Release() override {
    if (__atomic_sub_fetch(&count_, 1, __ATOMIC_SEQ_CST) <= 0)
      delete this;
  }
  virtual ~KNRefCountT() = default;

 protected:
  KNRefCountT() = default;

 private:
  int32_t count_ = 1;
};

// Direct counting for classes that free themselves in their own way: the same
// field and rules as `KNRefCountT`, but `Release` returns true when the count
// reached zero or below and the caller must destroy the object.
class KNDirectCount {
 public:
  int32_t Get() const { return __atomic_load_n(&count_, __ATOMIC_SEQ_CST); }
  void Increment() { __atomic_add_fetch(&count_, 1, __ATOMIC_SEQ_CST); }
  bool Decrement() { return __atomic_sub_fetch(&count_, 1, __ATOMIC_SEQ_CST) <= 0; }

 private:
  int32_t count_ = 1;
};

}  // namespace util

// Typed conveniences over the root operations; null-safe.
template <class T>
inline T* KNRetain(T* object) {
  if (object)
    object->Retain();
  return object;
}
inline void KNRelease(IKNType* object) {
  if (object)
    object->Release();
}
template <class T>
inline T* KNAutoRelease(T* object) {
  if (object)
    object->AutoRelease();
  return object;
}

namespace debug {
// Number of foundation objects constructed and not yet destroyed. Counted only
// in builds with KN_LIVE_OBJECT_COUNT (the test builds); 0 otherwise.
int32_t LiveObjectCount();
}  // namespace debug

}  // namespace knfoundation
