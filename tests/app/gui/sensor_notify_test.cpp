// The connect road and the lost connection through the main window against
// the simulated sensor: replies and events handled on the GUI thread.
#include "sensor_notify_fixture.h"

#include "dravik/dravik.h"

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

}  // namespace
