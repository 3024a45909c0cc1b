// The per-thread record in one TLS slot and the thread-end callback that the
// image registers, so that the OS runs it on every thread that ends, also on
// threads the foundation never saw start. The callback lives in this file on
// purpose: any program that reaches `CurrentRecord` links this object file,
// and with it the callback, also from a static library.
#include "foundation/system/ThreadRecord.h"

#include "foundation/system/Win32.h"

#include "foundation/objects/KNStartupOrder.h"
#include "foundation/system/Win32Calls.h"

namespace knfoundation {
namespace thread {

namespace {

ThreadRecord gMainRecord;
DWORD gSlot = TLS_OUT_OF_INDEXES;

// Allocates the slot once; the thread that does so (static initialisation, so
// the main thread) gets the static record.
DWORD AllocateSlot() {
  DWORD fresh = win32::TlsAlloc();
  DWORD expected = TLS_OUT_OF_INDEXES;
  if (!__atomic_compare_exchange_n(&gSlot, &expected, fresh, false, __ATOMIC_ACQ_REL,
                                   __ATOMIC_ACQUIRE)) {
    ::TlsFree(fresh);
    return expected;
  }
  win32::TlsSetValue(fresh, &gMainRecord);
  return fresh;
}

DWORD Slot() {
  DWORD slot = __atomic_load_n(&gSlot, __ATOMIC_ACQUIRE);
  return slot != TLS_OUT_OF_INDEXES ? slot : AllocateSlot();
}

// Detaches the thread object, then the pools; an exception from one does not
// keep the other from running. Entries that the detaching adds again (a
// destructor asking for its thread object) are detached in a further round.
void DetachEntries(ThreadRecord* record) {
  for (int round = 0; round < 4 && (record->currentThread || record->autoreleasePools); ++round) {
    if (TLS::Base* threadEntry = record->currentThread) {
      record->currentThread = nullptr;
      try {
        threadEntry->ThreadDetach();
      } catch (...) {
      }
    }
    if (TLS::Base* pools = record->autoreleasePools) {
      try {
        pools->ThreadDetach();
      } catch (...) {
      }
      if (record->autoreleasePools == pools)
        record->autoreleasePools = nullptr;
    }
  }
}

// Runs on the ending thread. Never lets an exception escape; the slot is
// cleared whatever happened.
void NTAPI ThreadEnd(PVOID, DWORD reason, PVOID) {
  if (reason != DLL_THREAD_DETACH)
    return;
  DWORD slot = __atomic_load_n(&gSlot, __ATOMIC_ACQUIRE);
  if (slot == TLS_OUT_OF_INDEXES)
    return;
  ThreadRecord* record = static_cast<ThreadRecord*>(::TlsGetValue(slot));
  if (record == &gMainRecord)
    return;
  try {
    if (record) {
      DetachEntries(record);
      delete record;
    }
  } catch (...) {
  }
  ::TlsSetValue(slot, nullptr);
}

// Allocates the slot during static initialisation.
struct SlotSetUp {
  SlotSetUp() { Slot(); }
} gSlotSetUp KN_STARTUP(kKNStartupThreadRecord);

// At exit, after the unranked statics and before every ranked one (the log,
// the monitor cache and the registry are still there), detaches the main
// thread's entries; the static record itself stays.
struct MainRecordTearDown {
  ~MainRecordTearDown() { DetachEntries(&gMainRecord); }
} gMainRecordTearDown KN_STARTUP(kKNStartupPosixDomain + 1);

}  // namespace

ThreadRecord* CurrentRecord() {
  DWORD slot = Slot();
  if (void* value = win32::TlsGetValue(slot))
    return static_cast<ThreadRecord*>(value);
  ThreadRecord* record = new ThreadRecord();
  try {
    win32::TlsSetValue(slot, record);
  } catch (...) {
    delete record;
    throw;
  }
  return record;
}

ThreadRecord* MainThreadRecord() {
  return &gMainRecord;
}

}  // namespace thread
}  // namespace knfoundation

// The callback's entry in the image's TLS callback array (between the
// runtime's start and end markers, which the linker sorts by section name).
// `_tls_used` is referenced so that the runtime's TLS directory is linked in
// and the loader sees the array.
extern "C" {
extern const IMAGE_TLS_DIRECTORY _tls_used;
__attribute__((used)) const void* const knThreadEndTlsDirectory = &_tls_used;
__attribute__((section(".CRT$XLB"), used)) PIMAGE_TLS_CALLBACK knThreadEndCallback =
    knfoundation::thread::ThreadEnd;
}
