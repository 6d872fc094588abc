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

}  // namespace
}  // namespace vt::test
