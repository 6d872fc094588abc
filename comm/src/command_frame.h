// The frame every command export shares: no connection gives
// COMM_NOT_CONNECTED with nothing on the wire; the reply starts as [-1], so a
// call that cannot be sent at all reads as -1; the status is read by one of
// three patterns.
#pragma once

#include <initializer_list>

#include "dravik/comm_status.h"
#include "library_state.h"
#include "sensor_reply.h"

namespace dravik {

inline constexpr double kNoLimit = -1.0;

// How an export reads the status element. Every pattern gives
// COMM_STATUS_NOT_INT for a fault or any reply that is not an array, and for
// a status element that is there but not an int.
enum class StatusPattern {
    A,  // no status element (no reply): COMM_NO_REPLY
    B,  // no status element: COMM_STATUS_NOT_INT
    C,  // like A
};

int readStatus(const XmlRpc::XmlRpcValue& reply, StatusPattern pattern);

// One call on a leased connection; reply receives the whole reply.
int sendOn(XmlRpcClientTimeout& connection, const char* method, const XmlRpc::XmlRpcValue& params,
           double limitSeconds, StatusPattern pattern, XmlRpc::XmlRpcValue& reply);

// Leases the connection and sends one call.
int sendCommand(const char* method, const XmlRpc::XmlRpcValue& params, double limitSeconds,
                StatusPattern pattern, XmlRpc::XmlRpcValue& reply);
int sendCommand(const char* method, const XmlRpc::XmlRpcValue& params, double limitSeconds,
                StatusPattern pattern);

// A parameter array from ints and texts, in order; no arguments, no parameters.
struct CommandParam {
    CommandParam(int value) : value(value) {}
    CommandParam(const char* text) : value(text) {}  // null: an empty text
    XmlRpc::XmlRpcValue value;
};
XmlRpc::XmlRpcValue commandParams(std::initializer_list<CommandParam> params);

// Runs an export's body, turning anything thrown into COMM_FAILED: nothing
// crosses an export.
template <typename F>
int guarded(F&& body) noexcept {
    try {
        return body();
    } catch (...) {
        return COMM_FAILED;
    }
}

}  // namespace dravik
