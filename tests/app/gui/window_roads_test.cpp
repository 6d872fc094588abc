// The roads through the main window's own buttons and menu against the
// simulated sensor: connect, monitor, configuration, service, disconnect,
// each leaving the window as the state table says; a locked sensor asks the
// login before the modes its mask protects.
#include "window_roads_fixture.h"

#include "code_box_pointer.h"

#include <QComboBox>
#include <QDialog>

#include "codedef/config_code_def_tab2.h"
#include "codedef/config_code_definition.h"
#include "commands/main_dialog_helpers.h"
#include "dravik/dravik.h"
#include "records/config_list_info.h"
#include "view/image_view_service.h"
#include "view/test_results.h"
#include "view/window_controls.h"
#include "view/woi_overlay.h"
#include "window/menu_table.h"

namespace {

using namespace DialogIds;
using WindowRoadsTest = vt::test::WindowRoadsFixture;

TEST_F(WindowRoadsTest, ConnectMonitorConfigurationServiceAndDisconnect) {
  ActivateAConfiguration();
  // Connect: the sensor is in its configuration state, so the overview.
  ConnectByTyping();
  ASSERT_TRUE(WaitHandled(CMD_GET_CONFIG_LIST));
  ASSERT_TRUE(Idle());
  EXPECT_TRUE(state().m_bConnected);
  EXPECT_EQ(state().m_nWizardStep, 8);
  EXPECT_FALSE(state().m_ConfigList.empty());
  EXPECT_FALSE(window->action(kConnect)->isEnabled());
  ExpectTableState();

  // Monitor: a reading reaches the picture, the log and the statistics.
  // (The overview's monitor button asks the configuration manager whether a
  // configuration is active; the sensor has one.)
  window->commands().setActiveConfigCheck([] { return true; });
  ClickMode(kModeMonitor);
  ASSERT_TRUE(WaitHandled(CMD_RESUME_POLLING));
  ASSERT_TRUE(Idle());
  EXPECT_EQ(sensor.model.state(), 2);
  EXPECT_TRUE(state().m_bMonitorView);
  ExpectTableState();
  const QImage before = window->panels().imageView->surface();
  ASSERT_TRUE(sensor.readings.takeReading());
  ASSERT_TRUE(WaitHandled(CMD_RESUME_POLLING, 2));
  ASSERT_TRUE(Idle());
  EXPECT_EQ(state().m_nReadCount, 1);
  EXPECT_NE(window->panels().imageView->surface(), before);
  EXPECT_GT(window->panels().messageList->count(), 0);
  EXPECT_EQ(state().m_nTotalReadings, 1);
  EXPECT_TRUE(window->action(kZoomIn)->isEnabled());  // codes on a shown picture
  ExpectTableState();
  SaveScreenshot(*window, "window_road_monitor_reading");

  // Service mode (from the monitor: the overview counts as the editor): the results list.
  ClickMode(kModeService);
  ASSERT_TRUE(WaitHandled(CMD_GET_RESULTS_LIST));
  EXPECT_EQ(sensor.model.state(), 9);
  EXPECT_TRUE(state().m_bServiceView);
  ExpectTableState();
  state().m_bBusy = 0;  // a stored result keeps busy for the service panel's selection

  // Back to the monitor, then configuration mode: the question, then the configuration list.
  ClickMode(kModeMonitor);
  ASSERT_TRUE(WaitHandled(CMD_RESUME_POLLING, 3));
  ASSERT_TRUE(Idle());
  ClickMode(kModeConfiguration);
  ASSERT_TRUE(WaitHandled(CMD_GET_CONFIG_LIST, 2));
  ASSERT_TRUE(Idle());
  EXPECT_EQ(sensor.model.state(), 4);
  EXPECT_EQ(state().m_nWizardStep, 8);
  EXPECT_FALSE(state().m_bMonitorView);
  ExpectTableState();

  // Disconnect from the menu: the question, the notice, the reset.
  const int questions = prompt.messages().size();
  window->action(MenuIds::kConnect)->trigger();
  ASSERT_TRUE(WaitHandled(CMD_DISCONNECT));
  ASSERT_TRUE(Idle());
  EXPECT_EQ(prompt.messages().size(), questions + 1);
  EXPECT_FALSE(state().m_bConnected);
  EXPECT_FALSE(window->dialogControl().lockSession());
  EXPECT_TRUE(window->action(kConnect)->isEnabled());
  ExpectTableState();
  for (int id : {kModeConfiguration, kModeMonitor, kModeService}) EXPECT_EQ(window->modeStatic(id)->property("look").toInt(), 0);
}

// The placeholder picture is read and decoded once: the start shows it (twice)
// and the reset after a disconnect shows the same decoded picture again.
TEST_F(WindowRoadsTest, TheDisconnectShowsThePlaceholderReadAtTheStartAgain) {
  auto* view = dynamic_cast<ImageView*>(window->panels().imageView.get());
  ASSERT_TRUE(view);
  const QImage atStart = view->view().picture();
  const QImage shownAtStart = view->surface().copy();
  ASSERT_FALSE(atStart.isNull());
  ASSERT_TRUE(view->view().placeholderShown());

  // A reading replaces it in the monitor.
  ActivateAConfiguration();
  sensor.model.setState(2);
  ConnectByTyping();
  ASSERT_TRUE(WaitHandled(CMD_RESUME_POLLING));
  ASSERT_TRUE(sensor.readings.takeReading());
  ASSERT_TRUE(WaitHandled(CMD_RESUME_POLLING, 2));
  ASSERT_TRUE(Idle());
  EXPECT_FALSE(view->view().placeholderShown());
  EXPECT_NE(view->surface(), shownAtStart);

  // The menu's disconnect resets the window: the placeholder as at the start.
  window->action(MenuIds::kConnect)->trigger();
  ASSERT_TRUE(QTest::qWaitFor([&] { return !state().m_bConnected; }, 10000));
  ASSERT_TRUE(Idle());
  EXPECT_TRUE(view->view().placeholderShown());
  EXPECT_EQ(view->view().picture().cacheKey(), atStart.cacheKey()) << "the picture was read again";
  EXPECT_EQ(view->surface(), shownAtStart);
}

TEST_F(WindowRoadsTest, ALockedSensorAsksTheLoginBeforeTheModesItsMaskProtects) {
  struct Row {
    int mask;
    int mode;
    bool asks;
  };
  const Row rows[] = {
      {1, kModeConfiguration, false},
      {1, kModeService, true},
      {2, kModeConfiguration, true},
      {2, kModeService, false},
  };
  int logins = 0;
  window->commands().setLoginRunner([&] { return ++logins, int(QDialog::Rejected); });
  sensor.model.setState(2);
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << "mask " << row.mask << ", mode " << row.mode);
    // Each row from a fresh connect in the monitor.
    if (state().m_bConnected) {
      window->action(MenuIds::kConnect)->trigger();
      ASSERT_TRUE(QTest::qWaitFor([&] { return !state().m_bConnected; }, 10000));
      ASSERT_TRUE(Idle());
      sensor.model.setState(2);
    }
    sensor.lock.setLock("secret", row.mask);
    const int monitors = Count(CMD_MONITOR_ON);
    ConnectByTyping();
    ASSERT_TRUE(WaitHandled(CMD_MONITOR_ON, monitors + 1));
    ASSERT_TRUE(Idle());
    ASSERT_TRUE(state().m_bSensorLocked);
    const int before = logins;
    const int offs = Count(CMD_MONITOR_OFF);
    ClickMode(row.mode);
    EXPECT_EQ(logins - before, row.asks ? 1 : 0);
    // A refused login leaves the monitor; no login needed goes on.
    if (row.asks) {
      EXPECT_TRUE(state().m_bMonitorView);
      EXPECT_EQ(state().m_nOutstandingCommands, 0);
    } else {
      ASSERT_TRUE(WaitHandled(CMD_MONITOR_OFF, offs + 1));
      state().m_bBusy = 0;
    }
  }
}

