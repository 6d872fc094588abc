// The worker's rows against the simulated sensor, through libdravik: the
// outputs reach the window's members through the reply, every command of
// the table is answered, and a disconnect during a long call ends cleanly.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>

#include "brimsol/brimsol.h"
#include "core/command_engine.h"
#include "core/command_rows.h"
#include "core/sensor_command.h"
#include "core/sensor_command_post.h"
#include "dravik/dravik.h"
#include "dravik/sensor_commands.h"
#include "recording_target.h"
#include "reply_queue.h"
#include "simulated_sensor.h"
#include "temp_dir.h"
#include "text/text_codecs.h"

namespace {

using namespace std::chrono_literals;

std::u16string Wide(const std::string& text) {
    std::u16string out;
    Utf8ToUtf16String(out, text);
    return out;
}

class EngineRowsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(sensor.Start()) << sensor.error();
        engine.Start();
        state.m_strConnectAddress = Wide(sensor.server.address());
        state.m_nConnectPort = sensor.server.port();
        state.m_nLiveImagePort = sensor.liveImage.port();
    }
    void TearDown() override {
        engine.Stop();
        Disconnect(nullptr);
    }

    // Posts id as the GUI thread does and handles its reply; the reply's status.
    int Run(int id) {
        PostSensorCommand(state, engine, id);
        return Handle(id);
    }
    int Handle(int id) {
        CommandReply r;
        EXPECT_TRUE(replies.Take(r)) << SensorCommandName(id);
        EXPECT_EQ(r.id, id);
        last = r;
        TakeSensorReply(state, engine, r);
        return last.status;
    }

    // The parameters of the latest call of the method the sensor received.
    XmlRpc::XmlRpcValue Received(const char* method) const {
        XmlRpc::XmlRpcValue params;
        for (const auto& call : sensor.server.calls())
            if (call.method == method) params = call.params;
        return params;
    }
    vt::sim::SensorData Sensor() { return sensor.model.snapshot(); }

    vt::test::SimulatedSensor sensor;
    vt::test::RecordingTarget events;
    vt::test::ReplyQueue replies;
    MainDialogState state;
    CommandReply last;
    CommandEngine engine{[this](CommandReply&& r) { replies.Push(std::move(r)); },
                         [this](const SensorCommandRequest& r, CommandReply& reply) {
                             RunCommandRow(r, reply, events.window());
                         }};
};

TEST_F(EngineRowsTest, ConnectReadsVersionStateAndGlobalSettings) {
    struct Case {
        const char* version;
        bool extended;
    };
    for (Case c : {Case{"3099", false}, Case{"3100", true}, Case{"4000", true}}) {
        auto id = sensor.identity.identity();
        id.softwareVersion = c.version;
        sensor.identity.setIdentity(id);
        ASSERT_EQ(Run(CMD_CONNECT), 0) << c.version;
        EXPECT_EQ(state.m_strSoftwareVersion, Wide(c.version));
        EXPECT_EQ(state.m_strSensorType, u"K7M-2D Reader");
        EXPECT_EQ(state.m_bExtendedConfig, c.extended) << c.version;
        EXPECT_EQ(state.m_nSensorState, 4);
        EXPECT_FALSE(state.m_SensorGlobals.empty());
        EXPECT_FALSE(state.m_strConnectKey.empty());
        EXPECT_EQ(Run(CMD_DISCONNECT), 0);
    }
}

TEST_F(EngineRowsTest, AFailedConnectLeavesTheSensorTextsAsTheyWere) {
    auto id = sensor.identity.identity();
    id.connectStatus = -107;
    sensor.identity.setIdentity(id);
    EXPECT_EQ(Run(CMD_CONNECT), -107);
    EXPECT_EQ(state.m_strSoftwareVersion, u" ");
    EXPECT_EQ(state.m_strSensorType, u" ");
    EXPECT_FALSE(state.m_bExtendedConfig);
}

TEST_F(EngineRowsTest, TheDisconnectUsesTheKeyTheConnectTook) {
    ASSERT_EQ(Run(CMD_CONNECT), 0);
    EXPECT_EQ(last.connectKey.empty(), false);
    // The sensor hears "xmlDisconnect" only when the key is the connect's own.
    EXPECT_EQ(Run(CMD_DISCONNECT), 0);
    EXPECT_EQ(sensor.server.countCalls("xmlDisconnect"), 1u);
}

