// Checking the parameters a sensor method receives.
#pragma once

#include "xmlrpc/XmlRpcValue.h"

namespace vt::sim {

// The parameters a method expects, in order: 'i' an int, 's' a string.
bool shapedParams(const XmlRpc::XmlRpcValue& params, const char* shape);

}  // namespace vt::sim
