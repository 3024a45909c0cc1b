// Lists: capacities, every range and argument check with its message,
// insertion and removal, SetCount with Nil, AddValues stopping at a null,
// equality across classes, copies, iterators and descriptions.
#include "foundation/values/IKNList.h"
#include "foundation/values/IKNNumber.h"
#include "foundation/values/List.h"
#include "foundation/values/MutableList.h"
#include "foundation/values/Nil.h"
#include "tests/values/ValuesTestSupport.h"
#include <gtest/gtest.h>

namespace knfoundation {
namespace {

using data::IKNList;
using data::IKNMutableList;
using testing::Describe;

class ListTest : public testing::ValuesTest {};

int32_t CapacityOf(IKNMutableList* list) {
  return dynamic_cast<data::MutableList*>(list)->Capacity();
}

// A new autoreleased list of the given integers.
IKNMutableList* ListOf(std::initializer_list<int64_t> values) {
  IKNMutableList* list = data::KNMutableListWithCapacity(0);
  for (int64_t value : values)
    list->Add(data::KNIntWithValue(value));
  return list;
}

std::string Values(IKNList* list) {
  std::string text;
  for (int32_t i = 0; i < list->Count(); ++i)
    text += (i ? "," : "") + Describe(list->ValueAt(i));
  return text;
}

TEST_F(ListTest, CapacityStartsAtZeroAndDoublesFromEight) {
  IKNMutableList* list = data::KNMutableListWithCapacity(100);
  EXPECT_EQ(CapacityOf(list), 0);
  IKNType* one = data::KNIntWithValue(1);
  struct Step {
    int32_t add;
    int32_t capacity;
  } steps[] = {{1, 8}, {7, 8}, {1, 16}, {7, 16}, {1, 32}};
  for (const Step& s : steps) {
    for (int32_t i = 0; i < s.add; ++i)
      list->Add(one);
    EXPECT_EQ(CapacityOf(list), s.capacity) << list->Count();
  }
  // Twenty at once into an empty list: 8 doubled until 20 fit.
  IKNType* twenty[20];
  for (IKNType*& slot : twenty)
    slot = one;
  IKNMutableList* other = data::KNMutableListWithCapacity(0);
  other->AddValues(20, twenty);
  EXPECT_EQ(CapacityOf(other), 32);
  // Removal keeps the array.
  other->Remove(0, 20);
  EXPECT_EQ(CapacityOf(other), 32);
}

TEST_F(ListTest, RangeErrors) {
  IKNType* buffer[8];
  IKNType* x = data::KNIntWithValue(42);
  IKNMutableList* two = ListOf({1, 2});
  IKNMutableList* three = ListOf({1, 2, 3});
  testing::ExpectFailures({
      {"insert past the end", [&] { two->Insert(3, x); },
       "KNOutOfRange: index out of bounds 3  [0:3]"},
      {"insert before 0", [&] { two->Insert(-1, x); },
       "KNOutOfRange: index out of bounds -1  [0:3]"},
      {"value at count", [&] { two->ValueAt(2); }, "KNOutOfRange: index out of bounds 2  [0:2]"},
      {"value at -1", [&] { two->ValueAt(-1); }, "KNOutOfRange: index out of bounds -1  [0:2]"},
      {"replace at count", [&] { two->Replace(2, x); },
       "KNOutOfRange: index out of bounds 2  [0:2]"},
      {"remove beyond the end", [&] { three->Remove(1, 5); },
       "KNOutOfRange: index out of bounds 6  [0:3]"},
      {"remove from -1", [&] { three->Remove(-1, 1); },
       "KNOutOfRange: index out of bounds -1  [0:3]"},
      {"remove a negative length", [&] { three->Remove(1, -1); },
       "KNOutOfRange: index out of bounds -1  [0:3]"},
      {"range beyond the end", [&] { three->GetValuesInRange(buffer, 2, 2); },
       "KNOutOfRange: index out of bounds 4  [0:3]"},
      {"range overflowing", [&] { three->GetValuesInRange(buffer, 2, INT32_MAX); },
       "KNOutOfRange: index out of bounds 2147483647  [0:3]"},
      {"immutable value at count", [&] { KNAutoRelease(three->Copy())->ValueAt(3); },
       "KNOutOfRange: index out of bounds 3  [0:3]"},
  });
  EXPECT_EQ(Values(two), "1,2");
  EXPECT_EQ(Values(three), "1,2,3");
}

TEST_F(ListTest, ArgumentErrors) {
  IKNType* values[] = {data::KNIntWithValue(1)};
  IKNMutableList* list = ListOf({1});
  IKNMutableList* empty = ListOf({});
  impl::KNASCIIWrapper temporary("temporary");
  testing::ExpectFailures({
      {"negative hint", [] { data::KNNewMutableList(-1); }, "KNIllegalArgument: maxCapacity < 0"},
      {"negative count", [&] { list->AddValues(-1, values); }, "KNIllegalArgument: count < 0"},
      {"null array", [&] { list->AddValues(1, nullptr); }, "KNNullPtr: "},
      {"negative size", [&] { list->SetCount(-1); }, "KNIllegalArgument: newSize < 0"},
      {"insert null", [&] { list->Insert(0, nullptr); }, "KNNullPtr: "},
      {"replace with null", [&] { list->Replace(0, nullptr); }, "KNNullPtr: "},
      {"add all of null", [&] { list->AddAll(nullptr); }, "KNNullPtr: "},
      {"contains null", [&] { list->Contains(nullptr); }, "KNNullPtr: "},
      {"contains all of null", [&] { list->ContainsAll(nullptr); }, "KNNullPtr: "},
      {"null buffer", [&] { list->GetValuesInRange(nullptr, 0, 1); }, "KNNullPtr: "},
      {"copy of null", [] { data::KNNewListCopy(nullptr); }, "KNNullPtr: "},
      {"stack temporary", [&] { list->Add(&temporary); },
       "KNUnsupportedOperation: knfoundation::impl::KNASCIIWrapper::Retain"},
      {"stack temporary inserted", [&] { list->Insert(0, &temporary); },
       "KNUnsupportedOperation: knfoundation::impl::KNASCIIWrapper::Retain"},
      {"empty list contains null", [&] { EXPECT_FALSE(empty->Contains(nullptr)); }, "no exception"},
      {"empty null buffer", [&] { list->GetValuesInRange(nullptr, 1, 0); }, "no exception"},
  });
  EXPECT_EQ(Values(list), "1");
}

TEST_F(ListTest, AddValuesKeepsWhatPrecedesANull) {
  IKNType* a = data::KNIntWithValue(100);
  IKNType* b = data::KNIntWithValue(200);
  IKNType* values[] = {a, nullptr, b};
  IKNMutableList* list = data::KNMutableListWithCapacity(0);
  EXPECT_EQ(testing::FailureOf([&] { list->AddValues(3, values); }), "KNNullPtr: ");
  EXPECT_EQ(Values(list), "100");
  EXPECT_EQ(a->RetainCount(), 2);
  EXPECT_EQ(b->RetainCount(), 1);
}

TEST_F(ListTest, InsertReplaceRemove) {
  IKNMutableList* list = ListOf({1, 2});
  list->Insert(2, data::KNIntWithValue(3));  // at Count: appends
  list->Insert(0, data::KNIntWithValue(0));
  list->Insert(2, data::KNIntWithValue(-1));
  EXPECT_EQ(Values(list), "0,1,-1,2,3");

  IKNType* big = data::KNIntWithValue(1000);
  list->Replace(2, big);
  EXPECT_EQ(big->RetainCount(), 2);
  list->Replace(2, big);  // the same object again
  EXPECT_EQ(big->RetainCount(), 2);
  EXPECT_EQ(Values(list), "0,1,1000,2,3");

  list->Remove(1, 2);
  EXPECT_EQ(big->RetainCount(), 1);
  EXPECT_EQ(Values(list), "0,2,3");
  list->Remove(3, 0);
  EXPECT_EQ(Values(list), "0,2,3");

  // Growth while inserting in the middle keeps the order.
  for (int i = 0; i < 10; ++i)
    list->Insert(1, data::KNIntWithValue(7));
  EXPECT_EQ(Values(list), "0,7,7,7,7,7,7,7,7,7,7,2,3");
  EXPECT_EQ(CapacityOf(list), 16);
}

TEST_F(ListTest, ReferenceOrder) {
  std::string log;
  testing::RefLogger a("a", &log), b("b", &log), c("c", &log);
  IKNMutableList* list = data::KNNewMutableList(0);
  list->Add(&a)->Add(&b);
  list->Replace(0, &c);  // the new element is retained before the old goes
  list->Insert(1, &a);
  list->Remove(0, 2);  // from the first of the range on
  list->Release();
  EXPECT_EQ(log,
            "retain(a) retain(b) retain(c) release(a) retain(a) release(c) release(a) "
            "release(b) ");
}

TEST_F(ListTest, SetCountPadsWithNilAndKeepsCapacity) {
  IKNMutableList* list = ListOf({1, 2});
  list->SetCount(4);
  ASSERT_EQ(list->Count(), 4);
  EXPECT_EQ(list->ValueAt(2), data::KNNil());
  EXPECT_EQ(list->ValueAt(3), data::KNNil());
  EXPECT_EQ(Values(list), "1,2,null,null");
  list->SetCount(1);
  EXPECT_EQ(Values(list), "1");
  list->SetCount(0);
  EXPECT_TRUE(list->IsEmpty());
  EXPECT_EQ(CapacityOf(list), 8);
  list->SetCount(100);
  EXPECT_EQ(list->Count(), 100);
  EXPECT_EQ(CapacityOf(list), 128);
}

TEST_F(ListTest, AddAllAndContains) {
  IKNMutableList* list = ListOf({1, 2});
  list->AddAll(list);
  EXPECT_EQ(Values(list), "1,2,1,2");
  list->AddAll(KNAutoRelease(ListOf({3})->Copy()));
  EXPECT_EQ(Values(list), "1,2,1,2,3");
  EXPECT_TRUE(list->Contains(data::KNDoubleWithValue(3.0)));
  EXPECT_FALSE(list->Contains(data::KNIntWithValue(4)));
  EXPECT_TRUE(list->ContainsAll(ListOf({3, 1})));
  EXPECT_TRUE(list->ContainsAll(ListOf({})));
  EXPECT_FALSE(list->ContainsAll(ListOf({1, 4})));
}

TEST_F(ListTest, EqualityIgnoresClassButNotOrder) {
  IKNMutableList* list = ListOf({1, 2, 3});
  IKNList* copy = KNAutoRelease(list->Copy());
  EXPECT_NE(dynamic_cast<data::List*>(copy), nullptr);
  EXPECT_TRUE(list->IsEqual(copy));
  EXPECT_TRUE(copy->IsEqual(list));
  EXPECT_EQ(list->Hash(), 3u);
  EXPECT_EQ(copy->Hash(), 3u);
  EXPECT_FALSE(list->IsEqual(ListOf({3, 2, 1})));
  EXPECT_FALSE(list->IsEqual(ListOf({1, 2})));
  EXPECT_TRUE(ListOf({})->IsEqual(ListOf({})));
  EXPECT_FALSE(list->IsEqual(data::KNIntWithValue(3)));
}

TEST_F(ListTest, CopiesRetainTheirElements) {
  IKNType* big = data::KNIntWithValue(1000);
  IKNMutableList* list = data::KNMutableListWithCapacity(0);
  list->Add(big);
  IKNList* copy = list->Copy();
  EXPECT_EQ(big->RetainCount(), 3);
  IKNList* same = copy->Copy();
  EXPECT_EQ(same, copy);
  EXPECT_EQ(copy->RetainCount(), 2);
  same->Release();
  // The copy does not follow later changes.
  list->Add(data::KNIntWithValue(5));
  EXPECT_EQ(copy->Count(), 1);
  copy->Release();
  EXPECT_EQ(big->RetainCount(), 2);
  EXPECT_EQ(KNAutoRelease(data::KNNewListCopy(ListOf({})))->Count(), 0);
}

TEST_F(ListTest, Iterators) {
  IKNMutableList* list = ListOf({1, 2});
  for (IKNList* walked : {static_cast<IKNList*>(list), KNAutoRelease(list->Copy())}) {
    data::IKNIterator* iterator = walked->Iterator();
    std::string seen;
    while (iterator->HasNext())
      seen += Describe(iterator->Next());
    EXPECT_EQ(seen, "12");
    EXPECT_EQ(testing::FailureOf([&] { iterator->Next(); }), "KNIllegalState: current_ == limit_");
  }
  EXPECT_FALSE(ListOf({})->Iterator()->HasNext());

  // The limit is the count when the iterator was made.
  data::IKNIterator* iterator = list->Iterator();
  list->Add(data::KNIntWithValue(3));
  iterator->Next();
  iterator->Next();
  EXPECT_FALSE(iterator->HasNext());
  // A list that shrinks underneath fails at the first missing index.
  data::IKNIterator* shrinking = list->Iterator();
  list->Remove(1, 2);
  shrinking->Next();
  EXPECT_EQ(testing::FailureOf([&] { shrinking->Next(); }),
            "KNOutOfRange: index out of bounds 1  [0:1]");
}

TEST_F(ListTest, Descriptions) {
  std::string empty = Describe(ListOf({}));
  EXPECT_EQ(empty.rfind("<class knfoundation::data::MutableList 0", 0), 0u) << empty;
  std::string header = "> { count = 0, values = (\n) }";
  EXPECT_EQ(empty.substr(empty.size() - header.size()), header) << empty;

  IKNMutableList* list = ListOf({5});
  list->Add(KN_LIT("a"));
  std::string text = Describe(KNAutoRelease(list->Copy()));
  EXPECT_EQ(text.rfind("<class knfoundation::data::List 0", 0), 0u) << text;
  std::string tail = "> { count = 2, values = (\n\t0 : 5\n\t1 : a\n) }";
  EXPECT_EQ(text.substr(text.size() - tail.size()), tail) << text;
}

}  // namespace
}  // namespace knfoundation
