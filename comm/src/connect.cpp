// Connect, Disconnect and the compatibility check between sensor and library.
#include <algorithm>
#include <cstring>
#include <new>

#include "compatible_list_algorithm.h"
#include "dravik/dravik.h"
#include "library_state.h"
#include "record_template.h"
#include "result_polling.h"
#include "sensor_reply.h"

namespace dravik {

namespace {

using XmlRpc::XmlRpcValue;

constexpr const char* kHeartbeatMethod = "xmlHeartbeat";
constexpr double kHelpLimitSeconds = 3.0;
constexpr double kNoLimit = -1.0;
// A sensor that accepts and stays silent must not hold Connect for good.
constexpr double kConnectCallLimitSeconds = 60.0;
constexpr double kDisconnectLimitSeconds = 7.0;
constexpr double kStopLiveImageLimitSeconds = 10.0;

std::string textAt(const XmlRpcValue& reply, int index) {
    const std::string* text = textElement(reply, index);
    return text != nullptr ? *text : std::string();
}

// Asks the sensor for one of its compatibility lists; nothing on no reply.
bool askList(XmlRpcClientTimeout& connection, const char* method, std::vector<std::string>& texts) {
    XmlRpcValue reply = presetReply();
    connection.execute(method, XmlRpcValue(), reply, kNoLimit);
    if (!hasFirstElement(reply)) return false;
    texts = CCompatibleListAlgorithm::replyTexts(reply);
    return true;
}

int checkCompatibility(LibraryState& state, const CCompatibleListAlgorithm& lists,
                       XmlRpcClientTimeout& connection, const std::string& key, const std::string& version,
                       const std::string& type) {
    if (type.empty() || type.compare(0, 3, CCompatibleListAlgorithm::kFamilyPrefix) != 0) {
        endSession(state, key.c_str());
        return type.empty() ? COMM_SENSOR_TOO_OLD : COMM_OTHER_FAMILY;
    }

    if (!lists.containsListedType(type)) {
        std::vector<std::string> sensorTypes;
        if (!askList(connection, "xmlGetCompatibleSensorTypes", sensorTypes)) {
            endSession(state, key.c_str());
            return COMM_NO_CONNECTION;
        }
        if (std::none_of(sensorTypes.begin(), sensorTypes.end(),
                         [&](const std::string& t) { return lists.containsListedType(t); })) {
            endSession(state, key.c_str());
            return COMM_UNKNOWN_SENSOR_TYPE;
        }
    }

    if (lists.isListedVersion(version)) return COMM_OK;
    // An older sensor stays connected, so the program can tell the user.
    if (lists.isOlderThanListed(version)) return COMM_SENSOR_TOO_OLD;
    std::vector<std::string> libraryVersions;
    if (!askList(connection, "xmlGetCompatibleDKVersions", libraryVersions)) {
        endSession(state, key.c_str());
        return COMM_NO_CONNECTION;
    }
    if (std::none_of(libraryVersions.begin(), libraryVersions.end(),
                     [&](const std::string& v) { return lists.ownVersion().find(v) != std::string::npos; })) {
        endSession(state, key.c_str());
        return COMM_LIBRARY_VERSION_NOT_LISTED;
    }
    return COMM_OK;
}

int connect(LibraryState& state, VtWindow window, const std::string& key, const char* host, int port,
            char* outVersion, char* outType) {
    std::function<std::string(XmlRpcClientTimeout&)> localAddressSource;
    bool connected = false;
    unsigned abandons = 0;
    LibraryState::HeartbeatTiming heartbeat;
    {
        std::lock_guard lock(state.mutex);
        heartbeat = state.heartbeat;
        state.languageLibraryPath.clear();
        state.languageLibraryPathSet = false;
        connected = state.connection != nullptr;
        localAddressSource = state.localAddressSource;
        abandons = state.abandons;
    }
    // The old session goes first, threads and all; it is not told "xmlDisconnect".
    if (connected) endSession(state, nullptr);

    std::shared_ptr<XmlRpcClientTimeout> connection;
    try {
        connection = std::make_shared<XmlRpcClientTimeout>(
            window, heartbeat.intervalMs, heartbeat.limitSeconds, heartbeat.failureLimit, kHeartbeatMethod,
            host != nullptr ? host : "", port, "/RPC2");
    } catch (const std::bad_alloc&) {
        return COMM_FAILED;
    }
    {
        std::lock_guard lock(state.mutex);
        state.window = window;
        state.connection = connection;
        // Given up while this Connect began: its calls fail at once.
        if (state.abandons != abandons) connection->abandon();
    }

    // Only opens the connection; the reply does not matter.
    XmlRpcValue help;
    connection->execute("help", XmlRpcValue(), help, kHelpLimitSeconds);

    const std::string local =
        localAddressSource ? localAddressSource(*connection) : connection->localAddress();
    if (local.empty() || local == "0.0.0.0") return COMM_NO_CONNECTION;

    bool inserted = false;
    {
        std::lock_guard lock(state.mutex);
        switch (state.hostMap.admit(key, local)) {
            case HostMap::Admit::Elsewhere:
                return COMM_KEY_MAPPED_ELSEWHERE;
            case HostMap::Admit::Inserted:
                inserted = true;
                break;
            case HostMap::Admit::Same:
                break;
        }
    }

    XmlRpcValue params;
    params[0] = local;
    XmlRpcValue reply = presetReply();
    connection->execute("xmlConnect", params, reply, kConnectCallLimitSeconds);
    if (!reply.valid() || (reply.getType() == XmlRpcValue::TypeArray && reply.size() == 0)) {
        // Nothing came back: no connection, and the key is free again.
        connection->StopHeartbeat();
        connection->retire();
        std::lock_guard lock(state.mutex);
        if (state.connection == connection) state.connection.reset();
        if (inserted) state.hostMap.erase(key);
        return COMM_NO_CONNECTION;
    }

    connection->StartHeartbeat();
    const CCompatibleListAlgorithm lists;

    if (!hasFirstElement(reply) || reply.asArray()[0].getType() != XmlRpcValue::TypeInt)
        return COMM_STATUS_NOT_INT;
    const int status = reply.asArray()[0].asInt();
    if (status != COMM_OK) return status;

    const std::string version = textAt(reply, 1);
    const std::string type = textAt(reply, 2);
    const int check = checkCompatibility(state, lists, *connection, key, version, type);
    if (check != COMM_OK) return check;
    copyTextCut(outVersion, DRAVIK_CONNECT_TEXT_SIZE, version);
    copyTextCut(outType, DRAVIK_CONNECT_TEXT_SIZE, type);
    return COMM_OK;
}

}  // namespace

LibraryState& libraryState() {
    static LibraryState state;
    return state;
}

LibraryState::~LibraryState() {
    std::lock_guard session(sessionMutex);
    endSession(*this, nullptr);
}

std::shared_ptr<XmlRpcClientTimeout> leaseConnection() {
    LibraryState& state = libraryState();
    std::lock_guard lock(state.mutex);
    return state.connection;
}

void endSession(LibraryState& state, const char* key) {
    // First, so that a held poll does not keep the calls below waiting.
    StopPollingThread(state);
    // No live image export is half-way through while the session ends.
    std::lock_guard live(state.liveImageMutex);
    std::shared_ptr<XmlRpcClientTimeout> connection;
    std::optional<std::string> local;
    std::shared_ptr<CLiveImage> receiver;
    bool streaming = false;
    {
        std::lock_guard lock(state.mutex);
        connection = state.connection;
        if (key != nullptr && connection) {
            local = state.hostMap.find(key);
            if (local) state.hostMap.erase(key);
        }
        receiver = std::move(state.liveImage);
        streaming = state.liveImageRunning;
        state.liveImageRunning = false;
    }
    if (connection && streaming) {
        XmlRpcValue ignored;
        connection->execute("xmlStopLiveImage", XmlRpcValue(), ignored, kStopLiveImageLimitSeconds);
    }
    // Joined here; a reader still holding it only frees the memory later.
    if (receiver) receiver->Stop();
    if (connection) {
        if (local) {
            XmlRpcValue params;
            params[0] = *local;
            XmlRpcValue ignored;
            connection->execute("xmlDisconnect", params, ignored, kDisconnectLimitSeconds);
        }
        connection->StopHeartbeat();
        connection->retire();
    }
    std::lock_guard lock(state.mutex);
    if (state.connection == connection) state.connection.reset();
    state.resultLocked = false;
}

}  // namespace dravik

