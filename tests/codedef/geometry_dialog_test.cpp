// The module geometry dialogs: what OK writes into the family's settings,
// what it refuses, and that Cancel and a disconnect write nothing.
#include "codedef_fixture.h"

#include <QClipboard>
#include <QPushButton>

#include "codedef/code_geometry_dialog.h"

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
      {"empty_keeps_last", "", "", 0, 1, 0, 1, 0},
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
    const bool kept = std::string(c.from).empty();
    EXPECT_EQ(block().module_size_min, kept ? 4 : 3);
    EXPECT_EQ(block().module_size_max, kept ? 40 : 5);
    EXPECT_EQ(std::string(block().module_gap_col_min.view()), kept ? "no" : "small");
    EXPECT_EQ(std::string(block().module_gap_row_max.view()), kept ? "small" : "big");
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

}  // namespace
}  // namespace vt::test
