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
#include <system_error>

#include "sim/method_call.h"

namespace vt::sim {

namespace {

constexpr std::string_view kReplyBegin = "<?xml version=\"1.0\"?>\r\n<methodResponse>";
constexpr std::string_view kReplyEnd = "</methodResponse>\r\n";

XmlRpc::XmlRpcValue faultValue(int code, const std::string& text) {
    XmlRpc::XmlRpcValue fault;
    fault["faultCode"] = code;
    fault["faultString"] = text;
    return fault;
}

using Clock = std::chrono::steady_clock;

// Milliseconds until the deadline, at least 0, for poll().
int msUntil(Clock::time_point deadline) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left <= 0 ? 0 : static_cast<int>(std::min<long long>(left, 1 << 30));
}

bool outOfDescriptors(int error) {
    return error == EMFILE || error == ENFILE || error == ENOBUFS || error == ENOMEM;
}

}  // namespace

uint64_t requestDigest(std::string_view bytes) {
    // 64-bit words mixed by multiply and rotate: gigabytes a second, and
    // enough to tell two requests apart in a test.
    constexpr uint64_t kMul = 0x9E3779B97F4A7C15ull;
    uint64_t h = 0xCBF29CE484222325ull ^ bytes.size();
    std::size_t i = 0;
    for (; i + 8 <= bytes.size(); i += 8) {
        uint64_t w;
        std::memcpy(&w, bytes.data() + i, 8);
        h = ((h ^ w) * kMul);
        h ^= h >> 29;
    }
    for (; i < bytes.size(); ++i) h = (h ^ static_cast<unsigned char>(bytes[i])) * kMul;
    return h ^ (h >> 32);
}

XmlRpcServer::XmlRpcServer(std::string address, uint16_t port, ServerLimits limits)
    : address_(std::move(address)),
      port_(port),
      limits_(limits),
      startThread_([](std::function<void()> f) { return std::thread(std::move(f)); }) {}

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
    return {calls_.begin(), calls_.end()};
}

std::size_t XmlRpcServer::connectionsOpen() {
    reapFinished();
    std::lock_guard lock(connectionsMutex_);
    return connections_.size();
}

void XmlRpcServer::log(ReceivedCall call) {
    {
        std::lock_guard lock(mutex_);
        if (limits_.maxLoggedCalls == 0) return;
        while (calls_.size() >= limits_.maxLoggedCalls) calls_.pop_front();
        calls_.push_back(std::move(call));
    }
    callArrived_.notify_all();
}

bool XmlRpcServer::reserve(std::size_t n) {
    std::size_t held = buffered_.load();
    do {
        if (held + n > limits_.maxBufferedBytes) return false;
    } while (!buffered_.compare_exchange_weak(held, held + n));
    return true;
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
        if (fd < 0) {
            // The connection stays queued and the socket readable: without a
            // pause this loop would spin until a descriptor is free.
            if (outOfDescriptors(errno) && !pause(limits_.acceptBackoff)) return;
            continue;
        }
        ++accepted_;
        reapFinished();
        auto connection = std::make_unique<Connection>();
        Connection* self = connection.get();
        std::lock_guard lock(connectionsMutex_);
        try {
            self->thread = startThread_([this, fd, self] { serve(fd, self); });
        } catch (const std::system_error&) {
            // No thread to serve it: refuse this one, keep serving the others.
            ::close(fd);
            continue;
        }
        connections_.push_back(std::move(connection));
    }
}

bool XmlRpcServer::pause(std::chrono::milliseconds duration) const {
    if (duration.count() <= 0) return !stopping_;
    pollfd wake{wakeRead_, POLLIN, 0};
    return ::poll(&wake, 1, static_cast<int>(duration.count())) == 0 && !stopping_;
}

