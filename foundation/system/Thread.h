// The thread object classes behind `CurrentThread`: `AbstractThread` holds the
// name, attachment and dictionary and registers itself in the calling
// thread's record; `Thread` adds the count and a real handle to the thread
// that constructed it.
#pragma once

#include "foundation/system/Win32.h"

#include "foundation/system/IKNThread.h"
#include "foundation/system/ThreadRecord.h"

namespace knfoundation {
namespace thread {

class AbstractThread : public IKNThread, public TLS::Base {
 public:
  data::IKNString* GetName() override;
  void SetName(data::IKNString* name) override;
  IKNType* GetAttachment() override;
  data::IKNMutableMap* GetThreadDictionary() override;

 protected:
  // Keeps a copy of `name` (null allowed) and becomes the calling thread's
  // `currentThread`, replacing any previous entry without releasing it.
  explicit AbstractThread(data::IKNString* name);
  // Releases the dictionary, the attachment and the name.
  ~AbstractThread();

 private:
  data::IKNString* name_;
  IKNType* attachment_ = nullptr;
  data::IKNMutableMap* dictionary_ = nullptr;
};

class Thread final : public AbstractThread {
 public:
  // Owned (count 1); describes the calling thread, registered in its record.
  explicit Thread(data::IKNString* name);

  int32_t RetainCount() override;
  IKNType* Retain() override;
  // At 0: closes the handle and frees the object.
  void Release() override;

  bool IsAlive() override;
  double GetPriority() override;
  void SetPriority(double priority) override;
  uint32_t Join() override;
  uint32_t JoinFor(double seconds) override;

  // Thread end: releases the record's reference.
  void ThreadDetach() override;

 private:
  Thread(data::IKNString* name, HANDLE handle);
  ~Thread();

  util::KNDirectCount count_;
  HANDLE handle_;
};

}  // namespace thread
}  // namespace knfoundation
