// What the operator sees of the program's busy time, its pictures and its
// painted texts, through the main window's own controls against the
// simulated sensor.
#include "window_roads_fixture.h"
#include "tests/config/editor_window_fixture.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QAbstractItemView>
#include <QDialog>
#include <QMenu>
#include <QPushButton>
#include <QTabBar>
#include <QTreeWidget>
#include <QApplication>
#include <QCursor>
#include <QScrollBar>
#include <QToolBar>

#include "codedef/config_code_definition.h"
#include "codedef/config_code_definition_tab1.h"
#include "codedef/image/config_img_quality.h"
#include "controls/button_draw.h"
#include "controls/image_quality_tabctrl.h"
#include "sim/reading_picture.h"
#include "code_box_pointer.h"
#include "view/image_view_service.h"
#include "view/test_results.h"
#include "view/window_controls.h"
#include "view/woi_overlay.h"
#include "window/menu_table.h"

// The simulator's slot table meets Qt's keyword macro below.
#undef slots

namespace {

using namespace DialogIds;
using WindowViewsTest = vt::test::WindowRoadsFixture;

// The wait cursor over the window and every dialog of the program.
bool WaitCursorShown() {
  const QCursor* cursor = QApplication::overrideCursor();
  return cursor && cursor->shape() == Qt::WaitCursor;
}
// The widgets' own cursors (the arrow, the picture's) show again.
bool OwnCursorsShown() { return QApplication::overrideCursor() == nullptr; }

// A reply and the disconnect's reset: the wait cursor from the click to the
// end of each road.
TEST_F(WindowViewsTest, TheWaitCursorShowsFromTheClickUntilTheReplyAndTheReset) {
  EXPECT_TRUE(OwnCursorsShown());
  ConnectByTyping();
  EXPECT_TRUE(WaitCursorShown());
  ASSERT_TRUE(WaitHandled(CMD_GET_CONFIG_LIST));
  ASSERT_TRUE(Idle());
  EXPECT_TRUE(OwnCursorsShown());

  window->action(MenuIds::kConnect)->trigger();
  EXPECT_TRUE(WaitCursorShown());
  ASSERT_TRUE(WaitHandled(CMD_DISCONNECT));
  ASSERT_TRUE(Idle());
  EXPECT_FALSE(state().m_bConnected);
  EXPECT_TRUE(OwnCursorsShown());
}

// A command the sensor refuses: its message, then the own cursors.
TEST_F(WindowViewsTest, TheWaitCursorGoesWhenTheSensorRefusesTheCommand) {
  ASSERT_NO_FATAL_FAILURE(ConnectInMonitor());
  vt::sim::MethodFaults refused;
  refused.fault = true;
  sensor.server.setFaults("xmlSetState", refused);
  prompt.clear();
  ClickMode(kModeService);
  EXPECT_TRUE(WaitCursorShown());
  ASSERT_TRUE(WaitHandled(CMD_MONITOR_OFF));
  ASSERT_TRUE(Idle());
  EXPECT_FALSE(prompt.messages().isEmpty());
  EXPECT_TRUE(OwnCursorsShown());
}

// The sensor holds the command: the wait cursor stays as long as it is out;
// the lost connection ends it.
TEST_F(WindowViewsTest, TheWaitCursorStaysWhileTheSensorHoldsTheCommandAndGoesWithTheLostConnection) {
  ASSERT_NO_FATAL_FAILURE(ConnectInMonitor());
  vt::sim::MethodFaults held;
  held.silence = true;
  sensor.server.setFaults("xmlSetState", held);
  const std::size_t calls = sensor.server.countCalls("xmlSetState");
  ClickMode(kModeService);
  ASSERT_TRUE(sensor.server.waitForCalls("xmlSetState", calls + 1, std::chrono::seconds(60)));
  QApplication::processEvents();
  EXPECT_TRUE(state().m_bBusy);
  EXPECT_TRUE(WaitCursorShown());

  notify->OnSensorNotify(SN_CONNECTION_LOST, 0);
  sensor.Stop();
  ASSERT_TRUE(Idle());
  EXPECT_FALSE(state().m_bConnected);
  EXPECT_TRUE(OwnCursorsShown());
}

}  // namespace

