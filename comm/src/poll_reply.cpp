#include "poll_reply.h"

#include "dravik/dravik.h"
#include "result_lock.h"

namespace dravik {

using XmlRpc::XmlRpcValue;

XmlRpcValue PollPreset() {
    XmlRpcValue reply;
    reply[0] = COMM_FAILED;
    reply[1] = 0;
    return reply;
}

PollStep ClassifyPollReply(bool sent, const XmlRpcValue& reply) {
    using Action = PollStep::Action;
    if (!sent) return {Action::SendFailed, 0};
    if (reply.getType() != XmlRpcValue::TypeArray) {
        // Nothing at all: the answer never came (a fault is a reply, though a bad one).
        return {reply.valid() ? Action::BackOff : Action::End, 0};
    }
    if (reply.size() == 0) return {Action::End, 0};
    const XmlRpcValue& status = reply.asArray()[0];
    if (status.getType() != XmlRpcValue::TypeInt) return {Action::BackOff, 0};
    if (isNoLockedResult(status.asInt())) return {Action::NoResult, 0};
    if (status.asInt() != COMM_OK) return {Action::BackOff, 0};
    if (reply.size() < 2 || reply.asArray()[1].getType() != XmlRpcValue::TypeInt) return {Action::BackOff, 0};
    switch (reply.asArray()[1].asInt()) {
        case 0:
            return {Action::PollAgain, 0};
        case 1:
            return {Action::Notify, SN_POLL_RESULT_1};
        case 2:
            return {Action::Notify, SN_POLL_RESULT_2};
        case 3:
            return {Action::Notify, SN_POLL_RESULT_3};
        default:
            return {Action::Notify, SN_CONNECTION_LOST};
    }
}

}  // namespace dravik
