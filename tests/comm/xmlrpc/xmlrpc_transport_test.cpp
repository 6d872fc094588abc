// The client's transport against the simulator: silence, retries, drips,
// broken headers, faults, large replies and connections that go away.
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <unistd.h>
#include <atomic>
#include <chrono>
#include <memory>
#include <thread>
#include <vector>

#include "array_of.h"
#include "loopback_address.h"
#include "sim/xmlrpc_server.h"
#include "xmlrpc/XmlRpcClient.h"
#include "xmlrpc/XmlRpcSocket.h"

using namespace std::chrono_literals;
using vt::sim::LengthField;
using vt::sim::MethodFaults;
using XmlRpc::XmlRpcClient;
using XmlRpc::XmlRpcValue;

namespace {

constexpr std::size_t kBigReplyBytes = 600 * 1024;

// Shows the buffers the client keeps between calls.
class InspectableClient : public XmlRpcClient {
public:
    using XmlRpcClient::XmlRpcClient;
    std::size_t responseCapacity() const { return response_.capacity(); }
    std::size_t requestCapacity() const { return request_.capacity(); }
    bool responseEmpty() const { return response_.empty(); }
};

class Transport : public ::testing::Test {
protected:
    void SetUp() override {
        server.setMethod("echo", [](const XmlRpcValue& params) { return params; });
        server.setMethod("big", [](const XmlRpcValue&) {
            XmlRpcValue reply;
            reply[0] = 0;
            reply[1] = XmlRpcValue(XmlRpcValue::BinaryData(kBigReplyBytes, 0x5A));
            return reply;
        });
        ASSERT_TRUE(server.start()) << server.error();
        clientPtr = std::make_unique<InspectableClient>(server.address().c_str(), server.port());
    }

    static XmlRpcValue args(std::initializer_list<XmlRpcValue> items) { return vt::test::arrayOf(items); }

    vt::sim::XmlRpcServer server{vt::test::uniqueLoopbackAddress()};
    std::unique_ptr<InspectableClient> clientPtr;
    InspectableClient& client() { return *clientPtr; }
};

TEST_F(Transport, EchoesAllTypesAndKeepsTheConnection) {
    XmlRpcValue params = args({1, true, 2.5, "t\xE4xt", XmlRpcValue(XmlRpcValue::BinaryData{1, 2, 3})});
    params[5]["member"] = "value";
    for (int i = 0; i < 3; ++i) {
        XmlRpcValue result;
        ASSERT_TRUE(client().execute("echo", params, result, 5.0));
        EXPECT_FALSE(client().isFault());
        EXPECT_EQ(result, params);
    }
    EXPECT_EQ(server.connectionsAccepted(), 1u);
}

TEST_F(Transport, SilenceRetriesOnceOnAFreshConnectionThenFails) {
    MethodFaults silent;
    silent.silence = true;
    server.setFaults("echo", silent);
    XmlRpcValue result;
    EXPECT_FALSE(client().execute("echo", args({1}), result, 0.3));
    EXPECT_EQ(server.countCalls("echo"), 2u);
    EXPECT_EQ(server.connectionsAccepted(), 2u);

    // The client recovers once the sensor answers again.
    server.clearFaults("echo");
    EXPECT_TRUE(client().execute("echo", args({1}), result, 5.0));
}

// Large base64 values are encoded while they are sent: the server must get
// the very text a request written whole would have, whatever the size's
// remainder against a line or a piece, several of them in one call, and the
// whole of it again when a silent server makes the client retry.
TEST(TransportStreaming, LargeBinaryParametersGoOutAsTheTextOfTheWholeRequest) {
    vt::sim::XmlRpcServer server{vt::test::uniqueLoopbackAddress()};
    vt::sim::ServerLimits limits;
    limits.keepLargeRequests = true;
    server.setLimits(limits);
    server.setMethod("echo", [](const XmlRpcValue& params) { return params; });
    ASSERT_TRUE(server.start()) << server.error();
    XmlRpcClient client(server.address().c_str(), server.port());
    const auto args = [](std::initializer_list<XmlRpcValue> items) { return vt::test::arrayOf(items); };
    const auto bytes = [](std::size_t n, int seed) {
        XmlRpcValue::BinaryData b(n);
        for (std::size_t i = 0; i < n; ++i) b[i] = static_cast<unsigned char>((i * 131 + seed) & 0xFF);
        return XmlRpcValue(std::move(b));
    };
    const std::size_t piece = XmlRpcValue::kBase64LineBytes * 4096;
    const std::vector<XmlRpcValue> cases = {
        args({bytes(64 * 1024 - 1, 1)}),              // just below streaming
        args({bytes(64 * 1024, 2)}),                  // the smallest streamed
        args({bytes(piece, 3)}),                      // exactly one piece, whole lines
        args({bytes(2 * piece + 7, 4), 5, "between", bytes(100000, 6)}),  // two, text around them
    };
    for (std::size_t c = 0; c < cases.size(); ++c) {
        std::string body = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<methodCall><methodName>echo</methodName>\r\n<params>";
        for (const auto& p : cases[c].asArray()) body += "<param>" + p.toXml() + "</param>";
        body += "</params></methodCall>\r\n";
        XmlRpcValue result;
        ASSERT_TRUE(client.execute("echo", cases[c], result, 10.0)) << "case " << c;
        EXPECT_EQ(result, cases[c]) << "case " << c;
        const auto calls = server.calls();
        ASSERT_FALSE(calls.empty());
        const std::string& raw = calls.back().raw;
        ASSERT_GE(raw.size(), body.size()) << "case " << c;
        EXPECT_TRUE(raw.ends_with(body)) << "case " << c;
        EXPECT_NE(raw.find("Content-length: " + std::to_string(body.size()) + "\r\n"), std::string::npos) << "case " << c;
    }

    MethodFaults silent;
    silent.silence = true;
    server.setFaults("echo", silent);
    server.clearCalls();
    XmlRpcValue result;
    // A loaded machine may stall the server's reading for a while: the limit
    // leaves room for that, and the second request may still be parsed when
    // the client gives up.
    EXPECT_FALSE(client.execute("echo", cases.back(), result, 1.0));
    ASSERT_TRUE(server.waitForCalls("echo", 2, 10s));
    const auto calls = server.calls();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].params, calls[1].params);
    EXPECT_EQ(calls[1].params, cases.back());
}

