// The two map classes over one `HashMap`: `Map`, filled once by its factory
// and its own `Copy`, and `MutableMap`, whose `Copy` is a new `Map`.
//
// No lock: an immutable map may be read from several threads once built; a
// mutable one is guarded by its user.
#pragma once

#include <cstdint>

#include "foundation/values/HashMap.h"
#include "foundation/values/IKNMap.h"

namespace knfoundation {
namespace impl {

// What both map classes share, built on the table.
template <class I>
class KNMapOpsT : public I {
 public:
  int32_t RetainCount() override { return references_.Get(); }
  IKNType* Retain() override {
    references_.Increment();
    return this;
  }
  // At zero releases every key and value and frees the table and the map.
  void Release() override {
    if (references_.Decrement())
      delete this;
  }
  // Same count and, for every entry, an equal value under the key in `other`.
  bool IsEqual(IKNType* other) override;
  // The count.
  uint32_t Hash() override { return static_cast<uint32_t>(table_.Count()); }
  // "<%@ %#p> { count = %u, pairs = (\n", "\t%@ = %@\n" per entry, ") }";
  // autoreleased.
  data::IKNString* Description() override;
  int32_t Count() override { return table_.Count(); }
  IKNType* Get(IKNType* key) override;
  bool ContainsValue(IKNType* value) override;
  data::IKNMap::Iterator* Entries() override;

  HashMap* Table() { return &table_; }

 protected:
  explicit KNMapOpsT(int32_t capacity) : table_(capacity) {}
  virtual ~KNMapOpsT() = default;

  util::KNDirectCount references_;
  HashMap table_;
};

}  // namespace impl

namespace data {

class Map final : public impl::KNMapOpsT<IKNMap> {
 public:
  // Owned empty map for `capacity` entries, filled by the factories through
  // `Table()`.
  explicit Map(int32_t capacity) : KNMapOpsT(capacity) {}
  IKNMap* Copy() override;

 private:
  ~Map() override = default;
};

class MutableMap final : public impl::KNMapOpsT<IKNMutableMap> {
 public:
  explicit MutableMap(int32_t capacity) : KNMapOpsT(capacity) {}
  // Owned `Map` with the same pairs.
  IKNMap* Copy() override;
  IKNMutableMap* Add(IKNType* key, IKNType* value) override;
  IKNMutableMap* Replace(IKNType* key, IKNType* value) override;
  IKNMutableMap* Set(IKNType* key, IKNType* value) override;
  IKNMutableMap* Remove(IKNType* key) override;
  IKNMutableMap* RemoveAll() override;

 private:
  ~MutableMap() override = default;
};

}  // namespace data
}  // namespace knfoundation