// A sensor found in state 3 is taken out of the monitor and left in its
// state: no list follows, and the window is free for the mode buttons.
TEST_F(WindowRoadsTest, ConnectInStateThreeTurnsTheMonitorOffAndLeavesTheWindowFree) {
  sensor.model.setState(3);
  ConnectByTyping();
  ASSERT_TRUE(WaitHandled(CMD_MONITOR_OFF));
  ASSERT_TRUE(Idle());
  EXPECT_TRUE(state().m_bConnected);
  EXPECT_EQ(sensor.model.state(), 3);
  EXPECT_EQ(Count(CMD_MONITOR_ON) + Count(CMD_GET_CONFIG_LIST) + Count(CMD_GET_RESULTS_LIST), 0);
  EXPECT_TRUE(prompt.messages().isEmpty());
  EXPECT_FALSE(window->action(kConnect)->isEnabled());
  EXPECT_EQ(window->cursor().shape(), Qt::ArrowCursor);

  ClickMode(kModeConfiguration);
  ASSERT_TRUE(WaitHandled(CMD_GET_CONFIG_LIST));
  ASSERT_TRUE(Idle());
  EXPECT_EQ(sensor.model.state(), 4);
  EXPECT_EQ(state().m_nWizardStep, 8);
}

// In state 3 a lock over the configuration asks the login before anything
// is sent; refused, the window ends disconnected and the lock stays.
TEST_F(WindowRoadsTest, ConnectInStateThreeAsksTheLoginWhenTheLockCoversTheConfiguration) {
  struct Row {
    int mask;
    bool loginAnswer;
    bool asks;
  };
  const Row rows[] = {{1, false, false}, {2, false, true}, {2, true, true}};
  int logins = 0;
  bool answer = false;
  notify->setLoginAtConnect([&] { return ++logins, answer; });
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << "mask " << row.mask << ", login " << row.loginAnswer);
    if (state().m_bConnected) {
      window->action(MenuIds::kConnect)->trigger();
      ASSERT_TRUE(QTest::qWaitFor([&] { return !state().m_bConnected; }, 10000));
      ASSERT_TRUE(Idle());
    }
    sensor.model.setState(3);
    sensor.lock.setLock("secret", row.mask);
    answer = row.loginAnswer;
    const int before = logins, offs = Count(CMD_MONITOR_OFF), connects = Count(CMD_CONNECT);
    ConnectByTyping();
    ASSERT_TRUE(WaitHandled(CMD_CONNECT, connects + 1));
    ASSERT_TRUE(Idle());
    EXPECT_EQ(logins - before, row.asks ? 1 : 0);
    const bool goesOn = !row.asks || row.loginAnswer;
    EXPECT_EQ(bool(state().m_bConnected), goesOn);
    if (goesOn) {
      ASSERT_TRUE(WaitHandled(CMD_MONITOR_OFF, offs + 1));
      ASSERT_TRUE(Idle());
    } else {
      EXPECT_EQ(Count(CMD_MONITOR_OFF), offs);
      EXPECT_EQ(sensor.lock.lockedItems(), 2);
      EXPECT_TRUE(window->action(kConnect)->isEnabled());
    }
  }
}

