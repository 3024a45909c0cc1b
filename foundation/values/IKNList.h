// Ordered collections of foundation objects: `IKNCollection` and `IKNList`
// (read-only), `IKNMutableList` (changes), `IKNIterator` (walks any
// collection), and the list factories.
//
// Lists never hold null: every operation that stores an element refuses it
// with `KNNullPtr`. Index errors throw `KNOutOfRange` with the offending
// index and the valid range [0:end]. Lists take no lock; an immutable list may
// be read from several threads, a mutable one is guarded by its user.
#pragma once

#include <cstdint>

#include "foundation/objects/IKNType.h"

namespace knfoundation {
namespace data {

class IKNIterator : public IKNType {
 public:
  virtual bool HasNext() = 0;
  // The next element, lent; `KNIllegalState` at the end.
  virtual IKNType* Next() = 0;
};

class IKNCollection : public util::IKNCloning {
 public:
  // Owned immutable collection with the same elements.
  IKNCollection* Copy() override = 0;
  virtual int32_t Count() = 0;
  // Autoreleased iterator that borrows this collection (which must outlive
  // it) and ends at the `Count` of this moment.
  virtual IKNIterator* Iterator() = 0;
  // Copies all elements, borrowed, into `buffer` (room for `Count`).
  virtual void GetValues(IKNType** buffer) = 0;
  // True when some element is equal to `object` (its `IsEqual` is asked);
  // null is `KNNullPtr` unless the collection is empty.
  virtual bool Contains(IKNType* object) = 0;
  // True when `Contains` holds for every element of `collection`; null is
  // `KNNullPtr`.
  virtual bool ContainsAll(IKNCollection* collection) = 0;

  bool IsEmpty() { return Count() == 0; }
};

class IKNList : public IKNCollection {
 public:
  IKNList* Copy() override = 0;
  // Copies `length` elements from `start`, borrowed, into `buffer`.
  virtual void GetValuesInRange(IKNType** buffer, int32_t start, int32_t length) = 0;
  // The element at `index` (0 to Count - 1), lent.
  virtual IKNType* ValueAt(int32_t index) = 0;
};

class IKNMutableList : public IKNList {
 public:
  // Appends `count` objects in order, each retained; "count < 0". A null
  // element throws `KNNullPtr` when reached; the elements before it stay.
  virtual IKNMutableList* AddValues(int32_t count, IKNType* const* values) = 0;
  // Inserts `object` (retained) before `index` (0 to Count).
  virtual IKNMutableList* Insert(int32_t index, IKNType* object) = 0;
  // Stores `object` (retained) at `index`, releasing the old element.
  virtual IKNMutableList* Replace(int32_t index, IKNType* object) = 0;
  // Releases the elements of the range and closes the gap; the capacity
  // stays.
  virtual IKNMutableList* Remove(int32_t index, int32_t length) = 0;

  // Appends one object.
  IKNMutableList* Add(IKNType* object) { return AddValues(1, &object); }
  // Appends every element of `collection` in its order; null is `KNNullPtr`.
  IKNMutableList* AddAll(IKNCollection* collection);
  // Shrinks by removing the tail or grows by appending the shared `Nil`;
  // "newSize < 0".
  IKNMutableList* SetCount(int32_t newSize);
};

// Owned empty `MutableList`. The hint reserves nothing; "maxCapacity < 0".
IKNMutableList* KNNewMutableList(int32_t capacity);
// As `KNNewMutableList`, autoreleased.
IKNMutableList* KNMutableListWithCapacity(int32_t capacity);
// Owned immutable `List` (one block) with the elements of `source`, each
// retained; null is `KNNullPtr`.
IKNList* KNNewListCopy(IKNCollection* source);

}  // namespace data
}  // namespace knfoundation
