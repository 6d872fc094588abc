// The Aztec Code tab against the simulator: its 34 sizes, the round trip
// through its own controls, a sensor size shown only when it is in the list,
// its checks and Teach over result fixtures.
#include "family_tab_fixture.h"

#include <QPushButton>

#include "codedef/code_geometry_dialog.h"
#include "codedef/config_code_def_tab3_aztec.h"

namespace vt::test {
namespace {

using vt::sim::CodeFamily;
using Tab = CConfigCodeDefTab3Aztec;

struct AztecTab : FamilyTabFixture {
  Tab* Open() {
    OpenConfiguration(CODE_TYPE_AZTEC);
    EnterCodeTab(CMD_GET_AZTEC_DATA);
    prompt.clear();
    return CodeTabAs<Tab>();
  }
};

TEST(AztecSizes, ThirtyFourSizesWithoutTheGaps) {
  const std::vector<int> sizes = AztecSymbolSizes();
  ASSERT_EQ(sizes.size(), 34u);
  EXPECT_EQ(sizes.front(), 11);
  EXPECT_EQ(sizes[6], 37);
  EXPECT_EQ(sizes[13], 67);
  EXPECT_EQ(sizes[21], 101);
  EXPECT_EQ(sizes[28], 131);
  EXPECT_EQ(sizes.back(), 151);
}

TEST_F(AztecTab, RoundTripThroughItsControls) {
  Tab* tab = Open();
  ASSERT_NE(tab, nullptr);
  QStringList expected = ItemTexts(CodeData(CodeFamily::Aztec));
  EXPECT_EQ(tab->sizeFrom()->currentText(), expected[0]);
  EXPECT_EQ(tab->sizeTo()->currentText(), expected[1]);
  EXPECT_EQ(tab->edit(Tab::Contrast)->text(), expected[4]);
  EXPECT_EQ(tab->windowTitle(), window->text(20009));
  SaveScreenshot(*codeDefinition, "code_definition_tab2_aztec");

  tab->sizeFrom()->setCurrentIndex(tab->sizeFrom()->findText("19"));
  tab->sizeTo()->setCurrentIndex(tab->sizeTo()->findText("101"));
  ClickSpin(tab->spin(Tab::Contrast), -1);
  ClickCheck(tab->strictModel());
  prompt.setDialogHandler(DialogHandler<CAztecCodeGeometry>([](CAztecCodeGeometry& g) {
    g.sizeTo()->setText("50");
    g.accept();
    return g.result();
  }));
  QTest::mouseClick(tab->geometryButton(), Qt::LeftButton);
  EXPECT_TRUE(prompt.messages().isEmpty()) << Texts().join('|').toStdString();

  LeaveToTab0(CMD_SET_AZTEC_DATA);
  expected[0] = "19";
  expected[1] = "101";
  expected[4] = QString::number(expected[4].toInt() - 1);
  expected[6] = "50";
  expected[11] = expected[11] == "yes" ? "no" : "yes";
  EXPECT_EQ(ItemTexts(CodeData(CodeFamily::Aztec)), expected);

  EnterCodeTab(CMD_GET_AZTEC_DATA);
  tab = CodeTabAs<Tab>();
  EXPECT_EQ(tab->sizeFrom()->currentText(), "19");
  EXPECT_EQ(tab->sizeTo()->currentText(), "101");
  EXPECT_EQ(tab->edit(Tab::Contrast)->text(), expected[4]);
}

// A stored 13 is no prefix of 131: sizes match exactly, an unknown one leaves the list.
TEST_F(AztecTab, SensorSizeNotInTheListLeavesTheSelection) {
  OpenConfiguration(CODE_TYPE_AZTEC);
  SetCodeItem(CodeFamily::Aztec, 0, 13);
  SetCodeItem(CodeFamily::Aztec, 1, 33);
  EnterCodeTab(CMD_GET_AZTEC_DATA);
  Tab* tab = CodeTabAs<Tab>();
  EXPECT_EQ(tab->sizeFrom()->currentText(), "11");
  EXPECT_EQ(tab->sizeTo()->currentText(), "11");
}

TEST_F(AztecTab, ChecksAndTeach) {
  Tab* tab = Open();
  const QString before = tab->edit(Tab::Contrast)->text();
  TypeAndLeave(tab->edit(Tab::Contrast), "0", tab->strictModel());
  EXPECT_EQ(Texts(), QStringList{window->text(9891)});
  EXPECT_EQ(tab->edit(Tab::Contrast)->text(), before);

  // The whole-tab check puts a bad contrast to 1 without a word.
  tab->edit(Tab::Contrast)->setText("101");
  prompt.clear();
  EXPECT_EQ(tab->ValidateInput(), -1);
  EXPECT_TRUE(prompt.messages().isEmpty());
  EXPECT_EQ(tab->edit(Tab::Contrast)->text(), "1");
  EXPECT_TRUE(tab->edit(Tab::Contrast)->hasFocus());

  tab->sizeFrom()->setCurrentIndex(tab->sizeFrom()->findText("151"));
  tab->sizeTo()->setCurrentIndex(tab->sizeTo()->findText("11"));
  prompt.clear();
  EXPECT_EQ(tab->ValidateInput(), -1);
  EXPECT_EQ(Texts(), QStringList{window->text(6071)});
  EXPECT_TRUE(tab->sizeFrom()->hasFocus());

  const int sizes[] = {19, 15, 23};
  for (int i = 0; i < 3; ++i) {
    AztecResultRecord r;
    r.texts0[0].Assign(i == 1 ? "light_on_dark" : "dark_on_light");
    r.texts0[1].Assign("yes");
    r.ints3 = {sizes[i], sizes[i], 0};
    state().m_CodeResults[static_cast<std::size_t>(i)] = r;
  }
  state().m_nReadCount = 3;
  tab->Teach();
  EXPECT_EQ(tab->sizeFrom()->currentText(), "15");
  EXPECT_EQ(tab->sizeTo()->currentText(), "23");
  EXPECT_EQ(tab->polarity()->currentIndex(), 2);
  EXPECT_EQ(tab->mirror()->currentIndex(), 1);
}

}  // namespace
}  // namespace vt::test
