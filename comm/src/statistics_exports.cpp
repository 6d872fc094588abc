// Statistics, the forced trigger and the sensor's clock.
#include "command_frame.h"
#include "dravik/sensor_commands.h"
#include "result_lock.h"

namespace dravik {

namespace {

using XmlRpc::XmlRpcValue;

// A result held for reading would block the sensor's next reading: let it
// go first, and let polling look for the next one afterwards.
int unlockedCommand(const char* method) {
    const std::shared_ptr<XmlRpcClientTimeout> connection = leaseConnection();
    if (!connection) return COMM_NOT_CONNECTED;
    if (resultLocked()) unlockResult(*connection);
    XmlRpcValue reply;
    const int status = sendOn(*connection, method, XmlRpcValue(), kNoLimit, StatusPattern::B, reply);
    if (intElement(reply, 0)) resumePollingThread();
    return status;
}

int getSensorStatistics(int* total, int* good) {
    XmlRpcValue reply;
    const int status =
        sendCommand("xmlGetSensorStatistics", XmlRpcValue(), kNoLimit, StatusPattern::B, reply);
    if (isNoLockedResult(status)) {
        setResultLocked(false);
        resumePollingThread();
        if (total != nullptr) *total = 0;
        if (good != nullptr) *good = 0;
        return COMM_OK;
    }
    if (status != COMM_OK) return status;
    const std::optional<int> totalReadings = intElement(reply, 1);
    const std::optional<int> goodReadings = intElement(reply, 2);
    if (!totalReadings || !goodReadings) return COMM_STATUS_NOT_INT;
    if (total != nullptr) *total = *totalReadings;
    if (good != nullptr) *good = *goodReadings;
    return COMM_OK;
}

int getSensorCurrentTime(char* out) {
    XmlRpcValue reply;
    const int status =
        sendCommand("xmlGetSensorCurrentTime", XmlRpcValue(), kNoLimit, StatusPattern::B, reply);
    if (status != COMM_OK) return status;
    const std::string* text = textElement(reply, 1);
    if (text == nullptr) return COMM_STATUS_NOT_INT;
    copyTextCut(out, DRAVIK_SENSOR_TIME_SIZE, *text);
    return COMM_OK;
}

}  // namespace

}  // namespace dravik

using namespace dravik;

int ResetStatistics(void) {
    return guarded([] { return unlockedCommand("xmlResetStatistics"); });
}

int ResetStatisticsService(void) {
    return guarded(
        [] { return sendCommand("xmlResetStatistics", XmlRpc::XmlRpcValue(), kNoLimit, StatusPattern::B); });
}

int SimulateTrigger(void) {
    return guarded([] { return unlockedCommand("xmlForceTrigger"); });
}

int GetSensorStatistics(int* total, int* good) {
    return guarded([&] { return getSensorStatistics(total, good); });
}

int GetSensorCurrentTime(char* out) {
    return guarded([&] { return getSensorCurrentTime(out); });
}
