// The one way Win32 enters the foundation: fixes the target version and the
// lean, wide-character configuration before <windows.h>. Only the OS call
// layer and the few files that define OS-facing objects include it.
#pragma once

#ifndef _WIN32_WINNT
#define _WIN32_WINNT 0x0601
#endif
#ifndef WINVER
#define WINVER _WIN32_WINNT
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef UNICODE
#define UNICODE
#endif
#ifndef _UNICODE
#define _UNICODE
#endif

#include <windows.h>

// The foundation's own operations share some names with the wide-character
// macros of <windows.h> (an exception's GetMessage, the environment's
// SetCurrentDirectory). Those macros are dropped here; the OS calls are made
// by their explicit W names.
#undef GetMessage
#undef SetCurrentDirectory
#undef GetCurrentDirectory
