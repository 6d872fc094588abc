// The sensor's command and state methods: statistics, trigger, time, the
// configuration slots ("xmlCreateConfig" ... "xmlCloseAndDiscard"), state,
// exposure, auto-detect, decode and capture, the test transmissions, the
// regular-expression check and the recognition mode. Each consults the
// model's reply script first.
#pragma once

#include "sim/sensor_model.h"
#include "sim/xmlrpc_server.h"

namespace vt::sim {

// The model must outlive the server's use of the methods.
void addSensorCommandMethods(XmlRpcServer& server, SensorModel& model);

}  // namespace vt::sim
