// The module geometry dialogs: what OK writes into the family's settings,
// what it refuses, and that Cancel and a disconnect write nothing.
#include "family_tab_fixture.h"

#include <QClipboard>
#include <QPushButton>

#include "codedef/code_geometry_dialog.h"
#include "codedef/two_d_code_tab.h"

namespace vt::test {
namespace {

struct Geometry : CodeDefinitionFixture {
  CodeDefinitionContext& ctx() { return *codeDefinition->context(); }
  ECC200Settings& block() { return state().m_Ecc200Settings; }
  void Store(int from, int to, const char* colMin, const char* colMax, const char* rowMin, const char* rowMax) {
    block().module_size_min = from;
    block().module_size_max = to;
    block().module_gap_col_min.Assign(colMin);
    block().module_gap_col_max.Assign(colMax);
    block().module_gap_row_min.Assign(rowMin);
    block().module_gap_row_max.Assign(rowMax);
    block().module_grid.Assign("fixed");
  }
};

TEST_F(Geometry, OkWritesOnlyWhatPassesEveryCheck) {
  struct Case {
    const char* name;
    const char* from;
    const char* to;
    int colMin, colMax, rowMin, rowMax;
    int message;  // 0: written
  };
  const Case cases[] = {
      {"from_above_to", "5", "3", 0, 0, 0, 0, 6071},
      {"big_small_columns", "3", "5", 2, 1, 0, 0, 6071},
      {"big_small_rows", "3", "5", 0, 0, 2, 1, 6071},
      {"small_small", "3", "5", 1, 1, 1, 2, 0},
      {"size_101", "3", "101", 0, 0, 0, 0, 9865},
      {"size_1", "1", "5", 0, 0, 0, 0, 9865},
      {"empty", "", "5", 0, 1, 0, 1, 9865},
      {"empty_to", "3", "", 0, 1, 0, 1, 9865},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Store(4, 40, "no", "big", "no", "big");
    CECC200CodeGeometry dialog(ctx());
    dialog.sizeFrom()->setText(QString::fromLatin1(c.from));
    dialog.sizeTo()->setText(QString::fromLatin1(c.to));
    const int gaps[4] = {c.colMin, c.colMax, c.rowMin, c.rowMax};
    for (int i = 0; i < 4; ++i) dialog.gap(i)->setCurrentIndex(gaps[i]);
    dialog.grid()->setCurrentIndex(2);
    prompt.clear();
    dialog.accept();
    EXPECT_EQ(Texts(), c.message ? QStringList{window->text(c.message)} : QStringList{});
    if (c.message) {
      EXPECT_EQ(dialog.result(), QDialog::Rejected);
      EXPECT_EQ(block().module_size_min, 4);
      EXPECT_EQ(block().module_gap_col_max, "big");
      EXPECT_EQ(block().module_grid, "fixed");
      continue;
    }
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(block().module_size_min, 3);
    EXPECT_EQ(block().module_size_max, 5);
    EXPECT_EQ(std::string(block().module_gap_col_min.view()), "small");
    EXPECT_EQ(std::string(block().module_gap_row_max.view()), "big");
    EXPECT_EQ(block().module_grid, "variable");
  }
}

TEST_F(Geometry, AnUnknownGapShowsAndIsWrittenAsNo) {
  Store(2, 100, "tiny", "small", "NO", "big");
  CECC200CodeGeometry dialog(ctx());
  EXPECT_EQ(dialog.gap(0)->currentIndex(), 0);
  EXPECT_EQ(dialog.gap(1)->currentIndex(), 1);
  EXPECT_EQ(dialog.gap(2)->currentIndex(), 0);  // words compare case-sensitively
  dialog.accept();
  EXPECT_EQ(block().module_gap_col_min, "no");
  EXPECT_EQ(block().module_gap_row_min, "no");
  SaveScreenshot(dialog, "geometry_ecc200");
}

TEST_F(Geometry, LeavingAFieldChecksIt) {
  Store(4, 40, "no", "big", "no", "big");
  CECC200CodeGeometry dialog(ctx());
  dialog.show();
  QApplication::setActiveWindow(&dialog);
  // Empty: the last value again, no message; out of range: the field's message.
  TypeAndLeave(dialog.sizeFrom(), QString(), dialog.gap(0));
  EXPECT_EQ(dialog.sizeFrom()->text(), QStringLiteral("4"));
  EXPECT_TRUE(Texts().isEmpty());
  TypeAndLeave(dialog.sizeTo(), QStringLiteral("300"), dialog.gap(0));
  EXPECT_EQ(Texts(), QStringList{window->text(9866)});
  EXPECT_TRUE(dialog.sizeTo()->hasFocus());
  prompt.clear();
  // The refused text stays: the next move out of the field checks it again.
  dialog.sizeFrom()->setFocus();
  EXPECT_EQ(Texts(), QStringList{window->text(9866)});
  prompt.clear();
  TypeAndLeave(dialog.sizeTo(), QStringLiteral("50"), dialog.gap(0));
  EXPECT_TRUE(Texts().isEmpty());
  // Towards Cancel: no check, and Cancel writes nothing.
  TypeAndLeave(dialog.sizeFrom(), QStringLiteral("1"), dialog.cancelButton());
  EXPECT_TRUE(Texts().isEmpty());
  QTest::mouseClick(dialog.cancelButton(), Qt::LeftButton);
  EXPECT_EQ(dialog.result(), QDialog::Rejected);
  EXPECT_EQ(block().module_size_min, 4);
}

TEST_F(Geometry, ADisconnectClosesTheDialogWritingNothing) {
  Store(4, 40, "no", "big", "no", "big");
  CQRCodeGeometry qr(ctx());
  CAztecCodeGeometry aztec(ctx());
  for (GeometryDialogBase* dialog : std::initializer_list<GeometryDialogBase*>{&qr, &aztec}) {
    prompt.setDialogHandler([](QDialog&) { return int(QDialog::Rejected); });
    dialog->show();
  }
  state().m_QRCodeSettings.module_size_min = 7;
  qr.sizeFrom()->setText(QStringLiteral("9"));
  window->ResetUserInterface();
  EXPECT_FALSE(qr.isVisible());
  EXPECT_FALSE(aztec.isVisible());
  EXPECT_EQ(state().m_QRCodeSettings.module_size_min, 7);
  EXPECT_EQ(qr.windowTitle(), window->text(7097));
  EXPECT_EQ(aztec.windowTitle(), window->text(20032));
}

TEST_F(Geometry, Pdf417AspectsKeepOneDecimal) {
  PDF417Settings& p = state().m_Pdf417Settings;
  struct Case {
    const char* aspectMin;
    const char* aspectMax;
    int message;
    double storedMin;
  };
  for (const Case& c : {Case{"0.45", "4", 9877, 1.0}, Case{"1.25", "4", 0, 1.2}, Case{"3", "2", 6071, 1.0},
                        Case{"1", "20.09", 0, 1.0}, Case{"1", "20.1", 9877, 1.0}}) {
    SCOPED_TRACE(c.aspectMin);
    p.module_width_min = 2;
    p.module_width_max = 100;
    p.module_aspect_min = 1.0;
    p.module_aspect_max = 4.0;
    CPDF417CodeGeometry dialog(ctx());
    EXPECT_EQ(dialog.aspectMin()->text(), QStringLiteral("1.0"));
    dialog.aspectMin()->setText(QString::fromLatin1(c.aspectMin));
    dialog.aspectMax()->setText(QString::fromLatin1(c.aspectMax));
    prompt.clear();
    dialog.accept();
    EXPECT_EQ(Texts(), c.message ? QStringList{window->text(c.message)} : QStringList{});
    EXPECT_DOUBLE_EQ(p.module_aspect_min, c.storedMin);
  }
  CPDF417CodeGeometry dialog(ctx());
  dialog.show();
  dialog.aspectMin()->setFocus();
  dialog.aspectMin()->clear();
  QTest::keyClicks(dialog.aspectMin(), QStringLiteral("1..5"));
  EXPECT_EQ(dialog.aspectMin()->text(), QStringLiteral("1.5"));
  QTest::keyClicks(dialog.aspectMin(), QStringLiteral("x"));
  EXPECT_EQ(dialog.aspectMin()->text(), QStringLiteral("1.5"));
  dialog.widthMin()->setText(QStringLiteral("5"));
  dialog.widthMax()->setText(QStringLiteral("3"));
  prompt.clear();
  dialog.accept();
  EXPECT_EQ(Texts(), QStringList{window->text(6071)});
  SaveScreenshot(dialog, "geometry_pdf417");
}

// No clipboard in the size fields: keys, middle click and context menu.
TEST_F(Geometry, TheFieldsTakeNoClipboard) {
  Store(4, 40, "no", "big", "no", "big");
  QApplication::clipboard()->setText(QStringLiteral("77"));
  CECC200CodeGeometry dialog(ctx());
  dialog.show();
  dialog.sizeFrom()->setFocus();
  dialog.sizeFrom()->selectAll();
  QTest::keyClick(dialog.sizeFrom(), Qt::Key_V, Qt::ControlModifier);
  QTest::keyClick(dialog.sizeFrom(), Qt::Key_Insert, Qt::ShiftModifier);
  QTest::mouseClick(dialog.sizeFrom(), Qt::MiddleButton);
  EXPECT_EQ(dialog.sizeFrom()->text(), QStringLiteral("4"));
  EXPECT_EQ(dialog.sizeFrom()->contextMenuPolicy(), Qt::NoContextMenu);
}

// Through the family tab against the simulator: a value refused on leaving
// its field is never kept. Emptied, Enter (OK) refuses the empty field; a
// click on OK leaves the field first, which shows the last accepted value
// again, and that value is what the sensor gets.
struct RoadCase {
  const char* name;
  int codeType, get, set;
  vt::sim::CodeFamily family;
  int field, other;  // the edit typed into; the one the click leaves it for
  const char* typed;
  int leaveMessage, okMessage;
  int item;  // the field's item in the sensor's list
};
void PrintTo(const RoadCase& c, std::ostream* os) { *os << c.name; }
double Number(XmlRpc::XmlRpcValue v) { return v.getType() == XmlRpc::XmlRpcValue::TypeInt ? v.asInt() : v.asDouble(); }

struct GeometryRoad : FamilyTabFixture, ::testing::WithParamInterface<RoadCase> {};

TEST_P(GeometryRoad, ARefusedValueNeverReachesTheSensor) {
  const RoadCase& c = GetParam();
  OpenConfiguration(c.codeType);
  ASSERT_NO_FATAL_FAILURE(EnterCodeTab(c.get));
  const double stored = Number(CodeData(c.family)[c.item]);
  auto* tab = qobject_cast<TwoDCodeTab*>(codeDefinition->codeTab());
  ASSERT_NE(tab, nullptr);
  prompt.clear();
  bool stillOpen = false;
  QString shownAfterOk;
  prompt.setDialogHandler([&](QDialog& d) {
    QApplication::setActiveWindow(&d);
    auto* field = d.findChild<QLineEdit*>(QStringLiteral("id%1").arg(c.field));
    auto* other = d.findChild<QLineEdit*>(QStringLiteral("id%1").arg(c.other));
    auto* ok = d.findChild<QPushButton*>(QStringLiteral("id1"));
    ClickAt(field);
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(field, QString::fromLatin1(c.typed));
    ClickAt(other);
    EXPECT_EQ(Texts(), QStringList{window->text(c.leaveMessage)});
    EXPECT_TRUE(field->hasFocus());
    // The refused text is selected: one key empties the field.
    QTest::keyClick(field, Qt::Key_Backspace);
    EXPECT_TRUE(field->text().isEmpty());
    prompt.clear();
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_EQ(Texts(), QStringList{window->text(c.okMessage)});
    stillOpen = d.isVisible();
    prompt.clear();
    ClickAt(ok);
    shownAfterOk = field->text();
    return d.result();
  });
  ClickAt(tab->geometryButton());
  prompt.setDialogHandler({});
  QApplication::setActiveWindow(window.get());
  EXPECT_TRUE(stillOpen);
  EXPECT_TRUE(Texts().isEmpty()) << Texts().join('|').toStdString();
  EXPECT_DOUBLE_EQ(shownAfterOk.toDouble(), stored);
  EXPECT_EQ(state().m_bValidationFailed, 1);
  ASSERT_NO_FATAL_FAILURE(LeaveToTab0(c.set));
  EXPECT_DOUBLE_EQ(Number(CodeData(c.family)[c.item]), stored);
}

INSTANTIATE_TEST_SUITE_P(
    Dialogs, GeometryRoad,
    ::testing::Values(RoadCase{"Ecc200SizeTo", CODE_TYPE_ECC200, CMD_GET_ECC200_DATA, CMD_SET_ECC200_DATA,
                               vt::sim::CodeFamily::Ecc200, 1148, 1147, "150", 9866, 9865, 8},
                      RoadCase{"Pdf417WidthMax", CODE_TYPE_PDF417, CMD_GET_PDF417_DATA, CMD_SET_PDF417_DATA,
                               vt::sim::CodeFamily::Pdf417, 1142, 1141, "150", 9875, 9865, 8},
                      RoadCase{"Pdf417AspectMax", CODE_TYPE_PDF417, CMD_GET_PDF417_DATA, CMD_SET_PDF417_DATA,
                               vt::sim::CodeFamily::Pdf417, 1149, 1147, "25", 9877, 9877, 10}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vt::test
