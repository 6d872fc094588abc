// The editor's function test in the program's whole window against the
// simulated sensor, through the page's own buttons: the test runs in the
// sensor's state 7, each reading is counted and kept with its picture in the
// last-readings grid, shown again and saved; a free-running sensor reads on
// its own and a test always stops; a refused start puts the page back.
#include "window_roads_fixture.h"

#include <QCryptographicHash>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "config/config_func_test_seq.h"
#include "config/config_function_test.h"
#include "config/config_task_buttons.h"
#include "controls/button_draw.h"
#include "controls/grid_ctrl.h"
#include "controls/transparent_button.h"
#include "core/error_codes.h"
#include "dravik/comm_status.h"
#include "settings/quorren_reg.h"
#include "sim/reply_script.h"
#include "temp_dir.h"
#include "view/image_store.h"
#include "window/colours.h"

namespace {

using vt::sim::ScriptedReply;

constexpr int kTriggerSourceItem = 43;

#pragma push_macro("slots")
#undef slots
void SetTriggerSource(vt::sim::SensorData& d, int source) { d.slots[0].data.parameters.configData[kTriggerSourceItem] = source; }
#pragma pop_macro("slots")

QByteArray ReadFile(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString Golden(const char* name) {
  return QStringLiteral(VT_SOURCE_DIR "/tests/config/golden/") + QString::fromLatin1(name);
}

// The window's store with its export answering a status the test sets.
class ForcedExport : public ImageStoreService {
public:
  explicit ForcedExport(std::unique_ptr<ImageStoreService> real) : real_(std::move(real)) {}
  int AddFrame(int passFlag) override { return real_->AddFrame(passFlag); }
  void ResetSlots() override { real_->ResetSlots(); }
  void FreeFrames() override { real_->FreeFrames(); }
  int frameCount() const override { return real_->frameCount(); }
  int ShowFrame(int index) override { return real_->ShowFrame(index); }
  int ExportHtml(int /*index*/, const QString& /*pagePath*/) override { return status; }
  void setGrid(CGridCtrl* grid) override { real_->setGrid(grid); }
  void DrawThumbnails(QPainter& painter) const override { real_->DrawThumbnails(painter); }
  int status = 0;

private:
  std::unique_ptr<ImageStoreService> real_;
};

struct FunctionTestPage : vt::test::WindowRoadsFixture {
  CConfigFunctionTest& page() { return *dynamic_cast<CConfigFunctionTest*>(window->panels().functionTest.get()); }
  CConfigFuncTestSeq& seq() { return *page().sequence(); }
  ImageStore& images() { return *dynamic_cast<ImageStore*>(window->panels().imageStore.get()); }
  CConfigTaskButtons& strip() { return *dynamic_cast<CConfigTaskButtons*>(window->panels().taskButtons.get()); }

  // Configuration 1 with this trigger source, open in the editor on the
  // function-test page as its page button leaves it.
  void OpenOnFunctionTest(int triggerSource) {
    const vt::sim::SlotRef slot{0, "Conf1", 0};
    ASSERT_EQ(sensor.model.createConfig(slot), vt::sim::kSimOk);
    sensor.model.access([&](vt::sim::SensorData& d) { SetTriggerSource(d, triggerSource); });
    ASSERT_EQ(sensor.model.closeAndSave(), vt::sim::kSimOk);
    ASSERT_NO_FATAL_FAILURE(ConnectAndOpenOnFunctionTest(triggerSource));
  }

  // Connected, configuration 1 opened in the editor and its function-test page shown.
  void ConnectAndOpenOnFunctionTest(int triggerSource) {
    const int lists = Count(CMD_GET_CONFIG_LIST), reads = Count(CMD_GET_CONFIG_DATA);
    ConnectByTyping();
    ASSERT_TRUE(WaitHandled(CMD_GET_CONFIG_LIST, lists + 1));
    ASSERT_TRUE(Idle());
    MainDialogState& s = state();
    s.m_nConfigIndex = 0;
    s.m_nGroup = 0;
    s.m_strConfigName = u"Conf1";
    s.m_bNameEncoded = false;
    s.m_bEditorMode = 1;
    s.m_bEditorOpen = 1;
    s.m_bEditExisting = 1;
    s.m_nWizardStep = 7;
    s.m_bBusy = 1;
    window->PostSensorCommand(CMD_EDIT_CONFIG);
    ASSERT_TRUE(WaitHandled(CMD_GET_CONFIG_DATA, reads + 1));
    ASSERT_TRUE(Idle());
    ASSERT_EQ(s.m_Configuration.trigger.TriggerSource, triggerSource);
    if (window->panels().taskButtons) {
      QTest::mouseClick(strip().button(CConfigTaskButtons::kFunctionTest), Qt::LeftButton);
    } else {
      // What the function test's page button does once it is shown.
      s.m_nWizardStep = 18;
      s.m_nPageTitle = 14;
      for (Panel* p : window->panels().pages()) p->widget()->hide();
      if (auto& manager = window->panels().configManager) manager->ShowTree(false);
      page().widget()->show();
      page().ResetPage();
      page().ClearStatistics();
    }
    ASSERT_TRUE(Idle());
    ASSERT_TRUE(page().isVisible());
    prompt.clear();
  }

  // One reading taken by the page's Simulate trigger, fetched, counted and kept.
  void SimulatedReading(bool good) {
    sensor.model.access([&](vt::sim::SensorData& d) { d.nextReadingGood = good; });
    const int kept = images().frameCount();
    QTest::mouseClick(page().simulateButton(), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return images().frameCount() == std::min(kept + 1, 32); }, 30000));
    ASSERT_TRUE(Idle());
  }