namespace {

using namespace DialogIds;

// The picture zoomed in with the toolbar's zoom-in tool and a click on it,
// then left by one of the window's ways out of zoom.
struct ZoomRoadsTest : vt::test::WindowRoadsFixture {
  ImageView& view() { return *dynamic_cast<ImageView*>(window->panels().imageView.get()); }
  QWidget* ToolButton(int command) {
    auto* bar = window->findChild<QToolBar*>(QStringLiteral("id5000bar"));
    return bar ? bar->widgetForAction(window->action(command)) : nullptr;
  }
  template <class W = QAbstractButton>
  W* PanelControl(Panel* panel, int id) {
    return panel->widget()->findChild<W*>(QStringLiteral("id%1").arg(id));
  }
  QList<QScrollBar*> ScrollBars() {
    QList<QScrollBar*> bars;
    for (const char* name : {"id1002", "id1054"}) bars += window->findChildren<QScrollBar*>(QString::fromLatin1(name));
    return bars;
  }
  // In the monitor with a reading of a code, so the zoom tools are on.
  void MonitorReading() {
    ASSERT_NO_FATAL_FAILURE(ConnectInMonitor());
    const int resumes = Count(CMD_RESUME_POLLING);
    ASSERT_TRUE(sensor.readings.takeReading());
    ASSERT_TRUE(WaitHandled(CMD_RESUME_POLLING, resumes + 1));
    ASSERT_TRUE(Idle());
  }
  // The service view showing its first stored result.
  void ServiceResult() {
    ASSERT_NO_FATAL_FAILURE(MonitorReading());
    const int refreshes = Count(CMD_REFRESH_RESULT);
    ClickMode(kModeService);
    ASSERT_TRUE(WaitHandled(CMD_REFRESH_RESULT, refreshes + 1));
    ASSERT_TRUE(Idle());
    ASSERT_TRUE(state().m_bServiceView);
  }
  void ZoomIn() {
    QWidget* tool = ToolButton(kZoomIn);
    ASSERT_TRUE(tool && tool->isEnabled());
    QTest::mouseClick(tool, Qt::LeftButton);
    QTest::mouseClick(view().widget(), Qt::LeftButton, {}, view().PictureArea().center());
    ASSERT_EQ(view().ZoomStep(), 1);
    ASSERT_EQ(ScrollBars().size(), 2);  // one pair: the picture's own
    for (QScrollBar* bar : ScrollBars()) ASSERT_TRUE(bar->isVisible());
  }
  void ExpectZoomLeft() {
    EXPECT_EQ(view().ZoomStep(), 0);
    EXPECT_EQ(view().SourceRect(), QRect(0, 0, 640, 480));
    EXPECT_FALSE(state().m_bZoomMode);
    for (QScrollBar* bar : ScrollBars()) EXPECT_FALSE(bar->isVisible()) << bar->objectName().toStdString();
    auto* corner = view().widget()->findChild<QWidget*>(QStringLiteral("CScrollSideDlg"));
    ASSERT_TRUE(corner);
    EXPECT_FALSE(corner->isVisible());
    EXPECT_EQ(window->dialogControl().requests().zoomTool, 0);
    EXPECT_FALSE(window->action(kZoomIn)->isChecked());
    EXPECT_FALSE(window->action(kZoomOut)->isChecked());
  }
};

TEST_F(ZoomRoadsTest, TheServiceModeOpensUnzoomed) {
  ASSERT_NO_FATAL_FAILURE(MonitorReading());
  ASSERT_NO_FATAL_FAILURE(ZoomIn());
  ClickMode(kModeService);
  ASSERT_TRUE(WaitHandled(CMD_GET_RESULTS_LIST));
  ASSERT_TRUE(Idle());
  ASSERT_TRUE(state().m_bServiceView);
  ExpectZoomLeft();
}

TEST_F(ZoomRoadsTest, MonitorImagesOffLeavesZoomWhole) {
  ASSERT_NO_FATAL_FAILURE(MonitorReading());
  ASSERT_NO_FATAL_FAILURE(ZoomIn());
  QTest::mouseClick(PanelControl(window->panels().monitor.get(), 1025), Qt::LeftButton);
  ExpectZoomLeft();
}

// The service panel's Images off, its list switch and its reset of the
// statistics each leave zoom whole.
TEST_F(ZoomRoadsTest, ServicePanelSwitchesAndResetLeaveZoomWhole) {
  for (int control : {1136, 1146, 1142}) {
    SCOPED_TRACE(control);
    if (!state().m_bServiceView) {
      ASSERT_NO_FATAL_FAILURE(ServiceResult());
    }
    ASSERT_NO_FATAL_FAILURE(ZoomIn());
    QTest::mouseClick(PanelControl(window->panels().service.get(), control), Qt::LeftButton);
    ASSERT_TRUE(Idle());
    ExpectZoomLeft();
    // The next switch from the list as it stands: all readings again, images on.
    for (int id : {1136, 1145}) {
      auto* button = PanelControl(window->panels().service.get(), id);
      if (button->isEnabled() && !button->isChecked()) QTest::mouseClick(button, Qt::LeftButton);
      ASSERT_TRUE(Idle());
    }
  }
}

}  // namespace

