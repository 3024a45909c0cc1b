// Class names in the system's form, interned once per type.
#include <string>
#include <typeinfo>
#include <vector>

#include "foundation/objects/ClassName.h"
#include "foundation/objects/IKNAllocator.h"
#include "foundation/objects/IKNAutoReleasePool.h"
#include "foundation/system/ThreadRecord.h"
#include "foundation/text/IKNString.h"
#include "tests/objects/TestSupport.h"
#include <gtest/gtest.h>

namespace knfoundation {
namespace testing {
template <class A, int N>
class Holder {};
template <class T>
class Box {};
struct Plain {};
}  // namespace testing

namespace {

class Local {};

struct NameCase {
  const std::type_info& type;
  const char* expected;
};

TEST(ClassNameTest, RendersTypesInTheSystemForm) {
  base::KNAutoReleaseScope pool;
  base::DeclareStructType("knfoundation::testing::Plain");
  const NameCase cases[] = {
      // a foundation class inside nested namespaces
      {typeid(testing::Probe), "class knfoundation::testing::Probe"},
      // a structure of the foundation
      {typeid(thread::ThreadRecord), "struct knfoundation::thread::ThreadRecord"},
      // a nested structure
      {typeid(thread::TLS::Base), "struct knfoundation::thread::TLS::Base"},
      // a structure declared by its user
      {typeid(testing::Plain), "struct knfoundation::testing::Plain"},
      // the anonymous namespace
      {typeid(Local), "class knfoundation::`anonymous namespace'::Local"},
      // template arguments: class keys inside, no space after commas
      {typeid(util::KNRefCountT<base::IKNAllocator>),
       "class knfoundation::util::KNRefCountT<class knfoundation::base::IKNAllocator>"},
      {typeid(testing::Holder<int, 3>), "class knfoundation::testing::Holder<int,3>"},
      {typeid(testing::Holder<testing::Holder<char, 1>, 2>),
       "class knfoundation::testing::Holder<class knfoundation::testing::Holder<char,1>,2>"},
      // a template as the last argument: "> >"
      {typeid(testing::Box<testing::Holder<char, 1>>),
       "class knfoundation::testing::Box<class knfoundation::testing::Holder<char,1> >"},
      // pointers, also to constant objects
      {typeid(testing::Box<const testing::Plain*>),
       "class knfoundation::testing::Box<struct knfoundation::testing::Plain const *>"},
      {typeid(testing::Holder<testing::Probe*, 0>),
       "class knfoundation::testing::Holder<class knfoundation::testing::Probe *,0>"},
  };
  for (const NameCase& row : cases) {
    data::IKNString* name = base::TypeName(row.type);
    ASSERT_NE(nullptr, name);
    EXPECT_EQ(std::string(row.expected), name->UTF8String());
  }
}

TEST(ClassNameTest, ObjectNameIsTheRunTimeTypeInternedOnce) {
  testing::Probe* probe = new testing::Probe(1, nullptr);
  IKNType* asRoot = probe;
  data::IKNString* first = base::ClassName(asRoot);
  data::IKNString* second = base::ClassName(asRoot);
  EXPECT_EQ(first, second);
  EXPECT_EQ(first, base::TypeName(typeid(testing::Probe)));
  EXPECT_EQ(kKNImmortalCount, first->RetainCount());
  EXPECT_EQ(nullptr, base::ClassName(nullptr));
  probe->Release();
}

}  // namespace
}  // namespace knfoundation