  QPoint CellCentre(int row, int col) {
    GridRect r;
    seq().grid()->GetCellRect(row, col, &r);
    return QPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  }

  void ExpectStatistics(const char* good, const char* failed, const char* total, const char* goodShare,
                        const char* failedShare) {
    EXPECT_EQ(page().statistics().goodEdit->text(), QString::fromLatin1(good));
    EXPECT_EQ(page().statistics().failedEdit->text(), QString::fromLatin1(failed));
    EXPECT_EQ(page().statistics().totalEdit->text(), QString::fromLatin1(total));
    EXPECT_EQ(page().statistics().goodShareEdit->text(), QString::fromLatin1(goodShare));
    EXPECT_EQ(page().statistics().failedShareEdit->text(), QString::fromLatin1(failedShare));
  }

  // Row 1 alone highlighted: its picture cell selected, its number cell orange.
  void ExpectFirstRowHighlighted() {
    CGridCtrl* grid = seq().grid();
    EXPECT_TRUE(grid->IsCellSelected(0, 1));
    EXPECT_EQ(grid->GetCell(0, 0)->GetBackColour(), 0x3599FFu);
    for (int r = 1; r < CConfigFuncTestSeq::kRows; ++r) {
      EXPECT_FALSE(grid->IsCellSelected(r, 1)) << r;
      EXPECT_NE(grid->GetCell(r, 0)->GetBackColour(), 0x3599FFu) << r;
    }
  }

  // A test with these readings (true: good), stopped again; the window idle.
  void TestWithReadings(std::initializer_list<bool> readings) {
    QTest::mouseClick(page().testOnButton(), Qt::LeftButton);
    ASSERT_TRUE(WaitHandled(CMD_TEST_CONFIG_ON));
    for (bool good : readings) ASSERT_NO_FATAL_FAILURE(SimulatedReading(good));
    QTest::mouseClick(page().testOffButton(), Qt::LeftButton);
    ASSERT_TRUE(WaitHandled(CMD_TEST_CONFIG_OFF));
    ASSERT_TRUE(Idle());
  }

  QString dir() const { return QString::fromStdString(tmp.path().string()); }
  std::string Shown() const {
    QStringList texts;
    for (const auto& m : prompt.messages()) texts << m.text;
    return texts.join('|').toStdString();
  }

  vt::test::TempDir tmp;
};

