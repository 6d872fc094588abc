// The bar-code tab against the simulator: the round trip through its own
// controls with "Automatic" and the composite choice of the extended
// configuration, enabling by code type, the width filter, its checks, the
// separator and a refused list write.
#include "family_tab_fixture.h"

#include <QPushButton>
#include <functional>

#include "codedef/config_code_def_tab3_pharma_etc.h"
#include "codedef/output/ascii_ctrl.h"
#include "codedef/output/ascii_dlg.h"

namespace vt::test {
namespace {

// Qt's keyword macro stands in the way of the record's member name.
#pragma push_macro("slots")
#undef slots
int AppendFlag(const QualitySettings& q, int slot) { return q.slots[static_cast<std::size_t>(slot)].appendIt; }
#pragma pop_macro("slots")

using vt::sim::CodeFamily;
using Tab = CConfigCodeDefTab3PharmaEtc;

struct BarCodeTab : FamilyTabFixture {
  Tab* Open(int codeType) {
    OpenConfiguration(codeType);
    EnterCodeTab(CMD_GET_BARCODE_DATA);
    prompt.clear();
    return CodeTabAs<Tab>();
  }
  // Tab 2 entered again: the configuration (with the composite choice) is written first.
  Tab* ReEnter() {
    EnterCodeTab(CMD_GET_BARCODE_DATA);
    return CodeTabAs<Tab>();
  }
};

TEST_F(BarCodeTab, RoundTripWithAutomaticAndCompositeChoice) {
  Tab* tab = Open(CODE_TYPE_GS1_DATABAR_OMNIDIR);
  ASSERT_NE(tab, nullptr);
  ASSERT_EQ(state().m_bExtendedConfig, 1);
  QStringList expected = ItemTexts(CodeData(CodeFamily::BarCode));
  EXPECT_EQ(tab->edit(Tab::WidthMin)->text(), QString::number(expected[0].toDouble(), 'f', 1));
  EXPECT_EQ(tab->edit(Tab::Height)->text(), expected[2]);
  EXPECT_FALSE(tab->automatic()->isChecked());
  EXPECT_FALSE(tab->composite()->isHidden());
  EXPECT_EQ(tab->windowTitle(), window->text(1055));
  SaveScreenshot(*codeDefinition, "code_definition_tab2_barcode");

  ClickSpin(tab->spin(Tab::WidthMin), +1);
  tab->edit(Tab::WidthMax)->setFocus();
  tab->edit(Tab::WidthMax)->clear();
  QTest::keyClicks(tab->edit(Tab::WidthMax), "12.5");
  TypeAndLeave(tab->edit(Tab::CharsMin), "3", tab->edit(Tab::CharsMax));
  TypeAndLeave(tab->edit(Tab::CharsMax), "40", tab->composite());
  ClickCheck(tab->automatic());
  EXPECT_FALSE(tab->edit(Tab::Height)->isEnabled());
  tab->composite()->setCurrentIndex(1);
  tab->separator()->setFocus();
  QTest::keyClicks(tab->separator(), "=");
  EXPECT_TRUE(prompt.messages().isEmpty()) << Texts().join('|').toStdString();

  LeaveToTab0(CMD_SET_BARCODE_DATA);
  expected[0] = QString::number(expected[0].toDouble() + 0.1, 'f', 4);
  expected[1] = "12.5000";
  expected[2] = "-1";
  expected[3] = "3";
  expected[4] = "40";
  EXPECT_EQ(ItemTexts(CodeData(CodeFamily::BarCode)), expected);

  // The composite choice reaches the sensor with the next configuration write.
  tab = ReEnter();
  EXPECT_EQ(ConfigItem(51).asInt(), 1);
  EXPECT_EQ(ConfigItem(52).asString(), "=");
  EXPECT_TRUE(tab->automatic()->isChecked());
  EXPECT_EQ(tab->edit(Tab::WidthMax)->text(), "12.5");
  EXPECT_EQ(tab->edit(Tab::CharsMax)->text(), "40");
  EXPECT_EQ(tab->composite()->currentIndex(), 1);
  EXPECT_EQ(tab->separator()->text(), "=");  // shown as stored

  // "\x1D" from the editor's table is one character.
  prompt.setDialogHandler(DialogHandler<CAsciiDlg>([](CAsciiDlg& editor) {
    editor.edit()->clear();
    CAsciiCtrl* table = editor.table();
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, table->CellRect(29, 0).center());
    editor.accept();
    return editor.result();
  }));
  QTest::mouseClick(tab->separatorButton(), Qt::LeftButton);
  EXPECT_EQ(tab->separator()->text(), "\\x1D");
  ClickCheck(tab->automatic());
  LeaveToTab0(CMD_SET_BARCODE_DATA);
  EXPECT_EQ(CodeData(CodeFamily::BarCode)[2].asInt(), 8);
  ReEnter();
  EXPECT_EQ(ConfigItem(52).asString(), "\\x1D");
}

TEST_F(BarCodeTab, EnablingByCodeTypeAndExtendedConfiguration) {
  OpenConfiguration(CODE_TYPE_CODE128);
  struct Case {
    int codeType;
    bool extended;
    bool counts, direction, compositeShown, compositeEnabled;
  };
  const Case cases[] = {
      {CODE_TYPE_EAN13, true, false, false, true, false},
      {CODE_TYPE_CODE128, true, true, false, true, false},
      {CODE_TYPE_PHARMACODE, true, true, true, true, false},
      {CODE_TYPE_GS1_DATABAR_OMNIDIR, true, true, false, true, true},
      {CODE_TYPE_GS1_DATABAR_OMNIDIR, false, true, false, false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.codeType << (c.extended ? " extended" : ""));
    state().m_bExtendedConfig = c.extended ? 1 : 0;
    Tab tab(*codeDefinition->context(), c.codeType);
    EXPECT_EQ(tab.edit(Tab::CharsMin)->isEnabled(), c.counts);
    EXPECT_EQ(tab.edit(Tab::CharsMax)->isEnabled(), c.counts);
    EXPECT_EQ(tab.direction()->isEnabled(), c.direction);
    EXPECT_EQ(!tab.composite()->isHidden(), c.compositeShown);
    EXPECT_EQ(tab.separator()->isEnabled(), c.compositeEnabled);
    EXPECT_TRUE(tab.edit(Tab::WidthMin)->isEnabled());
  }
}

// The darkest pixel of a widget as drawn (the sum of its channels).
int Darkest(QWidget& w) {
  const QImage shot = w.grab().toImage();
  int darkest = 3 * 255;
  for (int y = 0; y < shot.height(); ++y)
    for (int x = 0; x < shot.width(); ++x) {
      const QColor c(shot.pixel(x, y));
      darkest = std::min(darkest, c.red() + c.green() + c.blue());
    }
  return darkest;
}

// A greyed composite row greys its "..." as its label (before, the dots
// stayed dark and the button looked ready), and a click at its place opens
// no editor; the row of a GS1 DataBar draws them dark.
TEST_F(BarCodeTab, TheSeparatorButtonOfAGreyedRowLooksOff) {
  Tab* tab = Open(CODE_TYPE_CODE128);
  ASSERT_FALSE(tab->separator()->isEnabled());
  QPushButton* dots = tab->separatorButton();
  EXPECT_FALSE(dots->isEnabled());
  QLabel* label = nullptr;
  for (QLabel* l : tab->findChildren<QLabel*>())
    if (l->text() == window->text(20005)) label = l;
  ASSERT_NE(label, nullptr);
  ASSERT_FALSE(label->isEnabled());
  EXPECT_GE(Darkest(*dots), Darkest(*label));
  const QString before = tab->separator()->text();
  ClickAt(dots);
  EXPECT_TRUE(prompt.requests().isEmpty());
  EXPECT_EQ(tab->separator()->text(), before);
  SaveScreenshot(*codeDefinition, "code_definition_tab2_code128");

  Tab composite(*codeDefinition->context(), CODE_TYPE_GS1_DATABAR_OMNIDIR);
  ASSERT_TRUE(composite.separatorButton()->isEnabled());
  EXPECT_LT(Darkest(*composite.separatorButton()), 3 * 60);
}

TEST_F(BarCodeTab, FieldsWidthFilterAndSeparator) {
  Tab* tab = Open(CODE_TYPE_GS1_DATABAR_OMNIDIR);
  // Typing keeps one point and digits.
  tab->edit(Tab::WidthMin)->setFocus();
  tab->edit(Tab::WidthMin)->clear();
  QTest::keyClicks(tab->edit(Tab::WidthMin), "1.2.5x");
  EXPECT_EQ(tab->edit(Tab::WidthMin)->text(), "1.25");
  TypeAndLeave(tab->edit(Tab::WidthMin), "2.0", tab->automatic());

  struct Case {
    Tab::Field field;
    const char* typed;
    int message;
  };
  const Case cases[] = {
      {Tab::WidthMin, "1.4", 9894}, {Tab::WidthMin, "10.1", 9894}, {Tab::WidthMin, "1.5", 0},
      {Tab::WidthMax, "3.9", 9896}, {Tab::WidthMax, "60.1", 9896}, {Tab::WidthMax, "60", 0},
      {Tab::Height, "7", 9897},     {Tab::Height, "65", 9897},     {Tab::Height, "64", 0},
      {Tab::CharsMin, "5001", 9898}, {Tab::CharsMax, "5001", 9899}, {Tab::CharsMax, "5000", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.field << " " << c.typed);
    const QString before = tab->edit(c.field)->text();
    prompt.clear();
    TypeAndLeave(tab->edit(c.field), c.typed, tab->automatic());
    if (c.message == 0) {
      EXPECT_TRUE(prompt.messages().isEmpty());
      continue;
    }
    EXPECT_EQ(Texts(), QStringList{window->text(c.message)});
    EXPECT_EQ(tab->edit(c.field)->text(), before);
    EXPECT_TRUE(tab->errorPending());
  }

  // Whole tab: a reset without a word, then the two orders.
  Put(tab->edit(Tab::WidthMin), "0.5");
  prompt.clear();
  EXPECT_EQ(tab->ValidateInput(), -1);
  EXPECT_TRUE(prompt.messages().isEmpty());
  EXPECT_EQ(tab->edit(Tab::WidthMin)->text(), "2.0");
  Put(tab->edit(Tab::WidthMin), "9.0");
  Put(tab->edit(Tab::WidthMax), "5.0");
  EXPECT_EQ(tab->ValidateInput(), -1);
  EXPECT_EQ(Texts(), QStringList{window->text(6071)});
  EXPECT_TRUE(tab->edit(Tab::WidthMin)->hasFocus());
  Put(tab->edit(Tab::WidthMax), "9.0");
  Put(tab->edit(Tab::CharsMin), "50");
  Put(tab->edit(Tab::CharsMax), "40");
  prompt.clear();
  EXPECT_EQ(tab->ValidateInput(), -1);
  EXPECT_EQ(Texts(), QStringList{window->text(6071)});
  EXPECT_TRUE(tab->edit(Tab::CharsMin)->hasFocus());
  Put(tab->edit(Tab::CharsMin), "5");

  // The separator holds one character: two, or a started escape, are refused.
  for (const char* typed : {"ab", "\\x"}) {
    prompt.clear();
    tab->separator()->setFocus();
    tab->separator()->clear();
    QTest::keyClicks(tab->separator(), typed);
    EXPECT_EQ(Texts(), QStringList{window->text(20024)}) << typed;
    EXPECT_EQ(tab->separator()->selectedText(), tab->separator()->text());
  }
  EXPECT_EQ(tab->ValidateInput(), -1);
  tab->separator()->setText("\\x1D");
  EXPECT_EQ(tab->ValidateInput(), 0);
}

// Unsent changes: the widths, counts, height and direction mark them; the
// composite choice and "Automatic" go with the configuration and do not.
TEST_F(BarCodeTab, WhatMarksUnsentChanges) {
  Tab* tab = Open(CODE_TYPE_GS1_DATABAR_OMNIDIR);
  struct Case {
    const char* what;
    std::function<void()> change;
    int marked;
  };
  const Case cases[] = {
      {"composite list", [&] { tab->composite()->setCurrentIndex(2); }, 0},
      {"separator", [&] { tab->separator()->setFocus(); QTest::keyClicks(tab->separator(), "="); }, 0},
      {"Automatic", [&] { ClickCheck(tab->automatic()); }, 0},
      {"width", [&] { tab->edit(Tab::WidthMax)->setFocus(); QTest::keyClicks(tab->edit(Tab::WidthMax), "1"); }, 1},
      {"height", [&] { ClickCheck(tab->automatic()); Put(tab->edit(Tab::Height), "12"); }, 1},
      {"characters", [&] { Put(tab->edit(Tab::CharsMin), "2"); }, 1},
      {"characters", [&] { Put(tab->edit(Tab::CharsMax), "20"); }, 1},
      {"direction", [&] { tab->direction()->setCurrentIndex(1); }, 1},
  };
  for (const Case& c : cases) {
    state().m_bValidationFailed = 0;
    c.change();
    EXPECT_EQ(state().m_bValidationFailed, c.marked) << c.what;
  }
  EXPECT_TRUE(prompt.messages().isEmpty()) << Texts().join('|').toStdString();
}

// A list that cannot take the values sends nothing and leaves busy clear,
// the composite choice included.
TEST_F(BarCodeTab, RefusedListWriteLeavesBusyClear) {
  Tab* tab = Open(CODE_TYPE_GS1_DATABAR_OMNIDIR);
  state().m_BarCodeData = ParameterList();
  const int sets = Count(CMD_SET_BARCODE_DATA);
  EXPECT_EQ(tab->SendCodeData(), -1);
  EXPECT_EQ(state().m_bBusy, 0);
  QApplication::processEvents();
  EXPECT_EQ(Count(CMD_SET_BARCODE_DATA), sets);
}

TEST_F(BarCodeTab, CompositeUseSwitchesItsQualityOutputs) {
  Tab* tab = Open(CODE_TYPE_GS1_DATABAR_OMNIDIR);
  state().m_Configuration.barCode.CompositeComponentUsage = 0;
  state().m_bQualityOutputChanged = 0;
  tab->composite()->setCurrentIndex(2);
  EXPECT_EQ(AppendFlag(state().m_QualitySettings, 23), 1);
  EXPECT_EQ(AppendFlag(state().m_QualitySettings, 35), 1);
  EXPECT_EQ(state().m_bQualityOutputChanged, 1);
  state().m_Configuration.barCode.CompositeComponentUsage = 2;
  tab->composite()->setCurrentIndex(0);
  EXPECT_EQ(AppendFlag(state().m_QualitySettings, 23), 0);
}

}  // namespace
}  // namespace vt::test
