// The result lock as the command exports need it: releasing a lock the
// library holds, and letting result polling go on.
#pragma once

#include "library_state.h"

namespace dravik {

inline constexpr int kNoLockedResultFirst = -7099;
inline constexpr int kNoLockedResultLast = -7001;

inline bool isNoLockedResult(int status) {
    return status >= kNoLockedResultFirst && status <= kNoLockedResultLast;
}

// "xmlUnlockResult" (45 s); the lock flag is cleared whatever the reply. A
// "no result pending" status resumes polling and reads as COMM_OK; no reply
// gives COMM_NO_REPLY, a status that is not an int COMM_STATUS_NOT_INT.
int unlockResult(XmlRpcClientTimeout& connection);

// Lets the result-polling thread ask the sensor again. COMM_NO_POLLING_THREAD
// when no polling thread runs.
int resumePollingThread();

bool resultLocked();
void setResultLocked(bool locked);

}  // namespace dravik