TEST_F(FunctionTestPage, TwoGoodOneFailedReadingsCountedKeptShownAndSaved) {
  OpenOnFunctionTest(0);
  images().setClock([] { return QDateTime(QDate(2026, 12, 11), QTime(1, 2, 3)); });
  // Entering the page: nothing counted, row 1 highlighted, only Test off down.
  ExpectStatistics("0", "0", "0", "0.00", "0.00");
  ExpectFirstRowHighlighted();
  EXPECT_TRUE(page().testOffButton()->isChecked());
  EXPECT_FALSE(page().simulateButton()->isEnabled());
  EXPECT_FALSE(page().resetButton()->isEnabled());
  EXPECT_EQ(state().m_bFuncTestThumbnails, 1);

  QTest::mouseClick(page().testOnButton(), Qt::LeftButton);
  EXPECT_EQ(state().m_nSensorState, 7);
  ASSERT_TRUE(WaitHandled(CMD_TEST_CONFIG_ON));
  EXPECT_EQ(sensor.model.state(), 7);
  EXPECT_TRUE(page().testOnButton()->isChecked());
  EXPECT_FALSE(page().testOffButton()->isChecked());
  EXPECT_TRUE(page().simulateButton()->isEnabled());
  EXPECT_TRUE(page().resetButton()->isEnabled());
  EXPECT_FALSE(page().liveButton()->isEnabled());
  EXPECT_FALSE(seq().displayButton()->isEnabled());

  SimulatedReading(true);
  SimulatedReading(true);
  SimulatedReading(false);
  ExpectStatistics("2", "1", "3", "66.67", "33.33");
  ASSERT_EQ(images().frameCount(), 3);
  // Newest first: row 1 the failed reading, rows 2 and 3 the good ones.
  EXPECT_EQ(images().store().passFlag(0), 0);
  EXPECT_EQ(images().store().passFlag(1), 1);
  EXPECT_EQ(images().store().passFlag(2), 1);

  // The grid paints each picture framed in its verdict's colour.
  CGridCtrl* grid = seq().grid();
  const QImage shot = grid->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
  const QColor pass = FromColorRef(state().colours.passColour), fail = FromColorRef(state().colours.failColour);
  for (int row : {0, 1, 2}) {
    GridRect cell;
    ASSERT_TRUE(grid->GetCellRect(row, 1, &cell));
    EXPECT_EQ(shot.pixelColor(cell.left, cell.top + 20), row == 0 ? fail : pass) << row;
    EXPECT_EQ(shot.pixelColor(cell.right - 1, cell.top + 20), row == 0 ? fail : pass) << row;
  }
  GridRect empty;
  ASSERT_TRUE(grid->GetCellRect(3, 1, &empty));
  EXPECT_NE(shot.pixelColor(empty.left, empty.top + 20), pass);
  SaveScreenshot(*window, "function_test_window");
  SaveScreenshot(page(), "function_test_page");

  // While the test runs neither a double click nor Enter shows anything.
  const QImage lastReading = window->panels().imageView->surface();
  QTest::mouseDClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, CellCentre(2, 1));
  QTest::keyClick(grid, Qt::Key_Return);
  EXPECT_FALSE(seq().m_bDisplay);
  EXPECT_EQ(window->panels().imageView->surface(), lastReading);

  QTest::mouseClick(page().testOffButton(), Qt::LeftButton);
  EXPECT_EQ(state().m_nSensorState, 5);
  ASSERT_TRUE(WaitHandled(CMD_TEST_CONFIG_OFF));
  ASSERT_TRUE(Idle());
  EXPECT_EQ(sensor.model.state(), 4);  // the test left: configuration again
  EXPECT_TRUE(page().testOffButton()->isChecked());
  EXPECT_FALSE(page().simulateButton()->isEnabled());
  EXPECT_TRUE(page().liveButton()->isEnabled());
  EXPECT_TRUE(seq().displayButton()->isEnabled());

  // Display, a double click and Enter bring back a reading's picture and messages.
  auto expectShown = [&](int index) {
    EXPECT_EQ(window->panels().imageView->surface().convertToFormat(QImage::Format_RGB32),
              images().store().frame(index))
        << index;
    EXPECT_EQ(window->log().GetMarkedText(), images().store().caption(index)) << index;
  };
  QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, CellCentre(2, 1));
  QTest::mouseClick(seq().displayButton(), Qt::LeftButton);
  EXPECT_TRUE(seq().m_bDisplay);
  expectShown(2);
  QTest::mouseDClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, CellCentre(0, 1));
  expectShown(0);
  QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, CellCentre(1, 1));
  QTest::keyClick(grid, Qt::Key_Return);
  expectShown(1);
  // Down moves the highlight; Enter shows that row.
  QTest::keyClick(grid, Qt::Key_Down);
  EXPECT_TRUE(grid->IsCellSelected(2, 1));
  EXPECT_FALSE(grid->IsCellSelected(1, 1));
  QTest::keyClick(grid, Qt::Key_Return);
  expectShown(2);

  // Save: the first starts in the documents folder, the folder is kept,
  // and the picture takes the chosen name while the page goes beside it.
  QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, CellCentre(0, 1));
  const QString dir = QString::fromStdString(tmp.path().string());
  prompt.setFileAnswer(dir + "/failed.bmp");
  QTest::mouseClick(seq().saveButton(), Qt::LeftButton);
  ASSERT_EQ(prompt.requests().size(), 1);
  EXPECT_EQ(prompt.requests()[0].kind, RecordingPrompt::Kind::SaveFile);
  EXPECT_EQ(prompt.requests()[0].text, window->programPaths().documents);
  const QByteArray bmp = ReadFile(dir + "/failed.bmp");
  const QByteArray html = ReadFile(dir + "/failed.htm");
  EXPECT_EQ(bmp.size(), 921654);
  EXPECT_EQ(QCryptographicHash::hash(bmp, QCryptographicHash::Sha256).toHex(),
            ReadFile(Golden("failed_bmp.sha256")).trimmed());
  EXPECT_EQ(html.toStdString(), ReadFile(Golden("failed.htm")).toStdString());
  QString stored;
  ASSERT_TRUE(window->settings().Open(QStringLiteral("\\Common")));
  ASSERT_TRUE(window->settings().GetString(QStringLiteral("SaveLastImage"), stored));
  EXPECT_EQ(stored, dir);
  prompt.clear();
  prompt.setFileAnswer(QString());  // cancelled: nothing written
  QTest::mouseClick(seq().saveButton(), Qt::LeftButton);
  ASSERT_EQ(prompt.requests().size(), 1);
  EXPECT_EQ(prompt.requests()[0].text, dir);
  EXPECT_TRUE(prompt.messages().isEmpty());
  if (const QString shots = qEnvironmentVariable("VT_SCREENSHOT_DIR"); !shots.isEmpty()) {
    QFile::copy(dir + "/failed.htm", shots + "/failed.htm");
    QFile::copy(dir + "/failed.bmp", shots + "/failed.bmp");
  }
}

