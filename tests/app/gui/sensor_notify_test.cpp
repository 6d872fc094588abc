// The connect road and the lost connection through the main window against
// the simulated sensor: replies and events handled on the GUI thread.
#include "sensor_notify_fixture.h"

#include <QAction>
#include <QLabel>

#include "dravik/dravik.h"
#include "core/code_types.h"
#include "sim/reply_script.h"
#include "window/dialog_control.h"

namespace {

using SensorNotifyTest = vt::test::SensorNotifyFixture;

TEST_F(SensorNotifyTest, StateFourTurnsMonitorOffThenReadsTheConfigurationList) {
    Connect();
    ASSERT_TRUE(WaitHandled(CMD_GET_CONFIG_LIST));
    EXPECT_TRUE(Idle());
    EXPECT_TRUE(state().m_bConnected);
    EXPECT_EQ(state().m_nSensorState, 4);
    EXPECT_FALSE(state().m_ConfigList.empty());
    EXPECT_EQ(std::count(handled.begin(), handled.end(), CMD_MONITOR_OFF), 1);
    EXPECT_EQ(std::count(handled.begin(), handled.end(), CMD_MONITOR_ON), 0);
    EXPECT_TRUE(prompt.messages().isEmpty());
}

TEST_F(SensorNotifyTest, StateTwoGoesToTheMonitorAndPolls) {
    sensor.model.setState(2);
    Connect();
    ASSERT_TRUE(WaitHandled(CMD_RESUME_POLLING));
    EXPECT_TRUE(state().m_bTestRunning);
    EXPECT_EQ(std::count(handled.begin(), handled.end(), CMD_MONITOR_OFF), 0);
    EXPECT_TRUE(Idle());
}

TEST_F(SensorNotifyTest, MonitorReadingsAreFetchedUnlockedAndPollingGoesOn) {
    sensor.model.setState(2);
    Connect();
    ASSERT_TRUE(WaitHandled(CMD_RESUME_POLLING));
    for (int i = 1; i <= 2; ++i) {
        handled.clear();
        ASSERT_TRUE(sensor.readings.takeReading());
        ASSERT_TRUE(WaitHandled(CMD_RESUME_POLLING)) << "reading " << i;
        EXPECT_EQ(state().m_nReadCount, 1);
    }
    EXPECT_EQ(sensor.readings.counts().unlocks, 2);
    EXPECT_TRUE(prompt.messages().isEmpty());
}

TEST_F(SensorNotifyTest, AnyOtherStateShowsTheErrorAndCancelKeepsTheConnection) {
    sensor.model.setState(1);
    prompt.queueAnswer(QMessageBox::Ok);      // the error box
    prompt.queueAnswer(QMessageBox::Cancel);  // the question
    Connect();
    EXPECT_TRUE(state().m_bConnected);
    ASSERT_EQ(prompt.messages().size(), 2);
    EXPECT_TRUE(prompt.messages()[0].text.contains("a state this program cannot work with"))
        << prompt.messages()[0].text.toStdString();
    EXPECT_EQ(prompt.messages()[1].buttons, QMessageBox::Ok | QMessageBox::Cancel);
    EXPECT_EQ(prompt.messages()[1].text, "Do you want to disconnect from the sensor?");
    EXPECT_TRUE(Idle());
}

TEST_F(SensorNotifyTest, ARefusedConnectShowsItsErrorAndStaysDisconnected) {
    auto id = sensor.identity.identity();
    id.connectStatus = -107;
    sensor.identity.setIdentity(id);
    Connect();
    EXPECT_FALSE(state().m_bConnected);
    ASSERT_EQ(prompt.messages().size(), 1);
    EXPECT_TRUE(prompt.messages()[0].text.contains("in use by another program"))
        << prompt.messages()[0].text.toStdString();
    EXPECT_TRUE(Idle());
}

TEST_F(SensorNotifyTest, ALostConnectionShowsOnceOnlyWhileConnected) {
    notify->OnSensorNotify(SN_CONNECTION_LOST, 0);
    EXPECT_TRUE(prompt.messages().isEmpty());
    Connect();
    ASSERT_TRUE(Idle());
    prompt.clear();
    notify->OnSensorNotify(SN_CONNECTION_LOST, 0);
    ASSERT_EQ(prompt.messages().size(), 1);
    EXPECT_TRUE(prompt.messages()[0].text.contains("11060")) << prompt.messages()[0].text.toStdString();
}

TEST_F(SensorNotifyTest, AConnectWithoutAnAddressIsAnErrorNeverAConnectionName) {
    std::u16string address = state().m_strConnectAddress;
    state().m_strConnectAddress.clear();
    state().m_strConnectionName = u"Line 1";
    state().m_bBusy = 1;
    window->PostSensorCommand(CMD_CONNECT);
    EXPECT_EQ(state().m_nOutstandingCommands, 0);
    EXPECT_FALSE(state().m_bBusy);
    ASSERT_EQ(prompt.messages().size(), 1);
    EXPECT_TRUE(prompt.messages()[0].text.contains("valid IP address")) << prompt.messages()[0].text.toStdString();
    // The address the panel chose, read when the connect is posted.
    state().m_strConnectAddress = address;
    Connect();
    EXPECT_TRUE(state().m_bConnected);
}

// The lock session belongs to the state controller; a query that fails at
// the connect leaves nothing connected and the connect controls on.
TEST_F(SensorNotifyTest, AFailedLockQueryAtConnectDisconnectsAndTheNextConnectWorks) {
    sensor.server.setMethod("xmlrpc_GetCodeBlockingStatus", [](const XmlRpc::XmlRpcValue&) {
        XmlRpc::XmlRpcValue refused;
        refused[0] = -5;
        return refused;
    });
    Connect();
    EXPECT_FALSE(state().m_bConnected);
    EXPECT_FALSE(window->dialogControl().lockSession());
    EXPECT_TRUE(Idle());
    EXPECT_EQ(prompt.messages().size(), 1);
    EXPECT_TRUE(window->action(DialogIds::kConnect)->isEnabled());

    sensor.lock.install(sensor.server);
    sensor.lock.setLock("secret", 4);
    prompt.clear();
    state().m_bBusy = 1;
    window->PostSensorCommand(CMD_CONNECT);
    ASSERT_TRUE(WaitHandled(CMD_CONNECT, 2));
    EXPECT_TRUE(state().m_bConnected);
    EXPECT_TRUE(window->dialogControl().lockSession());
    EXPECT_TRUE(state().m_bSensorLocked);
    EXPECT_EQ(state().m_nLockedItems, 4);
}

}  // namespace

