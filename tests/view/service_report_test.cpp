// The service panel: its grid over a results list made in the test (time
// column, verdicts, labels), and the whole panel in the main window against
// the simulated sensor in service operation, driven through its own controls.
// The simulator first: its members named "slots" must not meet Qt's keyword macro.
#include "simulated_sensor.h"

#include <QDir>
#include <QDirIterator>
#include <QProcess>
#include <QFile>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <algorithm>

#include "commands/sensor_notify.h"
#include "controls/button_draw.h"
#include "controls/color_list_box_log.h"
#include "controls/grid_ctrl.h"
#include "core/sensor_command.h"
#include "gui_test_support.h"
#include "sensor_notify_fixture.h"
#include "services/main_panels.h"
#include "services/recording_prompt.h"
#include "temp_dir.h"
#include "text/config_name_codec.h"
#include "text/text_codecs.h"
#include "view/image_view_service.h"
#include "view/monitor_mode.h"
#include "view/result_image_store.h"
#include "view/service_report.h"
#include "view/test_results.h"
#include "window/colours.h"
#include "window/lock_library.h"
#include "window/main_window.h"

namespace {

QString English(int id) {
  static const vt::StringTable table = EnglishTable();
  const auto t = table.get(std::uint32_t(id));
  return t ? QString::fromUtf8(t->data(), qsizetype(t->size())) : QString();
}

ResultListEntry Entry(int number, int passed, const char* age, const char* text, int index) {
  ResultListEntry e{};
  e.resultNumber = number;
  e.passed = passed;
  std::snprintf(e.ageText, sizeof e.ageText, "%s", age);
  std::snprintf(e.resultText, sizeof e.resultText, "%s", text);
  e.index = index;
  return e;
}

// The panel alone over a state of its own.
class ServiceGrid : public ::testing::Test {
protected:
  ServiceGrid() {
    host.state = &state;
    host.text = English;
    host.postCommand = [this](int c) { posted.push_back(c); };
    panel.AttachView(host);
    panel.setClock([] { return QDateTime(QDate(2026, 12, 10), QTime(10, 0, 0, 0)); });
  }
  QWidget* control(int id) { return panel.findChild<QWidget*>(QStringLiteral("id%1").arg(id)); }

