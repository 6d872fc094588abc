// The Data Matrix tab through its controls against the simulated sensor:
// the round trip of its settings, the field checks, revert, Teach and Read
// code.
#include "codedef_fixture.h"

#include <QCheckBox>
#include <QMenu>
#include <QPushButton>
#include <QTabBar>
#include <QToolButton>

#include "codedef/code_geometry_dialog.h"
#include "codedef/config_code_def_tab3_ecc200.h"
#include "controls/button_draw.h"
#include "controls/num_spin_ctrl.h"
#include "core/code_types.h"

namespace vt::test {
namespace {

using Field = CConfigCodeDefTab3ECC200::Field;

struct Ecc200Tab : CodeDefinitionFixture {
  void ClickTab(int tab) {
    tabs().tabBar()->setCurrentIndex(tab);
    QApplication::processEvents();
  }
  // Configuration 1 as Data Matrix, on tab 2 with the sensor's settings shown.
  void OpenTab() {
    OpenConfiguration(CODE_TYPE_ECC200);
    const int gets = Count(CMD_GET_ECC200_DATA);
    ClickTab(2);
    ASSERT_TRUE(WaitHandled(CMD_GET_ECC200_DATA, gets + 1));
    ASSERT_TRUE(Idle());
    tab = dynamic_cast<CConfigCodeDefTab3ECC200*>(codeDefinition->codeTab());
    ASSERT_NE(tab, nullptr);
    prompt.clear();
  }
  QLineEdit* edit(Field f) { return tab->edit(f); }
  XmlRpc::XmlRpcValue LastSet() {
    for (const auto& call : [&] {
           auto calls = sensor.server.calls();
           std::reverse(calls.begin(), calls.end());
           return calls;
         }())
      if (call.method == "xmlSetECC200Data") return call.params;
    return {};
  }