namespace {

struct LostConnectionTest : vt::test::SensorNotifyFixture {
    // Connected; then one command in flight (the sensor took it and never
    // answers) and another queued behind it.
    void CommandInFlightAndOneQueued() {
        Connect();
        ASSERT_TRUE(Idle());
        ASSERT_TRUE(state().m_bConnected);
        prompt.clear();
        vt::sim::MethodFaults silent;
        silent.silence = true;
        sensor.server.setFaults("xmlGetConfigList", silent);
        const std::size_t calls = sensor.server.countCalls("xmlGetConfigList");
        listReplies = Count(CMD_GET_CONFIG_LIST);
        Post(CMD_GET_CONFIG_LIST);
        window->PostSensorCommand(CMD_GET_STATE);
        ASSERT_TRUE(sensor.server.waitForCalls("xmlGetConfigList", calls + 1, std::chrono::seconds(60)));
        ASSERT_EQ(state().m_nOutstandingCommands, 2);
    }

    // One message holding `text`; the window disconnected and free, nothing
    // outstanding; a second notice of the same loss says nothing more.
    void ExpectLossShownOnce(const QString& text) {
        ASSERT_TRUE(Idle()) << state().m_nOutstandingCommands << " outstanding, busy " << int(state().m_bBusy);
        ASSERT_EQ(prompt.messages().size(), 1) << Texts().join('|').toStdString();
        EXPECT_TRUE(prompt.messages()[0].text.contains(text)) << prompt.messages()[0].text.toStdString();
        EXPECT_FALSE(state().m_bConnected);
        EXPECT_FALSE(state().m_bTestRunning);
        notify->OnSensorNotify(SN_CONNECTION_LOST, 0);
        EXPECT_EQ(prompt.messages().size(), 1);
    }

    int listReplies = 0;
};

// The loss notice comes while commands are outstanding: -10080 once, the
// window disconnected, and the commands' late replies change nothing (the
// queued one is answered unrun, so nothing stays counted).
TEST_F(LostConnectionTest, ASensorLostWhileACommandRunsShowsTenThousandEighty) {
    ASSERT_NO_FATAL_FAILURE(CommandInFlightAndOneQueued());
    notify->OnSensorNotify(SN_CONNECTION_LOST, 0);
    sensor.Stop();
    ExpectLossShownOnce(QStringLiteral("10080"));
}

// The command's own failure is heard before the loss notice: the lost
// connection once, from that failure; the notice then says nothing.
TEST_F(LostConnectionTest, ACommandFailingBeforeTheLossNoticeShowsTheLossOnce) {
    ASSERT_NO_FATAL_FAILURE(CommandInFlightAndOneQueued());
    sensor.Stop();
    ASSERT_TRUE(WaitHandled(CMD_GET_CONFIG_LIST, listReplies + 1));
    notify->OnSensorNotify(SN_CONNECTION_LOST, 0);
    ExpectLossShownOnce(window->text(6005));
}

TEST_F(LostConnectionTest, ASensorKilledWhileIdleInTheMonitorShowsElevenThousandSixtyOnce) {
    ConnectInMonitor();
    ASSERT_TRUE(Idle());
    sensor.Stop();
    ASSERT_TRUE(WaitHandled(SN_CONNECTION_LOST));
    ASSERT_TRUE(Idle());
    ASSERT_EQ(prompt.messages().size(), 1);
    EXPECT_TRUE(prompt.messages()[0].text.contains("11060")) << prompt.messages()[0].text.toStdString();
    EXPECT_FALSE(state().m_bConnected);
}

}  // namespace

