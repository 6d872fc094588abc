// The result lock: asking the sensor to hold the current result while it is
// read, releasing it, and letting result polling go on.
#pragma once

#include "dravik/comm_status.h"
#include "library_state.h"

namespace dravik {

inline constexpr int kNoLockedResultFirst = COMM_NO_LOCKED_RESULT_FIRST;
inline constexpr int kNoLockedResultLast = COMM_NO_LOCKED_RESULT_LAST;

inline constexpr double kLockLimitSeconds = 50.0;
inline constexpr double kUnlockLimitSeconds = 45.0;

// The sensor's statuses that say no result is pending.
inline bool isNoLockedResult(int status) {
    return status >= kNoLockedResultFirst && status <= kNoLockedResultLast;
}

// "xmlLockResult" [first, second] (50 s). COMM_STATUS_NOT_INT when element 0
// is no int (no reply included), else the status; on 0 the lock flag is set
// and *count (may be null) gets element 1. A status 0 without an int
// element 1 is malformed: the result is released again and
// COMM_STATUS_NOT_INT returned.
int lockResult(XmlRpcClientTimeout& connection, int first, int second, int* count);

// "xmlUnlockResult" (45 s); the lock flag is cleared whatever the reply. No
// reply gives COMM_NO_REPLY, a status that is not an int COMM_STATUS_NOT_INT;
// else the sensor's status as it is.
int releaseResult(XmlRpcClientTimeout& connection);

// releaseResult, but a "no result pending" status resumes polling and reads
// as COMM_OK.
int unlockResult(XmlRpcClientTimeout& connection);

// Lets the result-polling thread ask the sensor again. COMM_NO_POLLING_THREAD
// when no polling thread runs.
int resumePollingThread();

// A result getter's end: a "no result pending" status clears the lock flag,
// resumes polling and reads as COMM_OK; any other status is returned as it is.
int noResultAsDone(int status);

bool resultLocked();
void setResultLocked(bool locked);

}  // namespace dravik
