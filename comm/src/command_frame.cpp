#include "command_frame.h"

namespace dravik {

using XmlRpc::XmlRpcValue;

int readStatus(const XmlRpcValue& reply, StatusPattern pattern) {
    const bool noStatus = !reply.valid() || (reply.getType() == XmlRpcValue::TypeArray && reply.size() == 0);
    if (noStatus) return pattern == StatusPattern::B ? COMM_STATUS_NOT_INT : COMM_NO_REPLY;
    const std::optional<int> status = intElement(reply, 0);
    return status ? *status : COMM_STATUS_NOT_INT;
}

int sendOn(XmlRpcClientTimeout& connection, const char* method, const XmlRpcValue& params,
           double limitSeconds, StatusPattern pattern, XmlRpcValue& reply) {
    reply = presetReply();
    connection.execute(method, params, reply, limitSeconds);
    return readStatus(reply, pattern);
}

int sendCommand(const char* method, const XmlRpcValue& params, double limitSeconds, StatusPattern pattern,
                XmlRpcValue& reply) {
    const std::shared_ptr<XmlRpcClientTimeout> connection = leaseConnection();
    if (!connection) return COMM_NOT_CONNECTED;
    return sendOn(*connection, method, params, limitSeconds, pattern, reply);
}

int sendCommand(const char* method, const XmlRpcValue& params, double limitSeconds, StatusPattern pattern) {
    XmlRpcValue reply;
    return sendCommand(method, params, limitSeconds, pattern, reply);
}

XmlRpcValue commandParams(std::initializer_list<CommandParam> params) {
    XmlRpcValue array;
    int i = 0;
    for (const CommandParam& p : params) array[i++] = p.value;
    return array;
}

}  // namespace dravik
