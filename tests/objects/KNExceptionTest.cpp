// Exceptions: the mapping tables, message forms, error texts, copying and Log.
#include <cerrno>
#include <optional>
#include <string>
#include <typeinfo>

#include "foundation/objects/ClassName.h"
#include "foundation/objects/IKNAutoReleasePool.h"
#include "foundation/objects/KNException.h"
#include "foundation/text/IKNString.h"
#include "tests/objects/TestSupport.h"
#include <gtest/gtest.h>

namespace knfoundation {
namespace {

using system::KNSysError;

std::string Utf8(data::IKNString* string) {
  return string ? string->UTF8String() : "<null>";
}

// What a caught exception was.
struct Caught {
  std::string className;
  std::string message;
  std::string domain;  // empty when not a KNSysError
  int32_t code = -1;
};

template <class Raise>
Caught Catch(Raise raise) {
  Caught caught;
  try {
    raise();
  } catch (const base::IKNException& e) {
    caught.className = Utf8(base::TypeName(typeid(e)));
    caught.message = Utf8(e.GetMessage());
    if (const KNSysError* sys = dynamic_cast<const KNSysError*>(&e)) {
      caught.domain = Utf8(sys->GetDomain());
      caught.code = sys->GetCode();
    }
  }
  return caught;
}

struct MappingCase {
  int32_t code;
  const char* className;
};

TEST(KNExceptionTest, ErrorCodesMapToTheirClasses) {
  base::KNAutoReleaseScope pool;
  const MappingCase win32[] = {
      {2, "class knfoundation::io::KNFileNotFound"},      // file not found
      {3, "class knfoundation::io::KNFileNotFound"},      // path not found
      {15, "class knfoundation::io::KNFileNotFound"},     // invalid drive
      {18, "class knfoundation::io::KNFileNotFound"},     // no more files
      {53, "class knfoundation::io::KNFileNotFound"},     // bad network path
      {67, "class knfoundation::io::KNFileNotFound"},     // bad network name
      {161, "class knfoundation::io::KNFileNotFound"},    // bad path name
      {206, "class knfoundation::io::KNFileNotFound"},    // file name too long
      {5, "class knfoundation::system::KNAccessDenied"},  // access denied
      {80, "class knfoundation::io::KNFileExists"},       // file exists
      {183, "class knfoundation::io::KNFileExists"},      // already exists
      {112, "class knfoundation::io::KNDiskFull"},        // disk full
      {32, "class knfoundation::system::KNSysError"},     // sharing violation: unmapped
      {0, "class knfoundation::system::KNSysError"},      // success code: unmapped
  };
  for (const MappingCase& row : win32) {
    Caught c = Catch([&] { system::KNRaiseWin32Error("Call", row.code); });
    EXPECT_EQ(row.className, c.className) << "win32 " << row.code;
    EXPECT_EQ("kKNWin32ErrorDomain", c.domain) << "win32 " << row.code;
    EXPECT_EQ(row.code, c.code);
  }

  const MappingCase posix[] = {
      {ENOENT, "class knfoundation::io::KNFileNotFound"},      // 2
      {ENOTDIR, "class knfoundation::io::KNFileNotFound"},     // 20: not a directory
      {EACCES, "class knfoundation::system::KNAccessDenied"},  // 13
      {EEXIST, "class knfoundation::io::KNFileExists"},        // 17
      {ENOSPC, "class knfoundation::io::KNDiskFull"},          // 28
      {EINVAL, "class knfoundation::system::KNSysError"},      // 22: unmapped
  };
  for (const MappingCase& row : posix) {
    Caught c = Catch([&] { system::KNRaisePosixError("call", row.code); });
    EXPECT_EQ(row.className, c.className) << "errno " << row.code;
    EXPECT_EQ("Posix", c.domain) << "errno " << row.code;
    EXPECT_EQ(row.code, c.code);
    Caught f = Catch([&] { system::KNRaisePosixErrorF(row.code, "f %d", 1); });
    EXPECT_EQ(row.className, f.className) << "errno " << row.code;
    EXPECT_EQ("f 1", f.message);
  }

  // A time-out is not a system error: message only.
  Caught timeOut = Catch([] { system::KNRaiseWin32ErrorF(10060, "recv failed <%d>", 10060); });
  EXPECT_EQ("class knfoundation::io::KNTimeOut", timeOut.className);
  EXPECT_EQ("recv failed <10060>", timeOut.message);
  EXPECT_EQ("", timeOut.domain);
}

TEST(KNExceptionTest, RaiseFunctionsFormTheirMessages) {
  base::KNAutoReleaseScope pool;
  struct MessageCase {
    Caught caught;
    const char* className;
    const char* message;
  };
  errno = ENOTDIR;
  const MessageCase cases[] = {
      {Catch([] { base::KNRaiseException("plain %d", 1); }),
       "class knfoundation::base::KNException", "plain 1"},
      {Catch([] { base::KNRaiseIllegalArgument("length < 0"); }),
       "class knfoundation::base::KNIllegalArgument", "length < 0"},
      {Catch([] { base::KNRaiseIllegalState("state %s", "bad"); }),
       "class knfoundation::base::KNIllegalState", "state bad"},
      {Catch([] { base::KNRaiseUnsupportedOperation("a::B"); }),
       "class knfoundation::base::KNUnsupportedOperation", "a::B"},
      // two spaces before the bracket; start 0 and the length by default
      {Catch([] { base::KNRaiseOutOfRange(5, 3); }), "class knfoundation::base::KNOutOfRange",
       "index out of bounds 5  [0:3]"},
      {Catch([] { base::KNRaiseOutOfRange(9, 2, 4); }), "class knfoundation::base::KNOutOfRange",
       "index out of bounds 9  [2:6]"},
      {Catch([] { base::KNRaiseNullPtr(); }), "class knfoundation::base::KNNullPtr", ""},
      {Catch([] { base::KNRaiseOutOfMemory(); }), "class knfoundation::base::KNOutOfMemory",
       "Out of memory"},
      // the thread's errno, its runtime text
      {Catch([] { system::KNRaiseErrno("strtoll"); }), "class knfoundation::io::KNFileNotFound",
       "strtoll() failed <20: Not a directory>"},
  };
  for (const MessageCase& row : cases) {
    EXPECT_EQ(row.className, row.caught.className);
    EXPECT_EQ(row.message, row.caught.message);
  }
}

TEST(KNExceptionTest, Win32MessageQuotesTheCallCodeAndSystemText) {
  base::KNAutoReleaseScope pool;
  std::string text = Utf8(system::Win32ErrorText(183));
  ASSERT_FALSE(text.empty());
  EXPECT_NE("N/A", text);
  Caught c = Catch([] { system::KNRaiseWin32Error("CreateDirectory", 183); });
  EXPECT_EQ("class knfoundation::io::KNFileExists", c.className);
  EXPECT_EQ("kKNWin32ErrorDomain", c.domain);
  EXPECT_EQ(183, c.code);
  EXPECT_EQ("CreateDirectory() failed <183: " + text + ">", c.message);
}

TEST(KNExceptionTest, ErrorTextsHaveNoLineBreaksAndNAWhenUnknown) {
  base::KNAutoReleaseScope pool;
  for (int32_t code : {2, 3, 5, 32, 183}) {
    std::string text = Utf8(system::Win32ErrorText(code));
    ASSERT_FALSE(text.empty()) << code;
    EXPECT_NE('\n', text.back()) << code;
    EXPECT_NE('\r', text.back()) << code;
  }
  EXPECT_EQ("N/A", Utf8(system::Win32ErrorText(0x2A5B7C9D)));  // no system text

  EXPECT_EQ("No such file or directory", Utf8(system::PosixErrorText(ENOENT)));
  for (int32_t code : {0, -1, 100000})  // outside the runtime's table
    EXPECT_EQ("N/A", Utf8(system::PosixErrorText(code))) << code;
  EXPECT_EQ(system::PosixErrorText(ENOENT), system::PosixErrorText(ENOENT));  // a literal
}

TEST(KNExceptionTest, OperationsSitInTheirSlotOrder) {
  using testing::SlotOf;
  struct SlotCase {
    int slot;
    int expected;
  };
  const SlotCase cases[] = {
      {SlotOf(&base::IKNException::GetMessage), 0},
      {SlotOf(&base::IKNException::GetTrace), 1},
      {SlotOf(&base::IKNException::Log), 2},
      // a system error's own operations follow Log directly
      {SlotOf(&KNSysError::GetDomain), 3},
      {SlotOf(&KNSysError::GetCode), 4},
  };
  for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i)
    EXPECT_EQ(cases[i].expected, cases[i].slot) << "row " << i;
}

TEST(KNExceptionTest, CopiesOwnTheirMessageAndDomain) {
  base::KNAutoReleaseScope pool;
  data::IKNString* message = data::KNNewString(L"gone", 4);
  data::IKNString* domain = data::KNNewString(L"dom", 3);
  std::optional<system::KNSysError> first;
  first.emplace(message, domain, 42);
  message->Release();
  domain->Release();
  system::KNSysError copy(*first);
  system::KNSysError assigned(nullptr, nullptr, 0);
  assigned = *first;
  first.reset();
  for (const system::KNSysError* e : {&copy, &assigned}) {
    EXPECT_EQ("gone", Utf8(e->GetMessage()));
    EXPECT_EQ("dom", Utf8(e->GetDomain()));
    EXPECT_EQ(42, e->GetCode());
    EXPECT_EQ(nullptr, e->GetTrace());
  }
  base::KNException nothing(nullptr);
  base::KNException nothingCopy(nothing);
  EXPECT_EQ(nullptr, nothingCopy.GetMessage());
}

TEST(KNExceptionTest, LogWritesClassMessageAndTrace) {
  struct LogCase {
    std::string logged;
    const char* expected;
  };
  auto logOf = [](const base::IKNException& e) {
    testing::StdErrCapture capture;
    e.Log(1);
    std::string text = capture.Text();
    size_t at = text.find(" : ");  // after the time stamp
    return at == std::string::npos ? text : text.substr(at + 3);
  };
  const LogCase cases[] = {
      {logOf(base::KNIllegalArgument(KN_LIT("length < 0"))),
       "class knfoundation::base::KNIllegalArgument: length < 0\nTrace: (null)\n"},
      // empty message: nothing after the colon and space
      {logOf(base::KNNullPtr(KN_LIT(""))),
       "class knfoundation::base::KNNullPtr: \nTrace: (null)\n"},
      // null message
      {logOf(base::KNException(nullptr)),
       "class knfoundation::base::KNException: (null)\nTrace: (null)\n"},
  };
  for (const LogCase& row : cases)
    EXPECT_EQ(row.expected, row.logged);

  testing::StdErrCapture capture;
  base::KNIllegalArgument(KN_LIT("hidden")).Log(4);  // above the threshold
  EXPECT_EQ("", capture.Text());
}

}  // namespace
}  // namespace knfoundation
