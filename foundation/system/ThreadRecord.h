// The per-thread record kept in one TLS slot: the thread's innermost
// autorelease pool and its thread object. The main thread's record is static;
// other threads get a heap record on first use, freed by the thread-end
// callback after it has detached both entries.
#pragma once

namespace knfoundation {
namespace thread {

struct TLS {
  // An entry of a thread record; ThreadDetach runs on the owning thread when
  // it ends (pools dispose themselves, thread objects release themselves).
  struct Base {
    virtual void ThreadDetach() = 0;

   protected:
    ~Base() = default;
  };
};

struct ThreadRecord {
  TLS::Base* autoreleasePools = nullptr;  // innermost pool, borrowed
  TLS::Base* currentThread = nullptr;     // owns one reference of the thread
};

// The calling thread's record, created on first use; never null. The thread
// that runs static initialisation gets the static main-thread record.
ThreadRecord* CurrentRecord();
// The main thread's static record (never freed).
ThreadRecord* MainThreadRecord();

}  // namespace thread
}  // namespace knfoundation
