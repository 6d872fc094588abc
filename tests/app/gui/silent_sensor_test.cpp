// A sensor that goes silent, through the program's whole window: whatever
// call the sensor holds, the window keeps answering the operator.
#include "window_roads_fixture.h"

#include <QApplication>
#include <QDialog>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>

#include "core/error_codes.h"
#include "dravik/comm_status.h"
#include "dravik/sensor_commands.h"
#include "library_state.h"
#include "program/lock_update_features.h"

#include "window/menu_table.h"

namespace {

using namespace DialogIds;
using namespace std::chrono_literals;

struct SilentSensorTest : vt::test::WindowRoadsFixture {
  // The sensor reads nothing back on `method`: it takes the call and never answers.
  void Silence(const char* method) {
    vt::sim::MethodFaults silent;
    silent.silence = true;
    sensor.server.setFaults(method, silent);
  }
  bool WaitForCall(const char* method, std::size_t calls = 1) {
    return QTest::qWaitFor([&] { return sensor.server.countCalls(method) >= calls; }, 20000);
  }
  // A click on the menu bar's first title: the menu that opens (null: none).
  QMenu* OpenFileMenu() {
    QMenuBar* bar = window->menuBar();
    QAction* file = bar->actions().value(0);
    if (!file) return nullptr;
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(file).center());
    auto* open = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    return open && open == file->menu() ? open : nullptr;
  }
  bool FileMenuOpens() {
    QMenu* open = OpenFileMenu();
    if (open) QTest::keyClick(open, Qt::Key_Escape);
    return open != nullptr;
  }
  // File, then the entry of `command`, clicked where they are.
  void ChooseFromFileMenu(int command) {
    QMenu* open = OpenFileMenu();
    ASSERT_NE(open, nullptr);
    QAction* entry = window->action(command);
    ASSERT_TRUE(open->actions().contains(entry));
    QTest::mouseClick(open, Qt::LeftButton, {}, open->actionGeometry(entry).center());
  }
  // Connected as the operator connects, to the configuration overview.
  void ConnectToOverview() {
    ConnectByTyping();
    const int lists = Count(CMD_GET_CONFIG_LIST);
    ASSERT_TRUE(WaitHandled(CMD_GET_CONFIG_LIST, lists + 1)) << prompt.messages().value(0).text.toStdString();
    ASSERT_TRUE(Idle());
    EXPECT_TRUE(state().m_bConnected);
  }
};

// Exit while the sensor holds the connect (it took the connection and stays
// silent on the state): the window closes, leaving gives the session up
// instead of waiting for the sensor, and the next start connects.
TEST_F(SilentSensorTest, ExitWhileTheSensorHoldsTheConnectLeavesAtOnce) {
  qputenv("VT_CONNECT_LIMIT_MS", "3600000");  // the connect's own limit must not end the wait
  Silence("xmlGetState");
  ConnectByTyping();
  ASSERT_TRUE(WaitForCall("xmlGetState"));
  ChooseFromFileMenu(MenuIds::kExit);
  ASSERT_EQ(prompt.messages().size(), 1);  // "Do you want to close Varnis Tarvel?"
  EXPECT_FALSE(window->isVisible());
  notify.reset();  // the program's end
  window.reset();
  EXPECT_EQ(sensor.server.countCalls("xmlDisconnect"), 0u);  // given up, not said
  qunsetenv("VT_CONNECT_LIMIT_MS");

  sensor.server.clearFaults("xmlGetState");
  ASSERT_NO_FATAL_FAILURE(StartWindow());
  ASSERT_NO_FATAL_FAILURE(ConnectToOverview());
  EXPECT_TRUE(prompt.messages().isEmpty());
}

// A sensor that drips its reply to the connect: the connect ends at its
// limit (shortened here) with the message, and the window can connect again.
TEST_F(SilentSensorTest, AConnectTheSensorDripsEndsAtItsLimitWithAMessage) {
  qputenv("VT_CONNECT_LIMIT_MS", "1000");
  sensor.server.setFaults("xmlConnect", vt::sim::MethodFaults{.dripBytes = 1, .dripInterval = 200ms});
  ConnectByTyping();
  ASSERT_TRUE(WaitHandled(CMD_CONNECT));
  ASSERT_TRUE(Idle());
  qunsetenv("VT_CONNECT_LIMIT_MS");
  ASSERT_EQ(prompt.messages().size(), 1);
  EXPECT_TRUE(prompt.messages()[0].text.contains(window->text(46504))) << prompt.messages()[0].text.toStdString();
  EXPECT_FALSE(state().m_bConnected);
  EXPECT_TRUE(window->action(kConnect)->isEnabled());
  ExpectTableState();

  sensor.server.clearFaults("xmlConnect");
  prompt.clear();
  ASSERT_NO_FATAL_FAILURE(ConnectToOverview());
}

