// The sensor's connection methods: "help", "xmlConnect", "xmlHeartbeat",
// "xmlGetCompatibleSensorTypes", "xmlGetCompatibleDKVersions",
// "xmlDisconnect" and "xmlStopLiveImage".
#pragma once

#include "sim/sensor_state.h"
#include "sim/xmlrpc_server.h"

namespace vt::sim {

// The state must outlive the server's use of the methods.
void addConnectionMethods(XmlRpcServer& server, const SensorState& state);

}  // namespace vt::sim
