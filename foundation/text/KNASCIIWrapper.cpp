// The 8-bit wrapper: caller-owned bytes read as units 0 to 255, for the
// duration of a call. It cannot be counted; keep its `Copy`.
#include <cstring>
#include <typeinfo>

#include "foundation/objects/KNException.h"
#include "foundation/text/ASCII.h"
#include "foundation/text/IKNEncoding.h"
#include "foundation/text/IKNString.h"
#include "foundation/text/StringSupport.h"
#include "foundation/text/UTF16String.h"

namespace knfoundation {
namespace impl {
namespace {

inline int32_t ZeroTerminatedLength(const char* textZ) {
  if (!textZ)
    base::KNRaiseNullPtr();
  return static_cast<int32_t>(strlen(textZ));
}

// True when the bytes can be handed out as text in `encoding` as they are:
// a zero byte follows them and every byte means the same there.
bool BytesServeAs(util::IKNEncoding* encoding, const char* text, int32_t length) {
  if (!encoding->IsASCIICompatible())
    return false;
  if (dynamic_cast<util::ISO_Latin_1*>(encoding))
    return true;
  for (int32_t k = 0; k < length; ++k) {
    if (static_cast<uint8_t>(text[k]) >= 0x80)
      return false;
  }
  return true;
}

}  // namespace

KNASCIIWrapper::KNASCIIWrapper(const char* textZ)
    : text_(textZ), length_(ZeroTerminatedLength(textZ)), zeroTerminated_(true) {}

KNASCIIWrapper::KNASCIIWrapper(const char* text, int32_t length)
    : KNASCIIWrapper(text, length, false) {}

KNASCIIWrapper::KNASCIIWrapper(const char* text, int32_t length, bool zeroTerminated)
    : text_(text), length_(length), zeroTerminated_(zeroTerminated) {
  if (length < 0)
    base::KNRaiseIllegalArgument("length < 0");
  if (!text && length > 0)
    base::KNRaiseNullPtr();
  if (!text) {
    text_ = "";
    zeroTerminated_ = true;
  }
}

int32_t KNASCIIWrapper::RetainCount() {
  return 1;
}

IKNType* KNASCIIWrapper::Retain() {
  base::KNRaiseUnsupportedOperation("knfoundation::impl::KNASCIIWrapper::Retain");
}

void KNASCIIWrapper::Release() {
  base::KNRaiseUnsupportedOperation("knfoundation::impl::KNASCIIWrapper::Release");
}

IKNType* KNASCIIWrapper::AutoRelease() {
  base::KNRaiseUnsupportedOperation("knfoundation::impl::KNASCIIWrapper::AutoRelease");
}

bool KNASCIIWrapper::IsEqual(IKNType* other) {
  if (other == this)
    return true;
  const std::type_info* type = other ? &typeid(*other) : nullptr;
  KNASCIIWrapper* bytes = type == &typeid(KNLiteral) || type == &typeid(KNASCIIWrapper)
                              ? static_cast<KNASCIIWrapper*>(other)
                              : dynamic_cast<KNASCIIWrapper*>(other);
  if (bytes) {
    return bytes->length_ == length_ &&
           memcmp(bytes->text_, text_, static_cast<size_t>(length_)) == 0;
  }
  return GenericIsEqual(this, other);
}

uint32_t KNASCIIWrapper::Hash() {
  const auto* bytes = reinterpret_cast<const uint8_t*>(text_);
  uint32_t h = static_cast<uint32_t>(length_);
  if (length_ > 16) {
    for (int32_t k = 0; k < 8; ++k)
      h = h * 257 + bytes[k];
    for (int32_t k = length_ - 8; k < length_; ++k)
      h = h * 257 + bytes[k];
  } else {
    for (int32_t k = 0; k < length_; ++k)
      h = h * 257 + bytes[k];
  }
  return h + (h << (static_cast<uint32_t>(length_) % 32));
}

data::IKNString* KNASCIIWrapper::Description() {
  return KNAutoRelease(Copy());
}

data::IKNString* KNASCIIWrapper::Copy() {
  wchar_t* units = nullptr;
  data::UTF16String* copy = data::UTF16String::CreateUninitialized(length_, &units);
  const auto* bytes = reinterpret_cast<const uint8_t*>(text_);
  for (int32_t k = 0; k < length_; ++k)
    units[k] = bytes[k];
  return copy;
}

const char* KNASCIIWrapper::UTF8String() {
  return CString(util::UTF8Encoding());
}

int32_t KNASCIIWrapper::Length() {
  return length_;
}

void KNASCIIWrapper::GetChars(wchar_t* dest, int32_t start, int32_t count) {
  CheckRange(start, count, length_);
  if (count == 0)
    return;
  if (!dest)
    base::KNRaiseNullPtr();
  const auto* bytes = reinterpret_cast<const uint8_t*>(text_) + start;
  for (int32_t k = 0; k < count; ++k)
    dest[k] = bytes[k];
}

uint16_t KNASCIIWrapper::CharAt(int32_t index) {
  CheckIndex(index, length_);
  return static_cast<uint8_t>(text_[index]);
}

const wchar_t* KNASCIIWrapper::Chars() {
  return nullptr;
}

int32_t KNASCIIWrapper::Encode(int32_t start,
                               int32_t count,
                               util::IKNEncoding* encoding,
                               uint8_t substitute,
                               char* dest,
                               int32_t maxBytes,
                               int32_t* bytesWritten) {
  return GenericEncode(this, start, count, encoding, substitute, dest, maxBytes, bytesWritten);
}

bool KNASCIIWrapper::GetCString(char* buffer, int32_t size, util::IKNEncoding* encoding) {
  return GenericGetCString(this, buffer, size, encoding);
}

// The own bytes when they already are the text in `encoding` and are
// zero-terminated; otherwise a converted copy.
const char* KNASCIIWrapper::CString(util::IKNEncoding* encoding) {
  if (!encoding)
    base::KNRaiseNullPtr();
  if (zeroTerminated_ && BytesServeAs(encoding, text_, length_))
    return text_;
  return GenericCString(this, encoding);
}

}  // namespace impl
}  // namespace knfoundation