// Each call of the connect answers well within its own limit, but together
// they take longer than the connect's limit (shortened here): the connect
// ends there with its message, leaves no session, and the next one works.
TEST_F(SilentSensorTest, TheConnectsCallsTogetherEndAtTheConnectsLimit) {
  qputenv("VT_CONNECT_LIMIT_MS", "1000");
  const char* const road[] = {"help", "xmlConnect", "xmlGetState", "xmlGetSensorGlobals"};
  for (const char* method : road) sensor.server.setFaults(method, vt::sim::MethodFaults{.delay = 400ms});
  ConnectByTyping();
  ASSERT_TRUE(WaitHandled(CMD_CONNECT));
  ASSERT_TRUE(Idle());
  qunsetenv("VT_CONNECT_LIMIT_MS");
  ASSERT_EQ(prompt.messages().size(), 1);
  // The call the limit cut says why: no reply (11), or no connect (-38) on a slow machine.
  const QString said = prompt.messages()[0].text;
  EXPECT_TRUE(said == window->text(ErrorCodes::kConnectionLostText) || said.contains(window->text(46504)))
      << said.toStdString();
  EXPECT_FALSE(state().m_bConnected);
  EXPECT_TRUE(window->action(kConnect)->isEnabled());
  int unused = 0;
  EXPECT_EQ(GetState(&unused), COMM_NOT_CONNECTED) << "the library's session ended";
  ExpectTableState();

  for (const char* method : road) sensor.server.clearFaults(method);
  prompt.clear();
  ASSERT_NO_FATAL_FAILURE(ConnectToOverview());
}

// The connect runs out of its limit after the sensor answered "xmlConnect":
// the sensor is still told "xmlDisconnect" (its session ends there, not by
// its own timeout), and the next connect works.
TEST_F(SilentSensorTest, AConnectThatRanOutOfTimeStillTellsTheSensorItEnds) {
  qputenv("VT_CONNECT_LIMIT_MS", "1000");
  Silence("xmlGetState");
  ConnectByTyping();
  ASSERT_TRUE(WaitHandled(CMD_CONNECT));
  ASSERT_TRUE(Idle());
  qunsetenv("VT_CONNECT_LIMIT_MS");
  EXPECT_EQ(sensor.server.countCalls("xmlConnect"), 1u);
  EXPECT_EQ(sensor.server.countCalls("xmlDisconnect"), 1u);
  ASSERT_EQ(prompt.messages().size(), 1);
  EXPECT_FALSE(state().m_bConnected);
  EXPECT_TRUE(window->action(kConnect)->isEnabled());

  sensor.server.clearFaults("xmlGetState");
  prompt.clear();
  ASSERT_NO_FATAL_FAILURE(ConnectToOverview());
}

// The lock session fails at the connect and the sensor then holds the
// disconnect a while: meanwhile the window shows it is busy and answers;
// afterwards it is free and unconnected, and the next connect works.
TEST_F(SilentSensorTest, TheDisconnectAfterAFailedLockSessionLeavesTheWindowAnswering) {
  sensor.server.setMethod("xmlrpc_GetCodeBlockingStatus", [](const XmlRpc::XmlRpcValue&) {
    XmlRpc::XmlRpcValue refused;
    refused[0] = -5;
    return refused;
  });
  sensor.server.setFaults("xmlDisconnect", vt::sim::MethodFaults{.delay = 5s});
  ConnectByTyping();
  ASSERT_TRUE(WaitForCall("xmlDisconnect"));
  EXPECT_TRUE(state().m_bBusy) << "busy while the sensor holds the disconnect";
  ASSERT_NE(QApplication::overrideCursor(), nullptr);
  EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
  EXPECT_TRUE(FileMenuOpens());
  ASSERT_TRUE(Idle());
  EXPECT_EQ(prompt.messages().size(), 1) << "the lock session's message";
  EXPECT_FALSE(state().m_bConnected);
  EXPECT_FALSE(window->dialogControl().lockSession());
  EXPECT_TRUE(window->action(kConnect)->isEnabled());
  EXPECT_EQ(Field(1009)->text(), QString::fromStdString(sensor.server.address()).section('.', 0, 0))
      << "the typed address stays for another try";
  ExpectTableState();

  sensor.server.clearFaults("xmlDisconnect");
  sensor.lock.install(sensor.server);
  prompt.clear();
  ASSERT_NO_FATAL_FAILURE(ConnectToOverview());
}

// The library's heartbeat in quick rounds (100 ms, probes of 0.2 s) for the
// connections made while it lives.
struct QuickHeartbeat {
  QuickHeartbeat() { Set({100, 0.2, 2}); }
  ~QuickHeartbeat() { Set({}); }
  static void Set(dravik::LibraryState::HeartbeatTiming timing) {
    std::lock_guard lock(dravik::libraryState().mutex);
    dravik::libraryState().heartbeat = timing;
  }
};

