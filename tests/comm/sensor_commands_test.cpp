// The command and state exports on their common frame: every export against
// a good reply, a sensor status, a status that is not an int, no reply and a
// fault, with the elements it sends and the outputs it writes; then the
// behaviour particular to single exports.
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <functional>
#include <string>
#include <tuple>

#include "array_of.h"
#include "command_fixture.h"
#include "result_lock.h"

using namespace std::chrono_literals;
using vt::sim::ScriptedReply;
using vt::test::arrayOf;
using vt::test::CommandFixture;
using XmlRpc::XmlRpcValue;

namespace {

constexpr int kUnset = -12345;  // no reply carries it, so a write shows
constexpr char kFill = '#';

struct Outputs {
    Outputs() {
        std::memset(text, kFill, sizeof text);
        text[sizeof text - 1] = '\0';
    }
    bool textUntouched() const {
        Outputs fresh;
        return std::memcmp(text, fresh.text, sizeof text) == 0;
    }
    int first = kUnset;
    int second = kUnset;
    char text[2048];
};

struct ExportCase {
    const char* name;
    const char* method;
    char pattern;  // 'A', 'B' or 'C': how no reply reads
    std::function<int(Outputs&)> call;
    XmlRpcValue sent;  // the elements on the wire; invalid: none
    XmlRpcValue goodReply;
    // What a good reply leaves in the outputs.
    int first = kUnset;
    int second = kUnset;
    const char* text = nullptr;
};

enum class Reply { Good, Seven, WrongType, None, Fault };

const char* replyName(Reply r) {
    switch (r) {
        case Reply::Good:
            return "good";
        case Reply::Seven:
            return "status_7";
        case Reply::WrongType:
            return "text_status";
        case Reply::None:
            return "no_reply";
        case Reply::Fault:
            return "fault";
    }
    return "";
}

XmlRpcValue ok() {
    return arrayOf({0});
}
XmlRpcValue none() {
    return {};
}

std::vector<ExportCase> exportCases() {
    return {
        {"ResetStatistics", "xmlResetStatistics", 'B', [](Outputs&) { return ResetStatistics(); }, none(),
         ok()},
        {"ResetStatisticsService", "xmlResetStatistics", 'B',
         [](Outputs&) { return ResetStatisticsService(); }, none(), ok()},
        {"SimulateTrigger", "xmlForceTrigger", 'B', [](Outputs&) { return SimulateTrigger(); }, none(), ok()},
        {"GetSensorStatistics", "xmlGetSensorStatistics", 'B',
         [](Outputs& o) { return GetSensorStatistics(&o.first, &o.second); }, none(), arrayOf({0, 40, 31}),
         40, 31},
        {"GetSensorCurrentTime", "xmlGetSensorCurrentTime", 'B',
         [](Outputs& o) { return GetSensorCurrentTime(o.text); }, none(), arrayOf({0, "2026-12-10 08:15:00"}),
         kUnset, kUnset, "2026-12-10 08:15:00"},
        {"CreateConfig", "xmlCreateConfig", 'A', [](Outputs&) { return CreateConfig(3, "{N}", 1); },
         arrayOf({3, "{N}", 1}), ok()},
        {"EditConfig", "xmlEditConfig", 'A', [](Outputs&) { return EditConfig(3, "{N}", 1); },
         arrayOf({3, "{N}", 1}), ok()},
        {"DeleteConfig", "xmlDeleteConfig", 'A', [](Outputs&) { return DeleteConfig(3, "{N}", 1); },
         arrayOf({3, "{N}", 1}), ok()},
        {"RenameConfig", "xmlRenameConfig", 'A', [](Outputs&) { return RenameConfig(3, "{N}", 1, 4, "{M}"); },
         arrayOf({3, "{N}", 1, 4, "{M}"}), ok()},
        {"ActivateConfig", "xmlActivateConfig", 'A', [](Outputs&) { return ActivateConfig(3, "{N}", 1); },
         arrayOf({3, "{N}", 1}), ok()},
        {"ActivateGroup", "xmlActivateGroup", 'A', [](Outputs&) { return ActivateGroup(6); }, arrayOf({6}),
         ok()},
        {"SetAsGroupMaster", "xmlSetAsGroupMaster", 'A',
         [](Outputs&) { return SetAsGroupMaster(3, "{N}", 1, 2); }, arrayOf({3, "{N}", 1, 2}), ok()},
        {"CopyConfig", "xmlCopyConfig", 'A', [](Outputs&) { return CopyConfig(3, "{N}", 1, 9, "{C}", 5); },
         arrayOf({3, "{N}", 1, 9, "{C}", 5}), ok()},
        {"MoveConfig", "xmlMoveConfig", 'A', [](Outputs&) { return MoveConfig(3, "{N}", 1, 9, "{C}", 5); },
         arrayOf({3, "{N}", 1, 9, "{C}", 5}), ok()},
        {"CloseAndSave", "xmlCloseAndSave", 'A', [](Outputs&) { return CloseAndSave(); }, none(), ok()},
        {"CloseAndDiscard", "xmlCloseAndDiscard", 'A', [](Outputs&) { return CloseAndDiscard(); }, none(),
         ok()},
        {"GetState", "xmlGetState", 'C', [](Outputs& o) { return GetState(&o.first); }, none(),
         arrayOf({0, 3}), 3},
        {"SetState", "xmlSetState", 'A', [](Outputs&) { return SetState(6); }, arrayOf({6}), ok()},
        {"RevertCodeDataSettings", "xmlRevertCodeDataSettings", 'A',
         [](Outputs&) { return RevertCodeDataSettings(33); }, arrayOf({33}), ok()},
        {"CalculateExpTime", "xmlCalculateExpTime", 'A', [](Outputs&) { return CalculateExpTime(); }, none(),
         ok()},
        {"AutoDetectCode", "xmlAutoDetectCode", 'A',
         [](Outputs& o) { return AutoDetectCode(2, 4, &o.first, &o.second); }, arrayOf({2, 4}),
         arrayOf({0, 33, 8}), 33, 8},
        {"DecodeImage", "xmlDecodeImage", 'A', [](Outputs&) { return DecodeImage(); }, none(), ok()},
        {"CaptureImage", "xmlCaptureImage", 'A', [](Outputs&) { return CaptureImage(); }, none(), ok()},
        {"TransmitTestData", "xmlTransmitTestData", 'A', [](Outputs&) { return TransmitTestData(); }, none(),
         ok()},
        {"TransmitFailData", "xmlTransmitFailData", 'A', [](Outputs&) { return TransmitFailData(); }, none(),
         ok()},
        {"TransmitMatchString", "xmlTransmitMatchString", 'A', [](Outputs&) { return TransmitMatchString(); },
         none(), ok()},
        {"ApplyRegularExpression", "xmlCheckRegularExpression", 'B',
         [](Outputs& o) { return ApplyRegularExpression("[0-9]+", "lot 42", "", o.text, &o.first); },
         arrayOf({"[0-9]+", "lot 42", ""}), arrayOf({0, 1, "42"}), 1, kUnset, "42"},
        {"UpdateRecognitionMode", "xmlUpdateRecognitionMode", 'A',
         [](Outputs&) { return UpdateRecognitionMode(2); }, arrayOf({2}), ok()},
    };
}

class EveryExport : public vt::test::CommandFixture,
                    public ::testing::WithParamInterface<std::tuple<ExportCase, Reply>> {};

TEST_P(EveryExport, ReadsTheReplyByItsPatternAndWritesOnlyOnSuccess) {
    const auto& [c, reply] = GetParam();
    auto& script = model.script();
    int expected = 0;
    switch (reply) {
        case Reply::Good:
            script.push(c.method, ScriptedReply::value(c.goodReply));
            expected = COMM_OK;
            break;
        case Reply::Seven:
            script.push(c.method, ScriptedReply::status(7));
            expected = 7;
            break;
        case Reply::WrongType:
            script.push(c.method, ScriptedReply::wrongType());
            expected = COMM_STATUS_NOT_INT;
            break;
        case Reply::None:
            script.push(c.method, ScriptedReply::noReply());
            expected = c.pattern == 'B' ? COMM_STATUS_NOT_INT : COMM_NO_REPLY;
            break;
        case Reply::Fault:
            script.push(c.method, ScriptedReply::fault(3, "refused"));
            expected = COMM_STATUS_NOT_INT;
            break;
    }

    Outputs out;
    EXPECT_EQ(c.call(out), expected);

    const XmlRpcValue params = lastParams(c.method);
    ASSERT_TRUE(params.valid()) << "nothing sent";
    if (c.sent.valid())
        EXPECT_EQ(params, c.sent);
    else
        EXPECT_EQ(params.size(), 0);

    if (reply == Reply::Good) {
        EXPECT_EQ(out.first, c.first);
        EXPECT_EQ(out.second, c.second);
        if (c.text != nullptr)
            EXPECT_STREQ(out.text, c.text);
        else
            EXPECT_TRUE(out.textUntouched());
    } else {
        EXPECT_EQ(out.first, kUnset);
        EXPECT_EQ(out.second, kUnset);
        EXPECT_TRUE(out.textUntouched());
    }
}

INSTANTIATE_TEST_SUITE_P(Table, EveryExport,
                         ::testing::Combine(::testing::ValuesIn(exportCases()),
                                            ::testing::Values(Reply::Good, Reply::Seven, Reply::WrongType,
                                                              Reply::None, Reply::Fault)),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param).name) + "_" +
                                    replyName(std::get<1>(info.param));
                         });

