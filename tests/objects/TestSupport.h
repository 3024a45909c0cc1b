// Helpers of the object-model tests: a counted probe that records its own
// destruction, and a capture of the process's standard error.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "foundation/objects/IKNType.h"

namespace knfoundation {
namespace testing {

// A counted object that appends its id to `destroyed` when it is destroyed;
// `onDestroy` (if set) runs inside its destructor.
class Probe : public util::KNRefCountT<IKNType> {
 public:
  Probe(int id, std::vector<int>* destroyed, void (*onDestroy)(int id) = nullptr)
      : id_(id), destroyed_(destroyed), onDestroy_(onDestroy) {}
  ~Probe() override {
    if (destroyed_)
      destroyed_->push_back(id_);
    if (onDestroy_)
      onDestroy_(id_);
  }
  int Id() const { return id_; }

 private:
  int id_;
  std::vector<int>* destroyed_;
  void (*onDestroy_)(int id);
};

// Redirects standard error (the C runtime's descriptor 2 and the process's
// standard handle) to a temporary file while alive; `Text` returns what was
// written so far, with "\r\n" turned into "\n".
class StdErrCapture {
 public:
  StdErrCapture();
  ~StdErrCapture();
  StdErrCapture(const StdErrCapture&) = delete;
  StdErrCapture& operator=(const StdErrCapture&) = delete;
  std::string Text();

 private:
  std::wstring path_;
  int savedFd_;
  void* savedHandle_;
};

// The slot of virtual operation `member` in its class's table of virtual
// operations, counted from 0. The toolchain's member pointer to a virtual
// operation holds 1 plus the slot's byte offset.
template <class Member>
int SlotOf(Member member) {
  static_assert(sizeof(Member) == 2 * sizeof(uintptr_t), "member pointer of this toolchain");
  uintptr_t word;
  std::memcpy(&word, &member, sizeof word);
  return (word & 1) ? static_cast<int>((word - 1) / sizeof(void*)) : -1;
}

// The address in a "%p" or "%#p" text (hex digits, "0x" prefix optional);
// 0 when `text` is not such a text.
uintptr_t ParseAddress(const std::string& text);

}  // namespace testing
}  // namespace knfoundation
