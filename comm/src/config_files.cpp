// Configuration files: a configuration copied from the sensor into a file
// and back. The bytes are opaque; they travel as one base64 value.
#include <sys/stat.h>

#include <optional>
#include <string>

#include "dravik/dravik.h"
#include "file_replace.h"
#include "library_state.h"
#include "sensor_reply.h"
#include "utf16_text.h"

namespace dravik {

namespace {

using XmlRpc::XmlRpcValue;

constexpr double kNoLimit = -1.0;

XmlRpcValue configParams(int slot, const char* name, int mode) {
    XmlRpcValue params;
    params[0] = slot;
    params[1] = name;
    params[2] = mode;
    return params;
}

bool badWideArguments(int slot, const char* name, int mode, const char16_t* path) {
    return name == nullptr || path == nullptr || mode < -1 || slot < 0;
}

int statusOf(const XmlRpcValue& reply) {
    const XmlRpcValue& status = reply.asArray()[0];
    return status.getType() == XmlRpcValue::TypeInt ? status.asInt() : COMM_STATUS_NOT_INT;
}

int download(XmlRpcClientTimeout& connection, int slot, const char* name, int mode, const std::string& path) {
    XmlRpcValue reply = presetReply();
    connection.execute("xmlDownloadConfig", configParams(slot, name, mode), reply, kNoLimit);
    if (!hasFirstElement(reply)) return COMM_NO_REPLY;
    const int status = statusOf(reply);
    if (status != COMM_OK) return status;
    // A success without the data must not leave an empty file behind.
    if (reply.size() < 2 || reply.asArray()[1].getType() != XmlRpcValue::TypeBase64) return COMM_FAILED;
    const XmlRpcValue::BinaryData& data = reply.asArray()[1].asBinary();
    // The old file stays until the new one is complete.
    const std::string_view bytes(reinterpret_cast<const char*>(data.data()), data.size());
    return replaceFile(path, bytes) ? COMM_OK : COMM_FILE_ERROR;
}

int upload(XmlRpcClientTimeout& connection, int slot, const char* name, int mode, const std::string& path) {
    std::string bytes;
    if (!readRegularFile(path, bytes)) return COMM_FILE_ERROR;
    XmlRpcValue params = configParams(slot, name, mode);
    params[3] = XmlRpcValue::BinaryData(bytes.begin(), bytes.end());
    XmlRpcValue reply = presetReply();
    connection.execute("xmlUploadConfig", params, reply, kNoLimit);
    if (!hasFirstElement(reply)) return COMM_NO_REPLY;
    return statusOf(reply);
}

bool isRegularFile(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

}  // namespace

}  // namespace dravik

using namespace dravik;

int DownloadConfig(int slot, const char* name, int mode, const char* path) {
    const auto connection = leaseConnection();
    if (!connection) return COMM_NOT_CONNECTED;
    if (name == nullptr || path == nullptr) return COMM_INVALID_ARGUMENT;
    return download(*connection, slot, name, mode, path);
}

int DownloadConfigW(int slot, const char* name, int mode, const char16_t* path) {
    const auto connection = leaseConnection();
    if (!connection) return COMM_NOT_CONNECTED;
    if (badWideArguments(slot, name, mode, path)) return COMM_INVALID_ARGUMENT;
    return download(*connection, slot, name, mode, *widePath(path));
}

int UploadConfig(int slot, const char* name, int mode, const char* path) {
    const auto connection = leaseConnection();
    if (!connection) return COMM_NOT_CONNECTED;
    if (name == nullptr || path == nullptr) return COMM_INVALID_ARGUMENT;
    return upload(*connection, slot, name, mode, path);
}

int UploadConfigW(int slot, const char* name, int mode, const char16_t* path) {
    const auto connection = leaseConnection();
    if (!connection) return COMM_NOT_CONNECTED;
    if (badWideArguments(slot, name, mode, path)) return COMM_INVALID_ARGUMENT;
    const std::string narrow = *widePath(path);
    if (!isRegularFile(narrow)) return COMM_BAD_LIBRARY_FILE;
    return upload(*connection, slot, name, mode, narrow);
}
