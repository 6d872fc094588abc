// The road of one reading in a test, end to end: test mode, a simulated
// reading, its event, the count and the picture, the result lists read
// into the program's records, unlock, resume and the next event; many
// readings in a row; and the lock undone on every path.
#include <chrono>
#include <memory>
#include <string>

#include "dravik/results.h"
#include "dravik/sensor_commands.h"
#include "readings_fixture.h"
#include "result_lock.h"
#include "result_polling.h"
#include "records/ecc200_quality_params.h"
#include "records/ecc200_results.h"
#include "records/result_records.h"
#include "records/results.h"
#include "sim/reply_script.h"

using namespace std::chrono_literals;
using vt::sim::ScriptedReply;
using XmlRpc::XmlRpcValue;

namespace {

using Bitmap = vt::test::OwnedBitmap;

class ReadingRoad : public vt::test::ReadingsFixture {
protected:
    void SetUp() override {
        ReadingsFixture::SetUp();
        ASSERT_EQ(connect("k", window.window()), COMM_OK);
    }
    std::size_t events(unsigned wParam) const {
        std::size_t n = 0;
        for (const auto& m : window.messages()) n += m.wParam == wParam ? 1 : 0;
        return n;
    }
    bool polling() {
        std::lock_guard lock(dravik::libraryState().mutex);
        return dravik::libraryState().polling != nullptr;
    }
};

TEST_F(ReadingRoad, ATestReadingReachesTheProgramsRecordsAndPollingGoesOn) {
    ASSERT_EQ(TestConfig(1), COMM_OK);
    EXPECT_EQ(model.state(), 7);
    readings.setNextText("VT-ROAD-0001");
    ASSERT_EQ(SimulateTrigger(), COMM_OK);
    ASSERT_TRUE(window.waitForCount(1, 20s));
    const vt::sim::SimReading reading = *readings.latest();

    int count = -1;
    SensorBitmap* picture = nullptr;
    ParameterList unused;
    ASSERT_EQ(GetNumberOfResults(-1, 0, 1, &count, &picture, &unused), COMM_OK);
    Bitmap own(picture);
    EXPECT_EQ(count, 1);
    ASSERT_NE(picture, nullptr);
    EXPECT_TRUE(std::equal(reading.code.pixels.begin(), reading.code.pixels.end(), picture->pixels));

    ParameterList items;
    std::vector<uint8_t> bytes;
    ASSERT_EQ(GetTestConfigResult(0, &items, &bytes), COMM_OK);
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "VT-ROAD-0001");
    ReadResultRecord general;
    ASSERT_EQ(CResults::GetInstance()->Extract(items, general), 0);
    EXPECT_EQ(general.ints0[0], reading.number);
    EXPECT_EQ(general.ints0[2], 1);  // Data Matrix ECC 200
    EXPECT_EQ(general.text8, "VT-ROAD-0001");
    EXPECT_EQ(general.ints5[1], 1);  // codes found
    // The search window: the configuration's window of interest (here none
    // that lies in the picture, so the whole picture).
    EXPECT_EQ(general.ints11[0], reading.windowLeft);
    EXPECT_EQ(general.ints11[3], reading.windowBottom);
    EXPECT_EQ(general.ints11[8], reading.code.corners[2][0]);
    EXPECT_EQ(general.texts29[9], "T38");

    ParameterList code;
    ASSERT_EQ(GetECC200Result(0, &code), COMM_OK);
    Ecc200ResultRecord ecc200;
    ASSERT_EQ(CECC200Results::GetInstance()->Extract(code, ecc200), 0);
    EXPECT_EQ(ecc200.texts0[2], "VT-ROAD-0001");
    EXPECT_EQ(ecc200.ints3[0], reading.code.rows);
    EXPECT_EQ(ecc200.ints3[1], reading.code.columns);
    EXPECT_DOUBLE_EQ(ecc200.doubles5[0], reading.code.moduleSize);

    ParameterList quality;
    ASSERT_EQ(GetECC200QualityResult(0, &quality), COMM_OK);
    for (int k = 0; k < 9; ++k) {
        QualityPair pair;
        ASSERT_EQ(CECC200QualityParams::GetInstance()->ReadPair(quality, 4 * k + 1, pair), 0);
        EXPECT_EQ(pair.appendIt, 1);
        EXPECT_EQ(pair.grade, vt::sim::SimulatedGrade(k)) << "parameter " << k;
    }

