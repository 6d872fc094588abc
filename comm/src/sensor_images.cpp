#include "sensor_images.h"

#include <cstring>
#include <new>

#include "bitmap_file.h"
#include "command_frame.h"
#include "dravik/sensor_images.h"
#include "sensor_bitmap_alloc.h"
#include "sensor_reply.h"

namespace dravik {

using XmlRpc::XmlRpcValue;

namespace {

int statusOf(const XmlRpcValue& reply, ImageReplyCodes codes) {
    if (!hasFirstElement(reply)) return codes.noReply;
    const XmlRpcValue& status = reply.asArray()[0];
    return status.getType() == XmlRpcValue::TypeInt ? status.asInt() : codes.notAnInt;
}

int getImage(const char* method, SensorBitmap** out) {
    const std::shared_ptr<XmlRpcClientTimeout> connection = leaseConnection();
    if (!connection) return COMM_NOT_CONNECTED;
    if (out == nullptr) return COMM_INVALID_ARGUMENT;
    std::vector<uint8_t> pixels;
    const int status = FetchImagePixels(*connection, method, kNoLimit, kImageGetterCodes, pixels);
    if (status != COMM_OK) return status;
    SensorBitmap* bitmap = SensorImageBitmap(pixels);
    if (bitmap == nullptr) return COMM_FAILED;
    *out = bitmap;
    return COMM_OK;
}

int getAndSave(const char* method, ImageReplyCodes codes, const char* narrowPath, const char16_t* widePath) {
    const std::shared_ptr<XmlRpcClientTimeout> connection = leaseConnection();
    if (!connection) return COMM_NOT_CONNECTED;
    std::vector<uint8_t> pixels;
    const int status = FetchImagePixels(*connection, method, kNoLimit, codes, pixels);
    if (status != COMM_OK) return status;
    if (narrowPath == nullptr && widePath == nullptr) return COMM_OK;  // nothing asked to be written
    return SaveRawAsBitmapFile(pixels.data(), narrowPath, widePath) == 0 ? COMM_OK : COMM_FILE_ERROR;
}

// The wide savers refuse a null path before anything is sent.
int getAndSaveWide(const char* method, ImageReplyCodes codes, const char16_t* path) {
    if (!leaseConnection()) return COMM_NOT_CONNECTED;
    if (path == nullptr) return COMM_INVALID_ARGUMENT;
    return getAndSave(method, codes, nullptr, path);
}

// The current-image savers read any bad status element as "not an int".
constexpr ImageReplyCodes kCurrentSaverCodes{COMM_STATUS_NOT_INT, COMM_STATUS_NOT_INT};
constexpr ImageReplyCodes kDecodedSaverCodes{COMM_NO_REPLY, COMM_DECODED_IMAGE_STATUS_NOT_INT};

}  // namespace

int ReadImagePixels(const XmlRpcValue& reply, std::vector<uint8_t>& pixels) {
    if (reply.getType() != XmlRpcValue::TypeArray || reply.size() < 2) return COMM_STATUS_NOT_INT;
    const XmlRpcValue& picture = reply.asArray()[1];
    if (picture.getType() != XmlRpcValue::TypeBase64) return COMM_STATUS_NOT_INT;
    const XmlRpcValue::BinaryData& bytes = picture.asBinary();
    if (bytes.size() != static_cast<std::size_t>(kSensorImageBytes)) return COMM_FAILED;
    try {
        pixels.assign(bytes.begin(), bytes.end());
    } catch (const std::bad_alloc&) {
        return COMM_FAILED;
    }
    return COMM_OK;
}

int FetchImagePixels(XmlRpcClientTimeout& connection, const char* method, double limitSeconds,
                     ImageReplyCodes codes, std::vector<uint8_t>& pixels) {
    XmlRpcValue reply = presetReply();
    connection.execute(method, XmlRpcValue(), reply, limitSeconds);
    const int status = statusOf(reply, codes);
    if (status != COMM_OK) return status;
    return ReadImagePixels(reply, pixels);
}

SensorBitmap* SensorImageBitmap(const std::vector<uint8_t>& pixels) {
    SensorBitmap* bitmap = newSensorBitmap(kSensorImageWidth, kSensorImageHeight);
    if (bitmap != nullptr) std::memcpy(bitmap->pixels, pixels.data(), static_cast<std::size_t>(kSensorImageBytes));
    return bitmap;
}

int FetchDecodedImage(LibraryState& state, XmlRpcClientTimeout& connection, SensorBitmap** out) {
    std::vector<uint8_t> pixels;
    int status = COMM_OK;
    {
        ++state.resultSectionWaiting;
        std::unique_lock section(state.resultSection);
        --state.resultSectionWaiting;
        status = FetchImagePixels(connection, "xmlGetDecodedImage", kDecodedImageLimitSeconds, kImageGetterCodes,
                                  pixels);
    }
    if (status != COMM_OK || out == nullptr) return status;
    SensorBitmap* bitmap = SensorImageBitmap(pixels);
    if (bitmap == nullptr) return COMM_FAILED;
    *out = bitmap;
    return COMM_OK;
}

}  // namespace dravik

int GetCurrentImage(SensorBitmap** out) {
    return dravik::guarded([&] { return dravik::getImage("xmlGetCurrentImage", out); });
}

int GetDecodeImage(SensorBitmap** out) {
    return dravik::guarded([&] { return dravik::getImage("xmlGetDecodedImage", out); });
}

int GetAndSaveCurrentImage(const char* path) {
    return dravik::guarded(
        [&] { return dravik::getAndSave("xmlGetCurrentImage", dravik::kCurrentSaverCodes, path, nullptr); });
}

int GetAndSaveCurrentImageW(const char16_t* path) {
    return dravik::guarded(
        [&] { return dravik::getAndSaveWide("xmlGetCurrentImage", dravik::kCurrentSaverCodes, path); });
}

int GetAndSaveDecodedImage(const char* path) {
    return dravik::guarded(
        [&] { return dravik::getAndSave("xmlGetDecodedImage", dravik::kDecodedSaverCodes, path, nullptr); });
}

int GetAndSaveDecodedImageW(const char16_t* path) {
    return dravik::guarded(
        [&] { return dravik::getAndSaveWide("xmlGetDecodedImage", dravik::kDecodedSaverCodes, path); });
}
