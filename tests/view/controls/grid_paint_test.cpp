// What the grid paints (pixels from grab()) and how it scrolls.
#include "grid_fixture.h"

#include <QPainter>
#include <QScrollBar>

namespace {

class PaintCounter : public QObject {
 public:
  int paints = 0;
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::Paint) ++paints;
    return false;
  }
};

using GridPaintTest = GridTest;

QColor Sys(CGridCtrl& g, QPalette::ColorRole role) { return Rgb(g.SystemColour(role)); }

TEST_F(GridPaintTest, SelectedCellShowsHighlightWhateverItsOwnColours) {
  MakeGrid(4, 3, 1);
  grid->SetCellBackColor(2, 1, RGB(0, 200, 0));
  grid->SetCellTextColor(2, 1, RGB(200, 0, 0));
  grid->SetCellState(2, 1, CellStateFlags::kSelected);
  const QImage img = Grab();
  EXPECT_EQ(img.pixelColor(60 + 2, 40 + 2), Sys(*grid, QPalette::Highlight));
  // The unselected neighbour shows the normal background.
  EXPECT_EQ(img.pixelColor(120 + 2, 40 + 2), Sys(*grid, QPalette::Base));
}

TEST_F(GridPaintTest, FocusedCellIsFramedInItsTextColour) {
  MakeGrid(4, 3, 1);
  grid->SetCellState(2, 1, CellStateFlags::kFocused);
  QImage img = Grab();
  const QColor text = Sys(*grid, QPalette::Text);
  EXPECT_EQ(img.pixelColor(61, 40), text);
  EXPECT_EQ(img.pixelColor(60, 45), text);
  EXPECT_EQ(img.pixelColor(62, 42), Sys(*grid, QPalette::Base));
  grid->SetFrameFocusCell(false);
  grid->Refresh();
  img = Grab();
  EXPECT_EQ(img.pixelColor(61, 40), Sys(*grid, QPalette::Base));
}

TEST_F(GridPaintTest, OwnBackColourIsFilledInTheCellPass) {
  MakeGrid(4, 3, 1);
  grid->SetCellBackColor(1, 2, RGB(10, 20, 200));
  const QImage img = Grab();
  EXPECT_EQ(img.pixelColor(120 + 2, 20 + 2), QColor(10, 20, 200));
  // The whole cell up to its grid lines.
  EXPECT_EQ(img.pixelColor(120 + 58, 20 + 18), QColor(10, 20, 200));
}

TEST_F(GridPaintTest, AmpersandIsDrawnAsItStands) {
  MakeGrid(3, 2, 1);
  grid->SetCellText(1, 0, QStringLiteral("&"));
  const QImage img = Grab();
  const QColor base = Sys(*grid, QPalette::Base);
  int inked = 0;
  for (int y = 21; y < 38; ++y)
    for (int x = 1; x < 58; ++x) inked += img.pixelColor(x, y) != base;
  EXPECT_GT(inked, 5);
}

TEST_F(GridPaintTest, GridLinesAndFixedBordersWhereTheyBelong) {
  MakeGrid(4, 3, 1);
  const QImage img = Grab();
  const QColor line(0xC0, 0xC0, 0xC0);
  // Non-fixed cells: a vertical line at each column's last pixel and at x 0,
  // a horizontal one at each row's last pixel.
  EXPECT_EQ(img.pixelColor(59, 30), line);
  EXPECT_EQ(img.pixelColor(119, 50), line);
  EXPECT_EQ(img.pixelColor(0, 30), line);
  EXPECT_EQ(img.pixelColor(30, 39), line);
  EXPECT_EQ(img.pixelColor(30, 38), Sys(*grid, QPalette::Base));
  // Fixed cells: raised border, light top and left, shadow right and bottom.
  EXPECT_EQ(img.pixelColor(30, 0), Sys(*grid, QPalette::Light));
  EXPECT_EQ(img.pixelColor(0, 10), Sys(*grid, QPalette::Light));
  EXPECT_EQ(img.pixelColor(59, 10), Sys(*grid, QPalette::Dark));
  EXPECT_EQ(img.pixelColor(30, 19), Sys(*grid, QPalette::Dark));
  EXPECT_EQ(img.pixelColor(30, 10), Sys(*grid, QPalette::Button));
  // No lines at all in mode 0.
  grid->SetGridLines(0);
  const QImage plain = Grab();
  EXPECT_EQ(plain.pixelColor(59, 30), Sys(*grid, QPalette::Base));
  EXPECT_EQ(plain.pixelColor(30, 19), Sys(*grid, QPalette::Button));
}

