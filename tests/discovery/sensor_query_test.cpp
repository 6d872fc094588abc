#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

#include "simulated_subnet.h"
#include "sonvira/sonvira.h"

namespace {

using vt::test::SimulatedSubnet;

TEST(GetSensorInfo, FillsTheRecordFromTheSimulatedSensor) {
    SimulatedSubnet net;
    auto identity = SimulatedSubnet::sensor("Line 3", "00:0A:3C:00:00:07");
    identity.type = "K7M";
    identity.secondText = "Hall B";
    identity.mask = "255.255.255.240";
    identity.dhcp = true;
    identity.number1 = 7;
    identity.number2 = 9;
    net.add(4, identity);

    SensorDiscoveryRecord record;
    std::memset(&record, 0x55, sizeof record);
    ASSERT_EQ(Sonvira_GetSensorInfo(net.hostText(4).c_str(), &record), SONVIRA_FOUND);
    EXPECT_STREQ(record.name, "Line 3");
    EXPECT_STREQ(record.secondText, "Hall B");
    EXPECT_STREQ(record.type, "K7M");
    EXPECT_EQ(std::string(record.ip), net.hostText(4));
    EXPECT_STREQ(record.mask, "255.255.255.240");
    EXPECT_STREQ(record.mac, "00:0A:3C:00:00:07");
    EXPECT_EQ(record.dhcp, 1);
    EXPECT_EQ(record.padding[0] | record.padding[1] | record.padding[2], 0);
    EXPECT_EQ(record.number1, 7);
    EXPECT_EQ(record.number2, 9);
}

TEST(GetSensorInfo, AForeignDeviceIsNotFoundAndAskedTwice) {
    SimulatedSubnet net;
    auto& foreign = net.add(2, SimulatedSubnet::foreign());
    SensorDiscoveryRecord record{};
    EXPECT_EQ(Sonvira_GetSensorInfo(net.hostText(2).c_str(), &record), SONVIRA_NOT_FOUND);
    EXPECT_EQ(foreign.queriesReceived(), 2);
}

TEST(GetSensorInfo, AHostWithoutResponderRefusesAtOnce) {
    // The query socket is connected, so the refusal ends the query instead of
    // five waits for an answer that never comes.
    SimulatedSubnet net;
    net.add(1, SimulatedSubnet::foreign());
    SensorDiscoveryRecord record{};
    EXPECT_EQ(Sonvira_GetSensorInfo(net.hostText(6).c_str(), &record),
              SONVIRA_SYSTEM_ERROR_BASE + ECONNREFUSED);
}

TEST(GetSensorInfo, ASilentHostGivesNoAnswer) {
    SimulatedSubnet net;
    auto& silent = net.addSilent(3);
    vt::test::setDiscoveryReplyWindow(vt::test::kSilenceReplyWindow);
    SensorDiscoveryRecord record{};
    EXPECT_EQ(Sonvira_GetSensorInfo(net.hostText(3).c_str(), &record), 0);
    EXPECT_EQ(silent.queriesReceived(), 2);
}

// A sensor that answers late is found when the wait is longer than its delay
// and missed when it is shorter.
TEST(GetSensorInfo, TheReplyWindowDecidesWhetherALateAnswerCounts) {
    using std::chrono::milliseconds;
    struct Case {
        milliseconds window;
        int status;
    };
    for (const Case& c : {Case{milliseconds{3000}, SONVIRA_FOUND}, Case{milliseconds{100}, 0}}) {
        SimulatedSubnet net;
        auto& slow = net.add(5, SimulatedSubnet::sensor("Slow", "00:0A:3C:00:00:05"));
        slow.setReplyDelay(milliseconds{400});
        vt::test::setDiscoveryReplyWindow(c.window);
        SensorDiscoveryRecord record{};
        EXPECT_EQ(Sonvira_GetSensorInfo(net.hostText(5).c_str(), &record), c.status) << c.window.count();
    }
}

TEST(GetSensorInfo, RefusesBadArguments) {
    SensorDiscoveryRecord record{};
    EXPECT_EQ(Sonvira_GetSensorInfo("127.0.0", &record), SONVIRA_INVALID_SUBNET);
    EXPECT_EQ(Sonvira_GetSensorInfo("sensor.local", &record), SONVIRA_INVALID_SUBNET);
    EXPECT_EQ(Sonvira_GetSensorInfo(nullptr, &record), SONVIRA_INVALID_SUBNET);
    EXPECT_EQ(Sonvira_GetSensorInfo("127.0.0.1", nullptr), SONVIRA_NULL_BUFFER);
}

}  // namespace