// Service mode: the results list is asked for only once the sensor had its
// moment in service operation, the window busy meanwhile; a connection lost
// during that moment asks for nothing and leaves nothing busy.
TEST_F(WindowRoadsTest, TheResultsListFollowsMonitorOffAfterItsWaitAndALossDropsIt) {
  sensor.model.setState(2);
  ConnectByTyping();
  ASSERT_TRUE(WaitHandled(CMD_RESUME_POLLING));
  ASSERT_TRUE(Idle());

  struct AtReply {
    bool waiting = false;
    int interval = 0;
    int outstanding = -1;
    bool busy = false;
  } atReply;
  bool loseConnection = false;
  QObject::connect(notify.get(), &CSensorNotify::notified, [&](int id, int) {
    if (id != CMD_MONITOR_OFF) return;
    atReply = {notify->resultsListWait().isActive(), notify->resultsListWait().interval(),
               state().m_nOutstandingCommands, bool(state().m_bBusy)};
    if (loseConnection) notify->OnSensorNotify(SN_CONNECTION_LOST, 0);
  });
  ClickMode(kModeService);
  ASSERT_TRUE(WaitHandled(CMD_GET_RESULTS_LIST));
  EXPECT_TRUE(atReply.waiting);
  EXPECT_EQ(atReply.interval, 400);
  EXPECT_EQ(atReply.outstanding, 0);  // nothing asked for yet
  EXPECT_TRUE(atReply.busy);
  EXPECT_TRUE(state().m_bServiceView);
  EXPECT_EQ(sensor.model.state(), 9);
  ExpectTableState();
  state().m_bBusy = 0;  // a stored result keeps busy for the service panel's selection

  ClickMode(kModeMonitor);
  ASSERT_TRUE(WaitHandled(CMD_RESUME_POLLING, 2));
  ASSERT_TRUE(Idle());
  loseConnection = true;
  const int lists = Count(CMD_GET_RESULTS_LIST);
  prompt.clear();
  ClickMode(kModeService);
  ASSERT_TRUE(WaitHandled(CMD_MONITOR_OFF, 2));
  EXPECT_TRUE(atReply.waiting);
  ASSERT_TRUE(QTest::qWaitFor([&] { return !notify->resultsListWait().isActive(); }, 10000));
  ASSERT_TRUE(Idle());
  EXPECT_FALSE(state().m_bConnected);
  EXPECT_EQ(Count(CMD_GET_RESULTS_LIST), lists);
  const auto& shown = prompt.messages();
  EXPECT_EQ(std::count_if(shown.begin(), shown.end(), [](const auto& m) { return m.text.contains("11060"); }), 1);
}

