// The raise functions of the plain exception classes.
#include <cstdarg>

#include "foundation/objects/ClassName.h"
#include "foundation/objects/IKNType.h"
#include "foundation/objects/KNException.h"
#include "foundation/objects/KNRaiseSupport.h"
#include "foundation/text/IKNString.h"
#include "foundation/text/KNFormat.h"

namespace knfoundation {
namespace base {

void KNRaiseException(const char* format, ...) {
  va_list arguments;
  va_start(arguments, format);
  data::IKNString* message = KNFormatV(format, arguments);
  va_end(arguments);
  impl::KNThrowOwned<KNException>(message);
}

void KNRaiseOutOfMemory() {
  throw KNOutOfMemory(KN_LIT("Out of memory"));
}

void KNRaiseNullPtr() {
  throw KNNullPtr(KN_LIT(""));
}

void KNRaiseBadCast(const std::type_info& target, IKNType* object) {
  impl::KNThrowOwned<KNBadCast>(KNFormat("Cannot cast <%@> to <%@>",
                                         static_cast<IKNType*>(ClassName(object)),
                                         static_cast<IKNType*>(TypeName(target))));
}

void KNRaiseIllegalArgument(const char* format, ...) {
  va_list arguments;
  va_start(arguments, format);
  data::IKNString* message = KNFormatV(format, arguments);
  va_end(arguments);
  impl::KNThrowOwned<KNIllegalArgument>(message);
}

void KNRaiseIllegalState(const char* format, ...) {
  va_list arguments;
  va_start(arguments, format);
  data::IKNString* message = KNFormatV(format, arguments);
  va_end(arguments);
  impl::KNThrowOwned<KNIllegalState>(message);
}

void KNRaiseUnsupportedOperation(const char* format, ...) {
  va_list arguments;
  va_start(arguments, format);
  data::IKNString* message = KNFormatV(format, arguments);
  va_end(arguments);
  impl::KNThrowOwned<KNUnsupportedOperation>(message);
}

void KNRaiseOutOfRange(int32_t index, int32_t start, int32_t count) {
  impl::KNThrowOwned<KNOutOfRange>(
      KNFormat("index out of bounds %d  [%d:%d]", index, start, start + count));
}

void KNRaiseOutOfRange(int32_t index, int32_t count) {
  KNRaiseOutOfRange(index, 0, count);
}

}  // namespace base
}  // namespace knfoundation
