// The iterator of both list classes: walks indexes from 0 up to the list's
// count at the moment it was made.
//
// It borrows the list, which must outlive it; a list that shrinks meanwhile
// makes `Next` fail with `KNOutOfRange` at the first missing index. One
// thread uses it.
#pragma once

#include <cstdint>

#include "foundation/values/IKNList.h"

namespace knfoundation {
namespace data {

class ListIter final : public IKNIterator {
 public:
  // Owned iterator over `list` (borrowed).
  explicit ListIter(IKNList* list);

  int32_t RetainCount() override;
  IKNType* Retain() override;
  void Release() override;
  bool HasNext() override;
  // `ValueAt(current)`, then one step on; "current_ == limit_" at the end.
  IKNType* Next() override;

 private:
  ~ListIter() = default;

  util::KNDirectCount count_;
  IKNList* list_;
  int32_t current_ = 0;
  int32_t limit_;
  int32_t step_ = 1;
};

}  // namespace data
}  // namespace knfoundation
