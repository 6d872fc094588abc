#include "result_lock.h"

#include "command_frame.h"

namespace dravik {

namespace {

constexpr double kUnlockLimitSeconds = 45.0;

}  // namespace

int unlockResult(XmlRpcClientTimeout& connection) {
    XmlRpc::XmlRpcValue reply;
    const int status = sendOn(connection, "xmlUnlockResult", XmlRpc::XmlRpcValue(), kUnlockLimitSeconds,
                              StatusPattern::C, reply);
    setResultLocked(false);
    if (isNoLockedResult(status)) {
        resumePollingThread();
        return COMM_OK;
    }
    return status;
}

int resumePollingThread() {
    return COMM_NO_POLLING_THREAD;
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