// Every row of the table is answered by the simulated sensor with success,
// the sensor gets what the members the row reads say, and the outputs land
// in the members named for them.
TEST_F(EngineRowsTest, EveryCommandOfTheTableSucceedsAgainstTheSimulator) {
    vt::test::TempDir dir;
    ASSERT_EQ(Run(CMD_CONNECT), 0);
    EXPECT_EQ(Run(CMD_GET_STATE), 0);
    EXPECT_EQ(state.m_nSensorState, 4);
    state.m_nSensorState = 3;
    EXPECT_EQ(Run(CMD_SET_STATE), 0);
    EXPECT_EQ(sensor.model.state(), 3);
    state.m_nSensorState = 4;
    EXPECT_EQ(Run(CMD_SET_STATE), 0);
    EXPECT_EQ(sensor.model.state(), 4);
    EXPECT_EQ(Run(CMD_GET_SENSOR_GLOBALS), 0);
    EXPECT_EQ(Run(CMD_SET_SENSOR_GLOBALS), 0);

    // A configuration's life: create, edit, its data, copy, rename, move, activate, delete.
    state.m_nConfigIndex = 0;
    state.m_strConfigName = u"Engine";
    state.m_nGroup = 0;
    state.m_bNameEncoded = true;
    EXPECT_EQ(Run(CMD_CREATE_CONFIG), 0);
    EXPECT_TRUE(Sensor().slots[0].used);
    EXPECT_EQ(Sensor().slots[0].group, 0);
    EXPECT_EQ(Run(CMD_EDIT_CONFIG), 0);
    ASSERT_TRUE(Sensor().editing);
    EXPECT_EQ(Sensor().editing->slot, 0);
    state.m_nConfigId = 0;
    EXPECT_EQ(Run(CMD_GET_CONFIG_DATA), 0);
    ASSERT_GT(state.m_ConfigData.size(), 5u);
    constexpr int kExposureItem = 5;
    state.m_ConfigData[kExposureItem].intValue = 777;
    EXPECT_EQ(Run(CMD_SET_CONFIG_DATA), 0);
    EXPECT_EQ(Sensor().slots[0].data.parameters.configData[kExposureItem].asInt(), 777);
    for (int get : {CMD_GET_ECC200_DATA, CMD_GET_PDF417_DATA, CMD_GET_QRCODE_DATA, CMD_GET_BARCODE_DATA,
                    CMD_GET_AZTEC_DATA, CMD_GET_ECC200_QR_QUALITY, CMD_GET_PDF417_QUALITY}) {
        EXPECT_EQ(Run(get), 0) << SensorCommandName(get);
    }
    EXPECT_FALSE(state.m_ECC200Data.empty());
    EXPECT_FALSE(state.m_PDF417Quality.empty());
    for (int set : {CMD_SET_ECC200_DATA, CMD_SET_PDF417_DATA, CMD_SET_QRCODE_DATA, CMD_SET_BARCODE_DATA,
                    CMD_SET_AZTEC_DATA, CMD_SET_ECC200_QR_QUALITY})
        EXPECT_EQ(Run(set), 0) << SensorCommandName(set);
    // The sensor takes quality only in its configured code type's form.
    EXPECT_EQ(Run(CMD_SET_PDF417_QUALITY), -102);
    state.m_nCodeType = 1;
    EXPECT_EQ(Run(CMD_GET_QUALITY_PARAMS), 0);
    EXPECT_EQ(Run(CMD_SET_QUALITY_PARAMS), 0);
    for (int kind : {1, 0}) {
        state.m_nRevertCodeType = kind;
        EXPECT_EQ(Run(CMD_REVERT_CODE_DATA), 0);
        EXPECT_EQ(Sensor().revertedCodeType, kind);
    }
    state.m_nRecognitionMode = 2;
    EXPECT_EQ(Run(CMD_UPDATE_RECOGNITION_MODE), 0);
    EXPECT_EQ(Sensor().recognitionMode, 2);
    sensor.model.access([](vt::sim::SensorData& d) { d.calculatedExposure = 1234; });
    EXPECT_EQ(Run(CMD_CALCULATE_EXPOSURE), 0);
    EXPECT_EQ(Sensor().slots[0].data.parameters.configData[kExposureItem].asInt(), 1234);
    state.m_nRecognition = 1;
    state.m_nCodesPerImage = 3;
    EXPECT_EQ(Run(CMD_AUTO_DETECT_CODE), 0);
    EXPECT_EQ(Sensor().autoDetectArguments, (std::pair<int, int>{1, 3}));
    state.m_strRegexText1 = u"[0-9]+";  // expression, good-reading string, text to match against
    state.m_strRegexText2 = u"";
    state.m_strRegexText3 = u"A-12";
    EXPECT_EQ(Run(CMD_APPLY_REGEX), 0);
    EXPECT_EQ(state.m_strRegexResult, u"12");
    for (int transmit : {CMD_TRANSMIT_TEST_DATA, CMD_TRANSMIT_FAIL_DATA, CMD_TRANSMIT_MATCH_STRING})
        EXPECT_EQ(Run(transmit), 0) << SensorCommandName(transmit);
    ASSERT_EQ(Sensor().transmissions.size(), 3u);
    EXPECT_EQ(Sensor().transmissions[2].method, "xmlTransmitMatchString");
    EXPECT_EQ(Run(CMD_CLOSE_AND_SAVE), 0);
    EXPECT_FALSE(Sensor().editing);

    EXPECT_EQ(Run(CMD_GET_CONFIG_LIST), 0);
    EXPECT_FALSE(state.m_ConfigList.empty());
    EXPECT_FALSE(state.m_GroupList.empty());
    state.m_bExtendedConfig = true;
    EXPECT_EQ(Run(CMD_GET_INFO_CONFIG), 0);
    EXPECT_FALSE(state.m_ConfigData.empty());

    state.m_nTargetIndex = 1;
    state.m_strTargetName = u"Copy";
    state.m_nTargetGroup = 0;
    EXPECT_EQ(Run(CMD_COPY_CONFIG), 0);
    EXPECT_TRUE(Sensor().slots[1].used);
    state.m_nTargetIndex = 0;
    state.m_strTargetName = u"Renamed";
    EXPECT_EQ(Run(CMD_RENAME_CONFIG), 0);
    const std::string renamed = Sensor().slots[0].name;
    EXPECT_NE(renamed, Sensor().slots[1].name);
    state.m_strConfigName = u"Renamed";
    state.m_nTargetIndex = 2;
    state.m_strTargetName = u"Renamed";
    state.m_nTargetGroup = 0;
    EXPECT_EQ(Run(CMD_MOVE_CONFIG), 0);
    EXPECT_FALSE(Sensor().slots[0].used);
    EXPECT_EQ(Sensor().slots[2].name, renamed);
    state.m_nConfigIndex = 2;
    EXPECT_EQ(Run(CMD_ACTIVATE_CONFIG), 0);
    EXPECT_EQ(Sensor().activeConfig, 2);
    state.m_nGroup = 0;
    EXPECT_EQ(Run(CMD_ACTIVATE_GROUP), 0);
    EXPECT_EQ(Sensor().activeGroup, 0);
    state.m_nMasterType = 1;
    EXPECT_EQ(Run(CMD_SET_GROUP_MASTER), 0);
    EXPECT_EQ(Sensor().slots[2].masterState, 1);
    sensor.configFiles.set(2, {'c', 'f', 'g'});
    state.m_strConfigFile = Wide((dir.path() / "slot2.cfg").string());
    EXPECT_EQ(Run(CMD_DOWNLOAD_CONFIG), 0);
    EXPECT_EQ(std::filesystem::file_size(dir.path() / "slot2.cfg"), 3u);
    state.m_nConfigIndex = 3;
    state.m_strConfigName = u"Uploaded";
    EXPECT_EQ(Run(CMD_UPLOAD_CONFIG), 0);
    EXPECT_EQ(sensor.configFiles.get(3), (vt::sim::ConfigFileStore::Bytes{'c', 'f', 'g'}));  // the file downloaded
    state.m_nConfigIndex = 1;
    state.m_strConfigName = u"Copy";
    EXPECT_EQ(Run(CMD_DELETE_CONFIG), 0);
    EXPECT_FALSE(Sensor().slots[1].used);

    // Tests and readings.
    EXPECT_EQ(Run(CMD_TEST_TRIGGER_ON), 0);
    EXPECT_TRUE(state.m_bTestRunning);
    EXPECT_EQ(sensor.model.state(), 6);
    EXPECT_EQ(Run(CMD_SIMULATE_TRIGGER), 0);
    ASSERT_TRUE(events.waitFor(
        [](const auto& m) {
            for (auto& e : m)
                if (e.wParam == SN_POLL_RESULT_1) return true;
            return false;
        },
        10s));
    EXPECT_EQ(Run(CMD_GET_TEST_TRIGGER_RESULTS), 0);
    ASSERT_TRUE(last.image.has_value());
    EXPECT_EQ(last.image->width, 640);
    EXPECT_EQ(last.image->pixels.size(), 640u * 480u);
    EXPECT_EQ(Run(CMD_TEST_TRIGGER_OFF), 0);
    EXPECT_FALSE(state.m_bTestRunning);
    EXPECT_EQ(Received("xmlSetState")[0].asInt(), 5);  // leave the test
    EXPECT_EQ(sensor.model.state(), 4);
    EXPECT_EQ(Run(CMD_TEST_CONFIG_ON), 0);
    EXPECT_EQ(sensor.model.state(), 7);
    EXPECT_EQ(Run(CMD_TEST_CONFIG_OFF), 0);
    EXPECT_EQ(sensor.model.state(), 4);

    EXPECT_EQ(Run(CMD_MONITOR_ON), 0);
    EXPECT_EQ(sensor.model.state(), 2);
    EXPECT_TRUE(sensor.readings.takeReading());
    EXPECT_EQ(Run(CMD_GET_RESULT_WITH_IMAGE), 0);
    EXPECT_EQ(state.m_nReadCount, 1);
    EXPECT_TRUE(last.image.has_value());
    EXPECT_EQ(Run(CMD_UNLOCK_RESULT), 0);
    EXPECT_EQ(Run(CMD_RESUME_POLLING), 0);
    EXPECT_EQ(Run(CMD_GET_STATISTICS), 0);
    EXPECT_GE(state.m_nTotalReadings, 1);
    state.m_nSensorState = 9;
    EXPECT_EQ(Run(CMD_MONITOR_OFF), 0);
    EXPECT_EQ(sensor.model.state(), 9);  // monitor off into the state asked for
    EXPECT_EQ(Run(CMD_GET_RESULTS_LIST), 0);
    EXPECT_GE(state.m_nStoredResultCount, 1);
    EXPECT_EQ(Run(CMD_GET_FAILED_RESULTS_LIST), 0);
    state.m_nSelectedResultId = state.m_ResultsList.empty() ? 1 : state.m_ResultsList[0].resultNumber;
    state.m_nResultOption = 1;
    EXPECT_EQ(Run(CMD_REFRESH_RESULT), 0);
    // The stored result asked for, by its number and the option.
    EXPECT_EQ(Received("xmlLockResult")[0].asInt(), state.m_nSelectedResultId);
    EXPECT_EQ(Received("xmlLockResult")[1].asInt(), 1);
    EXPECT_EQ(Run(CMD_UNLOCK_RESULT), 0);
    state.m_nResultOption = 0;
    state.m_strResultFolder = Wide(dir.path().string());
    state.m_strResultFile = Wide((dir.path() / "result.html").string());
    EXPECT_EQ(Run(CMD_SAVE_CURRENT_RESULT), 0);
    EXPECT_EQ(Run(CMD_SAVE_ALL_RESULTS), 0);
    EXPECT_EQ(Run(CMD_SAVE_SERVICE_REPORT), 0);
    EXPECT_TRUE(std::filesystem::exists(dir.path() / "result.html"));
    EXPECT_EQ(Run(CMD_RESET_STATISTICS), 0);
    EXPECT_EQ(Sensor().totalReadings, 0);
    state.m_nSensorState = 4;
    EXPECT_EQ(Run(CMD_SET_STATE), 0);
    EXPECT_EQ(Run(CMD_GET_READ_CODE), 0);

    EXPECT_EQ(Run(CMD_START_LIVE_IMAGE), 0);
    EXPECT_TRUE(state.m_bLiveImage);
    EXPECT_TRUE(sensor.liveImage.streaming());
    EXPECT_EQ(Run(CMD_START_LIVE_IMAGE), 0);  // already running counts as started
    EXPECT_EQ(Run(CMD_STOP_LIVE_IMAGE), 0);
    EXPECT_FALSE(state.m_bLiveImage);
    EXPECT_FALSE(sensor.liveImage.streaming());
    EXPECT_TRUE(last.image.has_value());

    auto image = dir.write("image.bin", "software image");
    ASSERT_EQ(Brimsol_setfilename(image.c_str()), 0);
    EXPECT_EQ(Run(CMD_DISCONNECT), 0);
    EXPECT_EQ(Run(CMD_UPDATE_SOFTWARE), 0);
    EXPECT_EQ(sensor.update.images().size(), 1u);
}

