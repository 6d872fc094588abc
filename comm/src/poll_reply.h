// What one answer to "xmlPollResults" tells the polling thread to do.
#pragma once

#include "xmlrpc/XmlRpcValue.h"

namespace dravik {

struct PollStep {
    enum class Action {
        Notify,      // post `wParam`, then wait to be resumed
        PollAgain,   // nothing new yet: poll again at once
        NoResult,    // the sensor has no result to give: poll again after a short pause
        BackOff,     // the sensor refused, or the reply made no sense: wait, then poll again
        SendFailed,  // the request could not be sent: wait; counts towards a lost connection
        End,         // the request went out and no answer came back
    };
    Action action = Action::PollAgain;
    unsigned wParam = 0;
};

// sent: whether the call got as far as sending (the reply is no longer the
// preset [-1, 0]). A reply must be [int status, int kind]; anything else is
// malformed and backs off.
PollStep ClassifyPollReply(bool sent, const XmlRpc::XmlRpcValue& reply);

// The preset of every poll: a call that cannot be sent leaves it.
XmlRpc::XmlRpcValue PollPreset();

}  // namespace dravik
