// The main window in monitor operation against the simulated sensor, with
// the program's own view panels: readings arrive and show as lines, boxes
// and statistics; the panel's switches and the reset act through the
// window's controls; the pointer on a box shows its tooltip.
// The simulator first: its members named "slots" must not meet Qt's keyword macro.
#include "sim_window_fixture.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPaintEvent>
#include <QTest>
#include <algorithm>
#include <functional>
#include <map>
#include <vector>

#include "code_box_pointer.h"
#include "commands/sensor_notify.h"
#include "controls/color_list_box_log.h"
#include "core/sensor_command.h"
#include "gui_test_support.h"
#include "records/result_fields.h"
#include "services/recording_prompt.h"
#include "text/text_codecs.h"
#include "view/background_statics.h"
#include "view/image_view_service.h"
#include "view/monitor_mode.h"
#include "view/picture_control.h"
#include "view/test_results.h"
#include "view/window_controls.h"
#include "window/colours.h"
#include "window/lock_library.h"
#include "window/main_window.h"

namespace {

class MonitorWindow : public vt::test::SimWindowFixture {
protected:
  void SetUp() override {
    MainPanels panels;
    panels.messageList = std::make_unique<ColorListBoxLog>();
    auto image = std::make_unique<ImageView>();
    imageView = image.get();
    panels.imageView = std::move(image);
    panels.monitor = std::make_unique<CMonitorMode>();
    panels.results = std::make_unique<CTestResults>();
    auto balloon = std::make_unique<BalloonTip>();
    tip = balloon.get();
    panels.balloon = std::move(balloon);
    panels.backgrounds = std::make_unique<WindowBackgrounds>();
    ASSERT_NO_FATAL_FAILURE(StartWindow(std::move(panels)));
    window->show();
    ASSERT_NO_FATAL_FAILURE(ConnectInMonitor());
    prompt.clear();
  }

  QString T(int id) const { return window->text(id); }
  // One reading, up to its polling resumed again.
  ::testing::AssertionResult Reading(bool good = true) {
    sensor.model.access([good](vt::sim::SensorData& d) { d.nextReadingGood = good; });
    if (auto read = MonitorReading(); !read) return read;
    if (!Idle()) return ::testing::AssertionFailure() << "still busy";
    return ::testing::AssertionSuccess();
  }

  QWidget* panel() { return window->panels().monitor->widget(); }
  QAbstractButton* button(int id) { return panel()->findChild<QAbstractButton*>(QStringLiteral("id%1").arg(id)); }
  QString edit(int id) { return panel()->findChild<QLineEdit*>(QStringLiteral("id%1").arg(id))->text(); }
  MessageListService& list() { return *window->panels().messageList; }
  // The list's lines without the log's one-blank indent, with their colours.
  std::vector<std::pair<QString, std::uint32_t>> lines() {
    std::vector<std::pair<QString, std::uint32_t>> out;
    for (int i = 0; i < list().count(); ++i) out.emplace_back(list().itemText(i).mid(1), list().itemColour(i));
    return out;
  }
  int boxes() { return imageView->CountOverlaysOfKind(1); }
  int passPixels() {
    const QImage shown = imageView->widget()->grab().toImage();
    const QColor pass = FromColorRef(state().colours.passColour);
    int n = 0;
    for (int y = 0; y < shown.height(); ++y)
      for (int x = 0; x < shown.width(); ++x) n += shown.pixelColor(x, y) == pass;
    return n;
  }