TEST_F(EngineRowsTest, ALiveImageStartThatFailsIsReportedAndLeavesTheFlag) {
    ASSERT_EQ(Run(CMD_CONNECT), 0);
    state.m_strConnectAddress = u"not an address";
    EXPECT_NE(Run(CMD_START_LIVE_IMAGE), 0);
    EXPECT_FALSE(state.m_bLiveImage);
    // A stop that fails for want of a stream counts as stopped; the old
    // picture stays when no new one came.
    state.m_bLiveImage = true;
    sensor.server.setFaults("xmlGetCurrentImage", vt::sim::MethodFaults{.fault = true});
    EXPECT_EQ(Run(CMD_STOP_LIVE_IMAGE), 0);
    EXPECT_FALSE(last.image.has_value());
}

TEST_F(EngineRowsTest, ADisconnectDuringALongCallDropsItsLateReplyAndAConnectFollows) {
    ASSERT_EQ(Run(CMD_CONNECT), 0);
    vt::sim::MethodFaults slow;
    slow.delay = 1500ms;
    sensor.server.setFaults("xmlAutoDetectCode", slow);
    PostSensorCommand(state, engine, CMD_AUTO_DETECT_CODE);
    ASSERT_TRUE(sensor.server.waitForCalls("xmlAutoDetectCode", 1, 5s));
    auto start = std::chrono::steady_clock::now();
    PostSensorCommand(state, engine, CMD_DISCONNECT);

    CommandReply late;
    ASSERT_TRUE(replies.Take(late));
    EXPECT_EQ(late.id, CMD_AUTO_DETECT_CODE);
    EXPECT_FALSE(TakeSensorReply(state, engine, late));  // an ended session's reply
    EXPECT_EQ(Handle(CMD_DISCONNECT), 0);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);

    sensor.server.clearFaults("xmlAutoDetectCode");
    EXPECT_EQ(Run(CMD_CONNECT), 0);
    EXPECT_EQ(Run(CMD_GET_STATE), 0);
    EXPECT_EQ(state.m_nOutstandingCommands, 0);
}

