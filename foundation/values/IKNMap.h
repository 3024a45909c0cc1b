// Associations of keys with values, both foundation objects: `IKNMap`
// (read-only) with its entry iterator, `IKNMutableMap` (changes), and the map
// factories.
//
// Keys are compared with `IsEqual` and spread by `Hash`. A map stores the
// `Copy` of a cloneable key (so a mutable string used as a key cannot move its
// entry) and retains any other key and every value. Maps never hold null: a
// null key or value given to any operation, `Get` and `Remove` included, is
// `KNNullPtr` and changes nothing. Maps take no lock; an immutable map may be
// read from several threads once built.
#pragma once

#include <cstdint>

#include "foundation/objects/IKNType.h"

namespace knfoundation {
namespace data {

class IKNMap : public util::IKNCloning {
 public:
  // One entry, both pointers lent by the map.
  struct Entry {
    IKNType* key;
    IKNType* value;
  };

  class Iterator : public IKNType {
   public:
    virtual bool HasNext() = 0;
    // Stores the current entry into `*entry` and advances; returns `entry`.
    // "Iterator at end" (`KNIllegalState`) at the end; null is `KNNullPtr`.
    virtual Entry* Next(Entry* entry) = 0;
  };

  // Owned immutable map with the same pairs (an immutable map: itself).
  IKNMap* Copy() override = 0;
  virtual int32_t Count() = 0;
  // The value stored under a key equal to `key`, lent; null when absent.
  virtual IKNType* Get(IKNType* key) = 0;
  // True when some value is equal to `value` (its `IsEqual` is asked); null
  // is `KNNullPtr` unless the map is empty.
  virtual bool ContainsValue(IKNType* value) = 0;
  // Autoreleased iterator over the entries; the map must outlive it and not
  // change while it is used.
  virtual Iterator* Entries() = 0;
};

class IKNMutableMap : public IKNMap {
 public:
  // Adds the pair only when no equal key is present. Returns this map.
  virtual IKNMutableMap* Add(IKNType* key, IKNType* value) = 0;
  // Gives an existing entry the new value; an absent key changes nothing.
  virtual IKNMutableMap* Replace(IKNType* key, IKNType* value) = 0;
  // `Replace` when the key is present, otherwise adds the pair.
  virtual IKNMutableMap* Set(IKNType* key, IKNType* value) = 0;
  // Removes the entry with an equal key, if any.
  virtual IKNMutableMap* Remove(IKNType* key) = 0;
  // Removes every entry; the bucket array keeps its size.
  virtual IKNMutableMap* RemoveAll() = 0;
};

// Owned empty `MutableMap` whose first table suits `capacity` entries;
// "maxCapacity < 0".
IKNMutableMap* KNNewMutableMap(int32_t capacity);
// As `KNNewMutableMap`, autoreleased.
IKNMutableMap* KNMutableMapWithCapacity(int32_t capacity);
// Owned immutable `Map` of `count` pairs, added in order so that the first of
// two equal keys wins. "count < 0"; null arrays with count >= 1, or a null key
// or value, are `KNNullPtr`, and then nothing is left behind.
IKNMap* KNNewMap(IKNType* const* keys, IKNType* const* values, int32_t count);
// As `KNNewMap`, autoreleased.
IKNMap* KNMapWithObjects(IKNType* const* keys, IKNType* const* values, int32_t count);
// Owned `Map` of the pairs key, value, key, value, ... up to a null key.
IKNMap* KNNewMapWithPairs(IKNType* key, ...);
// Owned immutable copy of any map; null is `KNNullPtr`.
IKNMap* KNNewMapCopy(IKNMap* source);
// As `KNNewMapCopy`, autoreleased.
IKNMap* KNMapCopy(IKNMap* source);

}  // namespace data
}  // namespace knfoundation
