// The shared allocators and scratch memory tied to an autorelease pool.
#include "foundation/system/Win32.h"

#include <oleauto.h>

#include <cstdint>

#include "foundation/objects/IKNAllocator.h"
#include "foundation/objects/IKNAutoReleasePool.h"
#include "foundation/objects/KNException.h"
#include "tests/text/TextTestSupport.h"
#include <gtest/gtest.h>

namespace knfoundation {
namespace {

using base::IKNAllocator;
using testing::CountingAllocator;
using testing::MessageOf;

TEST(AllocatorsTest, Malloc) {
  IKNAllocator* malloc = base::MallocAllocator();
  EXPECT_EQ(malloc, base::MallocAllocator());
  void* zero = malloc->Allocate(0);
  malloc->Free(zero);
  auto* block = static_cast<uint8_t*>(malloc->Allocate(64));
  for (int k = 0; k < 64; ++k)
    ASSERT_EQ(0, block[k]);
  block[0] = 9;
  block = static_cast<uint8_t*>(malloc->Reallocate(block, 4096));
  EXPECT_EQ(9, block[0]);
  EXPECT_EQ(nullptr, malloc->Reallocate(block, 0)) << "size 0 frees";
}

TEST(AllocatorsTest, WinSIMDAllocIsAlignedAndZeroFilled) {
  IKNAllocator* simd = base::WinSIMDAllocator();
  for (size_t size : {1u, 17u, 1000u}) {
    auto* block = static_cast<uint8_t*>(simd->Allocate(size));
    EXPECT_EQ(0u, reinterpret_cast<uintptr_t>(block) % 16);
    for (size_t k = 0; k < size; ++k)
      ASSERT_EQ(0, block[k]);
    block[0] = 7;
    block = static_cast<uint8_t*>(simd->Reallocate(block, size + 5000));
    EXPECT_EQ(0u, reinterpret_cast<uintptr_t>(block) % 16);
    EXPECT_EQ(7, block[0]) << "old bytes kept";
    simd->Free(block);
  }
}

TEST(AllocatorsTest, LocalAllocatorNeverMovesABlock) {
  IKNAllocator* local = win32::LocalAllocatorInstance();
  auto* block = static_cast<uint8_t*>(local->Allocate(32));
  ASSERT_NE(nullptr, block);
  EXPECT_EQ(0, block[31]);
  block[0] = 5;
  try {
    EXPECT_EQ(block, local->Reallocate(block, 64));
    EXPECT_EQ(5, block[0]);
  } catch (const base::KNOutOfMemory&) {
    // Growing in place was not possible; the block is unchanged.
    EXPECT_EQ(5, block[0]);
  }
  local->Free(block);
}

TEST(AllocatorsTest, SysStrAllocOnlyFrees) {
  IKNAllocator* sysStr = kenning::SysStrAllocator();
  EXPECT_EQ("knfoundation::kenning::SysStrAlloc::Allocate",
            MessageOf<base::KNUnsupportedOperation>([&] { sysStr->Allocate(16); }));
  BSTR text = SysAllocString(L"owned by the allocator");
  EXPECT_EQ("knfoundation::kenning::SysStrAlloc::Reallocate",
            MessageOf<base::KNUnsupportedOperation>([&] { sysStr->Reallocate(text, 8); }));
  sysStr->Free(text);
}

TEST(AllocatorsTest, AllocAutoReleasedLivesUntilThePoolIsDisposed) {
  CountingAllocator* counting = new CountingAllocator();
  base::IKNAutoReleasePool* outer = base::IKNAutoReleasePool::Create();
  base::IKNAutoReleasePool* inner = base::IKNAutoReleasePool::Create();
  auto* block = static_cast<char*>(base::AllocAutoReleased(40, counting));
  block[39] = 'z';
  EXPECT_EQ(2, counting->RetainCount()) << "the scratch owner retains the allocator";
  EXPECT_EQ(0, counting->frees);
  inner->Dispose();
  EXPECT_EQ(1, counting->frees);
  EXPECT_EQ(1, counting->RetainCount());
  outer->Dispose();
  counting->Release();
  EXPECT_EQ("", MessageOf<base::KNNullPtr>([] { base::AllocAutoReleased(4, nullptr); }));
}

}  // namespace
}  // namespace knfoundation
