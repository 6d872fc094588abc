// What the simulated sensor does with the state a PC left behind: a test
// ended by "leave the test", an edit ended by the monitor or service state,
// and everything the PC held ended by its disconnect or by its silence.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <thread>

#include "loopback_address.h"
#include "sim/connection_methods.h"
#include "sim/pc_session.h"
#include "sim/sensor_command_methods.h"
#include "sim/sensor_model.h"
#include "sim/sensor_state.h"
#include "sim/xmlrpc_server.h"
#include "xmlrpc/XmlRpcClient.h"

using namespace vt::sim;
using namespace std::chrono_literals;
using XmlRpc::XmlRpcValue;

namespace {

template <class Condition>
bool WaitUntil(Condition done, std::chrono::milliseconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() >= end) return false;
        std::this_thread::sleep_for(5ms);
    }
    return true;
}

const SlotRef kKept{3, "Kept", 0};
const SlotRef kNew{4, "New", 0};

// Slot 3 saved with exposure 100.
class SensorStateTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(model.createConfig(kKept), kSimOk);
        model.access([](SensorData& d) { d.slots[3].data.parameters.configData[5] = 100; });
        ASSERT_EQ(model.closeAndSave(), kSimOk);
    }
    // The edit of slot 3 with its exposure changed to 500, not saved.
    void EditKept() {
        ASSERT_EQ(model.editConfig(kKept), kSimOk);
        model.access([](SensorData& d) { d.slots[3].data.parameters.configData[5] = 500; });
    }
    ::testing::AssertionResult EditDiscarded() {
        const SensorData d = model.snapshot();
        if (d.editing) return ::testing::AssertionFailure() << "still editing";
        if (d.slots[3].data.parameters.configData[5].asInt() != 100) return ::testing::AssertionFailure() << "kept";
        return ::testing::AssertionSuccess();
    }

    SensorModel model;
};

// "Leave the test" (5) returns to the state the test began in; it is never
// held, so the next connect finds a state it accepts.
TEST_F(SensorStateTest, LeavingATestGoesBackToWhereItBegan) {
    struct Row {
        int before, test, after;
    };
    for (Row r : {Row{4, 6, 4}, Row{4, 7, 4}, Row{2, 6, 2}, Row{4, 5, 4}}) {
        ASSERT_EQ(model.setState(r.before), kSimOk);
        ASSERT_EQ(model.setState(r.test), kSimOk);
        EXPECT_EQ(model.setState(kStateLeaveTest), kSimOk);
        EXPECT_EQ(model.state(), r.after) << r.before << " " << r.test;
    }
    // A test's edit stays: the trigger test runs inside the editor.
    EditKept();
    ASSERT_EQ(model.setState(6), kSimOk);
    ASSERT_EQ(model.setState(5), kSimOk);
    EXPECT_TRUE(model.snapshot().editing.has_value());
}

TEST_F(SensorStateTest, MonitorAndServiceDropAnEditNotSaved) {
    for (int state : {kStateMonitor, kStateService}) {
        ASSERT_EQ(model.setState(kStateConfiguration), kSimOk);
        EditKept();
        ASSERT_EQ(model.setState(state), kSimOk);
        EXPECT_TRUE(EditDiscarded()) << state;
        EXPECT_EQ(model.state(), state);
    }
    // A configuration being created goes with its slot.
    ASSERT_EQ(model.setState(kStateConfiguration), kSimOk);
    ASSERT_EQ(model.createConfig(kNew), kSimOk);
    ASSERT_EQ(model.setState(kStateMonitor), kSimOk);
    EXPECT_FALSE(model.snapshot().slots[4].used);
}

TEST_F(SensorStateTest, APcLeavingEndsWhatItHeld) {
    struct Row {
        int state, after;
    };
    for (Row r : {Row{4, 4}, Row{6, 4}, Row{7, 4}, Row{9, 4}, Row{2, 2}}) {
        ASSERT_EQ(model.setState(kStateConfiguration), kSimOk);
        EditKept();
        ASSERT_EQ(model.setState(r.state), kSimOk);
        model.endPcSession();
        EXPECT_TRUE(EditDiscarded()) << r.state;
        EXPECT_EQ(model.state(), r.after) << r.state;
    }
}

// Through the server, as a PC on the network sees it.
class PcSessionTest : public SensorStateTest {
protected:
    void SetUp() override {
        SensorStateTest::SetUp();
        addConnectionMethods(server, identity);
        addSensorCommandMethods(server, model);
        session.install(server, identity);
        ASSERT_TRUE(server.start()) << server.error();
        client = std::make_unique<XmlRpc::XmlRpcClient>(server.address().c_str(), server.port());
    }
    void TearDown() override { server.stop(); }
    bool Call(const char* method, const XmlRpcValue& params = XmlRpcValue()) {
        XmlRpcValue reply;
        return client->execute(method, params, reply, 10.0);
    }
    bool Connect() {
        XmlRpcValue pc;
        pc[0] = "127.0.0.1";
        return Call("xmlConnect", pc);
    }

    SensorState identity;
    XmlRpcServer server{vt::test::uniqueLoopbackAddress()};
    PcSession session{model};
    std::unique_ptr<XmlRpc::XmlRpcClient> client;
};

TEST_F(PcSessionTest, TheDisconnectEndsTheEditAndTheTest) {
    ASSERT_TRUE(Connect());
    EditKept();
    ASSERT_EQ(model.setState(kStateTestTrigger), kSimOk);
    XmlRpcValue pc;
    pc[0] = "127.0.0.1";
    ASSERT_TRUE(Call("xmlDisconnect", pc));
    EXPECT_TRUE(EditDiscarded());
    EXPECT_EQ(model.state(), kStateConfiguration);
    EXPECT_FALSE(session.connected());
    EXPECT_EQ(session.sessionsEnded(), 1);
}

// A PC that falls silent is gone; one whose request is still being answered
// is not, and a refused connect begins nothing.
TEST_F(PcSessionTest, SilenceEndsTheSessionButARequestBeingAnsweredDoesNot) {
    MethodFaults held;
    held.silence = true;
    server.setFaults("xmlGetState", held);
    ASSERT_TRUE(Connect());
    EditKept();
    XmlRpc::XmlRpcClient other(server.address().c_str(), server.port());
    std::thread caller([&] {
        XmlRpcValue reply;
        other.execute("xmlGetState", XmlRpcValue(), reply, 30.0);
    });
    ASSERT_TRUE(server.waitForCalls("xmlGetState", 1, 5s));
    session.setSilenceLimit(50ms);
    // Held for many limits: still there.
    EXPECT_FALSE(WaitUntil([&] { return !session.connected(); }, 300ms));
    EXPECT_TRUE(model.snapshot().editing.has_value());
    server.stop();  // the held request ends, then nothing is heard
    caller.join();
    ASSERT_TRUE(WaitUntil([&] { return !session.connected(); }, 10s));
    EXPECT_TRUE(EditDiscarded());
    EXPECT_EQ(session.sessionsEnded(), 1);
}

TEST_F(PcSessionTest, ARefusedConnectBeginsNothing) {
    auto refused = identity.identity();
    refused.connectStatus = -107;
    identity.setIdentity(refused);
    ASSERT_TRUE(Connect());
    EXPECT_FALSE(session.connected());
}

}  // namespace