// A free-running sensor reads on its own: no trigger to simulate, and Test
// off stops the test also while the window is busy with a reading.
TEST_F(FunctionTestPage, AFreeRunningTestReadsOnItsOwnAndAlwaysStops) {
  OpenOnFunctionTest(3);
  sensor.readings.setRate(std::chrono::milliseconds(40));
  QTest::mouseClick(page().testOnButton(), Qt::LeftButton);
  EXPECT_FALSE(page().simulateButton()->isEnabled());
  EXPECT_TRUE(page().resetButton()->isEnabled());
  EXPECT_TRUE(state().m_bBusy);
  ASSERT_TRUE(QTest::qWaitFor([&] { return images().frameCount() >= 2; }, 30000));
  // The start does not hold the window busy: once the readings pause,
  // Reset is taken while the test runs.
  sensor.readings.setRate(std::chrono::milliseconds(0));
  ASSERT_TRUE(Idle());
  EXPECT_TRUE(page().testRunning());
  QTest::mouseClick(page().resetButton(), Qt::LeftButton);
  ASSERT_TRUE(WaitHandled(CMD_RESET_STATISTICS));
  ASSERT_TRUE(Idle());
  EXPECT_EQ(images().frameCount(), 0);
  EXPECT_EQ(page().statistics().totalEdit->text(), QStringLiteral("0"));
  sensor.readings.setRate(std::chrono::milliseconds(40));
  ASSERT_TRUE(QTest::qWaitFor([&] { return images().frameCount() >= 2; }, 30000));
  // Busy or not, the test stops.
  state().m_bBusy = 1;
  QTest::mouseClick(page().testOffButton(), Qt::LeftButton);
  EXPECT_TRUE(page().testOffButton()->isChecked());
  EXPECT_FALSE(page().testOnButton()->isChecked());
  EXPECT_EQ(state().m_nSensorState, 5);
  ASSERT_TRUE(WaitHandled(CMD_TEST_CONFIG_OFF));
  sensor.readings.setRate(std::chrono::milliseconds(0));
  ASSERT_TRUE(Idle());
  EXPECT_EQ(sensor.model.state(), 4);  // the test left: configuration again
  EXPECT_TRUE(page().testOnButton()->isEnabled());
  EXPECT_EQ(page().statistics().totalEdit->text().toInt(), state().m_nTotalReadings);
  EXPECT_GE(state().m_nTotalReadings, 2);
}

