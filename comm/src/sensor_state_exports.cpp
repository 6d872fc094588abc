// The sensor's operating state, and quieting the connection before an update.
#include "command_frame.h"
#include "dravik/sensor_commands.h"

using namespace dravik;

namespace {

constexpr double kSetStateLimitSeconds = 45.0;

int getState(int* state) {
    XmlRpc::XmlRpcValue reply;
    const int status = sendCommand("xmlGetState", XmlRpc::XmlRpcValue(), kNoLimit, StatusPattern::C, reply);
    if (status != COMM_OK) return status;
    const std::optional<int> value = intElement(reply, 1);
    if (!value) return COMM_STATUS_NOT_INT;
    if (state != nullptr) *state = *value;
    return COMM_OK;
}

}  // namespace

int GetState(int* state) {
    return guarded([&] { return getState(state); });
}

int SetState(int state) {
    return guarded([&] {
        return sendCommand("xmlSetState", commandParams({state}), kSetStateLimitSeconds, StatusPattern::A);
    });
}

int StartUpdatingSensor(void) {
    return guarded([] {
        if (const std::shared_ptr<XmlRpcClientTimeout> connection = leaseConnection())
            connection->StopHeartbeat();
        return COMM_OK;
    });
}
