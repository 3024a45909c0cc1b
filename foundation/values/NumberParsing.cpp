// Reading a number from the start of a string: the first 31 characters as
// ASCII text, converted with strtoll or strtod.
#include <cerrno>
#include <cstdlib>

#include "foundation/objects/KNException.h"
#include "foundation/text/IKNEncoding.h"
#include "foundation/text/IKNString.h"

namespace knfoundation {
namespace data {

namespace {
// At most the first 31 characters take part; the rest is ignored.
constexpr int32_t kWindow = 32;

// The call found no number: its errno, or EINVAL when it left none, so that
// the failure never reads as code 0.
[[noreturn]] void RaiseNoNumber(const char* name) {
  if (errno == 0)
    errno = EINVAL;
  system::KNRaiseErrno(name);
}
}  // namespace

int64_t IKNString::ParseLong(int32_t base) {
  char text[kWindow];
  GetCString(text, kWindow, util::ASCIIEncoding());
  char* end = text;
  errno = 0;
  long long value = std::strtoll(text, &end, base);
  if (end == text)
    RaiseNoNumber("strtoll");
  return value;
}

double IKNString::ParseDouble() {
  char text[kWindow];
  GetCString(text, kWindow, util::ASCIIEncoding());
  char* end = text;
  errno = 0;
  double value = std::strtod(text, &end);
  if (end == text)
    RaiseNoNumber("strtod");
  return value;
}

}  // namespace data
}  // namespace knfoundation
