// How keys move the current cell under each owner's rules.
#include "grid_fixture.h"

#include <QLineEdit>
#include <QVBoxLayout>

namespace {

using GridKeysTest = GridTest;

void Key(CGridCtrl& g, Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
  QTest::keyClick(&g, key, mods);
}

TEST_F(GridKeysTest, DownAndUpReportTheTargetBeforeMoving) {
  MakeGrid(6, 3, 1);
  Fill(1, 5);
  grid->SetCellState(2, 1, CellStateFlags::kSelected);  // current (2, 0)
  CCellID currentAtNotify;
  recorder.answer = [&](const GridNotifyRecord&) {
    currentAtNotify = grid->GetFocusCell();
    return 0;
  };
  Key(*grid, Qt::Key_Down);
  ASSERT_EQ(recorder.Count(GridNotifyCode::kItemChanging), 1);
  EXPECT_EQ(recorder.Last(GridNotifyCode::kItemChanging)->row, 3);
  EXPECT_EQ(recorder.Last(GridNotifyCode::kItemChanging)->col, 0);
  EXPECT_EQ(currentAtNotify, CCellID(2, 0));
  EXPECT_EQ(grid->GetFocusCell(), CCellID(3, 0));
  Key(*grid, Qt::Key_Up);
  EXPECT_EQ(grid->GetFocusCell(), CCellID(2, 0));
  // Keys never select.
  EXPECT_EQ(SelectedRows(), std::vector<int>{2});
}

TEST_F(GridKeysTest, ZeroSizedRowsAndColumnsAreSkipped) {
  MakeGrid(6, 4, 1);
  Fill(1, 5);
  grid->SetRowHeight(3, 0);
  grid->SetColumnWidth(1, 0);
  grid->SetCellState(2, 0, CellStateFlags::kSelected);  // current (2, 0)
  Key(*grid, Qt::Key_Down);
  EXPECT_EQ(grid->GetFocusCell(), CCellID(4, 0));
  Key(*grid, Qt::Key_Right);
  EXPECT_EQ(grid->GetFocusCell(), CCellID(4, 2));
  Key(*grid, Qt::Key_Left);
  EXPECT_EQ(grid->GetFocusCell(), CCellID(4, 0));
  Key(*grid, Qt::Key_Up);
  EXPECT_EQ(grid->GetFocusCell(), CCellID(2, 0));
  Key(*grid, Qt::Key_Up);
  Key(*grid, Qt::Key_Up);  // not into the header
  EXPECT_EQ(grid->GetFocusCell(), CCellID(1, 0));
  // Left and Right only notify nothing.
  EXPECT_EQ(recorder.Count(GridNotifyCode::kItemChanging), 3);
}

TEST_F(GridKeysTest, CurrentCellMovesOnlyOntoText) {
  MakeGrid(5, 3, 1);
  Fill(1, 2);
  grid->SetCellState(2, 0, CellStateFlags::kSelected);
  Key(*grid, Qt::Key_Down);  // row 3 is empty
  EXPECT_EQ(grid->GetFocusCell(), CCellID(2, 0));
  EXPECT_EQ(recorder.Count(GridNotifyCode::kItemChanging), 1);
}

TEST_F(GridKeysTest, SavedConnectionsMoveByFourRows) {
  MakeGrid(13, 1, 1);
  Fill(1, 12);
  grid->m_OwnerRole = GridOwnerRole::SavedConnections;
  grid->SetCellState(1, 0, CellStateFlags::kSelected);
  Key(*grid, Qt::Key_Down);
  EXPECT_EQ(grid->GetFocusCell(), CCellID(5, 0));
  Key(*grid, Qt::Key_Down);
  EXPECT_EQ(grid->GetFocusCell(), CCellID(9, 0));
  Key(*grid, Qt::Key_Down);  // 13 is past the end
  EXPECT_EQ(grid->GetFocusCell(), CCellID(9, 0));
  EXPECT_EQ(recorder.Count(GridNotifyCode::kItemChanging), 2);
  Key(*grid, Qt::Key_Up);
  Key(*grid, Qt::Key_Up);
  EXPECT_EQ(grid->GetFocusCell(), CCellID(1, 0));
  Key(*grid, Qt::Key_Up);  // row -3: stop
  EXPECT_EQ(grid->GetFocusCell(), CCellID(1, 0));
}

TEST_F(GridKeysTest, ServiceReportJumpsToTheLastColumnAndBack) {
  struct Case {
    int from;
    Qt::Key key;
    int to;
  } cases[] = {{1, Qt::Key_Right, 3}, {0, Qt::Key_Right, 3}, {3, Qt::Key_Right, 3},
               {3, Qt::Key_Left, 0},  {2, Qt::Key_Left, 2}};
  for (const Case& c : cases) {
    MakeGrid(4, 4, 1);
    Fill(1, 3);
    grid->m_OwnerRole = GridOwnerRole::ServiceReport;
    grid->SetCellState(2, c.from, CellStateFlags::kSelected);  // current (2, 0) or (2, 2)
    grid->SetCellState(2, c.from, 0);
    if (c.from == 1 || c.from == 3) {
      // Reach the odd columns through the keys themselves.
      if (c.from == 3) Key(*grid, Qt::Key_Right);
      if (c.from == 1) {
        grid->m_OwnerRole = GridOwnerRole::Other;
        Key(*grid, Qt::Key_Right);
        grid->m_OwnerRole = GridOwnerRole::ServiceReport;
      }
    }
    ASSERT_EQ(grid->GetFocusCell(), CCellID(2, c.from)) << c.from;
    Key(*grid, c.key);
    EXPECT_EQ(grid->GetFocusCell(), CCellID(2, c.to)) << c.from << " " << c.key;
  }
}

TEST_F(GridKeysTest, BusyOrEmptyCurrentTextMovesNothing) {
  MakeGrid(5, 2, 1);
  Fill(1, 4);
  grid->SetCellState(2, 0, CellStateFlags::kSelected);
  bool busy = true;
  grid->SetBusyQuery([&] { return busy; });
  Key(*grid, Qt::Key_Down);
  EXPECT_EQ(grid->GetFocusCell(), CCellID(2, 0));
  busy = false;
  grid->SetCellText(2, 0, QString());
  Key(*grid, Qt::Key_Down);
  EXPECT_EQ(grid->GetFocusCell(), CCellID(2, 0));
  EXPECT_EQ(recorder.Count(GridNotifyCode::kItemChanging), 0);
  // The function-test grid moves from and onto empty cells.
  grid->m_OwnerRole = GridOwnerRole::FunctionTest;
  grid->SetCellText(3, 0, QString());
  Key(*grid, Qt::Key_Down);
  EXPECT_EQ(grid->GetFocusCell(), CCellID(3, 0));
}

TEST_F(GridKeysTest, TabWrapsRowsBothWays) {
  MakeGrid(5, 3, 1);
  Fill(1, 4);
  grid->SetCellState(2, 2, CellStateFlags::kSelected);  // current (2, 2), the last column
  EXPECT_TRUE(grid->HandleKey(GridKey::kTab, false));
  EXPECT_EQ(grid->GetFocusCell(), CCellID(3, 0));
  EXPECT_TRUE(grid->HandleKey(GridKey::kTab, true));
  EXPECT_EQ(grid->GetFocusCell(), CCellID(2, 2));
  // A Tab that does not wrap also goes on to the default handling.
  EXPECT_FALSE(grid->HandleKey(GridKey::kTab, true));
  EXPECT_EQ(grid->GetFocusCell(), CCellID(2, 1));
}

TEST_F(GridKeysTest, TabMovesTheFocusFirstWhenThereIsSomewhereToGo) {
  QWidget dialog;
  auto* layout = new QVBoxLayout(&dialog);
  auto* g = new CGridCtrl(5, 3, 1, 0);
  auto* edit = new QLineEdit;
  layout->addWidget(g);
  layout->addWidget(edit);
  dialog.resize(300, 300);
  dialog.show();
  dialog.activateWindow();
  g->SetCellText(2, 0, QStringLiteral("a"));
  g->SetCellText(2, 1, QStringLiteral("b"));
  g->SetCellState(2, 1, CellStateFlags::kSelected);
  g->setFocus();
  QApplication::processEvents();
  ASSERT_EQ(QApplication::focusWidget(), g);
  QTest::keyClick(g, Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), edit);
  EXPECT_EQ(g->GetFocusCell(), CCellID(2, 0));
}

TEST_F(GridKeysTest, KeysScrollTheTargetIntoView) {
  MakeGrid(31, 2, 1);
  Fill(1, 30);
  grid->SetCellState(9, 0, CellStateFlags::kSelected);
  for (int i = 0; i < 12; ++i) Key(*grid, Qt::Key_Down);
  EXPECT_EQ(grid->GetFocusCell(), CCellID(21, 0));
  EXPECT_TRUE(grid->IsCellVisible(21, 0));
  GridRect rect;
  ASSERT_TRUE(grid->GetCellRect(21, 0, &rect));
  EXPECT_LE(rect.bottom, grid->viewport()->height());
  for (int i = 0; i < 20; ++i) Key(*grid, Qt::Key_Up);
  EXPECT_EQ(grid->GetFocusCell(), CCellID(1, 0));
  EXPECT_EQ(grid->GetScrollPos32(1), 0);
}

}  // namespace
