// The live image exports: start, stop, the newest frame, and freeing bitmaps.
#include <new>

#include "dravik/dravik.h"
#include "library_state.h"
#include "live_image_pause.h"
#include "sensor_bitmap_alloc.h"
#include "sensor_reply.h"

namespace dravik {

namespace {

using XmlRpc::XmlRpcValue;

constexpr double kNoLimit = -1.0;

int startLiveImage(LibraryState& state, const char* host, int port) {
    std::lock_guard live(state.liveImageMutex);
    const std::shared_ptr<XmlRpcClientTimeout> connection = leaseConnection();
    if (!connection) return COMM_NOT_CONNECTED;
    VtWindow window = nullptr;
    std::shared_ptr<CLiveImage> receiver;
    {
        std::lock_guard lock(state.mutex);
        if (state.liveImageRunning) return COMM_LIVE_IMAGE_ALREADY_RUNNING;
        window = state.window;
        receiver = state.liveImage;
    }

    XmlRpcValue reply = presetReply();
    connection->execute("xmlStartLiveImage", XmlRpcValue(), reply, kNoLimit);
    if (!hasFirstElement(reply)) return COMM_NO_REPLY;
    const XmlRpcValue& status = reply.asArray()[0];
    if (status.getType() != XmlRpcValue::TypeInt || status.asInt() != 0) return COMM_LIVE_IMAGE_REFUSED;

    if (!receiver) {
        try {
            receiver = std::make_shared<CLiveImage>(window, host, port);
        } catch (const std::bad_alloc&) {
            return COMM_FAILED;
        }
    }
    // A receiver that cannot run is not reported as running.
    if (receiver->error() != 0 || receiver->Start() != 0) {
        std::lock_guard lock(state.mutex);
        state.liveImage.reset();
        return COMM_LIVE_IMAGE_SOCKET_FAILED;
    }
    std::lock_guard lock(state.mutex);
    state.liveImage = receiver;
    state.liveImageRunning = true;
    return COMM_OK;
}

int stopLiveImage(LibraryState& state) {
    std::lock_guard live(state.liveImageMutex);
    const std::shared_ptr<XmlRpcClientTimeout> connection = leaseConnection();
    if (!connection) return COMM_NOT_CONNECTED;
    std::shared_ptr<CLiveImage> receiver;
    {
        std::lock_guard lock(state.mutex);
        if (!state.liveImageRunning) return COMM_LIVE_IMAGE_NOT_RUNNING;
        receiver = state.liveImage;
    }
    if (receiver) receiver->Stop();
    {
        std::lock_guard lock(state.mutex);
        state.liveImageRunning = false;
    }
    XmlRpcValue reply = presetReply();
    connection->execute("xmlStopLiveImage", XmlRpcValue(), reply, kNoLimit);
    if (!hasFirstElement(reply)) return COMM_NO_REPLY;
    const XmlRpcValue& status = reply.asArray()[0];
    return status.getType() == XmlRpcValue::TypeInt ? status.asInt() : COMM_STATUS_NOT_INT;
}

}  // namespace

LiveImagePause::LiveImagePause(LibraryState& state) : lock_(state.liveImageMutex) {
    std::shared_ptr<CLiveImage> receiver;
    {
        std::lock_guard lock(state.mutex);
        if (state.liveImageRunning) receiver = state.liveImage;
    }
    if (receiver && receiver->running()) {
        receiver->Stop();
        paused_ = std::move(receiver);
    }
}

LiveImagePause::~LiveImagePause() {
    if (paused_) paused_->Start();
}

}  // namespace dravik

int StartLiveImageTransmission(const char* host, int port) {
    try {
        return dravik::startLiveImage(dravik::libraryState(), host, port);
    } catch (...) {
        return COMM_FAILED;
    }
}

int StopLiveImageTransmission() {
    try {
        return dravik::stopLiveImage(dravik::libraryState());
    } catch (...) {
        return COMM_FAILED;
    }
}

int GetLastLiveImageTaken(SensorBitmap** out) {
    if (out == nullptr) return COMM_INVALID_ARGUMENT;
    try {
        std::shared_ptr<dravik::CLiveImage> receiver;
        {
            dravik::LibraryState& state = dravik::libraryState();
            std::lock_guard lock(state.mutex);
            receiver = state.liveImage;
        }
        if (!receiver) return COMM_LIVE_IMAGE_NOT_RUNNING;
        return receiver->GetLastImage(out) == 0 ? COMM_OK : COMM_NO_LIVE_FRAME;
    } catch (...) {
        return COMM_NO_LIVE_FRAME;
    }
}

void DeleteSensorBitmap(SensorBitmap* bitmap) {
    dravik::freeSensorBitmap(bitmap);
}