// A sensor that drips its reply to "xmlConnect", or accepts the connect and
// stays silent on the state: the connect's calls end together at the road's
// limit (shortened here), and the worker is free again.
TEST_F(EngineRowsTest, TheConnectsCallsEndTogetherAtTheRoadsLimit) {
    struct Case {
        const char* method;
        vt::sim::MethodFaults faults;
        int status;
    };
    const Case cases[] = {
        {"xmlConnect", vt::sim::MethodFaults{.dripBytes = 1, .dripInterval = 100ms}, COMM_NO_CONNECTION},
        {"xmlGetState", vt::sim::MethodFaults{.silence = true}, COMM_NO_REPLY},
    };
    setenv("VT_CONNECT_LIMIT_MS", "600", 1);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.method);
        sensor.server.setFaults(c.method, c.faults);
        EXPECT_EQ(Run(CMD_CONNECT), c.status);
        sensor.server.clearFaults(c.method);
        // Only the connect was bounded.
        EXPECT_EQ(Run(CMD_CONNECT), 0);
        EXPECT_EQ(Run(CMD_GET_STATE), 0);
    }
    unsetenv("VT_CONNECT_LIMIT_MS");
}

// Leaving while the sensor holds a call: the worker's call is cut once the
// grace is over, the session given up without a word, and a later start
// connects as usual.
TEST_F(EngineRowsTest, LeavingWhileTheSensorHoldsACallGivesTheSessionUp) {
    ASSERT_EQ(Run(CMD_CONNECT), 0);
    sensor.server.setFaults("xmlGetState", vt::sim::MethodFaults{.silence = true});
    const std::size_t calls = sensor.server.countCalls("xmlGetState");
    PostSensorCommand(state, engine, CMD_GET_STATE);
    ASSERT_TRUE(sensor.server.waitForCalls("xmlGetState", calls + 1, 10s));
    engine.Stop(50ms, [] { AbandonConnection(); });
    CommandReply held;
    ASSERT_TRUE(replies.Take(held));
    EXPECT_EQ(held.id, CMD_GET_STATE);
    EXPECT_NE(held.status, 0);
    EXPECT_EQ(sensor.server.countCalls("xmlDisconnect"), 0u);
    int sensorState = 0;
    EXPECT_EQ(GetState(&sensorState), COMM_NOT_CONNECTED);

    sensor.server.clearFaults("xmlGetState");
    CommandEngine later([this](CommandReply&& r) { replies.Push(std::move(r)); },
                        [this](const SensorCommandRequest& r, CommandReply& reply) {
                            RunCommandRow(r, reply, events.window());
                        });
    later.Start();
    PostSensorCommand(state, later, CMD_CONNECT);
    CommandReply connected;
    ASSERT_TRUE(replies.Take(connected));
    EXPECT_EQ(connected.status, 0);
    later.Stop();
}

}  // namespace
