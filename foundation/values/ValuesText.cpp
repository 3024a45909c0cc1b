// The description assembler of lists and maps.
#include "foundation/values/ValuesText.h"

#include <cstdarg>

#include "foundation/text/IKNMutableString.h"

namespace knfoundation {
namespace impl {

KNDescriptionBuilder::KNDescriptionBuilder() : text_(data::KNNewMutableString(0)) {}

KNDescriptionBuilder::~KNDescriptionBuilder() {
  text_->Release();
}

void KNDescriptionBuilder::Append(const char* format, ...) {
  va_list arguments;
  va_start(arguments, format);
  try {
    text_->AppendFormatV(format, arguments);
  } catch (...) {
    va_end(arguments);
    throw;
  }
  va_end(arguments);
}

data::IKNString* KNDescriptionBuilder::TakeAutoReleased() {
  return text_->TakeAutoReleased();
}

}  // namespace impl
}  // namespace knfoundation
