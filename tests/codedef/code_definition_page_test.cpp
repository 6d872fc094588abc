// The code definition page in the main window against the simulator: what a
// configuration read shows, the tab switch with its refusals, and the code
// tab made anew for each entry into tab 2.
#include "codedef_fixture.h"

#include <QTabBar>

#include "codedef/code_tab.h"
#include "codedef/config_code_def_tab3_ecc200.h"
#include "core/code_types.h"

namespace vt::test {
namespace {

using Page = CodeDefinitionFixture;

void ClickTab(CCodeDefinitionTabctrl& tabs, int tab) {
  tabs.tabBar()->setCurrentIndex(tab);
  QApplication::processEvents();
}

TEST_F(Page, ShowsTheEditedConfigurationOnEveryTab) {
  OpenConfiguration(CODE_TYPE_ECC200);
  EXPECT_EQ(tab1().codeTypeIndex(), CODE_TYPE_ECC200);
  EXPECT_EQ(tab1().codeTypeList()->toolTip(), window->text(7163));
  // The status bar cuts a name of more than 18 characters.
  ASSERT_EQ(window->text(7163).size(), 19);
  EXPECT_EQ(window->statusPane(4)->text(), window->text(7163).left(17) + "...");
  EXPECT_TRUE(tab1().radio(2)->isChecked());
  EXPECT_EQ(tab1().codesEdit()->text(), QString::number(vt::sim::plausibleConfigData(0)[34].asInt()));
  EXPECT_EQ(tab1().timeEdit()->text(), QString::number(vt::sim::plausibleConfigData(0)[35].asInt()));
  EXPECT_EQ(tabs().GetPage(2), 1);
  SaveScreenshot(*codeDefinition, "code_definition_tab0");

  ClickTab(tabs(), 1);
  EXPECT_EQ(tabs().currentTab(), 1);
  SaveScreenshot(*codeDefinition, "code_definition_tab1");

  const int gets = Count(CMD_GET_ECC200_DATA);
  ClickTab(tabs(), 2);
  ASSERT_TRUE(WaitHandled(CMD_GET_ECC200_DATA, gets + 1));
  ASSERT_TRUE(Idle());
  ASSERT_NE(codeDefinition->codeTab(), nullptr);
  EXPECT_EQ(codeDefinition->codeTab()->family(), CODE_FLAG_ECC200);
  EXPECT_EQ(tabs().currentTab(), 2);
  EXPECT_EQ(state().m_bCodeTabSwitching, 0);
  SaveScreenshot(*codeDefinition, "code_definition_tab2_ecc200");
}

// After a field's message the value shown is the last good one: the next
// click on another tab goes there (the click checks the field again, which
// passes); a bad value left by a click on a tab keeps the user on the tab
// once, with the field's message.
TEST_F(Page, TheFirstTabClickAfterAFieldsMessageGoesThrough) {
  OpenConfiguration(CODE_TYPE_ECC200);
  QLineEdit* codes = tab1().codesEdit();
  const QString kept = codes->text();
  auto type = [&](const char* text) {
    ClickAt(codes);
    QTest::keyClick(codes, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(codes, QString::fromLatin1(text));
  };
  // Refused by a click inside the tab.
  type("11");
  ClickAt(tab1().timeEdit());
  EXPECT_EQ(Texts(), QStringList{window->text(9850)});
  EXPECT_EQ(codes->text(), kept);
  prompt.clear();
  ClickTabAt(1);
  EXPECT_EQ(tabs().currentTab(), 1);
  EXPECT_TRUE(Texts().isEmpty()) << Texts().join('|').toStdString();

  // Refused by the click on the tab itself: the tab stays, once.
  ClickTabAt(0);
  ASSERT_EQ(tabs().currentTab(), 0);
  type("0");
  ClickTabAt(1);
  EXPECT_EQ(Texts(), QStringList{window->text(9850)});
  EXPECT_EQ(tabs().currentTab(), 0);
  EXPECT_EQ(codes->text(), kept);
  prompt.clear();
  ClickTabAt(1);
  EXPECT_EQ(tabs().currentTab(), 1);

  // A family tab: its Set goes out with the value shown.
  const int gets = Count(CMD_GET_ECC200_DATA);
  ClickTabAt(2);
  ASSERT_TRUE(WaitHandled(CMD_GET_ECC200_DATA, gets + 1));
  ASSERT_TRUE(Idle());
  auto* tab = qobject_cast<CConfigCodeDefTab3ECC200*>(codeDefinition->codeTab());
  ASSERT_NE(tab, nullptr);
  QLineEdit* cols = tab->edit(CConfigCodeDefTab3ECC200::ColsMin);
  const QString colsKept = cols->text();
  ClickAt(cols);
  QTest::keyClick(cols, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(cols, QStringLiteral("9"));
  ClickAt(tab->edit(CConfigCodeDefTab3ECC200::Contrast));
  EXPECT_EQ(Texts(), QStringList{window->text(9861)});
  prompt.clear();
  const int sets = Count(CMD_SET_ECC200_DATA);
  ClickTabAt(0);
  EXPECT_EQ(tabs().currentTab(), 0);
  ASSERT_TRUE(WaitHandled(CMD_SET_ECC200_DATA, sets + 1));
  ASSERT_TRUE(Idle());
  EXPECT_EQ(QString::number(Ecc200Item(0).asInt()), colsKept);
  EXPECT_TRUE(Texts().isEmpty()) << Texts().join('|').toStdString();
}

}  // namespace
}  // namespace vt::test
