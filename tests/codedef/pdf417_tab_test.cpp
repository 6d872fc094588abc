// The PDF417 tab against the simulator: a round trip through its own
// controls, its field and whole-tab checks, Teach and "Use code properties"
// over result fixtures, and the two reverts.
#include "family_tab_fixture.h"

#include "codedef/code_geometry_dialog.h"
#include "codedef/config_code_def_tab3_pdf417.h"
#include <QPushButton>

#include "controls/button_draw.h"

namespace vt::test {
namespace {

using vt::sim::CodeFamily;
using Tab = CConfigCodeDefTab3PDF417;

struct Pdf417Tab : FamilyTabFixture {
  Tab* Open() {
    OpenConfiguration(CODE_TYPE_PDF417);
    EnterCodeTab(CMD_GET_PDF417_DATA);
    prompt.clear();
    return CodeTabAs<Tab>();
  }
  void PutResult(int i, const char* polarity, const char* mirror, int rows, int cols) {
    Pdf417ResultRecord r;
    r.texts0[0].Assign(polarity);
    r.texts0[1].Assign(mirror);
    r.ints3 = {rows, cols};
    state().m_CodeResults[static_cast<std::size_t>(i)] = r;
  }
};

TEST_F(Pdf417Tab, RoundTripThroughItsControls) {
  Tab* tab = Open();
  ASSERT_NE(tab, nullptr);
  QStringList expected = ItemTexts(CodeData(CodeFamily::Pdf417));
  // Tab 2 shows what the sensor keeps.
  EXPECT_EQ(tab->edit(Tab::ColsMin)->text(), expected[0]);
  EXPECT_EQ(tab->edit(Tab::ColsMax)->text(), expected[1]);
  EXPECT_EQ(tab->edit(Tab::RowsMin)->text(), expected[2]);
  EXPECT_EQ(tab->edit(Tab::RowsMax)->text(), expected[3]);
  EXPECT_EQ(tab->edit(Tab::Contrast)->text(), expected[6]);
  EXPECT_EQ(tab->strictModel()->isChecked(), expected[11] == "yes");
  EXPECT_EQ(tab->windowTitle(), window->text(1053));
  SaveScreenshot(*codeDefinition, "code_definition_tab2_pdf417");

  ClickSpin(tab->spin(Tab::ColsMin), +1);
  TypeAndLeave(tab->edit(Tab::RowsMax), "80", tab->edit(Tab::Contrast));
  TypeAndLeave(tab->edit(Tab::Contrast), "45", tab->polarity());
  tab->polarity()->setCurrentIndex(1);
  tab->mirror()->setCurrentIndex(1);
  ClickCheck(tab->strictModel());
  prompt.setDialogHandler(DialogHandler<CPDF417CodeGeometry>([](CPDF417CodeGeometry& g) {
    g.widthMin()->setText("3");
    g.accept();
    return g.result();
  }));
  QTest::mouseClick(tab->geometryButton(), Qt::LeftButton);
  EXPECT_TRUE(prompt.messages().isEmpty()) << Texts().join('|').toStdString();
  EXPECT_EQ(state().m_bValidationFailed, 1);

  LeaveToTab0(CMD_SET_PDF417_DATA);
  expected[0] = QString::number(expected[0].toInt() + 1);
  expected[3] = "80";
  expected[4] = "light_on_dark";
  expected[5] = "yes";
  expected[6] = "45";
  expected[7] = "3";
  expected[11] = expected[11] == "yes" ? "no" : "yes";
  EXPECT_EQ(ItemTexts(CodeData(CodeFamily::Pdf417)), expected);
  EXPECT_EQ(state().m_bValidationFailed, 0);

  EnterCodeTab(CMD_GET_PDF417_DATA);
  tab = CodeTabAs<Tab>();
  EXPECT_EQ(tab->edit(Tab::ColsMin)->text(), expected[0]);
  EXPECT_EQ(tab->edit(Tab::RowsMax)->text(), "80");
  EXPECT_EQ(tab->edit(Tab::Contrast)->text(), "45");
  EXPECT_EQ(tab->polarity()->currentIndex(), 1);
  EXPECT_EQ(tab->mirror()->currentIndex(), 1);
  EXPECT_EQ(tab->strictModel()->isChecked(), expected[11] == "yes");
}

TEST_F(Pdf417Tab, FieldChecksOnLeavingAndTheWholeTab) {
  Tab* tab = Open();
  struct Case {
    Tab::Field field;
    const char* typed;
    int message;  // 0: accepted
  };
  const Case cases[] = {
      {Tab::ColsMin, "0", 9870}, {Tab::ColsMin, "1", 0},   {Tab::ColsMin, "30", 0},  {Tab::ColsMin, "31", 9870},
      {Tab::ColsMax, "0", 9871}, {Tab::ColsMax, "31", 9871}, {Tab::RowsMin, "2", 9872}, {Tab::RowsMin, "3", 0},
      {Tab::RowsMax, "91", 9873}, {Tab::RowsMax, "90", 0}, {Tab::Contrast, "0", 9878}, {Tab::Contrast, "101", 9878},
      {Tab::Contrast, "100", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.field << " " << c.typed);
    const QString before = tab->edit(c.field)->text();
    prompt.clear();
    TypeAndLeave(tab->edit(c.field), c.typed, tab->strictModel());
    if (c.message == 0) {
      EXPECT_TRUE(prompt.messages().isEmpty());
      EXPECT_EQ(tab->edit(c.field)->text(), c.typed);
      EXPECT_FALSE(tab->errorPending());
    } else {
      ASSERT_EQ(prompt.messages().size(), 1);
      EXPECT_EQ(prompt.messages()[0].text, window->text(c.message));
      EXPECT_EQ(prompt.messages()[0].caption, window->text(9860));
      EXPECT_EQ(tab->edit(c.field)->text(), before);
      EXPECT_TRUE(tab->edit(c.field)->hasFocus());
      EXPECT_TRUE(tab->errorPending());
    }
  }

  // The whole-tab check resets a bad field to its lower bound without a word.
  struct Whole {
    Tab::Field field;
    const char* text;
    const char* reset;
  };
  const Whole resets[] = {{Tab::ColsMin, "0", "1"}, {Tab::ColsMax, "31", "1"}, {Tab::RowsMin, "2", "3"},
                          {Tab::RowsMax, "91", "3"}, {Tab::Contrast, "101", "1"}};
  for (const Whole& w : resets) {
    SCOPED_TRACE(w.text);
    TypeAndLeave(tab->edit(Tab::ColsMin), "1", tab->strictModel());
    for (int f : {Tab::ColsMax, Tab::RowsMin, Tab::RowsMax, Tab::Contrast})
      Put(tab->edit(f), f == Tab::ColsMax ? "30" : f == Tab::Contrast ? "30" : f == Tab::RowsMin ? "3" : "90");
    Put(tab->edit(w.field), w.text);
    prompt.clear();
    EXPECT_EQ(tab->ValidateInput(), -1);
    EXPECT_TRUE(prompt.messages().isEmpty());
    EXPECT_EQ(tab->edit(w.field)->text(), w.reset);
    EXPECT_TRUE(tab->edit(w.field)->hasFocus());
  }
  // From above to: 6071 with the focus on from.
  Put(tab->edit(Tab::ColsMin), "1");
  Put(tab->edit(Tab::Contrast), "30");
  Put(tab->edit(Tab::RowsMin), "50");
  Put(tab->edit(Tab::RowsMax), "40");
  prompt.clear();
  EXPECT_EQ(tab->ValidateInput(), -1);
  ASSERT_EQ(prompt.messages().size(), 1);
  EXPECT_EQ(prompt.messages()[0].text, window->text(6071));
  EXPECT_TRUE(tab->edit(Tab::RowsMin)->hasFocus());
  // An empty field is focused, nothing said.
  Put(tab->edit(Tab::RowsMax), "");
  prompt.clear();
  EXPECT_EQ(tab->ValidateInput(), -1);
  EXPECT_TRUE(prompt.messages().isEmpty());
  EXPECT_TRUE(tab->edit(Tab::RowsMax)->hasFocus());
}

TEST_F(Pdf417Tab, TeachAndUseCodePropertiesOverResults) {
  Tab* tab = Open();
  PutResult(0, "dark_on_light", "no", 10, 10);
  PutResult(1, "light_on_dark", "no", 12, 12);
  PutResult(2, "dark_on_light", "no", 6, 11);
  state().m_nReadCount = 3;
  tab->Teach();
  EXPECT_EQ(tab->polarity()->currentIndex(), 2);  // any
  EXPECT_EQ(tab->mirror()->currentIndex(), 0);    // all "no"
  EXPECT_EQ(tab->edit(Tab::ColsMin)->text(), "10");
  EXPECT_EQ(tab->edit(Tab::ColsMax)->text(), "12");
  EXPECT_EQ(tab->edit(Tab::RowsMin)->text(), "6");
  EXPECT_EQ(tab->edit(Tab::RowsMax)->text(), "12");

  tab->UseCodeProperties(1);
  EXPECT_EQ(tab->polarity()->currentIndex(), 1);
  EXPECT_EQ(tab->edit(Tab::ColsMin)->text(), "12");
  EXPECT_EQ(tab->edit(Tab::ColsMax)->text(), "12");

  // Nothing read: nothing taught.
  state().m_nReadCount = 0;
  Put(tab->edit(Tab::ColsMin), "5");
  tab->Teach();
  EXPECT_EQ(tab->edit(Tab::ColsMin)->text(), "5");

  // More codes than kept: the 100 kept are read, no further.
  for (int i = 0; i < kMaxCodesPerReading; ++i) PutResult(i, "dark_on_light", "yes", 3 + i % 80, 1 + i % 30);
  state().m_nReadCount = 150;
  tab->Teach();
  EXPECT_EQ(tab->edit(Tab::ColsMin)->text(), "1");
  EXPECT_EQ(tab->edit(Tab::ColsMax)->text(), "30");
  EXPECT_EQ(tab->edit(Tab::RowsMax)->text(), "82");
  EXPECT_EQ(tab->mirror()->currentIndex(), 1);
}

TEST_F(Pdf417Tab, RevertStandardThenEnhanced) {
  Tab* tab = Open();
  const int gets = Count(CMD_GET_PDF417_DATA);
  QTest::mouseClick(tab->revertButton(0), Qt::LeftButton);
  ASSERT_TRUE(WaitHandled(CMD_GET_PDF417_DATA, gets + 1));
  ASSERT_TRUE(Idle());
  EXPECT_EQ(Texts(), QStringList{window->text(6068)});
  EXPECT_EQ(tab->edit(Tab::Contrast)->text(), "30");
  EXPECT_EQ(tab->polarity()->currentIndex(), 0);
  EXPECT_EQ(ItemTexts(CodeData(CodeFamily::Pdf417)), ItemTexts(vt::sim::revertedCodeData(0, CodeFamily::Pdf417)));

  prompt.clear();
  QTest::mouseClick(tab->revertButton(1), Qt::LeftButton);
  ASSERT_TRUE(WaitHandled(CMD_GET_PDF417_DATA, gets + 2));
  ASSERT_TRUE(Idle());
  EXPECT_EQ(Texts(), QStringList{window->text(6069)});
  EXPECT_EQ(tab->edit(Tab::Contrast)->text(), "15");
  EXPECT_EQ(tab->polarity()->currentIndex(), 2);
  EXPECT_FALSE(tab->strictModel()->isChecked());

  // The mark lives as long as the tab: the next show says it again.
  prompt.clear();
  state().m_bBusy = 1;
  window->PostSensorCommand(CMD_GET_PDF417_DATA);
  ASSERT_TRUE(WaitHandled(CMD_GET_PDF417_DATA, gets + 3));
  ASSERT_TRUE(Idle());
  EXPECT_EQ(Texts(), QStringList{window->text(6069)});
}

TEST_F(Pdf417Tab, UnknownMirrorWordShowsNoAndNoSelectionSendsAny) {
  OpenConfiguration(CODE_TYPE_PDF417);
  SetCodeItem(CodeFamily::Pdf417, 5, "sideways");
  EnterCodeTab(CMD_GET_PDF417_DATA);
  Tab* tab = CodeTabAs<Tab>();
  EXPECT_EQ(tab->mirror()->currentIndex(), 0);
  tab->mirror()->setCurrentIndex(-1);
  LeaveToTab0(CMD_SET_PDF417_DATA);
  EXPECT_EQ(CodeData(CodeFamily::Pdf417)[5].asString(), "any");
}

}  // namespace
}  // namespace vt::test
