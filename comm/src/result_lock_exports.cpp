// Exports of result polling and the result lock: resume, unlock, and the
// getters that lock a result and fetch its decoded image.
#include "command_frame.h"
#include "dravik/results.h"
#include "dravik/sensor_commands.h"
#include "result_lock.h"
#include "result_polling.h"
#include "sensor_bitmap_alloc.h"
#include "sensor_images.h"

namespace dravik {

namespace {

int testTriggerResults(SensorBitmap** out) {
    LibraryState& state = libraryState();
    const std::shared_ptr<XmlRpcClientTimeout> connection = leaseConnection();
    if (!connection) return COMM_NOT_CONNECTED;
    if (out == nullptr) return COMM_INVALID_ARGUMENT;
    if (const int locked = lockResult(*connection, -1, 0, nullptr); locked != COMM_OK) return locked;
    SensorBitmap* image = nullptr;
    if (const int fetched = FetchDecodedImage(state, *connection, &image); fetched != COMM_OK) {
        releaseResult(*connection);
        return fetched;
    }
    // Resumed once below, whatever the unlock says about a pending result.
    const int released = releaseResult(*connection);
    if (released != COMM_OK && !isNoLockedResult(released)) {
        freeSensorBitmap(image);
        return released;
    }
    *out = image;
    resumePollingThread();
    return COMM_OK;
}

int numberOfResults(int first, int second, int withImage, int* count, SensorBitmap** out, ParameterList* list) {
    LibraryState& state = libraryState();
    const std::shared_ptr<XmlRpcClientTimeout> connection = leaseConnection();
    if (!connection) return COMM_NOT_CONNECTED;
    if (count == nullptr || (withImage != 0 && out == nullptr)) return COMM_INVALID_ARGUMENT;
    int codes = 0;
    const int locked = lockResult(*connection, first, second, &codes);
    if (list != nullptr) list->clear();
    if (locked != COMM_OK) return noResultAsDone(locked);
    *count = codes;
    if (withImage == 0) return COMM_OK;
    SensorBitmap* image = nullptr;
    if (const int fetched = FetchDecodedImage(state, *connection, &image); fetched != COMM_OK) {
        releaseResult(*connection);
        return noResultAsDone(fetched);
    }
    *out = image;
    return COMM_OK;
}

int readCode(int* count) {
    const std::shared_ptr<XmlRpcClientTimeout> connection = leaseConnection();
    if (!connection) return COMM_NOT_CONNECTED;
    if (count == nullptr) return COMM_INVALID_ARGUMENT;
    if (const int decoded = DecodeImage(); decoded != COMM_OK) return decoded;
    return lockResult(*connection, -1, 0, count);
}

}  // namespace

}  // namespace dravik

using dravik::guarded;

int ResumePollingThread() {
    return guarded([] { return dravik::ResumePolling(dravik::libraryState()); });
}

int SetUnlockResult() {
    return guarded([] {
        const auto connection = dravik::leaseConnection();
        if (!connection) return int(COMM_NOT_CONNECTED);
        return dravik::unlockResult(*connection);
    });
}

int GetTestTriggerResults(SensorBitmap** out) {
    return guarded([&] { return dravik::testTriggerResults(out); });
}

int GetNumberOfResults(int first, int second, int withImage, int* count, SensorBitmap** out, ParameterList* list) {
    return guarded([&] { return dravik::numberOfResults(first, second, withImage, count, out, list); });
}

int GetReadCode(int* count) {
    return guarded([&] { return dravik::readCode(count); });
}
