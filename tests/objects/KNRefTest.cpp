// The reference owner.
#include <vector>

#include "foundation/objects/KNRef.h"
#include "tests/objects/TestSupport.h"
#include <gtest/gtest.h>

namespace knfoundation {
namespace {

using testing::Probe;

TEST(KNRefTest, RetainsOrAdoptsAndReleasesOnEveryPath) {
  std::vector<int> destroyed;
  Probe* lent = new Probe(1, &destroyed);
  {
    KNRef<Probe> held(lent);  // retains
    EXPECT_EQ(2, lent->RetainCount());
    KNRef<Probe> copy = held;
    EXPECT_EQ(3, lent->RetainCount());
    KNRef<Probe> moved = std::move(copy);
    EXPECT_FALSE(copy);
    EXPECT_EQ(3, lent->RetainCount());
  }
  EXPECT_EQ(1, lent->RetainCount());
  lent->Release();

  try {
    KNRef<Probe> adopted = KNRef<Probe>::Adopt(new Probe(2, &destroyed));
    EXPECT_EQ(1, adopted->RetainCount());
    throw 0;
  } catch (int) {
  }

  KNRef<Probe> leaking = KNRef<Probe>::Adopt(new Probe(3, &destroyed));
  Probe* owned = leaking.Leak();
  EXPECT_FALSE(leaking);
  EXPECT_EQ((std::vector<int>{1, 2}), destroyed);
  owned->Release();
  EXPECT_EQ((std::vector<int>{1, 2, 3}), destroyed);
}

}  // namespace
}  // namespace knfoundation
