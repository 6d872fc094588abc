// The frames every list getter and setter shares.
#pragma once

#include <cstddef>

#include "command_frame.h"
#include "dravik/parameter_list.h"
#include "parameter_wire.h"
#include "xmlrpc/XmlRpcValue.h"

namespace dravik {

// Skip counts of the reply fill: most getters leave out the template's final
// end item, the configuration and settings getters keep it.
inline constexpr std::size_t kKeepFinalEnd = 0;
inline constexpr std::size_t kSkipFinalEnd = 1;

// Fetches template `templateId` (its failure code first, `list` untouched),
// empties `list`, calls `method` with `params` and, on status 0, fills the
// list from the reply. No element 0: COMM_NO_REPLY; element 0 not an int:
// COMM_STATUS_NOT_INT; else the status. Not connected: COMM_NOT_CONNECTED,
// nothing touched.
int GetParameterList(ParameterList& list, int templateId, const char* method,
                     const XmlRpc::XmlRpcValue& params, double limitSeconds, std::size_t skip);

struct SetterForm {
    SectionForm sections = SectionForm::Markers;
    bool writeMarkersBack = true;    // leave the marker texts in the caller's section items
    bool trailingEndMarker = false;  // one more end marker after the last item
};

// Sends `list` as one flat array. COMM_NOT_CONNECTED, or COMM_INVALID_ARGUMENT
// for an item of unknown kind or type (nothing sent), or the status: no
// element 0 COMM_NO_REPLY, else element 0 (COMM_STATUS_NOT_INT when it is no int).
int SetParameterList(ParameterList& list, const char* method, double limitSeconds, const SetterForm& form);

// Sends an array already built; the status as above.
int SendParameterArray(const char* method, const XmlRpc::XmlRpcValue& params, double limitSeconds);

}  // namespace dravik