  CConfigCodeDefTab3ECC200* tab = nullptr;
};

TEST_F(Ecc200Tab, SettingsTravelBothWaysThroughTheControls) {
  OpenTab();
  // Entering tab 2 wrote the configuration and asked for the settings.
  EXPECT_EQ(sensor.server.countCalls("xmlGetECC200Data"), 1u);
  EXPECT_GE(sensor.server.countCalls("xmlSetConfigData"), 1u);
  const XmlRpc::XmlRpcValue seeded = vt::sim::plausibleCodeData(0, vt::sim::CodeFamily::Ecc200);
  EXPECT_EQ(edit(Field::ColsMin)->text(), QString::number(seeded[0].asInt()));
  EXPECT_EQ(edit(Field::RowsMax)->text(), QString::number(seeded[3].asInt()));
  EXPECT_EQ(edit(Field::Slant)->text(), QStringLiteral("10"));
  EXPECT_EQ(edit(Field::Contrast)->text(), QString::number(seeded[6].asInt()));
  EXPECT_EQ(tab->polarity()->currentIndex(), 0);  // dark_on_light
  EXPECT_EQ(tab->mirror()->currentIndex(), 2);    // any
  EXPECT_TRUE(tab->strictModel()->isChecked());
  EXPECT_EQ(state().m_bValidationFailed, 0);
  EXPECT_EQ(tab->windowTitle(), window->text(1052));

  // Columns by the spin and by typing, polarity, strict model, slant, geometry.
  auto* spin = tab->findChild<CNumSpinCtrl*>(QStringLiteral("id1087"));
  QTest::mouseClick(spin->findChild<QToolButton*>(QStringLiteral("up")), Qt::LeftButton);
  EXPECT_EQ(edit(Field::ColsMin)->text(), QStringLiteral("12"));
  TypeAndLeave(edit(Field::ColsMax), QStringLiteral("120"), tab->polarity());
  tab->polarity()->setCurrentIndex(1);
  tab->strictModel()->setChecked(false);
  TypeAndLeave(edit(Field::Slant), QStringLiteral("30"), tab->polarity());
  EXPECT_EQ(state().m_bValidationFailed, 1);
  prompt.setDialogHandler(DialogHandler<CodeGeometryDialog>([](CodeGeometryDialog& g) {
    g.sizeFrom()->setText(QStringLiteral("3"));
    g.sizeTo()->setText(QStringLiteral("50"));
    g.gap(1)->setCurrentIndex(1);
    g.accept();
    return g.result();
  }));
  QTest::mouseClick(tab->findChild<QPushButton*>(QStringLiteral("id32863")), Qt::LeftButton);
  EXPECT_TRUE(Texts().isEmpty()) << Texts().join('|').toStdString();

  const std::size_t sets = sensor.server.countCalls("xmlSetECC200Data");
  ClickTab(0);
  ASSERT_TRUE(Idle());
  ASSERT_EQ(sensor.server.countCalls("xmlSetECC200Data"), sets + 1);
  const XmlRpc::XmlRpcValue sent = LastSet();
  // Exactly the changes; the rest as the sensor gave them.
  std::map<int, std::string> changed{{0, "12"}, {1, "120"}, {4, "light_on_dark"}, {7, "3"}, {8, "50"}, {10, "small"},
                                     {15, "no"}};
  for (int i = 0; i < 16; ++i) {
    SCOPED_TRACE(i);
    const XmlRpc::XmlRpcValue& v = sent[i];
    if (i == 13) {
      EXPECT_NEAR(v.asDouble(), 0.5233333, 1e-6);
    } else if (changed.count(i)) {
      EXPECT_EQ(v.getType() == XmlRpc::XmlRpcValue::TypeInt ? std::to_string(v.asInt()) : v.asString(), changed[i]);
    } else {
      EXPECT_EQ(v.toXml(), seeded[i].toXml());
    }
  }
  EXPECT_EQ(state().m_bValidationFailed, 0);
  EXPECT_EQ(tabs().currentTab(), 0);

  // Back on tab 2 the sensor's values show again, 30 degrees included.
  const int gets = Count(CMD_GET_ECC200_DATA);
  ClickTab(2);
  ASSERT_TRUE(WaitHandled(CMD_GET_ECC200_DATA, gets + 1));
  ASSERT_TRUE(Idle());
  tab = dynamic_cast<CConfigCodeDefTab3ECC200*>(codeDefinition->codeTab());
  EXPECT_EQ(edit(Field::ColsMin)->text(), QStringLiteral("12"));
  EXPECT_EQ(edit(Field::ColsMax)->text(), QStringLiteral("120"));
  EXPECT_EQ(edit(Field::Slant)->text(), QStringLiteral("30"));
  EXPECT_EQ(tab->polarity()->currentIndex(), 1);
  EXPECT_FALSE(tab->strictModel()->isChecked());
}

TEST(Ecc200Slant, ThirtyDegreesGoAsTheSensorsRadiansAndComeBack) {
  EXPECT_NEAR(SlantToRadians(30), 0.5233333, 1e-7);
  for (int degrees = 0; degrees <= 30; ++degrees) {
    const double sent = SlantToRadians(degrees);
    const double onWire = std::round(sent * 1e6) / 1e6;  // six decimals
    EXPECT_EQ(SlantToDegrees(sent), degrees);
    EXPECT_EQ(SlantToDegrees(onWire), degrees);
  }
  EXPECT_EQ(SlantToDegrees(0.17), 9);  // a fraction still truncates
}

// One table: what leaving a field with a value shows and leaves in it.
TEST_F(Ecc200Tab, FieldChecksOnLeavingAnEdit) {
  OpenTab();
  struct Case {
    QLineEdit* edit;
    const char* typed;
    int message;  // 0: none
    const char* after;
  };
  QLineEdit* codes = tab1().codesEdit();
  QLineEdit* time = tab1().timeEdit();
  const QByteArray codesText = codes->text().toLatin1();
  const QByteArray timeText = time->text().toLatin1();
  const char* codesBefore = codesText.constData();
  const char* timeBefore = timeText.constData();
  const Case cases[] = {
      {edit(Field::ColsMin), "9", 9861, "10"},     {edit(Field::ColsMin), "11", 6074, "11"},
      {edit(Field::ColsMin), "12", 0, "12"},       {edit(Field::ColsMax), "146", 9862, "144"},
      {edit(Field::RowsMin), "7", 9863, "8"},      {edit(Field::RowsMax), "9", 6074, "9"},
      {edit(Field::RowsMax), "144", 0, "144"},     {edit(Field::Slant), "31", 9867, "10"},
      {edit(Field::Contrast), "0", 9868, "30"},    {edit(Field::Contrast), "101", 9868, "30"},
      {edit(Field::ColsMin), "", 9861, "12"},      {codes, "0", 9850, codesBefore},
      {codes, "11", 9850, codesBefore}, {time, "9", 9851, timeBefore},
      {time, "5001", 9851, timeBefore}, {codes, "", 9850, codesBefore},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.edit->objectName().toStdString()) + " '" + c.typed + "'");
    const bool onTab1 = c.edit == codes || c.edit == time;
    if (onTab1) tabs().SelectTab(0);
    QWidget* elsewhere = onTab1 ? static_cast<QWidget*>(tab1().codeTypeList()) : tab->polarity();
    TypeAndLeave(c.edit, QString::fromLatin1(c.typed), elsewhere);
    EXPECT_EQ(Texts(), c.message ? QStringList{window->text(c.message)} : QStringList{});
    EXPECT_EQ(c.edit->text(), QString::fromLatin1(c.after));
    if (c.message) {
      EXPECT_TRUE(c.edit->hasFocus());
    }
    prompt.clear();
    tab->setErrorPending(false);
    tab1().setErrorPending(false);
    if (!onTab1) continue;
    tabs().SelectTab(2);
  }
}