bool XmlRpcServer::sendAll(int fd, const char* data, std::size_t n) const {
    while (n > 0) {
        // A client that reads nothing of its reply is let go after the idle time.
        pollfd fds[2] = {{fd, POLLOUT, 0}, {wakeRead_, POLLIN, 0}};
        const int ready = ::poll(fds, 2, static_cast<int>(limits_.idleTimeout.count()));
        if (ready == 0) return false;
        if (ready < 0 && errno != EINTR) return false;
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
    RequestReader reader(limits_.request);
    std::size_t held = 0;  // bytes of this connection counted in buffered_
    char chunk[65536];
    auto requestDeadline = Clock::time_point::max();
    for (;;) {
        const auto status = reader.status();
        if (status == RequestReader::Status::BadHeader || status == RequestReader::Status::TooLarge) break;
        if (status == RequestReader::Status::Ready) {
            const std::size_t bodyOffset = reader.bodyOffset();
            std::string raw = reader.take();
            const bool more = answer(fd, std::move(raw), bodyOffset);
            buffered_ -= held - reader.buffered();
            held = reader.buffered();
            requestDeadline = held > 0 ? Clock::now() + limits_.requestTimeout : Clock::time_point::max();
            if (!more) break;
            continue;
        }
        if (reader.headerComplete() && reader.bodyReceived() >= reader.contentLength() / 2 && cutOff(reader))
            break;
        const auto idleDeadline = Clock::now() + limits_.idleTimeout;
        pollfd fds[2] = {{fd, POLLIN, 0}, {wakeRead_, POLLIN, 0}};
        const int ready = ::poll(fds, 2, msUntil(std::min(idleDeadline, requestDeadline)));
        if (ready < 0) {
            if (errno == EINTR) continue;
            break;
        }
        if (ready == 0 || fds[1].revents != 0) break;  // idle or too slow, or stopping
        const SlowRead slow = slowRead(reader);
        if (slow.pause.count() > 0 && ::poll(&fds[1], 1, static_cast<int>(slow.pause.count())) != 0) break;
        ssize_t n = ::recv(fd, chunk, std::min(sizeof chunk, slow.bytes), MSG_DONTWAIT);
        if (n == 0) break;
        if (n < 0) {
            if (errno == EAGAIN || errno == EINTR) continue;
            break;
        }
        if (!reserve(static_cast<std::size_t>(n))) break;
        held += static_cast<std::size_t>(n);
        if (requestDeadline == Clock::time_point::max())
            requestDeadline = Clock::now() + limits_.requestTimeout;
        reader.append(std::string_view(chunk, static_cast<std::size_t>(n)));
    }
    buffered_ -= held;
    ::close(fd);
    self->done = true;
}

XmlRpcServer::SlowRead XmlRpcServer::slowRead(RequestReader& reader) {
    SlowRead slow;
    if (!reader.headerComplete()) return slow;
    const auto method = reader.methodName();
    if (!method) return slow;
    std::lock_guard lock(mutex_);
    auto it = faults_.find(*method);
    if (it == faults_.end() || it->second.readBytes == 0) return slow;
    slow.bytes = it->second.readBytes;
    slow.pause = it->second.readPause;
    return slow;
}

bool XmlRpcServer::cutOff(RequestReader& reader) {
    const auto method = reader.methodName();
    if (!method) return false;
    ReceivedCall call;
    call.method = *method;
    {
        std::lock_guard lock(mutex_);
        auto it = faults_.find(call.method);
        if (it == faults_.end() || !it->second.closeMidRequest) return false;
    }
    const std::string_view half =
        std::string_view(reader.buffer()).substr(0, reader.bodyOffset() + reader.contentLength() / 2);
    call.size = half.size();
    call.digest = requestDigest(half);
    if (half.size() <= limits_.loggedRequestBytes || limits_.keepLargeRequests) call.raw.assign(half);
    call.received = Clock::now();
    call.complete = false;
    call.params.setSize(0);
    log(std::move(call));
    return true;
}

bool XmlRpcServer::answer(int fd, std::string raw, std::size_t bodyOffset) {
    ReceivedCall call;
    call.received = Clock::now();
    XmlRpc::XmlRpcValue params;
    if (!parseMethodCall(std::string_view(raw).substr(bodyOffset), call.method, params)) return false;
    call.size = raw.size();
    call.digest = requestDigest(raw);
    // A large request (an update's image) is logged as its size and digest:
    // copying megabytes into the log for every call costs more than the call.
    if (raw.size() <= limits_.loggedRequestBytes || limits_.keepLargeRequests) {
        call.raw = std::move(raw);
        call.params = params;
    } else {
        call.params.setSize(0);
    }
    raw = std::string();
    MethodFaults faults;
    {
        std::lock_guard lock(mutex_);
        if (auto it = faults_.find(call.method); it != faults_.end()) faults = it->second;
    }
    const std::string method = call.method;
    log(std::move(call));
    // The listener hears of the request now and of its end on every way out.
    struct Heard {
        const CallListener& listener;
        const std::string& method;
        ~Heard() {
            if (listener) listener(method, false);
        }
    } heard{callListener_, method};
    if (callListener_) callListener_(method, true);

    if (silent_ || faults.silence) {
        waitUntilClosed(fd);
        return false;
    }
    // A request too short to be cut in the middle is dropped whole.
    if (faults.closeWithoutReply || faults.closeMidRequest) return false;
    if (!pause(faults.delay)) return false;

    std::string body;
    try {
        body = replyBody(method, params, faults);
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