// A start the sensor refuses: its message, and the page, its buttons and
// the state as before; the next Test on starts again.
TEST_F(FunctionTestPage, ARefusedStartPutsThePageBack) {
  OpenOnFunctionTest(0);
  const int before = state().m_nSensorState;
  sensor.model.script().push("xmlSetState", ScriptedReply::status(-4100));
  QTest::mouseClick(page().testOnButton(), Qt::LeftButton);
  ASSERT_TRUE(WaitHandled(CMD_TEST_CONFIG_ON));
  ASSERT_TRUE(Idle());
  EXPECT_EQ(prompt.messages().size(), 1);
  EXPECT_EQ(state().m_nSensorState, before);
  EXPECT_FALSE(state().m_bTestRunning);
  EXPECT_FALSE(page().testRunning());
  EXPECT_FALSE(page().testOnButton()->isChecked());
  EXPECT_TRUE(page().testOffButton()->isChecked());
  EXPECT_FALSE(page().simulateButton()->isEnabled());
  EXPECT_TRUE(page().liveButton()->isEnabled());
  EXPECT_FALSE(seq().displayButton()->isEnabled());  // no reading kept
  // The page buttons and the wizard buttons are free again.
  for (int b = 0; b < 4; ++b) EXPECT_TRUE(strip().button(b)->isEnabled()) << b;
  for (int id : {1026, 1027, 1028}) EXPECT_TRUE(window->wizardButton(id)->isEnabled()) << id;
  QTest::mouseClick(page().testOnButton(), Qt::LeftButton);
  ASSERT_TRUE(WaitHandled(CMD_TEST_CONFIG_ON, 2));
  EXPECT_EQ(sensor.model.state(), 7);
  EXPECT_TRUE(page().testOnButton()->isChecked());
}

// Reset while the test runs: the sensor's and the page's counts back to 0,
// the pictures gone; the test goes on.
TEST_F(FunctionTestPage, ResetClearsTheCountsAndThePictures) {
  OpenOnFunctionTest(0);
  QTest::mouseClick(page().testOnButton(), Qt::LeftButton);
  ASSERT_TRUE(WaitHandled(CMD_TEST_CONFIG_ON));
  SimulatedReading(true);
  SimulatedReading(false);
  ExpectStatistics("1", "1", "2", "50.00", "50.00");
  QTest::mouseClick(page().resetButton(), Qt::LeftButton);
  EXPECT_FALSE(page().resetButton()->isChecked());
  ASSERT_TRUE(WaitHandled(CMD_RESET_STATISTICS));
  ASSERT_TRUE(Idle());
  ExpectStatistics("0", "0", "0", "0.00", "0.00");
  EXPECT_EQ(images().frameCount(), 0);
  EXPECT_EQ(sensor.model.snapshot().totalReadings, 0);
  ExpectFirstRowHighlighted();
  SimulatedReading(true);
  ExpectStatistics("1", "0", "1", "100.00", " 0.00");
}

