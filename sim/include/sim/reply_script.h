// One-off replies a test puts in front of the simulated sensor: the next
// request of a method gets the scripted answer instead of the sensor's own,
// and the sensor does nothing for that request.
#pragma once

#include <deque>
#include <map>
#include <mutex>
#include <optional>
#include <string>

#include "sim/xmlrpc_server.h"
#include "xmlrpc/XmlRpcValue.h"

namespace vt::sim {

struct ScriptedReply {
    enum class Kind { Value, NoReply, Fault };

    // [status]
    static ScriptedReply status(int status);
    // Exactly this value as the reply.
    static ScriptedReply value(XmlRpc::XmlRpcValue value);
    // ["x"]: a status element that is not an int.
    static ScriptedReply wrongType();
    // The connection closes without an answer. The client tries a request
    // twice before it gives up, so this covers both tries.
    static ScriptedReply noReply();
    static ScriptedReply fault(int code = 1, std::string text = "simulated fault");

    Kind kind = Kind::Value;
    XmlRpc::XmlRpcValue reply;
    int faultCode = 0;
    std::string faultText;
    int requests = 1;  // how many requests this reply answers
};

class ReplyScript {
public:
    // Queues a reply for the next request(s) of the method, after any
    // replies already queued for it.
    void push(const std::string& method, ScriptedReply reply);
    // The scripted reply for this request of the method, if any.
    std::optional<ScriptedReply> take(const std::string& method);
    bool pending(const std::string& method) const;
    void clear();

private:
    mutable std::mutex mutex_;
    std::map<std::string, std::deque<ScriptedReply>> queued_;
};

// The handler wrapped so a scripted reply goes first: a value is returned,
// a fault thrown, no reply closes the connection.
MethodHandler scripted(ReplyScript& script, std::string method, MethodHandler handler);

}  // namespace vt::sim
