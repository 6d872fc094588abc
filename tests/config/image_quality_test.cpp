// The image-quality page with its trigger tab against the simulated sensor:
// the exposure steps, the arrow-click write, the buttons and segment picks.
#include "editor_fixture.h"

#include <QContextMenuEvent>
#include <QTimer>
#include <functional>
#include <QLabel>
#include <QMenu>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>

#include "codedef/image/config_image_qty_param.h"
#include "codedef/image/config_img_quality.h"
#include "controls/button_draw.h"
#include "controls/control_services.h"
#include "controls/illum_widget.h"
#include "controls/image_quality_tabctrl.h"
#include "core/exposure_steps.h"

namespace vt::test {
namespace {

struct ImageQualityPage : EditorFixture {
  void AddPages(MainPanels& panels) override {
    EditorFixture::AddPages(panels);
    auto page = std::make_unique<CConfigImgQuality>();
    imagePage = page.get();
    panels.imageQuality = std::move(page);
  }
  void SetUp() override {
    EditorFixture::SetUp();
    imagePage->resize(356, 480);  // the editor's panel
    imagePage->show();
  }
  CConfigImageQtyParam& params() { return *imagePage->parameters(); }
  std::size_t Writes() const {
    return sensor.server.countCalls("xmlSetConfigData") + sensor.server.countCalls("xmlSetConfigExtendedData");
  }
  bool SamePicture(int bitmap) {
    return imagePage->picture()->pixmap().toImage() == lindaroBitmap(bitmap).toImage();
  }
  QScrollBar* bar() { return params().scrollBar(); }
  // Where a part of the scroll bar (arrow, thumb) is drawn now.
  QRect BarPart(QStyle::SubControl part) {
    QScrollBar* b = bar();
    QStyleOptionSlider opt;
    opt.initFrom(b);
    opt.subControls = QStyle::SC_All;
    opt.orientation = b->orientation();
    opt.state |= QStyle::State_Horizontal;
    opt.minimum = b->minimum();
    opt.maximum = b->maximum();
    opt.sliderPosition = b->sliderPosition();
    opt.sliderValue = b->value();
    opt.singleStep = b->singleStep();
    opt.pageStep = b->pageStep();
    return b->style()->subControlRect(QStyle::CC_ScrollBar, &opt, part, b);
  }
  static int Exposure(int position) {
    ExposureTable table{};
    BuildExposureTable(table);
    return static_cast<int>(table[static_cast<std::size_t>(position)]);
  }
  QString ShownText(int position) {
    ExposureTable table{};
    BuildExposureTable(table);
    return QString::fromStdU16String(
        ExposureText(table, position, window->text(8612).toStdU16String(), window->text(8611).toStdU16String()));
  }
  bool TimerDone() { return QTest::qWaitFor([&] { return !params().writePending(); }, 5000); }
  QStringList Messages() {
    QStringList out;
    for (const auto& m : prompt.messages()) out << m.text;
    return out;
  }
  CConfigImgQuality* imagePage = nullptr;
};

TEST_F(ImageQualityPage, ExposureStepsShowTheNearestStepAndItsText) {
  struct Case {
    int value, position;
    const char* text;
    int unit;
  };
  const Case cases[] = {{4, 0, "1.00", 8612},      {6, 1, "10.00", 8612},    {15, 1, "10.00", 8612},
                        {16, 2, "20.00", 8612},    {1000, 40, "1.00", 8611}, {20000, 191, "15.00", 8611},
                        {15000, 190, "15.00", 8611}};
  for (const Case& c : cases) {
    state().m_Configuration.imageQuality.ExposureTime = c.value;
    params().ShowSettings();
    EXPECT_EQ(params().scrollBar()->value(), c.position) << c.value;
    EXPECT_EQ(params().exposureText()->text(), QString("%1 %2").arg(c.text, window->text(c.unit))) << c.value;
  }
}

TEST_F(ImageQualityPage, TenArrowClicksWriteOnceAfterTheLast) {
  OpenConfiguration({{kItemExposure, 500}});
  ASSERT_EQ(params().scrollBar()->value(), 30);
  const std::size_t writes = Writes();
  const QPoint arrow = BarPart(QStyle::SC_ScrollBarAddLine).center();
  for (int i = 0; i < 10; ++i) QTest::mouseClick(bar(), Qt::LeftButton, {}, arrow);
  EXPECT_EQ(bar()->value(), 40);
  EXPECT_TRUE(params().writePending());
  EXPECT_EQ(Writes(), writes);
  ASSERT_TRUE(TimerDone());
  EXPECT_EQ(Writes(), writes + 1);
  EXPECT_EQ(Item(kItemExposure), 1000);
  // The ends are written at once.
  params().scrollBar()->triggerAction(QAbstractSlider::SliderToMaximum);
  EXPECT_EQ(Item(kItemExposure), 15000);
  params().scrollBar()->triggerAction(QAbstractSlider::SliderToMinimum);
  EXPECT_EQ(Item(kItemExposure), 1);
}

TEST_F(ImageQualityPage, ExternalShowsIlluminationOffAndReadsTheConfigurationBack) {
  OpenConfiguration({{kItemInternal, 1}, {kItemSegments, 5}});
  SaveScreenshot(*imagePage, "image_quality_page");
  EXPECT_TRUE(params().button(1076)->isChecked());
  const int reads = Count(CMD_GET_CONFIG_DATA);
  QTest::mouseClick(params().button(1077), Qt::LeftButton);
  EXPECT_EQ(imagePage->shownMask(), -1);
  EXPECT_TRUE(SamePicture(200));
  ASSERT_TRUE(WaitHandled(CMD_GET_CONFIG_DATA, reads + 1));
  ASSERT_TRUE(Idle());
  EXPECT_EQ(Item(kItemInternal), 0);
  EXPECT_TRUE(params().button(1077)->isChecked());
  // Clicking the lighting already set sends nothing.
  QTest::mouseClick(params().button(1077), Qt::LeftButton);
  QApplication::processEvents();
  EXPECT_FALSE(state().m_bBusy);
  EXPECT_EQ(Count(CMD_SET_CONFIG_DATA), 1);
}

TEST_F(ImageQualityPage, AutoSettingShowsTheExposureTheSensorFound) {
  OpenConfiguration({{kItemExposure, 500}});
  sensor.model.access([](vt::sim::SensorData& d) { d.calculatedExposure = 3000; });
  QTest::mouseClick(params().button(1081), Qt::LeftButton);
  ASSERT_TRUE(WaitHandled(CMD_CALCULATE_EXPOSURE));
  ASSERT_TRUE(QTest::qWaitFor([&] { return Count(CMD_GET_CONFIG_DATA) >= 2; }, 30000));
  ASSERT_TRUE(Idle());
  EXPECT_EQ(params().exposureText()->text(), "3.00 " + window->text(8611));
  EXPECT_FALSE(params().button(1081)->isChecked());
  imagePage->show();
  ASSERT_EQ(imagePage->tabs()->SelectPage(1), 1);
  ASSERT_TRUE(triggerPage->isVisible());
  SaveScreenshot(*imagePage, "image_quality_trigger_tab");
}

TEST_F(ImageQualityPage, SegmentClicksToggleTheirBitAndGreyChangesNothing) {
  OpenConfiguration({{kItemInternal, 1}, {kItemSegments, 0}});
  struct Case {
    QPoint at;
    int mask;
  };
  // Grey centre first: nothing; then right, bottom, left, top in turn.
  const Case cases[] = {{{80, 80}, 0}, {{145, 80}, 1}, {{80, 145}, 3}, {{15, 80}, 7}, {{80, 15}, 15}, {{145, 80}, 14}};
  for (const Case& c : cases) {
    QTest::mouseClick(imagePage->picture(), Qt::LeftButton, {}, c.at);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !imagePage->pickPending(); }, 3000));
    EXPECT_EQ(Item(kItemSegments), c.mask) << c.at.x() << "," << c.at.y();
    EXPECT_TRUE(SamePicture(201 + c.mask)) << c.mask;
  }
  // A pick while the sensor is busy is written once it is free.
  state().m_bBusy = 1;
  QTest::mouseClick(imagePage->picture(), Qt::LeftButton, {}, QPoint(145, 80));
  EXPECT_FALSE(imagePage->pickPending()) << "busy: the click is ignored";
  state().m_bBusy = 0;
  QTest::mouseClick(imagePage->picture(), Qt::LeftButton, {}, QPoint(145, 80));
  state().m_bBusy = 1;
  ASSERT_TRUE(QTest::qWaitFor([&] { return imagePage->commitWaiting(); }, 3000));
  EXPECT_EQ(Item(kItemSegments), 14);
  state().m_bBusy = 0;
  ASSERT_TRUE(QTest::qWaitFor([&] { return !imagePage->pickPending(); }, 3000));
  EXPECT_EQ(Item(kItemSegments), 15);
}

}  // namespace
}  // namespace vt::test