  ImageView* imageView = nullptr;
  BalloonTip* tip = nullptr;
};

TEST_F(MonitorWindow, GoodAndFailedReadingsShowLinesBoxesAndStatistics) {
  EXPECT_TRUE(panel()->isVisible());
  ASSERT_TRUE(Reading(true));
  const std::string text = sensor.readings.latest()->text;
  auto l = lines();
  ASSERT_GE(l.size(), 6u) << list().count();
  EXPECT_EQ(l[1], std::make_pair(QString(31, '-'), CTestResults::kHeadingColour));
  EXPECT_TRUE(l[2].first.contains(T(9800))) << l[2].first.toStdString();
  EXPECT_EQ(l[2].second, CTestResults::kGoodColour);
  EXPECT_TRUE(l[3].first.startsWith(QStringLiteral("01: %1 [").arg(QString::fromStdString(text))))
      << l[3].first.toStdString();
  EXPECT_EQ(l[3].second, CTestResults::kGoodColour);
  EXPECT_TRUE(l[4].first.startsWith(T(9803))) << l[4].first.toStdString();
  EXPECT_EQ(l.back().second, CTestResults::kHeadingColour);
  EXPECT_EQ(boxes(), 1);
  EXPECT_GT(passPixels(), 20);
  EXPECT_EQ(edit(1141), "1");
  EXPECT_EQ(edit(1139), "1");
  EXPECT_EQ(edit(1142), "100.00");
  EXPECT_EQ(edit(1143), " 0.00");
  SaveScreenshot(*window, "monitor_window_good_reading");

  ASSERT_TRUE(Reading(false));
  l = lines();
  ASSERT_GE(l.size(), 4u);
  EXPECT_EQ(l[2].second, CTestResults::kFailedColour) << l[2].first.toStdString();
  EXPECT_EQ(l[3], std::make_pair(QStringLiteral("01: ") + T(9806), CTestResults::kFailedColour));
  EXPECT_EQ(boxes(), 0);
  EXPECT_EQ(passPixels(), 0);
  EXPECT_EQ(edit(1141), "2");
  EXPECT_EQ(edit(1140), "1");
  EXPECT_EQ(edit(1142), "50.00");
  EXPECT_EQ(edit(1143), "50.00");
  EXPECT_EQ(window->statusPane(7)->text(), QStringLiteral("%1 2").arg(T(1014)));
  EXPECT_TRUE(prompt.messages().isEmpty());
  SaveScreenshot(*window, "monitor_window_failed_reading");
}

TEST_F(MonitorWindow, TwoCodesExpectedAndOneFoundAddsANotReadLine) {
  sensor.readings.setExpectedCodes(2);
  ASSERT_TRUE(Reading(true));
  const auto l = lines();
  const auto notRead = std::find(l.begin(), l.end(), std::make_pair(QStringLiteral("02: ") + T(9806),
                                                                     CTestResults::kFailedColour));
  ASSERT_NE(notRead, l.end());
  ASSERT_NE(notRead, l.begin());
  EXPECT_TRUE((notRead - 1)->first.startsWith("01: ")) << (notRead - 1)->first.toStdString();
  EXPECT_EQ(l[2].second, CTestResults::kFailedColour);  // the reading failed
  EXPECT_EQ(boxes(), 1);
  SaveScreenshot(*window, "monitor_window_two_expected");
}

TEST_F(MonitorWindow, DisplaySwitchesAndTheResetThroughThePanel) {
  ASSERT_TRUE(Reading(true));
  ASSERT_GT(list().count(), 0);
  button(1027)->click();  // Results off: the list empties, the box goes
  EXPECT_EQ(list().count(), 0);
  EXPECT_EQ(boxes(), 0);
  button(1027)->click();  // on again: redrawn from the tables
  EXPECT_GT(list().count(), 0);
  EXPECT_EQ(boxes(), 1);

  button(1025)->click();  // Images off: the placeholder, no boxes, zoom buttons off
  EXPECT_TRUE(imageView->view().placeholderShown());
  EXPECT_EQ(boxes(), 0);
  EXPECT_FALSE(window->findChild<QAction*>("id5009")->isEnabled());
  ASSERT_TRUE(Reading(true));
  EXPECT_EQ(boxes(), 0);  // until the panel is initialised again
  EXPECT_GT(list().count(), 0);
  button(1025)->click();

  button(1144)->click();  // Reset statistics, answered by the sensor
  ASSERT_TRUE(WaitHandled(CMD_RESET_STATISTICS));
  ASSERT_TRUE(Idle());
  EXPECT_EQ(edit(1141), "0");
  EXPECT_EQ(edit(1139), "0");
  EXPECT_EQ(edit(1142), "0.00");
  EXPECT_EQ(window->statusPane(7)->text(), QStringLiteral("%1 0").arg(T(1014)));
  EXPECT_EQ(state().m_nTotalReadings, 0);
  ASSERT_TRUE(Reading(true));  // counting starts afresh on the sensor too
  EXPECT_EQ(edit(1141), "1");
  EXPECT_TRUE(prompt.messages().isEmpty());
}

// A reading changes the picture, the code boxes and the search area, and a
// display switch redraws them from the tables; the picture is drawn once for
// all the changes of each.
TEST_F(MonitorWindow, EachReadingAndEachSwitchIsDrawnOnce) {
  CDirectX& view = imageView->view();
  const PictureControl* control = view.pictureControl();
  const auto drawsFor = [&](const std::function<::testing::AssertionResult()>& step) -> int {
    const int renders = view.renderCount();
    const int paints = control->paintCount();
    if (auto done = step(); !done) {
      ADD_FAILURE() << done.message();
      return -1;
    }
    if (!QTest::qWaitFor([&] { return control->paintCount() > paints; })) return 0;
    return view.renderCount() - renders;
  };
  const auto click = [&](int id) {
    QAbstractButton* b = button(id);
    const QPoint centre = b->mapTo(window.get(), b->rect().center());
    if (window->childAt(centre) != b) return ::testing::AssertionFailure() << id << " is covered";
    QTest::mouseClick(b, Qt::LeftButton);
    return ::testing::AssertionSuccess();
  };
  for (bool good : {true, false, true}) EXPECT_EQ(drawsFor([&] { return Reading(good); }), 1) << good;
  EXPECT_EQ(boxes(), 1);
  EXPECT_GT(passPixels(), 20);  // what was drawn once is the whole reading
  EXPECT_EQ(drawsFor([&] { return click(1027); }), 1);  // Results off
  EXPECT_EQ(passPixels(), 0);
  EXPECT_EQ(drawsFor([&] { return click(1027); }), 1);  // and on: redrawn from the tables
  EXPECT_GT(passPixels(), 20);
}

// Counts the paint events of the widgets it watches and gathers what they painted.
class PaintCounter : public QObject {
public:
  explicit PaintCounter(const std::vector<QWidget*>& widgets) {
    for (QWidget* w : widgets) {
      counts[w] = 0;
      w->installEventFilter(this);
    }
  }
  std::map<QObject*, int> counts;
  std::map<QObject*, QRegion> painted;
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) {
      ++counts[watched];
      painted[watched] += static_cast<QPaintEvent*>(event)->region();
    }
    return false;
  }
};

