// The single-byte encodings: `ASCII` (units 0 to 127) and `ISO_Latin_1`
// (units 0 to 255), each one shared, stateless instance. Decoding zero-extends
// every byte, so both decode alike.
#pragma once

#include "foundation/text/IKNEncoding.h"

namespace knfoundation {
namespace util {

class ASCII : public KNRefCountT<IKNEncoding> {
 public:
  // Owned new instance; the shared one is made once through `SharedInstance`.
  static ASCII* Create() { return new ASCII(); }

  int32_t Encode(const wchar_t* units,
                 int32_t count,
                 uint8_t substitute,
                 char* dest,
                 int32_t limit,
                 int32_t* bytesProduced) override;
  // min(count, limit) bytes, also with a null destination (then nothing is
  // written).
  int32_t Decode(const char* bytes,
                 int32_t count,
                 wchar_t* dest,
                 int32_t limit,
                 int32_t* unitsProduced) override;
  int32_t MaxBytes(int32_t units) override;
  bool IsASCIICompatible() override { return true; }

 protected:
  explicit ASCII(uint16_t ceiling = 127) : ceiling_(ceiling) {}
  ~ASCII() override = default;

 private:
  uint16_t ceiling_;
};

class ISO_Latin_1 final : public ASCII {
 public:
  static ISO_Latin_1* Create() { return new ISO_Latin_1(); }

 private:
  ISO_Latin_1() : ASCII(255) {}
  ~ISO_Latin_1() override = default;
};

}  // namespace util
}  // namespace knfoundation