  MainDialogState state;
  ViewHost host;
  CServiceReport panel;
  std::vector<int> posted;
};

TEST_F(ServiceGrid, RowsShowTimeVerdictLabelAndNumber) {
  state.m_nSensorState = 9;
  state.m_nStoredResultCount = 2;
  state.m_ResultsList = {Entry(17, 1, "1500", "3)Line", 0), Entry(12, 0, "61000", "", 1)};
  panel.FillResultsGrid(true);
  CGridCtrl& grid = *panel.grid();
  EXPECT_EQ(grid.GetCellText(1, 0), QStringLiteral("09:59:58.500"));
  EXPECT_EQ(grid.GetCellText(2, 0), QStringLiteral("09:58:59.000"));
  EXPECT_EQ(grid.GetCellText(1, 1), English(8914));
  EXPECT_EQ(grid.GetCellText(2, 1), English(8915));
  EXPECT_EQ(grid.GetCellText(1, 2), QStringLiteral("3) Line"));
  EXPECT_EQ(grid.GetCellText(1, 3), QStringLiteral("1"));
  EXPECT_EQ(grid.GetCellText(2, 3), QStringLiteral("2"));
  EXPECT_TRUE(grid.GetCellText(3, 0).isEmpty());
  EXPECT_EQ(grid.CountFilledRows(), 2);
  // All readings is on from the start: the first row is fetched.
  EXPECT_EQ(posted, std::vector<int>{CMD_REFRESH_RESULT});
  EXPECT_EQ(state.m_nSelectedResultId, 17);
  EXPECT_EQ(panel.selectedResultTime(), QStringLiteral("09:59:58.500"));
  EXPECT_EQ(panel.selectedResultPassed(), 1);
  for (int id : {1139, 1140, 1141, 1142, 1136, 1137, 1138}) EXPECT_TRUE(control(id)->isEnabled()) << id;

  // A new list without results: rows cleared, the seven controls off, nothing fetched.
  state.m_bBusy = 0;
  state.m_nStoredResultCount = 0;
  posted.clear();
  panel.FillResultsGrid(true);
  EXPECT_EQ(grid.CountFilledRows(), 0);
  for (int id : {1139, 1140, 1141, 1142, 1136, 1137, 1138}) EXPECT_FALSE(control(id)->isEnabled()) << id;
  EXPECT_TRUE(posted.empty());
}

TEST_F(ServiceGrid, TimeColumnCountsBackFromTheClock) {
  struct Case {
    qint64 age;
    const char* shown;
  };
  for (const Case& c : {Case{1500, "09:59:58.500"}, Case{0, "10:00:00.000"}, Case{36000001, "23:59:59.999"}})
    EXPECT_EQ(panel.FormatResultTime(c.age), QString::fromLatin1(c.shown)) << c.age;
}

QByteArray ReadFile(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A view whose picture as last drawn is whatever the test gives it.
class GivenSurface : public vt::test::PictureRecorder {
public:
  QImage surface() const override { return last; }
};

// Only 24- and 32-bit pictures are saved; any other depth is refused with
// 9922, then the failure text, and nothing is posted.
TEST_F(ServiceGrid, SaveEvaluationTakesOnly24And32BitPictures) {
  MainPanels panels;
  auto view = std::make_unique<GivenSurface>();
  GivenSurface* given = view.get();
  panels.imageView = std::move(view);
  RecordingPrompt prompt;
  host.panels = &panels;
  host.prompt = &prompt;
  panel.AttachView(host);
  state.m_nSensorState = 9;
  state.m_nStoredResultCount = 1;
  state.m_ResultsList = {Entry(3, 1, "10", "1)A", 0)};
  panel.FillResultsGrid(true);
  vt::test::TempDir tmp;
  const QString dir = QString::fromStdString(tmp.path().string());
  struct Case {
    QImage::Format format;
    bool saved;
  };
  for (const Case& c : {Case{QImage::Format_Grayscale8, false}, Case{QImage::Format_Indexed8, false},
                        Case{QImage::Format_RGB888, true}, Case{QImage::Format_RGB32, true}}) {
    QImage picture(640, 480, c.format);
    picture.fill(0);
    given->last = picture;
    state.m_bBusy = 0;
    posted.clear();
    prompt.clear();
    const QString name = dir + QStringLiteral("/e%1.htm").arg(int(c.format));
    prompt.setFileAnswer(name);
    static_cast<QPushButton*>(control(1140))->click();
    const QString bmp = dir + QStringLiteral("/e%1.bmp").arg(int(c.format));
    if (c.saved) {
      EXPECT_TRUE(prompt.messages().isEmpty()) << c.format;
      EXPECT_EQ(posted, std::vector<int>{CMD_SAVE_CURRENT_RESULT}) << c.format;
      EXPECT_EQ(QFile(bmp).size(), 921654) << c.format;
      EXPECT_EQ(QString::fromStdU16String(state.m_strResultFile), name) << c.format;
    } else {
      ASSERT_EQ(prompt.messages().size(), 2) << c.format;
      EXPECT_EQ(prompt.messages()[0].text, English(9922));
      EXPECT_EQ(prompt.messages()[1].text, QStringLiteral("Saving evaluation image failed!"));
      EXPECT_TRUE(posted.empty()) << c.format;
      EXPECT_FALSE(QFile::exists(bmp)) << c.format;
      EXPECT_FALSE(state.m_bBusy);
    }
  }
}

// --- In the main window against the simulated sensor ---

struct ServicePanelInWindow : ::testing::Test {
  void SetUp() override {
    qputenv("VT_NO_SPLASH", "1");
    ASSERT_TRUE(sensor.Start()) << sensor.error();
    MainPanels panels;
    panels.messageList = std::make_unique<ColorListBoxLog>();
    auto view = std::make_unique<ImageView>();
    imageView = view.get();
    panels.imageView = std::move(view);
    panels.monitor = std::make_unique<CMonitorMode>();
    auto service = std::make_unique<CServiceReport>();
    panel = service.get();
    panels.service = std::move(service);
    panels.results = std::make_unique<CTestResults>();
    window = std::make_unique<CVarnisDatamatrixDlg>(prompt, std::move(panels));
    window->setLockLibrary(MakeKeltrovLibrary());
    ASSERT_EQ(window->OnInitDialog(), CVarnisDatamatrixDlg::StartResult::Run);
    window->show();
    notify = std::make_unique<CSensorNotify>(*window);
    QObject::connect(notify.get(), &CSensorNotify::notified, [this](int id, int) { handled.push_back(id); });
    Utf8ToUtf16String(state().m_strConnectAddress, sensor.server.address());
    state().m_nConnectPort = sensor.server.port();
  }
  void TearDown() override {
    notify.reset();
    window.reset();
  }
  MainDialogState& state() { return window->state(); }
  int Count(int id) const { return int(std::count(handled.begin(), handled.end(), id)); }
  bool Idle() {
    return QTest::qWaitFor([&] { return state().m_nOutstandingCommands == 0 && !state().m_bBusy; }, 60000);
  }
  CGridCtrl& grid() { return *panel->grid(); }
  // Pixels of this colour in the band of the picture where the evaluation
  // caption stands, as last drawn.
  int CaptionPixels(std::uint32_t colour) {
    const QImage surface = imageView->surface();
    const QColor wanted = FromColorRef(colour);
    int n = 0;
    for (int y = 440; y < 470; ++y)
      for (int x = 150; x < 600; ++x) n += surface.pixelColor(x, y) == wanted;
    return n;
  }
  QString Messages() const {
    QStringList out;
    for (const auto& m : prompt.messages()) out << m.text;
    return out.join(" | ");
  }
  QWidget* control(int id) { return panel->findChild<QWidget*>(QStringLiteral("id%1").arg(id)); }
  void Click(int id) { QTest::mouseClick(control(id), Qt::LeftButton); }
  void ClickRow(int row) {
    GridRect r;
    ASSERT_TRUE(grid().GetCellRect(row, 2, &r)) << row;
    QTest::mouseClick(grid().viewport(), Qt::LeftButton, {}, QPoint(r.left + 5, r.top + 5));
  }

  // Readings kept by the sensor (true: good), then the connect in the
  // monitor and the switch to service operation through the mode button.
  void EnterService(std::initializer_list<bool> readings, const std::string& slotName = "{Service}") {
    const vt::sim::SlotRef slot{0, slotName, -1};
    ASSERT_EQ(sensor.model.createConfig(slot), vt::sim::kSimOk);
    ASSERT_EQ(sensor.model.closeAndSave(), vt::sim::kSimOk);
    ASSERT_EQ(sensor.model.activateConfig(slot), vt::sim::kSimOk);
    sensor.model.setState(2);
    for (bool good : readings) {
      sensor.model.access([good](vt::sim::SensorData& d) { d.nextReadingGood = good; });
      ASSERT_TRUE(sensor.readings.takeReading());
    }
    numbers.clear();
    for (int k = int(readings.size()); k >= 1; --k) numbers.push_back(k);
    state().m_bBusy = 1;
    window->PostSensorCommand(CMD_CONNECT);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Count(CMD_CONNECT) == 1; }, 60000)) << Messages().toStdString();
    ASSERT_TRUE(Idle());
    QTest::mouseClick(window->modeStatic(1021), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Count(CMD_GET_RESULTS_LIST) == 1; }, 60000));
    ASSERT_TRUE(Idle());
  }

  LibCopy lib;
  vt::test::SimulatedSensor sensor;
  RecordingPrompt prompt;
  ImageView* imageView = nullptr;
  CServiceReport* panel = nullptr;
  std::unique_ptr<CVarnisDatamatrixDlg> window;
  std::unique_ptr<CSensorNotify> notify;
  std::vector<int> handled;
  std::vector<int> numbers;  // reading numbers, newest first
};

