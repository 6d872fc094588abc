// The result getters' edges: "no result" statuses, malformed replies, the
// list of last results with the sensor's count checked, and the modes.
#include <chrono>
#include <string>

#include "dravik/results.h"
#include "readings_fixture.h"
#include "result_lock.h"
#include "result_polling.h"
#include "sim/reply_script.h"
#include "xmlrpc/array_of.h"

using namespace std::chrono_literals;
using vt::sim::ScriptedReply;
using vt::test::arrayOf;
using XmlRpc::XmlRpcValue;

namespace {

class ResultGetters : public vt::test::ReadingsFixture {
protected:
    void SetUp() override {
        ReadingsFixture::SetUp();
        ASSERT_EQ(connect("k", window.window()), COMM_OK);
        model.setState(7);
        ASSERT_EQ(dravik::StartPollingThread(dravik::libraryState(), dravik::leaseConnection()), COMM_OK);
        ASSERT_TRUE(readings.takeReading());
        ASSERT_TRUE(window.waitForCount(1, 20s));
        int count = 0;
        ASSERT_EQ(GetNumberOfResults(-1, 0, 0, &count, nullptr, nullptr), COMM_OK);
    }
    // Whether polling runs again: a new reading gives a second event.
    bool pollingResumed() {
        readings.takeReading();
        return window.waitForCount(2, 5s);
    }
};

TEST_F(ResultGetters, ANoResultStatusIsDoneForTheFamilyGetters) {
    model.script().push("xmlGetCodeResult", ScriptedReply::status(-7010));
    ParameterList list{ParameterItem{}};
    EXPECT_EQ(GetECC200Result(0, &list), COMM_OK);
    EXPECT_TRUE(list.empty());
    EXPECT_FALSE(dravik::resultLocked());
    EXPECT_TRUE(pollingResumed());
}

TEST_F(ResultGetters, AStatusOutsideTheNoResultRangeIsReturned) {
    model.script().push("xmlGetCodeResult", ScriptedReply::status(-7000));
    ParameterList list;
    EXPECT_EQ(GetPDF417Result(0, &list), -7000);
    EXPECT_TRUE(dravik::resultLocked());
}

TEST_F(ResultGetters, TheCommonQualityGetterPassesNoResultOnButTheFamilyGetterDoesNot) {
    model.script().push("xmlGetCodeQuality2DResult", ScriptedReply::status(-7010));
    model.script().push("xmlGetCodeQuality2DResult", ScriptedReply::status(-7010));
    ParameterList list;
    EXPECT_EQ(GetCodeQualityResult(0, 1, &list), -7010);
    EXPECT_EQ(GetECC200QualityResult(0, &list), COMM_OK);
}

TEST_F(ResultGetters, ACodeTypeWithoutQualityRecordSendsNothing) {
    ParameterList list;
    EXPECT_EQ(GetCodeQualityResult(0, 0, &list), COMM_TEMPLATE_NOT_LOADED);
    EXPECT_EQ(server.countCalls("xmlGetCodeQuality2DResult"), 0u);
}

// The templates are only our reading of the sensor's types: an element of
// another type keeps its item's default, and the rest is read.
TEST_F(ResultGetters, AnElementOfAnotherTypeKeepsItsDefaultAndTheRestIsRead) {
    // QR Code: polarity, mirrored (text), ..., Rows, Columns (int).
    model.script().push("xmlGetCodeResult", ScriptedReply::value(arrayOf({0, 5, "mirror", "t", "12", 21})));
    model.script().push("xmlGetResult", ScriptedReply::value(arrayOf({0, XmlRpcValue(std::vector<uint8_t>{'A'}),
                                                                       "not an id", 1, 3})));
    ParameterList list;
    ASSERT_EQ(GetQRCodeResult(0, &list), COMM_OK);
    ASSERT_EQ(list.size(), 16u);
    EXPECT_EQ(list[0].stringValue, "");
    EXPECT_EQ(list[1].stringValue, "mirror");
    EXPECT_EQ(list[3].intValue, 0);
    EXPECT_EQ(list[4].intValue, 21);
    std::vector<uint8_t> bytes;
    ASSERT_EQ(GetTestConfigResult(0, &list, &bytes), COMM_OK);
    ASSERT_EQ(list.size(), 40u);
    EXPECT_EQ(list[0].intValue, 0);
    EXPECT_EQ(list[1].intValue, 1);
    EXPECT_EQ(list[2].intValue, 3);
    EXPECT_EQ(bytes, std::vector<uint8_t>{'A'});
}

TEST_F(ResultGetters, AResultWithoutItsRawBytesIsMalformed) {
    model.script().push("xmlGetResult", ScriptedReply::value(arrayOf({0, "not bytes"})));
    ParameterList list;
    std::vector<uint8_t> bytes{1, 2};
    EXPECT_EQ(GetTestConfigResult(0, &list, &bytes), COMM_STATUS_NOT_INT);
    EXPECT_TRUE(list.empty());
    EXPECT_TRUE(bytes.empty());
}

TEST_F(ResultGetters, AShortReplyLeavesTheTemplatesDefaults) {
    model.script().push("xmlGetCodeResult", ScriptedReply::value(arrayOf({0, "dark_on_light"})));
    ParameterList list;
    ASSERT_EQ(GetAztecCodeResult(0, &list), COMM_OK);
    ASSERT_EQ(list.size(), 14u);
    EXPECT_EQ(list[0].stringValue, "dark_on_light");
    EXPECT_EQ(list[3].intValue, 0);
}

// The sensor answers in the shape of the locked reading's code family.
TEST_F(ResultGetters, ResultsOfEveryFamilyComeWithTheirTemplatesLength) {
    struct Family {
        int codeType;
        int (*get)(int, ParameterList*);
        std::size_t length;
        int (*quality)(int, ParameterList*);
        std::size_t qualityLength;
    };
    const Family families[] = {{1, GetECC200Result, 12, GetECC200QualityResult, 37},
                               {2, GetPDF417Result, 13, GetPDF417QualityResult, 33},
                               {3, GetQRCodeResult, 16, GetQRCodeQualityResult, 37},
                               {33, GetAztecCodeResult, 14, GetAztecCodeQualityResult, 37}};
    for (const Family& family : families) {
        readings.setCodeType(family.codeType);
        ASSERT_TRUE(readings.takeReading());
        int count = 0;
        ASSERT_EQ(GetNumberOfResults(-1, 0, 0, &count, nullptr, nullptr), COMM_OK);
        ParameterList list, quality;
        EXPECT_EQ(family.get(0, &list), COMM_OK) << "code type " << family.codeType;
        EXPECT_EQ(list.size(), family.length);
        EXPECT_EQ(family.quality(0, &quality), COMM_OK);
        EXPECT_EQ(quality.size(), family.qualityLength);  // with the closing item
        ASSERT_EQ(SetUnlockResult(), COMM_OK);
    }
}

TEST_F(ResultGetters, AutoDetectHandsOverWhatTheSensorFoundAndTheFirstResult) {
    model.access([](vt::sim::SensorData& d) {
        d.detectedCodeType = 3;
        d.detectedValue = 7;
    });
    int value = 0, codeType = 0;
    ParameterList list;
    std::vector<uint8_t> bytes;
    ASSERT_EQ(GetAutoDetectResults(1, 2, &value, &codeType, &list, &bytes), COMM_OK);
    EXPECT_EQ(value, 7);
    EXPECT_EQ(codeType, 3);
    EXPECT_EQ(list.size(), 40u);
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), readings.latest()->text);
}