// The live image locks the page and its list until it is stopped.
TEST_F(FunctionTestPage, LiveLocksThePageUntilItStops) {
  OpenOnFunctionTest(0);
  QTest::mouseClick(page().liveButton(), Qt::LeftButton);
  EXPECT_TRUE(page().liveButton()->isChecked());
  EXPECT_FALSE(page().testOnButton()->isEnabled());
  EXPECT_FALSE(page().testOffButton()->isEnabled());
  EXPECT_FALSE(seq().grid()->isEnabled());
  EXPECT_FALSE(seq().displayButton()->isEnabled());
  ASSERT_TRUE(WaitHandled(CMD_START_LIVE_IMAGE));
  ASSERT_TRUE(Idle());
  EXPECT_TRUE(state().m_bLiveImage);
  SaveScreenshot(*window, "function_test_live");
  QTest::mouseClick(page().liveButton(), Qt::LeftButton);
  EXPECT_FALSE(page().liveButton()->isChecked());
  ASSERT_TRUE(WaitHandled(CMD_STOP_LIVE_IMAGE));
  ASSERT_TRUE(Idle());
  EXPECT_FALSE(state().m_bLiveImage);
  EXPECT_TRUE(page().testOnButton()->isEnabled());
  EXPECT_TRUE(seq().grid()->isEnabled());
  EXPECT_FALSE(seq().displayButton()->isEnabled());  // no reading kept
  EXPECT_TRUE(prompt.messages().isEmpty());
}

// Display and Save act on kept readings: without one they are off (they
// would do nothing), with one they are on once the test is off, and a fresh
// entry of the page, which drops the readings, turns them off again.
TEST_F(FunctionTestPage, DisplayAndSaveAreOnOnlyWithAReading) {
  OpenOnFunctionTest(0);
  const auto buttons = [&] {
    return std::string(seq().displayButton()->isEnabled() ? "1" : "0") + (seq().saveButton()->isEnabled() ? "1" : "0");
  };
  EXPECT_EQ(buttons(), "00");
  // A test without a reading, then one with.
  for (int run : {1, 2}) {
    QTest::mouseClick(page().testOnButton(), Qt::LeftButton);
    ASSERT_TRUE(WaitHandled(CMD_TEST_CONFIG_ON, run));
    ASSERT_TRUE(Idle());
    EXPECT_EQ(buttons(), "00");
    if (run == 2) {
      ASSERT_NO_FATAL_FAILURE(SimulatedReading(true));
    }
    QTest::mouseClick(page().testOffButton(), Qt::LeftButton);
    ASSERT_TRUE(WaitHandled(CMD_TEST_CONFIG_OFF, run));
    ASSERT_TRUE(Idle());
    EXPECT_EQ(buttons(), run == 1 ? "00" : "11") << run;
  }
  SaveScreenshot(page(), "function_test_page_with_reading");
  for (int button : {CConfigTaskButtons::kImageQuality, CConfigTaskButtons::kFunctionTest}) {
    QTest::mouseClick(strip().button(button), Qt::LeftButton);
    ASSERT_TRUE(Idle());
  }
  ASSERT_TRUE(page().isVisible());
  EXPECT_EQ(images().frameCount(), 0);
  EXPECT_EQ(buttons(), "00");
  SaveScreenshot(page(), "function_test_page_no_reading");
  EXPECT_TRUE(prompt.messages().isEmpty()) << Shown();
}

