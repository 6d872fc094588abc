// What a click selects in each mouse mode and owner role, and what the grid
// tells its owner about clicks.
#include "grid_fixture.h"

namespace {

using GridMouseTest = GridTest;

TEST_F(GridMouseTest, EachModeSelectsWhatItSays) {
  struct Case {
    int mode;
    int selected;              // cells selected after clicking (2, 1)
    std::vector<int> rows;     // rows that hold them
  } cases[] = {
      {0, 0, {}},
      {1, 12, {1, 2, 3, 4}},
      {2, 4, {1, 2, 3, 4}},
      {3, 3, {2}},
      {4, 1, {2}},
      {5, 0, {}},  // default text colour is not black: not clickable
      {6, 3, {2}},
      {7, 0, {}},
      {8, 3, {2}},
  };
  for (const Case& c : cases) {
    MakeGrid(5, 3, 1);
    Fill(1, 3);
    grid->m_MouseMode = c.mode;
    Click(2, 1);
    EXPECT_EQ(CountSelected(), c.selected) << "mode " << c.mode;
    EXPECT_EQ(SelectedRows(), c.rows) << "mode " << c.mode;
    ASSERT_EQ(recorder.Count(GridNotifyCode::kClick), 1) << "mode " << c.mode;
    EXPECT_EQ(recorder.Last(GridNotifyCode::kClick)->row, 2);
    EXPECT_EQ(recorder.Last(GridNotifyCode::kClick)->col, 1);
    EXPECT_EQ(grid->GetSelectionStart(), CCellID(2, 1));
    recorder.records.clear();
  }
}

TEST_F(GridMouseTest, ClickReplacesThePreviousSelection) {
  MakeGrid(5, 3, 1);
  Fill(1, 3);
  grid->m_MouseMode = GridMouseMode::kRows;
  Click(1, 0);
  Click(3, 2);
  EXPECT_EQ(SelectedRows(), std::vector<int>{3});
  EXPECT_EQ(grid->GetSelectedRow(), 3);
  // Selecting a cell (state 2) makes it current; keys go on from there.
  EXPECT_EQ(grid->GetFocusCell(), CCellID(3, 2));
}

TEST_F(GridMouseTest, ClickableRectangleTakesBlackTextOnly) {
  MakeGrid(5, 3, 1);
  Fill(1, 3);
  grid->m_MouseMode = GridMouseMode::kClickableRectangle;
  grid->SetCellTextColor(2, 1, 0);
  Click(2, 1);
  EXPECT_TRUE(grid->IsCellSelected(2, 1));
  grid->SetCellTextColor(3, 1, RGB(0, 0, 255));
  Click(3, 1);
  EXPECT_EQ(CountSelected(), 0);
  EXPECT_EQ(recorder.Count(GridNotifyCode::kClick), 2);
}

TEST_F(GridMouseTest, SavedConnectionsIgnoreClicksOnColouredCells) {
  MakeGrid(9, 1, 1);
  Fill(1, 8);
  grid->m_OwnerRole = GridOwnerRole::SavedConnections;
  grid->m_MouseMode = GridMouseMode::kClickableRectangle;
  for (int r = 1; r < 9; ++r) grid->SetCellTextColor(r, 0, 0);
  grid->SetCellTextColor(2, 0, RGB(128, 128, 128));
  Click(2, 0);
  EXPECT_EQ(recorder.Count(GridNotifyCode::kClick), 0);
  EXPECT_EQ(CountSelected(), 0);
  Click(5, 0);
  EXPECT_EQ(recorder.Count(GridNotifyCode::kClick), 1);
  EXPECT_TRUE(grid->IsCellSelected(5, 0));
}

TEST_F(GridMouseTest, FilledRowModesBelowTheFilledRows) {
  MakeGrid(6, 3, 1);
  Fill(1, 3);
  grid->m_MouseMode = GridMouseMode::kFilledRowsToo;
  // No row selected before: a click below the filled rows selects nothing
  // (not the header row).
  Click(5, 1);
  EXPECT_EQ(CountSelected(), 0);
  EXPECT_EQ(grid->GetSelectedRow(), 0);
  // With a row selected, such a click keeps it.
  Click(2, 0);
  Click(5, 1);
  EXPECT_EQ(SelectedRows(), std::vector<int>{2});
  EXPECT_EQ(CountSelected(), 3);
  // With no filled row it clears the selection.
  grid->ClearCellTexts();
  Click(4, 1);
  EXPECT_EQ(CountSelected(), 0);
}

TEST_F(GridMouseTest, FunctionTestGridColoursTheSelectedRowsFirstCell) {
  MakeGrid(5, 3, 1, 1);
  Fill(1, 4);
  grid->m_OwnerRole = GridOwnerRole::FunctionTest;
  grid->m_MouseMode = GridMouseMode::kRows;
  const QColor orange(255, 153, 53);
  Click(2, 1);
  QImage img = Grab();
  EXPECT_EQ(img.pixelColor(30, 50), orange);
  EXPECT_EQ(grid->GetCell(2, 0)->GetBackColour(), 0x3599FFu);
  EXPECT_NE(img.pixelColor(30, 70), orange);
  Click(3, 2);
  img = Grab();
  EXPECT_NE(img.pixelColor(30, 50), orange);
  EXPECT_EQ(grid->GetCell(2, 0)->GetBackColour(), CLR_DEFAULT);
  EXPECT_EQ(img.pixelColor(30, 70), orange);
}

TEST_F(GridMouseTest, FixedColumnClickSelectsRowsAndTheCornerOnlyOnce) {
  MakeGrid(5, 3, 1, 1);
  Fill(1, 4);
  grid->m_MouseMode = GridMouseMode::kFilledRows;
  Click(2, 0);  // fixed column: rows, for good
  EXPECT_EQ(grid->m_MouseMode, GridMouseMode::kRows);
  EXPECT_EQ(SelectedRows(), std::vector<int>{2});
  Click(0, 0);  // corner: everything, for this click only
  EXPECT_EQ(CountSelected(), 8);
  EXPECT_EQ(grid->m_MouseMode, GridMouseMode::kRows);
  Click(3, 1);
  EXPECT_EQ(SelectedRows(), std::vector<int>{3});
  // Not allowed: the click selects nothing but is still reported.
  grid->SetFixedColumnSelection(false);
  recorder.records.clear();
  Click(1, 0);
  EXPECT_EQ(SelectedRows(), std::vector<int>{3});
  EXPECT_EQ(recorder.Count(GridNotifyCode::kClick), 1);
}

TEST_F(GridMouseTest, RightReleaseReportsTheCellOrNone) {
  MakeGrid(3, 2, 1);
  QTest::mouseRelease(grid->viewport(), Qt::RightButton, Qt::NoModifier, CentreOf(1, 1));
  ASSERT_EQ(recorder.Count(GridNotifyCode::kRightClick), 1);
  EXPECT_EQ(recorder.Last(GridNotifyCode::kRightClick)->row, 1);
  EXPECT_EQ(recorder.Last(GridNotifyCode::kRightClick)->col, 1);
  QTest::mouseRelease(grid->viewport(), Qt::RightButton, Qt::NoModifier, QPoint(250, 150));
  ASSERT_EQ(recorder.Count(GridNotifyCode::kRightClick), 2);
  EXPECT_EQ(recorder.Last(GridNotifyCode::kRightClick)->row, -1);
  EXPECT_EQ(recorder.Last(GridNotifyCode::kRightClick)->col, -1);
  // A left click outside any cell says nothing.
  QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(250, 150));
  EXPECT_EQ(recorder.Count(GridNotifyCode::kClick), 0);
}

TEST_F(GridMouseTest, DoubleClickSelectsAsAClickAndReportsMinus3) {
  MakeGrid(4, 3, 1);
  Fill(1, 3);
  grid->m_MouseMode = GridMouseMode::kFilledRows;
  QTest::mouseDClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, CentreOf(2, 1));
  EXPECT_EQ(SelectedRows(), std::vector<int>{2});
  EXPECT_EQ(recorder.Count(GridNotifyCode::kDoubleClick), 1);
  EXPECT_EQ(recorder.Last(GridNotifyCode::kDoubleClick)->row, 2);
}

}  // namespace
