// The live image source keeps a bounded list of handshakes: any datagram
// that begins with "Init" is one, from anyone, as often as they like.
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <thread>
#include <vector>

#include "loopback_address.h"
#include "platform/ipv4.h"
#include "platform/udp_socket.h"
#include "sim/live_image_source.h"

using namespace std::chrono_literals;

namespace {

TEST(LiveImageSourceTest, EveryInitIsCountedButOnlyTheLatestAreKept) {
    const auto address = vt::parseIpv4(vt::test::uniqueLoopbackAddress().c_str());
    ASSERT_TRUE(address);
    vt::sim::LiveImageSource source;
    ASSERT_EQ(source.start(*address, 0), 0);
    vt::UdpSocket client;
    ASSERT_EQ(client.open(), 0);
    ASSERT_EQ(client.bind({*address, 0}), 0);
    const int sent = 3 * static_cast<int>(vt::sim::LiveImageSource::kHandshakesKept);
    std::vector<std::byte> init(4);
    std::memcpy(init.data(), "Init", 4);
    std::vector<std::byte> reply(16);
    for (int i = 0; i < sent; ++i) {
        ASSERT_GE(client.sendTo(init, {*address, source.port()}), 0);
        // One at a time, so none is lost in a full socket buffer.
        ASSERT_GT(client.waitReadable(2s), 0);
        ASSERT_EQ(client.receive(reply, nullptr), 4);
    }
    EXPECT_EQ(source.handshakesReceived(), sent);
    const auto kept = source.handshakes();
    EXPECT_EQ(kept.size(), vt::sim::LiveImageSource::kHandshakesKept);
    EXPECT_EQ(kept.back().port, client.localEndpoint().port);
}

}  // namespace