// A reading repaints what it changed: the picture, the message lines, the
// readings count in the status bar; not the other parts of the status bar,
// nor the message list's scroll bar while the list keeps its length.
TEST_F(MonitorWindow, AReadingRepaintsOnlyWhatItChanged) {
  ASSERT_TRUE(Reading(true));
  auto* messages = qobject_cast<QAbstractScrollArea*>(list().widget());
  ASSERT_NE(messages, nullptr);
  QWidget* scrollBar = messages->verticalScrollBar();
  std::vector<QWidget*> others;
  for (int part = 0; part < 7; ++part) others.push_back(window->statusPane(part));
  PaintCounter counter({scrollBar, messages->viewport(), window->statusPane(7), imageView->widget()});
  PaintCounter otherParts(others);
  const int lineCount = list().count();
  for (int i = 0; i < 3; ++i) {
    const int painted = counter.counts[imageView->widget()];
    ASSERT_TRUE(Reading(true));
    // The window paints all it marked at once: the picture's paint is the reading's.
    ASSERT_TRUE(QTest::qWaitFor([&] { return counter.counts[imageView->widget()] > painted; }));
  }
  ASSERT_EQ(list().count(), lineCount);
  EXPECT_GE(counter.counts[window->statusPane(7)], 3);
  EXPECT_GE(counter.counts[messages->viewport()], 1);
  EXPECT_EQ(counter.counts[scrollBar], 0);
  for (int part = 0; part < 7; ++part) EXPECT_EQ(otherParts.counts[window->statusPane(part)], 0) << "part " << part;
  EXPECT_EQ(window->statusPane(7)->text(), QStringLiteral("%1 4").arg(T(1014)));
}

