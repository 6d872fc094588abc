// Reading the sensor's replies: the preset every call starts from, and the
// status element.
#pragma once

#include "xmlrpc/XmlRpcValue.h"

namespace dravik {

// A call that cannot be sent at all leaves this status.
inline XmlRpc::XmlRpcValue presetReply() {
    XmlRpc::XmlRpcValue reply;
    reply[0] = -1;
    return reply;
}

inline bool hasFirstElement(const XmlRpc::XmlRpcValue& reply) {
    return reply.getType() == XmlRpc::XmlRpcValue::TypeArray && reply.size() > 0;
}

}  // namespace dravik
