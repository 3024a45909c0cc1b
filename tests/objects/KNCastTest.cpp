// The guarded down-cast.
#include <string>

#include "foundation/objects/IKNAutoReleasePool.h"
#include "foundation/objects/KNCast.h"
#include "foundation/text/IKNString.h"
#include "foundation/values/IKNMap.h"
#include "tests/objects/TestSupport.h"
#include <gtest/gtest.h>

namespace knfoundation {
namespace {

TEST(KNCastTest, NullStaysNullAndMatchingClassesPass) {
  EXPECT_EQ(nullptr, KNCast<data::IKNString>(nullptr));
  testing::Probe* probe = new testing::Probe(1, nullptr);
  IKNType* object = probe;
  EXPECT_EQ(probe, KNCast<testing::Probe>(object));
  EXPECT_EQ(probe, KNCast<util::KNRefCountT<IKNType>>(object));  // a base class
  EXPECT_EQ(1, probe->RetainCount());
  probe->Release();
}

TEST(KNCastTest, ForeignObjectThrowsBadCastNamingBothClasses) {
  base::KNAutoReleaseScope pool;
  data::IKNString* string = data::KNNewString(L"abc", 3);
  try {
    KNCast<data::IKNMap>(string);
    FAIL() << "no exception";
  } catch (const base::KNBadCast& e) {
    EXPECT_EQ(std::string("Cannot cast <class knfoundation::data::UTF16String> to "
                          "<class knfoundation::data::IKNMap>"),
              e.GetMessage()->UTF8String());
  }
  EXPECT_EQ(1, string->RetainCount());  // untouched
  string->Release();
}

}  // namespace
}  // namespace knfoundation
