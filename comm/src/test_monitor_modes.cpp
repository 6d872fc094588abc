// The test and monitor modes: the sensor's state and the polling thread.
#include "command_frame.h"
#include "dravik/dravik.h"
#include "dravik/results.h"
#include "dravik/sensor_commands.h"
#include "result_polling.h"

namespace dravik {

namespace {

constexpr int kMonitorState = 2;
constexpr int kLeaveTestState = 5;
constexpr int kTriggerTestState = 6;
constexpr int kConfigTestState = 7;

bool liveImageRunning(LibraryState& state) {
    std::lock_guard lock(state.mutex);
    return state.liveImageRunning;
}

// Sets the state unless the sensor reports it is there already.
int enterState(int wanted) {
    int current = -1;
    GetState(&current);  // a failed read just means: send it
    return current == wanted ? COMM_OK : SetState(wanted);
}

int testMode(int on, int testState) {
    LibraryState& state = libraryState();
    const std::shared_ptr<XmlRpcClientTimeout> connection = leaseConnection();
    if (!connection) return COMM_NOT_CONNECTED;
    // The sensor cannot stream while it tests.
    if (liveImageRunning(state) && StopLiveImageTransmission() != COMM_OK) return COMM_LIVE_IMAGE_NOT_STOPPED;
    if (on == 1) {
        const int status = testState == kTriggerTestState ? enterState(testState) : SetState(testState);
        if (status != COMM_OK) return status;
        return StartPollingThread(state, connection);
    }
    StopPollingThread(state);
    return SetState(kLeaveTestState);
}

int monitorMode(int on) {
    LibraryState& state = libraryState();
    const std::shared_ptr<XmlRpcClientTimeout> connection = leaseConnection();
    if (!connection) return COMM_NOT_CONNECTED;
    if (liveImageRunning(state)) return COMM_LIVE_IMAGE_RUNNING;
    if (on == 1) {
        const int status = enterState(kMonitorState);
        if (status != COMM_OK) return status;
        return StartPollingThread(state, connection);
    }
    StopPollingThread(state);
    return COMM_OK;
}

}  // namespace

}  // namespace dravik

int TestTrigger(int on) {
    return dravik::guarded([&] { return dravik::testMode(on, dravik::kTriggerTestState); });
}

int TestConfig(int on) {
    return dravik::guarded([&] { return dravik::testMode(on, dravik::kConfigTestState); });
}

int StartMonitorMode(int on) {
    return dravik::guarded([&] { return dravik::monitorMode(on); });
}