TEST_F(GridPaintTest, BackgroundStripsInDefaultColoursAndWhiteBeyond) {
  MakeGrid(3, 3, 1, 1);
  grid->GetDefaultCell(false, false)->SetBackColour(RGB(200, 220, 240));
  grid->GetDefaultCell(true, false)->SetBackColour(RGB(10, 100, 10));
  grid->GetDefaultCell(false, true)->SetBackColour(RGB(100, 10, 10));
  grid->GetDefaultCell(true, true)->SetBackColour(RGB(10, 10, 100));
  const QImage img = Grab();
  EXPECT_EQ(img.pixelColor(70, 30), QColor(200, 220, 240));
  EXPECT_EQ(img.pixelColor(70, 10), QColor(10, 100, 10));
  EXPECT_EQ(img.pixelColor(10, 30), QColor(100, 10, 10));
  // The fixed-column strip is painted over the corner.
  EXPECT_EQ(img.pixelColor(10, 10), QColor(100, 10, 10));
  EXPECT_EQ(img.pixelColor(250, 10), QColor(Qt::white));  // right of the last column
  EXPECT_EQ(img.pixelColor(30, 150), QColor(Qt::white));  // below the last row
}

TEST_F(GridPaintTest, ThumbnailsOnlyInTheFunctionTestGridWhileShown) {
  MakeGrid(3, 2, 1, 1);
  int shown = 1, draws = 0;
  grid->SetThumbnailPainter([&] { return shown; },
                            [&](QPainter& p) {
                              ++draws;
                              p.fillRect(100, 25, 5, 5, Qt::magenta);
                            });
  Grab();
  EXPECT_EQ(draws, 0);
  grid->m_OwnerRole = GridOwnerRole::FunctionTest;
  grid->Refresh();
  const QImage img = Grab();
  EXPECT_GT(draws, 0);
  EXPECT_EQ(img.pixelColor(102, 27), QColor(Qt::magenta));
  shown = 0;
  draws = 0;
  grid->Refresh();
  Grab();
  EXPECT_EQ(draws, 0);
}

TEST_F(GridPaintTest, FixedRowsTallerThanTheGridShowNoBars) {
  MakeGrid(30, 10, 2);
  grid->SetRowHeight(0, 150);
  grid->SetRowHeight(1, 150);
  EXPECT_FALSE(grid->IsScrollBarShown(0));
  EXPECT_FALSE(grid->IsScrollBarShown(1));
  EXPECT_FALSE(grid->verticalScrollBar()->isVisible());
  // Without the tall rows both bars come back.
  grid->SetRowHeight(0, 20);
  grid->SetRowHeight(1, 20);
  EXPECT_TRUE(grid->IsScrollBarShown(0));
  EXPECT_TRUE(grid->IsScrollBarShown(1));
}

TEST_F(GridPaintTest, LineStepsStopAtTheEnds) {
  MakeGrid(21, 2, 1);
  PaintCounter counter;
  grid->viewport()->installEventFilter(&counter);
  Grab();
  QApplication::processEvents();
  counter.paints = 0;
  grid->OnVScroll(ScrollCode::kLineUp);
  QApplication::processEvents();
  EXPECT_EQ(grid->GetScrollPos32(1), 0);
  EXPECT_EQ(counter.paints, 0);

  grid->OnVScroll(ScrollCode::kLineDown);
  EXPECT_EQ(grid->GetScrollPos32(1), 20);
  EXPECT_EQ(grid->GetFirstScrollableCell().row, 2);
  grid->OnVScroll(ScrollCode::kBottom);
  const int end = grid->GetScrollPos32(1);
  EXPECT_EQ(end, grid->verticalScrollBar()->maximum());
  QApplication::processEvents();
  counter.paints = 0;
  grid->OnVScroll(ScrollCode::kLineDown);
  QApplication::processEvents();
  EXPECT_EQ(grid->GetScrollPos32(1), end);
  EXPECT_EQ(counter.paints, 0);
  grid->viewport()->removeEventFilter(&counter);
}

TEST_F(GridPaintTest, ScrollRangeEndsWhereTheLastPageStarts) {
  MakeGrid(21, 2, 1);  // 20 scrollable rows of 20 under a 20-pixel header
  EXPECT_EQ(grid->GetScrollMaximum(1), 399);
  const QScrollBar* bar = grid->verticalScrollBar();
  EXPECT_EQ(bar->pageStep(), grid->viewport()->height() - 20);
  EXPECT_EQ(bar->maximum(), 399 - bar->pageStep() + 1);
}

