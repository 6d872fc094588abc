// The heartbeat: quiet while callers talk, one connection-lost message after
// two failed probes, and a thread that never outlives its connection.
#include <chrono>
#include <thread>

#include "dravik_fixture.h"
#include "xml_rpc_client_timeout.h"

using namespace std::chrono_literals;
using vt::test::DravikFixture;
using XmlRpc::XmlRpcValue;

namespace {

bool connectionLost(const vt::test::RecordedMessage& m) {
    return m.message == WM_SENSORNOTIFY && m.wParam == SN_CONNECTION_LOST;
}

std::size_t lostCount(const std::vector<vt::test::RecordedMessage>& messages) {
    std::size_t n = 0;
    for (const auto& m : messages) n += connectionLost(m) ? 1 : 0;
    return n;
}

TEST_F(DravikFixture, ACallerThatTalksEverySecondNeverSeesAHeartbeat) {
    vt::test::RecordingTarget window;
    ASSERT_EQ(connect("k", window.window()), COMM_OK);
    auto connection = dravik::leaseConnection();
    ASSERT_NE(connection, nullptr);
    for (int i = 0; i < 12; ++i) {  // about three heartbeat cycles
        XmlRpcValue result;
        ASSERT_TRUE(connection->execute("help", XmlRpcValue(), result, 3.0));
        std::this_thread::sleep_for(500ms);
    }
    EXPECT_EQ(server.countCalls("xmlHeartbeat"), 0u);
    // Once the caller is quiet the heartbeat speaks.
    EXPECT_TRUE(server.waitForCalls("xmlHeartbeat", 1, 20s));
    EXPECT_EQ(window.count(), 0u);
}

TEST_F(DravikFixture, ASilentSensorGivesOneConnectionLostAndNoMoreProbes) {
    vt::test::RecordingTarget window;
    ASSERT_EQ(connect("k", window.window()), COMM_OK);
    server.setSilent(true);
    // Two cycles of about 2 s, each probe waiting 1 s and retrying once.
    ASSERT_TRUE(window.waitFor([](const auto& m) { return lostCount(m) >= 1; }, 40s));
    const std::size_t probes = server.countCalls("xmlHeartbeat");
    EXPECT_EQ(probes, 4u);  // two probes, each sent twice
    std::this_thread::sleep_for(5s);
    EXPECT_EQ(server.countCalls("xmlHeartbeat"), probes);
    EXPECT_EQ(lostCount(window.messages()), 1u);
    EXPECT_FALSE(dravik::leaseConnection()->heartbeatRunning());
}

// A call the sensor holds keeps the connection busy: the heartbeat asks
// beside it, and a sensor that goes silent is reported lost while the call
// still waits (it used to wait for that call's limit, twice 20 s for a poll).
TEST_F(DravikFixture, ASensorSilentWhileACallWaitsIsReportedLostBesideIt) {
    quickHeartbeat();
    server.setMethod("xmlHold", [](const XmlRpcValue&) { return XmlRpcValue(0); });
    server.setFaults("xmlHold", vt::sim::MethodFaults{.silence = true});
    vt::test::RecordingTarget window;
    ASSERT_EQ(connect("k", window.window()), COMM_OK);
    auto connection = dravik::leaseConnection();
    std::thread held([connection] {
        XmlRpcValue result;
        connection->execute("xmlHold", XmlRpcValue(), result, 20.0);
    });
    ASSERT_TRUE(server.waitForCalls("xmlHold", 1, 10s));
    // Answered beside the held call: the sensor is there.
    ASSERT_TRUE(server.waitForCalls("xmlHeartbeat", 3, 10s));
    EXPECT_EQ(lostCount(window.messages()), 0u);

    server.setSilent(true);
    EXPECT_TRUE(window.waitFor([](const auto& m) { return lostCount(m) >= 1; }, 10s));
    EXPECT_EQ(server.countCalls("xmlHold"), 1u);  // still the one call, still waiting
    AbandonConnection();
    held.join();
    EXPECT_EQ(lostCount(window.messages()), 1u);
}

TEST_F(DravikFixture, AHeartbeatReplyThatIsNotAnArrayEndsItQuietly) {
    server.setMethod("xmlHeartbeat", [](const XmlRpcValue&) { return XmlRpcValue(5); });
    vt::test::RecordingTarget window;
    ASSERT_EQ(connect("k", window.window()), COMM_OK);
    ASSERT_TRUE(server.waitForCalls("xmlHeartbeat", 1, 20s));
    auto connection = dravik::leaseConnection();
    for (int i = 0; i < 100 && connection->heartbeatRunning(); ++i) std::this_thread::sleep_for(50ms);
    EXPECT_FALSE(connection->heartbeatRunning());
    std::this_thread::sleep_for(3s);
    EXPECT_EQ(server.countCalls("xmlHeartbeat"), 1u);
    EXPECT_EQ(window.count(), 0u);
}

TEST_F(DravikFixture, WithoutAWindowThereIsNoHeartbeat) {
    ASSERT_EQ(connect("k", nullptr), COMM_OK);
    EXPECT_FALSE(dravik::leaseConnection()->heartbeatRunning());
}

TEST_F(DravikFixture, TheHeartbeatThreadNeverOutlivesItsClient) {
    vt::test::RecordingTarget window;
    for (int i = 0; i < 20; ++i) {
        auto client = std::make_unique<dravik::XmlRpcClientTimeout>(
            window.window(), 1, 1, 2, "xmlHeartbeat", server.address().c_str(), server.port(), nullptr);
        client->StartHeartbeat();
        if (i % 2 == 0) std::this_thread::sleep_for(10ms);  // sometimes mid-probe
        client.reset();
    }
    dravik::XmlRpcClientTimeout idle(window.window(), 2000, 1, 2, "xmlHeartbeat", server.address().c_str(),
                                     server.port(), nullptr);
    idle.StopHeartbeat();  // no thread: nothing to do
    EXPECT_FALSE(idle.heartbeatRunning());
}

// Connect and Disconnect over and over while the heartbeat runs and another
// thread calls into the connection: clean under the sanitizers.
TEST_F(DravikFixture, ConnectCyclesWhileAnotherThreadCalls) {
    vt::test::RecordingTarget window;
    std::atomic<bool> done{false};
    std::thread caller([&] {
        while (!done) {
            if (auto connection = dravik::leaseConnection()) {
                XmlRpcValue result;
                connection->execute("help", XmlRpcValue(), result, 2.0);
            }
        }
    });
    for (int i = 0; i < 100; ++i) {
        int rc = connect("k", window.window());
        EXPECT_TRUE(rc == COMM_OK) << "cycle " << i << ": " << rc;
        if (i % 3 == 0) Disconnect("k");
        if (i % 3 == 1) Disconnect(nullptr);
    }
    done = true;
    caller.join();
    Disconnect("k");
    EXPECT_EQ(lostCount(window.messages()), 0u);
}

}  // namespace
