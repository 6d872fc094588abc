// Exports of result polling and the result lock.
#include "dravik/results.h"
#include "result_lock.h"
#include "result_polling.h"

int ResumePollingThread() {
    try {
        return dravik::ResumePolling(dravik::libraryState());
    } catch (...) {
        return COMM_FAILED;
    }
}

int SetUnlockResult() {
    try {
        const auto connection = dravik::leaseConnection();
        if (!connection) return COMM_NOT_CONNECTED;
        return dravik::unlockResult(*connection);
    } catch (...) {
        return COMM_FAILED;
    }
}
