// The two map classes and the map factories.
#include "foundation/values/Map.h"

#include <cstdarg>

#include "foundation/objects/ClassName.h"
#include "foundation/objects/KNException.h"
#include "foundation/values/ValuesText.h"

namespace knfoundation {
namespace impl {

namespace {
void CheckNotNull(IKNType* object) {
  if (!object)
    base::KNRaiseNullPtr();
}

// Calls `visit(node)` for every node of `table` in iteration order.
template <class F>
void ForEachNode(HashMap* table, F visit) {
  int32_t index = 0;
  for (HashMap::Node* node = table->FirstFrom(&index); node; node = table->FirstFrom(&index)) {
    for (; node; node = node->next)
      visit(node);
    ++index;
  }
}
}  // namespace

template <class I>
bool KNMapOpsT<I>::IsEqual(IKNType* other) {
  if (other == this)
    return true;
  data::IKNMap* map = dynamic_cast<data::IKNMap*>(other);
  if (!map || map->Count() != table_.Count())
    return false;
  bool equal = true;
  ForEachNode(&table_, [&](HashMap::Node* node) {
    if (equal && !node->value->IsEqual(map->Get(node->key)))
      equal = false;
  });
  return equal;
}

template <class I>
data::IKNString* KNMapOpsT<I>::Description() {
  KNDescriptionBuilder text;
  text.Append("<%@ %#p> { count = %u, pairs = (\n", base::ClassName(this), static_cast<void*>(this),
              static_cast<uint32_t>(table_.Count()));
  ForEachNode(&table_,
              [&](HashMap::Node* node) { text.Append("\t%@ = %@\n", node->key, node->value); });
  text.Append(") }");
  return text.TakeAutoReleased();
}

template <class I>
IKNType* KNMapOpsT<I>::Get(IKNType* key) {
  CheckNotNull(key);
  HashMap::Node* node = table_.Find(key);
  return node ? node->value : nullptr;
}

template <class I>
bool KNMapOpsT<I>::ContainsValue(IKNType* value) {
  if (table_.Count() == 0)
    return false;
  CheckNotNull(value);
  bool found = false;
  ForEachNode(&table_, [&](HashMap::Node* node) {
    if (!found && value->IsEqual(node->value))
      found = true;
  });
  return found;
}

template <class I>
data::IKNMap::Iterator* KNMapOpsT<I>::Entries() {
  return KNAutoRelease(new HashMap::EntryIter(&table_));
}

template class KNMapOpsT<data::IKNMap>;
template class KNMapOpsT<data::IKNMutableMap>;

}  // namespace impl

namespace data {

namespace {
void CheckPair(IKNType* key, IKNType* value) {
  if (!key || !value)
    base::KNRaiseNullPtr();
}

// Adds the pairs of `source` to `map` in iteration order.
void AddAllPairs(Map* map, IKNMap* source) {
  impl::HashMap* table = map->Table();
  impl::HashMap* sourceTable = nullptr;
  if (Map* immutable = dynamic_cast<Map*>(source))
    sourceTable = immutable->Table();
  else if (MutableMap* mutableMap = dynamic_cast<MutableMap*>(source))
    sourceTable = mutableMap->Table();
  if (sourceTable) {
    impl::ForEachNode(sourceTable,
                      [&](impl::HashMap::Node* node) { table->Add(node->key, node->value); });
    return;
  }
  IKNMap::Iterator* entries = source->Entries();
  IKNMap::Entry entry;
  while (entries->HasNext()) {
    entries->Next(&entry);
    CheckPair(entry.key, entry.value);
    table->Add(entry.key, entry.value);
  }
}
}  // namespace

IKNMap* Map::Copy() {
  Retain();
  return this;
}

IKNMap* MutableMap::Copy() {
  return KNNewMapCopy(this);
}

IKNMutableMap* MutableMap::Add(IKNType* key, IKNType* value) {
  CheckPair(key, value);
  table_.Add(key, value);
  return this;
}

IKNMutableMap* MutableMap::Replace(IKNType* key, IKNType* value) {
  CheckPair(key, value);
  table_.Replace(key, value);
  return this;
}

IKNMutableMap* MutableMap::Set(IKNType* key, IKNType* value) {
  CheckPair(key, value);
  table_.Set(key, value);
  return this;
}

IKNMutableMap* MutableMap::Remove(IKNType* key) {
  impl::CheckNotNull(key);
  table_.Remove(key);
  return this;
}

IKNMutableMap* MutableMap::RemoveAll() {
  table_.RemoveAll();
  return this;
}

IKNMutableMap* KNNewMutableMap(int32_t capacity) {
  if (capacity < 0)
    base::KNRaiseIllegalArgument("maxCapacity < 0");
  return new MutableMap(capacity);
}

IKNMutableMap* KNMutableMapWithCapacity(int32_t capacity) {
  return KNAutoRelease(KNNewMutableMap(capacity));
}

IKNMap* KNNewMap(IKNType* const* keys, IKNType* const* values, int32_t count) {
  if (count < 0)
    base::KNRaiseIllegalArgument("count < 0");
  if (count > 0 && (!keys || !values))
    base::KNRaiseNullPtr();
  Map* map = new Map(count);
  try {
    for (int32_t i = 0; i < count; ++i) {
      CheckPair(keys[i], values[i]);
      map->Table()->Add(keys[i], values[i]);
    }
  } catch (...) {
    map->Release();
    throw;
  }
  return map;
}

IKNMap* KNMapWithObjects(IKNType* const* keys, IKNType* const* values, int32_t count) {
  return KNAutoRelease(KNNewMap(keys, values, count));
}

IKNMap* KNNewMapWithPairs(IKNType* key, ...) {
  int32_t count = 0;
  va_list arguments;
  va_start(arguments, key);
  for (IKNType* k = key; k; k = va_arg(arguments, IKNType*)) {
    va_arg(arguments, IKNType*);
    ++count;
  }
  va_end(arguments);
  Map* map = new Map(count);
  va_start(arguments, key);
  try {
    for (IKNType* k = key; k; k = va_arg(arguments, IKNType*)) {
      IKNType* value = va_arg(arguments, IKNType*);
      CheckPair(k, value);
      map->Table()->Add(k, value);
    }
  } catch (...) {
    va_end(arguments);
    map->Release();
    throw;
  }
  va_end(arguments);
  return map;
}

IKNMap* KNNewMapCopy(IKNMap* source) {
  impl::CheckNotNull(source);
  Map* map = new Map(source->Count());
  try {
    AddAllPairs(map, source);
  } catch (...) {
    map->Release();
    throw;
  }
  return map;
}

IKNMap* KNMapCopy(IKNMap* source) {
  return KNAutoRelease(KNNewMapCopy(source));
}

}  // namespace data
}  // namespace knfoundation
