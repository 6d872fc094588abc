#include "sensor_update.h"

#include <chrono>
#include <thread>

#include "update_watch.h"

namespace brimsol {

namespace {

using XmlRpc::XmlRpcValue;

constexpr double kNoTimeLimit = -1.0;
// Gives a sensor that dropped the call time to get ready for "xmlAfterSWU".
constexpr std::chrono::milliseconds kPauseBeforeAfterCall{1000};
// "xmlAfterSWU" only tells the sensor; its answer is not read, so a sensor
// that fell silent holds the update no longer than this.
constexpr std::chrono::milliseconds kAfterCallLimit{5000};

// The calling thread's calls of this library's client end by `limit`.
struct ThreadCallLimit {
    explicit ThreadCallLimit(std::chrono::milliseconds limit) {
        XmlRpc::XmlRpcClient::setThreadDeadline(XmlRpc::XmlRpcClient::Clock::now() + limit);
    }
    ~ThreadCallLimit() { XmlRpc::XmlRpcClient::setThreadDeadline(XmlRpc::XmlRpcClient::noThreadDeadline()); }
    ThreadCallLimit(const ThreadCallLimit&) = delete;
    ThreadCallLimit& operator=(const ThreadCallLimit&) = delete;
};

}  // namespace

bool readUpdateResult(bool executed, bool fault, const XmlRpcValue& reply, int& result) {
    if (!executed || fault || reply.getType() != XmlRpcValue::TypeArray || reply.size() < 1 ||
        reply[0].getType() != XmlRpcValue::TypeInt)
        return false;
    result = reply[0].asInt();
    return true;
}

UpdateStatus sendImage(UpdateClient& client, const std::string& host, int port, std::vector<unsigned char>& image,
                       bool& connectionLost) {
    connectionLost = false;
    XmlRpcValue params;
    params[0] = XmlRpcValue(std::move(image));
    image.clear();
    XmlRpcValue reply;
    reply[0] = -1;
    bool executed = false;
    {
        // A sensor found silent ends the call at once (it fails as a lost connection).
        SilenceWatch watch(client, host, port);
        executed = client.execute("xmlSWU", params, reply, kNoTimeLimit);
    }
    client.allowCalls();
    params.clear();  // the image's memory goes back before anything else happens
    int result = 0;
    if (readUpdateResult(executed, client.isFault(), reply, result)) return result;
    connectionLost = !executed && !client.isFault();

    std::this_thread::sleep_for(kPauseBeforeAfterCall);
    XmlRpcValue none;
    none.setSize(0);
    XmlRpcValue ignored;
    ThreadCallLimit limit(kAfterCallLimit);
    client.execute("xmlAfterSWU", none, ignored, kNoTimeLimit);
    return BRIMSOL_SEND_FAILED;
}

}  // namespace brimsol
