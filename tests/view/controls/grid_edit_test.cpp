// In-place editing: how an edit opens, what it accepts, how it ends and
// what the grid does with the text; and grids without cells under input.
#include "grid_fixture.h"

#include "controls/in_place_edit.h"

#include <QInputMethodEvent>
#include <QLineEdit>

namespace {

class GridEditTest : public GridTest {
 protected:
  // A mode-0 grid with a header and rows 1-3 filled, current cell (1, 0).
  void SetUp() override {
    MakeGrid(5, 3, 1);
    Fill(1, 3);
    grid->SetCellState(1, 0, CellStateFlags::kSelected);
    grid->SetCellState(1, 0, 0);
  }

  void Commit(const QString& text) {
    QInputMethodEvent e;
    e.setCommitString(text);
    QApplication::sendEvent(grid.get(), &e);
    QApplication::processEvents();
  }

  CInPlaceEdit* Editor() {
    for (CInPlaceEdit* e : grid->viewport()->findChildren<CInPlaceEdit*>())
      if (e->isVisible()) return e;
    return nullptr;
  }

  void Type(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    ASSERT_NE(Editor(), nullptr);
    QTest::keyClick(Editor(), key, mods);
    QApplication::processEvents();
  }
};

TEST_F(GridEditTest, CommittedCharacterOpensTheEditorAndTypesIt) {
  Commit(QStringLiteral("7"));
  CInPlaceEdit* edit = Editor();
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(edit->text(), QStringLiteral("7"));
  EXPECT_EQ(edit->GetRow(), 1);
  EXPECT_EQ(edit->GetColumn(), 0);
  EXPECT_TRUE(grid->GetCell(1, 0)->IsEditing());
  EXPECT_EQ(recorder.Count(GridNotifyCode::kBeginLabelEdit), 1);
  // Over the cell, in the grid's font.
  GridRect rect;
  grid->GetCellRect(1, 0, &rect);
  EXPECT_EQ(edit->geometry().topLeft(), QPoint(rect.left, rect.top));
  EXPECT_EQ(edit->font(), grid->GetFont());
}

TEST_F(GridEditTest, NoEditorOutsideModeZeroOrWithCtrlOrOnReadOnlyCells) {
  grid->m_MouseMode = GridMouseMode::kRows;
  Commit(QStringLiteral("7"));
  EXPECT_EQ(Editor(), nullptr);
  grid->m_MouseMode = GridMouseMode::kNone;
  grid->GetCell(1, 0)->SetState(CellStateFlags::kReadOnly);
  Commit(QStringLiteral("7"));
  EXPECT_EQ(Editor(), nullptr);
  grid->GetCell(1, 0)->SetState(0);
  grid->SetEditable(false);
  Commit(QStringLiteral("7"));
  EXPECT_EQ(Editor(), nullptr);
  // Typed keys open nothing either.
  grid->SetEditable(true);
  QTest::keyClick(grid.get(), Qt::Key_5);
  EXPECT_EQ(Editor(), nullptr);
}

TEST_F(GridEditTest, LettersAndAFourthDigitAreRefused) {
  Commit(QStringLiteral("a"));
  ASSERT_NE(Editor(), nullptr);
  EXPECT_EQ(Editor()->text(), QStringLiteral("10"));  // unchanged, selected
  Type(Qt::Key_1);
  Type(Qt::Key_B);
  Type(Qt::Key_2);
  Type(Qt::Key_3);
  Type(Qt::Key_4);
  EXPECT_EQ(Editor()->text(), QStringLiteral("123"));
}

TEST_F(GridEditTest, EscapeRestoresWithoutTelling) {
  Commit(QStringLiteral("9"));
  Type(Qt::Key_9);
  EXPECT_EQ(Editor()->text(), QStringLiteral("99"));
  Type(Qt::Key_Escape);
  EXPECT_EQ(Editor(), nullptr);
  EXPECT_EQ(grid->GetCellText(1, 0), QStringLiteral("10"));
  EXPECT_EQ(recorder.Count(GridNotifyCode::kEndLabelEdit), 0);
  EXPECT_FALSE(grid->GetCell(1, 0)->IsEditing());
}

TEST_F(GridEditTest, FirstKeyDecidesCaretAndSelection) {
  grid->BeginCellEdit(1, 0, QPoint(-1, -1), GridKey::kBack);  // caret at the end, then erase
  QApplication::processEvents();
  ASSERT_NE(Editor(), nullptr);
  EXPECT_EQ(Editor()->text(), QStringLiteral("1"));
  grid->StopEditing();
  QApplication::processEvents();
  grid->BeginCellEdit(2, 0, QPoint(-1, -1), GridKey::kReturn);  // caret at the end only
  QApplication::processEvents();
  ASSERT_NE(Editor(), nullptr);
  EXPECT_FALSE(Editor()->hasSelectedText());
  EXPECT_EQ(Editor()->cursorPosition(), 2);
  grid->StopEditing();
  QApplication::processEvents();
  grid->BeginCellEdit(3, 0, QPoint(-1, -1), GridKey::kHome);  // all selected, nothing typed
  QApplication::processEvents();
  ASSERT_NE(Editor(), nullptr);
  EXPECT_EQ(Editor()->selectedText(), QStringLiteral("30"));
}

TEST_F(GridEditTest, ReturnAndTabKeepTheEditorOpen) {
  Commit(QStringLiteral("4"));
  Type(Qt::Key_Return);
  Type(Qt::Key_Tab);
  ASSERT_NE(Editor(), nullptr);
  EXPECT_EQ(Editor()->text(), QStringLiteral("4"));
}

TEST_F(GridEditTest, OwnerRefusingTheStartOpensNothing) {
  recorder.answer = [](const GridNotifyRecord& r) {
    return r.code == GridNotifyCode::kBeginLabelEdit ? -1 : 0;
  };
  Commit(QStringLiteral("4"));
  EXPECT_EQ(Editor(), nullptr);
  EXPECT_FALSE(grid->GetCell(1, 0)->IsEditing());
}

TEST_F(GridEditTest, OwnerRefusingTheEndPutsTheOldTextBack) {
  recorder.answer = [](const GridNotifyRecord& r) {
    return r.code == GridNotifyCode::kEndLabelEdit ? -1 : 0;
  };
  Commit(QStringLiteral("4"));
  grid->StopEditing();
  QApplication::processEvents();
  EXPECT_EQ(recorder.Count(GridNotifyCode::kEndLabelEdit), 1);
  EXPECT_EQ(grid->GetCellText(1, 0), QStringLiteral("10"));
  EXPECT_EQ(Editor(), nullptr);
}

TEST_F(GridEditTest, AcceptedTextIsStoredAndReported) {
  Commit(QStringLiteral("4"));
  Type(Qt::Key_2);
  grid->StopEditing();
  QApplication::processEvents();
  EXPECT_EQ(grid->GetCellText(1, 0), QStringLiteral("42"));
  ASSERT_EQ(recorder.Count(GridNotifyCode::kEndLabelEdit), 1);
  EXPECT_EQ(recorder.Last(GridNotifyCode::kEndLabelEdit)->row, 1);
}

TEST_F(GridEditTest, DownEndsAndReopensOnTheNextCell) {
  Commit(QStringLiteral("5"));
  Type(Qt::Key_Down);
  EXPECT_EQ(grid->GetCellText(1, 0), QStringLiteral("5"));
  ASSERT_NE(Editor(), nullptr);
  EXPECT_EQ(Editor()->GetRow(), 2);
  EXPECT_EQ(Editor()->text(), QStringLiteral("20"));
  EXPECT_EQ(Editor()->selectedText(), QStringLiteral("20"));
  EXPECT_EQ(grid->GetFocusCell(), CCellID(2, 0));
  EXPECT_FALSE(grid->GetCell(1, 0)->IsEditing());
}

TEST_F(GridEditTest, DownOntoAnEmptyRowReopensOnTheSameCell) {
  grid->SetCellState(3, 0, CellStateFlags::kSelected);  // row 4 below is empty
  grid->SetCellState(3, 0, 0);
  Commit(QStringLiteral("5"));
  Type(Qt::Key_Down);
  ASSERT_NE(Editor(), nullptr);
  EXPECT_EQ(Editor()->GetRow(), 3);
  EXPECT_EQ(grid->GetFocusCell(), CCellID(3, 0));
}

TEST_F(GridEditTest, MouseStartedEditKeepsArrowsUnlessCtrl) {
  grid->BeginCellEdit(2, 1, QPoint(5, 5), GridKey::kMouse);
  ASSERT_NE(Editor(), nullptr);
  EXPECT_FALSE(Editor()->ExitsOnArrows());
  EXPECT_EQ(Editor()->cursorPosition(), 2);
  Type(Qt::Key_Left);
  ASSERT_NE(Editor(), nullptr);
  EXPECT_EQ(Editor()->cursorPosition(), 1);
  Type(Qt::Key_Right, Qt::ControlModifier);
  ASSERT_NE(Editor(), nullptr);  // reopened on the next cell
  EXPECT_EQ(Editor()->GetColumn(), 2);
  EXPECT_TRUE(Editor()->ExitsOnArrows());
}

TEST_F(GridEditTest, EditorWidensToItsText) {
  grid->SetColumnWidth(1, 12);
  grid->BeginCellEdit(2, 1, QPoint(-1, -1), '1');
  QApplication::processEvents();
  ASSERT_NE(Editor(), nullptr);
  const int before = Editor()->width();
  Type(Qt::Key_2);
  EXPECT_GT(Editor()->width(), before);
  EXPECT_LE(Editor()->geometry().right(), grid->viewport()->width());
}

TEST_F(GridEditTest, DoubleClickNeitherEndsNorStartsAnEdit) {
  Commit(QStringLiteral("5"));
  CInPlaceEdit* edit = Editor();
  ASSERT_NE(edit, nullptr);
  QMouseEvent dbl(QEvent::MouseButtonDblClick, QPointF(CentreOf(2, 2)), QPointF(),
                  Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(grid->viewport(), &dbl);
  EXPECT_EQ(Editor(), edit);
  EXPECT_EQ(recorder.Count(GridNotifyCode::kDoubleClick), 1);
  // A single click ends it.
  Click(2, 2);
  QApplication::processEvents();
  EXPECT_EQ(Editor(), nullptr);
  EXPECT_EQ(grid->GetCellText(1, 0), QStringLiteral("5"));
}

TEST_F(GridEditTest, FocusLossEndsTheEdit) {
  QLineEdit other(grid.get());
  other.move(250, 150);
  other.show();
  Commit(QStringLiteral("6"));
  ASSERT_NE(Editor(), nullptr);
  ASSERT_EQ(QApplication::focusWidget(), Editor());
  other.setFocus();
  QApplication::processEvents();
  EXPECT_EQ(Editor(), nullptr);
  EXPECT_EQ(grid->GetCellText(1, 0), QStringLiteral("6"));
  EXPECT_EQ(recorder.Count(GridNotifyCode::kEndLabelEdit), 1);
}

TEST_F(GridEditTest, ShapeChangesEndTheEditFirst) {
  struct Case {
    const char* name;
    std::function<void(CGridCtrl&)> change;
    CCellID editedCellAfter;  // where the edited cell is after the change
  } cases[] = {
      {"DeleteRow", [](CGridCtrl& g) { g.DeleteRow(1); }, {}},
      {"DeleteRowAbove", [](CGridCtrl& g) { g.DeleteRow(0); }, {0, 0}},
      {"InsertRow", [](CGridCtrl& g) { g.InsertRow(QStringLiteral("x"), 1); }, {2, 0}},
      {"SetRowCount", [](CGridCtrl& g) { g.SetRowCount(1); }, {}},
      {"SetColumnCount", [](CGridCtrl& g) { g.SetColumnCount(0); }, {}},
  };
  for (const Case& c : cases) {
    SetUp();
    recorder.records.clear();
    Commit(QStringLiteral("8"));
    ASSERT_NE(Editor(), nullptr) << c.name;
    c.change(*grid);
    EXPECT_EQ(Editor(), nullptr) << c.name;
    QApplication::processEvents();
    // The edit went into its own cell before the change, nowhere else.
    for (int r = 0; r < grid->GetRowCount(); ++r)
      for (int col = 0; col < grid->GetColumnCount(); ++col)
        EXPECT_EQ(grid->GetCellText(r, col) == QStringLiteral("8"),
                  CCellID(r, col) == c.editedCellAfter)
            << c.name << " " << r << "," << col;
    EXPECT_EQ(recorder.Count(GridNotifyCode::kEndLabelEdit), 1) << c.name;
  }
}

TEST_F(GridEditTest, GridDestroyedWithAnOpenEditor) {
  Commit(QStringLiteral("8"));
  ASSERT_NE(Editor(), nullptr);
  grid.reset();
  QApplication::processEvents();
  EXPECT_EQ(recorder.Count(GridNotifyCode::kEndLabelEdit), 0);
}

// Grids without cells, or with header rows only, take everything quietly.
TEST_F(GridTest, EmptyAndHeaderOnlyGridsPaintClickAndTakeKeys) {
  for (int rows : {0, 2}) {
    grid = std::make_unique<CGridCtrl>();
    grid->SetNotifyHandler(recorder.Handler());
    if (rows) {
      grid->SetColumnCount(2);
      grid->SetFixedRowCount(rows);
    }
    grid->resize(200, 120);
    grid->show();
    for (int mode : {0, 1, 3, 5, 8}) {
      grid->m_MouseMode = mode;
      Grab();
      QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
      QTest::mouseDClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
      QTest::mouseRelease(grid->viewport(), Qt::RightButton, Qt::NoModifier, QPoint(150, 100));
      for (Qt::Key k : {Qt::Key_Down, Qt::Key_Up, Qt::Key_Left, Qt::Key_Right, Qt::Key_Tab})
        QTest::keyClick(grid.get(), k);
      QInputMethodEvent e;
      e.setCommitString(QStringLiteral("1"));
      QApplication::sendEvent(grid.get(), &e);
      for (int code = 0; code <= 8; ++code) {
        grid->OnVScroll(code);
        grid->OnHScroll(code);
      }
      grid->ScrollCellIntoView(0, 0);
      grid->SelectCellRange(0, 0, 5, 5, true, true);
      grid->ClearSelection();
    }
    EXPECT_EQ(grid->GetSelectedRow(), 0);
    EXPECT_EQ(grid->viewport()->findChildren<CInPlaceEdit*>().size(), 0);
  }
}

}  // namespace
