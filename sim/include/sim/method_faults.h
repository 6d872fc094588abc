// Misbehaviour the simulator can put on one method's replies, so tests can
// show how the client copes with slow, silent or broken sensors.
#pragma once

#include <chrono>
#include <cstddef>
#include <string>

namespace vt::sim {

enum class LengthField {
    Normal,     // "Content-length: <n>"
    LowerCase,  // "content-length: <n>"
    Missing,    // no length field at all
    Wrong,      // a length larger than the body
};

struct MethodFaults {
    std::chrono::milliseconds delay{0};         // wait this long before answering
    bool silence = false;                       // read the request and never answer
    std::size_t dripBytes = 0;                  // > 0: send the reply this many bytes at a time ...
    std::chrono::milliseconds dripInterval{0};  // ... with this pause between the pieces
    bool closeMidReply = false;                 // send half the reply, then close
    bool closeWithoutReply = false;             // close as soon as the request is read
    bool closeAfterReply = false;               // answer, then close the connection
    std::size_t readBytes = 0;                  // > 0: take the request this many bytes at a time ...
    std::chrono::milliseconds readPause{0};     // ... with this pause between the pieces (a slow link)
    bool closeMidRequest = false;               // close when half the request's body has arrived
                                                // (a request read whole at once: close, no reply)
    bool fault = false;                         // answer with a fault instead of the method's reply
    int faultCode = 1;
    std::string faultString = "simulated fault";
    LengthField lengthField = LengthField::Normal;
};

}  // namespace vt::sim
