// Autorelease pools: chunking, release order, nesting and draining.
#include <string>
#include <vector>

#include "foundation/objects/AutoReleasePool.h"
#include "foundation/system/IKNLog.h"
#include "foundation/text/KNFormat.h"
#include "tests/objects/TestSupport.h"
#include <gtest/gtest.h>

namespace knfoundation {
namespace {

using base::AutoReleasePool;
using base::IKNAutoReleasePool;
using testing::Probe;
using testing::StdErrCapture;

TEST(AutoReleasePoolTest, PoolOf128UsesOneExtraChunkAndReleasesNewestChunkFirst) {
  std::vector<int> destroyed;
  int32_t live = debug::LiveObjectCount();
  IKNAutoReleasePool* pool = IKNAutoReleasePool::Create();
  AutoReleasePool* inner = AutoReleasePool::Current();
  ASSERT_EQ(pool, static_cast<IKNAutoReleasePool*>(inner));
  for (int i = 0; i < 127; ++i)
    (new Probe(i, &destroyed))->AutoRelease();
  EXPECT_EQ(1, inner->ChunkCount());
  (new Probe(127, &destroyed))->AutoRelease();
  EXPECT_EQ(2, inner->ChunkCount());
  EXPECT_EQ(128u, pool->Count());
  EXPECT_TRUE(destroyed.empty());

  pool->Dispose();
  std::vector<int> expected{127};
  for (int i = 0; i < 127; ++i)
    expected.push_back(i);
  EXPECT_EQ(expected, destroyed);
  EXPECT_EQ(live, debug::LiveObjectCount());
  EXPECT_EQ(nullptr, AutoReleasePool::Current());
}

TEST(AutoReleasePoolTest, DisposingOuterPoolDisposesNestedPoolsFirst) {
  std::vector<int> destroyed;
  IKNAutoReleasePool* base = IKNAutoReleasePool::Create();
  IKNAutoReleasePool* outer = IKNAutoReleasePool::Create();
  (new Probe(1, &destroyed))->AutoRelease();
  IKNAutoReleasePool* inner = IKNAutoReleasePool::Create();
  (new Probe(2, &destroyed))->AutoRelease();
  (new Probe(3, &destroyed))->AutoRelease();
  IKNAutoReleasePool::Create();  // innermost, left live on purpose
  (new Probe(4, &destroyed))->AutoRelease();
  EXPECT_EQ(2u, inner->Count());

  outer->Dispose();
  EXPECT_EQ((std::vector<int>{4, 2, 3, 1}), destroyed);
  EXPECT_EQ(base, static_cast<IKNAutoReleasePool*>(AutoReleasePool::Current()));
  EXPECT_EQ(0u, base->Count());
  base->Dispose();
  EXPECT_EQ(nullptr, AutoReleasePool::Current());
}

std::vector<int>* gDrainLog = nullptr;

// Autoreleases a fresh probe from inside a destructor.
void AutoReleaseAnother(int id) {
  if (id == 1)
    (new Probe(100, gDrainLog))->AutoRelease();
}

TEST(AutoReleasePoolTest, ObjectAutoreleasedDuringDrainIsReleasedAtOnce) {
  std::vector<int> destroyed;
  gDrainLog = &destroyed;
  int32_t live = debug::LiveObjectCount();
  IKNAutoReleasePool* pool = IKNAutoReleasePool::Create();
  (new Probe(1, &destroyed, &AutoReleaseAnother))->AutoRelease();
  (new Probe(2, &destroyed))->AutoRelease();
  {
    StdErrCapture capture;
    pool->Dispose();
    EXPECT_EQ("", capture.Text());  // no leak report
  }
  EXPECT_EQ((std::vector<int>{1, 100, 2}), destroyed);
  EXPECT_EQ(live, debug::LiveObjectCount());
  gDrainLog = nullptr;
}

TEST(AutoReleasePoolTest, ScopeGuardDisposesWhenAnExceptionUnwinds) {
  std::vector<int> destroyed;
  try {
    base::KNAutoReleaseScope scope;
    (new Probe(1, &destroyed))->AutoRelease();
    throw 1;
  } catch (int) {
  }
  EXPECT_EQ(std::vector<int>{1}, destroyed);
  EXPECT_EQ(nullptr, AutoReleasePool::Current());
}

// A probe that describes itself by its id.
class NamedProbe : public Probe {
 public:
  explicit NamedProbe(int id) : Probe(id, nullptr) {}
  data::IKNString* Description() override { return KNFormatAutoReleased("probe %d", Id()); }
};

TEST(AutoReleasePoolTest, DumpListsHeldObjectsNewestChunkFirstAtLevel4) {
  util::IKNLog* log = util::DefaultLog();
  IKNAutoReleasePool* pool = IKNAutoReleasePool::Create();
  for (int i = 0; i < 128; ++i)
    (new NamedProbe(i))->AutoRelease();
  std::string hidden;
  std::string shown;
  {
    StdErrCapture capture;
    pool->Dump();  // level 4 is above the default threshold
    hidden = capture.Text();
    log->SetLevel(util::kLogLevelDebug);
    pool->Dump();
    log->SetLevel(util::kDefaultLogLevel);
    shown = capture.Text();
  }
  pool->Dispose();
  EXPECT_EQ("", hidden);
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t end; (end = shown.find('\n', start)) != std::string::npos; start = end + 1)
    lines.push_back(shown.substr(start, end - start));
  // A header, 128 entries (each message ends in its own "\n"), the footer.
  ASSERT_GE(lines.size(), 130u) << shown;
  EXPECT_NE(std::string::npos, lines[0].find(" : <AutoReleasePool ")) << lines[0];
  EXPECT_NE(std::string::npos, lines[0].find("> { count = 128, values = (")) << lines[0];
  // Rows: running index, newest chunk (object 127) first, then slot order.
  for (const char* row : {" : \t0 : probe 127\n", " : \t1 : probe 0\n", " : \t127 : probe 126\n"})
    EXPECT_NE(std::string::npos, shown.find(row)) << row << shown;
  EXPECT_NE(std::string::npos, lines.back().find(" : ) }")) << lines.back();
}

}  // namespace
}  // namespace knfoundation
