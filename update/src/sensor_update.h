// The update call itself.
#pragma once

#include <string>
#include <vector>

#include "brimsol/brimsol_status.h"
#include "update_watch.h"
#include "xmlrpc/XmlRpcClient.h"

namespace brimsol {

// Sends image as the one base64 parameter of "xmlSWU" and returns the
// sensor's result. A call that does not come through, a fault, or a reply
// without an int result: one second's pause, "xmlAfterSWU" (its reply
// unread) and BRIMSOL_SEND_FAILED. Empties image.
// The sensor's result from an "xmlSWU" reply: false when the call did not
// come through, was a fault, or element 0 is missing or not an int.
bool readUpdateResult(bool executed, bool fault, const XmlRpc::XmlRpcValue& reply, int& result);

// connectionLost: set when no readable answer came (not even a fault),
// also when the sensor at host and port stopped answering while it held
// the call (SilenceWatch). "xmlAfterSWU" waits a few seconds at most.
UpdateStatus sendImage(UpdateClient& client, const std::string& host, int port, std::vector<unsigned char>& image,
                       bool& connectionLost);

}  // namespace brimsol