    ASSERT_EQ(SetUnlockResult(), COMM_OK);
    ASSERT_EQ(ResumePollingThread(), COMM_OK);
    EXPECT_EQ(events(SN_POLL_RESULT_2), 1u);
    ASSERT_TRUE(readings.takeReading());
    ASSERT_TRUE(window.waitForCount(2, 20s));
    EXPECT_EQ(events(SN_POLL_RESULT_2), 2u);
    EXPECT_EQ(window.count(), 2u);

    ASSERT_EQ(TestConfig(0), COMM_OK);
    EXPECT_EQ(model.state(), 4);  // "leave the test": configuration again
    EXPECT_FALSE(polling());
    EXPECT_EQ(counts().locks, counts().unlocks);
}

TEST_F(ReadingRoad, FiftyReadingsInARowNeverStall) {
    ASSERT_EQ(TestConfig(1), COMM_OK);
    for (std::size_t n = 1; n <= 50; ++n) {
        ASSERT_TRUE(readings.takeReading());
        ASSERT_TRUE(window.waitForCount(n, 20s)) << "no event for reading " << n;
        int count = 0;
        SensorBitmap* picture = nullptr;
        ASSERT_EQ(GetNumberOfResults(-1, 0, 1, &count, &picture, nullptr), COMM_OK);
        DeleteSensorBitmap(picture);
        ParameterList items;
        std::vector<uint8_t> bytes;
        ASSERT_EQ(GetTestConfigResult(0, &items, &bytes), COMM_OK);
        EXPECT_EQ(std::string(bytes.begin(), bytes.end()), readings.latest()->text);
        ASSERT_EQ(SetUnlockResult(), COMM_OK);
        ASSERT_EQ(ResumePollingThread(), COMM_OK);
    }
    EXPECT_EQ(events(SN_POLL_RESULT_2), 50u);
    EXPECT_EQ(counts().locks, 50);
    EXPECT_EQ(counts().unlocks, 50);
}

TEST_F(ReadingRoad, TheTriggerTestHandsOverThePictureUnlocksAndPollsOn) {
    ASSERT_EQ(TestTrigger(1), COMM_OK);
    EXPECT_EQ(model.state(), 6);
    ASSERT_TRUE(readings.takeReading());
    ASSERT_TRUE(window.waitForCount(1, 20s));
    EXPECT_EQ(events(SN_POLL_RESULT_1), 1u);
    SensorBitmap* picture = nullptr;
    ASSERT_EQ(GetTestTriggerResults(&picture), COMM_OK);
    Bitmap own(picture);
    const std::vector<uint8_t> expected = readings.latest()->code.pixels;
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), picture->pixels));
    EXPECT_EQ(counts().locks, counts().unlocks);
    ASSERT_TRUE(readings.takeReading());  // resumed by the getter itself
    ASSERT_TRUE(window.waitForCount(2, 20s));
}

// Image fetches that fail after the lock: the result is released all the same.
struct FailedFetch {
    const char* name;
    ScriptedReply reply;
    int status;
};

class LockedThenFailed : public ReadingRoad, public ::testing::WithParamInterface<FailedFetch> {};

TEST_P(LockedThenFailed, TheTriggerTestGetterUnlocks) {
    model.setState(6);
    ASSERT_TRUE(readings.takeReading());
    model.script().push("xmlGetDecodedImage", GetParam().reply);
    SensorBitmap* previous = reinterpret_cast<SensorBitmap*>(0x1);  // never touched
    SensorBitmap* out = previous;
    EXPECT_EQ(GetTestTriggerResults(&out), GetParam().status);
    EXPECT_EQ(out, previous);
    EXPECT_EQ(counts().locks, 1);
    EXPECT_EQ(counts().unlocks, 1);
}

TEST_P(LockedThenFailed, TheResultWithImageUnlocks) {
    model.setState(7);
    ASSERT_TRUE(readings.takeReading());
    model.script().push("xmlGetDecodedImage", GetParam().reply);
    int count = -1;
    SensorBitmap* out = nullptr;
    const int expected = dravik::isNoLockedResult(GetParam().status) ? COMM_OK : GetParam().status;
    EXPECT_EQ(GetNumberOfResults(-1, 0, 1, &count, &out, nullptr), expected);
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(counts().locks, 1);
    EXPECT_EQ(counts().unlocks, 1);
    EXPECT_FALSE(dravik::resultLocked());
}

