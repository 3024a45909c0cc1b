// The quit wait's probe schedule on a simulated tick counter, also across the
// counter's wrap.
#include <vector>

#include "bridge/QuitWait.h"
#include <gtest/gtest.h>

namespace numbridge {
namespace {

TEST(QuitWaitTest, ProbesEvery500MsForAtMost5000Ms) {
  struct Case {
    const char* what;
    uint32_t start;
    int goneAtProbe;  // 0: the mutex never goes
    int probes;
  };
  const Case cases[] = {
      {"gone at the first probe: no wait", 1000, 1, 1},
      {"gone at the fourth probe", 1000, 4, 4},
      {"never gone: ten probes, then the bound", 1000, 0, 10},
      {"the counter wraps during the wait", 0xFFFFFFFFu - 1200, 0, 10},
      {"the counter wraps just before the first step mark", 0xFFFFFE0Cu, 0, 10},
      {"the counter wraps right after the start", 0xFFFFFFFFu, 0, 10},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    uint32_t now = c.start;  // advances by 1 ms at every read
    std::vector<uint32_t> probeTimes;
    const int probes =
        WaitForEditorExit([&] { return now++; },
                          [&] {
                            probeTimes.push_back(now - c.start);
                            return static_cast<int>(probeTimes.size()) != c.goneAtProbe;
                          },
                          [] {});
    EXPECT_EQ(c.probes, probes);
    ASSERT_EQ(static_cast<size_t>(c.probes), probeTimes.size());
    for (size_t i = 0; i < probeTimes.size(); ++i) {
      EXPECT_GE(probeTimes[i], 500u * i) << "probe " << i;
      EXPECT_LE(probeTimes[i], 500u * i + 5) << "probe " << i;
    }
    const uint32_t elapsed = now - c.start;
    if (c.goneAtProbe == 0) {
      EXPECT_GE(elapsed, 5000u);
      EXPECT_LE(elapsed, 5005u);
    } else {
      EXPECT_LE(elapsed, probeTimes.back() + 1);
    }
  }
}

}  // namespace
}  // namespace numbridge
