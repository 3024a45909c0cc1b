// The immutable single-block list and the copy factory.
#include "foundation/values/List.h"

#include "foundation/objects/KNException.h"

namespace knfoundation {
namespace data {

List* List::CreateFrom(IKNCollection* source) {
  int32_t count = source->Count();
  List* list = CreateInBlock(count, 0, 0);
  IKNType** items = list->Items();
  try {
    source->GetValues(items);
    for (int32_t i = 0; i < count; ++i) {
      if (!items[i])
        base::KNRaiseNullPtr();
    }
  } catch (...) {
    DestroyBlock(list);
    throw;
  }
  for (int32_t i = 0; i < count; ++i)
    items[i]->Retain();
  list->count_ = count;
  return list;
}

int32_t List::RetainCount() {
  return references_.Get();
}

IKNType* List::Retain() {
  references_.Increment();
  return this;
}

void List::Release() {
  if (!references_.Decrement())
    return;
  IKNType** items = Items();
  for (int32_t i = 0; i < count_; ++i)
    items[i]->Release();
  DestroyBlock(this);
}

IKNList* List::Copy() {
  Retain();
  return this;
}

int32_t List::Count() {
  return count_;
}

IKNList* KNNewListCopy(IKNCollection* source) {
  if (!source)
    base::KNRaiseNullPtr();
  return List::CreateFrom(source);
}

}  // namespace data
}  // namespace knfoundation
