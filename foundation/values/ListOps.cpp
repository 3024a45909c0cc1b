// The operations both list classes share.
#include "foundation/values/ListOps.h"

#include "foundation/objects/ClassName.h"
#include "foundation/text/KNFormat.h"
#include "foundation/values/ValuesText.h"

namespace knfoundation {
namespace impl {

bool KNListIsEqual(data::IKNList* self, IKNType* other) {
  if (other == self)
    return true;
  data::IKNList* list = dynamic_cast<data::IKNList*>(other);
  if (!list)
    return false;
  int32_t count = self->Count();
  if (list->Count() != count)
    return false;
  for (int32_t i = 0; i < count; ++i) {
    if (!self->ValueAt(i)->IsEqual(list->ValueAt(i)))
      return false;
  }
  return true;
}

data::IKNString* KNListDescription(data::IKNList* self) {
  int32_t count = self->Count();
  KNDescriptionBuilder text;
  text.Append("<%@ %#p> { count = %u, values = (\n", base::ClassName(self),
              static_cast<void*>(self), static_cast<uint32_t>(count));
  for (int32_t i = 0; i < count; ++i)
    text.Append("\t%u : %@\n", static_cast<uint32_t>(i), self->ValueAt(i));
  text.Append(") }");
  return text.TakeAutoReleased();
}

bool KNListContains(IKNType* const* items, int32_t count, IKNType* object) {
  if (count == 0)
    return false;
  if (!object)
    base::KNRaiseNullPtr();
  for (int32_t i = 0; i < count; ++i) {
    if (object->IsEqual(items[i]))
      return true;
  }
  return false;
}

bool KNListContainsAll(data::IKNList* self, data::IKNCollection* collection) {
  if (!collection)
    base::KNRaiseNullPtr();
  data::IKNIterator* iterator = collection->Iterator();
  while (iterator->HasNext()) {
    if (!self->Contains(iterator->Next()))
      return false;
  }
  return true;
}

void KNCheckRange(int32_t start, int32_t length, int32_t count) {
  if (start < 0)
    base::KNRaiseOutOfRange(start, count);
  int64_t end = static_cast<int64_t>(start) + length;
  if (end > count)
    base::KNRaiseOutOfRange(end > INT32_MAX ? INT32_MAX : static_cast<int32_t>(end), count);
  if (length < 0)
    base::KNRaiseOutOfRange(length, count);
}

}  // namespace impl
}  // namespace knfoundation
