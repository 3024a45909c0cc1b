// Every temporary of the string operations is freed: the live-object count
// returns to its starting value once the pool is disposed.
#include <string>

#include "foundation/objects/IKNAllocator.h"
#include "foundation/objects/IKNAutoReleasePool.h"
#include "foundation/text/IKNEncoding.h"
#include "foundation/text/IKNMutableString.h"
#include "foundation/text/KNFormat.h"
#include <gtest/gtest.h>

namespace knfoundation {
namespace {

TEST(TextLifetimeTest, OperationsLeaveNoObjectsBehind) {
  // Shared instances and literals live until exit: make them first.
  util::UTF8Encoding();
  util::ASCIIEncoding();
  base::MallocAllocator();
  data::IKNString* needle = KN_LIT("needle");
  data::IKNString* pin = KN_LIT("pin");
  const std::string longBytes(300, 'b');
  const int32_t before = debug::LiveObjectCount();
  {
    base::KNAutoReleaseScope pool;
    data::IKNString* formatted = KNFormat("%d %s %@ %p", 1, "two", needle, &before);
    formatted->Release();
    KNFormatAutoReleased("%s", longBytes.c_str());
    data::IKNMutableString* text = data::KNNewMutableString(0);
    text->Append(needle)->AppendCString(longBytes.c_str(), util::ASCIIEncoding());
    text->ReplaceAll(needle, pin);
    text->Concat(needle)->Substring(1, 20)->UTF8String();
    data::KNStringFromBytes(longBytes.data(), 300, util::UTF8Encoding())
        ->CString(util::ASCIIEncoding());
    data::IKNString* taken = text->TakeString();  // 303 units: the buffer moves
    taken->Release();
    text->Append(L"short", 5);
    text->TakeAutoReleased();  // a compact copy
    text->Description();
    text->Release();
    EXPECT_GT(debug::LiveObjectCount(), before) << "the pool still holds temporaries";
  }
  EXPECT_EQ(before, debug::LiveObjectCount());
}

}  // namespace
}  // namespace knfoundation
