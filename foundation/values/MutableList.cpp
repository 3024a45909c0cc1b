// The growable list, its factories and the operations every mutable list
// builds on `AddValues` and `Remove`.
#include "foundation/values/MutableList.h"

#include <cstdint>
#include <cstring>

#include "foundation/objects/KNException.h"
#include "foundation/objects/KNHeap.h"
#include "foundation/values/List.h"
#include "foundation/values/Nil.h"

namespace knfoundation {
namespace data {

namespace {
constexpr int64_t kFirstCapacity = 8;

// A heap block freed when the scope ends, also when an exception unwinds.
class ScopedBlock {
 public:
  explicit ScopedBlock(void* block) : block_(block) {}
  ~ScopedBlock() { impl::KNHeapFree(block_); }
  ScopedBlock(const ScopedBlock&) = delete;
  ScopedBlock& operator=(const ScopedBlock&) = delete;

 private:
  void* block_;
};
}  // namespace

MutableList::~MutableList() {
  for (int32_t i = 0; i < count_; ++i)
    items_[i]->Release();
  impl::KNHeapFree(items_);
}

int32_t MutableList::RetainCount() {
  return references_.Get();
}

IKNType* MutableList::Retain() {
  references_.Increment();
  return this;
}

void MutableList::Release() {
  if (references_.Decrement())
    delete this;
}

IKNList* MutableList::Copy() {
  return List::CreateFrom(this);
}

int32_t MutableList::Count() {
  return count_;
}

IKNType** MutableList::MakeRoom(int32_t position, int32_t n) {
  if (capacity_ - count_ >= n) {
    if (position != count_)
      std::memmove(items_ + position + n, items_ + position,
                   (count_ - position) * sizeof(IKNType*));
    return nullptr;
  }
  int64_t needed = static_cast<int64_t>(count_) + n;
  int64_t capacity = capacity_ == 0 ? kFirstCapacity : capacity_;
  while (capacity < needed)
    capacity <<= 1;
  if (capacity > INT32_MAX)
    capacity = needed > INT32_MAX ? needed : INT32_MAX;
  if (needed > INT32_MAX || static_cast<uint64_t>(capacity) > SIZE_MAX / sizeof(IKNType*))
    base::KNRaiseOutOfMemory();
  IKNType** items = static_cast<IKNType**>(
      impl::KNHeapAllocate(static_cast<size_t>(capacity) * sizeof(IKNType*)));
  if (count_ > 0) {
    std::memcpy(items, items_, position * sizeof(IKNType*));
    std::memcpy(items + position + n, items_ + position, (count_ - position) * sizeof(IKNType*));
  }
  IKNType** old = items_;
  items_ = items;
  capacity_ = static_cast<int32_t>(capacity);
  return old;
}

IKNMutableList* MutableList::AddValues(int32_t count, IKNType* const* values) {
  if (count < 0)
    base::KNRaiseIllegalArgument("count < 0");
  if (count == 0)
    return this;
  if (!values)
    base::KNRaiseNullPtr();
  // `values` may lie in the old array; it is freed only after the copy.
  ScopedBlock old(MakeRoom(count_, count));
  int32_t added = 0;
  try {
    for (; added < count; ++added) {
      IKNType* value = values[added];
      if (!value)
        base::KNRaiseNullPtr();
      items_[count_ + added] = KNRetain(value);
    }
  } catch (...) {
    count_ += added;
    throw;
  }
  count_ += added;
  return this;
}

IKNMutableList* MutableList::Insert(int32_t index, IKNType* object) {
  if (index < 0 || index > count_)
    base::KNRaiseOutOfRange(index, count_ + 1);
  if (!object)
    base::KNRaiseNullPtr();
  object->Retain();
  try {
    ScopedBlock old(MakeRoom(index, 1));
    items_[index] = object;
    ++count_;
  } catch (...) {
    object->Release();
    throw;
  }
  return this;
}

IKNMutableList* MutableList::Replace(int32_t index, IKNType* object) {
  if (index < 0 || index >= count_)
    base::KNRaiseOutOfRange(index, count_);
  if (!object)
    base::KNRaiseNullPtr();
  object->Retain();
  IKNType* old = items_[index];
  items_[index] = object;
  old->Release();
  return this;
}

IKNMutableList* MutableList::Remove(int32_t index, int32_t length) {
  impl::KNCheckRange(index, length, count_);
  for (int32_t i = index; i < index + length; ++i)
    items_[i]->Release();
  std::memmove(items_ + index, items_ + index + length,
               (count_ - index - length) * sizeof(IKNType*));
  count_ -= length;
  return this;
}

IKNMutableList* IKNMutableList::AddAll(IKNCollection* collection) {
  if (!collection)
    base::KNRaiseNullPtr();
  int32_t count = collection->Count();
  if (count == 0)
    return this;
  // A snapshot of the elements, so that a collection may be added to itself.
  constexpr int32_t kInline = 32;
  IKNType* inline_values[kInline];
  IKNType** values = inline_values;
  if (count > kInline) {
    if (static_cast<uint64_t>(count) > SIZE_MAX / sizeof(IKNType*))
      base::KNRaiseOutOfMemory();
    values =
        static_cast<IKNType**>(impl::KNHeapAllocate(static_cast<size_t>(count) * sizeof(IKNType*)));
  }
  ScopedBlock heap(values == inline_values ? nullptr : values);
  collection->GetValues(values);
  return AddValues(count, values);
}

IKNMutableList* IKNMutableList::SetCount(int32_t newSize) {
  if (newSize < 0)
    base::KNRaiseIllegalArgument("newSize < 0");
  int32_t count = Count();
  if (newSize < count)
    return Remove(newSize, count - newSize);
  constexpr int32_t kBatch = 64;
  IKNType* nils[kBatch];
  IKNType* nil = KNNil();
  for (int32_t i = 0; i < kBatch; ++i)
    nils[i] = nil;
  for (int32_t missing = newSize - count; missing > 0; missing -= kBatch)
    AddValues(missing < kBatch ? missing : kBatch, nils);
  return this;
}

IKNMutableList* KNNewMutableList(int32_t capacity) {
  if (capacity < 0)
    base::KNRaiseIllegalArgument("maxCapacity < 0");
  return new MutableList();
}

IKNMutableList* KNMutableListWithCapacity(int32_t capacity) {
  return KNAutoRelease(KNNewMutableList(capacity));
}

}  // namespace data
}  // namespace knfoundation
