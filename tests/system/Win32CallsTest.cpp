// The OS call wrappers: real failing calls raise the mapped class with the
// row's message, code and domain.
#include "foundation/system/Win32.h"

#include <functional>
#include <string>
#include <typeinfo>

#include "foundation/objects/IKNAutoReleasePool.h"
#include "foundation/objects/KNException.h"
#include "foundation/system/Win32Calls.h"
#include "foundation/text/IKNString.h"
#include "tests/system/SystemTestSupport.h"
#include <gtest/gtest.h>

namespace knfoundation {
namespace {

using testing::MessageOf;

std::string ErrorText(int32_t code) {
  return system::Win32ErrorText(code)->UTF8String();
}

struct FailureCase {
  const char* what;  // the row it covers
  std::function<void()> call;
  int32_t code;
  const std::type_info& type;
  std::string prefix;  // the message before the system text
};

TEST(Win32CallsTest, FailuresRaiseTheMappedClassWithTheRowMessage) {
  base::KNAutoReleaseScope pool;
  wchar_t temp[MAX_PATH];
  ::GetTempPathW(MAX_PATH, temp);
  std::wstring existing(temp);
  std::string existingUtf8(existing.begin(), existing.end());
  const FailureCase cases[] = {
      {"CreateFile of a missing file: path quoted, code 2",
       [] {
         win32::CreateFileW(L"C:\\kn-missing\\file.txt", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0,
                            nullptr);
       },
       3, typeid(io::KNFileNotFound), "CreateFile('C:\\kn-missing\\file.txt') failed <3: "},
      {"CreateFile of a missing file in an existing folder",
       [] {
         win32::CreateFileW(L"C:\\kn-missing.txt", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0,
                            nullptr);
       },
       2, typeid(io::KNFileNotFound), "CreateFile('C:\\kn-missing.txt') failed <2: "},
      {"SetCurrentDirectory of a missing folder",
       [] { win32::SetCurrentDirectoryW(L"C:\\kn-missing-dir"); }, 2, typeid(io::KNFileNotFound),
       "SetCurrentDirectory('C:\\kn-missing-dir') failed <2: "},
      {"LoadLibraryEx of a missing library: name and flags",
       [] { win32::LoadLibraryExW(L"kn-missing.dll", nullptr, 0); }, 126,
       typeid(system::KNSysError), "LoadLibraryEx('kn-missing.dll', 0) failed <126: "},
      {"GetProcAddress of a missing function: 8-bit name",
       [] { win32::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "KnMissingFunction"); }, 127,
       typeid(system::KNSysError), "GetProcAddress('KnMissingFunction') failed <127: "},
      {"GetEnvironmentVariable of a missing variable",
       [] {
         wchar_t value[8];
         win32::GetEnvironmentVariableW(L"KN_MISSING_VARIABLE", value, 8);
       },
       203, typeid(system::KNSysError),
       "GetEnvironmentVariable('KN_MISSING_VARIABLE') failed <203: "},
      {"SHCreateDirectoryEx of an existing folder: the call's own result",
       [&] { win32::SHCreateDirectoryExW(nullptr, existing.c_str(), nullptr); }, 183,
       typeid(io::KNFileExists), "SHCreateDirectory('" + existingUtf8 + "') failed <183: "},
      {"generic form: WaitForSingleObject on a bad handle",
       [] { win32::WaitForSingleObject(nullptr, 0); }, 6, typeid(system::KNSysError),
       "WaitForSingleObject() failed <6: "},
      {"generic form: SetEvent on a bad handle", [] { win32::SetEvent(nullptr); }, 6,
       typeid(system::KNSysError), "SetEvent() failed <6: "},
      {"generic form: DuplicateHandle of a bad handle",
       [] { win32::DuplicateHandle(nullptr, 0, FALSE, DUPLICATE_SAME_ACCESS); }, 6,
       typeid(system::KNSysError), "DuplicateHandle() failed <6: "},
      {"generic form: SetThreadPriority out of range",
       [] { win32::SetThreadPriority(::GetCurrentThread(), 100); }, 87, typeid(system::KNSysError),
       "SetThreadPriority() failed <87: "},
      {"generic form: GetFileSizeEx on a bad handle", [] { win32::GetFileSizeEx(nullptr); }, 6,
       typeid(system::KNSysError), "GetFileSizeEx() failed <6: "},
  };
  for (const FailureCase& row : cases) {
    SCOPED_TRACE(row.what);
    try {
      row.call();
      ADD_FAILURE() << "no exception";
    } catch (const system::KNSysError& error) {
      EXPECT_EQ(row.type, typeid(error));
      EXPECT_EQ(row.code, error.GetCode());
      EXPECT_STREQ("kKNWin32ErrorDomain", error.GetDomain()->UTF8String());
      EXPECT_EQ(row.prefix + ErrorText(row.code) + ">", MessageOf(error));
    }
  }
}

TEST(Win32CallsTest, EmptyEnvironmentVariableIsNotAFailure) {
  ASSERT_TRUE(::SetEnvironmentVariableW(L"KN_EMPTY_VARIABLE", L""));
  wchar_t value[8] = {L'x'};
  ::SetLastError(ERROR_FILE_NOT_FOUND);  // a stale error is not taken for a failure
  EXPECT_EQ(0u, win32::GetEnvironmentVariableW(L"KN_EMPTY_VARIABLE", value, 8));
  ::SetEnvironmentVariableW(L"KN_EMPTY_VARIABLE", nullptr);
}

TEST(Win32CallsTest, TlsGetValueReturnsAStoredNull) {
  DWORD index = win32::TlsAlloc();
  win32::TlsSetValue(index, nullptr);
  EXPECT_EQ(nullptr, win32::TlsGetValue(index));
  int value = 0;
  win32::TlsSetValue(index, &value);
  EXPECT_EQ(&value, win32::TlsGetValue(index));
  ::TlsFree(index);
}

TEST(Win32CallsTest, LocalMemoryKeepsItsBlockWhenAResizeFails) {
  auto* block = static_cast<char*>(win32::LocalAlloc(LMEM_ZEROINIT, 16));
  ASSERT_NE(nullptr, block);
  EXPECT_EQ(0, block[15]);
  block[0] = 'k';
  // A size no heap can give: the failure is an exception, and the old block
  // is still there to be freed.
  EXPECT_THROW(win32::LocalReAlloc(block, SIZE_MAX / 2, LMEM_MOVEABLE), base::KNOutOfMemory);
  EXPECT_EQ('k', block[0]);
  block = static_cast<char*>(win32::LocalReAlloc(block, 4096, LMEM_MOVEABLE | LMEM_ZEROINIT));
  EXPECT_EQ('k', block[0]);
  EXPECT_EQ(0, block[4095]);
  win32::LocalFree(block);
  win32::LocalFree(nullptr);
  EXPECT_THROW(win32::LocalAlloc(LMEM_FIXED, SIZE_MAX / 2), base::KNOutOfMemory);
}

}  // namespace
}  // namespace knfoundation
