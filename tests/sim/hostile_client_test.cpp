// The simulator's XML-RPC server against clients that misbehave on purpose:
// endless headers, huge bodies, silence, drips, no descriptors or threads
// left. Each bound is set small so the tests stay fast.
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <unistd.h>
#include <atomic>
#include <chrono>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include "loopback_address.h"
#include "sim/request_reader.h"
#include "sim/xmlrpc_server.h"

using namespace std::chrono_literals;
using vt::sim::RequestReader;
using vt::sim::ServerLimits;
using XmlRpc::XmlRpcValue;

namespace {

// A TCP client that sends exactly the bytes it is given.
class RawClient {
public:
    RawClient(const std::string& address, uint16_t port) {
        fd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_port = htons(port);
        inet_pton(AF_INET, address.c_str(), &addr.sin_addr);
        connected_ = fd_ >= 0 && ::connect(fd_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0;
    }
    ~RawClient() {
        if (fd_ >= 0) ::close(fd_);
    }
    RawClient(const RawClient&) = delete;
    RawClient& operator=(const RawClient&) = delete;

    bool connected() const { return connected_; }
    int fd() const { return fd_; }
    // False once the server has closed the connection.
    bool send(std::string_view bytes) {
        while (!bytes.empty()) {
            const ssize_t n = ::send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL);
            if (n <= 0) return false;
            bytes.remove_prefix(static_cast<std::size_t>(n));
        }
        return true;
    }
    // Reads until the server closes or the time is up; true when it closed.
    bool closedWithin(std::chrono::milliseconds limit) {
        const auto end = std::chrono::steady_clock::now() + limit;
        char buf[65536];
        for (;;) {
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now());
            if (left.count() <= 0) return false;
            pollfd p{fd_, POLLIN, 0};
            if (::poll(&p, 1, static_cast<int>(left.count())) <= 0) continue;
            const ssize_t n = ::recv(fd_, buf, sizeof buf, 0);
            if (n <= 0) return true;
            received_.append(buf, static_cast<std::size_t>(n));
        }
    }
    const std::string& received() const { return received_; }

private:
    int fd_ = -1;
    bool connected_ = false;
    std::string received_;
};

std::string request(std::string_view body, std::string_view extraHeader = "") {
    std::string r = "POST /RPC2 HTTP/1.1\r\nHost: sensor\r\n";
    r += extraHeader;
    r += "Content-Type: text/xml\r\nContent-length: " + std::to_string(body.size()) + "\r\n\r\n";
    r += body;
    return r;
}

std::string call(std::string_view method, std::string_view params = "") {
    std::string body = "<?xml version=\"1.0\"?>\r\n<methodCall><methodName>";
    body += method;
    body += "</methodName>\r\n<params>";
    body += params;
    body += "</params></methodCall>\r\n";
    return body;
}

// How long a wait for something that must happen may take: generous, as the
// server's threads may run late on a loaded machine (sanitizers, parallel
// builds); each wait ends as soon as its condition holds.
constexpr std::chrono::milliseconds kPatience = 10s;

template <class Pred>
bool eventually(Pred pred, std::chrono::milliseconds limit = kPatience) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!pred()) {
        if (std::chrono::steady_clock::now() > end) return false;
        std::this_thread::sleep_for(2ms);
    }
    return true;
}

class HostileClient : public ::testing::Test {
protected:
    void start(ServerLimits limits = small()) {
        server.setLimits(limits);
        server.setMethod("echo", [](const XmlRpcValue& params) { return params; });
        server.setMethod("big", [](const XmlRpcValue&) { return XmlRpcValue(std::string(8 << 20, 'x')); });
        ASSERT_TRUE(server.start()) << server.error();
    }
    static ServerLimits small() {
        ServerLimits limits;
        limits.request.maxHeaderBytes = 1024;
        limits.request.maxBodyBytes = 64 * 1024;
        limits.maxBufferedBytes = 256 * 1024;
        // Far beyond kPatience: only the limit a test is about closes its connections.
        limits.idleTimeout = 60s;
        limits.requestTimeout = 120s;
        limits.acceptBackoff = 50ms;
        return limits;
    }
    RawClient client() { return RawClient(server.address(), server.port()); }
    bool answers(RawClient& c) {
        return c.send(request(call("echo", "<param><value><i4>7</i4></value></param>"))) &&
               eventually([&] { return server.countCalls("echo") > 0; });
    }

    vt::sim::XmlRpcServer server{vt::test::uniqueLoopbackAddress()};
};

TEST_F(HostileClient, HeaderWithoutBlankLineIsCutAtItsLimit) {
    start();
    RawClient c = client();
    ASSERT_TRUE(c.connected());
    std::string lines;
    for (int i = 0; i < 200; ++i) lines += "X-Filler: " + std::to_string(i) + "\r\n";
    c.send("POST /RPC2 HTTP/1.1\r\n");
    c.send(lines);
    EXPECT_TRUE(c.closedWithin(kPatience)) << "the header grew without bound";
    EXPECT_TRUE(eventually([&] { return server.bytesBuffered() == 0; }));
}

