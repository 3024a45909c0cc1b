// The shared-instance registry.
#include <thread>

#include "foundation/objects/SharedInstance.h"
#include "tests/objects/TestSupport.h"
#include <gtest/gtest.h>

namespace knfoundation {
namespace {

int gCreations = 0;
testing::Probe* gSlot = nullptr;

testing::Probe* CreateSlow() {
  ++gCreations;
  // Gives the other thread time to arrive while this one creates.
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  return new testing::Probe(7, nullptr);
}

TEST(SharedInstanceTest, TwoRacingThreadsGetTheOneObjectCreatedOnce) {
  testing::Probe* seen[2] = {nullptr, nullptr};
  std::thread first([&] { seen[0] = base::SharedInstanceOf(&CreateSlow, &gSlot); });
  std::thread second([&] { seen[1] = base::SharedInstanceOf(&CreateSlow, &gSlot); });
  first.join();
  second.join();
  EXPECT_EQ(1, gCreations);
  ASSERT_NE(nullptr, seen[0]);
  EXPECT_EQ(seen[0], seen[1]);
  EXPECT_EQ(seen[0], gSlot);
  EXPECT_EQ(1, seen[0]->RetainCount());  // the registry holds the only reference
  EXPECT_EQ(seen[0], base::SharedInstanceOf(&CreateSlow, &gSlot));
  EXPECT_EQ(1, gCreations);
}

testing::Probe* gInnerSlot = nullptr;
testing::Probe* gOuterSlot = nullptr;

testing::Probe* CreateInner() {
  return new testing::Probe(1, nullptr);
}
// A creation function may ask for another shared object.
testing::Probe* CreateOuter() {
  base::SharedInstanceOf(&CreateInner, &gInnerSlot);
  return new testing::Probe(2, nullptr);
}

TEST(SharedInstanceTest, CreationMayUseOtherSharedObjects) {
  testing::Probe* outer = base::SharedInstanceOf(&CreateOuter, &gOuterSlot);
  ASSERT_NE(nullptr, outer);
  EXPECT_EQ(2, outer->Id());
  ASSERT_NE(nullptr, gInnerSlot);
  EXPECT_EQ(1, gInnerSlot->Id());
}

}  // namespace
}  // namespace knfoundation
