// OS and runtime-library failures: the error domains, the texts of error
// codes, and the code-to-class mappings behind the system raise functions.
#include <cerrno>
#include <cstdarg>
#include <cstdlib>

#include "foundation/objects/IKNAllocator.h"
#include "foundation/objects/KNException.h"
#include "foundation/objects/KNRaiseSupport.h"
#include "foundation/objects/KNStartupOrder.h"
#include "foundation/system/ErrorText.h"
#include "foundation/text/IKNString.h"
#include "foundation/text/KNFormat.h"

namespace knfoundation {
namespace system {

namespace {

// Win32 codes and the classes they raise. 10060 (a Winsock time-out) raises
// `KNTimeOut`, which carries only the message.
[[noreturn]] void ThrowWin32(int32_t code, data::IKNString* message) {
  data::IKNString* domain = kKNWin32ErrorDomain();
  switch (code) {
    case 2:    // file not found
    case 3:    // path not found
    case 15:   // invalid drive
    case 18:   // no more files
    case 53:   // bad network path
    case 67:   // bad network name
    case 161:  // bad path name
    case 206:  // file name too long
      impl::KNThrowOwned<io::KNFileNotFound>(message, domain, code);
    case 5:  // access denied
      impl::KNThrowOwned<KNAccessDenied>(message, domain, code);
    case 80:   // file exists
    case 183:  // already exists
      impl::KNThrowOwned<io::KNFileExists>(message, domain, code);
    case 112:  // disk full
      impl::KNThrowOwned<io::KNDiskFull>(message, domain, code);
    case 10060:  // connection timed out
      impl::KNThrowOwned<io::KNTimeOut>(message);
    default:
      impl::KNThrowOwned<KNSysError>(message, domain, code);
  }
}

// errno values and the classes they raise.
[[noreturn]] void ThrowPosix(int32_t code, data::IKNString* message) {
  data::IKNString* domain = kKNPosixErrorDomain();
  switch (code) {
    case ENOENT:
    case ENOTDIR:
      impl::KNThrowOwned<io::KNFileNotFound>(message, domain, code);
    case EACCES:
      impl::KNThrowOwned<KNAccessDenied>(message, domain, code);
    case EEXIST:
      impl::KNThrowOwned<io::KNFileExists>(message, domain, code);
    case ENOSPC:
      impl::KNThrowOwned<io::KNDiskFull>(message, domain, code);
    default:
      impl::KNThrowOwned<KNSysError>(message, domain, code);
  }
}

// The system's text for `code` without its trailing line breaks, owned; the
// literal "N/A" when there is none.
data::IKNString* NewWin32ErrorText(int32_t code) {
  wchar_t* text = nullptr;
  uint32_t length = win32::FormatSystemMessage(code, &text);
  if (length == 0 || !text)
    return KN_LIT("N/A");
  while (length > 0 && (text[length - 1] == 13 || text[length - 1] == 10))
    text[--length] = 0;
  return data::KNNewStringWrapperZ(text, win32::LocalAllocatorInstance());
}

// Both domains exist from start-up on.
struct DomainStartup {
  explicit DomainStartup(data::IKNString* (*domain)()) { domain(); }
};
DomainStartup gWin32Domain KN_STARTUP(kKNStartupWin32Domain)(&kKNWin32ErrorDomain);
DomainStartup gPosixDomain KN_STARTUP(kKNStartupPosixDomain)(&kKNPosixErrorDomain);

}  // namespace

data::IKNString* kKNWin32ErrorDomain() {
  static data::IKNString* const domain = KN_LIT("kKNWin32ErrorDomain");
  return domain;
}

data::IKNString* kKNPosixErrorDomain() {
  static data::IKNString* const domain = KN_LIT("Posix");
  return domain;
}

data::IKNString* Win32ErrorText(int32_t code) {
  return KNAutoRelease(NewWin32ErrorText(code));
}

data::IKNString* PosixErrorText(int32_t code) {
  if (code > 0 && code < _sys_nerr && _sys_errlist[code])
    return impl::KNLiteral::Intern(_sys_errlist[code]);
  return KN_LIT("N/A");
}

void KNRaiseWin32Error(const char* name, int32_t code) {
  data::IKNString* text = NewWin32ErrorText(code);
  impl::KNOwnedReference textOwner(text);
  ThrowWin32(code, KNFormat("%s() failed <%d: %@>", name, code, static_cast<IKNType*>(text)));
}

void KNRaiseWin32ErrorF(int32_t code, const char* format, ...) {
  va_list arguments;
  va_start(arguments, format);
  data::IKNString* message = KNFormatV(format, arguments);
  va_end(arguments);
  ThrowWin32(code, message);
}

void KNRaisePosixError(const char* name, int32_t code) {
  ThrowPosix(code, KNFormat("%s() failed <%d: %@>", name, code,
                            static_cast<IKNType*>(PosixErrorText(code))));
}

void KNRaisePosixErrorF(int32_t code, const char* format, ...) {
  va_list arguments;
  va_start(arguments, format);
  data::IKNString* message = KNFormatV(format, arguments);
  va_end(arguments);
  ThrowPosix(code, message);
}

void KNRaiseErrno(const char* name) {
  KNRaisePosixError(name, errno);
}

}  // namespace system
}  // namespace knfoundation
