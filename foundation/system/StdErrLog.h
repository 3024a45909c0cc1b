// `StdErrLog`: writes each message as one time-stamped UTF-8 line,
// "%04d-%02d-%02d %02d:%02d:%02d : %s\n" in local time, to the standard error
// stream (or, for tests, another stream), with a UTF-8 byte-order mark when
// the stream is a file positioned at 0. Any thread may write: each line is
// written whole under the stream's lock and flushed.
#pragma once

#include <cstdio>

#include "foundation/system/AbstractLog.h"

namespace knfoundation {
namespace util {

class StdErrLog final : public impl::AbstractLog {
 public:
  // Owned log on the standard error stream.
  static StdErrLog* Create();
  // Owned log on `stream` (borrowed; it must outlive the log).
  static StdErrLog* CreateForStream(FILE* stream);

  int32_t RetainCount() override;
  IKNType* Retain() override;
  void Release() override;
  // The level is not written. Stream failures are ignored.
  void Write(int32_t level, data::IKNString* message) override;

  // Bytes of the UTF-8 conversion area, terminator included: a message is
  // cut, at a character boundary, to 4095 bytes.
  static constexpr int32_t kBufferSize = 4096;

 private:
  explicit StdErrLog(FILE* stream) : stream_(stream) {}
  ~StdErrLog() = default;

  KNDirectCount count_;
  FILE* stream_;  // null: the standard error stream
  // Used only under the stream's lock.
  char buffer_[kBufferSize];
};

}  // namespace util
}  // namespace knfoundation