TEST_F(ResultGetters, ReadCodeDecodesAndLeavesTheResultLockedForTheGetters) {
    ASSERT_EQ(SetUnlockResult(), COMM_OK);
    int count = -1;
    ASSERT_EQ(GetReadCode(&count), COMM_OK);
    EXPECT_EQ(count, 1);
    EXPECT_EQ(server.countCalls("xmlDecodeImage"), 1u);
    EXPECT_TRUE(dravik::resultLocked());
    ASSERT_EQ(SetUnlockResult(), COMM_OK);
    EXPECT_EQ(counts().locks, counts().unlocks);
}

TEST_F(ResultGetters, NullListsAreRefused) {
    std::vector<uint8_t> bytes;
    EXPECT_EQ(GetTestConfigResult(0, nullptr, &bytes), COMM_INVALID_ARGUMENT);
    EXPECT_EQ(GetECC200Result(0, nullptr), COMM_INVALID_ARGUMENT);
    int count = 0;
    EXPECT_EQ(GetLastResultsList(0, nullptr, &count, nullptr), COMM_INVALID_ARGUMENT);
    EXPECT_EQ(RevertECC200Quality(), COMM_NOT_SUPPORTED);
}

TEST_F(ResultGetters, TheLastResultsListHoldsTheKeptReadings) {
    ASSERT_TRUE(readings.takeReading());
    char text[DRAVIK_RESULTS_TEXT_SIZE] = "old";
    int count = -1;
    std::vector<ResultListEntry> list;
    ASSERT_EQ(GetLastResultsList(0, text, &count, &list), COMM_OK);
    EXPECT_STREQ(text, "2 results");
    ASSERT_EQ(count, 2);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].resultNumber, 2);
    EXPECT_EQ(list[0].passed, 1);
    EXPECT_STREQ(list[0].resultText, readings.latest()->text.c_str());
    EXPECT_EQ(list[1].index, 1);
}

