// `List`: the immutable list, its header and element pointers in one block.
//
// Made complete by `KNNewListCopy` and never changed; it is its own `Copy`
// and may be read from several threads.
#pragma once

#include <cstdint>

#include "foundation/objects/KNDirectStorage.h"
#include "foundation/values/IKNList.h"
#include "foundation/values/ListOps.h"

namespace knfoundation {
namespace data {

class List final : public impl::KNListOpsT<IKNList, List>,
                   public impl::KNDirectStorage<List, IKNType*, 4> {
 public:
  // Owned list with the elements of `source` (`GetValues`), each retained;
  // a null element is `KNNullPtr`.
  static List* CreateFrom(IKNCollection* source);

  int32_t RetainCount() override;
  IKNType* Retain() override;
  // At zero releases every element and frees the block.
  void Release() override;
  IKNList* Copy() override;
  int32_t Count() override;

  IKNType** Items() { return Elements(); }

 private:
  friend class impl::KNDirectStorage<List, IKNType*, 4>;
  explicit List(int32_t count) : count_(count) {}
  ~List() = default;

  util::KNDirectCount references_;
  int32_t count_;
};

}  // namespace data
}  // namespace knfoundation