TEST_F(HostileClient, BodyOverTheLimitAndBadLengthsAreRefusedAtTheHeader) {
    start();
    for (const char* length : {"65537", "99999999999999999999999", "-5", "0", "ten"}) {
        RawClient c = client();
        c.send(std::string("POST /RPC2 HTTP/1.1\r\nContent-length: ") + length + "\r\n\r\n<methodCall>");
        EXPECT_TRUE(c.closedWithin(kPatience)) << "Content-length: " << length;
    }
    EXPECT_EQ(server.calls().size(), 0u);
}

TEST_F(HostileClient, BytesHeldByAllConnectionsStayWithinTheBudget) {
    ServerLimits limits = small();
    limits.maxBufferedBytes = 100 * 1024;
    start(limits);
    const std::string body(60 * 1024, 'x');
    std::vector<std::unique_ptr<RawClient>> clients;
    for (int i = 0; i < 4; ++i) {
        clients.push_back(std::make_unique<RawClient>(server.address(), server.port()));
        // Each sends most of a request that is allowed on its own.
        clients.back()->send("POST /RPC2 HTTP/1.1\r\nContent-length: 65000\r\n\r\n");
        clients.back()->send(body);
    }
    int closed = 0;
    EXPECT_TRUE(eventually([&] {
        closed = 0;
        for (auto& c : clients) closed += c->closedWithin(5ms) ? 1 : 0;
        return closed >= 2;
    })) << "four times 60 KiB do not fit in 100 KiB; closed " << closed;
    EXPECT_LE(server.bytesBuffered(), limits.maxBufferedBytes);
    clients.clear();
    EXPECT_TRUE(eventually([&] { return server.bytesBuffered() == 0; }));
    RawClient after = client();
    EXPECT_TRUE(answers(after)) << "the budget is given back";
}

TEST_F(HostileClient, IdleAndSlowConnectionsAreLetGo) {
    ServerLimits limits = small();
    limits.idleTimeout = 150ms;
    limits.requestTimeout = 400ms;
    start(limits);

    RawClient silent = client();
    EXPECT_TRUE(silent.closedWithin(kPatience)) << "a connection that sends nothing";

    RawClient halfway = client();
    halfway.send("POST /RPC2 HTTP/1.1\r\nContent-length: 500\r\n\r\n<methodCall>");
    EXPECT_TRUE(halfway.closedWithin(kPatience)) << "a request that stops halfway";

    // One byte well within the idle time, again and again.
    RawClient drip = client();
    const std::string whole = request(call("echo"));
    const auto begun = std::chrono::steady_clock::now();
    bool open = true;
    for (std::size_t i = 0; i < whole.size() && open; ++i) {
        open = drip.send(whole.substr(i, 1));
        pollfd p{drip.fd(), POLLIN, 0};
        if (::poll(&p, 1, 40) > 0) break;  // closed (or, wrongly, answered)
    }
    EXPECT_TRUE(drip.closedWithin(kPatience));
    // Dripped whole, the request would take about 7 s.
    EXPECT_LT(std::chrono::steady_clock::now() - begun, 5s);
    EXPECT_EQ(server.countCalls("echo"), 0u) << "the dripped request was not read whole";
}

TEST_F(HostileClient, ClientThatReadsNoReplyIsLetGo) {
    ServerLimits limits = small();
    limits.idleTimeout = 200ms;
    start(limits);
    RawClient c = client();
    int small = 4096;
    setsockopt(c.fd(), SOL_SOCKET, SO_RCVBUF, &small, sizeof small);
    c.send(request(call("big")));
    ASSERT_TRUE(server.waitForCalls("big", 1, kPatience));
    // 8 MiB do not fit in the socket buffers; the client reads none of it.
    EXPECT_TRUE(eventually([&] { return server.connectionsOpen() == 0; }, 30s));
}

TEST_F(HostileClient, NoDescriptorsLeftMakesTheAcceptLoopWaitNotSpin) {
    start();
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_NOFILE, &saved), 0);
    rlimit low = saved;
    low.rlim_cur = 256;
    ASSERT_EQ(setrlimit(RLIMIT_NOFILE, &low), 0);
    std::vector<int> fillers;
    for (int fd; (fd = ::open("/dev/null", O_RDONLY | O_CLOEXEC)) >= 0;) fillers.push_back(fd);
    ASSERT_FALSE(fillers.empty());
    ::close(fillers.back());
    fillers.pop_back();
    // The client takes the last descriptor: the server's accept finds none.
    auto c = std::make_unique<RawClient>(server.address(), server.port());
    ASSERT_TRUE(c->connected());

    rusage before{}, after{};
    getrusage(RUSAGE_SELF, &before);
    std::this_thread::sleep_for(300ms);
    getrusage(RUSAGE_SELF, &after);
    const auto cpu = [](const rusage& u) {
        return std::chrono::seconds(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
               std::chrono::microseconds(u.ru_utime.tv_usec + u.ru_stime.tv_usec);
    };
    const auto used = cpu(after) - cpu(before);

    for (int fd : fillers) ::close(fd);
    setrlimit(RLIMIT_NOFILE, &saved);
    EXPECT_LT(used, 100ms) << "the accept loop spun while no descriptor was free";
    EXPECT_TRUE(answers(*c)) << "once descriptors are free the waiting connection is served";
}

