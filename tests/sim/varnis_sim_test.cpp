// varnis-sim listens where it is told, says so, answers a connect and a
// discovery query, and stops on SIGTERM.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "child_process.h"
#include "dravik/dravik.h"
#include "loopback_address.h"
#include "sim/sensor_globals_record.h"
#include "sonvira/sonvira.h"

namespace {

TEST(VarnisSim, ListensWhereToldAndAnswersAConnect) {
    const std::string address = vt::test::uniqueLoopbackAddress();
    vt::test::ChildProcess sim(
        {VT_BIN_DIR "/varnis-sim", "--address", address, "--port", "0", "--discovery-port", "0"});
    const std::string line = sim.readLine();
    const std::string prefix = "varnis-sim: XML-RPC on " + address + ":";
    ASSERT_EQ(line.rfind(prefix, 0), 0u) << line;
    const int port = std::atoi(line.substr(prefix.size()).c_str());
    ASSERT_GT(port, 0);

    char version[DRAVIK_CONNECT_TEXT_SIZE] = {};
    char type[DRAVIK_CONNECT_TEXT_SIZE] = {};
    EXPECT_EQ(Connect(nullptr, "sim", address.c_str(), port, version, type), COMM_OK);
    EXPECT_STREQ(type, "K7M-2D Reader");
    Disconnect("sim");
    EXPECT_EQ(sim.stop(), 0);
}

// A scan finds it under the MAC of its own settings.
TEST(VarnisSim, AnnouncesTheMacOfItsSettings) {
    const std::string address = vt::test::uniqueLoopbackAddress();
    vt::test::ChildProcess sim(
        {VT_BIN_DIR "/varnis-sim", "--address", address, "--port", "0", "--discovery-port", "0"});
    sim.readLine();
    const std::string line = sim.readLine();
    const std::string prefix = "varnis-sim: discovery on " + address + ":";
    ASSERT_EQ(line.rfind(prefix, 0), 0u) << line;
    ::setenv("VT_DISCOVERY_PORT", line.substr(prefix.size()).c_str(), 1);
    SensorDiscoveryRecord record{};
    EXPECT_EQ(Sonvira_GetSensorInfo(address.c_str(), &record), SONVIRA_FOUND);
    ::unsetenv("VT_DISCOVERY_PORT");
    EXPECT_STREQ(record.mac, vt::sim::SensorGlobalsRecord{}.macAddress.c_str());
    EXPECT_EQ(record.dhcp, 0);
    EXPECT_EQ(sim.stop(), 0);
}

TEST(VarnisSim, RefusesABadPort) {
    vt::test::ChildProcess sim({VT_BIN_DIR "/varnis-sim", "--port", "70000"});
    EXPECT_EQ(sim.wait(), 2);
}

}  // namespace
