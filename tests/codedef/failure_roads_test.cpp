// The code definition page when the sensor refuses: the write on entering
// tab 2, Read code (its write and its decode), a filter's write and a code
// tab's revert. Each road is taken through the page's own controls; after
// it the test looks at what the operator sees next (the message once, the
// tab shown, the buttons, the cursor, what the fields show) and at what the
// sensor holds.
#include "family_tab_fixture.h"

#include <QAbstractButton>

#include "codedef/config_code_def_tab2.h"
#include "codedef/config_code_def_tab3_ecc200.h"
#include "controls/button_draw.h"
#include "sim/reply_script.h"

namespace vt::test {
namespace {

using vt::sim::ScriptedReply;
enum : int { kCodesPerImage = 34, kDecodingTime = 35, kFilter1 = 37, kFilter2 = 38 };

struct FailureRoads : FamilyTabFixture {
  QAbstractButton* Button(int id) { return codeDefinition->findChild<QAbstractButton*>(QStringLiteral("id%1").arg(id)); }
  void Type(QLineEdit* edit, const QString& text) {
    ClickAt(edit);
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(edit, text);
  }
  // A refusal the window shows as a warning: the connection stays.
  void Refuse(const char* method) { sensor.model.script().push(method, ScriptedReply::status(-4010)); }
  // The page free again: one message, nothing out, the normal cursor.
  void ExpectOneMessageAndFree() {
    EXPECT_EQ(state().m_bConnected, 1);
    EXPECT_EQ(prompt.messages().size(), 1) << Texts().join('|').toStdString();
    EXPECT_TRUE(Idle());
    EXPECT_EQ(state().m_bCodeTabSwitching, 0);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    prompt.clear();
  }
};

// Entering tab 2 writes the configuration first. Refused: the message, the
// page stays on the tab it came from with the typed count, no code data is
// asked for; the next click on tab 2 writes it and opens the code tab.
TEST_F(FailureRoads, TheWriteOnEnteringTab2) {
  OpenConfiguration(CODE_TYPE_ECC200);
  const int stored = ConfigItem(kCodesPerImage).asInt();
  const QString typed = QString::number(stored == 4 ? 5 : 4);
  Type(tab1().codesEdit(), typed);
  const int gets = Count(CMD_GET_ECC200_DATA);
  Refuse("xmlSetConfigData");
  ClickTabAt(2);
  ExpectOneMessageAndFree();
  EXPECT_EQ(tabs().currentTab(), 0);
  EXPECT_TRUE(tabs().content(0)->isVisible());
  EXPECT_EQ(Count(CMD_GET_ECC200_DATA), gets);
  EXPECT_EQ(tab1().codesEdit()->text(), typed);
  EXPECT_EQ(ConfigItem(kCodesPerImage).asInt(), stored);
  SaveScreenshot(*codeDefinition, "code_definition_refused_tab2");

  ClickTabAt(2);
  ASSERT_TRUE(WaitHandled(CMD_GET_ECC200_DATA, gets + 1));
  ASSERT_TRUE(Idle());
  EXPECT_EQ(tabs().currentTab(), 2);
  ASSERT_NE(codeDefinition->codeTab(), nullptr);
  EXPECT_TRUE(codeDefinition->codeTab()->isVisible());
  EXPECT_EQ(ConfigItem(kCodesPerImage).asInt(), typed.toInt());
  EXPECT_TRUE(Texts().isEmpty()) << Texts().join('|').toStdString();
}

// Read code writes the configuration, then asks the sensor to decode.
// Refused write: no decode, the buttons and cursor as before, the typed
// time kept on the page and not on the sensor. Refused decode: its message,
// the page free, no reading taken for the teach button.
TEST_F(FailureRoads, ReadCode) {
  OpenConfiguration(CODE_TYPE_ECC200);
  const int stored = ConfigItem(kDecodingTime).asInt();
  const QString typed = QString::number(stored == 700 ? 800 : 700);
  Type(tab1().timeEdit(), typed);
  const std::size_t decodes = sensor.server.countCalls("xmlDecodeImage");
  Refuse("xmlSetConfigData");
  ClickAt(Button(1080));
  ExpectOneMessageAndFree();
  EXPECT_EQ(sensor.server.countCalls("xmlDecodeImage"), decodes);
  EXPECT_FALSE(codeDefinition->codeRead());
  EXPECT_FALSE(Button(1080)->isDown());
  EXPECT_TRUE(Button(1081)->isDown());
  EXPECT_TRUE(Button(1080)->isEnabled());
  EXPECT_EQ(tab1().timeEdit()->text(), typed);
  EXPECT_EQ(ConfigItem(kDecodingTime).asInt(), stored);

  const int reads = Count(CMD_GET_READ_CODE);
  Refuse("xmlDecodeImage");
  ClickAt(Button(1080));
  ASSERT_TRUE(WaitHandled(CMD_GET_READ_CODE, reads + 1));
  ExpectOneMessageAndFree();
  EXPECT_EQ(ConfigItem(kDecodingTime).asInt(), typed.toInt());
  EXPECT_EQ(state().m_nReadCount, 0);
  EXPECT_TRUE(Button(1080)->isEnabled());
  EXPECT_FALSE(Button(1080)->isDown());
  EXPECT_TRUE(Button(1081)->isDown());

  // The next Read code reads.
  ClickAt(Button(1080));
  ASSERT_TRUE(WaitHandled(CMD_GET_READ_CODE, reads + 2));
  ASSERT_TRUE(Idle());
  EXPECT_EQ(state().m_nReadCount, 1);
  EXPECT_TRUE(Texts().isEmpty()) << Texts().join('|').toStdString();
}

// A refused filter write: its message, the list keeps the choice, the sensor
// its filter; the next filter written carries both.
TEST_F(FailureRoads, TheFilterWrite) {
  OpenConfiguration(CODE_TYPE_ECC200);
  ASSERT_NO_FATAL_FAILURE(ReadAgain([](XmlRpc::XmlRpcValue& config) {
    config[kFilter1] = 0;
    config[kFilter2] = 0;
  }));
  ClickTabAt(1);
  ASSERT_EQ(tabs().currentTab(), 1);
  QComboBox* first = codeDefinition->tab2()->list(0);
  QComboBox* second = codeDefinition->tab2()->list(1);
  Refuse("xmlSetConfigData");
  first->setFocus();
  QTest::keyClick(first, Qt::Key_Down);
  ExpectOneMessageAndFree();
  EXPECT_EQ(first->currentIndex(), 1);
  EXPECT_EQ(ConfigItem(kFilter1).asInt(), 0);
  EXPECT_TRUE(first->isEnabled());

  second->setFocus();
  QTest::keyClick(second, Qt::Key_Down);
  ASSERT_TRUE(Idle());
  EXPECT_EQ(ConfigItem(kFilter1).asInt(), 1);
  EXPECT_EQ(ConfigItem(kFilter2).asInt(), 1);
  EXPECT_TRUE(Texts().isEmpty()) << Texts().join('|').toStdString();
}

// A refused revert: its message only (no revert message, no settings read),
// the button not left pressed, the fields and the sensor's settings as they
// were; a later revert of the other kind shows its own message.
TEST_F(FailureRoads, TheRevertTheSensorRefuses) {
  OpenConfiguration(CODE_TYPE_ECC200);
  ASSERT_NO_FATAL_FAILURE(EnterCodeTab(CMD_GET_ECC200_DATA));
  auto* tab = CodeTabAs<CConfigCodeDefTab3ECC200>();
  ASSERT_NE(tab, nullptr);
  prompt.clear();
  const QStringList before = ItemTexts(CodeData(vt::sim::CodeFamily::Ecc200));
  const QString contrast = tab->edit(CConfigCodeDefTab3ECC200::Contrast)->text();
  const int gets = Count(CMD_GET_ECC200_DATA);
  const int reverts = Count(CMD_REVERT_CODE_DATA);
  Refuse("xmlRevertCodeDataSettings");
  ClickAt(tab->revertButton(0));
  ASSERT_TRUE(WaitHandled(CMD_REVERT_CODE_DATA, reverts + 1));
  ExpectOneMessageAndFree();
  EXPECT_EQ(Count(CMD_GET_ECC200_DATA), gets);
  EXPECT_FALSE(tab->revertButton(0)->isDown());
  EXPECT_EQ(tab->edit(CConfigCodeDefTab3ECC200::Contrast)->text(), contrast);
  EXPECT_EQ(ItemTexts(CodeData(vt::sim::CodeFamily::Ecc200)), before);
  EXPECT_EQ(state().m_bSettingsReverted, 0);
  SaveScreenshot(*codeDefinition, "code_definition_refused_revert");

  ClickAt(tab->revertButton(1));
  ASSERT_TRUE(WaitHandled(CMD_GET_ECC200_DATA, gets + 1));
  ASSERT_TRUE(Idle());
  EXPECT_EQ(Texts(), QStringList{window->text(6069)});
  EXPECT_FALSE(tab->revertButton(1)->isDown());
  EXPECT_EQ(sensor.model.snapshot().revertedCodeType, 1);
}

}  // namespace
}  // namespace vt::test
