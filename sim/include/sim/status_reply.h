// The sensor's shortest answer: an array holding only the status.
#pragma once

#include "xmlrpc/XmlRpcValue.h"

namespace vt::sim {

inline XmlRpc::XmlRpcValue statusReply(int status) {
    XmlRpc::XmlRpcValue reply;
    reply[0] = status;
    return reply;
}

}  // namespace vt::sim
