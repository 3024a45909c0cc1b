// The list iterator.
#include "foundation/values/ListIter.h"

#include "foundation/objects/KNException.h"

namespace knfoundation {
namespace data {

ListIter::ListIter(IKNList* list) : list_(list), limit_(list->Count()) {}

int32_t ListIter::RetainCount() {
  return count_.Get();
}

IKNType* ListIter::Retain() {
  count_.Increment();
  return this;
}

void ListIter::Release() {
  if (count_.Decrement())
    delete this;
}

bool ListIter::HasNext() {
  return current_ != limit_;
}

IKNType* ListIter::Next() {
  if (current_ == limit_)
    base::KNRaiseIllegalState("current_ == limit_");
  IKNType* value = list_->ValueAt(current_);
  current_ += step_;
  return value;
}

}  // namespace data
}  // namespace knfoundation