class ExportWithoutConnection : public vt::test::CommandFixture,
                                public ::testing::WithParamInterface<ExportCase> {};

TEST_P(ExportWithoutConnection, ReturnsNotConnectedAndSendsNothing) {
    Disconnect("sensor");
    server.clearCalls();
    Outputs out;
    EXPECT_EQ(GetParam().call(out), COMM_NOT_CONNECTED);
    EXPECT_TRUE(server.calls().empty());
    EXPECT_EQ(out.first, kUnset);
    EXPECT_TRUE(out.textUntouched());
}

INSTANTIATE_TEST_SUITE_P(Table, ExportWithoutConnection, ::testing::ValuesIn(exportCases()),
                         [](const auto& info) { return std::string(info.param.name); });

// Payload elements missing or of the wrong type after a status 0.
TEST_F(CommandFixture, AGoodStatusWithoutItsValuesIsNoSuccess) {
    struct Case {
        const char* method;
        XmlRpcValue reply;
        std::function<int(Outputs&)> call;
    };
    const Case cases[] = {
        {"xmlGetState", arrayOf({0}), [](Outputs& o) { return GetState(&o.first); }},
        {"xmlGetState", arrayOf({0, "3"}), [](Outputs& o) { return GetState(&o.first); }},
        {"xmlGetSensorStatistics", arrayOf({0, 5}),
         [](Outputs& o) { return GetSensorStatistics(&o.first, &o.second); }},
        {"xmlAutoDetectCode", arrayOf({0, 1}),
         [](Outputs& o) { return AutoDetectCode(0, 1, &o.first, &o.second); }},
        {"xmlGetSensorCurrentTime", arrayOf({0, 17}),
         [](Outputs& o) { return GetSensorCurrentTime(o.text); }},
        {"xmlCheckRegularExpression", arrayOf({0, 1}),
         [](Outputs& o) { return ApplyRegularExpression("a", "b", "c", o.text, &o.first); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.method);
        model.script().push(c.method, ScriptedReply::value(c.reply));
        Outputs out;
        EXPECT_EQ(c.call(out), COMM_STATUS_NOT_INT);
        EXPECT_EQ(out.first, kUnset);
        EXPECT_EQ(out.second, kUnset);
        EXPECT_TRUE(out.textUntouched());
    }
}

// A lost connection used to read as "nothing found" with both outputs 0.
TEST_F(CommandFixture, AutoDetectWithoutReplyIsNoReplyNotNothingFound) {
    model.script().push("xmlAutoDetectCode", ScriptedReply::noReply());
    int codeType = kUnset;
    int value = kUnset;
    EXPECT_EQ(AutoDetectCode(1, 1, &codeType, &value), COMM_NO_REPLY);
    EXPECT_EQ(codeType, kUnset);
    EXPECT_EQ(value, kUnset);

    model.access([](vt::sim::SensorData& d) {
        d.detectedCodeType = 0;
        d.detectedValue = 0;
    });
    EXPECT_EQ(AutoDetectCode(1, 1, &codeType, &value), COMM_OK);
    EXPECT_EQ(codeType, 0);
    EXPECT_EQ(value, 0);
}

TEST_F(CommandFixture, StatisticsWithoutAPendingResultAreZero) {
    for (int status : {-7099, -7050, -7001}) {
        SCOPED_TRACE(status);
        dravik::setResultLocked(true);
        model.script().push("xmlGetSensorStatistics", ScriptedReply::value(arrayOf({status, 9, 9})));
        int total = kUnset;
        int good = kUnset;
        EXPECT_EQ(GetSensorStatistics(&total, &good), COMM_OK);
        EXPECT_EQ(total, 0);
        EXPECT_EQ(good, 0);
        EXPECT_FALSE(dravik::resultLocked());
    }
    for (int status : {-7100, -7000}) {
        SCOPED_TRACE(status);
        model.script().push("xmlGetSensorStatistics", ScriptedReply::status(status));
        int total = kUnset;
        EXPECT_EQ(GetSensorStatistics(&total, nullptr), status);
        EXPECT_EQ(total, kUnset);
    }
}

TEST_F(CommandFixture, StatisticsFollowTheSensor) {
    ASSERT_EQ(SimulateTrigger(), COMM_OK);
    model.access([](vt::sim::SensorData& d) { d.nextReadingGood = false; });
    ASSERT_EQ(SimulateTrigger(), COMM_OK);
    int total = kUnset;
    int good = kUnset;
    ASSERT_EQ(GetSensorStatistics(&total, &good), COMM_OK);
    EXPECT_EQ(total, 2);
    EXPECT_EQ(good, 1);
    ASSERT_EQ(ResetStatistics(), COMM_OK);
    ASSERT_EQ(GetSensorStatistics(&total, &good), COMM_OK);
    EXPECT_EQ(total, 0);
    EXPECT_EQ(good, 0);
}

TEST_F(CommandFixture, AHeldResultIsReleasedBeforeAResetOrTrigger) {
    server.setMethod("xmlUnlockResult", [](const XmlRpcValue&) { return arrayOf({0}); });
    struct Case {
        const char* name;
        int (*call)();
        bool unlocks;
    };
    for (const Case& c :
         {Case{"ResetStatistics", ResetStatistics, true}, Case{"SimulateTrigger", SimulateTrigger, true},
          Case{"ResetStatisticsService", ResetStatisticsService, false}}) {
        SCOPED_TRACE(c.name);
        server.clearCalls();
        dravik::setResultLocked(true);
        EXPECT_EQ(c.call(), COMM_OK);
        const auto calls = server.calls();
        ASSERT_FALSE(calls.empty());
        EXPECT_EQ(calls.front().method == "xmlUnlockResult", c.unlocks);
        EXPECT_EQ(server.countCalls("xmlUnlockResult"), c.unlocks ? 1u : 0u);
        EXPECT_EQ(dravik::resultLocked(), !c.unlocks);
    }
    // Nothing held: nothing to release.
    dravik::setResultLocked(false);
    server.clearCalls();
    EXPECT_EQ(ResetStatistics(), COMM_OK);
    EXPECT_EQ(server.countCalls("xmlUnlockResult"), 0u);
}

TEST_F(CommandFixture, SensorTextsAreCutToTheStatedRoom) {
    struct Case {
        const char* method;
        std::size_t room;
        std::function<int(char*)> call;
    };
    const Case cases[] = {
        {"xmlGetSensorCurrentTime", DRAVIK_SENSOR_TIME_SIZE,
         [](char* out) { return GetSensorCurrentTime(out); }},
        {"xmlCheckRegularExpression", DRAVIK_REGEX_RESULT_SIZE,
         [](char* out) {
             int n = 0;
             return ApplyRegularExpression("a", "b", "c", out, &n);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.method);
        const std::string longText(3000, 'z');
        model.script().push(
            c.method, ScriptedReply::value(c.room == DRAVIK_SENSOR_TIME_SIZE ? arrayOf({0, longText})
                                                                             : arrayOf({0, 1, longText})));
        Outputs out;
        ASSERT_GT(sizeof out.text, c.room + 1);
        EXPECT_EQ(c.call(out.text), COMM_OK);
        EXPECT_EQ(std::strlen(out.text), c.room - 1);
        EXPECT_EQ(out.text[c.room], kFill) << "written past the room";
    }
}

TEST_F(CommandFixture, ACallThatCannotBeSentReadsAsTheUntouchedPreset) {
    // A connection torn down under a caller refuses every call before sending.
    dravik::leaseConnection()->retire();
    EXPECT_EQ(SetState(2), COMM_FAILED);               // pattern A
    EXPECT_EQ(ResetStatisticsService(), COMM_FAILED);  // pattern B
    int state = kUnset;
    EXPECT_EQ(GetState(&state), COMM_FAILED);  // pattern C
    EXPECT_EQ(state, kUnset);
}

TEST_F(CommandFixture, StateGoesToTheSensorAndBack) {
    ASSERT_EQ(SetState(9), COMM_OK);
    int state = kUnset;
    ASSERT_EQ(GetState(&state), COMM_OK);
    EXPECT_EQ(state, 9);
    EXPECT_EQ(SetState(12), vt::sim::kSimBadState);
    EXPECT_EQ(model.state(), 9);
}

TEST_F(CommandFixture, StartUpdatingSensorEndsTheHeartbeat) {
    vt::test::RecordingTarget window;
    ASSERT_EQ(connect("sensor", window.window()), COMM_OK);
    const auto connection = dravik::leaseConnection();
    ASSERT_TRUE(connection->heartbeatRunning());
    EXPECT_EQ(StartUpdatingSensor(), COMM_OK);
    EXPECT_FALSE(connection->heartbeatRunning());
    Disconnect("sensor");
    EXPECT_EQ(StartUpdatingSensor(), COMM_OK);
}

TEST_F(CommandFixture, RetiredQualityExportsSayNotSupported) {
    ParameterList list(2);
    for (int (*retired)(ParameterList*) : {GetECC200Quality, SetECC200Quality}) {
        ::testing::internal::CaptureStderr();
        EXPECT_EQ(retired(&list), COMM_NOT_SUPPORTED);
        const std::string notice = ::testing::internal::GetCapturedStderr();
        EXPECT_NE(notice.find("Invalid command"), std::string::npos) << notice;
        EXPECT_NE(notice.find("You should not call"), std::string::npos) << notice;
    }
    EXPECT_EQ(list.size(), 2u);
    EXPECT_TRUE(server.calls().empty());
}

// Calls with long limits wait for a slow sensor, and the heartbeat waits
// with them instead of declaring the sensor lost.
struct SlowCase {
    const char* name;
    const char* method;
    int (*call)();
};

class SlowSensor : public vt::test::CommandFixture, public ::testing::WithParamInterface<SlowCase> {};

TEST_P(SlowSensor, ACallWithALongLimitCompletes) {
    vt::test::RecordingTarget window;
    ASSERT_EQ(connect("sensor", window.window()), COMM_OK);
    vt::sim::MethodFaults slow;
    slow.delay = 2500ms;  // beyond the heartbeat's own 1 s limit and its 2 s cycle
    server.setFaults(GetParam().method, slow);
    EXPECT_EQ(GetParam().call(), COMM_OK);
    EXPECT_EQ(server.countCalls(GetParam().method), 1u) << "retried: the wait was cut short";
    EXPECT_EQ(window.count(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Table, SlowSensor,
                         ::testing::Values(SlowCase{"SetState", "xmlSetState", [] { return SetState(4); }},
                                           SlowCase{"CalculateExpTime", "xmlCalculateExpTime",
                                                    CalculateExpTime},
                                           SlowCase{"DecodeImage", "xmlDecodeImage", DecodeImage},
                                           SlowCase{"AutoDetectCode", "xmlAutoDetectCode",
                                                    [] {
                                                        int a = 0;
                                                        int b = 0;
                                                        return AutoDetectCode(1, 1, &a, &b);
                                                    }}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
