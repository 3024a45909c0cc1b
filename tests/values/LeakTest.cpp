// Large nested trees of maps, lists, strings, numbers and buffers are freed
// completely: the live-object count of test builds returns to where it was.
#include <string>

#include "foundation/objects/IKNAutoReleasePool.h"
#include "foundation/text/IKNMutableString.h"
#include "foundation/values/Bool.h"
#include "foundation/values/IKNData.h"
#include "foundation/values/IKNList.h"
#include "foundation/values/IKNMap.h"
#include "foundation/values/IKNNumber.h"
#include "foundation/values/Nil.h"
#include <gtest/gtest.h>

namespace knfoundation {
namespace {

data::IKNString* Key(const std::string& text) {
  std::wstring units(text.begin(), text.end());
  return data::KNStringWithChars(units.c_str(), static_cast<int32_t>(units.size()));
}

// An owned map `breadth` entries wide and `depth` levels deep, mixing every
// kind of value, copies and autoreleased temporaries.
data::IKNMap* BuildTree(int depth, int breadth) {
  data::IKNMutableMap* map = data::KNNewMutableMap(0);
  for (int i = 0; i < breadth; ++i) {
    data::IKNMutableList* list = data::KNMutableListWithCapacity(0);
    list->Add(Key("item " + std::to_string(i)));
    list->Add(data::KNIntWithValue(i * 1000003LL));
    list->Add(data::KNDoubleWithValue(i + 0.5));
    list->Add(data::KNBoolWithFlag(i & 1));
    list->Add(data::KNNil());
    data::IKNData* bytes = data::KNNewData("some bytes", 10);
    list->Add(bytes);
    bytes->Release();
    data::IKNMutableData* buffer = data::KNMutableDataWithLength(i == 0 ? 70000 : 70);
    list->Add(buffer);
    if (depth > 0) {
      data::IKNMap* child = BuildTree(depth - 1, breadth / 2);
      list->Add(child);
      child->Release();
    }
    data::IKNMutableString* key = data::KNMutableStringWithCapacity(0);
    key->Append(Key("key " + std::to_string(i)));
    map->Set(key, list);
    map->Set(data::KNIntWithValue(i), KNAutoRelease(list->Copy()));
    map->Set(data::KNDoubleWithValue(i + 0.25), list->Description());
    list->SetCount(3);
  }
  data::IKNMap* copy = map->Copy();
  map->Release();
  return copy;
}

TEST(LeakTest, NestedTreesAreFreedCompletely) {
  auto buildAndRelease = [](int depth, int breadth) {
    base::KNAutoReleaseScope pool;
    data::IKNMap* tree = BuildTree(depth, breadth);
    data::IKNMutableMap* outer = data::KNNewMutableMap(0);
    outer->Set(KN_LIT("tree"), tree);
    data::IKNMap* copy = data::KNNewMapCopy(outer);
    EXPECT_TRUE(copy->IsEqual(outer));
    EXPECT_GT(Key("x")->Length(), 0);
    tree->Release();
    outer->Release();
    copy->Release();
  };
  // First a small tree, so that every shared instance, literal and class name
  // exists before the count is taken.
  buildAndRelease(1, 2);
  int32_t before = debug::LiveObjectCount();
  buildAndRelease(3, 16);
  EXPECT_EQ(debug::LiveObjectCount(), before);

  // Without the release, the same tree shows as live objects.
  data::IKNMap* kept;
  {
    base::KNAutoReleaseScope pool;
    kept = BuildTree(2, 10);
  }
  EXPECT_GT(debug::LiveObjectCount(), before + 100);
  kept->Release();
  EXPECT_EQ(debug::LiveObjectCount(), before);
}

}  // namespace
}  // namespace knfoundation