TEST_F(GridPaintTest, ThumbMoveThatKeepsTheTopLeftCellRepaintsNothing) {
  MakeGrid(31, 2, 1);
  QScrollBar* bar = grid->verticalScrollBar();
  grid->SetScrollPosition(1, 21);
  const CCellID topLeft = grid->GetFirstScrollableCell();
  PaintCounter counter;
  grid->viewport()->installEventFilter(&counter);
  QApplication::processEvents();
  counter.paints = 0;
  bar->setSliderDown(true);
  bar->setSliderPosition(30);
  QApplication::processEvents();
  EXPECT_EQ(grid->GetScrollPos32(1), 30);
  EXPECT_EQ(grid->GetFirstScrollableCell(), topLeft);
  EXPECT_EQ(counter.paints, 0);
  bar->setSliderPosition(70);
  QApplication::processEvents();
  EXPECT_NE(grid->GetFirstScrollableCell(), topLeft);
  EXPECT_GT(counter.paints, 0);
  bar->setSliderDown(false);
  grid->viewport()->removeEventFilter(&counter);
}

TEST_F(GridPaintTest, BarClicksFollowTheGridsSteps) {
  MakeGrid(31, 2, 1);
  grid->SetRowHeight(1, 35);
  QScrollBar* bar = grid->verticalScrollBar();
  bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  EXPECT_EQ(bar->value(), 35);  // one row, not one pixel
  bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
  EXPECT_EQ(bar->value(), 0);
  bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
  EXPECT_EQ(bar->value(), grid->viewport()->height() - 20);
}

TEST_F(GridPaintTest, CellScrolledOutHasNoRectangle) {
  MakeGrid(21, 2, 1);
  grid->OnVScroll(ScrollCode::kLineDown);
  grid->OnVScroll(ScrollCode::kLineDown);
  GridRect rect{1, 2, 3, 4};
  EXPECT_FALSE(grid->GetCellRect(2, 0, &rect));
  EXPECT_EQ(rect, GridRect{});
  EXPECT_TRUE(grid->GetCellRect(0, 0, &rect));  // the fixed row stays
  EXPECT_TRUE(grid->GetCellRect(3, 1, &rect));
  EXPECT_EQ(rect, (GridRect{60, 20, 119, 39}));
  EXPECT_FALSE(grid->IsCellVisible(2, 0));
}

TEST_F(GridPaintTest, CellAtPointOutsideTheColumns) {
  MakeGrid(4, 3, 1);
  EXPECT_EQ(grid->GetCellAtPoint(QPoint(-1, 30)).col, -1);
  EXPECT_EQ(grid->GetCellAtPoint(QPoint(200, 30)).col, -1);
  EXPECT_EQ(grid->GetCellAtPoint(QPoint(61, 30)), CCellID(1, 1));
  EXPECT_EQ(grid->GetCellAtPoint(QPoint(30, 100)).row, -1);
}

TEST_F(GridPaintTest, ResizingKeepsTheRanges) {
  MakeGrid(31, 8, 1);
  const QScrollBar* v = grid->verticalScrollBar();
  const QScrollBar* h = grid->horizontalScrollBar();
  const int vMax = v->maximum(), hMax = h->maximum(), vPage = v->pageStep();
  grid->resize(500, 450);
  QApplication::processEvents();
  EXPECT_EQ(v->maximum(), vMax);
  EXPECT_EQ(h->maximum(), hMax);
  EXPECT_EQ(v->pageStep(), vPage);
}

TEST_F(GridPaintTest, GridShapedBeforeItsLayoutTakesTheShownSize) {
  CGridCtrl g(21, 2, 1, 0);
  for (int r = 0; r < 21; ++r) g.SetRowHeight(r, 20);
  g.resize(302, 202);
  g.show();
  QApplication::processEvents();
  EXPECT_EQ(g.verticalScrollBar()->pageStep(), g.viewport()->height() - 20);
  EXPECT_FALSE(g.IsScrollBarShown(0));
}

TEST_F(GridPaintTest, ScrollCellIntoViewOfATallRowEnds) {
  MakeGrid(10, 2, 1);
  grid->SetRowHeight(6, 800);
  grid->ScrollCellIntoView(6, 0);
  GridRect rect;
  ASSERT_TRUE(grid->GetCellRect(6, 0, &rect));
  EXPECT_EQ(rect.top, 20);
  // The last row comes into view as far as the range goes.
  grid->ScrollCellIntoView(9, 1);
  EXPECT_TRUE(grid->IsCellVisible(9, 1));
}

TEST_F(GridPaintTest, ScrollCellIntoViewIsVerticalOnly) {
  MakeGrid(3, 10, 1);
  grid->ScrollCellIntoView(1, 9);
  EXPECT_EQ(grid->GetScrollPos32(0), 0);
}

}  // namespace
