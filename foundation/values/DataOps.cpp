// The operations every byte buffer class shares.
#include "foundation/values/DataOps.h"

#include <cstring>

#include "foundation/objects/ClassName.h"
#include "foundation/text/KNFormat.h"

namespace knfoundation {
namespace impl {

namespace {
// Buffers of this many bytes or more are described with their middle left out.
constexpr int32_t kElideFrom = 24;

// Writes `count` bytes as two lower-case hex digits each ("%02x") to `out`.
char* AppendHex(char* out, const uint8_t* bytes, int32_t count) {
  static const char kDigits[] = "0123456789abcdef";
  for (int32_t i = 0; i < count; ++i) {
    *out++ = kDigits[bytes[i] >> 4];
    *out++ = kDigits[bytes[i] & 15];
  }
  return out;
}
}  // namespace

uint32_t KNDataHash(const uint8_t* bytes, int32_t length) {
  int32_t n = length < 16 ? length : 16;
  uint32_t h = 0;
  for (int32_t i = 0; i < n; ++i) {
    h = (h << 4) + bytes[i];
    uint32_t g = h & 0xF0000000u;
    if (g != 0)
      h ^= g >> 24;
    h &= ~g;
  }
  return h;
}

bool KNDataIsEqual(data::IKNData* self, IKNType* other) {
  if (other == self)
    return true;
  data::IKNData* data = dynamic_cast<data::IKNData*>(other);
  if (!data)
    return false;
  int32_t length = self->Length();
  if (data->Length() != length)
    return false;
  return length == 0 || std::memcmp(self->Bytes(), data->Bytes(), length) == 0;
}

data::IKNString* KNDataDescription(data::IKNData* self) {
  const uint8_t* bytes = self->Bytes();
  int32_t length = self->Length();
  char hex[2 * kElideFrom + 8];
  char* end = hex;
  if (length < kElideFrom) {
    end = AppendHex(end, bytes, length);
  } else {
    end = AppendHex(end, bytes, 16);
    std::memcpy(end, " ... ", 5);
    end = AppendHex(end + 5, bytes + length - 8, 8);
  }
  *end = 0;
  return KNFormatAutoReleased("<%@ %#p> { length = %u, bytes = 0x%s}", base::ClassName(self),
                              static_cast<void*>(self), static_cast<uint32_t>(length), hex);
}

}  // namespace impl
}  // namespace knfoundation
