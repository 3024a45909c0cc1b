// The root interface: counting, the defaults and the leak report.
#include <string>

#include "foundation/objects/IKNAllocator.h"
#include "foundation/objects/IKNAutoReleasePool.h"
#include "foundation/objects/IKNType.h"
#include "foundation/system/IKNMonitor.h"
#include "foundation/text/IKNString.h"
#include "tests/objects/TestSupport.h"
#include <gtest/gtest.h>

namespace knfoundation {
namespace {

using testing::ParseAddress;
using testing::Probe;
using testing::StdErrCapture;

std::string Utf8(data::IKNString* string) {
  return string ? string->UTF8String() : "<null>";
}

TEST(IKNTypeTest, OperationsSitInTheirSlotOrder) {
  using testing::SlotOf;
  struct SlotCase {
    int slot;
    int expected;
  };
  const SlotCase cases[] = {
      // the eight root operations
      {SlotOf(&IKNType::RetainCount), 0},
      {SlotOf(&IKNType::Retain), 1},
      {SlotOf(&IKNType::Release), 2},
      {SlotOf(&IKNType::AutoRelease), 3},
      {SlotOf(&IKNType::IsEqual), 4},
      {SlotOf(&IKNType::Hash), 5},
      {SlotOf(&IKNType::Description), 6},
      {SlotOf(&IKNType::Lock), 7},
      // copying follows them directly
      {SlotOf(&util::IKNCloning::Copy), 8},
      // the pool interface, not an IKNType
      {SlotOf(&base::IKNAutoReleasePool::Count), 0},
      {SlotOf(&base::IKNAutoReleasePool::Dump), 1},
      {SlotOf(&base::IKNAutoReleasePool::Dispose), 2},
  };
  for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i)
    EXPECT_EQ(cases[i].expected, cases[i].slot) << "row " << i;
}

TEST(IKNTypeTest, CountsFromOneAndDestroysAtZero) {
  std::vector<int> destroyed;
  int32_t live = debug::LiveObjectCount();
  Probe* probe = new Probe(1, &destroyed);
  EXPECT_EQ(live + 1, debug::LiveObjectCount());
  EXPECT_EQ(1, probe->RetainCount());
  EXPECT_EQ(probe, probe->Retain());
  EXPECT_EQ(2, probe->RetainCount());
  probe->Release();
  EXPECT_EQ(1, probe->RetainCount());
  EXPECT_TRUE(destroyed.empty());
  probe->Release();
  EXPECT_EQ(std::vector<int>{1}, destroyed);
  EXPECT_EQ(live, debug::LiveObjectCount());
}

TEST(IKNTypeTest, EqualityIsIdentityAndHashIsTheAddress) {
  Probe* a = new Probe(1, nullptr);
  Probe* b = new Probe(2, nullptr);
  EXPECT_TRUE(a->IsEqual(a));
  EXPECT_FALSE(a->IsEqual(b));
  EXPECT_FALSE(a->IsEqual(nullptr));
  EXPECT_EQ(static_cast<uint32_t>(reinterpret_cast<uintptr_t>(a)), a->Hash());
  a->Release();
  b->Release();
}

TEST(IKNTypeTest, DefaultDescriptionNamesClassAndAddress) {
  base::KNAutoReleaseScope pool;
  base::IKNAllocator* malloc = base::MallocAllocator();
  std::string text = Utf8(malloc->Description());
  const std::string prefix = "<class knfoundation::base::Malloc ";
  ASSERT_EQ(prefix, text.substr(0, prefix.size())) << text;
  ASSERT_EQ('>', text.back()) << text;
  std::string address = text.substr(prefix.size(), text.size() - prefix.size() - 1);
  EXPECT_EQ(reinterpret_cast<uintptr_t>(malloc), ParseAddress(address)) << text;
}

TEST(IKNTypeTest, AutoReleaseWithoutPoolLeaksAndSaysSo) {
  Probe* probe = new Probe(1, nullptr);
  std::string text;
  {
    StdErrCapture capture;
    EXPECT_EQ(probe, probe->AutoRelease());
    text = capture.Text();
  }
  EXPECT_EQ(1, probe->RetainCount());
  const std::string head = "*** IKNAutoReleasePool: Object ";
  const std::string tail =
      " of class class knfoundation::testing::Probe autoreleased with no pool in place - just "
      "leaking\n";
  size_t at = text.find(head);
  ASSERT_NE(std::string::npos, at) << text;
  ASSERT_GE(text.size(), at + head.size() + tail.size()) << text;
  EXPECT_EQ(tail, text.substr(text.size() - tail.size())) << text;
  std::string address = text.substr(at + head.size(), text.size() - tail.size() - at - head.size());
  EXPECT_EQ(reinterpret_cast<uintptr_t>(probe), ParseAddress(address)) << text;
  probe->Release();
}

TEST(IKNTypeTest, LockEntersTheSameMonitorForTheSameObject) {
  Probe* probe = new Probe(1, nullptr);
  thread::IKNMonitor* first = probe->Lock();
  ASSERT_NE(nullptr, first);
  thread::IKNMonitor* again = probe->Lock();  // recursive
  EXPECT_EQ(first, again);
  again->Unlock();
  first->Unlock();
  probe->Release();
}

}  // namespace
}  // namespace knfoundation