INSTANTIATE_TEST_SUITE_P(
    Fetches, LockedThenFailed,
    ::testing::Values(FailedFetch{"shortPicture",
                                  ScriptedReply::value([] {
                                      XmlRpcValue r;
                                      r[0] = 0;
                                      r[1] = XmlRpcValue::BinaryData(10, 1);
                                      return r;
                                  }()),
                                  COMM_FAILED},
                      FailedFetch{"noResult", ScriptedReply::status(-7050), -7050},
                      FailedFetch{"sensorError", ScriptedReply::status(-120), -120},
                      FailedFetch{"statusNotInt", ScriptedReply::wrongType(), COMM_STATUS_NOT_INT}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ReadingRoad, ALockWithoutACountIsReleasedAgain) {
    model.setState(7);
    ASSERT_TRUE(readings.takeReading());
    XmlRpcValue statusOnly;
    statusOnly[0] = 0;
    model.script().push("xmlLockResult", ScriptedReply::value(statusOnly));
    readings.lock(-1, 0);  // the sensor holds it, as it would have for the scripted reply
    int count = -1;
    EXPECT_EQ(GetNumberOfResults(-1, 0, 0, &count, nullptr, nullptr), COMM_STATUS_NOT_INT);
    EXPECT_EQ(count, -1);
    EXPECT_EQ(counts().locks, counts().unlocks);
}

TEST_F(ReadingRoad, NoResultOnTheLockResumesPollingAndIsNotAFailure) {
    model.setState(7);
    ASSERT_EQ(dravik::StartPollingThread(dravik::libraryState(), dravik::leaseConnection()), COMM_OK);
    ASSERT_TRUE(readings.takeReading());
    ASSERT_TRUE(window.waitForCount(1, 20s));
    model.script().push("xmlLockResult", ScriptedReply::status(-7001));
    int count = -1;
    EXPECT_EQ(GetNumberOfResults(-1, 0, 1, &count, nullptr, nullptr), COMM_INVALID_ARGUMENT);
    SensorBitmap* out = nullptr;
    EXPECT_EQ(GetNumberOfResults(-1, 0, 1, &count, &out, nullptr), COMM_OK);
    EXPECT_EQ(count, -1);
    EXPECT_EQ(out, nullptr);
    ASSERT_TRUE(readings.takeReading());  // polling was resumed
    ASSERT_TRUE(window.waitForCount(2, 20s));
}

// A failed reading still offers its one record: verdicts 0 and no code
// text; the label names the configuration read with; finding fewer codes
// than the configuration expects fails the reading.
TEST_F(ReadingRoad, AFailedReadingHasOneRecordWithoutText) {
    ASSERT_EQ(model.createConfig({2, "Line B", 0}), vt::sim::kSimOk);
    ASSERT_EQ(model.closeAndSave(), vt::sim::kSimOk);
    ASSERT_EQ(model.activateConfig({2, "Line B", 0}), vt::sim::kSimOk);
    model.setState(2);
    struct Case {
        bool good;
        int expected;
        int verdict, codeVerdict, found;
        bool text;
    };
    for (const Case c : {Case{true, 1, 1, 1, 1, true}, Case{false, 1, 0, 0, 0, false}, Case{true, 2, 0, 1, 1, true}}) {
        model.access([&](vt::sim::SensorData& d) { d.nextReadingGood = c.good; });
        readings.setExpectedCodes(c.expected);
        ASSERT_TRUE(readings.takeReading());
        int count = -1;
        ASSERT_EQ(GetNumberOfResults(-1, 0, 0, &count, nullptr, nullptr), COMM_OK);
        EXPECT_EQ(count, 1);
        ParameterList items;
        std::vector<uint8_t> bytes;
        ASSERT_EQ(GetTestConfigResult(0, &items, &bytes), COMM_OK);
        ReadResultRecord r;
        ASSERT_EQ(CResults::GetInstance()->Extract(items, r), 0);
        SCOPED_TRACE(testing::Message() << "good " << c.good << ", expected " << c.expected);
        EXPECT_EQ(r.ints0[1], c.verdict);
        EXPECT_EQ(r.ints11[12], c.codeVerdict);
        EXPECT_EQ(r.ints5[1], c.found);
        EXPECT_EQ(r.ints5[2], c.expected);
        EXPECT_EQ(!r.text8.empty(), c.text);
        EXPECT_EQ(bytes.empty(), !c.text);
        EXPECT_EQ(r.text4, "3)Line B");
        ASSERT_EQ(SetUnlockResult(), COMM_OK);
    }
}

}  // namespace
