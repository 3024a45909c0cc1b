// `Bool`: the two shared boolean values, true and false.
//
// Each is created once through the shared-instance registry, which holds it
// until exit; users never release them. Identity equality and the address
// hash suffice, since no other instances exist. Any thread may use them.
#pragma once

#include <cstdint>

#include "foundation/objects/IKNType.h"

namespace knfoundation {
namespace data {

class IKNBool : public IKNType {
 public:
  virtual bool BoolValue() = 0;
};

class Bool final : public IKNBool {
 public:
  explicit Bool(bool flag) : flag_(flag ? 1 : 0) {}

  int32_t RetainCount() override;
  IKNType* Retain() override;
  void Release() override;
  // "true" or "false", lent.
  IKNString* Description() override;
  bool BoolValue() override;

 private:
  ~Bool() = default;

  util::KNDirectCount count_;
  uint8_t flag_;
};

// The shared instances, lent.
IKNBool* KNTrue();
IKNBool* KNFalse();
// `KNTrue` when the lowest byte of `flag` is not 0, else `KNFalse`.
IKNBool* KNBoolWithFlag(int32_t flag);

}  // namespace data
}  // namespace knfoundation