// A live image the sensor refuses: its message once, then (a library error)
// the disconnect; the page is left with Live up, its buttons and the page
// buttons free, nothing busy or outstanding. Back on the page, Live works.
TEST_F(FunctionTestPage, ARefusedLiveStartLeavesThePageSound) {
  OpenOnFunctionTest(0);
  sensor.model.script().push("xmlStartLiveImage", ScriptedReply::status(-1));
  const int disconnects = Count(CMD_DISCONNECT);
  QTest::mouseClick(page().liveButton(), Qt::LeftButton);
  ASSERT_TRUE(WaitHandled(CMD_START_LIVE_IMAGE));
  ASSERT_TRUE(WaitHandled(CMD_DISCONNECT, disconnects + 1));
  ASSERT_TRUE(Idle());
  ASSERT_EQ(prompt.messages().size(), 1) << Shown();
  EXPECT_TRUE(prompt.messages()[0].text.contains(window->text(ErrorCodes::TextId(COMM_LIVE_IMAGE_REFUSED)))) << Shown();
  const auto& requests = prompt.requests();
  EXPECT_EQ(std::count_if(requests.begin(), requests.end(),
                          [](const RecordingPrompt::Request& r) { return r.kind == RecordingPrompt::Kind::Dialog; }),
            1);
  EXPECT_FALSE(sensor.liveImage.streaming());
  EXPECT_FALSE(state().m_bLiveImage);
  EXPECT_FALSE(state().m_bConnected);
  EXPECT_EQ(state().m_nOutstandingCommands, 0);
  EXPECT_FALSE(page().liveRunning());
  EXPECT_FALSE(page().liveButton()->isChecked());
  EXPECT_TRUE(page().testOnButton()->isEnabled());
  EXPECT_TRUE(page().testOffButton()->isEnabled());
  EXPECT_TRUE(seq().grid()->isEnabled());
  for (int b = 0; b < 4; ++b) EXPECT_TRUE(strip().button(b)->isEnabled()) << b;

  prompt.clear();
  ASSERT_NO_FATAL_FAILURE(ConnectAndOpenOnFunctionTest(0));
  QTest::mouseClick(page().liveButton(), Qt::LeftButton);
  ASSERT_TRUE(WaitHandled(CMD_START_LIVE_IMAGE, 2));
  ASSERT_TRUE(Idle());
  EXPECT_TRUE(state().m_bLiveImage);
  EXPECT_TRUE(sensor.liveImage.streaming());
  EXPECT_TRUE(page().liveButton()->isChecked());
  QTest::mouseClick(page().liveButton(), Qt::LeftButton);
  ASSERT_TRUE(WaitHandled(CMD_STOP_LIVE_IMAGE));
  ASSERT_TRUE(Idle());
  EXPECT_FALSE(state().m_bLiveImage);
  EXPECT_TRUE(prompt.messages().isEmpty()) << Shown();
}

// A row without a reading saves nothing; the store's refusals are shown.
TEST_F(FunctionTestPage, SaveStopsAtARowWithoutAReading) {
  OpenOnFunctionTest(0);
  QTest::mouseClick(page().testOnButton(), Qt::LeftButton);
  ASSERT_TRUE(WaitHandled(CMD_TEST_CONFIG_ON));
  SimulatedReading(true);
  QTest::mouseClick(page().testOffButton(), Qt::LeftButton);
  ASSERT_TRUE(WaitHandled(CMD_TEST_CONFIG_OFF));
  ASSERT_TRUE(Idle());
  CGridCtrl* grid = seq().grid();
  QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, CellCentre(1, 1));
  prompt.setFileAnswer(QString::fromStdString(tmp.path().string()) + "/none.htm");
  QTest::mouseClick(seq().saveButton(), Qt::LeftButton);
  EXPECT_TRUE(prompt.requests().isEmpty());
  EXPECT_FALSE(QFile::exists(QString::fromStdString(tmp.path().string()) + "/none.htm"));
}

// Coming back to the page starts it afresh: no counts, no pictures, row 1
// highlighted whatever row was chosen before.
TEST_F(FunctionTestPage, EnteringThePageAgainClearsCountsAndPictures) {
  OpenOnFunctionTest(0);
  ASSERT_NO_FATAL_FAILURE(TestWithReadings({true, false}));
  ExpectStatistics("1", "1", "2", "50.00", "50.00");
  QTest::mouseClick(seq().grid()->viewport(), Qt::LeftButton, Qt::NoModifier, CellCentre(1, 1));
  ASSERT_TRUE(seq().grid()->IsCellSelected(1, 1));
  for (int button : {CConfigTaskButtons::kImageQuality, CConfigTaskButtons::kFunctionTest}) {
    QTest::mouseClick(strip().button(button), Qt::LeftButton);
    ASSERT_TRUE(Idle()) << button;
  }
  ASSERT_TRUE(page().isVisible());
  ExpectStatistics("0", "0", "0", "0.00", "0.00");
  EXPECT_EQ(images().frameCount(), 0);
  ExpectFirstRowHighlighted();
  EXPECT_EQ(window->statusPane(7)->text(), window->text(1014) + QStringLiteral(" 0"));
  // The grid paints no picture frame any more.
  GridRect cell;
  ASSERT_TRUE(seq().grid()->GetCellRect(1, 1, &cell));
  const QImage shot = seq().grid()->viewport()->grab().toImage();
  EXPECT_NE(shot.pixelColor(cell.left, cell.top + 20), FromColorRef(state().colours.passColour));
}

