// Not waiting for a sensor that stopped answering: the connection given up
// from another thread cuts the call in flight, and a thread's bound ends its
// calls together.
#include <future>

#include "dravik/sensor_commands.h"
#include "dravik_fixture.h"

using namespace std::chrono_literals;
using vt::test::DravikFixture;
using XmlRpc::XmlRpcValue;

namespace {

struct GiveUpTest : DravikFixture {
    void SetUp() override {
        server.setMethod("xmlGetState", [](const XmlRpcValue&) {
            XmlRpcValue reply;
            reply[0] = 0;
            reply[1] = 4;
            return reply;
        });
        DravikFixture::SetUp();
    }
};

TEST_F(GiveUpTest, GivingTheConnectionUpCutsTheCallTheSensorHolds) {
    vt::test::RecordingTarget window;
    ASSERT_EQ(connect("k", window.window()), COMM_OK);
    server.setFaults("xmlGetState", vt::sim::MethodFaults{.silence = true});
    auto held = std::async(std::launch::async, [] {
        int state = 0;
        return GetState(&state);
    });
    ASSERT_TRUE(server.waitForCalls("xmlGetState", 1, 10s));
    EXPECT_EQ(AbandonConnection(), COMM_OK);
    ASSERT_EQ(held.wait_for(10s), std::future_status::ready);
    EXPECT_NE(held.get(), COMM_OK);
    // Nothing more goes out, nothing is said, nothing is reported.
    int state = 0;
    EXPECT_EQ(GetState(&state), COMM_NOT_CONNECTED);
    EXPECT_EQ(server.countCalls("xmlGetState"), 1u);
    EXPECT_EQ(server.countCalls("xmlDisconnect"), 0u);
    EXPECT_EQ(window.count(), 0u);

    server.clearFaults("xmlGetState");
    ASSERT_EQ(connect("k", window.window()), COMM_OK);
    EXPECT_EQ(GetState(&state), COMM_OK);
    EXPECT_EQ(state, 4);
}

TEST_F(GiveUpTest, AThreadsBoundEndsTheConnectOfADrippingSensorAndItsLaterCalls) {
    server.setFaults("xmlConnect", vt::sim::MethodFaults{.dripBytes = 1, .dripInterval = 100ms});
    SetThreadCallDeadline(500);
    EXPECT_EQ(connect("k"), COMM_NO_CONNECTION);
    const std::size_t helps = server.countCalls("help");
    EXPECT_EQ(connect("k"), COMM_NO_CONNECTION);  // the bound has passed: nothing is sent
    EXPECT_EQ(server.countCalls("help"), helps);
    SetThreadCallDeadline(0);
    server.clearFaults("xmlConnect");
    EXPECT_EQ(connect("k"), COMM_OK);
}

}  // namespace
