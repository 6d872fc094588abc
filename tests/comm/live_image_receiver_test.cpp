// The receiver's life: what it refuses to start with, how it stops, and its
// handshake after silence.
#include <gtest/gtest.h>

#include "fake_live_sensor.h"
#include "live_image.h"
#include "loopback_address.h"
#include "recording_target.h"

namespace {

using namespace std::chrono_literals;
using dravik::CLiveImage;
using vt::test::FakeLiveSensor;

TEST(LiveImageReceiver, AnUnusableSensorAddressIsAnErrorAtOnce) {
    struct Case {
        const char* host;
        int port;
    };
    for (const Case& c : {Case{nullptr, 50002}, Case{"", 50002}, Case{"127.0.0.1", 0},
                          Case{"127.0.0.1", 65536}, Case{"127.0.0.1", -5}, Case{"300.1.1.1", 50002}}) {
        SCOPED_TRACE(c.host != nullptr ? c.host : "(null)");
        SCOPED_TRACE(c.port);
        CLiveImage receiver(nullptr, c.host, c.port);
        EXPECT_EQ(receiver.error(), dravik::kLiveImageNoSocket);
        EXPECT_EQ(receiver.Start(), dravik::kLiveImageNoSocket);
        EXPECT_FALSE(receiver.running());
    }
}

TEST(LiveImageReceiver, AStopRightAfterStartIsNotLost) {
    const std::string address = vt::test::uniqueLoopbackAddress();
    FakeLiveSensor sensor(address);
    CLiveImage receiver(nullptr, address.c_str(), sensor.port());
    ASSERT_EQ(receiver.Start(), 0);
    receiver.Stop();
    EXPECT_FALSE(receiver.running());
    // The thread had not even said "Init" yet; it must not start to now.
    EXPECT_FALSE(sensor.awaitInit(500ms));
    SensorBitmap* bitmap = nullptr;
    EXPECT_EQ(receiver.GetLastImage(&bitmap), -1);
}

TEST(LiveImageReceiver, StopsWhileWaitingForAnAnswer) {
    const std::string address = vt::test::uniqueLoopbackAddress();
    FakeLiveSensor sensor(address);
    CLiveImage receiver(nullptr, address.c_str(), sensor.port());
    ASSERT_EQ(receiver.Start(), 0);
    ASSERT_TRUE(sensor.awaitInit(10s, false));
    receiver.Stop();
    EXPECT_FALSE(receiver.running());
}

TEST(LiveImageReceiver, SilenceMakesItHandShakeAgainFromANewPort) {
    const std::string address = vt::test::uniqueLoopbackAddress();
    vt::test::RecordingTarget target;
    FakeLiveSensor sensor(address);
    CLiveImage receiver(target.window(), address.c_str(), sensor.port());
    ASSERT_EQ(receiver.Start(), 0);
    const auto first = sensor.awaitInit();
    ASSERT_TRUE(first);
    // Nothing follows the answer: after a second the receiver starts over.
    const auto second = sensor.awaitInit();
    ASSERT_TRUE(second);
    EXPECT_NE(second->port, first->port);

    sensor.sendFrame(42);
    EXPECT_TRUE(target.waitForCount(1, 10s));
    EXPECT_EQ(target.messages().front().lParam, 42);
}

}  // namespace