namespace vt::test {
namespace {

// The keyboard on the scroll bar: page moves of 15 and the ends are written
// at once (the arrows, by mouse, wait for the timer: the test above).
TEST_F(ImageQualityPage, PageMovesAndTheEndsAreWrittenAtOnce) {
  OpenConfiguration({{kItemExposure, 500}});
  struct Case {
    int from;
    Qt::Key key;
    int to;
  };
  const Case cases[] = {{5, Qt::Key_PageUp, 0},     {185, Qt::Key_PageDown, 191}, {100, Qt::Key_PageDown, 115},
                        {100, Qt::Key_PageUp, 85},  {100, Qt::Key_Home, 0},       {100, Qt::Key_End, 191}};
  for (const Case& c : cases) {
    bar()->setValue(c.from);
    const std::size_t writes = Writes();
    QTest::keyClick(bar(), c.key);
    EXPECT_EQ(bar()->value(), c.to) << c.from << " key " << c.key;
    EXPECT_EQ(Writes(), writes + 1) << c.from << " key " << c.key;
    EXPECT_FALSE(params().writePending());
    EXPECT_EQ(Item(kItemExposure), Exposure(c.to)) << c.from << " key " << c.key;
    EXPECT_EQ(params().exposureText()->text(), ShownText(c.to)) << c.from << " key " << c.key;
  }
  EXPECT_TRUE(Messages().isEmpty()) << Messages().join("|").toStdString();
}

// Dragging the thumb shows each step and writes only when it is let go.
TEST_F(ImageQualityPage, TheThumbIsWrittenWhenReleased) {
  OpenConfiguration({{kItemExposure, 500}});
  const std::size_t writes = Writes();
  const QPoint from = BarPart(QStyle::SC_ScrollBarSlider).center();
  const QPoint to = from + QPoint(60, 0);
  auto send = [&](QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held) {
    QMouseEvent e(type, QPointF(at), QPointF(bar()->mapToGlobal(at)), button, held, Qt::NoModifier);
    QApplication::sendEvent(bar(), &e);
  };
  send(QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
  send(QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
  const int dragged = bar()->sliderPosition();
  ASSERT_GT(dragged, 30);
  EXPECT_EQ(Writes(), writes) << "no write while dragging";
  EXPECT_EQ(params().exposureText()->text(), ShownText(dragged));
  send(QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
  EXPECT_EQ(Writes(), writes + 1);
  EXPECT_EQ(Item(kItemExposure), Exposure(dragged));
}

// While a command is out a move is not lost: the timer writes it once the
// sensor is free, even when the configuration was read back meanwhile.
TEST_F(ImageQualityPage, AMoveWhileBusyIsWrittenOnceFree) {
  OpenConfiguration({{kItemExposure, 500}});
  ASSERT_EQ(bar()->value(), 30);
  const std::size_t writes = Writes();
  state().m_bBusy = 1;
  QTest::keyClick(bar(), Qt::Key_PageDown);
  QTest::keyClick(bar(), Qt::Key_End);
  EXPECT_EQ(Writes(), writes);
  EXPECT_TRUE(params().writePending());
  window->PostSensorCommand(CMD_GET_CONFIG_DATA);  // the sensor still has 500
  ASSERT_TRUE(Idle());
  EXPECT_EQ(bar()->value(), 191);
  ASSERT_TRUE(TimerDone());
  EXPECT_EQ(Writes(), writes + 1);
  EXPECT_EQ(Item(kItemExposure), 15000);
}

TEST_F(ImageQualityPage, AFailedTimedWriteIsShownOnceAndNotRetried) {
  OpenConfiguration({{kItemExposure, 500}});
  const std::size_t writes = Writes();
  sensor.model.script().push("xmlSetConfigData", vt::sim::ScriptedReply::status(-102));
  QTest::mouseClick(bar(), Qt::LeftButton, {}, BarPart(QStyle::SC_ScrollBarAddLine).center());
  ASSERT_TRUE(TimerDone());
  EXPECT_EQ(Writes(), writes + 1);
  EXPECT_EQ(Messages().size(), 1) << Messages().join("|").toStdString();
  EXPECT_EQ(Item(kItemExposure), 500);
}

// A configuration that cannot be encoded (never read whole) writes nothing
// and says so once; the lighting and characteristic buttons give back busy,
// the pending flag and their old choice.
TEST_F(ImageQualityPage, ChangesThatCannotBeEncodedAreReportedOnce) {
  OpenConfiguration({{kItemInternal, 1}, {kItemSegments, 0}, {kItemExposure, 500}});
  const QString notEncoded = window->text(51386);
  ASSERT_FALSE(notEncoded.isEmpty());
  struct Case {
    const char* what;
    std::function<void()> act;
  };
  const Case cases[] = {
      {"arrow", [&] { QTest::mouseClick(bar(), Qt::LeftButton, {}, BarPart(QStyle::SC_ScrollBarAddLine).center()); }},
      {"page", [&] { QTest::keyClick(bar(), Qt::Key_PageDown); }},
      {"segment", [&] { QTest::mouseClick(imagePage->picture(), Qt::LeftButton, {}, QPoint(145, 80)); }},
      {"external", [&] { QTest::mouseClick(params().button(1077), Qt::LeftButton); }},
      {"logarithmic", [&] { QTest::mouseClick(params().button(1080), Qt::LeftButton); }},
  };
  for (const Case& c : cases) {
    const ParameterList kept = state().m_ConfigData;
    state().m_ConfigData.resize(3);
    prompt.clear();
    const std::size_t writes = Writes();
    const int posts = Count(CMD_SET_CONFIG_DATA);
    c.act();
    ASSERT_TRUE(TimerDone()) << c.what;
    ASSERT_TRUE(QTest::qWaitFor([&] { return !imagePage->pickPending(); }, 3000)) << c.what;
    EXPECT_EQ(Messages(), QStringList{notEncoded}) << c.what;
    EXPECT_EQ(Writes(), writes) << c.what;
    EXPECT_FALSE(state().m_bBusy) << c.what;
    EXPECT_FALSE(state().m_bKeepExposureDisabled) << c.what;
    QApplication::processEvents();
    EXPECT_EQ(Count(CMD_SET_CONFIG_DATA), posts) << c.what;
    state().m_ConfigData = kept;
  }
  EXPECT_TRUE(params().button(1076)->isChecked());
  EXPECT_FALSE(params().button(1077)->isChecked());
  EXPECT_TRUE(params().button(1079)->isChecked());
  EXPECT_FALSE(params().button(1080)->isChecked());
  EXPECT_EQ(state().m_Configuration.imageQuality.Internal, 1);
  EXPECT_EQ(state().m_Configuration.imageQuality.Logarithmic, 0);
  EXPECT_TRUE(bar()->isEnabled());
}

// A pick the sensor is busy for is kept through a read-back and written once free.
TEST_F(ImageQualityPage, ABusyPickSurvivesAReadBackAndIsWrittenOnceFree) {
  OpenConfiguration({{kItemInternal, 1}, {kItemSegments, 0}});
  QTest::mouseClick(imagePage->picture(), Qt::LeftButton, {}, QPoint(80, 15));  // top
  state().m_bBusy = 1;
  ASSERT_TRUE(QTest::qWaitFor([&] { return imagePage->commitWaiting(); }, 3000));
  window->PostSensorCommand(CMD_GET_CONFIG_DATA);  // the sensor still has 0
  ASSERT_TRUE(Idle());
  EXPECT_TRUE(SamePicture(201 + 8));
  ASSERT_TRUE(QTest::qWaitFor([&] { return !imagePage->pickPending(); }, 3000));
  EXPECT_EQ(Item(kItemSegments), 8);
  // Two quick clicks: both picks are made.
  QTest::mouseClick(imagePage->picture(), Qt::LeftButton, {}, QPoint(145, 80));  // right
  QTest::mouseClick(imagePage->picture(), Qt::LeftButton, {}, QPoint(15, 80));   // left
  ASSERT_TRUE(QTest::qWaitFor([&] { return !imagePage->pickPending(); }, 3000));
  EXPECT_EQ(Item(kItemSegments), 8 + 1 + 4);
  EXPECT_TRUE(SamePicture(201 + 13));
}

// The sensor refuses a lighting change or the exposure search: the page
// shows what it still has, the Auto button up and the exposure free.
TEST_F(ImageQualityPage, AClickTheSensorRefusesShowsItsSettingsAgain) {
  OpenConfiguration({{kItemInternal, 1}, {kItemSegments, 5}, {kItemExposure, 500}});
  struct Case {
    const char* method;
    int button;
    int command;
  };
  for (const Case& c : {Case{"xmlSetConfigData", 1077, CMD_SET_CONFIG_DATA},
                        Case{"xmlCalculateExpTime", 1081, CMD_CALCULATE_EXPOSURE}}) {
    prompt.clear();
    const int replies = Count(c.command);
    // A warning-range status: an error-range one would also end the connection.
    sensor.model.script().push(c.method, vt::sim::ScriptedReply::status(-4010));
    QTest::mouseClick(params().button(c.button), Qt::LeftButton);
    ASSERT_TRUE(WaitHandled(c.command, replies + 1)) << c.method;
    ASSERT_TRUE(Idle()) << c.method;
    EXPECT_EQ(prompt.messages().size(), 1u) << c.method;
    EXPECT_TRUE(params().button(1076)->isChecked()) << c.method;
    EXPECT_FALSE(params().button(1077)->isChecked()) << c.method;
    EXPECT_FALSE(params().button(1081)->isChecked()) << c.method;
    EXPECT_TRUE(SamePicture(201 + 5)) << c.method;
    EXPECT_TRUE(bar()->isEnabled()) << c.method;
    EXPECT_EQ(bar()->value(), 30) << c.method;
    EXPECT_FALSE(state().m_bKeepExposureDisabled) << c.method;
    EXPECT_EQ(state().m_Configuration.imageQuality.Internal, 1) << c.method;
    EXPECT_EQ(Item(kItemInternal), 1) << c.method;
  }
}

// A refused click gives the live image back as it was before the click:
// running again when it ran (one start, after the message), still off when it
// was off, and left off when the page was left meanwhile or the refusal
// ended the connection.
TEST_F(ImageQualityPage, ARefusedClickGivesTheLiveImageBack) {
  state().m_nLiveImagePort = sensor.liveImage.port();
  state().m_bImageQualityView = 1;  // as the page button leaves it
  OpenConfiguration({{kItemInternal, 1}, {kItemSegments, 5}, {kItemExposure, 500}});
  ASSERT_TRUE(state().m_bLiveImage);
  ASSERT_TRUE(sensor.liveImage.streaming());
  struct Case {
    const char* what;
    const char* method;
    int button, command, status;
    bool liveBefore, leavePage, liveAfter;
  };
  // The connection's end last: nothing follows it.
  const Case cases[] = {
      {"lighting", "xmlSetConfigData", 1077, CMD_SET_CONFIG_DATA, -4010, true, false, true},
      {"characteristic", "xmlSetConfigData", 1080, CMD_SET_CONFIG_DATA, -4010, true, false, true},
      {"auto setting", "xmlCalculateExpTime", 1081, CMD_CALCULATE_EXPOSURE, -4010, true, false, true},
      {"live off before", "xmlSetConfigData", 1077, CMD_SET_CONFIG_DATA, -4010, false, false, false},
      {"auto, live off before", "xmlCalculateExpTime", 1081, CMD_CALCULATE_EXPOSURE, -4010, false, false, false},
      {"page left", "xmlSetConfigData", 1077, CMD_SET_CONFIG_DATA, -4010, true, true, false},
      {"connection ended", "xmlSetConfigData", 1077, CMD_SET_CONFIG_DATA, -102, true, false, false},
  };
  for (const Case& c : cases) {
    state().m_bImageQualityView = 1;
    if (c.liveBefore != bool(state().m_bLiveImage)) {
      const int id = c.liveBefore ? CMD_START_LIVE_IMAGE : CMD_STOP_LIVE_IMAGE;
      const int done = Count(id);
      Post(id);
      ASSERT_TRUE(WaitHandled(id, done + 1)) << c.what;
      ASSERT_TRUE(Idle()) << c.what;
    }
    ASSERT_EQ(sensor.liveImage.streaming(), c.liveBefore) << c.what;
    prompt.clear();
    const int starts = Count(CMD_START_LIVE_IMAGE);
    const int replies = Count(c.command);
    sensor.model.script().push(c.method, vt::sim::ScriptedReply::status(c.status));
    QTest::mouseClick(params().button(c.button), Qt::LeftButton);
    if (c.leavePage) state().m_bImageQualityView = 0;  // before the reply is handled
    ASSERT_TRUE(WaitHandled(c.command, replies + 1)) << c.what;
    ASSERT_TRUE(Idle()) << c.what;
    EXPECT_EQ(prompt.messages().size(), 1u) << c.what;
    EXPECT_EQ(Count(CMD_START_LIVE_IMAGE), starts + (c.liveAfter ? 1 : 0)) << c.what;
    EXPECT_EQ(bool(state().m_bLiveImage), c.liveAfter) << c.what;
    EXPECT_EQ(sensor.liveImage.streaming(), c.liveAfter) << c.what;
    EXPECT_TRUE(params().button(1076)->isChecked()) << c.what;
    EXPECT_FALSE(params().button(1081)->isChecked()) << c.what;
    EXPECT_TRUE(bar()->isEnabled()) << c.what;
  }
  EXPECT_FALSE(state().m_bConnected);
}

// A live image the sensor will not stop is shown. A warning lets the change
// go on (its read-back starts the picture again); an error that ends the
// connection ends the click there: nothing written, the page as before.
TEST_F(ImageQualityPage, ARefusedLiveStopIsShownAndOnlyAnEndedConnectionEndsTheClick) {
  state().m_nLiveImagePort = sensor.liveImage.port();
  state().m_bImageQualityView = 1;
  OpenConfiguration({{kItemInternal, 1}, {kItemSegments, 5}, {kItemExposure, 500}});
  ASSERT_TRUE(state().m_bLiveImage);

  prompt.clear();
  int replies = Count(CMD_SET_CONFIG_DATA);
  sensor.model.script().push("xmlStopLiveImage", vt::sim::ScriptedReply::status(-4010));
  QTest::mouseClick(params().button(1077), Qt::LeftButton);  // External
  ASSERT_TRUE(WaitHandled(CMD_SET_CONFIG_DATA, replies + 1));
  ASSERT_TRUE(Idle());
  ASSERT_EQ(prompt.messages().size(), 1u);
  EXPECT_TRUE(prompt.messages()[0].text.contains("4010")) << prompt.messages()[0].text.toStdString();
  EXPECT_EQ(Item(kItemInternal), 0);
  EXPECT_TRUE(params().button(1077)->isChecked());
  ASSERT_TRUE(QTest::qWaitFor([&] { return bool(state().m_bLiveImage); }, 5000));

  prompt.clear();
  replies = Count(CMD_SET_CONFIG_DATA);
  const std::size_t writes = Writes();
  sensor.model.script().push("xmlStopLiveImage", vt::sim::ScriptedReply::status(-102));
  QTest::mouseClick(params().button(1076), Qt::LeftButton);  // Internal
  ASSERT_TRUE(Idle());
  EXPECT_EQ(prompt.messages().size(), 1u);
  EXPECT_FALSE(state().m_bConnected);
  EXPECT_EQ(Count(CMD_SET_CONFIG_DATA), replies);
  EXPECT_EQ(Writes(), writes);
  EXPECT_EQ(Item(kItemInternal), 1);  // the disconnect ended the edit unsaved
  EXPECT_EQ(state().m_Configuration.imageQuality.Internal, 0);
  EXPECT_TRUE(params().button(1077)->isChecked());
  EXPECT_FALSE(params().button(1076)->isChecked());
  EXPECT_FALSE(state().m_bBusy);
  EXPECT_FALSE(state().m_bKeepExposureDisabled);
}

// The bar moves as the platform's horizontal bar does: Left, Up and the left
// arrow a step towards 1, Right, Down and the right arrow towards 15000 (the
// timer writes them), pages of 15 and the ends at once. The wheel moves
// nothing; "Scroll here" from the context menu is written at once.
TEST_F(ImageQualityPage, EveryWayOfMovingTheBarStepsAsThePlatformsBarAndIsWritten) {
  OpenConfiguration({{kItemExposure, 500}});
  const auto key = [&](Qt::Key k) { return [this, k] { QTest::keyClick(bar(), k); }; };
  const auto arrow = [&](QStyle::SubControl part) {
    return [this, part] { QTest::mouseClick(bar(), Qt::LeftButton, {}, BarPart(part).center()); };
  };
  const QPoint here(bar()->width() * 3 / 4, bar()->height() / 2);
  struct Case {
    const char* input;
    std::function<void()> act;
    int to;  // -1: where "Scroll here" puts it
    bool timed;
  };
  const Case cases[] = {
      {"Left", key(Qt::Key_Left), 99, true},
      {"Up", key(Qt::Key_Up), 99, true},
      {"left arrow", arrow(QStyle::SC_ScrollBarSubLine), 99, true},
      {"Right", key(Qt::Key_Right), 101, true},
      {"Down", key(Qt::Key_Down), 101, true},
      {"right arrow", arrow(QStyle::SC_ScrollBarAddLine), 101, true},
      {"PageUp", key(Qt::Key_PageUp), 85, false},
      {"PageDown", key(Qt::Key_PageDown), 115, false},
      {"Home", key(Qt::Key_Home), 0, false},
      {"End", key(Qt::Key_End), 191, false},
      {"wheel", [&] {
         QWheelEvent e(QPointF(here), QPointF(bar()->mapToGlobal(here)), {}, {0, 120}, Qt::NoButton, Qt::NoModifier,
                       Qt::NoScrollPhase, false);
         QApplication::sendEvent(bar(), &e);
       }, 100, false},
      {"Scroll here", [&] {
         QTimer::singleShot(0, [] {
           auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
           ASSERT_TRUE(menu && !menu->actions().isEmpty());
           menu->setActiveAction(menu->actions().first());
           QTest::keyClick(menu, Qt::Key_Return);
         });
         QContextMenuEvent e(QContextMenuEvent::Mouse, here, bar()->mapToGlobal(here));
         QApplication::sendEvent(bar(), &e);
       }, -1, false},
  };
  for (const Case& c : cases) {
    bar()->setValue(100);
    const std::size_t writes = Writes();
    c.act();
    const int to = c.to >= 0 ? c.to : bar()->value();
    if (c.to < 0) {
      EXPECT_GT(to, 130) << c.input;
    }
    EXPECT_EQ(bar()->value(), to) << c.input;
    EXPECT_EQ(params().exposureText()->text(), ShownText(to)) << c.input;
    EXPECT_EQ(params().writePending(), c.timed) << c.input;
    ASSERT_TRUE(TimerDone()) << c.input;
    EXPECT_EQ(Writes(), writes + (to == 100 ? 0 : 1)) << c.input;
    if (to != 100) {
      EXPECT_EQ(Item(kItemExposure), Exposure(to)) << c.input;
    }
  }
  EXPECT_TRUE(Messages().isEmpty()) << Messages().join("|").toStdString();
}

// The sensor takes the change but the read-back fails: the page keeps what it
// shows, with Auto up, the bar free and the live image back.
TEST_F(ImageQualityPage, AFailedReadBackAfterATakenChangeFreesThePage) {
  state().m_nLiveImagePort = sensor.liveImage.port();
  state().m_bImageQualityView = 1;
  OpenConfiguration({{kItemInternal, 1}, {kItemSegments, 5}, {kItemExposure, 500}});
  ASSERT_TRUE(state().m_bLiveImage);
  sensor.model.access([](vt::sim::SensorData& d) { d.calculatedExposure = 3000; });
  struct Case {
    const char* what;
    int button;
    int item, value;  // what the sensor took
  };
  for (const Case& c : {Case{"lighting", 1077, kItemInternal, 0}, Case{"auto setting", 1081, kItemExposure, 3000}}) {
    prompt.clear();
    const int starts = Count(CMD_START_LIVE_IMAGE);
    const int reads = Count(CMD_GET_CONFIG_DATA);
    sensor.model.script().push("xmlGetConfigData", vt::sim::ScriptedReply::status(-4010));
    QTest::mouseClick(params().button(c.button), Qt::LeftButton);
    ASSERT_TRUE(WaitHandled(CMD_GET_CONFIG_DATA, reads + 1)) << c.what;
    ASSERT_TRUE(Idle()) << c.what;
    EXPECT_EQ(prompt.messages().size(), 1u) << c.what;
    EXPECT_EQ(Item(c.item), c.value) << c.what;
    EXPECT_TRUE(params().button(1077)->isChecked()) << c.what;
    EXPECT_FALSE(params().button(1081)->isChecked()) << c.what;
    EXPECT_TRUE(bar()->isEnabled()) << c.what;
    EXPECT_FALSE(state().m_bKeepExposureDisabled) << c.what;
    EXPECT_EQ(Count(CMD_START_LIVE_IMAGE), starts + 1) << c.what;
    EXPECT_TRUE(state().m_bLiveImage) << c.what;
    EXPECT_TRUE(sensor.liveImage.streaming()) << c.what;
  }
}

}  // namespace
}  // namespace vt::test