TEST_F(ServicePanelInWindow, ListsRowsFetchesAndSaves) {
  // Readings 1..5: 2 and 4 failed.
  EnterService({true, false, true, false, true});
  EXPECT_EQ(state().m_nSensorState, 9);
  EXPECT_TRUE(panel->isVisible());
  ASSERT_EQ(grid().CountFilledRows(), 5);
  for (int row = 1; row <= 5; ++row) {
    const bool good = numbers[std::size_t(row - 1)] % 2 == 1;
    EXPECT_EQ(grid().GetCellText(row, 1), English(good ? 8914 : 8915)) << row;
    EXPECT_EQ(grid().GetCellText(row, 3), QString::number(row)) << row;
  }
  // The newest result came with its picture, captioned in its verdict's colour.
  EXPECT_EQ(Count(CMD_REFRESH_RESULT), 1);
  EXPECT_EQ(panel->selectedNumber(), 5);
  EXPECT_FALSE(imageView->view().placeholderShown());
  const GraphicsColours& colours = state().colours;
  EXPECT_GT(CaptionPixels(colours.passColour), 100);
  SaveScreenshot(*panel, "service_panel");
  SaveScreenshot(*window, "service_window");

  // A row fetches its result; the heading and an empty row fetch nothing.
  ClickRow(2);
  ASSERT_TRUE(Idle());
  EXPECT_EQ(Count(CMD_REFRESH_RESULT), 2);
  EXPECT_EQ(panel->selectedNumber(), 4);
  EXPECT_GT(CaptionPixels(colours.failColour), 100);
  EXPECT_EQ(CaptionPixels(colours.passColour), 0);
  ClickRow(3);
  ASSERT_TRUE(Idle());
  EXPECT_EQ(Count(CMD_REFRESH_RESULT), 3);
  EXPECT_EQ(panel->selectedNumber(), 3);
  EXPECT_TRUE(window->log().GetMarkedText().contains(QStringLiteral("VT-READING-3")));
  EXPECT_GT(CaptionPixels(colours.passColour), 100);
  for (int row : {0, 7}) {
    ClickRow(row);
    EXPECT_FALSE(state().m_bBusy) << row;
    EXPECT_EQ(state().m_nOutstandingCommands, 0) << row;
  }
  EXPECT_EQ(panel->selectedRow(), 3);
  // Down moves to the next result; Up from the first row stays.
  ClickRow(3);
  ASSERT_TRUE(Idle());
  QTest::keyClick(&grid(), Qt::Key_Down);
  ASSERT_TRUE(Idle());
  EXPECT_EQ(panel->selectedNumber(), 2);
  EXPECT_EQ(Count(CMD_REFRESH_RESULT), 5);
  ClickRow(1);
  ASSERT_TRUE(Idle());
  QTest::keyClick(&grid(), Qt::Key_Up);
  EXPECT_FALSE(state().m_bBusy);
  EXPECT_EQ(panel->selectedRow(), 1);
  EXPECT_EQ(Count(CMD_REFRESH_RESULT), 6);

  // Failed readings: only 4 and 2; the first is fetched.
  Click(1146);
  ASSERT_TRUE(QTest::qWaitFor([&] { return Count(CMD_GET_FAILED_RESULTS_LIST) == 1; }, 60000));
  ASSERT_TRUE(Idle());
  ASSERT_EQ(grid().CountFilledRows(), 2);
  EXPECT_EQ(grid().GetCellText(1, 1), English(8915));
  EXPECT_EQ(grid().GetCellText(2, 1), English(8915));
  EXPECT_EQ(panel->selectedNumber(), 4);
  EXPECT_FALSE(static_cast<QAbstractButton*>(control(1145))->isChecked());
  // Failed again while it is on: nothing.
  Click(1146);
  EXPECT_FALSE(state().m_bBusy);
  EXPECT_TRUE(static_cast<QAbstractButton*>(control(1146))->isChecked());

  // The service report into a folder the operator chose.
  const QString folder = lib.configFolder() + "/report";
  ASSERT_TRUE(QDir().mkpath(folder));
  prompt.setFileAnswer(folder);
  Click(1139);
  ASSERT_TRUE(QTest::qWaitFor([&] { return Count(CMD_SAVE_SERVICE_REPORT) == 1; }, 60000));
  ASSERT_TRUE(Idle());
  EXPECT_TRUE(QFile::exists(folder + "/Report.xml"));
  // Every evaluation of the failed list.
  prompt.setFileAnswer(folder);
  Click(1141);
  ASSERT_TRUE(QTest::qWaitFor([&] { return Count(CMD_SAVE_FAILED_RESULTS) == 1; }, 60000));
  ASSERT_TRUE(Idle());
  EXPECT_FALSE(QDir(folder).entryList({"*.tar.gz"}).isEmpty());

  // The evaluation shown: our picture as eval.bmp, the sensor's page as eval.htm.
  prompt.setFileAnswer(folder + "/eval.htm");
  Click(1140);
  ASSERT_TRUE(QTest::qWaitFor([&] { return Count(CMD_SAVE_CURRENT_RESULT) == 1; }, 60000));
  ASSERT_TRUE(Idle());
  EXPECT_EQ(QFile(folder + "/eval.bmp").size(), 921654);
  EXPECT_TRUE(QFile::exists(folder + "/eval.htm"));
  // A picture that cannot be written: 6082, the failure text, nothing posted.
  prompt.clear();
  prompt.setFileAnswer(folder + "/missing/eval.htm");
  Click(1140);
  ASSERT_EQ(prompt.messages().size(), 2);
  EXPECT_EQ(prompt.messages()[0].text, English(6082));
  EXPECT_EQ(prompt.messages()[1].text, QStringLiteral("Saving evaluation image failed!"));
  EXPECT_FALSE(state().m_bBusy);

  // Display switches: results off empties the list, images off the picture.
  Click(1138);
  EXPECT_EQ(window->panels().messageList->count(), 0);
  Click(1136);
  EXPECT_TRUE(imageView->view().placeholderShown());
  Click(1136);
  ASSERT_TRUE(Idle());
  EXPECT_FALSE(imageView->view().placeholderShown());

  // Reset statistics on the sensor.
  Click(1142);
  ASSERT_TRUE(QTest::qWaitFor([&] { return Count(CMD_RESET_STATISTICS) == 1; }, 60000));
  ASSERT_TRUE(Idle());
  EXPECT_EQ(state().m_nStoredResultCount, 0);
  EXPECT_EQ(grid().CountFilledRows(), 0);
  EXPECT_FALSE(control(1140)->isEnabled());
}