namespace {

using namespace DialogIds;

using vt::test::kCodeDefinition;
using vt::test::kProcessInterface;
// Configuration items as the simulator keeps them.
constexpr int kItemTop = 11, kItemBottom = 12, kItemRight = 13, kItemLeft = 14, kItemCodeType = 32,
              kItemRecognition = 33;

// A configuration opened with the command bar's Edit and its pages switched
// by the page buttons, as the operator does.
struct EditorRoadsTest : vt::test::EditorWindowTest {
  ImageView& view() { return *dynamic_cast<ImageView*>(window->panels().imageView.get()); }
  CConfigCodeDefinition& codeDefinition() {
    return *dynamic_cast<CConfigCodeDefinition*>(window->panels().codeDefinition.get());
  }
  CConfigImgQuality& imageQuality() { return *dynamic_cast<CConfigImgQuality*>(window->panels().imageQuality.get()); }

  // Slot 1 "Conf1" with the items given, connected, opened with Edit; the
  // live image from the simulator's source.
  void EditConfiguration(std::vector<std::pair<int, int>> items) {
    ASSERT_NO_FATAL_FAILURE(Seed(std::move(items)));
    state().m_nLiveImagePort = sensor.liveImage.port();
    ASSERT_NO_FATAL_FAILURE(Connect());
    ASSERT_NO_FATAL_FAILURE(EditExisting());
    prompt.clear();
  }
  void ClickPage(vt::test::Page page) { ASSERT_NO_FATAL_FAILURE(EditorWindowTest::Click(page)); }
  void Press(QAbstractButton* button) {
    ASSERT_TRUE(button && button->isEnabled());
    QTest::mouseClick(button, Qt::LeftButton);
  }
  void ClickTab(CPagedTabCtrl* tabs, int tab) {
    QTabBar* bar = tabs->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(tab).center());
  }
  // The window-of-interest overlay shown, none: null.
  const CWOI* Woi() {
    for (const auto& overlay : view().view().overlays())
      if (overlay->kind() == OVERLAY_WOI) return static_cast<const CWOI*>(overlay.get());
    return nullptr;
  }
  static ImageRect RectOf(const CWOI* woi) { return {woi->x1(), woi->y1(), woi->x2(), woi->y2()}; }
  static QImage Grey(const std::vector<uint8_t>& pixels) {
    return QImage(pixels.data(), 640, 480, 640, QImage::Format_Grayscale8).copy();
  }
  const QImage& Picture() { return view().view().picture(); }
};

