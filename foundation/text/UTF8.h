// The UTF-8 encoding: one shared, stateless instance (`UTF8Encoding()`).
#pragma once

#include "foundation/text/IKNEncoding.h"

namespace knfoundation {
namespace util {

class UTF8 final : public KNRefCountT<IKNEncoding> {
 public:
  // Owned new instance; the shared one is made once through `SharedInstance`.
  static UTF8* Create() { return new UTF8(); }

  int32_t Encode(const wchar_t* units,
                 int32_t count,
                 uint8_t substitute,
                 char* dest,
                 int32_t limit,
                 int32_t* bytesProduced) override;
  int32_t Decode(const char* bytes,
                 int32_t count,
                 wchar_t* dest,
                 int32_t limit,
                 int32_t* unitsProduced) override;
  // 3 bytes per unit (a surrogate pair needs 4 for its 2 units).
  int32_t MaxBytes(int32_t units) override;
  bool IsASCIICompatible() override { return true; }

 private:
  UTF8() = default;
  ~UTF8() override = default;
};

}  // namespace util
}  // namespace knfoundation
