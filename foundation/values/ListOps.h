// What both list classes share: equality by elements in order, the hash (the
// count), the description, the iterator and the searches, all built on
// `Count`, `ValueAt` and the element array.
#pragma once

#include <cstdint>
#include <cstring>

#include "foundation/objects/KNException.h"
#include "foundation/values/IKNList.h"
#include "foundation/values/ListIter.h"

namespace knfoundation {
namespace impl {

// True for `self` itself or another `IKNList` with equal elements in order.
bool KNListIsEqual(data::IKNList* self, IKNType* other);
// "<%@ %#p> { count = %u, values = (\n", "\t%u : %@\n" per element, ") }";
// autoreleased.
data::IKNString* KNListDescription(data::IKNList* self);
// The first `IsEqual` match of `object` among `count` elements.
bool KNListContains(IKNType* const* items, int32_t count, IKNType* object);
bool KNListContainsAll(data::IKNList* self, data::IKNCollection* collection);
// Range check of (start, length) against `count`: a negative start reports
// itself, an end beyond `count` its end, a negative length itself.
void KNCheckRange(int32_t start, int32_t length, int32_t count);

// Mixin for a list class deriving from `I` that keeps its elements in one
// array reached through `Items()`.
template <class I, class Self>
class KNListOpsT : public I {
 public:
  bool IsEqual(IKNType* other) override { return KNListIsEqual(this, other); }
  uint32_t Hash() override { return static_cast<uint32_t>(this->Count()); }
  data::IKNString* Description() override { return KNListDescription(this); }
  data::IKNIterator* Iterator() override;
  void GetValues(IKNType** buffer) override { GetValuesInRange(buffer, 0, this->Count()); }
  bool Contains(IKNType* object) override {
    return KNListContains(static_cast<Self*>(this)->Items(), this->Count(), object);
  }
  bool ContainsAll(data::IKNCollection* collection) override {
    return KNListContainsAll(this, collection);
  }
  void GetValuesInRange(IKNType** buffer, int32_t start, int32_t length) override;
  IKNType* ValueAt(int32_t index) override;
};

template <class I, class Self>
data::IKNIterator* KNListOpsT<I, Self>::Iterator() {
  return KNAutoRelease(new data::ListIter(this));
}

template <class I, class Self>
void KNListOpsT<I, Self>::GetValuesInRange(IKNType** buffer, int32_t start, int32_t length) {
  KNCheckRange(start, length, this->Count());
  if (length == 0)
    return;
  if (!buffer)
    base::KNRaiseNullPtr();
  std::memcpy(buffer, static_cast<Self*>(this)->Items() + start, length * sizeof(IKNType*));
}

template <class I, class Self>
IKNType* KNListOpsT<I, Self>::ValueAt(int32_t index) {
  int32_t count = this->Count();
  if (index < 0 || index >= count)
    base::KNRaiseOutOfRange(index, count);
  return static_cast<Self*>(this)->Items()[index];
}

}  // namespace impl
}  // namespace knfoundation
