// The description assembler of lists and maps.
#include "foundation/values/ValuesText.h"

#include <cstdarg>

#include "foundation/objects/KNException.h"
#include "foundation/objects/KNHeap.h"
#include "foundation/text/IKNString.h"
#include "foundation/text/KNFormat.h"

namespace knfoundation {
namespace impl {

KNDescriptionBuilder::~KNDescriptionBuilder() {
  KNHeapFree(units_);
}

void KNDescriptionBuilder::Append(const char* format, ...) {
  va_list arguments;
  va_start(arguments, format);
  data::IKNString* piece;
  try {
    piece = KNFormatV(format, arguments);
  } catch (...) {
    va_end(arguments);
    throw;
  }
  va_end(arguments);
  try {
    int32_t length = piece->Length();
    if (static_cast<int64_t>(length_) + length > capacity_) {
      int64_t capacity = capacity_ == 0 ? 256 : capacity_;
      while (capacity < static_cast<int64_t>(length_) + length)
        capacity <<= 1;
      if (capacity > INT32_MAX / 2)
        base::KNRaiseOutOfMemory();
      units_ = static_cast<wchar_t*>(
          KNHeapReallocate(units_, static_cast<size_t>(capacity) * sizeof(wchar_t)));
      capacity_ = static_cast<int32_t>(capacity);
    }
    piece->GetChars(units_ + length_, 0, length);
    length_ += length;
  } catch (...) {
    piece->Release();
    throw;
  }
  piece->Release();
}

data::IKNString* KNDescriptionBuilder::TakeAutoReleased() {
  return data::KNStringWithChars(units_, length_);
}

}  // namespace impl
}  // namespace knfoundation