TEST_F(Ecc200Tab, NoCheckTowardsEscapeOrARevertButton) {
  OpenTab();
  for (QWidget* to : {static_cast<QWidget*>(window->wizardButton(1027)), static_cast<QWidget*>(tab->revertButton(0)),
                      static_cast<QWidget*>(tab->revertButton(1))}) {
    ASSERT_NE(to, nullptr);
    to->setFocusPolicy(Qt::StrongFocus);
    TypeAndLeave(edit(Field::ColsMin), QStringLiteral("9"), to);
    EXPECT_TRUE(Texts().isEmpty()) << to->objectName().toStdString();
  }
  // Nor while the code tab is replaced; the leave flag a reset left behind
  // does not stop the checks of the next connection.
  state().m_bCodeTabSwitching = 1;
  TypeAndLeave(edit(Field::ColsMin), QStringLiteral("9"), tab->polarity());
  EXPECT_TRUE(Texts().isEmpty());
  state().m_bCodeTabSwitching = 0;
  state().m_bLeaving = 1;
  TypeAndLeave(edit(Field::ColsMin), QStringLiteral("9"), tab->polarity());
  EXPECT_EQ(Texts(), QStringList{window->text(9861)});
}

// A refused field keeps the user on its tab; a whole-tab check refuses
// "from" above "to" before anything is sent.
TEST_F(Ecc200Tab, APendingErrorOrAnOrderErrorBringsTheTabBack) {
  OpenTab();
  TypeAndLeave(edit(Field::ColsMin), QStringLiteral("9"), tab->polarity());
  ASSERT_TRUE(tab->errorPending());
  prompt.clear();
  ClickTab(0);
  EXPECT_EQ(tabs().currentTab(), 2);
  EXPECT_FALSE(tab->errorPending());

  const std::size_t sets = sensor.server.countCalls("xmlSetECC200Data");
  TypeAndLeave(edit(Field::ColsMin), QStringLiteral("20"), tab->polarity());
  TypeAndLeave(edit(Field::ColsMax), QStringLiteral("12"), tab->polarity());
  ClickTab(0);
  EXPECT_EQ(tabs().currentTab(), 2);
  EXPECT_EQ(Texts(), QStringList{window->text(6071)});
  EXPECT_TRUE(edit(Field::ColsMin)->hasFocus());
  EXPECT_EQ(sensor.server.countCalls("xmlSetECC200Data"), sets);
  EXPECT_EQ(state().m_bValidationFailed, 1);

  // While changes wait, entering tab 2 again keeps them: no write, no get.
  const std::size_t gets = sensor.server.countCalls("xmlGetECC200Data");
  codeDefinition->ChangeCodeTab(CODE_TYPE_ECC200, tab1().codeTypeText());
  EXPECT_EQ(codeDefinition->codeTab(), tab);
  EXPECT_EQ(sensor.server.countCalls("xmlGetECC200Data"), gets);
  EXPECT_EQ(edit(Field::ColsMax)->text(), QStringLiteral("12"));
}

