#include "sensor_update.h"

#include <chrono>
#include <thread>

namespace brimsol {

namespace {

using XmlRpc::XmlRpcValue;

constexpr double kNoTimeLimit = -1.0;
// Gives a sensor that dropped the call time to get ready for "xmlAfterSWU".
constexpr std::chrono::milliseconds kPauseBeforeAfterCall{1000};

}  // namespace

bool readUpdateResult(bool executed, bool fault, const XmlRpcValue& reply, int& result) {
    if (!executed || fault || reply.getType() != XmlRpcValue::TypeArray || reply.size() < 1 ||
        reply[0].getType() != XmlRpcValue::TypeInt)
        return false;
    result = reply[0].asInt();
    return true;
}

UpdateStatus sendImage(XmlRpc::XmlRpcClient& client, std::vector<unsigned char>& image, bool& connectionLost) {
    connectionLost = false;
    XmlRpcValue params;
    params[0] = XmlRpcValue(std::move(image));
    image.clear();
    XmlRpcValue reply;
    reply[0] = -1;
    const bool executed = client.execute("xmlSWU", params, reply, kNoTimeLimit);
    params.clear();  // the image's memory goes back before anything else happens
    int result = 0;
    if (readUpdateResult(executed, client.isFault(), reply, result)) return result;
    connectionLost = !executed && !client.isFault();

    std::this_thread::sleep_for(kPauseBeforeAfterCall);
    XmlRpcValue none;
    none.setSize(0);
    XmlRpcValue ignored;
    client.execute("xmlAfterSWU", none, ignored, kNoTimeLimit);
    return BRIMSOL_SEND_FAILED;
}

}  // namespace brimsol
