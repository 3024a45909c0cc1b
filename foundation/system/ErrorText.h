// The OS call behind the text of a Win32 error code.
#pragma once

#include <cstdint>

namespace knfoundation {
namespace win32 {

// FormatMessageW(ALLOCATE_BUFFER | FROM_SYSTEM, no source, `code`, language
// 0x400, no arguments). Returns the number of units written and sets `*text`
// to the system-allocated text, which the caller frees with LocalFree (the
// shared LocalAllocator); returns 0 with `*text` null when the system has no
// text for `code`. Any thread.
uint32_t FormatSystemMessage(int32_t code, wchar_t** text);

}  // namespace win32
}  // namespace knfoundation
