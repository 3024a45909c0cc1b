// `MutableList`: the growable list. Its array starts empty, gets 8 slots on
// the first addition and doubles as needed; it never shrinks.
//
// No lock: a list shared between threads is guarded by its user.
#pragma once

#include <cstdint>

#include "foundation/values/IKNList.h"
#include "foundation/values/ListOps.h"

namespace knfoundation {
namespace data {

class MutableList final : public impl::KNListOpsT<IKNMutableList, MutableList> {
 public:
  // Owned, empty, capacity 0.
  MutableList() = default;

  int32_t RetainCount() override;
  IKNType* Retain() override;
  // At zero releases every element and frees the array.
  void Release() override;
  // Owned `List` with the same elements.
  IKNList* Copy() override;
  int32_t Count() override;
  IKNMutableList* AddValues(int32_t count, IKNType* const* values) override;
  IKNMutableList* Insert(int32_t index, IKNType* object) override;
  IKNMutableList* Replace(int32_t index, IKNType* object) override;
  IKNMutableList* Remove(int32_t index, int32_t length) override;

  int32_t Capacity() const { return capacity_; }
  IKNType** Items() { return items_; }

 private:
  ~MutableList();
  // Room for `n` more slots at `position`; the old array, if replaced, is
  // returned for the caller to free once it no longer reads from it.
  IKNType** MakeRoom(int32_t position, int32_t n);

  util::KNDirectCount references_;
  IKNType** items_ = nullptr;
  int32_t count_ = 0;
  int32_t capacity_ = 0;
};

}  // namespace data
}  // namespace knfoundation