TEST_F(Ecc200Tab, RevertBringsTheStandardOrEnhancedSet) {
  OpenTab();
  struct Case {
    int kind;
    int message;
    const char* contrast;
    const char* slant;
  };
  for (const Case& c : {Case{1, 6069, "15", "30"}, Case{0, 6068, "30", "10"}}) {
    SCOPED_TRACE(c.kind);
    const int gets = Count(CMD_GET_ECC200_DATA);
    QTest::mouseClick(tab->revertButton(c.kind), Qt::LeftButton);
    ASSERT_TRUE(WaitHandled(CMD_GET_ECC200_DATA, gets + 1));
    ASSERT_TRUE(Idle());
    EXPECT_EQ(sensor.model.snapshot().revertedCodeType, c.kind);
    EXPECT_EQ(Texts(), QStringList{window->text(c.message)});
    EXPECT_EQ(edit(Field::Contrast)->text(), QString::fromLatin1(c.contrast));
    EXPECT_EQ(edit(Field::Slant)->text(), QString::fromLatin1(c.slant));
    EXPECT_EQ(state().m_bSettingsReverted, 1);
    EXPECT_EQ(state().m_bSuppressTooltipOnce, 1);  // the message box is not followed by a code tooltip
    state().m_bSuppressTooltipOnce = 0;
    prompt.clear();
  }
}

// A list the converter cannot write sends nothing and keeps the mark.
TEST_F(Ecc200Tab, AFailedListWriteSendsNothing) {
  OpenTab();
  TypeAndLeave(edit(Field::ColsMin), QStringLiteral("14"), tab->polarity());
  state().m_ECC200Data.pop_back();
  const int outstanding = state().m_nOutstandingCommands;
  EXPECT_NE(tab->SendCodeData(), 0);
  EXPECT_EQ(state().m_nOutstandingCommands, outstanding);
  EXPECT_FALSE(state().m_bBusy);
  EXPECT_EQ(state().m_bValidationFailed, 1);
}

Ecc200ResultRecord Code(int rows, int cols, const char* polarity, const char* mirror) {
  Ecc200ResultRecord r;
  r.texts0[0].Assign(polarity);
  r.texts0[1].Assign(mirror);
  r.ints3[0] = rows;
  r.ints3[1] = cols;
  return r;
}

