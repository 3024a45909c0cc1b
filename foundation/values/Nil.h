// `Nil`: the one shared null object, which lets lists and maps hold an
// explicit null.
//
// Created once through the shared-instance registry, which holds it until
// exit; users never release it. Any thread may use it.
#pragma once

#include <cstdint>

#include "foundation/objects/IKNType.h"

namespace knfoundation {
namespace data {

class IKNNull : public IKNType {};

class Nil final : public IKNNull {
 public:
  Nil() = default;

  int32_t RetainCount() override;
  IKNType* Retain() override;
  void Release() override;
  // "null", lent.
  IKNString* Description() override;

 private:
  ~Nil() = default;

  util::KNDirectCount count_;
};

// The shared instance, lent.
IKNNull* KNNil();

}  // namespace data
}  // namespace knfoundation
