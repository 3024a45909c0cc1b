// Maps: add/set/replace/remove semantics, null refusals, copied keys, mixed
// number keys, growth at the seventh addition, RemoveAll, equality and hash,
// iterators, factories and their clean-up, copies and descriptions.
#include "foundation/text/IKNMutableString.h"
#include "foundation/values/HashMap.h"
#include "foundation/values/IKNMap.h"
#include "foundation/values/IKNNumber.h"
#include "foundation/values/Map.h"
#include "foundation/values/Nil.h"
#include "tests/values/ValuesTestSupport.h"
#include <gtest/gtest.h>

namespace knfoundation {
namespace {

using data::IKNMap;
using data::IKNMutableMap;
using testing::Describe;

class MapTest : public testing::ValuesTest {};

IKNType* Int(int64_t value) {
  return data::KNIntWithValue(value);
}

impl::HashMap* TableOf(IKNMap* map) {
  if (auto* m = dynamic_cast<data::MutableMap*>(map))
    return m->Table();
  return dynamic_cast<data::Map*>(map)->Table();
}

std::string ValueFor(IKNMap* map, IKNType* key) {
  IKNType* value = map->Get(key);
  return value ? Describe(value) : "<absent>";
}

TEST_F(MapTest, AddSetReplaceRemove) {
  IKNMutableMap* map = data::KNMutableMapWithCapacity(0);
  IKNType* key = KN_LIT("k");
  map->Add(key, Int(1));
  map->Add(key, Int(2));  // present: left untouched
  EXPECT_EQ(ValueFor(map, key), "1");
  map->Set(key, Int(3));
  EXPECT_EQ(ValueFor(map, key), "3");
  map->Replace(key, Int(4));
  EXPECT_EQ(ValueFor(map, key), "4");
  map->Replace(KN_LIT("absent"), Int(5));
  EXPECT_EQ(map->Count(), 1);
  EXPECT_EQ(map->Get(KN_LIT("absent")), nullptr);
  map->Set(KN_LIT("other"), Int(6));
  EXPECT_EQ(map->Count(), 2);
  map->Remove(key)->Remove(key);
  EXPECT_EQ(map->Count(), 1);
  EXPECT_EQ(map->Get(key), nullptr);
  EXPECT_EQ(ValueFor(map, KN_LIT("other")), "6");
}

TEST_F(MapTest, ValuesAreRetainedAndReleased) {
  IKNType* value = Int(1000);
  IKNMutableMap* map = data::KNNewMutableMap(0);
  map->Set(KN_LIT("a"), value);
  map->Set(KN_LIT("b"), value);
  EXPECT_EQ(value->RetainCount(), 3);
  map->Set(KN_LIT("a"), value);  // the value it already holds
  EXPECT_EQ(value->RetainCount(), 3);
  map->Set(KN_LIT("a"), Int(1));
  EXPECT_EQ(value->RetainCount(), 2);
  map->Release();
  EXPECT_EQ(value->RetainCount(), 1);
}

TEST_F(MapTest, ReferenceOrder) {
  std::string log;
  testing::RefLogger key("k", &log), a("a", &log), b("b", &log);
  IKNMutableMap* map = data::KNNewMutableMap(0);
  map->Set(&key, &a);
  log.clear();
  map->Set(&key, &b);  // the node retains the new value, then releases the old
  map->Set(&key, &b);  // the value it holds already: nothing
  map->Remove(&key);   // value, then key
  EXPECT_EQ(log, "retain(b) release(a) release(b) release(k) ");
  map->Set(&key, &a);
  log.clear();
  map->Release();
  EXPECT_EQ(log, "release(a) release(k) ");
}

TEST_F(MapTest, NullKeysAndValuesAreRefused) {
  IKNMutableMap* map = data::KNMutableMapWithCapacity(0);
  map->Set(KN_LIT("k"), Int(1));
  IKNType* k = KN_LIT("k");
  impl::KNASCIIWrapper temporary("temporary");
  testing::ExpectFailures({
      {"add null key", [&] { map->Add(nullptr, Int(1)); }, "KNNullPtr: "},
      {"add null value", [&] { map->Add(KN_LIT("n"), nullptr); }, "KNNullPtr: "},
      {"set null key", [&] { map->Set(nullptr, Int(1)); }, "KNNullPtr: "},
      {"set null value", [&] { map->Set(k, nullptr); }, "KNNullPtr: "},
      {"replace null value", [&] { map->Replace(k, nullptr); }, "KNNullPtr: "},
      {"replace null key", [&] { map->Replace(nullptr, Int(1)); }, "KNNullPtr: "},
      {"remove null", [&] { map->Remove(nullptr); }, "KNNullPtr: "},
      {"get null", [&] { map->Get(nullptr); }, "KNNullPtr: "},
      {"contains null value", [&] { map->ContainsValue(nullptr); }, "KNNullPtr: "},
      {"next into null", [&] { map->Entries()->Next(nullptr); }, "KNNullPtr: "},
      // A stack temporary cannot be retained, so it cannot be a value.
      {"stack temporary as new value", [&] { map->Set(KN_LIT("new"), &temporary); },
       "KNUnsupportedOperation: knfoundation::impl::KNASCIIWrapper::Retain"},
      {"stack temporary replacing", [&] { map->Set(k, &temporary); },
       "KNUnsupportedOperation: knfoundation::impl::KNASCIIWrapper::Retain"},
  });
  EXPECT_EQ(map->Count(), 1);
  EXPECT_EQ(ValueFor(map, k), "1");
  EXPECT_FALSE(data::KNMutableMapWithCapacity(0)->ContainsValue(nullptr));
}

TEST_F(MapTest, MutableStringKeysKeepTheirEntry) {
  data::IKNMutableString* key = data::KNMutableStringWithCapacity(0);
  key->Append(KN_LIT("abc"));
  IKNMutableMap* map = data::KNMutableMapWithCapacity(0);
  map->Set(key, Int(1));
  key->Append(KN_LIT("def"));
  EXPECT_EQ(ValueFor(map, KN_LIT("abc")), "1");
  EXPECT_EQ(map->Get(key), nullptr);
  // A stack wrapper key is stored as its copy.
  impl::KNASCIIWrapper stackKey("temp");
  map->Set(&stackKey, Int(2));
  EXPECT_EQ(ValueFor(map, KN_LIT("temp")), "2");
}

TEST_F(MapTest, EqualNumbersFindEachOther) {
  IKNMutableMap* map = data::KNMutableMapWithCapacity(0);
  map->Set(Int(5), KN_LIT("five"));
  map->Set(data::KNDoubleWithValue(2.5), KN_LIT("two and a half"));
  map->Set(Int(5000000000LL), KN_LIT("big"));
  EXPECT_EQ(ValueFor(map, data::KNDoubleWithValue(5.0)), "five");
  EXPECT_EQ(ValueFor(map, data::KNDoubleWithValue(2.5)), "two and a half");
  EXPECT_EQ(ValueFor(map, data::KNDoubleWithValue(5e9)), "big");
  EXPECT_EQ(map->Get(data::KNDoubleWithValue(5.5)), nullptr);
  map->Set(data::KNDoubleWithValue(5.0), KN_LIT("replaced"));
  EXPECT_EQ(map->Count(), 3);
  EXPECT_EQ(ValueFor(map, Int(5)), "replaced");
}

TEST_F(MapTest, Sizing) {
  struct Case {
    int32_t hint;
    int32_t buckets;
    int32_t threshold;
  } cases[] = {{0, 8, 6}, {6, 8, 6}, {7, 16, 12}, {12, 16, 12}, {13, 32, 24}, {100, 256, 192}};
  for (const Case& c : cases) {
    IKNMutableMap* map = data::KNMutableMapWithCapacity(c.hint);
    EXPECT_EQ(TableOf(map)->BucketCount(), c.buckets) << c.hint;
    EXPECT_EQ(TableOf(map)->Threshold(), c.threshold) << c.hint;
  }
  // The mixing of a few hashes.
  EXPECT_EQ(impl::HashMap::Mix(0), 0xff83ef00u);
  EXPECT_EQ(impl::HashMap::Mix(5), 0xff834681u);
}

TEST_F(MapTest, GrowsAtTheSeventhAdditionAndRemoveAllKeepsTheTable) {
  IKNMutableMap* map = data::KNMutableMapWithCapacity(0);
  impl::HashMap* table = TableOf(map);
  for (int i = 0; i < 6; ++i)
    map->Set(Int(100 + i), Int(i));
  EXPECT_EQ(table->BucketCount(), 8);
  map->Set(Int(106), Int(6));
  EXPECT_EQ(table->BucketCount(), 16);
  EXPECT_EQ(table->Threshold(), 12);
  for (int i = 7; i < 40; ++i)
    map->Set(Int(100 + i), Int(i));
  EXPECT_EQ(table->BucketCount(), 64);
  for (int i = 0; i < 40; ++i)
    ASSERT_EQ(ValueFor(map, Int(100 + i)), std::to_string(i)) << "after growth";

  map->RemoveAll();
  EXPECT_EQ(map->Count(), 0);
  EXPECT_FALSE(map->Entries()->HasNext());
  EXPECT_EQ(table->BucketCount(), 64);
  for (int i = 0; i < 48; ++i)
    map->Set(Int(i), Int(i));
  EXPECT_EQ(table->BucketCount(), 64) << "up to the old threshold";
  map->Set(Int(48), Int(48));
  EXPECT_EQ(table->BucketCount(), 128);
}

TEST_F(MapTest, EqualityIgnoresOrder) {
  IKNMutableMap* a = data::KNMutableMapWithCapacity(0);
  IKNMutableMap* b = data::KNMutableMapWithCapacity(100);
  for (int i = 0; i < 20; ++i) {
    a->Set(Int(i), Int(i * i));
    b->Set(Int(19 - i), Int((19 - i) * (19 - i)));
  }
  EXPECT_TRUE(a->IsEqual(b));
  EXPECT_TRUE(b->IsEqual(a));
  EXPECT_EQ(a->Hash(), 20u);
  EXPECT_EQ(b->Hash(), 20u);
  EXPECT_TRUE(a->IsEqual(KNAutoRelease(a->Copy())));
  b->Set(Int(3), Int(0));
  EXPECT_FALSE(a->IsEqual(b));
  b->Set(Int(3), Int(9));
  b->Set(Int(20), Int(400));
  EXPECT_FALSE(a->IsEqual(b));
  EXPECT_FALSE(a->IsEqual(Int(20)));
  EXPECT_TRUE(
      data::KNMutableMapWithCapacity(0)->IsEqual(data::KNMapWithObjects(nullptr, nullptr, 0)));
}

TEST_F(MapTest, ContainsValue) {
  IKNMutableMap* map = data::KNMutableMapWithCapacity(0);
  map->Set(KN_LIT("a"), Int(5));
  map->Set(KN_LIT("b"), data::KNNil());
  EXPECT_TRUE(map->ContainsValue(data::KNDoubleWithValue(5.0)));
  EXPECT_TRUE(map->ContainsValue(data::KNNil()));
  EXPECT_FALSE(map->ContainsValue(Int(6)));
}

// A key whose hash is always the same, so that every entry shares one chain.
class CollidingKey final : public util::KNRefCountT<IKNType> {
 public:
  explicit CollidingKey(int id) : id(id) {}
  bool IsEqual(IKNType* other) override {
    auto* key = dynamic_cast<CollidingKey*>(other);
    return key && key->id == id;
  }
  uint32_t Hash() override { return 42; }
  const int id;
};

TEST_F(MapTest, OneLongChain) {
  IKNMutableMap* map = data::KNMutableMapWithCapacity(0);
  CollidingKey* keys[20];
  for (int i = 0; i < 20; ++i) {
    keys[i] = new CollidingKey(i);
    map->Set(keys[i], Int(i));
  }
  // The newest entry heads the chain: remove the head, the tail and middles.
  for (int removed : {19, 0, 7, 8, 12})
    map->Remove(keys[removed]);
  EXPECT_EQ(map->Count(), 15);
  int walked = 0;
  IKNMap::Entry entry;
  for (IKNMap::Iterator* entries = map->Entries(); entries->HasNext(); ++walked)
    entries->Next(&entry);
  EXPECT_EQ(walked, 15);
  for (int i = 0; i < 20; ++i) {
    bool gone = i == 19 || i == 0 || i == 7 || i == 8 || i == 12;
    EXPECT_EQ(ValueFor(map, keys[i]), gone ? "<absent>" : std::to_string(i)) << i;
    EXPECT_EQ(keys[i]->RetainCount(), gone ? 1 : 2) << i;
  }
  map->RemoveAll();
  for (CollidingKey* key : keys) {
    EXPECT_EQ(key->RetainCount(), 1);
    key->Release();
  }
}

TEST_F(MapTest, Iterators) {
  IKNMutableMap* map = data::KNMutableMapWithCapacity(0);
  EXPECT_FALSE(map->Entries()->HasNext());
  for (int i = 0; i < 30; ++i)
    map->Set(Int(i), Int(-i));
  IKNMap::Iterator* entries = map->Entries();
  IKNMap::Entry entry;
  int seen = 0;
  int64_t sum = 0;
  while (entries->HasNext()) {
    EXPECT_EQ(entries->Next(&entry), &entry);
    auto* key = dynamic_cast<data::IKNNumber*>(entry.key);
    auto* value = dynamic_cast<data::IKNNumber*>(entry.value);
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(value->LongValue(), -key->LongValue());
    sum += key->LongValue();
    ++seen;
  }
  EXPECT_EQ(seen, 30);
  EXPECT_EQ(sum, 435);
  EXPECT_EQ(testing::FailureOf([&] { entries->Next(&entry); }), "KNIllegalState: Iterator at end");
}

TEST_F(MapTest, FactoryChecks) {
  IKNType* keys[] = {KN_LIT("a"), KN_LIT("b")};
  IKNType* values[] = {Int(1000), nullptr};
  std::vector<testing::FailureCase> cases = {
      {"negative hint", [] { data::KNNewMutableMap(-1); }, "KNIllegalArgument: maxCapacity < 0"},
      {"negative hint, autoreleased", [] { data::KNMutableMapWithCapacity(-1); },
       "KNIllegalArgument: maxCapacity < 0"},
      {"negative count", [&] { data::KNMapWithObjects(keys, values, -1); },
       "KNIllegalArgument: count < 0"},
      {"null keys", [&] { data::KNMapWithObjects(nullptr, values, 1); }, "KNNullPtr: "},
      {"null values", [&] { data::KNNewMap(keys, nullptr, 1); }, "KNNullPtr: "},
      {"null value", [&] { data::KNNewMap(keys, values, 2); }, "KNNullPtr: "},
      {"null value in pairs",
       [&] { data::KNNewMapWithPairs(keys[0], values[0], keys[1], nullptr, nullptr); },
       "KNNullPtr: "},
      {"copy of null", [] { data::KNNewMapCopy(nullptr); }, "KNNullPtr: "},
      {"autoreleased copy of null", [] { data::KNMapCopy(nullptr); }, "KNNullPtr: "},
  };
  testing::ExpectFailures(cases);
  // Again once every literal and class name involved exists: the failed
  // factories released what they had added, and themselves.
  int32_t live = debug::LiveObjectCount();
  testing::ExpectFailures(cases);
  EXPECT_EQ(values[0]->RetainCount(), 1);
  EXPECT_EQ(debug::LiveObjectCount(), live);
}

TEST_F(MapTest, Factories) {
  IKNType* keys[] = {KN_LIT("a"), KN_LIT("b"), KN_LIT("a")};
  IKNType* values[] = {Int(1), Int(2), Int(3)};
  IKNMap* map = data::KNMapWithObjects(keys, values, 3);
  EXPECT_EQ(map->Count(), 2);
  EXPECT_EQ(ValueFor(map, KN_LIT("a")), "1") << "the first of equal keys wins";
  EXPECT_EQ(TableOf(map)->BucketCount(), 8);

  IKNMap* pairs = KNAutoRelease(data::KNNewMapWithPairs(KN_LIT("a"), Int(1), KN_LIT("b"), Int(2),
                                                        KN_LIT("a"), Int(3), nullptr));
  EXPECT_TRUE(pairs->IsEqual(map));
  EXPECT_EQ(KNAutoRelease(data::KNNewMapWithPairs(nullptr))->Count(), 0);

  IKNMap* same = map->Copy();
  EXPECT_EQ(same, map);
  same->Release();

  IKNMutableMap* mutableMap = data::KNMutableMapWithCapacity(0);
  for (int i = 0; i < 100; ++i)
    mutableMap->Set(Int(i), Int(i));
  IKNMap* copy = KNAutoRelease(mutableMap->Copy());
  EXPECT_NE(dynamic_cast<data::Map*>(copy), nullptr);
  EXPECT_TRUE(copy->IsEqual(mutableMap));
  // Sized once for its count: no growth while it was filled.
  EXPECT_EQ(TableOf(copy)->BucketCount(), 256);
  mutableMap->Set(Int(0), Int(-1));
  EXPECT_EQ(ValueFor(copy, Int(0)), "0");
  EXPECT_TRUE(data::KNMapCopy(copy)->IsEqual(copy));
}

TEST_F(MapTest, Descriptions) {
  std::string empty = Describe(data::KNMutableMapWithCapacity(0));
  EXPECT_EQ(empty.rfind("<class knfoundation::data::MutableMap 0", 0), 0u) << empty;
  std::string tail = "> { count = 0, pairs = (\n) }";
  EXPECT_EQ(empty.substr(empty.size() - tail.size()), tail) << empty;

  IKNMap* map = KNAutoRelease(data::KNNewMapWithPairs(KN_LIT("key"), Int(7), nullptr));
  std::string text = Describe(map);
  EXPECT_EQ(text.rfind("<class knfoundation::data::Map 0", 0), 0u) << text;
  tail = "> { count = 1, pairs = (\n\tkey = 7\n) }";
  EXPECT_EQ(text.substr(text.size() - tail.size()), tail) << text;
}

}  // namespace
}  // namespace knfoundation
