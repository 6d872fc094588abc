// The grid's data model: shape operations, cell attributes, the filled-row
// count and the row copies.
#include "grid_fixture.h"

#include <QFontMetrics>

namespace {

using GridModelTest = GridTest;

TEST_F(GridModelTest, EmptyGridAnswersWithNeutralValues) {
  CGridCtrl empty;
  EXPECT_EQ(empty.GetCell(0, 0), nullptr);
  EXPECT_EQ(empty.GetCellText(0, 0), QString());
  EXPECT_EQ(empty.GetSelectedRow(), 0);
  EXPECT_EQ(empty.CountFilledRows(), 0);
  std::vector<GridRowRecord> records;
  EXPECT_FALSE(empty.CopyRowsToRecords(records));
  EXPECT_TRUE(records.empty());
  GridRowRecord record{QStringLiteral("keep")};
  EXPECT_FALSE(empty.CopySelectedRowToRecord(record));
  EXPECT_EQ(record[0], QStringLiteral("keep"));
  EXPECT_FALSE(empty.SetCellText(0, 0, QStringLiteral("x")));
  EXPECT_FALSE(empty.SetCellState(0, 0, 2));
  EXPECT_EQ(empty.GetCellState(0, 0), 0u);
  EXPECT_FALSE(empty.DeleteRow(0));
  EXPECT_FALSE(empty.SetRowHeight(0, 10));
  // Without a handler every notification answers 0.
  EXPECT_EQ(empty.SendNotify(GridNotifyCode::kBeginLabelEdit, 0, 0), 0);
}

TEST_F(GridModelTest, InsertRowIntoAGridWithoutColumnsMakesOne) {
  CGridCtrl empty;
  EXPECT_EQ(empty.InsertRow(QStringLiteral("head")), 0);
  EXPECT_EQ(empty.GetColumnCount(), 1);
  EXPECT_EQ(empty.GetCellText(0, 0), QStringLiteral("head"));
  // A row with a heading takes the fixed-row default height like an empty one.
  EXPECT_EQ(empty.GetRowHeight(0), empty.GetDefaultCell(true, false)->GetHeight());
}

TEST_F(GridModelTest, SetFixedRowCountUnchangedKeepsTheSelection) {
  MakeGrid(4, 2, 1);
  ASSERT_TRUE(grid->SetCellState(2, 1, CellStateFlags::kSelected));
  EXPECT_TRUE(grid->SetFixedRowCount(1));
  EXPECT_TRUE(grid->IsCellSelected(2, 1));
  // A change clears it and marks the rows that become fixed.
  EXPECT_TRUE(grid->SetFixedRowCount(2));
  EXPECT_FALSE(grid->IsCellSelected(2, 1));
  EXPECT_EQ(grid->GetCellState(1, 0) & 0x30u, 0x30u);
  EXPECT_TRUE(grid->SetFixedRowCount(1));
  EXPECT_EQ(grid->GetCellState(1, 0) & 0x30u, 0u);
  // Growing past the rows adds rows.
  EXPECT_TRUE(grid->SetFixedRowCount(6));
  EXPECT_EQ(grid->GetRowCount(), 6);
}

TEST_F(GridModelTest, InsertRowRefusesFixedRowsAndIndexesPastTheEnd) {
  MakeGrid(4, 2, 2);
  Fill(0, 3);
  struct Case {
    int before;
    int expected;
  } cases[] = {{0, -1}, {1, -1}, {4, -1}, {9, -1}};
  for (const Case& c : cases) {
    EXPECT_EQ(grid->InsertRow(QStringLiteral("x"), c.before), c.expected) << c.before;
    EXPECT_EQ(grid->GetRowCount(), 4) << c.before;
  }
  EXPECT_EQ(grid->GetCellText(2, 0), QStringLiteral("20"));
}

TEST_F(GridModelTest, InsertRowMovesTheCurrentCellDownAndAppends) {
  MakeGrid(4, 3, 1);
  Fill(1, 3);
  grid->SetCellState(3, 0, CellStateFlags::kSelected);  // current (3, 0)
  EXPECT_EQ(grid->InsertRow(QStringLiteral("new"), 2), 2);
  EXPECT_EQ(grid->GetFocusCell(), CCellID(4, 0));
  EXPECT_EQ(grid->GetCellText(2, 0), QStringLiteral("new"));
  EXPECT_EQ(grid->GetCellText(3, 0), QStringLiteral("20"));
  EXPECT_EQ(grid->CountFilledRows(), 4);
  EXPECT_EQ(grid->InsertRow(QString()), 5);
  EXPECT_EQ(grid->GetRowCount(), 6);
}

TEST_F(GridModelTest, DeleteRowMovesOrDropsTheCurrentCell) {
  MakeGrid(6, 3, 1);
  Fill(1, 5);
  grid->SetCellState(4, 0, CellStateFlags::kSelected);
  EXPECT_TRUE(grid->DeleteRow(2));
  EXPECT_EQ(grid->GetFocusCell(), CCellID(3, 0));
  EXPECT_EQ(grid->GetCellText(2, 0), QStringLiteral("30"));
  EXPECT_TRUE(grid->DeleteRow(3));
  EXPECT_EQ(grid->GetFocusCell(), CCellID());
  EXPECT_FALSE(grid->DeleteRow(4));
  EXPECT_FALSE(grid->DeleteRow(-1));
  EXPECT_TRUE(grid->DeleteRow(0));
  EXPECT_EQ(grid->GetFixedRowCount(), 0);
  EXPECT_EQ(grid->GetRowCount(), 3);
}

TEST_F(GridModelTest, CountFilledRowsByFirstOrLastColumn) {
  struct Case {
    int cols;
    int textCol;
    int expected;
  } cases[] = {{3, 0, 1}, {3, 2, 1}, {3, 1, 0}, {1, 0, 1}, {2, 1, 1}};
  for (const Case& c : cases) {
    MakeGrid(3, c.cols, 1);
    grid->SetCellText(2, c.textCol, QStringLiteral("t"));
    EXPECT_EQ(grid->CountFilledRows(), c.expected) << c.cols << " cols, text in " << c.textCol;
  }
}

TEST_F(GridModelTest, SetRowsBackColorLeavesHeaderAndLastRow) {
  MakeGrid(3, 2, 1);
  EXPECT_TRUE(grid->SetRowsBackColor(0x123456));
  EXPECT_EQ(grid->GetCell(1, 1)->GetBackColour(), 0x123456u);
  EXPECT_EQ(grid->GetCell(0, 0)->GetBackColour(), CLR_DEFAULT);
  EXPECT_EQ(grid->GetCell(2, 0)->GetBackColour(), CLR_DEFAULT);
  MakeGrid(2, 2, 1);
  EXPECT_TRUE(grid->SetRowsBackColor(0x123456));
  EXPECT_EQ(grid->GetCell(1, 0)->GetBackColour(), CLR_DEFAULT);
}

TEST_F(GridModelTest, RowCopiesTakeTheFilledRowsThemselves) {
  MakeGrid(6, 4, 1);
  Fill(1, 1);
  Fill(3, 4);  // row 2 empty: a copy of rows 1..CountFilledRows would lose row 4
  std::vector<GridRowRecord> records;
  ASSERT_TRUE(grid->CopyRowsToRecords(records));
  ASSERT_EQ(records.size(), 3u);
  EXPECT_EQ(records[0][0], QStringLiteral("10"));
  EXPECT_EQ(records[1][3], QStringLiteral("33"));
  EXPECT_EQ(records[2][0], QStringLiteral("40"));

  GridRowRecord record;
  EXPECT_FALSE(grid->CopySelectedRowToRecord(record));  // nothing selected: nothing copied
  grid->SetCellState(4, 3, CellStateFlags::kSelected);
  ASSERT_TRUE(grid->CopySelectedRowToRecord(record));
  EXPECT_EQ(record, (GridRowRecord{QStringLiteral("40"), QStringLiteral("41"),
                                   QStringLiteral("42"), QStringLiteral("43")}));
  grid->SetCellState(4, 3, 0);
  grid->SetCellState(5, 3, CellStateFlags::kSelected);  // an empty row
  EXPECT_FALSE(grid->CopySelectedRowToRecord(record));
}

TEST_F(GridModelTest, RowCopiesOfFewerColumnsLeaveTheRestEmpty) {
  MakeGrid(2, 2, 1);
  Fill(1, 1);
  std::vector<GridRowRecord> records;
  ASSERT_TRUE(grid->CopyRowsToRecords(records));
  EXPECT_EQ(records[0][1], QStringLiteral("11"));
  EXPECT_TRUE(records[0][2].isEmpty());
  EXPECT_TRUE(records[0][3].isEmpty());
}

TEST_F(GridModelTest, SelectedRowIsTheHighestWithItsLastColumnSelected) {
  MakeGrid(5, 3, 1);
  EXPECT_EQ(grid->GetSelectedRow(), 0);
  grid->SetCellState(1, 2, CellStateFlags::kSelected);
  grid->SetCellState(3, 2, CellStateFlags::kSelected);
  grid->SetCellState(4, 0, CellStateFlags::kSelected);  // not the last column
  EXPECT_EQ(grid->GetSelectedRow(), 3);
  grid->EnableSelection(false);
  EXPECT_EQ(grid->GetSelectedRow(), 0);
  MakeGrid(1, 3);
  grid->SetCellState(0, 2, CellStateFlags::kSelected);
  EXPECT_EQ(grid->GetSelectedRow(), 0);
}

TEST_F(GridModelTest, SetCellStateSelectedMovesTheCurrentCell) {
  MakeGrid(4, 6, 1);
  struct Case {
    int col;
    CCellID current;
  } cases[] = {{5, {2, 2}}, {2, {2, 2}}, {1, {2, 0}}, {0, {2, 0}}};
  for (const Case& c : cases) {
    grid->SetCellState(2, c.col, CellStateFlags::kSelected);
    EXPECT_EQ(grid->GetFocusCell(), c.current) << c.col;
  }
  // Other states leave it.
  grid->SetCellState(3, 5, CellStateFlags::kSelected | CellStateFlags::kFocused);
  EXPECT_EQ(grid->GetFocusCell(), CCellID(2, 0));
  grid->ClearSelection();
  EXPECT_EQ(CountSelected(), 0);
}

TEST_F(GridModelTest, CellFormatInheritsUntilSet) {
  MakeGrid(2, 2, 1);
  CGridCellBase* cell = grid->GetCell(1, 1);
  EXPECT_EQ(cell->GetFormat(), 0x824u);
  grid->SetCellFormat(1, 1, CellFormat::kCenter | CellFormat::kSingleLine);
  EXPECT_EQ(cell->GetFormat(), 0x21u);
  grid->SetCellFormat(1, 1, CellFormat::kUnset);
  EXPECT_EQ(cell->GetFormat(), 0x824u);
  grid->GetDefaultCell(false, false)->SetFormat(0x825);
  EXPECT_EQ(cell->GetFormat(), 0x825u);
}

TEST_F(GridModelTest, DefaultCellsStayReadOnlyAndMeasureTheirFont) {
  CGridCtrl g;
  CGridDefaultCell* def = g.GetDefaultCell(false, false);
  EXPECT_TRUE(def->IsReadOnly());
  def->SetState(CellStateFlags::kSelected);
  EXPECT_EQ(def->GetState(), CellStateFlags::kReadOnly);
  const QFontMetrics fm(QApplication::font());
  EXPECT_EQ(def->GetWidth(), fm.horizontalAdvance(QStringLiteral(" XXXXXXXXXXXX ")));
  EXPECT_EQ(def->GetHeight(), 3 * fm.height() / 2);
  EXPECT_EQ(static_cast<int>(def->GetMargin()), fm.horizontalAdvance(QLatin1Char(' ')));
  // New rows and columns take those sizes.
  g.SetColumnCount(1);
  g.SetRowCount(1);
  EXPECT_EQ(g.GetRowHeight(0), def->GetHeight());
  EXPECT_EQ(g.GetColumnWidth(0), g.GetDefaultCell(false, true)->GetWidth());
}

TEST_F(GridModelTest, FontGoesToAllFourDefaultCells) {
  MakeGrid(2, 2, 1);
  QFont big = grid->font();
  big.setPixelSize(30);
  grid->setFont(big);
  const QFontMetrics fm(big);
  for (bool fixedRow : {false, true})
    for (bool fixedCol : {false, true}) {
      const CGridDefaultCell* def = grid->GetDefaultCell(fixedRow, fixedCol);
      EXPECT_EQ(def->GetFont().pixelSize(), 30);
      EXPECT_EQ(def->GetHeight(), 3 * fm.height() / 2);
    }
  EXPECT_EQ(grid->GetFont().pixelSize(), 30);
  EXPECT_EQ(grid->GetCell(1, 1)->GetFont().pixelSize(), 30);
}

TEST_F(GridModelTest, PaletteChangeMovesDefaultColoursThatFollowedTheSystem) {
  MakeGrid(2, 2, 1);
  grid->GetDefaultCell(true, true)->SetTextColour(0x0000FF);
  QPalette pal = grid->palette();
  pal.setColor(QPalette::Text, QColor(1, 2, 3));
  pal.setColor(QPalette::Base, QColor(4, 5, 6));
  grid->setPalette(pal);
  EXPECT_EQ(grid->GetDefaultCell(false, false)->GetTextColour(), RGB(1, 2, 3));
  EXPECT_EQ(grid->GetDefaultCell(false, false)->GetBackColour(), RGB(4, 5, 6));
  EXPECT_EQ(grid->GetDefaultCell(true, true)->GetTextColour(), 0x0000FFu);
  // Fixed cells keep the button face.
  EXPECT_NE(grid->GetDefaultCell(true, false)->GetBackColour(), RGB(4, 5, 6));
}

TEST_F(GridModelTest, FactoryWithoutCellsLeavesHoles) {
  CGridCtrl g;
  g.SetCellFactory([] { return std::unique_ptr<CGridCellBase>(); });
  g.SetColumnCount(2);
  g.SetRowCount(2);
  EXPECT_EQ(g.GetCell(1, 1), nullptr);
  EXPECT_FALSE(g.SetCellText(1, 1, QStringLiteral("x")));
  EXPECT_EQ(g.CountFilledRows(), 0);
  g.resize(200, 100);
  g.grab();
}

TEST_F(GridModelTest, ShrinkingClampsFixedCountsAndDropsSelection) {
  MakeGrid(5, 4, 2, 2);
  grid->SetCellState(4, 3, CellStateFlags::kSelected);
  EXPECT_TRUE(grid->SetRowCount(1));
  EXPECT_EQ(grid->GetFixedRowCount(), 1);
  EXPECT_TRUE(grid->SetColumnCount(1));
  EXPECT_EQ(grid->GetFixedColumnCount(), 1);
  EXPECT_EQ(grid->GetSelectedRow(), 0);
  EXPECT_FALSE(grid->SetRowCount(-1));
}

}  // namespace