TEST_F(ResultGetters, TheFailedListHoldsOnlyFailedReadings) {
    model.access([](vt::sim::SensorData& d) { d.nextReadingGood = false; });
    ASSERT_TRUE(readings.takeReading());
    int count = -1;
    std::vector<ResultListEntry> list;
    ASSERT_EQ(GetLastResultsList(1, nullptr, &count, &list), COMM_OK);
    ASSERT_EQ(count, 1);
    EXPECT_EQ(list[0].resultNumber, 2);
    EXPECT_EQ(list[0].passed, 0);
    EXPECT_EQ(list[0].index, 0);
    ASSERT_EQ(GetLastResultsList(0, nullptr, &count, &list), COMM_OK);
    EXPECT_EQ(count, 2);
}

struct ListCase {
    const char* name;
    XmlRpcValue reply;
    int status;
    int count;
};

class LastResultsReplies : public ResultGetters, public ::testing::WithParamInterface<ListCase> {};

TEST_P(LastResultsReplies, AreCheckedAgainstTheirCount) {
    model.script().push("xmlGetLastResultsList", ScriptedReply::value(GetParam().reply));
    int count = -1;
    std::vector<ResultListEntry> list(3);
    EXPECT_EQ(GetLastResultsList(0, nullptr, &count, &list), GetParam().status);
    EXPECT_EQ(count, GetParam().count);
    EXPECT_EQ(list.size(), static_cast<std::size_t>(GetParam().count));
}

