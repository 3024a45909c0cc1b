// The standard-error log's line writer.
#include "foundation/system/StdErrLog.h"

#include <cstdio>
#include <ctime>
#include <io.h>

#include "foundation/text/IKNEncoding.h"
#include "foundation/text/IKNString.h"

namespace knfoundation {
namespace util {
namespace {

// Holds the stream's own lock for a scope, also while an exception unwinds.
class StreamLock {
 public:
  explicit StreamLock(FILE* stream) : stream_(stream) { _lock_file(stream_); }
  ~StreamLock() { _unlock_file(stream_); }
  StreamLock(const StreamLock&) = delete;
  StreamLock& operator=(const StreamLock&) = delete;

 private:
  FILE* stream_;
};

}  // namespace

StdErrLog* StdErrLog::Create() {
  return new StdErrLog(nullptr);
}

StdErrLog* StdErrLog::CreateForStream(FILE* stream) {
  return new StdErrLog(stream);
}

int32_t StdErrLog::RetainCount() {
  return count_.Get();
}

IKNType* StdErrLog::Retain() {
  count_.Increment();
  return this;
}

void StdErrLog::Release() {
  if (count_.Decrement())
    delete this;
}

void StdErrLog::Write(int32_t, data::IKNString* message) {
  FILE* stream = stream_ ? stream_ : stderr;
  StreamLock lock(stream);
  const __time64_t now = _time64(nullptr);
  struct tm local = {};
  _localtime64_s(&local, &now);
  buffer_[0] = 0;
  if (message)
    message->GetCString(buffer_, kBufferSize, UTF8Encoding());
  else
    snprintf(buffer_, kBufferSize, "(null)");
  // The mark opens a file only: position 0 of a stream whose file is empty
  // (a stream opened for appending may report 0 over existing text).
  if (_ftelli64(stream) == 0 && _filelengthi64(_fileno(stream)) == 0)
    fwrite("\xEF\xBB\xBF", 1, 3, stream);
  fprintf(stream, "%04d-%02d-%02d %02d:%02d:%02d : %s\n", local.tm_year + 1900, local.tm_mon + 1,
          local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec, buffer_);
  fflush(stream);
}

}  // namespace util
}  // namespace knfoundation