TEST_F(Transport, ADelayLongerThanTheLimitFailsWithoutALimitItWaits) {
    MethodFaults slow;
    slow.delay = 1200ms;
    server.setFaults("echo", slow);
    XmlRpcValue result;
    EXPECT_FALSE(client().execute("echo", args({1}), result, 0.3));
    EXPECT_EQ(server.countCalls("echo"), 2u);
    EXPECT_TRUE(client().execute("echo", args({2}), result, -1.0));
    EXPECT_EQ(result, args({2}));
}

TEST_F(Transport, ADripKeepsTheCallAlivePastItsLimit) {
    MethodFaults drip;
    drip.dripBytes = 64;
    drip.dripInterval = 250ms;  // several pauses, each below the limit, together well above it
    server.setFaults("echo", drip);
    XmlRpcValue result;
    ASSERT_TRUE(client().execute("echo", args({"a somewhat longer text so the reply needs several pieces"}),
                                 result, 0.6));
    EXPECT_EQ(result[0], XmlRpcValue("a somewhat longer text so the reply needs several pieces"));
    EXPECT_EQ(server.countCalls("echo"), 1u);
}

struct LengthCase {
    const char* name;
    LengthField field;
    bool succeeds;
};

class TransportLength : public Transport, public ::testing::WithParamInterface<LengthCase> {};

TEST_P(TransportLength, NeedsAUsableContentLength) {
    MethodFaults f;
    f.lengthField = GetParam().field;
    server.setFaults("echo", f);
    XmlRpcValue result;
    EXPECT_EQ(client().execute("echo", args({7}), result, 0.5), GetParam().succeeds);
    if (GetParam().succeeds) {
        EXPECT_EQ(result, args({7}));
    }
    // The next call works whatever the last one left behind.
    server.clearFaults("echo");
    EXPECT_TRUE(client().execute("echo", args({8}), result, 5.0));
}

