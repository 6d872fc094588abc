// Tab 0 (code type, recognition, codes per image, decoding time, Auto
// Detect) and tab 1 (filters) against the simulated sensor, through the
// page's own controls.
#include "codedef_fixture.h"

#include <QClipboard>
#include <QTabBar>

#include "codedef/config_code_def_tab2.h"
#include "controls/button_draw.h"
#include "core/code_types.h"
#include "sim/reply_script.h"

namespace vt::test {
namespace {

using Recognition = CodeDefinitionFixture;
using vt::sim::ScriptedReply;

void ClickTab(CCodeDefinitionTabctrl& tabs, int tab) {
  tabs.tabBar()->setCurrentIndex(tab);
  QApplication::processEvents();
}

TEST_F(Recognition, WithoutACodeTypeNeitherFiltersNorCodeTabOpen) {
  OpenConfiguration(CODE_TYPE_NONE, 0);
  ASSERT_EQ(tab1().codeTypeIndex(), 0);
  EXPECT_FALSE(tab1().radio(2)->isEnabled());
  EXPECT_EQ(tabs().GetPage(2), 0);
  for (int tab : {1, 2}) {
    prompt.clear();
    ClickTab(tabs(), tab);
    EXPECT_EQ(tabs().currentTab(), 0) << tab;
    EXPECT_EQ(Texts(), QStringList{window->text(6065)}) << tab;
  }
}

TEST_F(Recognition, TheListHoldsTheExtendedTypesOnlyWithTheExtendedConfiguration) {
  OpenConfiguration(CODE_TYPE_ECC200);
  EXPECT_EQ(tab1().codeTypeList()->count(), kCodeTypeCount);
  state().m_bExtendedConfig = 0;
  codeDefinition->UpdateCodeTypeList();
  EXPECT_EQ(tab1().codeTypeList()->count(), kFirstExtendedCodeType);
  codeDefinition->ReloadTexts();
  EXPECT_EQ(tab1().codeTypeList()->count(), kFirstExtendedCodeType);
  state().m_bExtendedConfig = 1;
  codeDefinition->UpdateCodeTypeList();
  EXPECT_EQ(tab1().codeTypeList()->count(), kCodeTypeCount);
  EXPECT_EQ(tab1().codeTypeList()->itemText(CODE_TYPE_GS1_AZTEC), window->text(CodeTypeStringId(CODE_TYPE_GS1_AZTEC)));
}

TEST_F(Recognition, ANewCodeTypeIsWrittenAndReadBack) {
  OpenConfiguration(CODE_TYPE_ECC200);
  state().m_bValidationFailed = 1;
  state().m_ECC200QRQuality.resize(3);
  const int reads = Count(CMD_GET_CONFIG_DATA);
  tab1().codeTypeList()->setCurrentIndex(CODE_TYPE_QR);
  ASSERT_TRUE(WaitHandled(CMD_GET_CONFIG_DATA, reads + 1));
  ASSERT_TRUE(Idle());
  EXPECT_EQ(ConfigItem(32).asInt(), CODE_TYPE_QR);
  EXPECT_EQ(state().m_nCodeType, CODE_TYPE_QR);
  EXPECT_EQ(state().m_bValidationFailed, 0);
  EXPECT_TRUE(state().m_ECC200QRQuality.empty());
  EXPECT_EQ(window->statusPane(4)->text(), window->text(7165));
  EXPECT_EQ(tab1().codeTypeList()->toolTip(), window->text(7165));
  EXPECT_EQ(tabs().GetPage(2), 1);  // optimised recognition
}

TEST_F(Recognition, TheRadiosSetTheModeAndTheTabsThatGoWithIt) {
  OpenConfiguration(CODE_TYPE_ECC200);
  struct Case {
    int mode;
    bool codeTab;
    bool autoDetect;
  };
  for (const Case& c : {Case{0, false, true}, Case{1, false, true}, Case{2, true, false}, Case{2, true, false}}) {
    const std::size_t calls = sensor.server.countCalls("xmlUpdateRecognitionMode");
    // On its circle: a radio takes clicks on its circle and text only.
    QTest::mouseClick(tab1().radio(c.mode), Qt::LeftButton, {}, QPoint(6, tab1().radio(c.mode)->height() / 2));
    ASSERT_TRUE(Idle());
    EXPECT_EQ(sensor.server.countCalls("xmlUpdateRecognitionMode"), calls + 1) << c.mode;
    EXPECT_EQ(sensor.model.snapshot().recognitionMode, c.mode);
    EXPECT_EQ(tabs().GetPage(2), c.codeTab ? 1 : 0) << c.mode;
    EXPECT_EQ(tab1().autoDetectButton()->isEnabled(), c.autoDetect) << c.mode;
    EXPECT_EQ(state().m_nRecognitionButton, c.mode);
  }
}

TEST_F(Recognition, AutoDetectFillsTheTabLogsAndWritesTheResult) {
  OpenConfiguration(CODE_TYPE_PDF417, 0);
  sensor.model.access([](vt::sim::SensorData& d) {
    d.detectedCodeType = CODE_TYPE_ECC200;
    d.detectedValue = 3;
  });
  const int sets = Count(CMD_SET_CONFIG_DATA);
  const int codesBefore = ConfigItem(34).asInt();
  QTest::mouseClick(tab1().autoDetectButton(), Qt::LeftButton);
  ASSERT_TRUE(WaitHandled(CMD_AUTO_DETECT_CODE));
  ASSERT_TRUE(WaitHandled(CMD_SET_CONFIG_DATA, sets + 1));
  ASSERT_TRUE(Idle());
  EXPECT_EQ(sensor.model.snapshot().autoDetectArguments, (std::pair<int, int>{0, codesBefore}));
  EXPECT_EQ(tab1().codeTypeIndex(), CODE_TYPE_ECC200);
  EXPECT_EQ(tab1().codesEdit()->text(), QStringLiteral("3"));
  EXPECT_EQ(ConfigItem(32).asInt(), CODE_TYPE_ECC200);
  EXPECT_EQ(ConfigItem(34).asInt(), 3);
  const QString log = window->log().GetMarkedText();
  EXPECT_TRUE(log.contains(window->text(7160) + window->text(7163))) << log.toStdString();
  EXPECT_TRUE(log.contains(window->text(7161) + QStringLiteral(" 3"))) << log.toStdString();
  for (int mode = 0; mode < 3; ++mode) EXPECT_TRUE(tab1().radio(mode)->isEnabled());
  EXPECT_FALSE(state().m_bBusy);
}

// A detected count the sensor would refuse is never stored; the edit waits.
TEST_F(Recognition, AutoDetectKeepsACountAboveTen) {
  OpenConfiguration(CODE_TYPE_ECC200, 0);
  const int before = ConfigItem(34).asInt();
  sensor.model.access([](vt::sim::SensorData& d) { d.detectedValue = 11; });
  QTest::mouseClick(tab1().autoDetectButton(), Qt::LeftButton);
  ASSERT_TRUE(WaitHandled(CMD_AUTO_DETECT_CODE));
  ASSERT_TRUE(Idle());
  EXPECT_EQ(ConfigItem(34).asInt(), before);
  EXPECT_EQ(state().m_nCodesPerImage, before);
  EXPECT_TRUE(tab1().codesEdit()->hasFocus());
}

// Every way out of the detection gives back what its start took: a failed
// write sends no detection, a failed detection reply ends it too.
void ExpectUsableAfterFailure(CodeDefinitionFixture& f, const char* method, std::size_t detections) {
  f.OpenConfiguration(CODE_TYPE_ECC200, 0);
  f.sensor.model.script().push(method, ScriptedReply::status(-102));
  QTest::mouseClick(f.tab1().autoDetectButton(), Qt::LeftButton);
  ASSERT_TRUE(f.Idle());
  EXPECT_EQ(f.sensor.server.countCalls("xmlAutoDetectCode"), detections);
  EXPECT_FALSE(f.state().m_bBusy);
  for (int mode = 0; mode < 3; ++mode) EXPECT_TRUE(f.tab1().radio(mode)->isEnabled()) << mode;
  EXPECT_EQ(f.prompt.messages().size(), 1);
}

TEST_F(Recognition, AFailedWriteSendsNoDetection) { ExpectUsableAfterFailure(*this, "xmlSetConfigData", 0); }
TEST_F(Recognition, AFailedDetectionEndsTheDetection) { ExpectUsableAfterFailure(*this, "xmlAutoDetectCode", 1); }

// A typed count or time is checked before the detection writes it.
TEST_F(Recognition, AutoDetectChecksTheEditsFirst) {
  OpenConfiguration(CODE_TYPE_ECC200, 0);
  struct Case {
    QLineEdit* edit;
    const char* text;
    int message;
  };
  for (const Case& c : {Case{tab1().timeEdit(), "9999", 9851}, Case{tab1().timeEdit(), "5", 9851},
                        Case{tab1().codesEdit(), "11", 9850}}) {
    SCOPED_TRACE(c.text);
    const std::size_t writes = sensor.server.countCalls("xmlSetConfigData");
    c.edit->setText(QString::fromLatin1(c.text));
    QTest::mouseClick(tab1().autoDetectButton(), Qt::LeftButton);
    ASSERT_TRUE(Idle());
    EXPECT_EQ(sensor.server.countCalls("xmlSetConfigData"), writes);
    EXPECT_EQ(sensor.server.countCalls("xmlAutoDetectCode"), 0u);
    EXPECT_EQ(Texts().value(0), window->text(c.message));
    prompt.clear();
  }
}

TEST_F(Recognition, AFilterIsWrittenAtOnceAndThePictureFetchedAgain) {
  OpenConfiguration(CODE_TYPE_ECC200);
  ClickTab(tabs(), 1);
  CConfigCodeDefTab2& filters = *codeDefinition->tab2();
  for (int list = 0; list < 3; ++list) {
    const std::size_t pictures = sensor.server.countCalls("xmlGetCurrentImage");
    filters.list(list)->setCurrentIndex(list == 2 ? 4 : 7);
    EXPECT_EQ(ConfigItem(37 + list).asInt(), list == 2 ? 4 : 7) << list;
    EXPECT_EQ(sensor.server.countCalls("xmlGetCurrentImage"), pictures + 1);
  }
  EXPECT_EQ(ConfigItem(37).asInt(), 7);  // the same filter twice is sent as chosen
  EXPECT_EQ(ConfigItem(38).asInt(), 7);
  EXPECT_FALSE(state().m_bBusy);
}

// Tab 0 has the family tabs' filter: no clipboard in its edits (keys, middle
// click, context menu), no Space on a radio, no Enter or Escape; so nothing
// pasted reaches the sensor with the next write. The tabs carry their captions.
TEST_F(Recognition, TabZeroTakesNoClipboardAndNoRightButton) {
  OpenConfiguration(CODE_TYPE_ECC200);
  EXPECT_EQ(codeDefinition->windowTitle(), window->text(1056));
  EXPECT_EQ(tab1().windowTitle(), window->text(1058));
  EXPECT_EQ(codeDefinition->tab2()->windowTitle(), window->text(1057));
  const int codes = ConfigItem(34).asInt();
  const int time = ConfigItem(35).asInt();
  for (QLineEdit* edit : {tab1().codesEdit(), tab1().timeEdit()}) {
    SCOPED_TRACE(edit->objectName().toStdString());
    QApplication::clipboard()->setText(QStringLiteral("7"));
    const QString before = edit->text();
    ClickAt(edit);
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_Insert, Qt::ShiftModifier);
    ClickAt(edit, edit->rect().center(), Qt::MiddleButton);
    EXPECT_EQ(edit->text(), before);
    EXPECT_EQ(edit->contextMenuPolicy(), Qt::NoContextMenu);
    // A copy takes nothing out either.
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("7"));
  }
  const std::size_t modes = sensor.server.countCalls("xmlUpdateRecognitionMode");
  tab1().radio(1)->setFocus();
  QTest::keyClick(tab1().radio(1), Qt::Key_Space);
  EXPECT_FALSE(tab1().radio(1)->isChecked());
  EXPECT_EQ(sensor.server.countCalls("xmlUpdateRecognitionMode"), modes);
  // The next write (entering tab 2) carries what the edits showed.
  const int gets = Count(CMD_GET_ECC200_DATA);
  ClickTabAt(2);
  ASSERT_TRUE(WaitHandled(CMD_GET_ECC200_DATA, gets + 1));
  ASSERT_TRUE(Idle());
  EXPECT_EQ(ConfigItem(34).asInt(), codes);
  EXPECT_EQ(ConfigItem(35).asInt(), time);
  EXPECT_TRUE(Texts().isEmpty()) << Texts().join('|').toStdString();
}

