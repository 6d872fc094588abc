// Connect and Disconnect against the simulated sensor: the compatibility
// check in every outcome, the host map, and sessions that replace each other.
#include <chrono>
#include <cstring>

#include "compatible_list_algorithm.h"
#include "dravik_fixture.h"
#include "xmlrpc/array_of.h"

using namespace std::chrono_literals;
using vt::sim::SensorState;
using vt::test::arrayOf;
using vt::test::DravikFixture;
using XmlRpc::XmlRpcValue;

namespace {

struct ConnectCase {
    const char* name;
    std::function<void(SensorState::Identity&)> sensor;
    int expected;
    std::size_t typeRequests;     // "xmlGetCompatibleSensorTypes" on the wire
    std::size_t versionRequests;  // "xmlGetCompatibleDKVersions" on the wire
    bool disconnectSent;          // "xmlDisconnect" on the wire
    bool connectedAfter;
};

class ConnectTable : public vt::test::DravikFixture, public ::testing::WithParamInterface<ConnectCase> {};

TEST_P(ConnectTable, Outcome) {
    const ConnectCase& c = GetParam();
    setIdentity(c.sensor);
    std::strcpy(version, "untouched");
    EXPECT_EQ(Connect(nullptr, "sensor", server.address().c_str(), server.port(), version, type), c.expected);
    EXPECT_EQ(server.countCalls("xmlGetCompatibleSensorTypes"), c.typeRequests);
    EXPECT_EQ(server.countCalls("xmlGetCompatibleDKVersions"), c.versionRequests);
    EXPECT_EQ(server.countCalls("xmlDisconnect"), c.disconnectSent ? 1u : 0u);
    EXPECT_EQ(dravik::leaseConnection() != nullptr, c.connectedAfter);
    const auto id = sensor.identity();
    if (c.expected == COMM_OK) {
        EXPECT_EQ(std::string(version), id.softwareVersion);
        EXPECT_EQ(std::string(type), id.sensorType);
    } else {
        EXPECT_STREQ(version, "untouched");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, ConnectTable,
    ::testing::Values(ConnectCase{"listed_type_and_version", [](auto&) {}, COMM_OK, 0, 0, false, true},
                      ConnectCase{"other_family", [](auto& id) { id.sensorType = "X9Z-2D Reader"; },
                                  COMM_OTHER_FAMILY, 0, 0, true, false},
                      ConnectCase{"empty_type", [](auto& id) { id.sensorType = ""; }, COMM_SENSOR_TOO_OLD, 0,
                                  0, true, false},
                      ConnectCase{"type_in_neither_list",
                                  [](auto& id) {
                                      id.sensorType = "K7M-9X";
                                      id.compatibleSensorTypes = {"K7M-9X", "K7M-8X"};
                                  },
                                  COMM_UNKNOWN_SENSOR_TYPE, 1, 0, true, false},
                      ConnectCase{"type_known_to_the_sensor",
                                  [](auto& id) {
                                      id.sensorType = "K7M-9X";
                                      id.compatibleSensorTypes = {"K7M-1D Pro"};
                                  },
                                  COMM_OK, 1, 0, false, true},
                      ConnectCase{"old_version_stays_connected",
                                  [](auto& id) { id.softwareVersion = "2999"; }, COMM_SENSOR_TOO_OLD, 0, 0,
                                  false, true},
                      ConnectCase{"library_not_in_the_sensors_list",
                                  [](auto& id) {
                                      id.softwareVersion = "3200";
                                      id.compatibleLibraryVersions = {"0.9", "2.0"};
                                  },
                                  COMM_LIBRARY_VERSION_NOT_LISTED, 0, 1, true, false},
                      ConnectCase{"library_in_the_sensors_list",
                                  [](auto& id) {
                                      id.softwareVersion = "3200";
                                      id.compatibleLibraryVersions = {"0.9", "1.0"};
                                  },
                                  COMM_OK, 0, 1, false, true},
                      ConnectCase{"sensor_status_passes_through", [](auto& id) { id.connectStatus = -4711; },
                                  -4711, 0, 0, false, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DravikFixture, ConnectSendsItsLocalAddressAndDisconnectEndsTheSession) {
    ASSERT_EQ(connect("k"), COMM_OK);
    auto calls = server.calls();
    ASSERT_GE(calls.size(), 2u);
    EXPECT_EQ(calls[0].method, "help");
    EXPECT_EQ(calls[1].method, "xmlConnect");
    EXPECT_EQ(calls[1].params[0], XmlRpcValue("127.0.0.1"));

    EXPECT_EQ(Disconnect("k"), COMM_OK);
    EXPECT_EQ(dravik::leaseConnection(), nullptr);
    ASSERT_EQ(server.countCalls("xmlDisconnect"), 1u);
    EXPECT_EQ(server.calls().back().params[0], XmlRpcValue("127.0.0.1"));
}

TEST_F(DravikFixture, NothingListeningGivesNoConnectionQuickly) {
    server.stop();
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(connect(), COMM_NO_CONNECTION);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 60s);  // against a hang only
}

TEST_F(DravikFixture, NotAStatusIntGivesStatusNotInt) {
    server.setMethod("xmlConnect", [](const XmlRpcValue&) {
        XmlRpcValue r;
        r[0] = "zero";
        return r;
    });
    EXPECT_EQ(connect(), COMM_STATUS_NOT_INT);
    vt::sim::MethodFaults fault;
    fault.fault = true;
    server.setFaults("xmlConnect", fault);
    EXPECT_EQ(connect(), COMM_STATUS_NOT_INT);
}

TEST_F(DravikFixture, LongSensorTextsAreCutToTheBuffer) {
    setIdentity([](auto& id) {
        id.sensorType = "K7M-2D " + std::string(1000, 'x');
        id.softwareVersion = std::string(600, '3');
    });
    // The version is not listed and above the first entry: the library's version is asked for.
    char guardedVersion[DRAVIK_CONNECT_TEXT_SIZE + 8];
    char guardedType[DRAVIK_CONNECT_TEXT_SIZE + 8];
    std::memset(guardedVersion, '#', sizeof guardedVersion);
    std::memset(guardedType, '#', sizeof guardedType);
    ASSERT_EQ(Connect(nullptr, "k", server.address().c_str(), server.port(), guardedVersion, guardedType),
              COMM_OK);
    EXPECT_EQ(std::strlen(guardedVersion), DRAVIK_CONNECT_TEXT_SIZE - 1u);
    EXPECT_EQ(std::strlen(guardedType), DRAVIK_CONNECT_TEXT_SIZE - 1u);
    for (std::size_t i = DRAVIK_CONNECT_TEXT_SIZE; i < sizeof guardedType; ++i) {
        EXPECT_EQ(guardedVersion[i], '#');
        EXPECT_EQ(guardedType[i], '#');
    }
}

TEST_F(DravikFixture, TheSameKeyFromAnotherLocalAddressIsRefusedUntilDisconnect) {
    pretendLocalAddress("10.1.1.1");
    ASSERT_EQ(connect("A"), COMM_OK);
    pretendLocalAddress("10.2.2.2");
    EXPECT_EQ(connect("A"), COMM_KEY_MAPPED_ELSEWHERE);
    EXPECT_NE(dravik::leaseConnection(), nullptr);  // stays for the Disconnect that follows
    EXPECT_EQ(connect("B"), COMM_OK);               // another key is free
    EXPECT_EQ(connect("A"), COMM_KEY_MAPPED_ELSEWHERE);
    Disconnect("A");
    EXPECT_EQ(server.countCalls("xmlDisconnect"), 1u);
    EXPECT_EQ(server.calls().back().params[0], XmlRpcValue("10.1.1.1"));
    EXPECT_EQ(connect("A"), COMM_OK);
}

TEST_F(DravikFixture, AConnectThatEndsWithoutConnectionFreesTheKeyItTook) {
    pretendLocalAddress("10.1.1.1");
    vt::sim::MethodFaults drop;
    drop.closeWithoutReply = true;
    server.setFaults("xmlConnect", drop);
    EXPECT_EQ(connect("A"), COMM_NO_CONNECTION);
    EXPECT_EQ(dravik::leaseConnection(), nullptr);

    server.clearFaults("xmlConnect");
    pretendLocalAddress("10.2.2.2");
    EXPECT_EQ(connect("A"), COMM_OK);
}

TEST_F(DravikFixture, AFailedCompatibilityRequestDisconnectsAndFreesTheKey) {
    pretendLocalAddress("10.1.1.1");
    setIdentity([](auto& id) { id.sensorType = "K7M-9X"; });
    vt::sim::MethodFaults drop;
    drop.closeWithoutReply = true;
    server.setFaults("xmlGetCompatibleSensorTypes", drop);
    EXPECT_EQ(connect("A"), COMM_NO_CONNECTION);
    EXPECT_EQ(dravik::leaseConnection(), nullptr);
    pretendLocalAddress("10.2.2.2");
    setIdentity([](auto& id) { id.sensorType = "K7M-2D"; });
    EXPECT_EQ(connect("A"), COMM_OK);
}

TEST_F(DravikFixture, ANewConnectTearsTheOldSessionDown) {
    vt::test::RecordingTarget window;
    ASSERT_EQ(connect("A", window.window()), COMM_OK);
    auto first = dravik::leaseConnection();
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->heartbeatRunning());

    ASSERT_EQ(connect("A", window.window()), COMM_OK);
    auto second = dravik::leaseConnection();
    EXPECT_NE(second, first);
    EXPECT_FALSE(first->heartbeatRunning());
    XmlRpcValue result;
    EXPECT_FALSE(first->execute("help", XmlRpcValue(), result, 1.0));  // retired, not reconnecting
    EXPECT_EQ(server.countCalls("xmlDisconnect"), 0u);                 // the replaced session is not told
    EXPECT_TRUE(second->heartbeatRunning());
}

TEST_F(DravikFixture, DisconnectWithoutKeyStopsTheLiveImageButSendsNoDisconnect) {
    ASSERT_EQ(connect("A"), COMM_OK);
    {
        std::lock_guard lock(dravik::libraryState().mutex);
        dravik::libraryState().liveImageRunning = true;
    }
    Disconnect(nullptr);
    EXPECT_EQ(server.countCalls("xmlStopLiveImage"), 1u);
    EXPECT_EQ(server.countCalls("xmlDisconnect"), 0u);
    EXPECT_EQ(dravik::leaseConnection(), nullptr);
}

struct ReplyListCase {
    const char* name;
    XmlRpcValue reply;
    std::vector<std::string> texts;
};

class ReplyTexts : public ::testing::TestWithParam<ReplyListCase> {};

TEST_P(ReplyTexts, ClampsAndSkips) {
    EXPECT_EQ(dravik::CCompatibleListAlgorithm::replyTexts(GetParam().reply), GetParam().texts);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ReplyTexts,
    ::testing::Values(ReplyListCase{"plain", arrayOf({0, 2, "a", "b"}), {"a", "b"}},
                      ReplyListCase{"count_beyond_the_reply", arrayOf({0, 50, "a"}), {"a"}},
                      ReplyListCase{"count_below_the_reply", arrayOf({0, 1, "a", "b"}), {"a"}},
                      ReplyListCase{"negative_count", arrayOf({0, -3, "a"}), {}},
                      ReplyListCase{"not_texts_and_empty_skipped", arrayOf({0, 4, 7, "", "a", 1.5}), {"a"}},
                      ReplyListCase{"count_not_an_int", arrayOf({0, "2", "a", "b"}), {}},
                      ReplyListCase{"status_only", arrayOf({0}), {}},
                      ReplyListCase{"not_an_array", XmlRpcValue(3), {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DravikFixture, AnEmptyTextInTheSensorsListMatchesNothing) {
    setIdentity([](auto& id) {
        id.softwareVersion = "3200";
        id.compatibleLibraryVersions = {"", "7.7"};
    });
    EXPECT_EQ(connect(), COMM_LIBRARY_VERSION_NOT_LISTED);
}

TEST(CompatibleLists, ReadFromTheCommonDefinitions) {
    dravik::CCompatibleListAlgorithm lists;
    EXPECT_EQ(lists.compatibleSensorTypes(), (std::vector<std::string>{"K7M-2D", "K7M-1D"}));
    EXPECT_EQ(lists.compatibleVersions(), (std::vector<std::string>{"3000", "3100"}));
    EXPECT_EQ(lists.ownVersion(), DRAVIK_VERSION_TEXT);
    EXPECT_TRUE(lists.isOlderThanListed("3000"));
    EXPECT_FALSE(lists.isOlderThanListed("3001"));
}

}  // namespace
