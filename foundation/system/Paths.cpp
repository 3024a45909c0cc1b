// Paths: normalising, canonicalising, splitting, joining, the full path name
// and directory creation.
#include "foundation/system/Paths.h"

#include "foundation/system/Win32.h"

#include <string>

#include "foundation/objects/IKNAllocator.h"
#include "foundation/objects/KNException.h"
#include "foundation/system/ShellPathFunctions.h"
#include "foundation/system/Win32Calls.h"
#include "foundation/text/IKNString.h"

namespace knfoundation {
namespace io {

namespace {

using win32::ShellPathFunctions;

constexpr int32_t kShellBuffer = kMaxShellPath + 1;
// Room for full path names held inside the operation (127 units and the end).
constexpr DWORD kInlinePath = 128;

data::IKNString* Required(data::IKNString* path) {
  if (!path)
    base::KNRaiseNullPtr();
  return path;
}

// The zero-terminated units of a path the shell functions can hold.
const wchar_t* ShellText(data::IKNString* path) {
  if (path->Length() > kMaxShellPath)
    base::KNRaiseIllegalArgument("Path longer than %d units: '%@'", kMaxShellPath, path);
  return path->CharsZ();
}

void SlashesToBackslashes(wchar_t* text) {
  for (; *text; ++text) {
    if (*text == L'/')
      *text = L'\\';
  }
}

}  // namespace

data::IKNString* NormalizeEdgeSeparators(data::IKNString* path) {
  Required(path);
  const int32_t length = path->Length();
  if (length == 0 || (path->CharAt(0) != L'/' && path->CharAt(length - 1) != L'/'))
    return path;
  std::wstring copy(path->CharsZ(), static_cast<size_t>(length));
  for (wchar_t& unit : copy) {
    if (unit == L'/')
      unit = L'\\';
  }
  return data::KNStringWithChars(copy.data(), length);
}

void CanonicalizeInto(data::IKNString* path, wchar_t* buffer) {
  const wchar_t* text = ShellText(Required(path));
  if (!ShellPathFunctions::PathCanonicalizeW(buffer, text))
    base::KNRaiseException("PathCanonicalize('%@') failed", path);
  SlashesToBackslashes(buffer);
}

data::IKNString* DirectoryPart(data::IKNString* path) {
  if (Required(path)->Length() == 0)
    return data::KNEmptyString();
  wchar_t buffer[kShellBuffer];
  CanonicalizeInto(path, buffer);
  ShellPathFunctions::PathRemoveBackslashW(buffer);
  ShellPathFunctions::PathRemoveFileSpecW(buffer);
  return data::KNStringWithCharsZ(buffer);
}

data::IKNString* CombinePaths(data::IKNString* directory, data::IKNString* relative) {
  Required(directory);
  Required(relative);
  data::IKNString* first = NormalizeEdgeSeparators(directory);
  data::IKNString* second = NormalizeEdgeSeparators(relative);
  const wchar_t* firstText = ShellText(first);
  const wchar_t* secondText = ShellText(second);
  wchar_t buffer[kShellBuffer];
  if (!ShellPathFunctions::PathCombineW(buffer, firstText, secondText))
    base::KNRaiseException("PathCombine('%@, %@') failed", first, second);
  SlashesToBackslashes(buffer);
  return data::KNStringWithCharsZ(buffer);
}

// When the current directory changes between the two calls so that the text
// no longer fits, the call is repeated with the larger size it reports.
data::IKNString* FullPathName(data::IKNString* path) {
  const wchar_t* text = Required(path)->CharsZ();
  DWORD needed = win32::GetFullPathNameW(text, 0, nullptr, nullptr);
  wchar_t inlineBuffer[kInlinePath];
  if (needed <= kInlinePath) {
    DWORD length = win32::GetFullPathNameW(text, kInlinePath, inlineBuffer, nullptr);
    if (length < kInlinePath)
      return data::KNStringWithChars(inlineBuffer, static_cast<int32_t>(length));
    needed = length;
  }
  base::IKNAllocator* allocator = base::MallocAllocator();
  for (;;) {
    wchar_t* heap = static_cast<wchar_t*>(allocator->Allocate(needed * sizeof(wchar_t)));
    DWORD length;
    try {
      length = win32::GetFullPathNameW(text, needed, heap, nullptr);
    } catch (...) {
      allocator->Free(heap);
      throw;
    }
    if (length < needed) {
      data::IKNString* result;
      try {
        result = data::KNNewStringWrapper(heap, static_cast<int32_t>(length), allocator);
      } catch (...) {
        allocator->Free(heap);
        throw;
      }
      return KNAutoRelease(result);
    }
    allocator->Free(heap);
    needed = length;
  }
}

int32_t EnsureDirectory(data::IKNString* path) {
  if (BOOL existing = ShellPathFunctions::PathIsDirectoryW(ShellText(Required(path))))
    return existing;
  data::IKNString* full = FullPathName(path);
  win32::SHCreateDirectoryExW(nullptr, full->CharsZ(), nullptr);
  return 0;
}

}  // namespace io
}  // namespace knfoundation
