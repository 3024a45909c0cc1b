// The three encoding objects and their shared instances.
#include "foundation/objects/SharedInstance.h"
#include "foundation/text/ASCII.h"
#include "foundation/text/EncodingCodecs.h"
#include "foundation/text/UTF8.h"

namespace knfoundation {
namespace util {

int32_t UTF8::Encode(const wchar_t* units,
                     int32_t count,
                     uint8_t,
                     char* dest,
                     int32_t limit,
                     int32_t* bytesProduced) {
  return impl::Utf8Encode(units, count, dest, limit, bytesProduced);
}

int32_t UTF8::Decode(const char* bytes,
                     int32_t count,
                     wchar_t* dest,
                     int32_t limit,
                     int32_t* unitsProduced) {
  return impl::Utf8Decode(bytes, count, dest, limit, unitsProduced);
}

int32_t UTF8::MaxBytes(int32_t units) {
  // Clamped so that a bound for a huge count never wraps negative.
  if (units <= 0)
    return 0;
  return units > 2147483647 / 3 ? 2147483647 : units * 3;
}

int32_t ASCII::Encode(const wchar_t* units,
                      int32_t count,
                      uint8_t substitute,
                      char* dest,
                      int32_t limit,
                      int32_t* bytesProduced) {
  return impl::SingleByteEncode(units, count, ceiling_, substitute, dest, limit, bytesProduced);
}

int32_t ASCII::Decode(const char* bytes,
                      int32_t count,
                      wchar_t* dest,
                      int32_t limit,
                      int32_t* unitsProduced) {
  return impl::SingleByteDecode(bytes, count, dest, limit, unitsProduced);
}

int32_t ASCII::MaxBytes(int32_t units) {
  return units < 0 ? 0 : units;
}

namespace {
UTF8* gUTF8 = nullptr;
ASCII* gASCII = nullptr;
ISO_Latin_1* gLatin1 = nullptr;
}  // namespace

// The slots are read first without the registry lock: once set, a slot never
// changes until exit.
IKNEncoding* UTF8Encoding() {
  if (UTF8* shared = __atomic_load_n(&gUTF8, __ATOMIC_ACQUIRE))
    return shared;
  return base::SharedInstanceOf<UTF8>(&UTF8::Create, &gUTF8);
}

IKNEncoding* ASCIIEncoding() {
  if (ASCII* shared = __atomic_load_n(&gASCII, __ATOMIC_ACQUIRE))
    return shared;
  return base::SharedInstanceOf<ASCII>(&ASCII::Create, &gASCII);
}

IKNEncoding* Latin1Encoding() {
  if (ISO_Latin_1* shared = __atomic_load_n(&gLatin1, __ATOMIC_ACQUIRE))
    return shared;
  return base::SharedInstanceOf<ISO_Latin_1>(&ISO_Latin_1::Create, &gLatin1);
}

}  // namespace util
}  // namespace knfoundation