// The picture takes the chosen name with ".bmp", the page keeps the chosen
// name unless that is the picture's; a folder that cannot be remembered
// never stops the save.
TEST_F(FunctionTestPage, SaveKeepsThePictureAndThePageApart) {
  OpenOnFunctionTest(0);
  ASSERT_NO_FATAL_FAILURE(TestWithReadings({true}));
  QTest::mouseClick(seq().grid()->viewport(), Qt::LeftButton, Qt::NoModifier, CellCentre(0, 1));
  struct Case {
    const char* chosen;
    const char* picture;
    const char* page;
  };
  for (const Case& c : {Case{"a.bmp", "a.bmp", "a.htm"}, Case{"b.htm", "b.bmp", "b.htm"}, Case{"c", "c.bmp", "c.htm"},
                        Case{"d.html", "d.bmp", "d.html"}, Case{"e.BMP", "e.bmp", "e.htm"}}) {
    prompt.clear();
    prompt.setFileAnswer(dir() + "/" + c.chosen);
    QTest::mouseClick(seq().saveButton(), Qt::LeftButton);
    EXPECT_EQ(QFile(dir() + "/" + c.picture).size(), 921654) << c.chosen;
    const QByteArray html = ReadFile(dir() + "/" + c.page);
    EXPECT_TRUE(html.startsWith("<!DOCTYPE HTML")) << c.chosen;
    EXPECT_TRUE(html.contains(QStringLiteral("<img src= \"./%1\"").arg(c.picture).toUtf8())) << c.chosen;
    EXPECT_TRUE(prompt.messages().isEmpty()) << c.chosen;
  }

  // The settings cannot be written (their folder lies under a plain file).
  QFile blocker(dir() + "/blocker");
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  blocker.close();
  const QString base = window->settings().basePath();
  window->settings().setBasePath(dir() + "/blocker/settings");
  ASSERT_EQ(window->settings().Create(QStringLiteral("\\Common")), 0);
  prompt.clear();
  prompt.setFileAnswer(dir() + "/kept.htm");
  QTest::mouseClick(seq().saveButton(), Qt::LeftButton);
  window->settings().setBasePath(base);
  ASSERT_EQ(prompt.requests().size(), 1);
  EXPECT_EQ(prompt.requests()[0].text, window->programPaths().documents);
  EXPECT_EQ(QFile(dir() + "/kept.bmp").size(), 921654);
  EXPECT_TRUE(QFile::exists(dir() + "/kept.htm"));
  EXPECT_TRUE(prompt.messages().isEmpty());
}

// Refusals of the export that the store does not report itself are shown;
// a file it could not write (-1) it has reported already.
TEST_F(FunctionTestPage, SaveShowsTheExportsRefusals) {
  OpenOnFunctionTest(0);
  ASSERT_NO_FATAL_FAILURE(TestWithReadings({true}));
  auto& slot = window->panels().imageStore;
  auto wrapper = std::make_unique<ForcedExport>(std::move(slot));
  ForcedExport* forced = wrapper.get();
  slot = std::move(wrapper);
  QTest::mouseClick(seq().grid()->viewport(), Qt::LeftButton, Qt::NoModifier, CellCentre(0, 1));
  struct Case {
    int status;
    int textId;  // 0: no message
  };
  for (const Case& c : {Case{-14142, 51394}, Case{-14141, 51395}, Case{-1, 0}, Case{0, 0}}) {
    forced->status = c.status;
    prompt.clear();
    prompt.setFileAnswer(dir() + "/x.htm");
    QTest::mouseClick(seq().saveButton(), Qt::LeftButton);
    ASSERT_EQ(prompt.messages().size(), c.textId ? 1 : 0) << c.status;
    if (c.textId) {
      EXPECT_TRUE(prompt.messages()[0].text.contains(window->text(c.textId))) << c.status;
    }
  }
  EXPECT_TRUE(state().m_bConnected);
}

}  // namespace
