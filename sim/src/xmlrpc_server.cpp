#include "sim/xmlrpc_server.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <cstring>

#include "xmlrpc/XmlRpcReplyHeader.h"

namespace vt::sim {

namespace {

constexpr std::string_view kReplyBegin = "<?xml version=\"1.0\"?>\r\n<methodResponse>";
constexpr std::string_view kReplyEnd = "</methodResponse>\r\n";

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// methodCall: the method name and each parameter's value.
bool parseMethodCall(std::string_view body, std::string& method, XmlRpc::XmlRpcValue& params) {
    constexpr std::string_view kNameTag = "<methodName>";
    std::size_t name = body.find(kNameTag);
    if (name == std::string_view::npos) return false;
    name += kNameTag.size();
    std::size_t nameEnd = body.find("</methodName>", name);
    if (nameEnd == std::string_view::npos) return false;
    method.assign(body.substr(name, nameEnd - name));
    params.setSize(0);
    std::size_t pos = nameEnd;
    int index = 0;
    for (;;) {
        std::size_t param = body.find("<param>", pos);
        if (param == std::string_view::npos) break;
        pos = param + 7;
        XmlRpc::XmlRpcValue value;
        if (!value.fromXml(body, pos)) return false;
        params[index++] = std::move(value);
        while (pos < body.size() && isSpace(body[pos])) ++pos;
    }
    return true;
}

XmlRpc::XmlRpcValue faultValue(int code, const std::string& text) {
    XmlRpc::XmlRpcValue fault;
    fault["faultCode"] = code;
    fault["faultString"] = text;
    return fault;
}

}  // namespace

XmlRpcServer::XmlRpcServer(std::string address, uint16_t port) : address_(std::move(address)), port_(port) {}

XmlRpcServer::~XmlRpcServer() {
    stop();
}

bool XmlRpcServer::start() {
    int pipeFds[2];
    if (pipe2(pipeFds, O_CLOEXEC | O_NONBLOCK) != 0) {
        error_ = std::string("pipe: ") + std::strerror(errno);
        return false;
    }
    wakeRead_ = pipeFds[0];
    wakeWrite_ = pipeFds[1];

    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(port_);
    if (inet_pton(AF_INET, address_.c_str(), &addr.sin_addr) != 1) {
        error_ = "not an IPv4 address: " + address_;
        return false;
    }
    listenFd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (listenFd_ < 0) {
        error_ = std::string("socket: ") + std::strerror(errno);
        return false;
    }
    int on = 1;
    setsockopt(listenFd_, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    if (::bind(listenFd_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 ||
        ::listen(listenFd_, 64) != 0) {
        error_ = "cannot listen on " + address_ + ":" + std::to_string(port_) + ": " + std::strerror(errno);
        return false;
    }
    socklen_t len = sizeof addr;
    getsockname(listenFd_, reinterpret_cast<sockaddr*>(&addr), &len);
    port_ = ntohs(addr.sin_port);
    acceptor_ = std::thread([this] { acceptLoop(); });
    return true;
}

void XmlRpcServer::stop() {
    if (stopping_.exchange(true)) return;
    if (wakeWrite_ >= 0) {
        char b = 1;
        [[maybe_unused]] ssize_t n = ::write(wakeWrite_, &b, 1);
    }
    if (acceptor_.joinable()) acceptor_.join();
    std::list<std::unique_ptr<Connection>> connections;
    {
        std::lock_guard lock(connectionsMutex_);
        connections.swap(connections_);
    }
    for (auto& c : connections)
        if (c->thread.joinable()) c->thread.join();
    for (int* fd : {&listenFd_, &wakeRead_, &wakeWrite_})
        if (*fd >= 0) {
            ::close(*fd);
            *fd = -1;
        }
    callArrived_.notify_all();
}

void XmlRpcServer::setMethod(const std::string& name, MethodHandler handler) {
    std::lock_guard lock(mutex_);
    methods_[name] = std::move(handler);
}

void XmlRpcServer::setFaults(const std::string& method, const MethodFaults& faults) {
    std::lock_guard lock(mutex_);
    faults_[method] = faults;
}

void XmlRpcServer::clearFaults(const std::string& method) {
    std::lock_guard lock(mutex_);
    faults_.erase(method);
}

void XmlRpcServer::setSilent(bool silent) {
    silent_ = silent;
}

std::vector<ReceivedCall> XmlRpcServer::calls() const {
    std::lock_guard lock(mutex_);
    return calls_;
}

std::size_t XmlRpcServer::countCalls(const std::string& method) const {
    std::lock_guard lock(mutex_);
    std::size_t n = 0;
    for (const auto& c : calls_) n += c.method == method ? 1 : 0;
    return n;
}

void XmlRpcServer::clearCalls() {
    std::lock_guard lock(mutex_);
    calls_.clear();
}

bool XmlRpcServer::waitForCalls(const std::string& method, std::size_t n,
                                std::chrono::milliseconds timeout) const {
    std::unique_lock lock(mutex_);
    return callArrived_.wait_for(lock, timeout, [&] {
        std::size_t seen = 0;
        for (const auto& c : calls_) seen += c.method == method ? 1 : 0;
        return seen >= n;
    });
}

void XmlRpcServer::reapFinished() {
    std::lock_guard lock(connectionsMutex_);
    for (auto it = connections_.begin(); it != connections_.end();) {
        if ((*it)->done) {
            (*it)->thread.join();
            it = connections_.erase(it);
        } else {
            ++it;
        }
    }
}

void XmlRpcServer::acceptLoop() {
    while (!stopping_) {
        pollfd fds[2] = {{listenFd_, POLLIN, 0}, {wakeRead_, POLLIN, 0}};
        if (::poll(fds, 2, -1) < 0) {
            if (errno == EINTR) continue;
            return;
        }
        if (fds[1].revents != 0 || stopping_) return;
        if (!(fds[0].revents & POLLIN)) continue;
        int fd = ::accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0) continue;
        ++accepted_;
        reapFinished();
        auto connection = std::make_unique<Connection>();
        Connection* self = connection.get();
        std::lock_guard lock(connectionsMutex_);
        connections_.push_back(std::move(connection));
        self->thread = std::thread([this, fd, self] { serve(fd, self); });
    }
}

bool XmlRpcServer::pause(std::chrono::milliseconds duration) const {
    if (duration.count() <= 0) return !stopping_;
    pollfd wake{wakeRead_, POLLIN, 0};
    return ::poll(&wake, 1, static_cast<int>(duration.count())) == 0 && !stopping_;
}

bool XmlRpcServer::sendAll(int fd, const char* data, std::size_t n) const {
    while (n > 0) {
        pollfd fds[2] = {{fd, POLLOUT, 0}, {wakeRead_, POLLIN, 0}};
        if (::poll(fds, 2, -1) < 0 && errno != EINTR) return false;
        if (fds[1].revents != 0) return false;
        ssize_t sent = ::send(fd, data, n, MSG_NOSIGNAL | MSG_DONTWAIT);
        if (sent < 0) {
            if (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR) continue;
            return false;
        }
        data += sent;
        n -= static_cast<std::size_t>(sent);
    }
    return true;
}

void XmlRpcServer::waitUntilClosed(int fd) const {
    char buf[4096];
    for (;;) {
        pollfd fds[2] = {{fd, POLLIN, 0}, {wakeRead_, POLLIN, 0}};
        if (::poll(fds, 2, -1) < 0 && errno != EINTR) return;
        if (fds[1].revents != 0) return;
        if (fds[0].revents == 0) continue;
        ssize_t n = ::recv(fd, buf, sizeof buf, MSG_DONTWAIT);
        if (n == 0 || (n < 0 && errno != EAGAIN && errno != EINTR)) return;
    }
}

void XmlRpcServer::serve(int fd, Connection* self) {
    std::string buffer;
    char chunk[16384];
    XmlRpc::XmlRpcReplyHeader head;
    for (;;) {
        // Scan only until the header is whole: rescanning a body of
        // megabytes for every piece that arrives would be quadratic.
        if (head.status != XmlRpc::XmlRpcReplyHeader::Status::Complete) head = XmlRpc::scanReplyHeader(buffer);
        if (head.status == XmlRpc::XmlRpcReplyHeader::Status::Complete &&
            buffer.size() >= head.bodyOffset + static_cast<std::size_t>(head.contentLength)) {
            const std::size_t end = head.bodyOffset + static_cast<std::size_t>(head.contentLength);
            std::string raw = buffer.substr(0, end);
            buffer.erase(0, end);
            head = {};
            if (!answer(fd, raw, head.bodyOffset)) break;
            continue;
        }
        if (head.status == XmlRpc::XmlRpcReplyHeader::Status::Complete &&
            buffer.size() >= head.bodyOffset + static_cast<std::size_t>(head.contentLength / 2) &&
            cutOff(buffer, head.bodyOffset, head.contentLength))
            break;
        if (head.status == XmlRpc::XmlRpcReplyHeader::Status::NoLength ||
            head.status == XmlRpc::XmlRpcReplyHeader::Status::InvalidLength)
            break;
        pollfd fds[2] = {{fd, POLLIN, 0}, {wakeRead_, POLLIN, 0}};
        if (::poll(fds, 2, -1) < 0) {
            if (errno == EINTR) continue;
            break;
        }
        if (fds[1].revents != 0) break;
        ssize_t n = ::recv(fd, chunk, sizeof chunk, MSG_DONTWAIT);
        if (n == 0) break;
        if (n < 0) {
            if (errno == EAGAIN || errno == EINTR) continue;
            break;
        }
        buffer.append(chunk, static_cast<std::size_t>(n));
    }
    ::close(fd);
    self->done = true;
}

bool XmlRpcServer::cutOff(const std::string& buffer, std::size_t bodyOffset, long long contentLength) {
    constexpr std::string_view kNameTag = "<methodName>";
    const std::string_view body = std::string_view(buffer).substr(bodyOffset);
    const std::size_t name = body.find(kNameTag);
    const std::size_t nameEnd = name == std::string_view::npos ? name : body.find("</methodName>", name);
    if (nameEnd == std::string_view::npos) return false;
    ReceivedCall call;
    call.method.assign(body.substr(name + kNameTag.size(), nameEnd - name - kNameTag.size()));
    {
        std::lock_guard lock(mutex_);
        auto it = faults_.find(call.method);
        if (it == faults_.end() || !it->second.closeMidRequest) return false;
        call.raw = buffer.substr(0, bodyOffset + static_cast<std::size_t>(contentLength / 2));
        call.received = std::chrono::steady_clock::now();
        call.complete = false;
        call.params.setSize(0);
        calls_.push_back(std::move(call));
    }
    callArrived_.notify_all();
    return true;
}

bool XmlRpcServer::answer(int fd, const std::string& raw, std::size_t bodyOffset) {
    ReceivedCall call;
    call.raw = raw;
    call.received = std::chrono::steady_clock::now();
    if (!parseMethodCall(std::string_view(raw).substr(bodyOffset), call.method, call.params)) return false;
    MethodFaults faults;
    {
        std::lock_guard lock(mutex_);
        calls_.push_back(call);
        if (auto it = faults_.find(call.method); it != faults_.end()) faults = it->second;
    }
    callArrived_.notify_all();

    if (silent_ || faults.silence) {
        waitUntilClosed(fd);
        return false;
    }
    // A request too short to be cut in the middle is dropped whole.
    if (faults.closeWithoutReply || faults.closeMidRequest) return false;
    if (!pause(faults.delay)) return false;

    std::string body;
    try {
        body = replyBody(call.method, call.params, faults);
    } catch (const NoReply&) {
        return false;
    }
    std::string reply = "HTTP/1.1 200 OK\r\nServer: varnis-sim\r\nContent-Type: text/xml\r\n";
    switch (faults.lengthField) {
        case LengthField::Normal:
            reply += "Content-length: " + std::to_string(body.size()) + "\r\n";
            break;
        case LengthField::LowerCase:
            reply += "content-length: " + std::to_string(body.size()) + "\r\n";
            break;
        case LengthField::Missing:
            break;
        case LengthField::Wrong:
            reply += "Content-length: " + std::to_string(body.size() + 100) + "\r\n";
            break;
    }
    reply += "\r\n";
    reply += body;

    if (faults.closeMidReply) {
        sendAll(fd, reply.data(), reply.size() / 2);
        return false;
    }
    if (faults.dripBytes > 0) {
        for (std::size_t sent = 0; sent < reply.size(); sent += faults.dripBytes) {
            if (sent > 0 && !pause(faults.dripInterval)) return false;
            const std::size_t n = std::min(faults.dripBytes, reply.size() - sent);
            if (!sendAll(fd, reply.data() + sent, n)) return false;
        }
    } else if (!sendAll(fd, reply.data(), reply.size())) {
        return false;
    }
    if (faults.lengthField == LengthField::Wrong || faults.lengthField == LengthField::Missing) {
        // The client waits for bytes that never come, or for a length that
        // never came; keep the connection until it gives up.
        waitUntilClosed(fd);
        return false;
    }
    return !faults.closeAfterReply;
}

std::string XmlRpcServer::replyBody(const std::string& method, const XmlRpc::XmlRpcValue& params,
                                    const MethodFaults& faults) {
    XmlRpc::XmlRpcValue result;
    bool fault = false;
    if (faults.fault) {
        result = faultValue(faults.faultCode, faults.faultString);
        fault = true;
    } else {
        MethodHandler handler;
        {
            std::lock_guard lock(mutex_);
            if (auto it = methods_.find(method); it != methods_.end()) handler = it->second;
        }
        if (!handler) {
            result = faultValue(-1, "unknown method: " + method);
            fault = true;
        } else {
            try {
                result = handler(params);
            } catch (const XmlRpc::XmlRpcException& e) {
                result = faultValue(e.getCode(), e.getMessage());
                fault = true;
            }
        }
    }
    std::string body(kReplyBegin);
    body += fault ? "<fault>" : "<params><param>";
    result.appendXml(body);
    body += fault ? "</fault>" : "</param></params>";
    body += kReplyEnd;
    return body;
}

}  // namespace vt::sim
