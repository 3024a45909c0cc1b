// What every byte buffer class shares: value equality, the ELF hash over the
// first 16 bytes and the description with its elision of long buffers.
#pragma once

#include <cstdint>

#include "foundation/values/IKNData.h"

namespace knfoundation {
namespace impl {

// The ELF hash of the first 16 bytes (all bytes when fewer).
uint32_t KNDataHash(const uint8_t* bytes, int32_t length);
// True for `self` itself or another `IKNData` with the same length and bytes.
bool KNDataIsEqual(data::IKNData* self, IKNType* other);
// "<class %@ %#p> { length = %u, bytes = 0x...}", autoreleased; buffers of 24
// bytes or more show their first 16 bytes, " ... " and their last 8.
data::IKNString* KNDataDescription(data::IKNData* self);

// Mixin: the shared operations for a buffer class deriving from `I`.
template <class I>
class KNDataOpsT : public I {
 public:
  bool IsEqual(IKNType* other) override { return KNDataIsEqual(this, other); }
  uint32_t Hash() override { return KNDataHash(this->Bytes(), this->Length()); }
  data::IKNString* Description() override { return KNDataDescription(this); }
};

}  // namespace impl
}  // namespace knfoundation
