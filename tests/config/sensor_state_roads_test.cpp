// The sensor's state across the roads of the window: every way out of a
// test, the editor and the connection leaves a sensor the next connect
// accepts and a window whose pages check and write as at the first connect.
// Driven through the window's own buttons against the simulated sensor.
#include "editor_window_fixture.h"

#include <QCheckBox>
#include <QTabBar>
#include <QToolBar>
#include <QToolButton>

#include "codedef/image/config_img_quality.h"
#include "codedef/output/config_process_interface.h"
#include "codedef/output/config_process_interface_tab2.h"
#include "config/config_function_test.h"
#include "config/config_trigger_setting.h"
#include "controls/button_draw.h"
#include "controls/image_quality_tabctrl.h"
#include "controls/process_interface_tab_ctrl.h"
#include "view/image_view_service.h"
#include "view/woi_overlay.h"
#include "window/menu_table.h"

namespace {

using namespace DialogIds;
using namespace vt::test;
constexpr int kItemCodeType = 32, kItemTriggerSource = 43, kItemTriggerWindow = 44, kItemReadings = 45,
              kItemWithinTime = 46;

struct SensorStateRoads : EditorWindowTest {
  CConfigFunctionTest& functionTest() {
    return *dynamic_cast<CConfigFunctionTest*>(window->panels().functionTest.get());
  }
  ImageView& view() { return *dynamic_cast<ImageView*>(window->panels().imageView.get()); }
  // Whether the sensor holds a configuration in slot `index`.
  bool SlotUsed(int index) { return sensor.model.snapshot().slots[std::size_t(index)].used; }

  // Configuration 1 (ECC 200, triggered by the input) on the sensor, active.
  void SeedActive() {
    ASSERT_NO_FATAL_FAILURE(Seed({{kItemCodeType, 1}, {kItemTriggerSource, 0}, {kItemTriggerWindow, 0}}));
    ASSERT_EQ(sensor.model.activateConfig({0, "Conf1", -1}), vt::sim::kSimOk);
  }
  // Connected by the typed address; the configuration overview shown.
  void ConnectToOverview() {
    const int lists = Count(CMD_GET_CONFIG_LIST);
    ConnectByTyping();
    ASSERT_TRUE(WaitHandled(CMD_GET_CONFIG_LIST, lists + 1)) << Texts();
    ASSERT_TRUE(Idle());
    ASSERT_TRUE(state().m_bConnected);
    ASSERT_EQ(state().m_nWizardStep, 8);
  }
  std::string Texts() const {
    QStringList out;
    for (const auto& m : prompt.messages()) out << m.text;
    return out.join(" | ").toStdString();
  }
  // A toolbar button, clicked where it is.
  void ClickTool(int id) {
    auto* bar = window->findChild<QToolBar*>();
    ASSERT_TRUE(bar);
    QWidget* button = bar->widgetForAction(window->action(id));
    ASSERT_TRUE(button && button->isEnabled()) << id;
    ASSERT_EQ(bar->childAt(button->geometry().center()), button);
    QTest::mouseClick(button, Qt::LeftButton);
  }
  // The toolbar's Disconnect, its question answered OK, up to the reset.
  void Disconnect() {
    const int disconnects = Count(CMD_DISCONNECT);
    ClickTool(kDisconnect);
    ASSERT_TRUE(WaitHandled(CMD_DISCONNECT, disconnects + 1));
    ASSERT_TRUE(Idle());
    ASSERT_FALSE(state().m_bConnected);
  }
  void ClickButton(QAbstractButton* button) {
    ASSERT_TRUE(button && button->isVisible() && button->isEnabled());
    QTest::mouseClick(button, Qt::LeftButton);
  }
  // A tab of a tab bar, clicked where it is.
  void ClickTab(QTabBar* bar, int tab) { QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(tab).center()); }
  // Finish on the function-test page: its question answered Yes, the save's reply handled.
  void Finish() {
    const int saves = Count(CMD_CLOSE_AND_SAVE);
    ClickButton(window->wizardButton(1028));
    ASSERT_TRUE(WaitHandled(CMD_CLOSE_AND_SAVE, saves + 1));
    ASSERT_TRUE(Idle());
    ASSERT_EQ(state().m_nWizardStep, 8);
  }
  // A drag of the picture's window of interest by its centre handle.
  void DragWoiCentre() {
    constexpr int kMoveHandle = 18;
    QPoint centre(-1, -1);
    for (int y = 0; y < 480 && centre.x() < 0; y += 2)
      for (int x = 0; x < 640 && centre.x() < 0; x += 2) {
        int id = -1, kind = -1, code = 0;
        view().HitTestOverlays(x, y, &id, &kind, &code);
        if (id >= 0 && kind == OVERLAY_WOI && code == kMoveHandle) centre = {x, y};
      }
    ASSERT_GE(centre.x(), 0) << "no window of interest shown";
    const QRect area = view().PictureArea();
    auto at = [&](QPoint p) { return area.topLeft() + QPoint(p.x() * area.width() / 640, p.y() * area.height() / 480); };
    QWidget* picture = view().widget();
    QTest::mousePress(picture, Qt::LeftButton, {}, at(centre));
    QTest::mouseMove(picture, at(centre + QPoint(30, 20)));
    QTest::mouseRelease(picture, Qt::LeftButton, {}, at(centre + QPoint(30, 20)));
  }
};

