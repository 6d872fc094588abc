// varnis-sim listens where it is told, says so, answers a connect and stops
// on SIGTERM.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "child_process.h"
#include "dravik/dravik.h"
#include "loopback_address.h"

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

TEST(VarnisSim, RefusesABadPort) {
    vt::test::ChildProcess sim({VT_BIN_DIR "/varnis-sim", "--port", "70000"});
    EXPECT_EQ(sim.wait(), 2);
}

}  // namespace
