// Readings in the monitor through the main window against the simulated
// sensor: each reaches the result tables, the picture and the statistics,
// and the result is released and polling resumed whatever happened.
#include "sensor_notify_fixture.h"

#include <cstring>

#include <QLabel>
// The test touches quality records, whose member shares Qt's keyword.
#undef slots

#include "core/code_types.h"
#include "records/quality_slots.h"
#include "sim/reply_script.h"


namespace {

using ReadingResultsTest = vt::test::SensorNotifyFixture;
using vt::sim::ScriptedReply;

bool SamePixels(const QImage& shown, const std::vector<uint8_t>& pixels) {
    if (shown.format() != QImage::Format_Grayscale8 || pixels.size() != std::size_t(shown.width()) * shown.height())
        return false;
    for (int y = 0; y < shown.height(); ++y)
        if (std::memcmp(shown.constScanLine(y), pixels.data() + std::size_t(y) * shown.width(), shown.width()) != 0)
            return false;
    return true;
}

TEST_F(ReadingResultsTest, FiftyMonitorReadingsReachTheTablesPictureAndStatistics) {
    ConnectInMonitor();
    sensor.readings.setCodeType(CODE_TYPE_ECC200);
    for (int i = 1; i <= 50; ++i) {
        ASSERT_TRUE(MonitorReading()) << "reading " << i;
        const auto taken = sensor.readings.latest();
        ASSERT_TRUE(taken);
        const MainDialogState& s = state();
        EXPECT_EQ(s.m_nReadCount, 1);
        EXPECT_EQ(s.m_ResultTexts[0], taken->text);
        EXPECT_EQ(s.m_ReadResults[0].ints0[0], taken->number);
        EXPECT_EQ(s.m_ResultCodeTypes[0], taken->codeType);
        ASSERT_TRUE(std::holds_alternative<Ecc200ResultRecord>(s.m_CodeResults[0]));
        EXPECT_EQ(std::get<Ecc200ResultRecord>(s.m_CodeResults[0]).texts0[2], taken->text);
        EXPECT_EQ(picture->pictures, i);
        EXPECT_TRUE(SamePixels(picture->last, taken->code.pixels)) << "reading " << i;
        const auto counted = sensor.model.snapshot();
        EXPECT_EQ(s.m_nTotalReadings, counted.totalReadings);
        EXPECT_EQ(s.m_nFailedReadings, counted.totalReadings - counted.goodReadings);
    }
    // The simulator grades its k-th parameter, which stands at 4 k + 1.
    for (const QualitySlot& q : kEcc200Quality.slots)
        EXPECT_EQ(state().m_CodeQuality[0].slots[std::size_t(q.slot)].grade,
                  vt::sim::SimulatedGrade((q.appendItPos - 1) / 4))
            << q.slot;
    EXPECT_EQ(sensor.readings.counts().unlocks, 50);
    EXPECT_EQ(texts->cleared, 50);
    EXPECT_EQ(window->statusPane(7)->text(), QStringLiteral("%1 50").arg(window->text(1014)));
    EXPECT_TRUE(prompt.messages().isEmpty());
    EXPECT_TRUE(state().m_bTestRunning);
}

TEST_F(ReadingResultsTest, AReadingWithMoreCodesThanTheTablesReadsTheFirstHundred) {
    ConnectInMonitor();
    sensor.readings.setCodesPerReading(150);
    ASSERT_TRUE(MonitorReading());
    const auto taken = sensor.readings.latest();
    EXPECT_EQ(state().m_nReadCount, 150);
    EXPECT_EQ(state().m_ResultTexts[99], taken->codeText(99));
    EXPECT_EQ(state().m_ResultTexts[1], taken->codeText(1));
    EXPECT_EQ(sensor.readings.counts().codeResults, 100);
    EXPECT_EQ(sensor.readings.counts().codeQualities, 100);
    EXPECT_TRUE(prompt.messages().isEmpty());
    EXPECT_EQ(sensor.readings.counts().unlocks, 1);
}

TEST_F(ReadingResultsTest, DetailAndQualityOnlyForCodesWithAReadableText) {
    ConnectInMonitor();
    struct Case {
        int codeType;
        const char* text;
        bool extended;
        int details;
        int qualities;
    };
    const Case cases[] = {
        {CODE_TYPE_ECC200, " ", false, 0, 0},  {CODE_TYPE_ECC200, "AB", false, 1, 1},
        {CODE_TYPE_QR, " ", true, 0, 0},       {CODE_TYPE_QR, "AB", false, 1, 1},
        {CODE_TYPE_PDF417, "AB", false, 1, 1}, {CODE_TYPE_CODE128, "AB", false, 0, 0},
        {CODE_TYPE_CODE128, " ", true, 0, 1},  {CODE_TYPE_AZTEC, "AB", true, 1, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "code type " << c.codeType << " text '" << c.text << "'");
        state().m_bExtendedConfig = c.extended;
        sensor.readings.setCodeType(c.codeType);
        sensor.readings.setNextText(c.text);
        const auto before = sensor.readings.counts();
        ASSERT_TRUE(MonitorReading());
        ASSERT_EQ(sensor.readings.latest()->text, c.text) << "the simulator could not paint it";
        EXPECT_EQ(state().m_ResultTexts[0], c.text);
        EXPECT_EQ(sensor.readings.counts().codeResults - before.codeResults, c.details);
        EXPECT_EQ(sensor.readings.counts().codeQualities - before.codeQualities, c.qualities);
    }
    EXPECT_TRUE(prompt.messages().isEmpty());
}

TEST_F(ReadingResultsTest, TheResultTextShowsControlCharactersEscaped) {
    ConnectInMonitor();
    sensor.readings.setNextText("A\tB\r\n~");
    ASSERT_TRUE(MonitorReading());
    EXPECT_EQ(state().m_ResultTexts[0], R"(A\x09B\x0D\x0A\x7E)");
    // The detail was asked for: the text is readable.
    EXPECT_EQ(sensor.readings.counts().codeResults, 1);
}

TEST_F(ReadingResultsTest, AMissingMonitorConfigurationIsSilentAndPollingGoesOn) {
    ConnectInMonitor(false);
    ASSERT_TRUE(MonitorReading());
    EXPECT_TRUE(prompt.messages().isEmpty());
    EXPECT_EQ(sensor.readings.counts().unlocks, 1);
    EXPECT_EQ(sensor.readings.counts().codeResults, 0);
    EXPECT_TRUE(state().m_ResultTexts[0].empty());
    EXPECT_TRUE(Idle());
}

TEST_F(ReadingResultsTest, EachMonitorReadingReadsTheActiveConfigurationAgain) {
    ConnectInMonitor();
    for (int i = 0; i < 2; ++i) {
        state().m_ConfigData.clear();
        state().m_nConfigId = 0;
        ASSERT_TRUE(MonitorReading());
        EXPECT_EQ(state().m_nConfigId, 2);
        EXPECT_FALSE(state().m_ConfigData.empty());
        EXPECT_EQ(state().m_Configuration.codeDefinition.CodeType, sensor.readings.latest()->codeType);
    }
    EXPECT_TRUE(prompt.messages().isEmpty());
}

// A sensor error leads to the disconnect notice: the error once, the
// connection ended, nothing left hanging.
TEST_F(ReadingResultsTest, TheFunctionTestKeepsEachReadingsPictureAndReportsAFailedKeepOnce) {
    ConnectInMonitor();
    state().m_nSensorState = 7;
    ASSERT_TRUE(MonitorReading());
    EXPECT_EQ(texts->stores, 1);
    EXPECT_TRUE(prompt.messages().isEmpty());
    texts->storeResult = -14141;
    ASSERT_TRUE(MonitorReading());
    EXPECT_EQ(texts->stores, 2);
    EXPECT_EQ(prompt.messages().size(), 1);
    // Outside the function test nothing is kept.
    state().m_nSensorState = 2;
    ASSERT_TRUE(MonitorReading());
    EXPECT_EQ(texts->stores, 2);
}

TEST_F(ReadingResultsTest, AFailedResultFetchShowsItsErrorOnceAndEndsTheConnection) {
    ConnectInMonitor();
    sensor.model.script().push("xmlGetCodeResult", ScriptedReply::status(-13));
    ASSERT_TRUE(sensor.readings.takeReading());
    ASSERT_TRUE(WaitHandled(CMD_DISCONNECT));
    ASSERT_EQ(prompt.messages().size(), 1);
    EXPECT_TRUE(prompt.messages()[0].text.contains("13")) << prompt.messages()[0].text.toStdString();
    EXPECT_TRUE(Idle());
    EXPECT_FALSE(state().m_bConnected);
    EXPECT_FALSE(state().m_bTestRunning);
}

}  // namespace

namespace {

using LiveFramesTest = vt::test::SensorNotifyFixture;

// Frame events fetch the newest frame on the GUI thread for the image view.
TEST_F(LiveFramesTest, LiveFrameEventsReachTheImageView) {
    state().m_nLiveImagePort = sensor.liveImage.port();
    Connect();
    ASSERT_TRUE(Idle());
    window->PostSensorCommand(CMD_START_LIVE_IMAGE);
    ASSERT_TRUE(WaitHandled(CMD_START_LIVE_IMAGE));
    EXPECT_TRUE(state().m_bLiveImage);
    ASSERT_TRUE(QTest::qWaitFor([&] { return picture->liveFrames.size() >= 3; }, 10000));
    window->PostSensorCommand(CMD_STOP_LIVE_IMAGE);
    ASSERT_TRUE(WaitHandled(CMD_STOP_LIVE_IMAGE));
    EXPECT_FALSE(state().m_bLiveImage);
    EXPECT_TRUE(prompt.messages().isEmpty());
}

}  // namespace
