// Result polling as the mode and result exports use it: start, stop and
// resume the session's polling thread.
#pragma once

#include <memory>

#include "dravik/comm_status.h"
#include "library_state.h"

namespace dravik {

inline constexpr double kPollLimitSeconds = 20.0;

// Starts polling on `connection` for the window of the session. An earlier
// polling thread is stopped and joined first, so there is never more than
// one. COMM_OK; COMM_NOT_CONNECTED when the connection is no longer the
// session's or the thread could not be created.
int StartPollingThread(LibraryState& state, const std::shared_ptr<XmlRpcClientTimeout>& connection);

// Stops the polling thread, wakes it wherever it waits, ends a poll in
// flight and joins it. Nothing when none runs.
void StopPollingThread(LibraryState& state);

// Lets the polling thread poll again. COMM_OK; COMM_NO_POLLING_THREAD when
// none was started.
int ResumePolling(LibraryState& state);

}  // namespace dravik
