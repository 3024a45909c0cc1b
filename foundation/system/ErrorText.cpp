// FormatMessageW for the system's error texts.
#include "foundation/system/ErrorText.h"

#include "foundation/system/Win32.h"

namespace knfoundation {
namespace win32 {

uint32_t FormatSystemMessage(int32_t code, wchar_t** text) {
  wchar_t* buffer = nullptr;
  DWORD length =
      FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM, nullptr,
                     static_cast<DWORD>(code), MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),
                     reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  if (length == 0) {
    if (buffer)
      LocalFree(buffer);
    buffer = nullptr;
  }
  *text = buffer;
  return length;
}

}  // namespace win32
}  // namespace knfoundation
