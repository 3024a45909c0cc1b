// The directory that holds the running program.
#pragma once

namespace tidewell {

// Makes the directory of the program's executable the current directory.
// Raises the mapped `KNSysError` when the path cannot be had or set. Main
// thread (the current directory is process-wide).
void MakeProgramDirectoryCurrent();

}  // namespace tidewell