INSTANTIATE_TEST_SUITE_P(Table, TransportLength,
                         ::testing::Values(LengthCase{"normal", LengthField::Normal, true},
                                           LengthCase{"lower_case", LengthField::LowerCase, true},
                                           LengthCase{"missing", LengthField::Missing, false},
                                           LengthCase{"too_large", LengthField::Wrong, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Transport, AFaultReplyIsACompletedCallWithTheFaultFlag) {
    MethodFaults f;
    f.fault = true;
    f.faultCode = -42;
    f.faultString = "no such thing";
    server.setFaults("echo", f);
    XmlRpcValue result;
    ASSERT_TRUE(client().execute("echo", args({1}), result, 5.0));
    EXPECT_TRUE(client().isFault());
    ASSERT_EQ(result.getType(), XmlRpcValue::TypeStruct);
    EXPECT_EQ(result["faultCode"], XmlRpcValue(-42));
    EXPECT_EQ(result["faultString"], XmlRpcValue("no such thing"));

    server.clearFaults("echo");
    ASSERT_TRUE(client().execute("echo", args({1}), result, 5.0));
    EXPECT_FALSE(client().isFault());
}

TEST_F(Transport, ALargeReplyIsParsedAndItsBufferReleased) {
    XmlRpcValue result;
    ASSERT_TRUE(client().execute("big", XmlRpcValue(), result, 10.0));
    ASSERT_EQ(result[1].size(), static_cast<int>(kBigReplyBytes));
    EXPECT_EQ(result[1].asBinary().front(), 0x5A);
    EXPECT_TRUE(client().responseEmpty());
    EXPECT_LT(client().responseCapacity(), 0x80000u);
    EXPECT_LT(client().requestCapacity(), 0x80000u);
}

TEST_F(Transport, APeerThatClosesBetweenCallsGivesAReconnect) {
    MethodFaults f;
    f.closeAfterReply = true;
    server.setFaults("echo", f);
    XmlRpcValue result;
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(client().execute("echo", args({i}), result, 5.0)) << "call " << i;
        EXPECT_EQ(result, args({i}));
        // Let the close reach the client before the next call.
        std::this_thread::sleep_for(50ms);
    }
    EXPECT_EQ(server.connectionsAccepted(), 3u);
}

TEST_F(Transport, AServerThatAcceptsAndClosesEndsTheCallAfterOneRetry) {
    MethodFaults f;
    f.closeWithoutReply = true;
    server.setFaults("echo", f);
    XmlRpcValue result;
    EXPECT_FALSE(client().execute("echo", args({1}), result, -1.0));
    EXPECT_EQ(server.countCalls("echo"), 2u);
}

TEST_F(Transport, ClosingMidReplyFailsTheCall) {
    MethodFaults f;
    f.closeMidReply = true;
    server.setFaults("echo", f);
    XmlRpcValue result;
    EXPECT_FALSE(client().execute("echo", args({1}), result, 5.0));
    server.clearFaults("echo");
    EXPECT_TRUE(client().execute("echo", args({1}), result, 5.0));
}

TEST_F(Transport, NothingListeningFails) {
    server.stop();
    XmlRpcValue result;
    EXPECT_FALSE(client().execute("echo", args({1}), result, -1.0));
}

// Keep-alive is what ends a call without a limit when the peer vanishes.
TEST(TransportSocket, KeepAliveFailsAVanishedPeerInAboutHalfAMinute) {
    int fd = XmlRpc::XmlRpcSocket::socket();
    ASSERT_GE(fd, 0);
    auto option = [fd](int level, int name) {
        int value = -1;
        socklen_t len = sizeof value;
        getsockopt(fd, level, name, &value, &len);
        return value;
    };
    EXPECT_EQ(option(SOL_SOCKET, SO_KEEPALIVE), 1);
    EXPECT_EQ(option(IPPROTO_TCP, TCP_KEEPIDLE), 10);
    EXPECT_EQ(option(IPPROTO_TCP, TCP_KEEPINTVL), 5);
    EXPECT_EQ(option(IPPROTO_TCP, TCP_KEEPCNT), 3);
    XmlRpc::XmlRpcSocket::close(fd);
}

// A listener whose backlog is full drops further connection attempts, so a
// connect to it never completes.
TEST(TransportConnect, AConnectThatNeverCompletesIsBoundedEvenWithoutALimit) {
    const std::string address = vt::test::uniqueLoopbackAddress();
    int listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    ASSERT_GE(listener, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    inet_pton(AF_INET, address.c_str(), &addr.sin_addr);
    ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
    ASSERT_EQ(::listen(listener, 0), 0);
    socklen_t len = sizeof addr;
    getsockname(listener, reinterpret_cast<sockaddr*>(&addr), &len);
    int filler = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    ASSERT_EQ(::connect(filler, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);

    XmlRpcClient client(address.c_str(), ntohs(addr.sin_port));
    XmlRpcValue result;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(client.execute("echo", XmlRpcValue(), result, -1.0));
    EXPECT_LT(std::chrono::steady_clock::now() - start, 60s);  // against a hang only
    ::close(filler);
    ::close(listener);
}

TEST_F(Transport, TheServerServesSeveralConnectionsAtOnce) {
    MethodFaults slow;
    slow.delay = 3s;
    server.setFaults("slow", slow);
    server.setMethod("slow", [](const XmlRpcValue&) { return XmlRpcValue(1); });
    std::atomic<bool> slowDone{false};
    std::thread waiting([&] {
        XmlRpcClient other(server.address().c_str(), server.port());
        XmlRpcValue r;
        EXPECT_TRUE(other.execute("slow", XmlRpcValue(), r, -1.0));
        slowDone = true;
    });
    ASSERT_TRUE(server.waitForCalls("slow", 1, 10s));
    XmlRpcValue result;
    EXPECT_TRUE(client().execute("echo", args({1}), result, 5.0));
    EXPECT_FALSE(slowDone.load());
    waiting.join();
}

TEST_F(Transport, WorksWithDescriptorsAbove1023) {
    rlimit lim{};
    getrlimit(RLIMIT_NOFILE, &lim);
    if (lim.rlim_cur < 1200) {
        lim.rlim_cur = std::min<rlim_t>(lim.rlim_max, 1200);
        setrlimit(RLIMIT_NOFILE, &lim);
        getrlimit(RLIMIT_NOFILE, &lim);
    }
    if (lim.rlim_cur < 1200) GTEST_SKIP() << "cannot open 1200 descriptors here";
    std::vector<int> fillers;
    while (true) {
        int fd = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
        ASSERT_GE(fd, 0);
        fillers.push_back(fd);
        if (fd >= 1100) break;
    }
    XmlRpcClient high(server.address().c_str(), server.port());
    XmlRpcValue result;
    EXPECT_TRUE(high.execute("echo", args({3}), result, 5.0));
    EXPECT_GE(high.getfd(), 1024);
    for (int fd : fillers) ::close(fd);
}

}  // namespace
