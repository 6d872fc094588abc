#include "sim/connection_methods.h"

#include "sim/status_reply.h"

namespace vt::sim {

namespace {

using XmlRpc::XmlRpcValue;

// [0, n, text 1 ... text n]
XmlRpcValue list(const std::vector<std::string>& texts) {
    XmlRpcValue reply = statusReply(0);
    reply[1] = static_cast<int>(texts.size());
    for (std::size_t i = 0; i < texts.size(); ++i) reply[static_cast<int>(i) + 2] = texts[i];
    return reply;
}

}  // namespace

void addConnectionMethods(XmlRpcServer& server, const SensorState& state) {
    for (const char* method : {"help", "xmlHeartbeat", "xmlDisconnect", "xmlStopLiveImage"})
        server.setMethod(method, [](const XmlRpcValue&) { return statusReply(0); });
    server.setMethod("xmlConnect", [&state](const XmlRpcValue&) {
        const SensorState::Identity id = state.identity();
        if (id.connectStatus != 0) return statusReply(id.connectStatus);
        XmlRpcValue reply = statusReply(0);
        reply[1] = id.softwareVersion;
        reply[2] = id.sensorType;
        return reply;
    });
    server.setMethod("xmlGetCompatibleSensorTypes",
                     [&state](const XmlRpcValue&) { return list(state.identity().compatibleSensorTypes); });
    server.setMethod("xmlGetCompatibleDKVersions", [&state](const XmlRpcValue&) {
        return list(state.identity().compatibleLibraryVersions);
    });
}

}  // namespace vt::sim