// The code definition's Freeze: the picture the sensor took as the stream
// stopped replaces the last live frame.
TEST_F(EditorRoadsTest, FreezeShowsThePictureTheSensorTook) {
  ASSERT_NO_FATAL_FAILURE(EditConfiguration({{kItemCodeType, 1}}));
  ASSERT_NO_FATAL_FAILURE(ClickPage(kCodeDefinition));
  Press(codeDefinition().findChild<CButtonDraw*>(QStringLiteral("id1082")));
  ASSERT_TRUE(Idle());
  ASSERT_TRUE(QTest::qWaitFor([&] { return Picture().width() == 320; }, 20000));  // a live frame
  const int stops = Count(CMD_STOP_LIVE_IMAGE);
  Press(codeDefinition().findChild<CButtonDraw*>(QStringLiteral("id1081")));
  ASSERT_TRUE(WaitHandled(CMD_STOP_LIVE_IMAGE, stops + 1));
  ASSERT_TRUE(Idle());
  EXPECT_FALSE(state().m_bLiveImage);
  EXPECT_EQ(Picture(), Grey(vt::sim::PlainScene()));
}

// The trigger tab's test: the picture of each trigger is shown; back on
// the image settings the live image runs again; the trigger tab lists its
// sources anew each time it is chosen.
TEST_F(EditorRoadsTest, TriggerTestShowsItsPictureAndTheImageTabStartsTheLiveImageAgain) {
  ASSERT_NO_FATAL_FAILURE(EditConfiguration({{kItemCodeType, 1}}));
  ASSERT_EQ(state().m_nWizardStep, 7);
  CImageQualityTabctrl* tabs = imageQuality().tabs();
  trigger().sourceCombo()->clear();
  ClickTab(tabs, CImageQualityTabctrl::kTriggerTab);
  ASSERT_TRUE(Idle());
  EXPECT_EQ(tabs->currentTab(), 1);
  EXPECT_EQ(state().m_nWizardStep, 17);
  EXPECT_EQ(state().m_bTriggerTabActive, 1);
  EXPECT_GT(trigger().sourceCombo()->count(), 0);

  Press(trigger().testButton());
  ASSERT_TRUE(WaitHandled(CMD_TEST_TRIGGER_ON));
  ASSERT_TRUE(QTest::qWaitFor([&] { return sensor.readings.takeReading(); }, 10000));
  ASSERT_TRUE(WaitHandled(CMD_GET_TEST_TRIGGER_RESULTS));
  const auto taken = sensor.readings.latest();
  ASSERT_TRUE(taken);
  EXPECT_EQ(Picture(), Grey(taken->code.pixels));
  Press(trigger().testButton());
  ASSERT_TRUE(WaitHandled(CMD_TEST_TRIGGER_OFF));
  ASSERT_TRUE(Idle());

  const int starts = Count(CMD_START_LIVE_IMAGE);
  ClickTab(tabs, 0);
  ASSERT_TRUE(WaitHandled(CMD_START_LIVE_IMAGE, starts + 1));
  ASSERT_TRUE(Idle());
  EXPECT_EQ(state().m_nWizardStep, 7);
  EXPECT_EQ(state().m_bTriggerTabActive, 0);
  EXPECT_TRUE(state().m_bLiveImage);
  ASSERT_TRUE(QTest::qWaitFor([&] { return Picture().width() == 320; }, 20000));  // frames again
}