// The program's own window in the monitor: the pointer on a reading's code
// box shows that code's tooltip over the picture; off the box it goes.
TEST_F(WindowRoadsTest, ThePointerOnACodeBoxShowsItsTooltipAndLeavingHidesIt) {
  ActivateAConfiguration();
  sensor.model.setState(2);
  ConnectByTyping();
  ASSERT_TRUE(WaitHandled(CMD_RESUME_POLLING));
  ASSERT_TRUE(Idle());
  ASSERT_TRUE(sensor.readings.takeReading());
  ASSERT_TRUE(WaitHandled(CMD_RESUME_POLLING, 2));
  ASSERT_TRUE(Idle());
  auto* view = dynamic_cast<ImageView*>(window->panels().imageView.get());
  auto* balloon = dynamic_cast<BalloonTip*>(window->panels().balloon.get());
  ASSERT_TRUE(view && balloon);
  ASSERT_EQ(view->CountOverlaysOfKind(1), 1);
  ASSERT_FALSE(balloon->shown());

  const QPoint onBox = vt::test::CodeBoxMiddle(*view, state().m_ReadResults[0]);
  QTest::mouseMove(view->widget(), onBox);
  ASSERT_TRUE(balloon->shown());
  const QStringList lines = balloon->lines(CTestResults::kPictureControl);
  ASSERT_FALSE(lines.isEmpty());
  EXPECT_TRUE(lines[0].contains(" x ")) << lines[0].toStdString();  // the code line: name, rows x columns
  // The box is drawn on the window, beside the pointer and inside the window.
  QWidget* tip = nullptr;
  for (QWidget* w : window->findChildren<QWidget*>())
    if (w->inherits("CBBToolTip")) tip = w;
  ASSERT_TRUE(tip && tip->isVisible());
  EXPECT_EQ(tip->window(), window.get());
  EXPECT_TRUE(window->rect().contains(QRect(tip->mapTo(window.get(), QPoint(0, 0)), tip->size())));
  const QPoint pointer = view->widget()->mapTo(window.get(), onBox);
  const QRect near = QRect(tip->mapTo(window.get(), QPoint(0, 0)), tip->size()).adjusted(-64, -64, 64, 64);
  EXPECT_TRUE(near.contains(pointer));

  QTest::mouseMove(view->widget(), vt::test::ViewPoint(*view, 2, 2));
  EXPECT_FALSE(balloon->shown());
  EXPECT_FALSE(tip->isVisible());
}

