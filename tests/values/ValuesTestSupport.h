// Helpers shared by the values tests: text of strings, exception checks and a
// fixture that runs every test inside its own autorelease pool.
#pragma once

#include <functional>
#include <string>
#include <typeinfo>
#include <vector>

#include "foundation/objects/ClassName.h"
#include "foundation/objects/IKNAutoReleasePool.h"
#include "foundation/objects/KNException.h"
#include "foundation/text/IKNString.h"
#include <gtest/gtest.h>

namespace knfoundation {
namespace testing {

// The units of `string` as UTF-8 (ASCII in these tests); "<null>" for null.
inline std::string Text(data::IKNString* string) {
  if (!string)
    return "<null>";
  std::string text;
  int32_t length = string->Length();
  for (int32_t i = 0; i < length; ++i)
    text.push_back(static_cast<char>(string->CharAt(i)));
  return text;
}

inline std::string Describe(IKNType* object) {
  return Text(object->Description());
}

// Runs `action` and names what it threw as "KNClass: message" (the class
// without its namespaces), or "no exception".
inline std::string FailureOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const base::IKNException& error) {
    std::string name = Text(base::TypeName(typeid(error)));
    return name.substr(name.rfind(':') + 1) + ": " + Text(error.GetMessage());
  }
  return "no exception";
}

// A row of a failure table: what is done and what it must throw.
struct FailureCase {
  const char* what;
  std::function<void()> action;
  const char* expected;
};

inline void ExpectFailures(const std::vector<FailureCase>& cases) {
  for (const FailureCase& c : cases)
    EXPECT_EQ(FailureOf(c.action), c.expected) << c.what;
}

// A counted object that writes "retain(name) " and "release(name) " into a
// shared log, so that a test can assert the exact order of reference
// operations of a collection. Not cloneable: maps retain it as a key.
class RefLogger final : public IKNType {
 public:
  RefLogger(const char* name, std::string* log) : name_(name), log_(log) {}
  int32_t RetainCount() override { return count_; }
  IKNType* Retain() override {
    *log_ += "retain(" + name_ + ") ";
    ++count_;
    return this;
  }
  void Release() override {
    *log_ += "release(" + name_ + ") ";
    --count_;
  }

 private:
  std::string name_;
  std::string* log_;
  int32_t count_ = 1;
};

// Every test runs inside a pool of its own.
class ValuesTest : public ::testing::Test {
 private:
  base::KNAutoReleaseScope pool_;
};

}  // namespace testing
}  // namespace knfoundation
