// The program's whole main window (its composition root's pages and panels,
// the real lock library, the command engine) against a simulated sensor,
// driven through the window's own buttons and menu.
#pragma once
// The simulator first: its members named "slots" must not meet Qt's keyword macro.
#include "simulated_sensor.h"

#include <QLineEdit>
#include <QTest>
#include <algorithm>
#include <gtest/gtest.h>
#include <vector>

#include "commands/sensor_notify.h"
#include "core/sensor_command.h"
#include "dialog_widgets.h"
#include "gui_test_support.h"
#include "program/composition_root.h"
#include "program/state_result_source.h"
#include "program/woi_writer.h"
#include "services/recording_prompt.h"
#include "window/dialog_control.h"
#include "window/image_mouse.h"
#include "window/lock_library.h"
#include "window/main_commands.h"
#include "window/main_window.h"

namespace vt::test {

struct WindowRoadsFixture : ::testing::Test {
  void SetUp() override {
    qputenv("VT_ALLOW_LOOPBACK_SENSOR", "1");
    qputenv("VT_NO_SPLASH", "1");
    ASSERT_TRUE(sensor.Start()) << sensor.error();
    ASSERT_NO_FATAL_FAILURE(StartWindow());
  }
  // The program's window as it starts (again, after a test ended the last one).
  void StartWindow() {
    notify.reset();
    window.reset();
    window = std::make_unique<CVarnisDatamatrixDlg>(prompt, MakePanels(prompt));
    window->setLockLibrary(MakeKeltrovLibrary());
    PlugReadingTables(*window);
    ASSERT_EQ(window->OnInitDialog(), CVarnisDatamatrixDlg::StartResult::Run);
    window->imageMouse().setConfigWriter([this] { return WriteDraggedWoi(window->state()); });
    notify = std::make_unique<CSensorNotify>(*window);
    QObject::connect(notify.get(), &CSensorNotify::notified, [this](int id, int) { handled.push_back(id); });
    window->show();
    prompt.clear();
  }
  void TearDown() override {
    notify.reset();
    window.reset();
    qunsetenv("VT_ALLOW_LOOPBACK_SENSOR");
  }

  MainDialogState& state() { return window->state(); }
  int Count(int id) const { return static_cast<int>(std::count(handled.begin(), handled.end(), id)); }
  bool WaitHandled(int id, int times = 1) {
    return QTest::qWaitFor([&] { return Count(id) >= times; }, 30000);
  }
  bool Idle() {
    return QTest::qWaitFor([&] { return state().m_nOutstandingCommands == 0 && !state().m_bBusy; }, 10000);
  }
  QLineEdit* Field(int id) { return window->findChild<QLineEdit*>(QStringLiteral("id%1").arg(id)); }

  // The simulator's address typed into the connection panel, then its connect button.
  void ConnectByTyping() {
    const QStringList octets = QString::fromStdString(sensor.server.address()).split('.');
    for (int i = 0; i < 4; ++i) Field(1009 + i)->setText(octets[i]);
    Field(1013)->setText(QString::number(sensor.server.port()));
    window->action(DialogIds::kConnect)->trigger();
  }
  // A configuration active on the sensor, so the monitor reads with it.
  void ActivateAConfiguration() {
    const vt::sim::SlotRef slot{0, "{Monitor}", -1};
    ASSERT_EQ(sensor.model.createConfig(slot), vt::sim::kSimOk);
    ASSERT_EQ(sensor.model.closeAndSave(), vt::sim::kSimOk);
    ASSERT_EQ(sensor.model.activateConfig(slot), vt::sim::kSimOk);
  }
  void ClickMode(int id) { QTest::mouseClick(window->modeStatic(id), Qt::LeftButton); }
  // Connected in monitor operation, reading with an active configuration.
  void ConnectInMonitor() {
    ActivateAConfiguration();
    sensor.model.setState(2);
    ConnectByTyping();
    ASSERT_TRUE(WaitHandled(CMD_RESUME_POLLING));
    ASSERT_TRUE(Idle());
    ASSERT_TRUE(state().m_bMonitorView);
  }

  // The widgets show what the rules say for the state the road left.
  void ExpectTableState() {
    const DialogControls expected = window->dialogControl().controls();
    EXPECT_EQ(expected, ComputeDialogControls(state(), window->dialogControl().requests()));
    const QString info = QStringLiteral("  %1  [Software %2]")
                             .arg(QString::fromStdU16String(state().m_strSensorType),
                                  QString::fromStdU16String(state().m_strSoftwareVersion));
    ExpectWidgetsMatch(*window, expected, info);
  }

  LibCopy lib;
  SimulatedSensor sensor;
  RecordingPrompt prompt;  // answers Ok to every question
  std::unique_ptr<CVarnisDatamatrixDlg> window;
  std::unique_ptr<CSensorNotify> notify;
  std::vector<int> handled;
};

}  // namespace vt::test
