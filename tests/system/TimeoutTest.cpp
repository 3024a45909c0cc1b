// Seconds to OS milliseconds.
#include <cmath>

#include "foundation/system/Timeout.h"
#include <gtest/gtest.h>

namespace knfoundation {
namespace {

TEST(TimeoutTest, SecondsToMilliseconds) {
  const struct {
    double seconds;
    int32_t expected;  // comment: what the row covers
  } cases[] = {
      {1.5, 1500},              // plain conversion
      {0.0009, 0},              // truncated toward zero
      {0.0, 0},                 // no wait
      {2147483.0, 2147483000},  // a large finite count
      {2147483.6475, -1},       // half a millisecond above 2147483647: without limit
      {3000000.0, -1},          // far above
      {-0.5, 0},                // a time-out in the past does not wait
      {-3000000.0, 0},          // not even when it is far in the past
      {NAN, 0},                 // not a number: no wait
      {INFINITY, -1},           // infinite: without limit
  };
  for (const auto& row : cases) {
    SCOPED_TRACE(row.seconds);
    EXPECT_EQ(row.expected, system::TimeoutToMilliseconds(row.seconds));
  }
}

}  // namespace
}  // namespace knfoundation
