// The sensor's password lock: a stored password and the mask of protected
// functions, behind the four lock methods.
//
// Passwords arrive in the framed base64 form that the program sends or as
// plain UTF-8; the sensor compares what they stand for, so either form of
// the same password matches.
#pragma once

#include <mutex>
#include <string>

#include "sim/xmlrpc_server.h"

namespace vt::sim {

class LockMethods {
public:
    // Sensor statuses of the lock methods.
    static constexpr int kOk = 0;
    static constexpr int kBadArguments = -1;

    // Registers "xmlrpc_GetCodeBlockingStatus" ([0, mask], 0 when unlocked),
    // "xmlrpc_ActivateCodeBlocking" (password, mask > 0: [0]; a new lock
    // replaces the old), "xmlrpc_DeactivateCodeBlocking" ([0]) and
    // "xmlrpc_ValidateCodeBlockingPassword" ([0, 1] right or unlocked,
    // [0, 0] wrong). Arguments of the wrong kind or count give [-1].
    // The object must outlive the server's use of the methods.
    void install(XmlRpcServer& server);

    // Locks (items > 0) or unlocks (items 0) as if the program had.
    void setLock(const std::string& password, int items);
    int lockedItems() const;
    // The password as the sensor compares it (the framed form decoded).
    std::string password() const;

    // What a received password stands for: the content of a framed text,
    // else the text itself.
    static std::string passwordOf(const std::string& received);

private:
    XmlRpc::XmlRpcValue status(const XmlRpc::XmlRpcValue& params);
    XmlRpc::XmlRpcValue activate(const XmlRpc::XmlRpcValue& params);
    XmlRpc::XmlRpcValue deactivate(const XmlRpc::XmlRpcValue& params);
    XmlRpc::XmlRpcValue validate(const XmlRpc::XmlRpcValue& params);

    mutable std::mutex mutex_;
    std::string password_;
    int items_ = 0;
};

}  // namespace vt::sim