// Each test, stopped or not, then Finish and a disconnect: the sensor is in
// a state the next connect accepts, and it connects to the overview.
TEST_F(SensorStateRoads, AfterATestAndFinishTheNextConnectIsAccepted) {
  struct Row {
    const char* what;
    bool functionTest;
    bool stopBeforeLeaving;
  };
  const Row rows[] = {
      {"trigger test, stopped, Finish", false, true},
      {"function test, stopped, Finish", true, true},
      {"function test running, disconnect", true, false},
  };
  ASSERT_NO_FATAL_FAILURE(SeedActive());
  ASSERT_NO_FATAL_FAILURE(ConnectToOverview());
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    ASSERT_NO_FATAL_FAILURE(EditExisting());
    if (!row.functionTest) {
      auto* page = dynamic_cast<CConfigImgQuality*>(window->panels().imageQuality.get());
      ClickTab(page->tabs()->tabBar(), CImageQualityTabctrl::kTriggerTab);
      ASSERT_TRUE(trigger().isVisible());
      ClickButton(trigger().testButton());
      ASSERT_TRUE(WaitHandled(CMD_TEST_TRIGGER_ON));
      EXPECT_EQ(sensor.model.state(), 6);
      ASSERT_TRUE(Idle());
      ClickButton(trigger().testButton());
      ASSERT_TRUE(WaitHandled(CMD_TEST_TRIGGER_OFF));
      ASSERT_TRUE(Idle());
      ASSERT_NO_FATAL_FAILURE(Click(kFunctionTest));
    } else {
      ASSERT_NO_FATAL_FAILURE(Click(kFunctionTest));
      const int ons = Count(CMD_TEST_CONFIG_ON);
      ClickButton(functionTest().testOnButton());
      ASSERT_TRUE(WaitHandled(CMD_TEST_CONFIG_ON, ons + 1));
      EXPECT_EQ(sensor.model.state(), 7);
      if (row.stopBeforeLeaving) {
        const int offs = Count(CMD_TEST_CONFIG_OFF);
        ClickButton(functionTest().testOffButton());
        ASSERT_TRUE(WaitHandled(CMD_TEST_CONFIG_OFF, offs + 1));
      }
      ASSERT_TRUE(Idle());
    }
    if (row.stopBeforeLeaving) {
      EXPECT_EQ(sensor.model.state(), 4);  // the test left: back in configuration
      ASSERT_NO_FATAL_FAILURE(Finish());
    }
    ASSERT_NO_FATAL_FAILURE(Disconnect());
    EXPECT_EQ(sensor.model.state(), 4);
    EXPECT_FALSE(sensor.model.snapshot().editing);
    prompt.clear();
    ASSERT_NO_FATAL_FAILURE(ConnectToOverview());
    EXPECT_TRUE(prompt.messages().isEmpty()) << Texts();
    ExpectTableState();
  }
}

