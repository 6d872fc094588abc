// The sensor's live image methods: "xmlStartLiveImage" and "xmlStopLiveImage"
// switch the source's stream on and off and answer [0].
#pragma once

#include "sim/live_image_source.h"
#include "sim/reply_script.h"
#include "sim/xmlrpc_server.h"

namespace vt::sim {

// Add after addConnectionMethods: this "xmlStopLiveImage" replaces its plain one.
// The source (and the script) must outlive the server's use of the methods.
// With a script, a reply queued there answers instead and the stream stays as it was.
void addLiveImageMethods(XmlRpcServer& server, LiveImageSource& source, ReplyScript* script = nullptr);

}  // namespace vt::sim
