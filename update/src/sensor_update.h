// The update call itself.
#pragma once

#include <vector>

#include "brimsol/brimsol_status.h"
#include "xmlrpc/XmlRpcClient.h"

namespace brimsol {

// Sends image as the one base64 parameter of "xmlSWU" and returns the
// sensor's result. A call that does not come through, a fault, or a reply
// without an int result: one second's pause, "xmlAfterSWU" (its reply
// unread) and BRIMSOL_SEND_FAILED. Empties image.
UpdateStatus sendImage(XmlRpc::XmlRpcClient& client, std::vector<unsigned char>& image);

}  // namespace brimsol