TEST_F(ServicePanelInWindow, NoKeptResultsLeaveTheActionsOff) {
  EnterService({});
  EXPECT_TRUE(panel->isVisible());
  EXPECT_EQ(grid().CountFilledRows(), 0);
  for (int id : {1139, 1140, 1141, 1142, 1136, 1137, 1138}) EXPECT_FALSE(control(id)->isEnabled()) << id;
  SaveScreenshot(*panel, "service_panel_empty");
  EXPECT_EQ(Count(CMD_REFRESH_RESULT), 0);
  ClickRow(1);
  EXPECT_FALSE(state().m_bBusy);
}

// The three display switches, each off and on again through its button.
TEST_F(ServicePanelInWindow, DisplaySwitchesHideAndBringBackTheirParts) {
  EnterService({false, true});
  prompt.clear();
  ASSERT_EQ(panel->selectedNumber(), 2);  // the good reading, with its code box
  const int boxes = imageView->CountOverlaysOfKind(1);
  ASSERT_GT(boxes, 0);
  ASSERT_GT(imageView->CountOverlaysOfKind(0), 0);
  const int lines = window->panels().messageList->count();
  ASSERT_GT(lines, 0);

  // Search zones: the window of interest goes and comes back.
  Click(1137);
  EXPECT_EQ(imageView->CountOverlaysOfKind(0), 0);
  EXPECT_EQ(imageView->CountOverlaysOfKind(1), boxes);
  Click(1137);
  ASSERT_TRUE(Idle());
  EXPECT_GT(imageView->CountOverlaysOfKind(0), 0);

  // Results: the messages and the code boxes go and come back.
  Click(1138);
  EXPECT_EQ(window->panels().messageList->count(), 0);
  EXPECT_EQ(imageView->CountOverlaysOfKind(1), 0);
  EXPECT_GT(imageView->CountOverlaysOfKind(0), 0);
  Click(1138);
  ASSERT_TRUE(Idle());
  EXPECT_EQ(window->panels().messageList->count(), lines);
  EXPECT_EQ(imageView->CountOverlaysOfKind(1), boxes);

  // Images: the placeholder, then the result's picture fetched again.
  const int fetched = Count(CMD_REFRESH_RESULT);
  Click(1136);
  EXPECT_TRUE(imageView->view().placeholderShown());
  EXPECT_EQ(Count(CMD_REFRESH_RESULT), fetched);
  Click(1136);
  ASSERT_TRUE(QTest::qWaitFor([&] { return Count(CMD_REFRESH_RESULT) == fetched + 1; }, 60000));
  ASSERT_TRUE(Idle());
  EXPECT_FALSE(imageView->view().placeholderShown());
  EXPECT_TRUE(prompt.messages().isEmpty()) << Messages().toStdString();
}

