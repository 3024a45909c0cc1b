// Numbers, booleans and null: static instances, numeric equality and the
// hash agreement of both number classes, accessors and descriptions.
#include <cmath>
#include <limits>

#include "foundation/objects/KNStartupOrder.h"
#include "foundation/values/Bool.h"
#include "foundation/values/IKNList.h"
#include "foundation/values/IKNNumber.h"
#include "foundation/values/Nil.h"
#include "foundation/values/Number.h"
#include "tests/values/ValuesTestSupport.h"
#include <gtest/gtest.h>

namespace knfoundation {
namespace {

using data::IKNNumber;
using testing::Describe;

class NumberTest : public testing::ValuesTest {};

// Released by a start-up object of lower rank than the small integers, so
// during exit after their rank has been torn down. Were they destroyed by
// then, releasing them would abort the process and fail this test binary.
struct ReleasedLateAtExit {
  ~ReleasedLateAtExit() { KNRelease(list); }
  data::IKNMutableList* list = nullptr;
} gReleasedLate KN_STARTUP(kKNStartupWin32Domain);

TEST_F(NumberTest, StaticIntsOutliveTheLastStaticDestructors) {
  gReleasedLate.list = data::KNNewMutableList(0);
  gReleasedLate.list->Add(data::KNNewInt(3));
  EXPECT_EQ(gReleasedLate.list->ValueAt(0)->RetainCount(), 2147483647);
}

TEST_F(NumberTest, StaticIntsAreSharedAndImmortal) {
  for (int64_t value = -1; value <= 9; ++value) {
    IKNNumber* number = data::KNNewInt(value);
    EXPECT_EQ(number, data::KNNewInt(value)) << value;
    EXPECT_EQ(number, data::KNIntWithValue(value)) << value;
    EXPECT_EQ(number->LongValue(), value);
  }
  IKNNumber* zero = data::KNNewInt(0);
  EXPECT_EQ(zero->RetainCount(), 2147483647);
  for (int i = 0; i < 5; ++i)
    zero->Retain();
  for (int i = 0; i < 10; ++i)
    zero->Release();
  zero->AutoRelease();
  EXPECT_EQ(zero->RetainCount(), 2147483647);
  EXPECT_EQ(zero->LongValue(), 0);

  // Outside -1..9 every call makes a new counted object.
  for (int64_t value : {int64_t{10}, int64_t{-2}}) {
    IKNNumber* a = data::KNNewInt(value);
    IKNNumber* b = data::KNNewInt(value);
    EXPECT_NE(a, b);
    EXPECT_TRUE(a->IsEqual(b));
    EXPECT_EQ(a->RetainCount(), 1);
    a->Release();
    b->Release();
  }
}

TEST_F(NumberTest, ZeroDoubleIsTheStaticIntZero) {
  IKNNumber* zero = data::KNDoubleWithValue(0.0);
  EXPECT_EQ(zero, data::KNNewInt(0));
  EXPECT_EQ(zero, data::KNDoubleWithValue(-0.0));
  EXPECT_FALSE(zero->IsFloat());
  EXPECT_EQ(Describe(zero), "0");
}

struct EqualityCase {
  const char* what;
  IKNNumber* (*a)();
  IKNNumber* (*b)();
  bool equal;
};

TEST_F(NumberTest, EqualNumbersHashAlike) {
  const EqualityCase cases[] = {
      {"Int 5, Double 5.0", [] { return data::KNIntWithValue(5); },
       [] { return data::KNDoubleWithValue(5.0); }, true},
      {"Int 5, Double 5.5", [] { return data::KNIntWithValue(5); },
       [] { return data::KNDoubleWithValue(5.5); }, false},
      {"NaN, NaN", [] { return data::KNDoubleWithValue(std::nan("")); },
       [] { return data::KNDoubleWithValue(std::nan("")); }, true},
      {"Int -7, Double -7.0", [] { return data::KNIntWithValue(-7); },
       [] { return data::KNDoubleWithValue(-7.0); }, true},
      // Integral values beyond 32 bits still find each other in a map.
      {"Int 5e9, Double 5e9", [] { return data::KNIntWithValue(5000000000LL); },
       [] { return data::KNDoubleWithValue(5e9); }, true},
      {"Int 2^32 - 1, Double 2^32 - 1", [] { return data::KNIntWithValue(4294967295LL); },
       [] { return data::KNDoubleWithValue(4294967295.0); }, true},
      {"Int 2^40, Int 2^40", [] { return data::KNIntWithValue(1LL << 40); },
       [] { return data::KNIntWithValue(1LL << 40); }, true},
      {"Int 2^40, Int 2^40 + 1", [] { return data::KNIntWithValue(1LL << 40); },
       [] { return data::KNIntWithValue((1LL << 40) + 1); }, false},
      {"Double 1.25, Double 1.25", [] { return data::KNDoubleWithValue(1.25); },
       [] { return data::KNDoubleWithValue(1.25); }, true},
      {"infinity, infinity",
       [] { return data::KNDoubleWithValue(std::numeric_limits<double>::infinity()); },
       [] { return data::KNDoubleWithValue(std::numeric_limits<double>::infinity()); }, true},
  };
  for (const EqualityCase& c : cases) {
    IKNNumber* a = c.a();
    IKNNumber* b = c.b();
    EXPECT_EQ(a->IsEqual(b), c.equal) << c.what;
    EXPECT_EQ(b->IsEqual(a), c.equal) << c.what;
    if (c.equal) {
      EXPECT_EQ(a->Hash(), b->Hash()) << c.what;
    }
  }
  EXPECT_FALSE(data::KNIntWithValue(1)->IsEqual(data::KNTrue()));
  EXPECT_FALSE(data::KNIntWithValue(1)->IsEqual(nullptr));
}

TEST_F(NumberTest, Hashes) {
  EXPECT_EQ(data::KNIntWithValue(-7)->Hash(), 7u);
  EXPECT_EQ(data::KNIntWithValue((1LL << 32) + 3)->Hash(), 3u);
  EXPECT_EQ(data::KNIntWithValue(INT64_MIN)->Hash(), 0u);
  // Fractional part: i = 2, f = trunc(0.5 * -4294967295) = -2147483647.
  EXPECT_EQ(data::KNDoubleWithValue(2.5)->Hash(), 2u + 2147483647u);
  EXPECT_EQ(data::KNDoubleWithValue(-2.5)->Hash(), 2u + 2147483647u);
  EXPECT_EQ(data::KNDoubleWithValue(std::nan(""))->Hash(), 0u);
}

TEST_F(NumberTest, Accessors) {
  IKNNumber* largestNarrow = data::KNIntWithValue(2147483647);
  EXPECT_FALSE(largestNarrow->IsWide());
  EXPECT_TRUE(data::KNIntWithValue(2147483648LL)->IsWide());
  EXPECT_TRUE(data::KNIntWithValue(-2147483649LL)->IsWide());
  EXPECT_FALSE(data::KNIntWithValue(-2147483648LL)->IsWide());
  EXPECT_EQ(data::KNIntWithValue((1LL << 32) + 1)->IntValue(), 1);
  EXPECT_EQ(data::KNIntWithValue(7)->DoubleValue(), 7.0);
  EXPECT_FALSE(data::KNIntWithValue(7)->IsFloat());

  IKNNumber* d = data::KNDoubleWithValue(-2.7);
  EXPECT_EQ(d->LongValue(), -2);
  EXPECT_EQ(d->IntValue(), -2);
  EXPECT_TRUE(d->IsFloat());
  EXPECT_TRUE(d->IsWide());
  EXPECT_EQ(data::KNDoubleWithValue(4294967297.5)->IntValue(), 1);
  // Out-of-range and NaN conversions are defined.
  EXPECT_EQ(data::KNDoubleWithValue(1e300)->LongValue(), INT64_MAX);
  EXPECT_EQ(data::KNDoubleWithValue(-1e300)->LongValue(), INT64_MIN);
  EXPECT_EQ(data::KNDoubleWithValue(std::nan(""))->LongValue(), 0);
}

TEST_F(NumberTest, Descriptions) {
  EXPECT_EQ(Describe(data::KNIntWithValue(-42)), "-42");
  EXPECT_EQ(Describe(data::KNIntWithValue(INT64_MAX)), "9223372036854775807");
  EXPECT_EQ(Describe(data::KNIntWithValue(9)), "9");
  // "%e": exponent form with six digits after the point.
  std::string text = Describe(data::KNDoubleWithValue(1.5));
  EXPECT_EQ(text.substr(0, 10), "1.500000e+") << text;
  EXPECT_EQ(Describe(data::KNDoubleWithValue(-1250.0)).substr(0, 11), "-1.250000e+");
}

TEST_F(NumberTest, BooleansAndNull) {
  EXPECT_EQ(data::KNTrue(), data::KNTrue());
  EXPECT_NE(static_cast<IKNType*>(data::KNTrue()), static_cast<IKNType*>(data::KNFalse()));
  EXPECT_TRUE(data::KNTrue()->BoolValue());
  EXPECT_FALSE(data::KNFalse()->BoolValue());
  EXPECT_EQ(Describe(data::KNTrue()), "true");
  EXPECT_EQ(Describe(data::KNFalse()), "false");
  // Only the lowest byte of the flag counts.
  EXPECT_EQ(data::KNBoolWithFlag(256), data::KNFalse());
  EXPECT_EQ(data::KNBoolWithFlag(257), data::KNTrue());
  EXPECT_EQ(data::KNBoolWithFlag(-1), data::KNTrue());
  EXPECT_EQ(data::KNBoolWithFlag(0), data::KNFalse());

  EXPECT_EQ(data::KNNil(), data::KNNil());
  EXPECT_EQ(Describe(data::KNNil()), "null");
  EXPECT_FALSE(data::KNNil()->IsEqual(data::KNFalse()));
}

}  // namespace
}  // namespace knfoundation
