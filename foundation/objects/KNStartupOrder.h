// The order of the foundation's static initialisers. Each initialiser that
// must run before the program's entry is marked with its rank:
//   SomeType object KN_STARTUP(kKNStartupLog);
// Lower ranks are constructed first and destroyed last, so every later
// initialiser may use the earlier ones, also while the process exits.
#pragma once

#define KN_STARTUP(rank) __attribute__((init_priority(rank)))

// Ranks (101 is the first the toolchain leaves to programs).
#define kKNStartupRegistry 101      // the shared-instance registry and its lock
#define kKNStartupThreadRecord 102  // the TLS slot with the main thread's record
#define kKNStartupLog 103           // the default log's lock and holder
#define kKNStartupMonitors 104      // the monitor cache with its free monitors
#define kKNStartupRunLoop 105       // the main thread's run loop and its window
#define kKNStartupWin32Domain 106   // the Win32 error domain
#define kKNStartupSmallInts 107     // the small-integer cache
#define kKNStartupConfigNames 108   // configuration tag names and identifiers
#define kKNStartupPosixDomain 109   // the path separator and the Posix domain
