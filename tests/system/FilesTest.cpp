// ReadWholeFile: contents of several sizes with and without the shared lock,
// the missing-file failure, and waiting for a writer's exclusive lock.
#include "foundation/system/Win32.h"

#include <string>

#include "foundation/objects/IKNAutoReleasePool.h"
#include "foundation/system/Files.h"
#include "foundation/text/IKNString.h"
#include "foundation/values/IKNData.h"
#include "tests/system/SystemTestSupport.h"
#include "tests/system/TempFolder.h"
#include <gtest/gtest.h>

namespace knfoundation {
namespace {

using io::ReadWholeFile;
using testing::MessageOf;
using testing::TempFolder;

data::IKNString* Str(const std::wstring& text) {
  return data::KNStringWithCharsZ(text.c_str());
}

std::string Bytes(data::IKNData* data) {
  return std::string(reinterpret_cast<const char*>(data->Bytes()),
                     static_cast<size_t>(data->Length()));
}

TEST(FilesTest, ReadsTheWholeContents) {
  base::KNAutoReleaseScope pool;
  TempFolder folder;
  std::string large(100 * 1024, '\0');
  for (size_t i = 0; i < large.size(); ++i)
    large[i] = static_cast<char>(i * 7 + i / 251);
  const struct {
    const char* what;
    std::string bytes;
  } cases[] = {
      {"empty file: empty buffer", ""},
      {"small file, zero bytes inside kept", std::string("a\0b\r\n", 5)},
      {"100 KB file, above the fixed-capacity buffers", large},
  };
  int index = 0;
  for (const auto& row : cases) {
    SCOPED_TRACE(row.what);
    std::wstring path = folder.Write(L"file" + std::to_wstring(index++), row.bytes);
    for (bool lockShared : {false, true}) {
      data::IKNMutableData* data = ReadWholeFile(Str(path), lockShared);
      ASSERT_NE(nullptr, data);
      EXPECT_EQ(row.bytes.size(), static_cast<size_t>(data->Length()));
      EXPECT_TRUE(Bytes(data) == row.bytes);
    }
  }
}

TEST(FilesTest, MissingFileRaisesFileNotFoundNamingThePath) {
  base::KNAutoReleaseScope pool;
  TempFolder folder;
  std::wstring path = folder.File(L"missing.txt");
  try {
    ReadWholeFile(Str(path), true);
    FAIL() << "no exception";
  } catch (const io::KNFileNotFound& error) {
    EXPECT_EQ(2, error.GetCode());
    std::string expected = std::string("CreateFile('") + Str(path)->UTF8String() +
                           "') failed <2: " + system::Win32ErrorText(2)->UTF8String() + ">";
    EXPECT_EQ(expected, MessageOf(error));
  }
}

// A file of 2 GiB (sparse, so nothing is written) is refused after the size
// is read and before any buffer is made.
TEST(FilesTest, FilesOfTwoGigabytesAreRefused) {
  base::KNAutoReleaseScope pool;
  TempFolder folder;
  std::wstring path = folder.Write(L"large.bin", "");
  HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, file);
  LARGE_INTEGER size;
  size.QuadPart = 2147483648LL;
  ASSERT_TRUE(::SetFilePointerEx(file, size, nullptr, FILE_BEGIN));
  ASSERT_TRUE(::SetEndOfFile(file));
  ::CloseHandle(file);
  try {
    ReadWholeFile(Str(path), true);
    FAIL() << "no exception";
  } catch (const system::KNSysError&) {
    FAIL() << "an OS error instead of the size check";
  } catch (const base::KNException& error) {
    EXPECT_EQ(std::string("File '") + Str(path)->UTF8String() + "' too large (size=2147483648)",
              MessageOf(error));
  }
}

TEST(FilesTest, NullPathRaisesNullPtr) {
  EXPECT_THROW(ReadWholeFile(nullptr, false), base::KNNullPtr);
}

// A writer holds an exclusive lock; the shared-lock read waits for its
// release and then reads the writer's bytes.
TEST(FilesTest, SharedLockReadWaitsForAnExclusiveLock) {
  base::KNAutoReleaseScope pool;
  TempFolder folder;
  std::wstring path = folder.Write(L"locked.txt", "locked contents");
  HANDLE writer =
      ::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, writer);
  OVERLAPPED whole = {};
  ASSERT_TRUE(::LockFileEx(writer, LOCKFILE_EXCLUSIVE_LOCK, 0, 0xFFFFFFFF, 0xFFFFFFFF, &whole));

  LONG released = 0;
  LONG releasedWhenRead = -1;
  std::string contents;
  {
    testing::WorkerThread reader([&] {
      base::KNAutoReleaseScope readerPool;
      data::IKNMutableData* data = ReadWholeFile(Str(path), true);
      releasedWhenRead = ::InterlockedCompareExchange(&released, 0, 0);
      contents = Bytes(data);
    });
    ::Sleep(100);  // room for a read that does not wait to finish too early
    ::InterlockedExchange(&released, 1);
    ::UnlockFile(writer, 0, 0, 0xFFFFFFFF, 0xFFFFFFFF);
    reader.Join();
    EXPECT_EQ("", reader.Failure());
  }
  ::CloseHandle(writer);
  EXPECT_EQ(1, releasedWhenRead);
  EXPECT_EQ("locked contents", contents);
}

}  // namespace
}  // namespace knfoundation
