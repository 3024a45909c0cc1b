// The exception family: thrown by value, caught by reference to `IKNException`.
//
// An exception owns a copy of its message (and of its domain); copying one
// (which the throw does) copies those again, so every copy stays usable after
// another is destroyed. The raise functions format with the foundation's
// format language and never return.
#pragma once

#include <cstdint>
#include <typeinfo>

namespace knfoundation {
class IKNType;
namespace data {
class IKNString;
}

namespace base {

class IKNException {
 public:
  // The message, lent; may be null.
  virtual data::IKNString* GetMessage() const = 0;
  // Where the exception was made; always null in this system.
  virtual IKNType* GetTrace() const = 0;
  // Writes "%@: %@\nTrace: %@" (class name, message, trace) to the default log.
  virtual void Log(int32_t level) const = 0;

 protected:
  IKNException() = default;
  IKNException(const IKNException&) = default;
  IKNException& operator=(const IKNException&) = default;
  ~IKNException() = default;
};

class KNException : public IKNException {
 public:
  // Keeps `Copy()` of the message (null allowed).
  explicit KNException(data::IKNString* message);
  KNException(const KNException& other);
  KNException& operator=(const KNException& other);
  // Not virtual: exceptions are values, destroyed as their own class, and the
  // slots after `Log` belong to the subclasses' operations.
  ~KNException();

  data::IKNString* GetMessage() const override;
  IKNType* GetTrace() const override;
  void Log(int32_t level) const override;

 private:
  data::IKNString* message_;
  IKNType* trace_;
};

#define KN_DECLARE_EXCEPTION(Name, Base)                       \
  class Name : public Base {                                   \
   public:                                                     \
    explicit Name(data::IKNString* message) : Base(message) {} \
  };

KN_DECLARE_EXCEPTION(KNOutOfMemory, KNException)
KN_DECLARE_EXCEPTION(KNNullPtr, KNException)
KN_DECLARE_EXCEPTION(KNBadCast, KNException)
KN_DECLARE_EXCEPTION(KNIllegalArgument, KNException)
KN_DECLARE_EXCEPTION(KNIllegalState, KNException)
KN_DECLARE_EXCEPTION(KNOutOfRange, KNException)
KN_DECLARE_EXCEPTION(KNUnsupportedOperation, KNException)

// Raise functions. Formats are 8-bit texts in the foundation's format language.
[[noreturn]] void KNRaiseException(const char* format, ...);
[[noreturn]] void KNRaiseOutOfMemory();
[[noreturn]] void KNRaiseNullPtr();
[[noreturn]] void KNRaiseBadCast(const std::type_info& target, IKNType* object);
[[noreturn]] void KNRaiseIllegalArgument(const char* format, ...);
[[noreturn]] void KNRaiseIllegalState(const char* format, ...);
[[noreturn]] void KNRaiseUnsupportedOperation(const char* format, ...);
// "index out of bounds %d  [%d:%d]" with index, start and start + count.
[[noreturn]] void KNRaiseOutOfRange(int32_t index, int32_t start, int32_t count);
[[noreturn]] void KNRaiseOutOfRange(int32_t index, int32_t count);

}  // namespace base

namespace io {
KN_DECLARE_EXCEPTION(KNTimeOut, base::KNException)
}

namespace jni {
KN_DECLARE_EXCEPTION(KNJavaError, base::KNException)
}

namespace system {

// Failure of an OS or runtime-library call: domain and code besides the message.
class KNSysError : public base::KNException {
 public:
  KNSysError(data::IKNString* message, data::IKNString* domain, int32_t code);
  KNSysError(const KNSysError& other);
  KNSysError& operator=(const KNSysError& other);
  ~KNSysError();

  // The error domain, lent.
  virtual data::IKNString* GetDomain() const;
  virtual int32_t GetCode() const;

 private:
  data::IKNString* domain_;
  int32_t code_;
};

#define KN_DECLARE_SYS_ERROR(Name)                                        \
  class Name : public ::knfoundation::system::KNSysError {                \
   public:                                                                \
    Name(data::IKNString* message, data::IKNString* domain, int32_t code) \
        : KNSysError(message, domain, code) {}                            \
  };

KN_DECLARE_SYS_ERROR(KNAccessDenied)

// The error domains, immortal literals: "kKNWin32ErrorDomain" and "Posix".
data::IKNString* kKNWin32ErrorDomain();
data::IKNString* kKNPosixErrorDomain();

// The system's text for a Win32 code (trailing CR/LF removed), autoreleased;
// "N/A" when the system has none. Never fails.
data::IKNString* Win32ErrorText(int32_t code);
// The runtime library's text for an errno value as a literal; "N/A" outside
// its table.
data::IKNString* PosixErrorText(int32_t code);

// "%s() failed <%d: %@>" with the call name, the code and its text; the class
// follows the Win32 mapping.
[[noreturn]] void KNRaiseWin32Error(const char* name, int32_t code);
[[noreturn]] void KNRaiseWin32ErrorF(int32_t code, const char* format, ...);
[[noreturn]] void KNRaisePosixError(const char* name, int32_t code);
[[noreturn]] void KNRaisePosixErrorF(int32_t code, const char* format, ...);
// `KNRaisePosixError(name, errno)`.
[[noreturn]] void KNRaiseErrno(const char* name);

}  // namespace system

namespace io {
KN_DECLARE_SYS_ERROR(KNFileExists)
KN_DECLARE_SYS_ERROR(KNDiskFull)
KN_DECLARE_SYS_ERROR(KNFileNotFound)
}  // namespace io

}  // namespace knfoundation
