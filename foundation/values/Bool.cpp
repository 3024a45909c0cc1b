// The two shared boolean values.
#include "foundation/values/Bool.h"

#include "foundation/objects/SharedInstance.h"
#include "foundation/text/IKNString.h"

namespace knfoundation {
namespace data {

namespace {
Bool* gTrue = nullptr;
Bool* gFalse = nullptr;

Bool* CreateTrue() {
  return new Bool(true);
}

Bool* CreateFalse() {
  return new Bool(false);
}
}  // namespace

int32_t Bool::RetainCount() {
  return count_.Get();
}

IKNType* Bool::Retain() {
  count_.Increment();
  return this;
}

void Bool::Release() {
  if (count_.Decrement())
    delete this;
}

IKNString* Bool::Description() {
  return flag_ ? KN_LIT("true") : KN_LIT("false");
}

bool Bool::BoolValue() {
  return flag_ != 0;
}

IKNBool* KNTrue() {
  return base::SharedInstanceOf<Bool>(&CreateTrue, &gTrue);
}

IKNBool* KNFalse() {
  return base::SharedInstanceOf<Bool>(&CreateFalse, &gFalse);
}

IKNBool* KNBoolWithFlag(int32_t flag) {
  return (flag & 0xFF) != 0 ? KNTrue() : KNFalse();
}

}  // namespace data
}  // namespace knfoundation
