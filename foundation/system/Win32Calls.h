// The OS call layer: one thin wrapper per Win32 call the foundation makes.
// Each passes its arguments on unchanged, tests the call's own failure signal
// and, on failure, raises the exception that the error code maps to (the
// message names the call and, where given, the path or name involved). None
// returns an error value. The wrappers keep no state; any thread may call them.
#pragma once

#include "foundation/system/Win32.h"

#include <cstdint>

namespace knfoundation {
namespace win32 {

// Files and directories.
// "CreateFile('%S') failed <%d: %@>" with the path.
HANDLE CreateFileW(const wchar_t* path,
                   DWORD access,
                   DWORD share,
                   SECURITY_ATTRIBUTES* security,
                   DWORD disposition,
                   DWORD flags,
                   HANDLE templateFile);
// The length of the text written (or the size needed).
DWORD GetTempPathW(DWORD size, wchar_t* buffer);
int64_t GetFileSizeEx(HANDLE file);
// The reserved word is 0; a shared lock waits until it can be granted.
BOOL LockFileEx(HANDLE file,
                DWORD flags,
                DWORD lengthLow,
                DWORD lengthHigh,
                OVERLAPPED* overlapped);
BOOL UnlockFile(HANDLE file, DWORD offsetLow, DWORD offsetHigh, DWORD lengthLow, DWORD lengthHigh);
// "GetFullPathName('%S') failed <%d: %@>"; a null `filePart` is allowed.
DWORD GetFullPathNameW(const wchar_t* path, DWORD size, wchar_t* buffer, wchar_t** filePart);
DWORD GetCurrentDirectoryW(DWORD size, wchar_t* buffer);
// "SetCurrentDirectory('%S') failed <%d: %@>".
BOOL SetCurrentDirectoryW(const wchar_t* path);
// The number of bytes read.
DWORD ReadFile(HANDLE file, void* buffer, DWORD count, OVERLAPPED* overlapped);
// Creates `path` and every missing parent. The error code is the call's result;
// an existing directory (183) or file (80) raises like any other code:
// "SHCreateDirectory('%S') failed <%d: %@>".
void SHCreateDirectoryExW(HWND window, const wchar_t* path, const SECURITY_ATTRIBUTES* security);

// Synchronisation.
// The wait result (WAIT_OBJECT_0, WAIT_TIMEOUT, ...); WAIT_FAILED raises.
DWORD WaitForSingleObject(HANDLE handle, DWORD milliseconds);
DWORD WaitForMultipleObjects(DWORD count, const HANDLE* handles, BOOL waitAll, DWORD milliseconds);
HANDLE CreateEventW(BOOL manualReset,
                    BOOL initialState,
                    SECURITY_ATTRIBUTES* security,
                    const wchar_t* name);
BOOL SetEvent(HANDLE event);
BOOL ResetEvent(HANDLE event);

// Modules.
// "LoadLibraryEx('%S', %x) failed <%d: %@>" with the file name and flags.
HMODULE LoadLibraryExW(const wchar_t* fileName, HANDLE file, DWORD flags);
// "GetProcAddress('%s') failed <%d: %@>" with the function name.
FARPROC GetProcAddress(HMODULE module, const char* name);
DWORD GetModuleFileNameW(HMODULE module, wchar_t* buffer, DWORD size);

// Environment and process.
// 0 for a variable that exists with an empty value; a missing variable (203)
// raises "GetEnvironmentVariable('%S') failed <%d: %@>". The last error is
// cleared before the call, so a stale value is never taken for a failure.
DWORD GetEnvironmentVariableW(const wchar_t* name, wchar_t* buffer, DWORD size);
// "SetEnvironmentVariable('%S', '%S') failed <%d: %@>"; a null value removes.
BOOL SetEnvironmentVariableW(const wchar_t* name, const wchar_t* value);
// Owned by the caller, freed with FreeEnvironmentStringsW.
wchar_t* GetEnvironmentStringsW();
BOOL GetUserNameW(wchar_t* buffer, DWORD* size);
// Owned by the caller, freed with LocalFree.
wchar_t** CommandLineToArgvW(const wchar_t* commandLine, int* count);

// Memory. A failed allocation of a non-empty block raises KNOutOfMemory
// (these calls set no useful error code); an empty one may give null.
void* LocalAlloc(UINT flags, size_t size);
// Resizes a block of LocalAlloc; on failure the block stays as it was.
void* LocalReAlloc(void* block, size_t size, UINT flags);
// Frees a block of LocalAlloc or of a call documented to need LocalFree;
// null is allowed.
void LocalFree(void* block);
// Frees a COM string (a BSTR); null is allowed.
void SysFreeString(wchar_t* text);

// Threads and thread-local storage.
BOOL SetThreadPriority(HANDLE thread, int priority);
int GetThreadPriority(HANDLE thread);
DWORD TlsAlloc();
// A stored null is returned as null; only null with a non-zero last error
// raises.
void* TlsGetValue(DWORD index);
BOOL TlsSetValue(DWORD index, void* value);
// Duplicates `source` within the current process; the result is owned by the
// caller (CloseHandle).
HANDLE DuplicateHandle(HANDLE source, DWORD access, BOOL inheritable, DWORD options);

// Owner of one kernel handle: closes it when destroyed (also while an
// exception unwinds). Null and INVALID_HANDLE_VALUE hold nothing.
class ScopedHandle {
 public:
  explicit ScopedHandle(HANDLE handle = nullptr) : handle_(handle) {}
  ~ScopedHandle() { Close(); }
  ScopedHandle(const ScopedHandle&) = delete;
  ScopedHandle& operator=(const ScopedHandle&) = delete;

  HANDLE Get() const { return handle_; }
  void Close();

 private:
  HANDLE handle_;
};

}  // namespace win32
}  // namespace knfoundation