// The configuration the operator named "Line A" (stored framed and encoded)
// is "Line A" on the saved evaluation page, in every saved evaluation and in
// the service report, as in the panel's list.
TEST_F(ServicePanelInWindow, SavedPagesAndTheReportNameTheConfigurationAsTheOperatorDid) {
  std::string stored;
  EncodeConfigName(stored, u"Line A");
  EnterService({true}, stored);
  prompt.clear();
  const QString folder = lib.configFolder() + "/named";
  ASSERT_TRUE(QDir().mkpath(folder));
  prompt.setFileAnswer(folder + "/eval.htm");
  Click(1140);
  ASSERT_TRUE(QTest::qWaitFor([&] { return Count(CMD_SAVE_CURRENT_RESULT) == 1; }, 60000));
  ASSERT_TRUE(Idle());
  prompt.setFileAnswer(folder);
  Click(1141);
  ASSERT_TRUE(QTest::qWaitFor([&] { return Count(CMD_SAVE_ALL_RESULTS) == 1; }, 60000));
  ASSERT_TRUE(Idle());
  prompt.setFileAnswer(folder);
  Click(1139);
  ASSERT_TRUE(QTest::qWaitFor([&] { return Count(CMD_SAVE_SERVICE_REPORT) == 1; }, 60000));
  ASSERT_TRUE(Idle());
  EXPECT_TRUE(prompt.messages().isEmpty()) << Messages().toStdString();

  auto utf16 = [](const QByteArray& raw) {
    return QString::fromUtf16(reinterpret_cast<const char16_t*>(raw.constData()), raw.size() / 2);
  };
  const QString encoded = QString::fromStdString(stored);
  const QString page = utf16(ReadFile(folder + "/eval.htm"));
  EXPECT_TRUE(page.contains(QStringLiteral("1) Line A"))) << page.toStdString();
  EXPECT_FALSE(page.contains(encoded));
  const QString report = utf16(ReadFile(folder + "/Report.xml"));
  EXPECT_TRUE(report.contains(QStringLiteral("<Config>1) Line A</Config>"))) << report.toStdString();
  EXPECT_FALSE(report.contains(encoded));
  // The archive of all evaluations: its pages name it so too.
  const QStringList archives = QDir(folder).entryList({"*.tar.gz"});
  ASSERT_EQ(archives.size(), 1);
  QProcess tar;
  tar.start(QStringLiteral("tar"), {"-xzf", folder + "/" + archives[0], "-C", folder});
  ASSERT_TRUE(tar.waitForFinished(30000));
  bool found = false;
  QDirIterator it(folder, {"Result*.html"}, QDir::Files, QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QString archived = utf16(ReadFile(it.next()));
    EXPECT_TRUE(archived.contains(QStringLiteral("1) Line A")));
    EXPECT_FALSE(archived.contains(encoded));
    found = true;
  }
  EXPECT_TRUE(found);
}

