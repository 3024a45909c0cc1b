// Bounded formatting: fits, cut, and degenerate buffers.
#include <cstring>

#include "foundation/system/FormatIntoBuffer.h"
#include <gtest/gtest.h>

namespace knfoundation {
namespace {

using system::FormatIntoBuffer;

TEST(FormatIntoBufferTest, FitsOrCuts) {
  char buffer[8];
  EXPECT_EQ(5, FormatIntoBuffer(buffer, sizeof buffer, "%d-%s", 42, "ab"));
  EXPECT_STREQ("42-ab", buffer);
  EXPECT_EQ(7, FormatIntoBuffer(buffer, sizeof buffer, "%07d", 1));  // exactly full
  EXPECT_STREQ("0000001", buffer);
  EXPECT_EQ(-1, FormatIntoBuffer(buffer, sizeof buffer, "%lld", 123456789012LL));  // cut
  EXPECT_STREQ("1234567", buffer);
  EXPECT_EQ(-1, FormatIntoBuffer(buffer, 1, "x"));  // room for the terminator only
  EXPECT_STREQ("", buffer);
  std::memset(buffer, 'z', sizeof buffer);
  EXPECT_EQ(-1, FormatIntoBuffer(buffer, 0, "x"));  // no room at all: untouched
  EXPECT_EQ('z', buffer[0]);
}

}  // namespace
}  // namespace knfoundation
