// ICMP echo (ping) requests and their replies.
//
// Linux offers two ways: an unprivileged ping socket, where the system's
// ping_group_range allows it, and a raw socket, which needs CAP_NET_RAW. open()
// takes the first that works. When neither is permitted, kind() is None and
// error() is 0: the caller has to find hosts another way. Any other failure
// (no descriptors, no memory) leaves kind() None and error() the errno.
//
// One object serves one thread.
#pragma once

#include <chrono>
#include <cstdint>

namespace vt {

enum class IcmpEchoKind { None, PingSocket, RawSocket };

struct IcmpEchoReply {
    uint32_t source = 0;  // host byte order
    uint16_t sequence = 0;
};

class IcmpEcho {
public:
    IcmpEcho() = default;
    ~IcmpEcho();
    IcmpEcho(const IcmpEcho&) = delete;
    IcmpEcho& operator=(const IcmpEcho&) = delete;

    void open();
    IcmpEchoKind kind() const { return kind_; }
    int error() const { return error_; }

    // Sends one echo request with a 16-byte payload. 0 or an errno value.
    int send(uint32_t destination, uint16_t sequence);

    // Throws away whatever waits on the socket: late replies of an earlier
    // sweep must not crowd out the next one's.
    void drain();

    // Waits at most timeout for one reply to a request of this object.
    // 1 with reply filled, 0 on timeout, -errno on failure. Foreign ICMP
    // traffic (a raw socket sees all of it) is skipped.
    int receive(std::chrono::milliseconds timeout, IcmpEchoReply& reply);

private:
    int fd_ = -1;
    IcmpEchoKind kind_ = IcmpEchoKind::None;
    int error_ = 0;
    uint16_t identifier_ = 0;
};

}  // namespace vt
