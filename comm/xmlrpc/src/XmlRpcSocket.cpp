#include "xmlrpc/XmlRpcSocket.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "xmlrpc/XmlRpcUtil.h"

namespace XmlRpc {

namespace {

constexpr std::size_t kReadChunk = 4095;
constexpr int kKeepIdleSeconds = 10;
constexpr int kKeepIntervalSeconds = 5;
constexpr int kKeepProbes = 3;

bool wouldBlock(int err) {
    return err == EAGAIN || err == EWOULDBLOCK || err == EINPROGRESS || err == EINTR;
}

bool resolve(const std::string& host, in_addr& out) {
    if (inet_pton(AF_INET, host.c_str(), &out) == 1) return true;
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* list = nullptr;
    if (getaddrinfo(host.c_str(), nullptr, &hints, &list) != 0 || list == nullptr) {
        errno = EHOSTUNREACH;
        return false;
    }
    out = reinterpret_cast<sockaddr_in*>(list->ai_addr)->sin_addr;
    freeaddrinfo(list);
    return true;
}

}  // namespace

int XmlRpcSocket::socket() {
    int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, IPPROTO_TCP);
    if (fd < 0) return -1;
    int on = 1;
    setsockopt(fd, SOL_SOCKET, SO_KEEPALIVE, &on, sizeof on);
    setsockopt(fd, IPPROTO_TCP, TCP_KEEPIDLE, &kKeepIdleSeconds, sizeof kKeepIdleSeconds);
    setsockopt(fd, IPPROTO_TCP, TCP_KEEPINTVL, &kKeepIntervalSeconds, sizeof kKeepIntervalSeconds);
    setsockopt(fd, IPPROTO_TCP, TCP_KEEPCNT, &kKeepProbes, sizeof kKeepProbes);
    setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    return fd;
}

void XmlRpcSocket::close(int fd) {
    XmlRpcUtil::log(4, "XmlRpcSocket::close: fd %d.", fd);
    ::close(fd);
}

bool XmlRpcSocket::setNonBlocking(int fd) {
    int flags = fcntl(fd, F_GETFL, 0);
    return flags >= 0 && fcntl(fd, F_SETFL, flags | O_NONBLOCK) == 0;
}

bool XmlRpcSocket::connect(int fd, const std::string& host, int port) {
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    if (port < 0 || port > 65535 || !resolve(host, addr.sin_addr)) return false;
    addr.sin_port = htons(static_cast<uint16_t>(port));
    int rc = ::connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
    return rc == 0 || wouldBlock(errno);
}

bool XmlRpcSocket::nbRead(int fd, std::string& s, bool* eof, std::size_t limit) {
    *eof = false;
    char buf[kReadChunk];
    while (s.size() < limit) {
        ssize_t n = ::recv(fd, buf, std::min(sizeof buf, limit - s.size()), 0);
        if (n > 0) {
            s.append(buf, static_cast<std::size_t>(n));
            continue;
        }
        if (n == 0) {
            *eof = true;
            return true;
        }
        if (errno == EINTR) continue;
        return wouldBlock(errno);
    }
    return true;
}

bool XmlRpcSocket::nbWrite(int fd, std::string_view s, int* bytesSoFar) {
    while (static_cast<std::size_t>(*bytesSoFar) < s.size()) {
        const char* p = s.data() + *bytesSoFar;
        ssize_t n = ::send(fd, p, s.size() - static_cast<std::size_t>(*bytesSoFar), MSG_NOSIGNAL);
        if (n > 0) {
            *bytesSoFar += static_cast<int>(n);
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        return n < 0 && wouldBlock(errno);
    }
    return true;
}

bool XmlRpcSocket::peerClosed(int fd) {
    pollfd p{fd, POLLIN, 0};
    if (::poll(&p, 1, 0) <= 0) return false;
    if ((p.revents & (POLLERR | POLLHUP | POLLNVAL)) != 0) return true;
    // Anything readable on an idle connection is an end of file, a reset or
    // bytes nobody asked for: in each case the connection is not usable.
    return (p.revents & POLLIN) != 0;
}

int XmlRpcSocket::pendingError(int fd) {
    int err = 0;
    socklen_t len = sizeof err;
    if (getsockopt(fd, SOL_SOCKET, SO_ERROR, &err, &len) != 0) return errno;
    return err;
}

std::string XmlRpcSocket::localAddress(int fd) {
    sockaddr_in addr{};
    socklen_t len = sizeof addr;
    if (fd < 0 || getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len) != 0 ||
        addr.sin_family != AF_INET)
        return {};
    char text[INET_ADDRSTRLEN] = {};
    if (inet_ntop(AF_INET, &addr.sin_addr, text, sizeof text) == nullptr) return {};
    return text;
}

int XmlRpcSocket::getError() {
    return errno;
}

std::string XmlRpcSocket::getErrorMsg() {
    return getErrorMsg(getError());
}

std::string XmlRpcSocket::getErrorMsg(int error) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "error %d", error);
    return buf;
}

}  // namespace XmlRpc
