// The one shared null object.
#include "foundation/values/Nil.h"

#include "foundation/objects/SharedInstance.h"
#include "foundation/text/IKNString.h"

namespace knfoundation {
namespace data {

namespace {
Nil* gNil = nullptr;

Nil* CreateNil() {
  return new Nil();
}
}  // namespace

int32_t Nil::RetainCount() {
  return count_.Get();
}

IKNType* Nil::Retain() {
  count_.Increment();
  return this;
}

void Nil::Release() {
  if (count_.Decrement())
    delete this;
}

IKNString* Nil::Description() {
  return KN_LIT("null");
}

IKNNull* KNNil() {
  return base::SharedInstanceOf<Nil>(&CreateNil, &gNil);
}

}  // namespace data
}  // namespace knfoundation