// Monitor pressed on an editor page while the live image runs: the stream
// stops first, the monitor shows, and the editor's window of interest can no
// longer be dragged into the configuration. The configuration left unsaved
// does not block the next New.
TEST_F(SensorStateRoads, MonitorFromAnEditorPageStopsTheLiveImageAndLeavesTheEditor) {
  ASSERT_NO_FATAL_FAILURE(SeedActive());
  ASSERT_NO_FATAL_FAILURE(ConnectToOverview());
  ASSERT_NO_FATAL_FAILURE(EditExisting());
  ASSERT_TRUE(state().m_bLiveImage);
  ASSERT_TRUE(state().m_bImageQualityView);
  ASSERT_TRUE(sensor.liveImage.streaming());
  const int monitors = Count(CMD_MONITOR_ON);
  ClickMode(kModeMonitor);
  ASSERT_TRUE(WaitHandled(CMD_MONITOR_ON, monitors + 1));
  ASSERT_TRUE(WaitHandled(CMD_RESUME_POLLING));
  ASSERT_TRUE(Idle());
  EXPECT_TRUE(prompt.messages().isEmpty()) << Texts();
  EXPECT_TRUE(state().m_bConnected);
  EXPECT_TRUE(state().m_bMonitorView);
  EXPECT_TRUE(window->panels().monitor->widget()->isVisible());
  EXPECT_FALSE(sensor.liveImage.streaming());
  EXPECT_EQ(sensor.model.state(), 2);
  ExpectTableState();

  // A reading shows its search zone; dragging it in the monitor writes nothing.
  ASSERT_TRUE(sensor.readings.takeReading());
  ASSERT_TRUE(WaitHandled(CMD_RESUME_POLLING, 2));
  ASSERT_TRUE(Idle());
  ASSERT_EQ(view().CountOverlaysOfKind(OVERLAY_WOI), 1);
  const std::size_t writes = sensor.server.countCalls("xmlSetConfigData");
  ASSERT_NO_FATAL_FAILURE(DragWoiCentre());
  EXPECT_EQ(sensor.server.countCalls("xmlSetConfigData"), writes);
  EXPECT_TRUE(prompt.messages().isEmpty()) << Texts();

  // Back in configuration, New opens the editor on a fresh configuration.
  ClickMode(kModeConfiguration);
  ASSERT_TRUE(WaitHandled(CMD_GET_CONFIG_LIST, 2));
  ASSERT_TRUE(Idle());
  prompt.clear();
  ASSERT_NO_FATAL_FAILURE(CreateNew());
  EXPECT_TRUE(prompt.messages().isEmpty()) << Texts();
  EXPECT_TRUE(state().m_bConnected);
  EXPECT_EQ(state().m_nWizardStep, 7);
}

