#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>

#include "platform/udp_socket.h"

namespace vt {
namespace {

sockaddr_in toSockaddr(Ipv4Endpoint endpoint) {
    sockaddr_in sa{};
    sa.sin_family = AF_INET;
    sa.sin_addr.s_addr = htonl(endpoint.address);
    sa.sin_port = htons(endpoint.port);
    return sa;
}

int sendResult(ssize_t sent, std::size_t wanted) {
    if (sent < 0) return errno;
    return static_cast<std::size_t>(sent) == wanted ? 0 : EMSGSIZE;
}

}  // namespace

UdpSocket& UdpSocket::operator=(UdpSocket&& other) noexcept {
    if (this != &other) {
        close();
        fd_ = other.fd_;
        other.fd_ = -1;
    }
    return *this;
}

int UdpSocket::open() {
    close();
    fd_ = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    return fd_ < 0 ? errno : 0;
}

void UdpSocket::close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

int UdpSocket::bind(Ipv4Endpoint local) {
    sockaddr_in sa = toSockaddr(local);
    return ::bind(fd_, reinterpret_cast<const sockaddr*>(&sa), sizeof sa) == 0 ? 0 : errno;
}

int UdpSocket::connect(Ipv4Endpoint peer) {
    sockaddr_in sa = toSockaddr(peer);
    return ::connect(fd_, reinterpret_cast<const sockaddr*>(&sa), sizeof sa) == 0 ? 0 : errno;
}

int UdpSocket::setReceiveBufferSize(int bytes) {
    return ::setsockopt(fd_, SOL_SOCKET, SO_RCVBUF, &bytes, sizeof bytes) == 0 ? 0 : errno;
}

Ipv4Endpoint UdpSocket::localEndpoint() const {
    sockaddr_in sa{};
    socklen_t len = sizeof sa;
    if (::getsockname(fd_, reinterpret_cast<sockaddr*>(&sa), &len) != 0) return {};
    return {ntohl(sa.sin_addr.s_addr), ntohs(sa.sin_port)};
}

int UdpSocket::send(std::span<const std::byte> data) {
    return sendResult(::send(fd_, data.data(), data.size(), MSG_NOSIGNAL), data.size());
}

int UdpSocket::sendTo(std::span<const std::byte> data, Ipv4Endpoint peer) {
    sockaddr_in sa = toSockaddr(peer);
    return sendResult(::sendto(fd_, data.data(), data.size(), MSG_NOSIGNAL,
                               reinterpret_cast<const sockaddr*>(&sa), sizeof sa),
                      data.size());
}

int UdpSocket::waitReadable(std::chrono::milliseconds timeout) const {
    pollfd p{fd_, POLLIN, 0};
    int n = ::poll(&p, 1, static_cast<int>(timeout.count()));
    if (n < 0) return errno == EINTR ? 0 : -errno;
    return n > 0 ? 1 : 0;
}

int waitAnyReadable(std::span<const UdpSocket* const> sockets, std::chrono::milliseconds timeout,
                    std::vector<bool>& ready) {
    std::vector<pollfd> fds;
    fds.reserve(sockets.size());
    for (const UdpSocket* socket : sockets) fds.push_back({socket->fd(), POLLIN, 0});
    ready.assign(sockets.size(), false);
    int n = ::poll(fds.data(), fds.size(), static_cast<int>(timeout.count()));
    if (n < 0) return errno == EINTR ? 0 : -errno;
    for (std::size_t i = 0; i < fds.size(); ++i) ready[i] = fds[i].revents != 0;
    return n;
}

long UdpSocket::receive(std::span<std::byte> buffer, Ipv4Endpoint* from) {
    sockaddr_in sa{};
    socklen_t len = sizeof sa;
    ssize_t n = ::recvfrom(fd_, buffer.data(), buffer.size(), 0, reinterpret_cast<sockaddr*>(&sa), &len);
    if (n < 0) return -errno;
    if (from != nullptr) *from = {ntohl(sa.sin_addr.s_addr), ntohs(sa.sin_port)};
    return static_cast<long>(n);
}

}  // namespace vt
