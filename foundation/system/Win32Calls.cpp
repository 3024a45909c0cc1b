// The OS call wrappers. Each reads GetLastError right after the failing call,
// before anything else can overwrite it, and raises through the Win32 mapping.
#include "foundation/system/Win32Calls.h"

#include "foundation/system/Win32.h"

#include <oleauto.h>

#include <shellapi.h>
#include <shlobj.h>

#include "foundation/objects/KNException.h"

namespace knfoundation {
namespace win32 {

namespace {

int32_t LastError() {
  return static_cast<int32_t>(::GetLastError());
}

[[noreturn]] void RaiseLast(const char* name) {
  system::KNRaiseWin32Error(name, LastError());
}

}  // namespace

HANDLE CreateFileW(const wchar_t* path,
                   DWORD access,
                   DWORD share,
                   SECURITY_ATTRIBUTES* security,
                   DWORD disposition,
                   DWORD flags,
                   HANDLE templateFile) {
  HANDLE file = ::CreateFileW(path, access, share, security, disposition, flags, templateFile);
  if (file == INVALID_HANDLE_VALUE) {
    int32_t code = LastError();
    system::KNRaiseWin32ErrorF(code, "CreateFile('%S') failed <%d: %@>", path, code,
                               system::Win32ErrorText(code));
  }
  return file;
}

DWORD GetTempPathW(DWORD size, wchar_t* buffer) {
  DWORD length = ::GetTempPathW(size, buffer);
  if (length == 0)
    RaiseLast("GetTempPath");
  return length;
}

int64_t GetFileSizeEx(HANDLE file) {
  LARGE_INTEGER size;
  if (!::GetFileSizeEx(file, &size))
    RaiseLast("GetFileSizeEx");
  return size.QuadPart;
}

BOOL LockFileEx(HANDLE file,
                DWORD flags,
                DWORD lengthLow,
                DWORD lengthHigh,
                OVERLAPPED* overlapped) {
  BOOL result = ::LockFileEx(file, flags, 0, lengthLow, lengthHigh, overlapped);
  if (!result)
    RaiseLast("LockFileEx");
  return result;
}

BOOL UnlockFile(HANDLE file, DWORD offsetLow, DWORD offsetHigh, DWORD lengthLow, DWORD lengthHigh) {
  BOOL result = ::UnlockFile(file, offsetLow, offsetHigh, lengthLow, lengthHigh);
  if (!result)
    RaiseLast("UnlockFile");
  return result;
}

DWORD GetFullPathNameW(const wchar_t* path, DWORD size, wchar_t* buffer, wchar_t** filePart) {
  wchar_t* privatePart = nullptr;
  DWORD length = ::GetFullPathNameW(path, size, buffer, filePart ? filePart : &privatePart);
  if (length == 0) {
    int32_t code = LastError();
    system::KNRaiseWin32ErrorF(code, "GetFullPathName('%S') failed <%d: %@>", path, code,
                               system::Win32ErrorText(code));
  }
  return length;
}

DWORD GetCurrentDirectoryW(DWORD size, wchar_t* buffer) {
  DWORD length = ::GetCurrentDirectoryW(size, buffer);
  if (length == 0)
    RaiseLast("GetCurrentDirectory");
  return length;
}

BOOL SetCurrentDirectoryW(const wchar_t* path) {
  BOOL result = ::SetCurrentDirectoryW(path);
  if (!result) {
    int32_t code = LastError();
    system::KNRaiseWin32ErrorF(code, "SetCurrentDirectory('%S') failed <%d: %@>", path, code,
                               system::Win32ErrorText(code));
  }
  return result;
}

DWORD ReadFile(HANDLE file, void* buffer, DWORD count, OVERLAPPED* overlapped) {
  DWORD read = 0;
  if (!::ReadFile(file, buffer, count, &read, overlapped))
    RaiseLast("ReadFile");
  return read;
}

void SHCreateDirectoryExW(HWND window, const wchar_t* path, const SECURITY_ATTRIBUTES* security) {
  int result = ::SHCreateDirectoryExW(window, path, security);
  if (result != ERROR_SUCCESS) {
    int32_t code = result;
    system::KNRaiseWin32ErrorF(code, "SHCreateDirectory('%S') failed <%d: %@>", path, code,
                               system::Win32ErrorText(code));
  }
}

DWORD WaitForSingleObject(HANDLE handle, DWORD milliseconds) {
  DWORD result = ::WaitForSingleObject(handle, milliseconds);
  if (result == WAIT_FAILED)
    RaiseLast("WaitForSingleObject");
  return result;
}

DWORD WaitForMultipleObjects(DWORD count, const HANDLE* handles, BOOL waitAll, DWORD milliseconds) {
  DWORD result = ::WaitForMultipleObjects(count, handles, waitAll, milliseconds);
  if (result == WAIT_FAILED)
    RaiseLast("WaitForMultipleObjects");
  return result;
}

HANDLE CreateEventW(BOOL manualReset,
                    BOOL initialState,
                    SECURITY_ATTRIBUTES* security,
                    const wchar_t* name) {
  HANDLE event = ::CreateEventW(security, manualReset, initialState, name);
  if (!event)
    RaiseLast("CreateEvent");
  return event;
}

BOOL SetEvent(HANDLE event) {
  BOOL result = ::SetEvent(event);
  if (!result)
    RaiseLast("SetEvent");
  return result;
}

BOOL ResetEvent(HANDLE event) {
  BOOL result = ::ResetEvent(event);
  if (!result)
    RaiseLast("ResetEvent");
  return result;
}

HMODULE LoadLibraryExW(const wchar_t* fileName, HANDLE file, DWORD flags) {
  HMODULE module = ::LoadLibraryExW(fileName, file, flags);
  if (!module) {
    int32_t code = LastError();
    system::KNRaiseWin32ErrorF(code, "LoadLibraryEx('%S', %x) failed <%d: %@>", fileName,
                               static_cast<unsigned>(flags), code, system::Win32ErrorText(code));
  }
  return module;
}

FARPROC GetProcAddress(HMODULE module, const char* name) {
  FARPROC function = ::GetProcAddress(module, name);
  if (!function) {
    int32_t code = LastError();
    system::KNRaiseWin32ErrorF(code, "GetProcAddress('%s') failed <%d: %@>", name, code,
                               system::Win32ErrorText(code));
  }
  return function;
}

DWORD GetModuleFileNameW(HMODULE module, wchar_t* buffer, DWORD size) {
  DWORD length = ::GetModuleFileNameW(module, buffer, size);
  if (length == 0)
    RaiseLast("GetModuleFileName");
  return length;
}

DWORD GetEnvironmentVariableW(const wchar_t* name, wchar_t* buffer, DWORD size) {
  ::SetLastError(ERROR_SUCCESS);
  DWORD length = ::GetEnvironmentVariableW(name, buffer, size);
  if (length == 0) {
    int32_t code = LastError();
    if (code != ERROR_SUCCESS)
      system::KNRaiseWin32ErrorF(code, "GetEnvironmentVariable('%S') failed <%d: %@>", name, code,
                                 system::Win32ErrorText(code));
  }
  return length;
}

BOOL SetEnvironmentVariableW(const wchar_t* name, const wchar_t* value) {
  BOOL result = ::SetEnvironmentVariableW(name, value);
  if (!result) {
    int32_t code = LastError();
    system::KNRaiseWin32ErrorF(code, "SetEnvironmentVariable('%S', '%S') failed <%d: %@>", name,
                               value, code, system::Win32ErrorText(code));
  }
  return result;
}

wchar_t* GetEnvironmentStringsW() {
  wchar_t* strings = ::GetEnvironmentStringsW();
  if (!strings)
    RaiseLast("GetEnvironmentStrings");
  return strings;
}

BOOL GetUserNameW(wchar_t* buffer, DWORD* size) {
  BOOL result = ::GetUserNameW(buffer, size);
  if (!result)
    RaiseLast("GetUserName");
  return result;
}

wchar_t** CommandLineToArgvW(const wchar_t* commandLine, int* count) {
  wchar_t** arguments = ::CommandLineToArgvW(commandLine, count);
  if (!arguments)
    RaiseLast("CommandLineToArgvW");
  return arguments;
}

void* LocalAlloc(UINT flags, size_t size) {
  void* block = ::LocalAlloc(flags, size);
  if (!block && size > 0)
    base::KNRaiseOutOfMemory();
  return block;
}

void* LocalReAlloc(void* block, size_t size, UINT flags) {
  void* resized = ::LocalReAlloc(block, size, flags);
  if (!resized && size > 0)
    base::KNRaiseOutOfMemory();
  return resized;
}

void LocalFree(void* block) {
  if (block)
    ::LocalFree(block);
}

void SysFreeString(wchar_t* text) {
  ::SysFreeString(text);
}

BOOL SetThreadPriority(HANDLE thread, int priority) {
  BOOL result = ::SetThreadPriority(thread, priority);
  if (!result)
    RaiseLast("SetThreadPriority");
  return result;
}

int GetThreadPriority(HANDLE thread) {
  int priority = ::GetThreadPriority(thread);
  if (priority == THREAD_PRIORITY_ERROR_RETURN)
    RaiseLast("GetThreadPriority");
  return priority;
}

DWORD TlsAlloc() {
  DWORD index = ::TlsAlloc();
  if (index == TLS_OUT_OF_INDEXES)
    RaiseLast("TlsAlloc");
  return index;
}

void* TlsGetValue(DWORD index) {
  void* value = ::TlsGetValue(index);
  if (!value) {
    int32_t code = LastError();
    if (code != ERROR_SUCCESS)
      system::KNRaiseWin32Error("TlsGetValue", code);
  }
  return value;
}

BOOL TlsSetValue(DWORD index, void* value) {
  BOOL result = ::TlsSetValue(index, value);
  if (!result)
    RaiseLast("TlsSetValue");
  return result;
}

HANDLE DuplicateHandle(HANDLE source, DWORD access, BOOL inheritable, DWORD options) {
  HANDLE process = ::GetCurrentProcess();
  HANDLE target = nullptr;
  if (!::DuplicateHandle(process, source, process, &target, access, inheritable, options))
    RaiseLast("DuplicateHandle");
  return target;
}

void ScopedHandle::Close() {
  if (handle_ && handle_ != INVALID_HANDLE_VALUE)
    ::CloseHandle(handle_);
  handle_ = nullptr;
}

}  // namespace win32
}  // namespace knfoundation
