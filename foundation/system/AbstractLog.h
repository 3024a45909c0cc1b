// `AbstractLog`: the threshold and the formatting half of every log. The
// concrete log supplies counting and the sink `Write`.
#pragma once

#include "foundation/system/IKNLog.h"

namespace knfoundation {
namespace impl {

class AbstractLog : public util::IKNLog {
 public:
  int32_t GetLevel() override { return level_; }
  // A plain 32-bit store, not synchronised.
  void SetLevel(int32_t level) override { level_ = level; }
  void LogString(int32_t level, data::IKNString* message) override;
  // Above the threshold: returns at once, nothing is formatted.
  void LogV(int32_t level, const char* format, va_list arguments) override;
  void LogF(int32_t level, const char* format, ...) override;

 protected:
  AbstractLog() = default;
  ~AbstractLog() = default;

 private:
  int32_t level_ = util::kDefaultLogLevel;
};

}  // namespace impl
}  // namespace knfoundation