// Every text of the list shows whole, headings included, in English and German.
TEST_F(ServicePanelInWindow, ListTextsShowWholeInEveryLanguage) {
  EnterService({true, true, false, true, true, true, true, true, true, true, true, true});
  ASSERT_EQ(grid().CountFilledRows(), 12);
  for (int language : {7, 9}) {
    window->action(64000 + language)->trigger();
    ASSERT_TRUE(Idle());
    const QFontMetrics metrics(grid().font());
    const int padding = 2 * metrics.horizontalAdvance(QLatin1Char(' ')) + 4;  // margins, lines, border
    int total = 0;
    for (int c = 0; c < 4; ++c) {
      total += grid().GetColumnWidth(c);
      for (int row = 0; row <= 12; ++row) {
        const QString text = grid().GetCellText(row, c);
        EXPECT_LE(metrics.horizontalAdvance(text) + padding, grid().GetColumnWidth(c))
            << "language " << language << ", row " << row << ": " << text.toStdString();
      }
    }
    EXPECT_LE(total, grid().width() - 2 * grid().frameWidth());
    EXPECT_EQ(grid().GetCellText(0, 2), English(8912).isEmpty() ? QString() : window->text(8912));
    SaveScreenshot(*panel, language == 7 ? "service_panel_german" : "service_panel_english");
  }
}