INSTANTIATE_TEST_SUITE_P(
    Replies, LastResultsReplies,
    ::testing::Values(ListCase{"empty", arrayOf({0, "", 0}), COMM_OK, 0},
                      ListCase{"one", arrayOf({0, "t", 1, 7, 1, "3 s", "ABC", 0}), COMM_OK, 1},
                      ListCase{"countPastTheReply", arrayOf({0, "t", 2, 7, 1, "3 s", "ABC", 0}), COMM_STATUS_NOT_INT, 0},
                      ListCase{"hugeCount", arrayOf({0, "t", 2000000000}), COMM_STATUS_NOT_INT, 0},
                      ListCase{"negativeCount", arrayOf({0, "t", -1}), COMM_STATUS_NOT_INT, 0},
                      ListCase{"entryOfOtherTypes", arrayOf({0, "t", 1, "7", 1, "3 s", "ABC", 0}), COMM_STATUS_NOT_INT,
                               0},
                      ListCase{"noText", arrayOf({0, 5, 0}), COMM_STATUS_NOT_INT, 0},
                      ListCase{"sensorStatus", arrayOf({-120}), -120, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ResultGetters, LongTextsAreCutToTheirFields) {
    const std::string age(100, 'a'), result(400, 'r'), listText(2000, 't');
    model.script().push("xmlGetLastResultsList",
                        ScriptedReply::value(arrayOf({0, listText, 1, 1, 0, age, result, 4})));
    char text[DRAVIK_RESULTS_TEXT_SIZE];
    int count = 0;
    std::vector<ResultListEntry> list;
    ASSERT_EQ(GetLastResultsList(0, text, &count, &list), COMM_OK);
    EXPECT_EQ(std::string(text), listText.substr(0, DRAVIK_RESULTS_TEXT_SIZE - 1));
    EXPECT_EQ(std::string(list[0].ageText), age.substr(0, 63));
    EXPECT_EQ(std::string(list[0].resultText), result.substr(0, 255));
    EXPECT_EQ(list[0].index, 4);
}

class Modes : public vt::test::ReadingsFixture {
protected:
    void SetUp() override {
        ReadingsFixture::SetUp();
        ASSERT_EQ(connect("k", window.window()), COMM_OK);
    }
    static void pretendLiveImage() {
        std::lock_guard lock(dravik::libraryState().mutex);
        dravik::libraryState().liveImageRunning = true;
    }
};

TEST_F(Modes, TheTriggerTestSendsNoStateTheSensorIsInAlready) {
    model.setState(6);
    ASSERT_EQ(TestTrigger(1), COMM_OK);
    EXPECT_EQ(server.countCalls("xmlSetState"), 0u);
    EXPECT_EQ(ResumePollingThread(), COMM_OK);
}

TEST_F(Modes, LeavingATestStopsPollingEvenWhenTheSensorRefuses) {
    ASSERT_EQ(TestTrigger(1), COMM_OK);
    model.script().push("xmlSetState", ScriptedReply::status(-109));
    EXPECT_EQ(TestTrigger(0), -109);
    EXPECT_EQ(ResumePollingThread(), COMM_NO_POLLING_THREAD);
}

TEST_F(Modes, AFailedStateChangeStartsNoPolling) {
    model.script().push("xmlSetState", ScriptedReply::status(-109));
    EXPECT_EQ(TestConfig(1), -109);
    EXPECT_EQ(ResumePollingThread(), COMM_NO_POLLING_THREAD);
}

TEST_F(Modes, MonitorModeStartsPollingInStateTwoAndStopsIt) {
    ASSERT_EQ(StartMonitorMode(1), COMM_OK);
    EXPECT_EQ(model.state(), 2);
    ASSERT_TRUE(readings.takeReading());
    ASSERT_TRUE(window.waitForCount(1, 20s));
    EXPECT_EQ(window.messages()[0].wParam, static_cast<uintptr_t>(SN_POLL_RESULT_3));
    EXPECT_EQ(StartMonitorMode(0), COMM_OK);
    EXPECT_EQ(model.state(), 2);  // the state is the caller's to change
    EXPECT_EQ(ResumePollingThread(), COMM_NO_POLLING_THREAD);
}

TEST_F(Modes, MonitorModeIsRefusedWhileTheLiveImageRuns) {
    pretendLiveImage();
    EXPECT_EQ(StartMonitorMode(1), COMM_LIVE_IMAGE_RUNNING);
    EXPECT_EQ(server.countCalls("xmlSetState"), 0u);
}

TEST_F(Modes, ATestWhoseLiveImageCannotBeStoppedIsRefused) {
    pretendLiveImage();
    vt::sim::MethodFaults fault;
    fault.fault = true;
    server.setFaults("xmlStopLiveImage", fault);
    EXPECT_EQ(TestConfig(1), COMM_LIVE_IMAGE_NOT_STOPPED);
    EXPECT_EQ(server.countCalls("xmlSetState"), 0u);
}

TEST(ModesOffline, WithoutAConnectionEveryExportSaysSo) {
    int count = 0;
    std::vector<ResultListEntry> list;
    EXPECT_EQ(TestTrigger(1), COMM_NOT_CONNECTED);
    EXPECT_EQ(TestConfig(1), COMM_NOT_CONNECTED);
    EXPECT_EQ(StartMonitorMode(1), COMM_NOT_CONNECTED);
    EXPECT_EQ(GetReadCode(&count), COMM_NOT_CONNECTED);
    EXPECT_EQ(GetLastResultsList(0, nullptr, &count, &list), COMM_NOT_CONNECTED);
}

}  // namespace