TEST_F(HostileClient, ConnectionWithoutAThreadIsRefusedAndTheServerGoesOn) {
    std::atomic<int> starts{0};
    server.setThreadStarter([&](std::function<void()> f) {
        if (starts++ == 0)
            throw std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again));
        return std::thread(std::move(f));
    });
    start();
    RawClient refused = client();
    EXPECT_TRUE(refused.closedWithin(kPatience));
    RawClient next = client();
    EXPECT_TRUE(answers(next));
}

TEST_F(HostileClient, MethodNameIsReadFromTheBodyNotFromAHeaderLine) {
    start();
    RawClient c = client();
    c.send(request(call("echo"), "X-Note: <methodName>evil</methodName>\r\n"));
    ASSERT_TRUE(server.waitForCalls("echo", 1, kPatience));
    EXPECT_EQ(server.countCalls("evil"), 0u);
}

TEST_F(HostileClient, CallLogKeepsTheLatestCallsAndLargeRequestsAsSizeAndDigest) {
    ServerLimits limits = small();
    limits.maxLoggedCalls = 3;
    limits.loggedRequestBytes = 400;
    start(limits);
    RawClient c = client();
    for (int i = 0; i < 5; ++i)
        c.send(request(call("echo", "<param><value><i4>" + std::to_string(i) + "</i4></value></param>")));
    const std::string large = request(
        call("echo", "<param><value><string>" + std::string(1000, 'y') + "</string></value></param>"));
    c.send(large);
    ASSERT_TRUE(eventually([&] {
        auto calls = server.calls();
        return !calls.empty() && calls.back().size == large.size();
    }));
    const auto calls = server.calls();
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[0].params[0], XmlRpcValue(3));
    EXPECT_EQ(calls[1].params[0], XmlRpcValue(4));
    EXPECT_EQ(calls[1].raw.size(), calls[1].size);
    EXPECT_TRUE(calls[2].raw.empty());
    EXPECT_EQ(calls[2].params.size(), 0);
    EXPECT_EQ(calls[2].digest, vt::sim::requestDigest(large));
    EXPECT_NE(calls[2].digest, vt::sim::requestDigest(calls[1].raw));
}

TEST_F(HostileClient, LargeRequestsKeepTheirBytesWhenATestAsks) {
    ServerLimits limits = small();
    limits.loggedRequestBytes = 400;
    limits.keepLargeRequests = true;
    start(limits);
    RawClient c = client();
    const std::string large = request(
        call("echo", "<param><value><string>" + std::string(1000, 'y') + "</string></value></param>"));
    c.send(large);
    ASSERT_TRUE(server.waitForCalls("echo", 1, kPatience));
    EXPECT_EQ(server.calls()[0].raw, large);
    EXPECT_EQ(server.calls()[0].params[0].size(), 1000);
}

// The reader on its own: pieces of any size, each byte searched once.
TEST(RequestReaderTest, DrippedRequestsAreReadWholeAndEachByteIsSearchedOnce) {
    const std::string body =
        call("echo", "<param><value><string>" + std::string(200000, 'z') + "</string></value></param>");
    const std::string two = request(body) + request(call("echo"));
    for (std::size_t piece : {1u, 7u, 4096u}) {
        RequestReader reader;
        std::vector<std::string> got;
        for (std::size_t i = 0; i < two.size(); i += piece) {
            reader.append(std::string_view(two).substr(i, piece));
            while (reader.status() == RequestReader::Status::Ready) got.push_back(reader.take());
            if (reader.headerComplete() && got.empty()) {
                if (auto name = reader.methodName()) {
                    EXPECT_EQ(*name, "echo");
                }
            }
        }
        ASSERT_EQ(got.size(), 2u) << "pieces of " << piece;
        EXPECT_EQ(got[0], request(body));
        EXPECT_EQ(got[1], request(call("echo")));
        EXPECT_LE(reader.bytesExamined(), 2 * two.size()) << "pieces of " << piece;
    }
}

TEST(RequestReaderTest, HeaderEndsAtTheFirstEmptyLineOfEitherKind) {
    for (const std::string head :
         {"POST / HTTP/1.1\r\nContent-length: 3\r\n\r\n", "POST / HTTP/1.1\nContent-Length:3\n\n",
          "POST / HTTP/1.1\r\nCONTENT-LENGTH: \t3\n\n"}) {
        RequestReader reader;
        reader.append(head + "abcdef");
        ASSERT_EQ(reader.status(), RequestReader::Status::Ready) << head;
        EXPECT_EQ(reader.bodyOffset(), head.size());
        EXPECT_EQ(reader.take(), head + "abc");
        EXPECT_EQ(reader.buffered(), 3u);
    }
}

}  // namespace
