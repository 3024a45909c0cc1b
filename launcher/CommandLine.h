// The process's command line as the launcher consults it.
#pragma once

namespace tidewell {

// True when some argument (the program path in position 0 included) equals
// `argument` whole and case-sensitively. Any thread.
bool HasArgument(const wchar_t* argument);

}  // namespace tidewell