// Of the message list a reading repaints the lines whose text changed (the
// code's line and the decoding time), not the lines that read as before.
TEST_F(MonitorWindow, AReadingRepaintsOnlyTheMessageLinesThatChanged) {
  ASSERT_TRUE(Reading(true));
  auto* messages = qobject_cast<QListWidget*>(list().widget());
  ASSERT_NE(messages, nullptr);
  const auto before = lines();
  PaintCounter counter({messages->viewport()});
  ASSERT_TRUE(Reading(true));
  ASSERT_TRUE(QTest::qWaitFor([&] { return counter.counts[messages->viewport()] > 0; }));
  const auto after = lines();
  ASSERT_EQ(after.size(), before.size());
  QRegion changed;
  for (std::size_t row = 0; row < after.size(); ++row)
    if (after[row] != before[row]) changed += messages->visualItemRect(messages->item(int(row)));
  ASSERT_FALSE(changed.isEmpty());
  EXPECT_LT(changed.boundingRect().height(), messages->viewport()->height() / 2);
  const QRegion painted = counter.painted[messages->viewport()];
  EXPECT_EQ(painted.intersected(changed), changed);  // every changed line shown anew
  EXPECT_TRUE(painted.subtracted(changed).isEmpty()) << "painted beyond the changed lines: "
                                                     << painted.boundingRect().height() << " rows of pixels";
}

// Counts the layout requests that reach the widgets it watches.
class LayoutRequestCounter : public QObject {
public:
  explicit LayoutRequestCounter(QWidget* widget) { widget->installEventFilter(this); }
  int count = 0;
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::LayoutRequest) ++count;
    return false;
  }
};

// The readings count's new text keeps every part of the status bar at its
// size, so the bar lays its parts out alone and the main window lays out
// nothing; the readings part still shows whole across the window's width.
TEST_F(MonitorWindow, AReadingLaysOutNothingOfTheMainWindow) {
  ASSERT_TRUE(Reading(true));
  ASSERT_TRUE(Reading(true));
  LayoutRequestCounter windowRequests(window.get());
  for (int i = 0; i < 3; ++i) ASSERT_TRUE(Reading(true));
  QCoreApplication::processEvents();
  EXPECT_EQ(windowRequests.count, 0);
  QLabel* readings = window->statusPane(7);
  EXPECT_EQ(readings->text(), QStringLiteral("%1 5").arg(T(1014)));
  EXPECT_GE(readings->contentsRect().width(), readings->fontMetrics().horizontalAdvance(readings->text()));
  EXPECT_EQ(window->statusBar()->width(), window->width());
}

TEST_F(MonitorWindow, PointerOnTheBoxShowsTheCodesLines) {
  ASSERT_TRUE(Reading(true));
  ASSERT_EQ(boxes(), 1);
  QWidget* control = imageView->widget();
  QTest::mouseMove(control, vt::test::CodeBoxMiddle(*imageView, state().m_ReadResults[0]));
  ASSERT_TRUE(tip->shown());
  const QStringList tipLines = tip->lines(CTestResults::kPictureControl);
  ASSERT_FALSE(tipLines.isEmpty());
  EXPECT_TRUE(tipLines[0].contains(" x ")) << tipLines[0].toStdString();  // the code line: name, rows x columns
  SaveScreenshot(*window, "monitor_window_tooltip");
  QTest::mouseMove(control, vt::test::ViewPoint(*imageView, 2, 2));
  EXPECT_FALSE(tip->shown());
}

}  // namespace