// The search area stays the configured one: a reading's window is shown
// but never taken for it; the label "Search area" belongs to the code
// definition page; after Auto Detect the configured area is shown again.
TEST_F(EditorRoadsTest, TheSearchAreaStaysTheConfiguredOne) {
  const ImageRect configured{80, 60, 560, 400};
  ASSERT_NO_FATAL_FAILURE(EditConfiguration({{kItemCodeType, 1},
                                             {kItemRecognition, 0},
                                             {kItemLeft, configured.x1},
                                             {kItemTop, configured.y1},
                                             {kItemRight, configured.x2},
                                             {kItemBottom, configured.y2}}));
  // The image-quality page: the area without its label.
  ASSERT_TRUE(Woi());
  EXPECT_EQ(RectOf(Woi()), configured);
  EXPECT_FALSE(Woi()->labelShown());

  ASSERT_NO_FATAL_FAILURE(ClickPage(kCodeDefinition));
  ASSERT_TRUE(Woi());
  EXPECT_TRUE(Woi()->labelShown());
  // Read code: the sensor searched the configured area.
  CButtonDraw* readCode = codeDefinition().findChild<CButtonDraw*>(QStringLiteral("id1080"));
  const int reads = Count(CMD_GET_READ_CODE);
  Press(readCode);
  ASSERT_TRUE(WaitHandled(CMD_GET_READ_CODE, reads + 1));
  ASSERT_TRUE(Idle());
  ASSERT_TRUE(Woi());
  EXPECT_EQ(RectOf(Woi()), configured);
  EXPECT_EQ(state().m_rcWoi, configured);

  // A sensor that reports a smaller window for its reading: shown as the
  // reading's, the configured area kept.
  sensor.server.setMethod("xmlGetResult", [this](const XmlRpc::XmlRpcValue& p) {
    XmlRpc::XmlRpcValue reply = sensor.readings.result(p[0].asInt());
    reply[2 + 11] = 300, reply[2 + 12] = 360, reply[2 + 13] = 200, reply[2 + 14] = 260;
    return reply;
  });
  Press(readCode);
  ASSERT_TRUE(WaitHandled(CMD_GET_READ_CODE, reads + 2));
  ASSERT_TRUE(Idle());
  ASSERT_TRUE(Woi());
  EXPECT_EQ(RectOf(Woi()), (ImageRect{300, 200, 360, 260}));
  EXPECT_EQ(state().m_rcWoi, configured);

  // Auto Detect shows a new picture: the configured area over it.
  const int detections = Count(CMD_AUTO_DETECT_CODE);
  Press(codeDefinition().tab1()->autoDetectButton());
  ASSERT_TRUE(WaitHandled(CMD_AUTO_DETECT_CODE, detections + 1));
  ASSERT_TRUE(Idle());
  ASSERT_TRUE(Woi());
  EXPECT_EQ(RectOf(Woi()), configured);
  EXPECT_TRUE(Woi()->labelShown());
  EXPECT_EQ(state().m_rcWoi, configured);
  SaveScreenshot(*window, "search_area_after_auto_detect");
}

}  // namespace

namespace {

using namespace DialogIds;

// The monitor reading codes, the pointer over the picture.
struct MonitorViewsTest : ZoomRoadsTest {
  BalloonTip& balloon() { return *dynamic_cast<BalloonTip*>(window->panels().balloon.get()); }
  ::testing::AssertionResult Reading(const std::string& text) {
    sensor.readings.setNextText(text);
    const int resumes = Count(CMD_RESUME_POLLING);
    if (!sensor.readings.takeReading()) return ::testing::AssertionFailure() << "no reading";
    if (!WaitHandled(CMD_RESUME_POLLING, resumes + 1)) return ::testing::AssertionFailure() << "not shown";
    if (!Idle()) return ::testing::AssertionFailure() << "busy";
    return ::testing::AssertionSuccess();
  }
};

// Images off and on again: the next reading shows its code box.
TEST_F(MonitorViewsTest, ImagesOnAgainShowsTheNextReadingsCodeBoxes) {
  ASSERT_NO_FATAL_FAILURE(MonitorReading());
  ASSERT_EQ(view().CountOverlaysOfKind(1), 1);
  auto* images = PanelControl(window->panels().monitor.get(), 1025);
  QTest::mouseClick(images, Qt::LeftButton);
  EXPECT_EQ(view().CountOverlaysOfKind(1), 0);
  QTest::mouseClick(images, Qt::LeftButton);
  ASSERT_TRUE(images->isChecked());
  ASSERT_TRUE(Reading("AGAIN"));
  EXPECT_EQ(view().CountOverlaysOfKind(1), 1);
}

// A pointer resting on a code shows the lines of the reading shown, also
// when a new reading comes; the first move after an information box shows none.
TEST_F(MonitorViewsTest, TheTooltipShowsTheReadingUnderTheRestingPointer) {
  ASSERT_NO_FATAL_FAILURE(MonitorReading());
  ASSERT_TRUE(Reading("A1"));
  const QPoint onBox = vt::test::CodeBoxMiddle(view(), state().m_ReadResults[0]);
  QTest::mouseMove(view().widget(), onBox);
  ASSERT_TRUE(balloon().shown());
  const QStringList small = balloon().lines(CTestResults::kPictureControl);
  ASSERT_FALSE(small.isEmpty());

  // A longer text makes a larger code around the same middle.
  ASSERT_TRUE(Reading("A LONGER TEXT OF THE NEXT READING, 0123456789"));
  ASSERT_TRUE(QRect(view().PictureArea()).contains(onBox));
  EXPECT_TRUE(balloon().shown());
  const QStringList large = balloon().lines(CTestResults::kPictureControl);
  ASSERT_FALSE(large.isEmpty());
  EXPECT_NE(large[0], small[0]) << large[0].toStdString();

  state().m_bSuppressTooltipOnce = 1;  // as an information box leaves it
  QTest::mouseMove(view().widget(), onBox + QPoint(1, 0));
  EXPECT_FALSE(balloon().shown());
  EXPECT_EQ(state().m_bSuppressTooltipOnce, 0);
  QTest::mouseMove(view().widget(), onBox);
  EXPECT_TRUE(balloon().shown());
}

using WindowDialogsTest = vt::test::WindowRoadsFixture;

// The colour settings say they are open (for the help topic) while they are.
TEST_F(WindowDialogsTest, TheColourDialogIsTheOpenDialogWhileItShows) {
  int openInside = -1;
  int topicInside = -1;
  prompt.setDialogHandler([&](QDialog& dialog) {
    openInside = state().m_nOpenDialog;
    topicInside = window->dialogControl().ShowContextHelp();
    QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("id1")), Qt::LeftButton);
    return dialog.result();
  });
  window->dialogControl().setHelpLauncher([](int) {});
  window->action(MenuIds::kColour)->trigger();
  EXPECT_EQ(openInside, 1);
  EXPECT_EQ(topicInside, window->resources().definition(418).trimmed().toInt());
  EXPECT_EQ(state().m_nOpenDialog, 0);
}

