// Byte buffers: factory checks, the choice of class by size, both SetLength
// rules, 16-byte placement, equality across classes, the ELF hash, the
// description, copies, and the wrapper's hand-back to its allocator.
#include <cstdint>
#include <cstring>
#include <vector>

#include "foundation/objects/IKNAllocator.h"
#include "foundation/values/Data.h"
#include "foundation/values/DataOps.h"
#include "foundation/values/IKNData.h"
#include "foundation/values/MutableData.h"
#include "tests/values/ValuesTestSupport.h"
#include <gtest/gtest.h>

namespace knfoundation {
namespace {

using data::IKNData;
using data::IKNMutableData;
using testing::FailureOf;

class DataTest : public testing::ValuesTest {};

// An allocator over the runtime heap that records what it is given back.
class RecordingAllocator final : public util::KNRefCountT<base::IKNAllocator> {
 public:
  void* Allocate(size_t size) override { return calloc(1, size ? size : 1); }
  void Free(void* block) override {
    freed.push_back(block);
    free(block);
  }
  void* Reallocate(void* block, size_t size) override { return realloc(block, size); }
  std::vector<void*> freed;
};

TEST_F(DataTest, FactoryChecks) {
  uint8_t byte = 1;
  RecordingAllocator* allocator = new RecordingAllocator();
  testing::ExpectFailures({
      {"data, negative length", [&] { data::KNNewData(&byte, -1); },
       "KNIllegalArgument: length < 0"},
      {"data, null bytes", [&] { data::KNNewData(nullptr, 1); }, "KNNullPtr: "},
      {"wrapper, negative length", [&] { data::KNNewDataWrapper(&byte, -1, allocator); },
       "KNIllegalArgument: length < 0"},
      {"wrapper, null bytes", [&] { data::KNNewDataWrapper(nullptr, 1, allocator); },
       "KNNullPtr: "},
      {"wrapper, null allocator", [&] { data::KNDataWrapperWithBytes(&byte, 1, nullptr); },
       "KNNullPtr: "},
      {"mutable, negative length", [&] { data::KNMutableDataWithLength(-1); },
       "KNIllegalArgument: length < 0"},
  });
  // A failed check takes nothing over and keeps no reference.
  EXPECT_TRUE(allocator->freed.empty());
  EXPECT_EQ(allocator->RetainCount(), 1);
  allocator->Release();

  IKNData* empty = data::KNNewData(nullptr, 0);
  EXPECT_EQ(empty->Length(), 0);
  empty->Release();
}

TEST_F(DataTest, FactoryPicksTheClassBySize) {
  struct Case {
    int32_t length;
    bool fixed;
  } cases[] = {{0, true}, {100, true}, {65535, true}, {65536, false}, {70000, false}};
  for (const Case& c : cases) {
    IKNMutableData* buffer = data::KNMutableDataWithLength(c.length);
    EXPECT_EQ(dynamic_cast<data::FixedMutableData*>(buffer) != nullptr, c.fixed) << c.length;
    ASSERT_EQ(buffer->Length(), c.length);
    std::vector<uint8_t> zeros(c.length);
    EXPECT_TRUE(c.length == 0 || std::memcmp(buffer->Bytes(), zeros.data(), c.length) == 0)
        << c.length;
  }
}

TEST_F(DataTest, BytesStartOnSixteenByteBoundaries) {
  uint8_t bytes[40] = {};
  for (int32_t length : {0, 1, 17, 40}) {
    IKNData* data = data::KNNewData(bytes, length);
    IKNMutableData* fixed = data::KNNewMutableData(length);
    EXPECT_EQ(reinterpret_cast<uintptr_t>(data->Bytes()) % 16, 0u) << length;
    EXPECT_EQ(reinterpret_cast<uintptr_t>(fixed->Bytes()) % 16, 0u) << length;
    data->Release();
    fixed->Release();
  }
}

TEST_F(DataTest, FixedSetLengthStaysWithinItsCapacity) {
  IKNMutableData* buffer = data::KNMutableDataWithLength(100);
  std::memset(buffer->MutableBytes(), 0xAB, 100);
  EXPECT_EQ(FailureOf([&] { buffer->SetLength(101); }),
            "KNOutOfRange: index out of bounds 101  [0:101]");
  EXPECT_EQ(FailureOf([&] { buffer->SetLength(-1); }),
            "KNOutOfRange: index out of bounds -1  [0:101]");
  EXPECT_EQ(buffer->Length(), 100);

  buffer->SetLength(50)->SetLength(100);
  const uint8_t* bytes = buffer->Bytes();
  for (int i = 0; i < 50; ++i)
    ASSERT_EQ(bytes[i], 0xAB) << i;
  for (int i = 50; i < 100; ++i)
    ASSERT_EQ(bytes[i], 0) << i;
  EXPECT_EQ(buffer->SetLength(0)->Length(), 0);
}

TEST_F(DataTest, GrowableSetLengthDoublesAndShrinks) {
  IKNMutableData* buffer = data::KNMutableDataWithLength(65536);
  data::MutableData* growable = dynamic_cast<data::MutableData*>(buffer);
  ASSERT_NE(growable, nullptr);
  struct Step {
    int32_t length;
    int32_t capacity;
  } steps[] = {
      {65536, 65536},    // as made
      {200000, 262144},  // above the capacity: 16 doubled past 200000
      {140000, 262144},  // above half: the block stays
      {100000, 131072},  // below half: shrinks
      {0, 16},           // the smallest block
      {40, 64},
  };
  buffer->MutableBytes()[65535] = 0x5A;
  for (const Step& s : steps) {
    buffer->SetLength(s.length);
    EXPECT_EQ(buffer->Length(), s.length);
    EXPECT_EQ(growable->Capacity(), s.capacity) << s.length;
    if (s.length == 140000) {
      EXPECT_EQ(buffer->Bytes()[65535], 0x5A) << "kept across growth";
    }
  }
  EXPECT_EQ(FailureOf([&] { buffer->SetLength(-1); }), "KNIllegalArgument: newLength < 0");
  EXPECT_EQ(buffer->Length(), 40);
}

TEST_F(DataTest, GrowableSetLengthWithinCapacityZeroFillsInPlace) {
  IKNMutableData* buffer = data::KNMutableDataWithLength(100000);  // capacity 131072
  std::memset(buffer->MutableBytes(), 0xEE, 100000);
  const uint8_t* block = buffer->Bytes();
  buffer->SetLength(90000)->SetLength(120000);
  EXPECT_EQ(buffer->Bytes(), block);
  EXPECT_EQ(buffer->Bytes()[89999], 0xEE);
  for (int i = 90000; i < 120000; ++i)
    ASSERT_EQ(buffer->Bytes()[i], 0) << i;
}

TEST_F(DataTest, EqualityAndHash) {
  uint8_t bytes[20];
  for (int i = 0; i < 20; ++i)
    bytes[i] = static_cast<uint8_t>(i);
  IKNData* data = data::KNNewData(bytes, 20);
  IKNMutableData* fixed = data::KNMutableDataWithLength(20);
  std::memcpy(fixed->MutableBytes(), bytes, 20);
  EXPECT_TRUE(data->IsEqual(fixed));
  EXPECT_TRUE(fixed->IsEqual(data));
  EXPECT_EQ(data->Hash(), fixed->Hash());

  // Differ only in the last byte: beyond the 16 hashed bytes.
  fixed->MutableBytes()[19] = 99;
  EXPECT_FALSE(data->IsEqual(fixed));
  EXPECT_EQ(data->Hash(), fixed->Hash());
  fixed->SetLength(19);
  EXPECT_FALSE(data->IsEqual(fixed)) << "different lengths";
  EXPECT_FALSE(data->IsEqual(KN_LIT("abc")));
  data->Release();

  struct Case {
    const char* text;
    int32_t length;
    uint32_t hash;
  } cases[] = {
      {"", 0, 0},
      {"abc", 3, 26499},
      {"hello", 5, 7258927},
      // Sixteen 0xFF bytes take the high-nibble folding path.
      {"\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF", 16, 0x10ffef},
  };
  for (const Case& c : cases)
    EXPECT_EQ(impl::KNDataHash(reinterpret_cast<const uint8_t*>(c.text), c.length), c.hash)
        << c.text;
}

TEST_F(DataTest, Descriptions) {
  uint8_t bytes[30];
  for (int i = 0; i < 30; ++i)
    bytes[i] = static_cast<uint8_t>(i);
  const uint8_t three[] = {1, 2, 255};
  struct Case {
    const uint8_t* bytes;
    int32_t length;
    const char* tail;
  } cases[] = {
      {three, 3, "> { length = 3, bytes = 0x0102ff}"},
      {bytes, 0, "> { length = 0, bytes = 0x}"},
      {bytes, 23, "> { length = 23, bytes = 0x000102030405060708090a0b0c0d0e0f10111213141516}"},
      {bytes, 24,
       "> { length = 24, bytes = 0x000102030405060708090a0b0c0d0e0f ... "
       "1011121314151617}"},
      {bytes, 30,
       "> { length = 30, bytes = 0x000102030405060708090a0b0c0d0e0f ... "
       "161718191a1b1c1d}"},
  };
  for (const Case& c : cases) {
    IKNData* data = KNAutoRelease(data::KNNewData(c.bytes, c.length));
    std::string text = testing::Describe(data);
    EXPECT_EQ(text.rfind("<class knfoundation::data::Data 0", 0), 0u) << text;
    std::string tail = c.tail;
    ASSERT_GE(text.size(), tail.size());
    EXPECT_EQ(text.substr(text.size() - tail.size()), tail) << text;
  }
  std::string fixed = testing::Describe(data::KNMutableDataWithLength(2));
  EXPECT_EQ(fixed.rfind("<class knfoundation::data::FixedMutableData 0", 0), 0u) << fixed;
}

TEST_F(DataTest, Copies) {
  IKNData* data = data::KNNewData("abc", 3);
  IKNData* same = data->Copy();
  EXPECT_EQ(same, data);
  EXPECT_EQ(data->RetainCount(), 2);
  same->Release();
  data->Release();

  for (int32_t length : {10, 70000}) {
    IKNMutableData* buffer = data::KNMutableDataWithLength(length);
    buffer->MutableBytes()[0] = 7;
    IKNData* snapshot = KNAutoRelease(buffer->Copy());
    EXPECT_NE(dynamic_cast<data::Data*>(snapshot), nullptr) << length;
    EXPECT_EQ(snapshot->Length(), length);
    buffer->MutableBytes()[0] = 8;
    buffer->SetLength(1);
    EXPECT_EQ(snapshot->Bytes()[0], 7) << length;
    EXPECT_EQ(snapshot->Length(), length);
  }
}

TEST_F(DataTest, WrapperFreesItsBytesThroughItsAllocator) {
  RecordingAllocator* allocator = new RecordingAllocator();
  void* block = allocator->Allocate(8);
  std::memcpy(block, "wrapped", 8);
  IKNData* wrapper = data::KNNewDataWrapper(block, 8, allocator);
  EXPECT_EQ(wrapper->Bytes(), block);
  EXPECT_EQ(allocator->RetainCount(), 2);
  IKNData* copy = wrapper->Copy();
  EXPECT_EQ(copy, wrapper);
  copy->Release();
  EXPECT_TRUE(allocator->freed.empty());
  wrapper->Release();
  ASSERT_EQ(allocator->freed.size(), 1u);
  EXPECT_EQ(allocator->freed[0], block);
  EXPECT_EQ(allocator->RetainCount(), 1);
  allocator->Release();
}

}  // namespace
}  // namespace knfoundation
