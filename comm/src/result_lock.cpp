#include "result_lock.h"

#include "command_frame.h"
#include "result_polling.h"

namespace dravik {

int lockResult(XmlRpcClientTimeout& connection, int first, int second, int* count) {
    XmlRpc::XmlRpcValue reply;
    const int status =
        sendOn(connection, "xmlLockResult", commandParams({first, second}), kLockLimitSeconds, StatusPattern::B, reply);
    if (status != COMM_OK) return status;
    setResultLocked(true);
    const std::optional<int> codes = intElement(reply, 1);
    if (!codes) {
        // The sensor holds a result we cannot use: let it go again.
        releaseResult(connection);
        return COMM_STATUS_NOT_INT;
    }
    if (count != nullptr) *count = *codes;
    return COMM_OK;
}

int releaseResult(XmlRpcClientTimeout& connection) {
    XmlRpc::XmlRpcValue reply;
    const int status = sendOn(connection, "xmlUnlockResult", XmlRpc::XmlRpcValue(), kUnlockLimitSeconds,
                              StatusPattern::C, reply);
    setResultLocked(false);
    return status;
}

int unlockResult(XmlRpcClientTimeout& connection) {
    const int status = releaseResult(connection);
    if (isNoLockedResult(status)) {
        resumePollingThread();
        return COMM_OK;
    }
    return status;
}

int resumePollingThread() {
    return ResumePolling(libraryState());
}

int noResultAsDone(int status) {
    if (!isNoLockedResult(status)) return status;
    setResultLocked(false);
    resumePollingThread();
    return COMM_OK;
}

bool resultLocked() {
    LibraryState& state = libraryState();
    std::lock_guard lock(state.mutex);
    return state.resultLocked;
}

void setResultLocked(bool locked) {
    LibraryState& state = libraryState();
    std::lock_guard lock(state.mutex);
    state.resultLocked = locked;
}

}  // namespace dravik
