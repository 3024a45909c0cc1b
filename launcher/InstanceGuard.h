// The single-instance guard of the logon session.
#pragma once

namespace tidewell {

// Creates the mutex "Local\com.corvane.zel.Valdrin", initially owned by the
// calling thread, and keeps it owned and open for the life of the process.
// Raises `KNIllegalState` "An Instance of Valdrin is already running." when
// the mutex exists already or cannot be created. Main thread, once.
void TakeInstanceGuard();

}  // namespace tidewell
