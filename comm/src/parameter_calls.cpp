#include "parameter_calls.h"

#include "dravik/comm_status.h"
#include "library_state.h"
#include "record_template.h"

namespace dravik {

using XmlRpc::XmlRpcValue;

int GetParameterList(ParameterList& list, int templateId, const char* method, const XmlRpcValue& params,
                     double limitSeconds, std::size_t skip) {
    const auto connection = leaseConnection();
    if (!connection) return COMM_NOT_CONNECTED;
    ParameterList templateItems;
    if (int rc = FetchRecordTemplate(templateItems, templateId); rc != COMM_OK) return rc;
    list.clear();
    XmlRpcValue reply;
    const int status = sendOn(*connection, method, params, limitSeconds, StatusPattern::C, reply);
    if (status == COMM_OK) FillListFromReply(list, templateItems, reply, skip);
    return status;
}

int SendParameterArray(const char* method, const XmlRpcValue& params, double limitSeconds) {
    return sendCommand(method, params, limitSeconds, StatusPattern::A);
}

int SetParameterList(ParameterList& list, const char* method, double limitSeconds, const SetterForm& form) {
    if (!leaseConnection()) return COMM_NOT_CONNECTED;
    XmlRpcValue params;
    if (int rc = MarshalParameterList(list, form.sections, params); rc != COMM_OK) return rc;
    if (form.trailingEndMarker) params[params.size()] = kSectionEndMarker;
    if (form.writeMarkersBack) WriteSectionMarkers(list);
    return SendParameterArray(method, params, limitSeconds);
}

}  // namespace dravik