// The software update is an entry of the File menu, after the service
// report; the state starts with no copy target and no code type to revert.
TEST_F(WindowDialogsTest, UpdateSitsInTheFileMenuAndTheStateStartsAsTheWindowDoes) {
  QMenu* file = window->popupOfText(100);
  QMenu* settings = window->popupOfText(400);
  ASSERT_TRUE(file && settings);
  const QList<QAction*> entries = file->actions();
  ASSERT_GE(entries.size(), 2);
  EXPECT_EQ(entries[1], window->action(MenuIds::kUpdate));
  EXPECT_EQ(entries[1]->text(), window->text(120).section('\t', 0, 0));
  EXPECT_FALSE(settings->actions().contains(window->action(MenuIds::kUpdate)));
  EXPECT_EQ(entries.last(), window->action(MenuIds::kExit));
  EXPECT_EQ(state().m_nTargetGroup, -2);
  EXPECT_EQ(state().m_nRevertCodeType, -1);
}

// The process interface's modes show whole, in the list shown and open,
// in English and German.
TEST_F(EditorRoadsTest, TheProcessInterfaceModesShowWhole) {
  ASSERT_NO_FATAL_FAILURE(EditConfiguration({{kItemCodeType, 1}}));
  ASSERT_NO_FATAL_FAILURE(ClickPage(kProcessInterface));
  auto* modes = window->panels().processInterface->widget()->findChild<QComboBox*>(QStringLiteral("id1226"));
  ASSERT_TRUE(modes && modes->isVisible());
  for (int language : {MenuIds::kLanguageBase + 9, MenuIds::kLanguageBase + 7}) {
    window->action(language)->trigger();
    QStyleOptionComboBox option;
    option.initFrom(modes);
    const QRect field = modes->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, modes);
    ASSERT_EQ(modes->count(), 7);
    for (int i = 0; i < modes->count(); ++i) {
      const int needed = modes->fontMetrics().horizontalAdvance(modes->itemText(i));
      EXPECT_LE(needed, field.width()) << language << ": " << modes->itemText(i).toStdString();
      EXPECT_LE(needed, modes->view()->minimumWidth()) << language << ": " << modes->itemText(i).toStdString();
      EXPECT_FALSE(modes->itemText(i).isEmpty()) << language << ": " << i;
    }
    SaveScreenshot(*window->panels().processInterface->widget(),
                   language == MenuIds::kLanguageBase + 9 ? "process_modes_english" : "process_modes_german");
  }
}

}  // namespace
