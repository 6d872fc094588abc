// What the simulated sensor answers about one reading, in the shapes of the
// result records (docs/templates.md: 1013, 1006, 1010, 1012, 2002 and the
// quality templates).
#pragma once

#include "sim/reading_model.h"

namespace vt::sim {

// [0, raw result bytes, the 39 items of the general result] of code `index`.
XmlRpc::XmlRpcValue ResultReply(const SimReading& reading, int index = 0);
// [0, the items of the code type's code result] of code `index`.
XmlRpc::XmlRpcValue CodeResultReply(const SimReading& reading, int index = 0);
// [0, the sections of the code type's quality record: label, append_it, grade, end].
XmlRpc::XmlRpcValue CodeQualityReply(const SimReading& reading);

}  // namespace vt::sim
