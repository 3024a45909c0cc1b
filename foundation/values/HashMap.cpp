// The chained hash table of the maps and its entry iterator.
#include "foundation/values/HashMap.h"

#include <cstdint>

#include "foundation/objects/KNException.h"
#include "foundation/objects/KNHeap.h"

namespace knfoundation {
namespace impl {

namespace {
constexpr int32_t kFirstBuckets = 8;
// The table stops doubling here (a quarter of the address space on 32-bit
// targets); chains then simply grow longer.
constexpr int32_t kMostBuckets = sizeof(void*) == 4 ? 1 << 28 : 1 << 30;

int32_t ThresholdFor(int32_t buckets) {
  return static_cast<int32_t>(buckets * 0.75);
}

HashMap::Node** NewBuckets(int32_t count) {
  if (static_cast<uint64_t>(count) > SIZE_MAX / sizeof(HashMap::Node*))
    base::KNRaiseOutOfMemory();
  return static_cast<HashMap::Node**>(
      KNHeapAllocate(static_cast<size_t>(count) * sizeof(HashMap::Node*)));
}

// What a node keeps of a key: the `Copy` of a cloneable key, else the key
// retained.
IKNType* StoredKey(IKNType* key) {
  if (util::IKNCloning* cloneable = dynamic_cast<util::IKNCloning*>(key))
    return cloneable->Copy();
  return key->Retain();
}
}  // namespace

int32_t HashMap::BucketCountFor(int32_t capacity) {
  double wanted = capacity / 0.75;
  int32_t buckets = kFirstBuckets;
  while (buckets < wanted && buckets < kMostBuckets)
    buckets <<= 1;
  return buckets;
}

uint32_t HashMap::Mix(uint32_t h) {
  h += ~(h << 9);
  h ^= h >> 14;
  h += h << 4;
  h ^= h >> 10;
  return h;
}

HashMap::HashMap(int32_t capacity) {
  int32_t buckets = BucketCountFor(capacity);
  buckets_ = NewBuckets(buckets);
  mask_ = buckets - 1;
  threshold_ = ThresholdFor(buckets);
}

HashMap::~HashMap() {
  RemoveAll();
  KNHeapFree(buckets_);
}

HashMap::Node* HashMap::Find(IKNType* key) {
  for (Node* node = buckets_[Mix(key->Hash()) & mask_]; node; node = node->next) {
    // The same object is equal to itself; the call is saved.
    if (node->key == key || key->IsEqual(node->key))
      return node;
  }
  return nullptr;
}

bool HashMap::Add(IKNType* key, IKNType* value) {
  if (Find(key))
    return false;
  AddNew(key, value);
  return true;
}

bool HashMap::Replace(IKNType* key, IKNType* value) {
  if (!Find(key))
    return false;
  Set(key, value);
  return true;
}

void HashMap::Set(IKNType* key, IKNType* value) {
  if (Node* node = Find(key)) {
    IKNType* old = node->value;
    if (old != value) {
      node->value = value->Retain();
      old->Release();
    }
    return;
  }
  AddNew(key, value);
}

void HashMap::AddNew(IKNType* key, IKNType* value) {
  if (count_ >= threshold_)
    Grow();
  // Retained first: a stack temporary refuses, and then nothing was made.
  value->Retain();
  Node* node;
  try {
    node = static_cast<Node*>(KNHeapAllocate(sizeof(Node)));
  } catch (...) {
    value->Release();
    throw;
  }
  try {
    node->key = StoredKey(key);
  } catch (...) {
    KNHeapFree(node);
    value->Release();
    throw;
  }
  node->value = value;
  Node** head = &buckets_[Mix(node->key->Hash()) & mask_];
  node->next = *head;
  *head = node;
  ++count_;
}

void HashMap::Grow() {
  int32_t buckets = mask_ + 1;
  if (buckets >= kMostBuckets)
    return;
  int32_t grown = buckets * 2;
  Node** table = NewBuckets(grown);
  uint32_t mask = static_cast<uint32_t>(grown - 1);
  for (int32_t i = 0; i < buckets; ++i) {
    Node* node = buckets_[i];
    while (node) {
      Node* next = node->next;
      Node** head = &table[Mix(node->key->Hash()) & mask];
      node->next = *head;
      *head = node;
      node = next;
    }
  }
  KNHeapFree(buckets_);
  buckets_ = table;
  mask_ = grown - 1;
  threshold_ = ThresholdFor(grown);
}

bool HashMap::Remove(IKNType* key) {
  Node** link = &buckets_[Mix(key->Hash()) & mask_];
  for (Node* node = *link; node; link = &node->next, node = node->next) {
    if (key->IsEqual(node->key)) {
      *link = node->next;
      --count_;
      DestroyNode(node);
      return true;
    }
  }
  return false;
}

void HashMap::RemoveAll() {
  for (int32_t i = 0; i <= mask_; ++i) {
    Node* node = buckets_[i];
    buckets_[i] = nullptr;
    while (node) {
      Node* next = node->next;
      --count_;
      DestroyNode(node);
      node = next;
    }
  }
}

void HashMap::DestroyNode(Node* node) {
  node->value->Release();
  node->key->Release();
  KNHeapFree(node);
}

HashMap::Node* HashMap::FirstFrom(int32_t* index) {
  for (int32_t i = *index; i <= mask_; ++i) {
    if (buckets_[i]) {
      *index = i;
      return buckets_[i];
    }
  }
  *index = mask_ + 1;
  return nullptr;
}

// EntryIter

HashMap::EntryIter::EntryIter(HashMap* table) : table_(table) {
  Advance();
}

int32_t HashMap::EntryIter::RetainCount() {
  return count_.Get();
}

IKNType* HashMap::EntryIter::Retain() {
  count_.Increment();
  return this;
}

void HashMap::EntryIter::Release() {
  if (count_.Decrement())
    delete this;
}

bool HashMap::EntryIter::HasNext() {
  return node_ != nullptr;
}

data::IKNMap::Entry* HashMap::EntryIter::Next(data::IKNMap::Entry* entry) {
  if (!node_)
    base::KNRaiseIllegalState("Iterator at end");
  if (!entry)
    base::KNRaiseNullPtr();
  entry->key = node_->key;
  entry->value = node_->value;
  Advance();
  return entry;
}

void HashMap::EntryIter::Advance() {
  if (node_ && node_->next) {
    node_ = node_->next;
    return;
  }
  int32_t index = bucketIndex_ + 1;
  node_ = table_->FirstFrom(&index);
  bucketIndex_ = index;
}

}  // namespace impl
}  // namespace knfoundation