// The editor left by a disconnect or by the program's end, the sensor's edit
// open: after the next connect New works, and nothing of the half-made
// configuration is left on the sensor; no drag over the picture writes.
TEST_F(SensorStateRoads, DisconnectOrExitWithTheEditorOpenThenNewWorks) {
  ASSERT_NO_FATAL_FAILURE(SeedActive());
  for (const bool exit : {false, true}) {
    SCOPED_TRACE(exit ? "exit during New" : "disconnect in the editor");
    ASSERT_NO_FATAL_FAILURE(ConnectToOverview());
    if (exit) {
      ASSERT_NO_FATAL_FAILURE(CreateNew());
      ASSERT_TRUE(SlotUsed(1));
      prompt.clear();
      window->action(MenuIds::kExit)->trigger();  // answered Yes
      ASSERT_EQ(prompt.messages().size(), 1);
      EXPECT_EQ(prompt.messages()[0].text, window->text(6041));
      // The program ends: its notifications go, then the window; it starts again.
      StartWindow();
      EXPECT_FALSE(SlotUsed(1));
    } else {
      ASSERT_NO_FATAL_FAILURE(EditExisting());
      ASSERT_TRUE(state().m_bImageQualityView);
      ASSERT_NO_FATAL_FAILURE(Disconnect());
      EXPECT_FALSE(state().m_bImageQualityView);
      EXPECT_FALSE(state().m_bCodeDefinitionView);
    }
    EXPECT_FALSE(sensor.model.snapshot().editing);
    EXPECT_EQ(sensor.model.state(), 4);
    ASSERT_NO_FATAL_FAILURE(ConnectToOverview());
    prompt.clear();
    ASSERT_NO_FATAL_FAILURE(CreateNew());
    EXPECT_TRUE(prompt.messages().isEmpty()) << Texts();
    EXPECT_TRUE(state().m_bConnected);
    EXPECT_EQ(state().m_nWizardStep, 7);
    // Escape: nothing made stays, and the next row begins disconnected.
    ClickButton(window->wizardButton(1027));
    ASSERT_TRUE(WaitHandled(CMD_CLOSE_AND_DISCARD));
    ASSERT_TRUE(Idle());
    ASSERT_NO_FATAL_FAILURE(Disconnect());
  }
}

// After a disconnect and a new connect the trigger page checks N and T
// again: 101 readings are refused with the page's message, and the page
// buttons switch once the value is in range.
TEST_F(SensorStateRoads, AfterAReconnectTheTriggerPageChecksItsFieldsAndPagesSwitch) {
  ASSERT_NO_FATAL_FAILURE(Seed({{kItemCodeType, 1},
                                {kItemTriggerSource, 0},
                                {kItemTriggerWindow, 1},
                                {kItemReadings, 5},
                                {kItemWithinTime, 500}}));
  ASSERT_NO_FATAL_FAILURE(ConnectToOverview());
  ASSERT_NO_FATAL_FAILURE(EditExisting());
  ASSERT_NO_FATAL_FAILURE(Disconnect());
  ASSERT_NO_FATAL_FAILURE(ConnectToOverview());
  ASSERT_NO_FATAL_FAILURE(EditExisting());
  // The fields take the focus of a click only in the active window. Without
  // a window manager the hidden disconnect notice would stay the active one.
  QApplication::setActiveWindow(window.get());
  ASSERT_EQ(QApplication::activeWindow(), window.get());
  auto* page = dynamic_cast<CConfigImgQuality*>(window->panels().imageQuality.get());
  ClickTab(page->tabs()->tabBar(), CImageQualityTabctrl::kTriggerTab);
  ASSERT_TRUE(trigger().nEdit()->isEnabled());
  prompt.clear();
  QTest::mouseClick(trigger().nEdit(), Qt::LeftButton);
  trigger().nEdit()->selectAll();
  QTest::keyClicks(trigger().nEdit(), QStringLiteral("101"));
  ASSERT_EQ(QApplication::focusWidget(), trigger().nEdit());
  QTest::mouseClick(trigger().tEdit(), Qt::LeftButton);
  ASSERT_EQ(prompt.messages().size(), 1) << Texts();
  EXPECT_EQ(prompt.messages()[0].text, window->text(9852));
  EXPECT_EQ(trigger().nEdit()->text(), "1");
  ASSERT_NO_FATAL_FAILURE(Click(kCodeDefinition));
  EXPECT_EQ(state().m_nWizardStep, 11);
  EXPECT_EQ(prompt.messages().size(), 1) << Texts();
}