// The evaluation picture takes the chosen name with ".bmp" and the sensor's
// page never lands on it; a cancelled choice posts nothing; a folder that
// cannot be remembered never stops a save.
TEST_F(ServicePanelInWindow, SavesKeepTheirFilesApart) {
  EnterService({true, false});
  const QString folder = lib.configFolder() + "/saves";
  ASSERT_TRUE(QDir().mkpath(folder));
  for (int id : {1139, 1140, 1141}) {
    prompt.clear();
    prompt.setFileAnswer(QString());
    Click(id);
    EXPECT_EQ(prompt.requests().size(), 1) << id;
    EXPECT_FALSE(state().m_bBusy) << id;
    EXPECT_EQ(state().m_nOutstandingCommands, 0) << id;
  }

  prompt.clear();
  prompt.setFileAnswer(folder + "/eval.bmp");
  Click(1140);
  ASSERT_TRUE(QTest::qWaitFor([&] { return Count(CMD_SAVE_CURRENT_RESULT) == 1; }, 60000));
  ASSERT_TRUE(Idle());
  EXPECT_TRUE(prompt.messages().isEmpty()) << Messages().toStdString();
  // eval.bmp is the picture as shown, marks included; the sensor's page beside it.
  EXPECT_EQ(ReadFile(folder + "/eval.bmp"),
            ResultImageStore::BmpFileBytes(ResultImageStore::ToBmpPicture(imageView->surface())));
  const QByteArray raw = ReadFile(folder + "/eval.htm");
  const QString page = QString::fromUtf16(reinterpret_cast<const char16_t*>(raw.constData()), raw.size() / 2);
  EXPECT_TRUE(page.contains(QStringLiteral("Single Evaluation Report")));
  // The sensor's own picture of the result has a name of its own.
  EXPECT_TRUE(page.contains(QStringLiteral("eval%1.bmp").arg(panel->selectedNumber())));
  QString remembered;
  ASSERT_TRUE(window->settings().Open(QStringLiteral("\\Common")));
  window->settings().GetString(QStringLiteral("Evaluation"), remembered);
  window->settings().Close();
  EXPECT_EQ(remembered, folder);

  // All readings on: Save all evaluations saves them all.
  prompt.setFileAnswer(folder);
  Click(1141);
  ASSERT_TRUE(QTest::qWaitFor([&] { return Count(CMD_SAVE_ALL_RESULTS) == 1; }, 60000));
  ASSERT_TRUE(Idle());
  EXPECT_FALSE(QDir(folder).entryList({"*.tar.gz"}).isEmpty());

  // The settings cannot be written (their folder lies under a plain file).
  QFile blocker(folder + "/blocker");
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  blocker.close();
  const QString base = window->settings().basePath();
  window->settings().setBasePath(folder + "/blocker/settings");
  ASSERT_EQ(window->settings().Create(QStringLiteral("\\Common")), 0);
  const QString reports = folder + "/reports";
  ASSERT_TRUE(QDir().mkpath(reports));
  prompt.setFileAnswer(reports);
  Click(1139);
  ASSERT_TRUE(QTest::qWaitFor([&] { return Count(CMD_SAVE_SERVICE_REPORT) == 1; }, 60000));
  ASSERT_TRUE(Idle());
  prompt.setFileAnswer(folder + "/second.htm");
  Click(1140);
  ASSERT_TRUE(QTest::qWaitFor([&] { return Count(CMD_SAVE_CURRENT_RESULT) == 2; }, 60000));
  ASSERT_TRUE(Idle());
  window->settings().setBasePath(base);
  EXPECT_TRUE(QFile::exists(reports + "/Report.xml"));
  EXPECT_EQ(QFile(folder + "/second.bmp").size(), 921654);
  EXPECT_TRUE(prompt.messages().isEmpty()) << Messages().toStdString();
}

}  // namespace
