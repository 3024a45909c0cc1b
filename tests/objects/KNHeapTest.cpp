// Heap primitives and the single-block layout.
#include <cstdint>

#include "foundation/objects/KNDirectStorage.h"
#include "foundation/objects/KNException.h"
#include "foundation/objects/KNHeap.h"
#include "foundation/text/IKNString.h"
#include <gtest/gtest.h>

namespace knfoundation {
namespace {

using impl::KNHeapAllocate;
using impl::KNHeapFree;
using impl::KNHeapReallocate;

TEST(KNHeapTest, AllocatesZeroFilledAndResizes) {
  unsigned char* block = static_cast<unsigned char*>(KNHeapAllocate(64));
  ASSERT_NE(nullptr, block);
  for (int i = 0; i < 64; ++i)
    ASSERT_EQ(0, block[i]) << i;
  block[63] = 9;
  block = static_cast<unsigned char*>(KNHeapReallocate(block, 4096));
  ASSERT_NE(nullptr, block);
  EXPECT_EQ(9, block[63]);                         // contents kept
  EXPECT_EQ(nullptr, KNHeapReallocate(block, 0));  // frees
  KNHeapFree(nullptr);
}

TEST(KNHeapTest, FailuresAboveZeroThrowOutOfMemory) {
  const size_t huge = SIZE_MAX / 2;
  EXPECT_THROW(KNHeapAllocate(huge), base::KNOutOfMemory);
  void* block = KNHeapAllocate(16);
  EXPECT_THROW(KNHeapReallocate(block, huge), base::KNOutOfMemory);
  KNHeapFree(block);  // a failed resize leaves the block alone
  try {
    KNHeapAllocate(huge);
  } catch (const base::KNOutOfMemory& e) {
    EXPECT_STREQ("Out of memory", e.GetMessage()->UTF8String());
  }
}

// Three fields of 4 bytes, then elements of type E.
template <class E, size_t A>
class Block : public impl::KNDirectStorage<Block<E, A>, E, A> {
 public:
  using Storage = impl::KNDirectStorage<Block<E, A>, E, A>;
  static Block* New(size_t count) { return Storage::CreateInBlock(count, 1, 7); }
  void Free() { Storage::DestroyBlock(this); }
  E* Items() { return Storage::Elements(); }
  explicit Block(int32_t value) : a(value) {}
  int32_t a, b = 0, c = 0;
};

TEST(KNHeapTest, DirectStorageAlignsElementsAfterTheFields) {
  auto* shorts = Block<wchar_t, 2>::New(5);
  EXPECT_EQ(7, shorts->a);
  EXPECT_EQ(12u, (Block<wchar_t, 2>::kElementOffset));
  for (int i = 0; i < 6; ++i)  // zero-filled, spare unit included
    EXPECT_EQ(0, shorts->Items()[i]);
  shorts->Free();

  // Elements never sit below their own alignment, whatever `A` says.
  auto* doubles = Block<double, 4>::New(3);
  EXPECT_EQ(0u, reinterpret_cast<uintptr_t>(doubles->Items()) % alignof(double));
  EXPECT_EQ(16u, (Block<double, 4>::kElementOffset));
  doubles->Items()[3] = 1.5;
  doubles->Free();
}

TEST(KNHeapTest, DirectStorageRefusesBlocksBeyondTheAddressSpace) {
  const size_t counts[] = {
      SIZE_MAX / 2 + 1,  // element bytes wrap round to a tiny block
      SIZE_MAX / 2,      // the spare element makes them wrap
      SIZE_MAX,          // the count itself at the limit
  };
  for (size_t count : counts)
    EXPECT_THROW((Block<wchar_t, 2>::New(count)), base::KNOutOfMemory) << count;
}

}  // namespace
}  // namespace knfoundation