// The window of interest dragged over the picture of the configuration
// being edited: the sensor stores the drawn region; a refusal in the error
// range leads to the disconnect notice.
TEST_F(WindowRoadsTest, ADraggedWindowOfInterestIsWhatTheSensorStores) {
  ASSERT_EQ(sensor.model.createConfig({0, "{Edited}", -1}), vt::sim::kSimOk);
  ConnectByTyping();
  ASSERT_TRUE(WaitHandled(CMD_GET_CONFIG_LIST));
  ASSERT_TRUE(Idle());
  // The edited configuration's data, as the editor reads it.
  state().m_nConfigId = 0;
  state().m_bBusy = 1;
  window->PostSensorCommand(CMD_GET_CONFIG_DATA);
  ASSERT_TRUE(WaitHandled(CMD_GET_CONFIG_DATA));
  state().m_bBusy = 0;
  ASSERT_TRUE(Idle());
  ASSERT_FALSE(state().m_ConfigData.empty());
  // Its window of interest is the one the configuration holds.
  ImageQualitySettings configured;
  ASSERT_EQ(CConfigListInfo::GetInstance()->ReadRoi(state().m_ConfigData, configured), 0);
  EXPECT_EQ(state().m_rcWoi, (ImageRect{configured.Left, configured.Top, configured.Right, configured.Bottom}));

  // The code-definition page shows the window of interest.
  auto* view = dynamic_cast<ImageView*>(window->panels().imageView.get());
  ASSERT_NE(view, nullptr);
  state().m_nWizardStep = 11;
  state().m_bCodeDefinitionView = true;
  int id = 0;
  COverlay* overlay = nullptr;
  view->view().AddOverlay(OVERLAY_WOI, &id, &overlay);
  ASSERT_EQ(static_cast<CWOI*>(overlay)->Set(100, 100, 300, 250), 0);
  QWidget* picture = view->widget();
  auto at = [&](int x, int y) {
    const QRect area = view->PictureArea();
    return area.topLeft() + QPoint(x * area.width() / 640, y * area.height() / 480);
  };
  auto drag = [&](QPoint from, QPoint to) {
    QTest::mousePress(picture, Qt::LeftButton, {}, from);
    QTest::mouseMove(picture, to);
    QTest::mouseRelease(picture, Qt::LeftButton, {}, to);
  };
  drag(at(200, 175), at(240, 195));
  EXPECT_TRUE(prompt.messages().isEmpty());
  EXPECT_FALSE(window->imageMouse().dragMarked());
  ParameterList stored;
  ASSERT_EQ(GetConfigData(&stored, 0, 1017), 0);
  ImageQualitySettings roi;
  ASSERT_EQ(CConfigListInfo::GetInstance()->ReadRoi(stored, roi), 0);
  EXPECT_EQ((ImageRect{roi.Left, roi.Top, roi.Right, roi.Bottom}), state().m_rcWoi);
  EXPECT_NEAR(roi.Left, 140, 1);
  EXPECT_NEAR(roi.Top, 120, 1);
  EXPECT_EQ(roi.Right - roi.Left, 200);
  EXPECT_EQ(roi.Bottom - roi.Top, 150);
  // A later write of the whole configuration (a filter chosen) keeps it.
  auto* codeDefinition = dynamic_cast<CConfigCodeDefinition*>(window->panels().codeDefinition.get());
  ASSERT_NE(codeDefinition, nullptr);
  QComboBox* filter = codeDefinition->tab2()->list(0);
  filter->setCurrentIndex(filter->currentIndex() == 1 ? 2 : 1);
  stored.clear();
  ASSERT_EQ(GetConfigData(&stored, 0, 1017), 0);
  ImageQualitySettings after;
  ASSERT_EQ(CConfigListInfo::GetInstance()->ReadRoi(stored, after), 0);
  EXPECT_EQ((ImageRect{after.Left, after.Top, after.Right, after.Bottom}), state().m_rcWoi);
  EXPECT_EQ(stored[37].intValue, filter->currentIndex());

  // An error-range refusal: the error, then the disconnect notice.
  sensor.server.setMethod("xmlSetConfigData", [](const XmlRpc::XmlRpcValue&) {
    XmlRpc::XmlRpcValue refused;
    refused[0] = -3500;
    return refused;
  });
  drag(at(240, 195), at(200, 175));
  ASSERT_EQ(prompt.messages().size(), 1);
  EXPECT_EQ(prompt.messages()[0].icon, QMessageBox::Critical);
  ASSERT_TRUE(WaitHandled(CMD_DISCONNECT));
  EXPECT_TRUE(QTest::qWaitFor([&] { return !state().m_bConnected; }, 10000));
}

