// Peers that never finish their reply: an endless header, and a reply that
// comes one byte at a time, each byte before the silence limit.
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <string>
#include <thread>

#include "loopback_address.h"
#include "xmlrpc/XmlRpcClient.h"

using namespace std::chrono_literals;
using XmlRpc::XmlRpcClient;
using XmlRpc::XmlRpcValue;

namespace {

// Accepts one connection, waits for the request, then hands the socket to
// `answer` (which stops once stop is set or a send fails).
class RawPeer {
public:
    using Answer = std::function<void(int fd, const std::atomic<bool>& stop)>;

    explicit RawPeer(Answer answer) : address_(vt::test::uniqueLoopbackAddress()) {
        listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        inet_pton(AF_INET, address_.c_str(), &addr.sin_addr);
        ok_ = listener_ >= 0 && ::bind(listener_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0 &&
              ::listen(listener_, 4) == 0;
        socklen_t len = sizeof addr;
        ::getsockname(listener_, reinterpret_cast<sockaddr*>(&addr), &len);
        port_ = ntohs(addr.sin_port);
        thread_ = std::thread([this, answer = std::move(answer)] {
            pollfd p{listener_, POLLIN, 0};
            while (!stop_ && ::poll(&p, 1, 50) == 0) {
            }
            if (stop_) return;
            const int fd = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
            if (fd < 0) return;
            char buffer[4096];
            (void)::recv(fd, buffer, sizeof buffer, 0);  // the request
            answer(fd, stop_);
            ::close(fd);
        });
    }
    ~RawPeer() {
        stop_ = true;
        thread_.join();
        if (listener_ >= 0) ::close(listener_);
    }

    bool ok() const { return ok_; }
    const std::string& address() const { return address_; }
    int port() const { return port_; }

private:
    std::string address_;
    int listener_ = -1;
    int port_ = 0;
    bool ok_ = false;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

constexpr std::size_t kFlood = 64u << 20;

TEST(ReplyLimits, AHeaderThatNeverEndsFailsTheCallWithoutReadingItAll) {
    std::atomic<std::size_t> sent{0};
    RawPeer peer([&](int fd, const std::atomic<bool>& stop) {
        const std::string start = "HTTP/1.1 200 OK\r\nX-Padding: ";
        (void)::send(fd, start.data(), start.size(), MSG_NOSIGNAL);
        const std::string chunk(64 * 1024, 'a');
        while (!stop && sent < kFlood) {
            const ssize_t n = ::send(fd, chunk.data(), chunk.size(), MSG_NOSIGNAL);
            if (n <= 0) return;
            sent += static_cast<std::size_t>(n);
        }
    });
    ASSERT_TRUE(peer.ok());
    XmlRpcClient client(peer.address().c_str(), peer.port());
    XmlRpcValue result;
    EXPECT_FALSE(client.execute("help", XmlRpcValue(), result, 5.0));
    // The client gave up after the cap: the peer could not send it all.
    EXPECT_LT(sent.load(), kFlood / 2);
}

TEST(ReplyLimits, ABytePerPauseDoesNotHoldACallPastItsDeadline) {
    RawPeer peer([](int fd, const std::atomic<bool>& stop) {
        const std::string reply = "HTTP/1.1 200 OK\r\nContent-length: 100000\r\n\r\n<?xml version=\"1.0\"?>";
        for (std::size_t i = 0; !stop && i < reply.size() + 100000; ++i) {
            const char byte = i < reply.size() ? reply[i] : ' ';
            if (::send(fd, &byte, 1, MSG_NOSIGNAL) != 1) return;
            std::this_thread::sleep_for(20ms);
        }
    });
    ASSERT_TRUE(peer.ok());
    XmlRpcClient client(peer.address().c_str(), peer.port());
    client.setMinimumCallDeadline(0.5);
    XmlRpcValue result;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(client.execute("help", XmlRpcValue(), result, 0.2));  // deadline: 4 x 0.2 s, at least 0.5 s
    const auto took = std::chrono::steady_clock::now() - start;
    EXPECT_GE(took, 700ms);
    EXPECT_LT(took, 10s);  // the drip alone would go on for half an hour
}

}  // namespace

namespace {

// A peer that reads the request and never answers.
void Silent(int, const std::atomic<bool>& stop) {
    while (!stop) std::this_thread::sleep_for(5ms);
}

TEST(ReplyLimits, ACallWithoutALimitStillEndsAtItsDeadline) {
    RawPeer peer(Silent);
    ASSERT_TRUE(peer.ok());
    XmlRpcClient client(peer.address().c_str(), peer.port());
    client.setUnlimitedCallDeadline(0.3);
    XmlRpcValue result;
    EXPECT_FALSE(client.execute("xmlGetState", XmlRpcValue(), result, -1.0));
}

// A thread's deadline bounds its calls together, whatever each call's own
// limit; once passed, a call fails before anything is sent.
TEST(ReplyLimits, AThreadsDeadlineEndsItsCallsTogether) {
    RawPeer peer(Silent);
    ASSERT_TRUE(peer.ok());
    XmlRpcClient client(peer.address().c_str(), peer.port());
    XmlRpcClient::setThreadDeadline(XmlRpcClient::Clock::now() + 300ms);
    XmlRpcValue result;
    EXPECT_FALSE(client.execute("xmlConnect", XmlRpcValue(), result, 60.0));
    XmlRpcClient unsent(peer.address().c_str(), peer.port());
    EXPECT_FALSE(unsent.execute("help", XmlRpcValue(), result, 60.0));
    XmlRpcClient::setThreadDeadline(XmlRpcClient::noThreadDeadline());
    EXPECT_EQ(unsent.getfd(), -1);  // never connected
}

}  // namespace
