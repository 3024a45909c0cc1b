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

// Every test runs inside a pool of its own.
class ValuesTest : public ::testing::Test {
 private:
  base::KNAutoReleaseScope pool_;
};

}  // namespace testing
}  // namespace knfoundation
