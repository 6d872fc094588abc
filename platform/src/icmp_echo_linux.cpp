#include <arpa/inet.h>
#include <linux/icmp.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cerrno>
#include <cstring>

#include "platform/icmp_echo.h"

namespace vt {
namespace {

constexpr uint8_t kEchoReply = 0;
constexpr uint8_t kEchoRequest = 8;
constexpr std::size_t kIcmpHeaderSize = 8;
constexpr std::size_t kPayloadSize = 16;

bool notPermitted(int error) {
    return error == EACCES || error == EPERM || error == EPROTONOSUPPORT || error == ESOCKTNOSUPPORT ||
           error == EAFNOSUPPORT;
}

uint16_t checksum(const uint8_t* data, std::size_t size) {
    uint32_t sum = 0;
    for (std::size_t i = 0; i + 1 < size; i += 2) sum += (uint32_t{data[i]} << 8) | data[i + 1];
    if (size % 2 != 0) sum += uint32_t{data[size - 1]} << 8;
    while (sum >> 16) sum = (sum & 0xFFFFu) + (sum >> 16);
    return static_cast<uint16_t>(~sum);
}

uint16_t readBe16(const uint8_t* p) {
    return static_cast<uint16_t>((p[0] << 8) | p[1]);
}

// Raw sockets see every echo on the machine; the identifier tells ours apart,
// also between processes that sweep at the same time.
uint16_t nextIdentifier() {
    static std::atomic<uint16_t> counter{0};
    return static_cast<uint16_t>(static_cast<uint32_t>(::getpid()) * 40503u + counter.fetch_add(1) * 257u);
}

}  // namespace

IcmpEcho::~IcmpEcho() {
    if (fd_ >= 0) ::close(fd_);
}

void IcmpEcho::open() {
    if (fd_ >= 0) return;
    error_ = 0;
    fd_ = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC | SOCK_NONBLOCK, IPPROTO_ICMP);
    if (fd_ >= 0) {
        kind_ = IcmpEchoKind::PingSocket;
        return;
    }
    if (!notPermitted(errno)) {
        error_ = errno;
        return;
    }
    fd_ = ::socket(AF_INET, SOCK_RAW | SOCK_CLOEXEC | SOCK_NONBLOCK, IPPROTO_ICMP);
    if (fd_ >= 0) {
        // A raw socket gets every ICMP message, the port-unreachable answers
        // to our own discovery queries among them (each carrying the query):
        // enough of those fill its buffer and echo replies are lost.
        icmp_filter filter{};
        filter.data = ~(1u << ICMP_ECHOREPLY);
        (void)::setsockopt(fd_, SOL_RAW, ICMP_FILTER, &filter, sizeof filter);
        kind_ = IcmpEchoKind::RawSocket;
        identifier_ = nextIdentifier();
        return;
    }
    if (!notPermitted(errno)) error_ = errno;
}

int IcmpEcho::send(uint32_t destination, uint16_t sequence) {
    if (fd_ < 0) return EBADF;
    std::array<uint8_t, kIcmpHeaderSize + kPayloadSize> packet{};
    packet[0] = kEchoRequest;
    packet[4] = static_cast<uint8_t>(identifier_ >> 8);  // a ping socket puts its own in
    packet[5] = static_cast<uint8_t>(identifier_);
    packet[6] = static_cast<uint8_t>(sequence >> 8);
    packet[7] = static_cast<uint8_t>(sequence);
    std::memcpy(packet.data() + kIcmpHeaderSize, "VarnisTarvelEcho", kPayloadSize);
    uint16_t sum = checksum(packet.data(), packet.size());
    packet[2] = static_cast<uint8_t>(sum >> 8);
    packet[3] = static_cast<uint8_t>(sum);

    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_addr.s_addr = htonl(destination);
    ssize_t sent = ::sendto(fd_, packet.data(), packet.size(), MSG_NOSIGNAL,
                            reinterpret_cast<const sockaddr*>(&to), sizeof to);
    return sent < 0 ? errno : 0;
}

void IcmpEcho::drain() {
    if (fd_ < 0) return;
    std::array<uint8_t, 1500> buffer{};
    while (::recv(fd_, buffer.data(), buffer.size(), MSG_DONTWAIT) >= 0 || errno == EINTR) {
    }
}

int IcmpEcho::receive(std::chrono::milliseconds timeout, IcmpEchoReply& reply) {
    if (fd_ < 0) return -EBADF;
    auto deadline = std::chrono::steady_clock::now() + timeout;
    std::array<uint8_t, 1500> buffer{};
    for (;;) {
        // What is already here is read first: a wait only when nothing is.
        sockaddr_in from{};
        socklen_t fromLen = sizeof from;
        ssize_t n =
            ::recvfrom(fd_, buffer.data(), buffer.size(), 0, reinterpret_cast<sockaddr*>(&from), &fromLen);
        if (n < 0) {
            if (errno == EINTR) continue;
            if (errno != EAGAIN && errno != EWOULDBLOCK) return -errno;
            // Rounded up: a wait rounded down to whole milliseconds would end
            // short of the deadline and spin on zero timeouts through the rest.
            auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
            if (left.count() <= 0) return 0;
            pollfd p{fd_, POLLIN, 0};
            if (::poll(&p, 1, static_cast<int>(left.count())) < 0 && errno != EINTR) return -errno;
            continue;
        }
        const uint8_t* icmp = buffer.data();
        std::size_t size = static_cast<std::size_t>(n);
        if (kind_ == IcmpEchoKind::RawSocket) {
            // A raw socket hands over the IP header as well.
            if (size < 20 || (buffer[0] >> 4) != 4) continue;
            std::size_t headerSize = std::size_t{buffer[0] & 0x0Fu} * 4;
            if (headerSize < 20 || headerSize > size || buffer[9] != IPPROTO_ICMP) continue;
            icmp += headerSize;
            size -= headerSize;
        }
        if (size < kIcmpHeaderSize || icmp[0] != kEchoReply || icmp[1] != 0) continue;
        if (kind_ == IcmpEchoKind::RawSocket && readBe16(icmp + 4) != identifier_) continue;
        reply.source = ntohl(from.sin_addr.s_addr);
        reply.sequence = readBe16(icmp + 6);
        return 1;
    }
}

}  // namespace vt