// A quality output chosen on the process-interface page and left unsent by
// Escape is not the next edit's: leaving that page later sends no quality.
TEST_F(SensorStateRoads, AQualityOutputChosenInAnEarlierEditIsNotSentByTheNext) {
  ASSERT_NO_FATAL_FAILURE(Seed({{kItemCodeType, 1}}));
  ASSERT_NO_FATAL_FAILURE(ConnectToOverview());
  ASSERT_NO_FATAL_FAILURE(EditExisting());
  ASSERT_NO_FATAL_FAILURE(Click(kProcessInterface));
  auto* pi = dynamic_cast<CConfigProcessInterface*>(window->panels().processInterface.get());
  ClickTab(pi->tabs()->tabBar(), 1);
  QComboBox* quality = pi->tab2()->qualityCombo();
  quality->setFocus();
  QTest::keyClick(quality, Qt::Key_Down);
  ASSERT_TRUE(Idle());  // the quality list it reads
  ASSERT_TRUE(state().m_bQualityOutputChanged);
  ClickButton(window->wizardButton(1027));  // Escape, answered Yes
  ASSERT_TRUE(WaitHandled(CMD_CLOSE_AND_DISCARD));
  ASSERT_TRUE(Idle());

  ASSERT_NO_FATAL_FAILURE(EditExisting());
  EXPECT_FALSE(state().m_bQualityOutputChanged);
  const std::size_t qualityWrites = sensor.server.countCalls("xmlSetQualityParams");
  ASSERT_NO_FATAL_FAILURE(Click(kProcessInterface));
  ASSERT_NO_FATAL_FAILURE(Click(kFunctionTest));
  EXPECT_EQ(state().m_nWizardStep, 18);
  EXPECT_EQ(sensor.server.countCalls("xmlSetQualityParams"), qualityWrites);
}

// A sensor in a state the program cannot work with: after its message the
// question Cancel keeps the connection, and the window says so: the sensor
// in the status bar, Disconnect on, and the mode buttons take it on.
TEST_F(SensorStateRoads, KeepingTheConnectionToASensorInAStateOfItsOwnLeavesAConnectedWindow) {
  sensor.model.setState(1);
  prompt.queueAnswer(QMessageBox::Ok);      // -14220
  prompt.queueAnswer(QMessageBox::Cancel);  // 6002: stay connected
  ConnectByTyping();
  ASSERT_TRUE(WaitHandled(CMD_CONNECT));
  ASSERT_TRUE(Idle());
  ASSERT_EQ(prompt.messages().size(), 2) << Texts();
  EXPECT_EQ(prompt.messages()[0].text, window->text(51316));
  EXPECT_EQ(prompt.messages()[1].text, window->text(6002));
  EXPECT_TRUE(state().m_bConnected);
  EXPECT_NE(window->statusPane(1)->text(), window->text(1005));
  EXPECT_TRUE(window->statusPane(3)->text().contains("K7M-2D Reader"));
  EXPECT_TRUE(window->action(kDisconnect)->isEnabled());
  EXPECT_FALSE(window->action(kConnect)->isEnabled());
  EXPECT_EQ(window->cursor().shape(), Qt::ArrowCursor);
  ExpectTableState();
  QApplication::processEvents();  // the status bar's layout
  QLabel* sensorPane = window->statusPane(3);
  EXPECT_GE(sensorPane->width(), sensorPane->fontMetrics().horizontalAdvance(sensorPane->text()));
  SaveScreenshot(*window, "sensor_state_kept_connection");

  ClickMode(kModeConfiguration);
  ASSERT_TRUE(WaitHandled(CMD_GET_CONFIG_LIST));
  ASSERT_TRUE(Idle());
  EXPECT_EQ(sensor.model.state(), 4);
  EXPECT_EQ(state().m_nWizardStep, 8);
}

}  // namespace