TEST_F(Ecc200Tab, TeachTakesInEveryCodeOfTheLastReading) {
  OpenTab();
  MainDialogState& s = state();
  s.m_nReadCount = 3;
  s.m_ResultCodeTypes[0] = CODE_TYPE_ECC200;
  s.m_CodeResults[0] = Code(12, 12, "dark_on_light", "no");
  s.m_CodeResults[1] = Code(16, 16, "light_on_dark", "no");
  s.m_CodeResults[2] = Code(14, 14, "dark_on_light", "no");
  codeDefinition->UpdateTeachButton(CODE_TYPE_QR);
  EXPECT_FALSE(tab->teachButton()->isEnabled());
  codeDefinition->UpdateTeachButton(CODE_TYPE_ECC200);
  ASSERT_TRUE(tab->teachButton()->isEnabled());
  QTest::mouseClick(tab->teachButton(), Qt::LeftButton);
  EXPECT_EQ(edit(Field::ColsMin)->text(), QStringLiteral("12"));
  EXPECT_EQ(edit(Field::ColsMax)->text(), QStringLiteral("16"));
  EXPECT_EQ(edit(Field::RowsMin)->text(), QStringLiteral("12"));
  EXPECT_EQ(edit(Field::RowsMax)->text(), QStringLiteral("16"));
  EXPECT_EQ(tab->polarity()->currentIndex(), 2);  // any
  EXPECT_EQ(tab->mirror()->currentIndex(), 0);    // no
  EXPECT_EQ(s.m_bValidationFailed, 1);

  // One code: its own properties; more codes than kept: the 100 kept.
  s.m_nReadCount = 1;
  tab->Teach();
  EXPECT_EQ(edit(Field::ColsMax)->text(), QStringLiteral("12"));
  EXPECT_EQ(tab->polarity()->currentIndex(), 0);
  for (int i = 0; i < kMaxCodesPerReading; ++i) s.m_CodeResults[static_cast<std::size_t>(i)] = Code(10 + 2 * (i % 3), 20, "any", "any");
  s.m_nReadCount = 5000;
  tab->Teach();
  EXPECT_EQ(edit(Field::RowsMin)->text(), QStringLiteral("10"));
  EXPECT_EQ(edit(Field::RowsMax)->text(), QStringLiteral("14"));

  // The context menu's "Use code properties" takes one code.
  s.m_CodeResults[7] = Code(18, 24, "light_on_dark", "yes");
  codeDefinition->ShowContextMenu(QPoint(0, 0), CODE_TYPE_ECC200, 7);
  codeDefinition->contextMenu()->hide();
  codeDefinition->OnUseCodeProperties();
  EXPECT_EQ(edit(Field::ColsMin)->text(), QStringLiteral("24"));
  EXPECT_EQ(edit(Field::RowsMax)->text(), QStringLiteral("18"));
  EXPECT_EQ(tab->mirror()->currentIndex(), 1);
}

TEST_F(Ecc200Tab, ReadCodeShowsTheReadingAndEnablesTeach) {
  OpenTab();
  ClickTab(0);
  ASSERT_TRUE(Idle());
  ClickTab(2);
  ASSERT_TRUE(Idle());
  tab = dynamic_cast<CConfigCodeDefTab3ECC200*>(codeDefinition->codeTab());
  ASSERT_NE(tab, nullptr);
  EXPECT_FALSE(tab->teachButton()->isEnabled());
  const std::size_t decodes = sensor.server.countCalls("xmlDecodeImage");
  QTest::mouseClick(codeDefinition->findChild<QAbstractButton*>(QStringLiteral("id1080")), Qt::LeftButton);
  ASSERT_TRUE(WaitHandled(CMD_GET_READ_CODE));
  ASSERT_TRUE(Idle());
  EXPECT_EQ(sensor.server.countCalls("xmlDecodeImage"), decodes + 1);
  // The tab's settings went first, then the configuration, then the decode.
  std::vector<std::string> order;
  for (const auto& call : sensor.server.calls())
    if (call.method == "xmlSetECC200Data" || call.method == "xmlSetConfigData" || call.method == "xmlDecodeImage")
      order.push_back(call.method);
  ASSERT_GE(order.size(), 3u);
  EXPECT_EQ(std::vector<std::string>(order.end() - 3, order.end()),
            (std::vector<std::string>{"xmlSetECC200Data", "xmlSetConfigData", "xmlDecodeImage"}));
  EXPECT_TRUE(codeDefinition->codeRead());
  EXPECT_EQ(state().m_nReadCount, 1);
  EXPECT_EQ(state().m_ResultCodeTypes[0], CODE_TYPE_ECC200);
  EXPECT_TRUE(tab->teachButton()->isEnabled());
  EXPECT_TRUE(Texts().isEmpty()) << Texts().join('|').toStdString();
}

}  // namespace
}  // namespace vt::test