// The whole sensor goes silent in the monitor while the poll is held on it:
// it is reported lost after a few heartbeat rounds (the heartbeat asks
// beside the held poll), the window is disconnected and free, and once the
// sensor is back the next connect monitors and reads again.
TEST_F(SilentSensorTest, ASensorSilentInTheMonitorIsReportedLostAndTheNextConnectWorks) {
  QuickHeartbeat quick;
  ASSERT_NO_FATAL_FAILURE(ConnectInMonitor());
  ASSERT_TRUE(WaitForCall("xmlPollResults"));
  sensor.server.setSilent(true);
  ASSERT_TRUE(QTest::qWaitFor([&] { return !prompt.messages().isEmpty(); }, 15000));
  ASSERT_TRUE(Idle());
  ASSERT_EQ(prompt.messages().size(), 1);
  EXPECT_TRUE(prompt.messages()[0].text.contains("11060")) << prompt.messages()[0].text.toStdString();
  EXPECT_FALSE(state().m_bConnected);
  EXPECT_FALSE(state().m_bMonitorView);
  EXPECT_TRUE(window->action(kConnect)->isEnabled());
  ExpectTableState();
  EXPECT_TRUE(FileMenuOpens());

  sensor.server.setSilent(false);
  prompt.clear();
  const int resumed = Count(CMD_RESUME_POLLING);
  ConnectByTyping();
  ASSERT_TRUE(WaitHandled(CMD_RESUME_POLLING, resumed + 1)) << prompt.messages().value(0).text.toStdString();
  ASSERT_TRUE(sensor.readings.takeReading());
  ASSERT_TRUE(WaitHandled(CMD_RESUME_POLLING, resumed + 2));
  ASSERT_TRUE(Idle());
  EXPECT_EQ(state().m_nReadCount, 1);
  EXPECT_TRUE(prompt.messages().isEmpty());
}

// The sensor takes the software image and then falls silent: the update
// ends within a few heartbeat rounds (not at the call's limit of minutes)
// saying the connection was lost during the update, and leaves the window
// disconnected and free; the next connect works.
TEST_F(SilentSensorTest, ASensorSilentDuringTheUpdateEndsItAsALostConnection) {
  QTemporaryDir dir;
  const QString image = WriteFile(dir, "sensor.swu", QByteArray(200000, 'x'));
  ASSERT_FALSE(image.isEmpty());
  LockAndUpdateFeatures features(*window, *notify);  // the program's File > Update
  ASSERT_NO_FATAL_FAILURE(ConnectToOverview());
  Silence("xmlSWU");
  prompt.setFileAnswer(image);
  ChooseFromFileMenu(MenuIds::kUpdate);
  ASSERT_TRUE(WaitForCall("xmlSWU"));
  sensor.server.setSilent(true);
  ASSERT_TRUE(WaitHandled(CMD_UPDATE_SOFTWARE));
  ASSERT_TRUE(Idle());
  EXPECT_EQ(sensor.server.countCalls("xmlAfterSWU"), 1u) << "told, though it answers nothing";

  const QList<RecordingPrompt::Request> said = prompt.messages();
  ASSERT_EQ(said.size(), 2);  // the question, then the outcome
  EXPECT_EQ(said[1].text, "[5] " + window->text(6049) + " " + window->text(6050));
  EXPECT_EQ(said[1].icon, QMessageBox::Critical);
  auto* progress = window->findChild<QDialog*>(QStringLiteral("CSensorUpdateMsg"));
  EXPECT_TRUE(progress == nullptr || !progress->isVisible());
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  EXPECT_FALSE(state().m_bConnected);
  EXPECT_FALSE(state().m_bUpdatePending);
  EXPECT_TRUE(window->action(kConnect)->isEnabled());
  EXPECT_FALSE(window->action(MenuIds::kUpdate)->isEnabled());
  ExpectTableState();
  SaveScreenshot(*window, "silent_update_ended");
  EXPECT_TRUE(FileMenuOpens());

  sensor.server.setSilent(false);
  sensor.server.clearFaults("xmlSWU");
  prompt.clear();
  ASSERT_NO_FATAL_FAILURE(ConnectToOverview());
  EXPECT_TRUE(window->action(MenuIds::kUpdate)->isEnabled());
}

// The reading's records are fetched by the worker: while the sensor holds
// them the monitor stays as it was and the menus open.
TEST_F(SilentSensorTest, AReadingTheSensorHoldsLeavesTheWindowAnswering) {
  ASSERT_NO_FATAL_FAILURE(ConnectInMonitor());
  Silence("xmlGetResult");
  ASSERT_TRUE(sensor.readings.takeReading());
  ASSERT_TRUE(WaitForCall("xmlGetResult"));
  EXPECT_TRUE(FileMenuOpens());
  EXPECT_TRUE(prompt.messages().isEmpty()) << prompt.messages().value(0).text.toStdString();
  EXPECT_TRUE(state().m_bConnected);
  EXPECT_TRUE(state().m_bMonitorView);
  sensor.Stop();  // the held call ends
}

}  // namespace