namespace {

using ReplyTailTest = vt::test::SensorNotifyFixture;

TEST_F(ReplyTailTest, SuccessCodesAndEventNumbersShowNothingAndAnErrorShowsOnce) {
    Connect();
    ASSERT_TRUE(Idle());
    prompt.clear();
    notify->OnSensorNotify(SN_LIVE_IMAGE_FRAME, 4711);  // an image number
    notify->OnSensorNotify(CMD_GET_STATE, -4202);
    notify->OnSensorNotify(0, -3);
    EXPECT_TRUE(prompt.messages().isEmpty());
    notify->OnSensorNotify(CMD_SET_STATE, -12);
    ASSERT_EQ(prompt.messages().size(), 1);
    EXPECT_FALSE(state().m_bBusy);
}

TEST_F(ReplyTailTest, MonitorRepliesAskTheTestFlagAgain) {
    Connect();
    ASSERT_TRUE(Idle());
    handled.clear();
    state().m_bTestRunning = 0;
    notify->OnSensorNotify(CMD_MONITOR_ON, 0);  // the monitor was left meanwhile
    state().m_bTestRunning = 1;
    notify->OnSensorNotify(CMD_MONITOR_OFF, 0);  // the monitor was entered meanwhile
    ASSERT_TRUE(Idle());
    EXPECT_EQ(Count(CMD_RESUME_POLLING), 0);
    EXPECT_EQ(Count(CMD_GET_CONFIG_LIST), 0);
    EXPECT_EQ(Count(CMD_GET_RESULTS_LIST), 0);
}

TEST_F(ReplyTailTest, StatisticsWithoutALockedResultAreSilentInTheMonitor) {
    ConnectInMonitor();
    sensor.model.script().push("xmlGetSensorStatistics", vt::sim::ScriptedReply::status(-7003));
    ASSERT_TRUE(MonitorReading());
    EXPECT_TRUE(prompt.messages().isEmpty());
    ASSERT_TRUE(MonitorReading());
    EXPECT_TRUE(prompt.messages().isEmpty());
    EXPECT_EQ(window->statusPane(7)->text(), QStringLiteral("%1 2").arg(window->text(1014)));
}

}  // namespace

namespace {

using ReplyRowsTest = vt::test::SensorNotifyFixture;

TEST_F(ReplyRowsTest, ResetStatisticsInTheMonitorStartsAfresh) {
    ConnectInMonitor();
    ASSERT_TRUE(MonitorReading());
    ASSERT_GT(state().m_nTotalReadings, 0);
    const int defaults = picture->defaults;
    notify->OnSensorNotify(CMD_RESET_STATISTICS, 0);
    EXPECT_EQ(state().m_nTotalReadings, 0);
    EXPECT_EQ(state().m_nReadCount, 0);
    EXPECT_TRUE(state().m_bTestRunning);
    EXPECT_EQ(picture->defaults, defaults + 1);
}

// The worker fetches the picture the detection looked at; the reply shows it.
TEST_F(ReplyRowsTest, AutoDetectionTakesTheCodeTypeAndShowsThePicture) {
    Connect();
    ASSERT_TRUE(Idle());
    const int pictures = picture->pictures;
    state().m_nRecognition = 1;
    state().m_nCodesPerImage = 1;
    Post(CMD_AUTO_DETECT_CODE);
    ASSERT_TRUE(WaitHandled(CMD_AUTO_DETECT_CODE));
    EXPECT_TRUE(state().m_bAutoDetected);
    EXPECT_EQ(state().m_nCodeType, state().m_nDetectedCodeType);
    EXPECT_GT(state().m_nCodeType, 0);
    EXPECT_EQ(picture->pictures, pictures + 1);
    EXPECT_EQ(sensor.server.countCalls("xmlGetCurrentImage"), 1u);
}

// A quality output once sent is no longer a change to send: each quality
// set's reply clears the mark, as the edit's reply does for a new edit.
TEST_F(ReplyRowsTest, TheQualitySetsAndTheEditClearTheQualityOutputMark) {
    ASSERT_NO_FATAL_FAILURE(OpenInEditor(0, 15, [](XmlRpc::XmlRpcValue& config) { config[32] = CODE_TYPE_ECC200; }));
    Post(CMD_GET_ECC200_QR_QUALITY);
    ASSERT_TRUE(WaitHandled(CMD_GET_ECC200_QR_QUALITY));
    ASSERT_TRUE(Idle());
    state().m_bQualityOutputChanged = 1;
    Post(CMD_SET_ECC200_QR_QUALITY);
    ASSERT_TRUE(WaitHandled(CMD_SET_ECC200_QR_QUALITY));
    ASSERT_EQ(statuses.back(), 0);
    EXPECT_FALSE(state().m_bQualityOutputChanged);

    state().m_bQualityOutputChanged = 1;
    const int edits = Count(CMD_EDIT_CONFIG);
    Post(CMD_EDIT_CONFIG);
    ASSERT_TRUE(WaitHandled(CMD_EDIT_CONFIG, edits + 1));
    EXPECT_FALSE(state().m_bQualityOutputChanged);
}

}  // namespace
