// ReadWholeFile: open, optionally lock shared, measure, read once, unlock;
// the handle is closed on every way out (closing also drops the lock).
#include "foundation/system/Files.h"

#include "foundation/system/Win32.h"

#include "foundation/objects/KNException.h"
#include "foundation/system/Win32Calls.h"
#include "foundation/text/IKNString.h"
#include "foundation/values/IKNData.h"

namespace knfoundation {
namespace io {

namespace {
constexpr DWORD kWholeRange = 0xFFFFFFFF;
constexpr int64_t kLargestFile = 2147483647;
}  // namespace

data::IKNMutableData* ReadWholeFile(data::IKNString* path, bool lockShared) {
  if (!path)
    base::KNRaiseNullPtr();
  win32::ScopedHandle file(win32::CreateFileW(path->CharsZ(), GENERIC_READ,
                                              FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  OVERLAPPED wholeFile = {};
  if (lockShared)
    win32::LockFileEx(file.Get(), 0, kWholeRange, kWholeRange, &wholeFile);
  const int64_t size = win32::GetFileSizeEx(file.Get());
  if (size < 0 || size > kLargestFile)
    base::KNRaiseException("File '%@' too large (size=%lld)", path, static_cast<long long>(size));
  data::IKNMutableData* bytes = data::KNMutableDataWithLength(static_cast<int32_t>(size));
  if (size > 0) {
    DWORD read =
        win32::ReadFile(file.Get(), bytes->MutableBytes(), static_cast<DWORD>(size), nullptr);
    if (read < static_cast<DWORD>(size))
      bytes->SetLength(static_cast<int32_t>(read));
  }
  if (lockShared)
    win32::UnlockFile(file.Get(), 0, 0, kWholeRange, kWholeRange);
  return bytes;
}

}  // namespace io
}  // namespace knfoundation
