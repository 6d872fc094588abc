// The QR Code tab against the simulator: the round trip through its own
// controls, the coupling of model, versions and sizes, its checks (QR Code
// and Micro QR Code) and Teach over result fixtures.
#include "family_tab_fixture.h"

#include <QPushButton>

#include "codedef/code_geometry_dialog.h"
#include "codedef/config_code_def_tab3_qr.h"

namespace vt::test {
namespace {

using vt::sim::CodeFamily;
using Tab = CConfigCodeDefTab3QR;

struct QrTab : FamilyTabFixture {
  Tab* Open(int codeType = CODE_TYPE_QR) {
    OpenConfiguration(codeType);
    EnterCodeTab(CMD_GET_QRCODE_DATA);
    prompt.clear();
    return CodeTabAs<Tab>();
  }
  void PutResult(int i, int size, int version, int model, int patterns) {
    QrCodeResultRecord r;
    r.texts0[0].Assign("dark_on_light");
    r.texts0[1].Assign("no");
    r.ints3 = {size, version, model, patterns};
    state().m_CodeResults[static_cast<std::size_t>(i)] = r;
  }
};

TEST_F(QrTab, RoundTripThroughItsControls) {
  Tab* tab = Open();
  ASSERT_NE(tab, nullptr);
  EXPECT_FALSE(tab->micro());
  QStringList expected = ItemTexts(CodeData(CodeFamily::QrCode));
  // The sensor's model 0 is the third item, versions up to 40.
  EXPECT_EQ(expected[0], "0");
  EXPECT_EQ(tab->modelType()->currentIndex(), 2);
  EXPECT_EQ(tab->spin(Tab::VersionMax)->maxValue(), 40);
  EXPECT_EQ(tab->edit(Tab::VersionMin)->text(), expected[1]);
  EXPECT_EQ(tab->edit(Tab::VersionMax)->text(), expected[2]);
  EXPECT_EQ(tab->edit(Tab::Patterns)->text(), expected[14]);
  EXPECT_EQ(tab->windowTitle(), window->text(1054));
  SaveScreenshot(*codeDefinition, "code_definition_tab2_qr");

  tab->modelType()->setCurrentIndex(1);
  ClickSpin(tab->spin(Tab::VersionMin), +1);
  TypeAndLeave(tab->edit(Tab::VersionMax), "30", tab->edit(Tab::Contrast));
  TypeAndLeave(tab->edit(Tab::Contrast), "55", tab->edit(Tab::Patterns));
  TypeAndLeave(tab->edit(Tab::Patterns), "3", tab->mirror());
  tab->mirror()->setCurrentIndex(0);
  ClickCheck(tab->strictModel());
  prompt.setDialogHandler(DialogHandler<CQRCodeGeometry>([](CQRCodeGeometry& g) {
    g.sizeFrom()->setText("3");
    g.accept();
    return g.result();
  }));
  QTest::mouseClick(tab->geometryButton(), Qt::LeftButton);
  EXPECT_TRUE(prompt.messages().isEmpty()) << Texts().join('|').toStdString();
  EXPECT_EQ(tab->edit(Tab::SizeMin)->text(), "25");
  EXPECT_EQ(tab->edit(Tab::SizeMax)->text(), "137");

  LeaveToTab0(CMD_SET_QRCODE_DATA);
  expected[0] = "2";
  expected[1] = "2";
  expected[2] = "30";
  expected[3] = "25";
  expected[4] = "137";
  expected[6] = "no";
  expected[7] = "55";
  expected[8] = "3";
  expected[14] = "3";
  expected[15] = expected[15] == "yes" ? "no" : "yes";
  EXPECT_EQ(ItemTexts(CodeData(CodeFamily::QrCode)), expected);

  EnterCodeTab(CMD_GET_QRCODE_DATA);
  tab = CodeTabAs<Tab>();
  EXPECT_EQ(tab->modelType()->currentIndex(), 1);
  EXPECT_EQ(tab->edit(Tab::VersionMin)->text(), "2");
  EXPECT_EQ(tab->edit(Tab::SizeMax)->text(), "137");
  EXPECT_EQ(tab->edit(Tab::Contrast)->text(), "55");
  EXPECT_EQ(tab->mirror()->currentIndex(), 0);
  EXPECT_EQ(tab->strictModel()->isChecked(), expected[15] == "yes");
}

TEST_F(QrTab, VersionsModelAndSizesGoTogether) {
  Tab* tab = Open();
  tab->modelType()->setCurrentIndex(0);
  EXPECT_EQ(tab->edit(Tab::VersionMax)->text(), "14");
  EXPECT_EQ(tab->edit(Tab::SizeMax)->text(), "73");
  EXPECT_EQ(tab->spin(Tab::VersionMax)->maxValue(), 14);
  tab->modelType()->setCurrentIndex(1);
  EXPECT_EQ(tab->edit(Tab::VersionMin)->text(), "1");
  EXPECT_EQ(tab->edit(Tab::VersionMax)->text(), "40");
  EXPECT_EQ(tab->edit(Tab::SizeMin)->text(), "21");
  EXPECT_EQ(tab->edit(Tab::SizeMax)->text(), "177");

  // Typing 41: size 21 at once; leaving refuses it and the old pair returns.
  tab->edit(Tab::VersionMax)->setFocus();
  tab->edit(Tab::VersionMax)->setText("41");
  EXPECT_EQ(tab->edit(Tab::SizeMax)->text(), "21");
  tab->edit(Tab::Contrast)->setFocus();
  QApplication::processEvents();
  EXPECT_EQ(Texts(), QStringList{window->text(9883)});
  EXPECT_EQ(tab->edit(Tab::VersionMax)->text(), "40");
  EXPECT_EQ(tab->edit(Tab::SizeMax)->text(), "177");

  // An emptied version leaves the sizes.
  Put(tab->edit(Tab::VersionMin), "");
  EXPECT_EQ(tab->edit(Tab::SizeMin)->text(), "21");
  Put(tab->edit(Tab::VersionMin), "3");
  EXPECT_EQ(tab->edit(Tab::SizeMin)->text(), "29");

  // The size edits take no keys and are drawn grey.
  QTest::keyClicks(tab->edit(Tab::SizeMin), "5");
  EXPECT_EQ(tab->edit(Tab::SizeMin)->text(), "29");
  EXPECT_EQ(tab->edit(Tab::SizeMin)->palette().color(QPalette::Text), QColor(172, 168, 153));
}

TEST_F(QrTab, MicroQrVersionsAndChecks) {
  Tab* tab = Open(CODE_TYPE_MICRO_QR);
  ASSERT_TRUE(tab->micro());
  EXPECT_FALSE(tab->modelType()->isEnabled());
  EXPECT_EQ(tab->edit(Tab::VersionMax)->text(), "4");  // the sensor's 40, kept to 4
  for (int v = 1; v <= 4; ++v) {
    Put(tab->edit(Tab::VersionMax), QString::number(v));
    EXPECT_EQ(tab->edit(Tab::SizeMax)->text(), QString::number(9 + 2 * v));
  }
  struct Case {
    Tab::Field field;
    const char* typed;
    int message;
  };
  for (const Case& c : {Case{Tab::VersionMin, "5", 20025}, Case{Tab::VersionMax, "5", 20026},
                        Case{Tab::Patterns, "2", 20027}}) {
    prompt.clear();
    TypeAndLeave(tab->edit(c.field), c.typed, tab->strictModel());
    EXPECT_EQ(Texts(), QStringList{window->text(c.message)}) << c.typed;
  }
  // The whole-tab check puts the position patterns back to 1.
  Put(tab->edit(Tab::Patterns), "3");
  prompt.clear();
  EXPECT_EQ(tab->ValidateInput(), -1);
  EXPECT_TRUE(prompt.messages().isEmpty());
  EXPECT_EQ(tab->edit(Tab::Patterns)->text(), "1");
}

TEST_F(QrTab, FieldChecksByModel) {
  Tab* tab = Open();
  struct Case {
    int model;
    Tab::Field field;
    const char* typed;
    int message;
  };
  const Case cases[] = {
      {0, Tab::VersionMin, "15", 9880}, {0, Tab::VersionMax, "15", 9882}, {0, Tab::VersionMax, "14", 0},
      {1, Tab::VersionMin, "41", 9881}, {1, Tab::VersionMax, "41", 9883}, {2, Tab::VersionMax, "40", 0},
      {1, Tab::Patterns, "1", 9890},    {1, Tab::Patterns, "4", 9890},    {1, Tab::Patterns, "2", 0},
      {1, Tab::Contrast, "0", 9891},    {1, Tab::Contrast, "101", 9891},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.model << " " << c.field << " " << c.typed);
    tab->modelType()->setCurrentIndex(c.model);
    const QString before = tab->edit(c.field)->text();
    prompt.clear();
    TypeAndLeave(tab->edit(c.field), c.typed, tab->strictModel());
    if (c.message == 0) {
      EXPECT_TRUE(prompt.messages().isEmpty());
      EXPECT_EQ(tab->edit(c.field)->text(), c.typed);
      continue;
    }
    EXPECT_EQ(Texts(), QStringList{window->text(c.message)});
    EXPECT_EQ(tab->edit(c.field)->text(), before);
    // The version-from check keeps no pending mark; the others do.
    EXPECT_EQ(tab->errorPending(), c.field != Tab::VersionMin);
    tab->setErrorPending(false);
  }
  // Whole tab: out of range reset without a word, from above to gives 6071.
  tab->modelType()->setCurrentIndex(0);
  Put(tab->edit(Tab::VersionMax), "30");
  prompt.clear();
  EXPECT_EQ(tab->ValidateInput(), -1);
  EXPECT_TRUE(prompt.messages().isEmpty());
  EXPECT_EQ(tab->edit(Tab::VersionMax)->text(), "1");
  Put(tab->edit(Tab::VersionMin), "12");
  Put(tab->edit(Tab::VersionMax), "10");
  EXPECT_EQ(tab->ValidateInput(), -1);
  EXPECT_EQ(Texts(), QStringList{window->text(6071)});
  EXPECT_TRUE(tab->edit(Tab::VersionMin)->hasFocus());
}

// While the version-from check shows its box, leaving version to checks
// nothing: the field check's guard holds every other check meanwhile (the
// tab has no flag of its own for it).
TEST_F(QrTab, VersionFromCheckHoldsTheVersionToCheck) {
  Tab* tab = Open();
  tab->modelType()->setCurrentIndex(0);
  prompt.clear();
  prompt.setMessageHook([&](const RecordingPrompt::Request&) {
    tab->edit(Tab::VersionMax)->setFocus();
    tab->edit(Tab::VersionMax)->setText("99");
    tab->edit(Tab::Contrast)->setFocus();
    QApplication::processEvents();
  });
  TypeAndLeave(tab->edit(Tab::VersionMin), "15", tab->strictModel());
  prompt.setMessageHook({});
  EXPECT_EQ(Texts(), QStringList{window->text(9880)});
  EXPECT_EQ(tab->edit(Tab::VersionMin)->text(), "1");
}

TEST_F(QrTab, TeachTakesTheLargerModelAndTheVersionRange) {
  Tab* tab = Open();
  PutResult(0, 25, 2, 1, 3);
  PutResult(1, 45, 7, 2, 2);
  PutResult(2, 33, 4, 1, 3);
  state().m_nReadCount = 3;
  tab->Teach();
  EXPECT_EQ(tab->modelType()->currentIndex(), 1);  // model 2
  EXPECT_EQ(tab->edit(Tab::VersionMin)->text(), "2");
  EXPECT_EQ(tab->edit(Tab::VersionMax)->text(), "7");
  EXPECT_EQ(tab->edit(Tab::SizeMin)->text(), "25");
  EXPECT_EQ(tab->edit(Tab::SizeMax)->text(), "45");
  EXPECT_EQ(tab->edit(Tab::Patterns)->text(), "2");
  // One code of model 1: its values, model item 0 with versions up to 14.
  tab->UseCodeProperties(0);
  EXPECT_EQ(tab->modelType()->currentIndex(), 0);
  EXPECT_EQ(tab->spin(Tab::VersionMax)->maxValue(), 14);
  EXPECT_EQ(tab->edit(Tab::VersionMax)->text(), "2");
}

}  // namespace
}  // namespace vt::test
