// Reading the sensor's list of last results from its reply.
#pragma once

#include <string>
#include <vector>

#include "dravik/results.h"
#include "xmlrpc/XmlRpcValue.h"

namespace dravik {

// [status, text, count, then five elements per entry: number, passed, age
// text, result text, index]. The count must be non-negative and covered by
// the reply, every element of its type; texts are cut to the entry's
// fields. COMM_OK with text and entries; else COMM_STATUS_NOT_INT with both
// empty.
int ReadLastResultsList(const XmlRpc::XmlRpcValue& reply, std::string& text, std::vector<ResultListEntry>& entries);

}  // namespace dravik
