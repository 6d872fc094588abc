// How the lock library reads the sensor's replies.
#pragma once

#include "keltrov/keltrov_status.h"
#include "xmlrpc/XmlRpcValue.h"

namespace keltrov {

// executed and fault: what XmlRpcClient::execute and isFault said.
// value: null for calls whose reply is only [status]; else it receives
// element 1 of a [status, value] reply (and is left alone otherwise).
// Never throws, whatever the reply holds.
LockStatus readLockReply(bool executed, bool fault, const XmlRpc::XmlRpcValue& reply, int* value);

}  // namespace keltrov