// A sensor without the extended configuration: its list stops at 29, so a
// stored Aztec Code (33) cannot be shown. The list shows no type, the status
// bar names the stored one, and every write keeps it; before, the list kept
// the type shown before and wrote that.
TEST_F(Recognition, AStoredTypeTheListCannotShowIsKept) {
  auto id = sensor.identity.identity();
  id.softwareVersion = "3099";
  sensor.identity.setIdentity(id);
  OpenConfiguration(CODE_TYPE_ECC200);
  ASSERT_EQ(state().m_bExtendedConfig, 0);
  ASSERT_EQ(tab1().codeTypeList()->count(), kFirstExtendedCodeType);
  ASSERT_EQ(tab1().codeTypeIndex(), CODE_TYPE_ECC200);
  ASSERT_NO_FATAL_FAILURE(ReadAgain([](XmlRpc::XmlRpcValue& config) { config[32] = CODE_TYPE_AZTEC; }));
  EXPECT_EQ(tab1().codeTypeList()->currentIndex(), -1);
  EXPECT_EQ(tab1().codeTypeList()->placeholderText(), window->text(CodeTypeStringId(CODE_TYPE_AZTEC)));
  EXPECT_EQ(window->statusPane(4)->text(), window->text(CodeTypeStringId(CODE_TYPE_AZTEC)));
  EXPECT_EQ(tabs().GetPage(2), 0);
  // A language switch refills the list and still shows no type.
  codeDefinition->ReloadTexts();
  EXPECT_EQ(tab1().codeTypeList()->currentIndex(), -1);
  EXPECT_EQ(window->statusPane(4)->text(), window->text(CodeTypeStringId(CODE_TYPE_AZTEC)));
  // A new count, then Read code writes the configuration.
  QLineEdit* codes = tab1().codesEdit();
  ClickAt(codes);
  QTest::keyClick(codes, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(codes, QStringLiteral("3"));
  const int reads = Count(CMD_GET_READ_CODE);
  ClickAt(codeDefinition->findChild<QAbstractButton*>(QStringLiteral("id1080")));
  ASSERT_TRUE(WaitHandled(CMD_GET_READ_CODE, reads + 1)) << Texts().join('|').toStdString();
  ASSERT_TRUE(Idle());
  EXPECT_EQ(ConfigItem(32).asInt(), CODE_TYPE_AZTEC);
  EXPECT_EQ(ConfigItem(34).asInt(), 3);
  EXPECT_EQ(state().m_nCodeType, CODE_TYPE_AZTEC);
  EXPECT_EQ(tab1().codeTypeList()->currentIndex(), -1);
  EXPECT_TRUE(Texts().isEmpty()) << Texts().join('|').toStdString();
  SaveScreenshot(*codeDefinition, "code_definition_tab0_unshown_type");
}

TEST_F(Recognition, LiveLocksTheTabsUntilFreeze) {
  OpenConfiguration(CODE_TYPE_ECC200);
  auto* live = codeDefinition->findChild<QAbstractButton*>(QStringLiteral("id1082"));
  auto* freeze = codeDefinition->findChild<QAbstractButton*>(QStringLiteral("id1081"));
  QTest::mouseClick(live, Qt::LeftButton);
  EXPECT_TRUE(codeDefinition->live());
  EXPECT_TRUE(codeDefinition->hasPendingAction());
  // While the start runs, a tab click snaps back.
  ClickTab(tabs(), 1);
  EXPECT_EQ(tabs().currentTab(), 0);
  ASSERT_TRUE(WaitHandled(CMD_START_LIVE_IMAGE));
  ASSERT_TRUE(Idle()) << state().m_nOutstandingCommands << " " << int(state().m_bBusy) << " " << Texts().join('|').toStdString();
  for (int tab = 0; tab < 3; ++tab) EXPECT_EQ(tabs().GetPage(tab), 0) << tab;
  EXPECT_FALSE(tab1().codeTypeList()->isEnabled());
  EXPECT_FALSE(codeDefinition->tab2()->list(0)->isEnabled());
  ClickTab(tabs(), 1);
  EXPECT_EQ(tabs().currentTab(), 0);

  QTest::mouseClick(freeze, Qt::LeftButton);
  ASSERT_TRUE(WaitHandled(CMD_STOP_LIVE_IMAGE));
  ASSERT_TRUE(Idle());
  EXPECT_FALSE(codeDefinition->live());
  EXPECT_TRUE(tab1().codeTypeList()->isEnabled());
  EXPECT_TRUE(codeDefinition->tab2()->list(0)->isEnabled());
  EXPECT_EQ(tabs().GetPage(1), 1);
  EXPECT_EQ(tabs().GetPage(2), 1);
  ClickTab(tabs(), 1);
  EXPECT_EQ(tabs().currentTab(), 1);
}

}  // namespace
}  // namespace vt::test
