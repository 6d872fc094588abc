// A sensor that goes silent, through the program's whole window: whatever
// call the sensor holds, the window keeps answering the operator.
#include "window_roads_fixture.h"

#include <QApplication>
#include <QMenu>
#include <QMenuBar>

namespace {

using namespace DialogIds;

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
  void ConnectInMonitor() {
    ActivateAConfiguration();
    sensor.model.setState(2);
    ConnectByTyping();
    ASSERT_TRUE(WaitHandled(CMD_RESUME_POLLING));
    ASSERT_TRUE(Idle());
    ASSERT_TRUE(state().m_bMonitorView);
  }
  // A click on the menu bar's first title opens its menu now.
  bool FileMenuOpens() {
    QMenuBar* bar = window->menuBar();
    QAction* file = bar->actions().value(0);
    if (!file) return false;
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(file).center());
    auto* open = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    const bool opened = open && open == file->menu();
    if (open) QTest::keyClick(open, Qt::Key_Escape);
    return opened;
  }
};

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
