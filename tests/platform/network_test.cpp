#include <gtest/gtest.h>
#include <sys/resource.h>

#include <cerrno>
#include <chrono>
#include <string>

#include "loopback_subnet.h"
#include "platform/icmp_echo.h"
#include "platform/ipv4.h"
#include "platform/udp_socket.h"

namespace {

using namespace std::chrono_literals;

uint32_t ownLoopbackAddress(uint32_t host) {
    return vt::test::processLoopback24() + host;
}

struct Ipv4Case {
    const char* name;
    const char* text;
    bool valid;
    uint32_t value;
};

class ParseIpv4 : public ::testing::TestWithParam<Ipv4Case> {};

TEST_P(ParseIpv4, ReadsOnlyFourDecimalOctets) {
    auto parsed = vt::parseIpv4(GetParam().text);
    ASSERT_EQ(parsed.has_value(), GetParam().valid);
    if (parsed) {
        EXPECT_EQ(*parsed, GetParam().value);
        EXPECT_EQ(vt::formatIpv4(*parsed), GetParam().text) << "the text comes back unchanged";
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, ParseIpv4,
                         ::testing::Values(Ipv4Case{"Loopback", "127.0.0.1", true, 0x7F000001u},
                                           Ipv4Case{"Extremes", "255.0.255.0", true, 0xFF00FF00u},
                                           Ipv4Case{"ThreeParts", "10.1.2", false, 0},
                                           Ipv4Case{"ShortForm", "10.1", false, 0},
                                           Ipv4Case{"OctetTooLarge", "10.1.2.256", false, 0},
                                           Ipv4Case{"Hex", "0x7f.0.0.1", false, 0},
                                           Ipv4Case{"TrailingText", "10.1.2.3 x", false, 0},
                                           Ipv4Case{"Null", nullptr, false, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(UdpSocket, AConnectedSocketLearnsOfTheRefusalAtOnce) {
    vt::UdpSocket socket;
    ASSERT_EQ(socket.open(), 0);
    ASSERT_EQ(socket.connect({ownLoopbackAddress(3), 9}), 0);
    const std::byte datagram[4]{};
    ASSERT_EQ(socket.send(datagram), 0);
    ASSERT_EQ(socket.waitReadable(5s), 1) << "the refusal wakes the wait";
    std::byte buffer[16];
    EXPECT_EQ(socket.receive(buffer), -ECONNREFUSED);
}

TEST(UdpSocket, ExchangesDatagramsAndNamesThePeer) {
    vt::UdpSocket server, client;
    ASSERT_EQ(server.open(), 0);
    ASSERT_EQ(server.bind({ownLoopbackAddress(4), 0}), 0);
    auto local = server.localEndpoint();
    EXPECT_EQ(local.address, ownLoopbackAddress(4));
    ASSERT_NE(local.port, 0);
    ASSERT_EQ(client.open(), 0);
    const std::byte ping[3]{std::byte{1}, std::byte{2}, std::byte{3}};
    ASSERT_EQ(client.sendTo(ping, local), 0);
    ASSERT_EQ(server.waitReadable(5s), 1);
    std::byte buffer[2];
    vt::Ipv4Endpoint from;
    EXPECT_EQ(server.receive(buffer, &from), 2) << "a datagram is cut to the buffer";
    EXPECT_EQ(from.port, client.localEndpoint().port);
    EXPECT_EQ(server.receive(buffer), -EAGAIN) << "nothing more waits";
}

TEST(IcmpEcho, ALoopbackAddressAnswersWithOurSequence) {
    vt::IcmpEcho echo;
    echo.open();
    ASSERT_EQ(echo.error(), 0);
    if (echo.kind() == vt::IcmpEchoKind::None) GTEST_SKIP() << "neither ping nor raw sockets permitted";
    ASSERT_EQ(echo.send(ownLoopbackAddress(5), 4711), 0);
    vt::IcmpEchoReply reply;
    ASSERT_EQ(echo.receive(5s, reply), 1);
    EXPECT_EQ(reply.source, ownLoopbackAddress(5));
    EXPECT_EQ(reply.sequence, 4711);
    EXPECT_EQ(echo.receive(50ms, reply), 0) << "our own request is not a reply";
}

// A wait with nothing to receive sleeps in the system until its deadline.
// Rounded down to whole milliseconds, the wait ended short and spun on zero
// timeouts through the rest: a 1 ms wait never slept at all.
TEST(IcmpEcho, AWaitWithNothingToReceiveSleepsUntilItsDeadline) {
    vt::IcmpEcho echo;
    echo.open();
    ASSERT_EQ(echo.error(), 0);
    if (echo.kind() == vt::IcmpEchoKind::None) GTEST_SKIP() << "neither ping nor raw sockets permitted";
    echo.drain();
    constexpr long kWaits = 20;
    rusage before{};
    getrusage(RUSAGE_THREAD, &before);
    vt::IcmpEchoReply reply;
    for (long i = 0; i < kWaits; ++i) EXPECT_EQ(echo.receive(1ms, reply), 0);
    rusage after{};
    getrusage(RUSAGE_THREAD, &after);
    EXPECT_GE(after.ru_nvcsw - before.ru_nvcsw, kWaits) << "each wait gives up the processor";
}

}  // namespace
