// `HashMap`: the chained hash table inside both map classes. Buckets are a
// power of two (at least 8) addressed by a mixed hash and a mask; the table
// doubles, relinking its nodes, when an addition finds the count at 0.75 of
// the bucket count.
//
// Not an object: its map owns it and every key and value it holds. No lock.
#pragma once

#include <cstdint>

#include "foundation/values/IKNMap.h"

namespace knfoundation {
namespace impl {

class HashMap {
 public:
  struct Node {
    Node* next;
    IKNType* key;    // owned: the key's `Copy` when cloneable, else retained
    IKNType* value;  // owned: retained
  };

  // Walks the entries bucket by bucket, each chain from its head. Borrows the
  // table, which must outlive it and not change while it is used.
  class EntryIter final : public data::IKNMap::Iterator {
   public:
    // Owned iterator positioned on the first entry of `table`.
    explicit EntryIter(HashMap* table);

    int32_t RetainCount() override;
    IKNType* Retain() override;
    void Release() override;
    bool HasNext() override;
    data::IKNMap::Entry* Next(data::IKNMap::Entry* entry) override;

   private:
    ~EntryIter() = default;
    void Advance();

    util::KNDirectCount count_;
    HashMap* table_;
    int32_t bucketIndex_ = -1;
    Node* node_ = nullptr;
  };

  // An empty table sized for `capacity` entries (not negative).
  explicit HashMap(int32_t capacity);
  // Releases every key and value and frees the nodes and buckets.
  ~HashMap();
  HashMap(const HashMap&) = delete;
  HashMap& operator=(const HashMap&) = delete;

  // The bucket count for a capacity hint: 8 doubled until it reaches
  // hint / 0.75.
  static int32_t BucketCountFor(int32_t capacity);
  // The mixing applied to every key's `Hash` before masking.
  static uint32_t Mix(uint32_t hash);

  int32_t Count() const { return count_; }
  int32_t BucketCount() const { return mask_ + 1; }
  int32_t Threshold() const { return threshold_; }

  // The node whose key is equal to `key` (non-null), or null.
  Node* Find(IKNType* key);
  // Adds the pair when no equal key is present; true when added.
  bool Add(IKNType* key, IKNType* value);
  // Gives an existing entry `value`; true when the key was present.
  bool Replace(IKNType* key, IKNType* value);
  // Replaces the value of an equal key, or adds the pair when there is none.
  void Set(IKNType* key, IKNType* value);
  // True when an entry was removed.
  bool Remove(IKNType* key);
  void RemoveAll();
  // The first node in iteration order from bucket `index` on, or null; sets
  // `*index` to its bucket.
  Node* FirstFrom(int32_t* index);

 private:
  // Adds a new pair known to be absent, growing first when at the threshold.
  void AddNew(IKNType* key, IKNType* value);
  void Grow();
  static void DestroyNode(Node* node);

  int32_t count_ = 0;
  Node** buckets_;
  int32_t mask_;
  int32_t threshold_;
};

}  // namespace impl
}  // namespace knfoundation