int Connect(VtWindow window, const char* key, const char* host, int port, char* outVersion, char* outType) {
    try {
        dravik::LibraryState& state = dravik::libraryState();
        std::lock_guard session(state.sessionMutex);
        return dravik::connect(state, window, key != nullptr ? key : "", host, port, outVersion, outType);
    } catch (...) {
        return COMM_FAILED;
    }
}

int AbandonConnection() {
    try {
        dravik::LibraryState& state = dravik::libraryState();
        std::shared_ptr<dravik::XmlRpcClientTimeout> connection;
        {
            std::lock_guard lock(state.mutex);
            ++state.abandons;
            connection = state.connection;
        }
        // First cut the calls, so that the session's end below waits for nothing.
        if (connection) connection->abandon();
        std::lock_guard session(state.sessionMutex);
        dravik::endSession(state, nullptr);
    } catch (...) {
    }
    return COMM_OK;
}

int SetThreadCallDeadline(int milliseconds) {
    using Clock = XmlRpc::XmlRpcClient::Clock;
    XmlRpc::XmlRpcClient::setThreadDeadline(milliseconds > 0 ? Clock::now() + std::chrono::milliseconds(milliseconds)
                                                              : XmlRpc::XmlRpcClient::noThreadDeadline());
    return COMM_OK;
}

int Disconnect(const char* key) {
    try {
        dravik::LibraryState& state = dravik::libraryState();
        std::lock_guard session(state.sessionMutex);
        dravik::endSession(state, key);
        dravik::ReleaseTemplateReader();
    } catch (...) {
    }
    return COMM_OK;
}
