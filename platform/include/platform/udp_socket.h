// A UDP socket over IPv4 that closes itself.
//
// Results are 0 or an errno value; nothing throws. A connect()ed socket also
// learns that the peer refused (ICMP port unreachable): the next wait reports
// the socket ready and receive() returns -ECONNREFUSED.
#pragma once

#include <chrono>
#include <cstddef>
#include <span>
#include <vector>

#include "platform/ipv4.h"

namespace vt {

class UdpSocket {
public:
    UdpSocket() = default;
    ~UdpSocket() { close(); }
    UdpSocket(UdpSocket&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }
    UdpSocket& operator=(UdpSocket&& other) noexcept;
    UdpSocket(const UdpSocket&) = delete;
    UdpSocket& operator=(const UdpSocket&) = delete;

    int open();
    void close();
    bool isOpen() const { return fd_ >= 0; }
    int fd() const { return fd_; }

    // Port 0 takes an ephemeral port; localEndpoint() tells which.
    int bind(Ipv4Endpoint local);
    int connect(Ipv4Endpoint peer);
    // SO_RCVBUF: room for a burst of datagrams while the reader is busy.
    int setReceiveBufferSize(int bytes);
    Ipv4Endpoint localEndpoint() const;

    // One datagram, all or nothing.
    int send(std::span<const std::byte> data);
    int sendTo(std::span<const std::byte> data, Ipv4Endpoint peer);

    // 1 when a datagram or an error is waiting, 0 on timeout, -errno on failure.
    int waitReadable(std::chrono::milliseconds timeout) const;

    // One datagram (cut to the buffer): its size, or -errno. Does not block
    // when nothing is waiting (-EAGAIN).
    long receive(std::span<std::byte> buffer, Ipv4Endpoint* from = nullptr);

private:
    int fd_ = -1;
};

// Waits until one of the sockets has a datagram or an error waiting; sets
// ready[i] (resized to the sockets) for each that has. The count of ready
// sockets, 0 on timeout, -errno on failure.
int waitAnyReadable(std::span<const UdpSocket* const> sockets, std::chrono::milliseconds timeout,
                    std::vector<bool>& ready);

}  // namespace vt
