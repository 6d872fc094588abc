// The sensor's live image methods: "xmlStartLiveImage" and "xmlStopLiveImage"
// switch the source's stream on and off and answer [0].
#pragma once

#include "sim/live_image_source.h"
#include "sim/xmlrpc_server.h"

namespace vt::sim {

// Add after addConnectionMethods: this "xmlStopLiveImage" replaces its plain one.
// The source must outlive the server's use of the methods.
void addLiveImageMethods(XmlRpcServer& server, LiveImageSource& source);

}  // namespace vt::sim