// The main window's window-of-interest overlay takes the configured values
// (held left, right, top, bottom) as x1, y1, x2, y2, clamped into the
// picture first; a live image's start shows it.
TEST_F(WindowRoadsTest, TheWindowOfInterestOverlayIsTheConfiguredOne) {
  auto* view = dynamic_cast<ImageView*>(window->panels().imageView.get());
  ASSERT_NE(view, nullptr);
  struct Case {
    ImageQualitySettings roi;
    ImageRect shown;
  };
  auto roi = [](int left, int right, int top, int bottom) {
    ImageQualitySettings s;
    s.Left = left, s.Right = right, s.Top = top, s.Bottom = bottom;
    return s;
  };
  const Case cases[] = {
      {roi(50, 400, 60, 300), {50, 60, 400, 300}},
      {roi(0, 700, -5, 480), {1, 1, 639, 479}},     // clamped into the picture
      {roi(300, 310, 100, 400), {300, 100, 310, 400}},  // too narrow: kept as clamped
  };
  for (const Case& c : cases) {
    state().m_Configuration.imageQuality = c.roi;
    const int id = ShowWoiOverlay(*window);
    EXPECT_EQ(view->view().CountOverlaysOfKind(OVERLAY_WOI), 1);
    const QRect shown = view->WoiRect(id);
    EXPECT_EQ((ImageRect{shown.left(), shown.top(), shown.right(), shown.bottom()}), c.shown)
        << c.roi.Left << " " << c.roi.Right << " " << c.roi.Top << " " << c.roi.Bottom;
  }

  // The live image's start shows it, with the code boxes gone and the log empty.
  ConnectByTyping();
  ASSERT_TRUE(WaitHandled(CMD_GET_CONFIG_LIST));
  ASSERT_TRUE(Idle());
  view->RemoveOverlaysOfKind(OVERLAY_WOI);
  window->log().Add(QStringLiteral("before"), 0);
  state().m_Configuration.imageQuality = roi(50, 400, 60, 300);
  state().m_bBusy = 1;
  window->PostSensorCommand(CMD_START_LIVE_IMAGE);
  ASSERT_TRUE(WaitHandled(CMD_START_LIVE_IMAGE));
  EXPECT_TRUE(Idle());
  EXPECT_TRUE(state().m_bLiveImage);
  EXPECT_EQ(view->view().CountOverlaysOfKind(OVERLAY_WOI), 1);
  EXPECT_EQ(state().m_rcWoi, (ImageRect{50, 60, 400, 300}));
  EXPECT_EQ(window->panels().messageList->count(), 0);
  StopLiveImage(*window);
}

}  // namespace
