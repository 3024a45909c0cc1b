// The exception classes: message and trace ownership, copying and `Log`.
#include "foundation/objects/KNException.h"

#include "foundation/objects/ClassName.h"
#include "foundation/objects/IKNType.h"
#include "foundation/system/IKNLog.h"
#include "foundation/text/IKNString.h"

namespace knfoundation {
namespace base {

namespace {

// Where an exception was made. This system records no traces.
IKNType* CurrentTrace() {
  return nullptr;
}

data::IKNString* CopyOf(data::IKNString* string) {
  return string ? string->Copy() : nullptr;
}

}  // namespace

KNException::KNException(data::IKNString* message)
    : message_(CopyOf(message)), trace_(KNRetain(CurrentTrace())) {}

KNException::KNException(const KNException& other)
    : IKNException(other), message_(CopyOf(other.message_)), trace_(KNRetain(other.trace_)) {}

KNException& KNException::operator=(const KNException& other) {
  data::IKNString* message = CopyOf(other.message_);
  IKNType* trace = KNRetain(other.trace_);
  KNRelease(trace_);
  KNRelease(message_);
  message_ = message;
  trace_ = trace;
  return *this;
}

KNException::~KNException() {
  KNRelease(trace_);
  KNRelease(message_);
}

data::IKNString* KNException::GetMessage() const {
  return message_;
}

IKNType* KNException::GetTrace() const {
  return trace_;
}

void KNException::Log(int32_t level) const {
  util::LogAtLevel(level, "%@: %@\nTrace: %@", static_cast<IKNType*>(TypeName(typeid(*this))),
                   static_cast<IKNType*>(message_), trace_);
}

}  // namespace base

namespace system {

KNSysError::KNSysError(data::IKNString* message, data::IKNString* domain, int32_t code)
    : KNException(message), domain_(domain ? domain->Copy() : nullptr), code_(code) {}

KNSysError::KNSysError(const KNSysError& other)
    : KNException(other),
      domain_(other.domain_ ? other.domain_->Copy() : nullptr),
      code_(other.code_) {}

KNSysError& KNSysError::operator=(const KNSysError& other) {
  KNException::operator=(other);
  data::IKNString* domain = other.domain_ ? other.domain_->Copy() : nullptr;
  KNRelease(domain_);
  domain_ = domain;
  code_ = other.code_;
  return *this;
}

KNSysError::~KNSysError() {
  KNRelease(domain_);
}

data::IKNString* KNSysError::GetDomain() const {
  return domain_;
}

int32_t KNSysError::GetCode() const {
  return code_;
}

}  // namespace system
}  // namespace knfoundation
