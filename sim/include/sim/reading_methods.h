// The sensor's reading methods: "xmlPollResults", "xmlLockResult",
// "xmlUnlockResult", "xmlGetResult", "xmlGetCodeResult",
// "xmlGetCodeQuality2DResult", "xmlGetDecodedImage", "xmlGetCurrentImage"
// and "xmlGetLastResultsList". Each consults the sensor model's reply
// script first; wrong parameters are answered with kSimBadArguments.
#pragma once

#include "sim/reading_model.h"
#include "sim/xmlrpc_server.h"

namespace vt::sim {

// Both models must outlive the server's use of the methods.
void addReadingMethods(XmlRpcServer& server, SensorModel& sensor, ReadingModel& readings);

}  // namespace vt::sim
