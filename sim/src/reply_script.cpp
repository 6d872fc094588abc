#include "sim/reply_script.h"

#include "sim/status_reply.h"
#include "xmlrpc/XmlRpcException.h"

namespace vt::sim {

using XmlRpc::XmlRpcValue;

ScriptedReply ScriptedReply::status(int status) {
    return value(statusReply(status));
}

ScriptedReply ScriptedReply::value(XmlRpcValue value) {
    ScriptedReply r;
    r.reply = std::move(value);
    return r;
}

ScriptedReply ScriptedReply::wrongType() {
    XmlRpcValue reply;
    reply[0] = "x";
    return value(std::move(reply));
}

ScriptedReply ScriptedReply::noReply() {
    ScriptedReply r;
    r.kind = Kind::NoReply;
    r.requests = 2;
    return r;
}

ScriptedReply ScriptedReply::fault(int code, std::string text) {
    ScriptedReply r;
    r.kind = Kind::Fault;
    r.faultCode = code;
    r.faultText = std::move(text);
    return r;
}

void ReplyScript::push(const std::string& method, ScriptedReply reply) {
    std::lock_guard lock(mutex_);
    queued_[method].push_back(std::move(reply));
}

std::optional<ScriptedReply> ReplyScript::take(const std::string& method) {
    std::lock_guard lock(mutex_);
    auto it = queued_.find(method);
    if (it == queued_.end() || it->second.empty()) return std::nullopt;
    ScriptedReply& front = it->second.front();
    if (--front.requests > 0) return front;
    ScriptedReply taken = std::move(front);
    it->second.pop_front();
    return taken;
}

bool ReplyScript::pending(const std::string& method) const {
    std::lock_guard lock(mutex_);
    auto it = queued_.find(method);
    return it != queued_.end() && !it->second.empty();
}

void ReplyScript::clear() {
    std::lock_guard lock(mutex_);
    queued_.clear();
}

MethodHandler scripted(ReplyScript& script, std::string method, MethodHandler handler) {
    return [&script, method = std::move(method), handler = std::move(handler)](const XmlRpcValue& params) {
        std::optional<ScriptedReply> reply = script.take(method);
        if (!reply) return handler(params);
        switch (reply->kind) {
            case ScriptedReply::Kind::NoReply:
                throw NoReply{};
            case ScriptedReply::Kind::Fault:
                throw XmlRpc::XmlRpcException(reply->faultText, reply->faultCode);
            case ScriptedReply::Kind::Value:
                break;
        }
        return reply->reply;
    };
}

}  // namespace vt::sim
