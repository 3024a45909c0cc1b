// Thread objects: descriptions of OS threads that already run (the foundation
// never starts a thread). Each thread that asks gets one, owned by its thread
// record and released when the thread ends.
#pragma once

#include <cstdint>

#include "foundation/objects/IKNType.h"

namespace knfoundation {
namespace data {
class IKNMutableMap;
}

namespace thread {

class IKNThread : public IKNType {
 public:
  // The name as an autoreleased copy, read under the object's `Lock`.
  virtual data::IKNString* GetName() = 0;
  // Keeps a copy of `name` (the old one is autoreleased); null: `KNNullPtr`.
  virtual void SetName(data::IKNString* name) = 0;
  // True while the OS thread has not ended.
  virtual bool IsAlive() = 0;
  // 0 (idle) to 1 (time-critical); 0.5 is normal.
  virtual double GetPriority() = 0;
  // 0 to 1, mapped onto the OS priorities; "Bad priority: %f" otherwise.
  virtual void SetPriority(double priority) = 0;
  // Waits without limit for the thread to end; the OS wait result.
  virtual uint32_t Join() = 0;
  // Waits at most `seconds`: 0 when the thread ended, 258 (WAIT_TIMEOUT)
  // otherwise.
  virtual uint32_t JoinFor(double seconds) = 0;
  // Always null in this system; lent.
  virtual IKNType* GetAttachment() = 0;
  // The thread's own map, created empty on first call and owned by the thread
  // object; lent. No lock: meant for the thread itself.
  virtual data::IKNMutableMap* GetThreadDictionary() = 0;
};

// The calling thread's object, lent (its record owns it): "Main" on the main
// thread, "KNThread-%d" numbered 1, 2, 3 ... on the others in the order in
// which they first ask.
IKNThread* CurrentThread();
// True on the thread whose record is the static main-thread record.
bool IsMainThread();

}  // namespace thread
}  // namespace knfoundation
