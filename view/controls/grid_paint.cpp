// CGridCtrl: painting, the geometry of cells at the scroll position, the
// scroll bars and scroll requests.
#include "controls/grid_ctrl.h"

#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <algorithm>

namespace {
QRect toQRect(const GridRect& r) { return QRect(r.left, r.top, r.Width(), r.Height()); }
}  // namespace

int CGridCtrl::ClientWidth() const { return viewport()->width(); }
int CGridCtrl::ClientHeight() const { return viewport()->height(); }

// --- Paint ---

void CGridCtrl::paintEvent(QPaintEvent* event) {
  QPainter painter(viewport());
  OnDraw(painter, event->rect());
  // The stored-image thumbnails go over the function-test grid's own cells.
  if (m_OwnerRole == GridOwnerRole::FunctionTest && m_thumbnailsShown && m_drawThumbnails &&
      m_thumbnailsShown() == 1)
    m_drawThumbnails(painter);
}

void CGridCtrl::OnDraw(QPainter& p, const QRect& clip) {
  if (!m_bAllowDraw || clip.isEmpty()) return;
  EraseBackground(p, clip);

  const int fixedRowHeight = GetFixedRowHeight();
  const int fixedColWidth = GetFixedColumnWidth();
  const CellRange visible = GetVisibleCellRange();
  const int clipLeft = clip.left(), clipTop = clip.top();
  const int clipRight = clip.right() + 1, clipBottom = clip.bottom() + 1;

  auto drawCell = [&](int row, int col, int x, int y) {
    if (CGridCellBase* cell = GetCell(row, col))
      cell->Draw(p, row, col,
                 GridRect{x, y, x + GetColumnWidth(col) - 1, y + GetRowHeight(row) - 1}, false);
  };

  // One block of rows and columns from (x0, y0); rows and columns outside
  // the clip box are skipped.
  auto drawBlock = [&](int firstRow, int lastRow, int firstCol, int lastCol, int x0, int y0) {
    int y = y0;
    for (int row = firstRow; row >= 0 && row <= lastRow; ++row) {
      const int height = GetRowHeight(row);
      if (y >= clipBottom) break;
      if (y + height - 1 >= clipTop) {
        int x = x0;
        for (int col = firstCol; col >= 0 && col <= lastCol; ++col) {
          const int width = GetColumnWidth(col);
          if (x >= clipRight) break;
          if (x + width - 1 >= clipLeft) drawCell(row, col, x, y);
          x += width;
        }
      }
      y += height;
    }
  };
  drawBlock(0, m_nFixedRows - 1, 0, m_nFixedCols - 1, 0, 0);  // the corner
  drawBlock(visible.minRow, visible.maxRow, 0, m_nFixedCols - 1, 0, fixedRowHeight);
  drawBlock(0, m_nFixedRows - 1, visible.minCol, visible.maxCol, fixedColWidth, 0);
  drawBlock(visible.minRow, visible.maxRow, visible.minCol, visible.maxCol, fixedColWidth,
            fixedRowHeight);

  // Grid lines over the non-fixed cells.
  GridRect cells;
  GetVisibleCellRange(&cells);
  const QColor lineColour = FromColorRef(m_crGridColour);
  if (m_nGridLines == 2 || m_nGridLines == 3) {
    int x = fixedColWidth;
    const int height = std::max(cells.bottom - fixedRowHeight, 0);
    for (int col = visible.minCol; col >= 0 && col <= visible.maxCol; ++col) {
      x += GetColumnWidth(col);
      p.fillRect(x - 1, fixedRowHeight, 1, height, lineColour);
    }
    p.fillRect(0, fixedRowHeight, 1, height, lineColour);
  }
  if (m_nGridLines == 1 || m_nGridLines == 3) {
    int yy = fixedRowHeight;
    const int width = std::max(cells.right - fixedColWidth, 0);
    for (int row = visible.minRow; row >= 0 && row <= visible.maxRow; ++row) {
      yy += GetRowHeight(row);
      p.fillRect(fixedColWidth, yy - 1, width, 1, lineColour);
    }
  }
}

void CGridCtrl::EraseBackground(QPainter& p, const QRect& clip) {
  GridRect cells;
  GetVisibleCellRange(&cells);
  const int W = GetFixedColumnWidth(), H = GetFixedRowHeight();
  const int R = cells.right, B = cells.bottom;
  const GridRect c{clip.left(), clip.top(), clip.right() + 1, clip.bottom() + 1};
  auto fill = [&](GridRect r, const CGridDefaultCell& def) {
    const QRect area = toQRect(r).intersected(clip);
    if (!area.isEmpty()) p.fillRect(area, FromColorRef(def.GetBackColour()));
  };
  fill({c.left, c.top, W, H}, m_cellFixedRowColDef);
  fill({c.left, c.top, W, B}, m_cellFixedColDef);
  fill({W - 1, c.top, R, H}, m_cellFixedRowDef);
  fill({std::max(c.left, W), std::max(c.top, H), std::min(c.right, R), std::min(c.bottom, B)},
       m_cellDefault);
  if (R < c.right) p.fillRect(toQRect({R, c.top, c.right, c.bottom}), Qt::white);
  if (B < c.bottom) p.fillRect(toQRect({c.left, B, R, c.bottom}), Qt::white);
}

// --- Geometry ---

CCellID CGridCtrl::FirstScrollableCellAt(int hPos, int vPos) const {
  // A row or column scrolled partly out counts as passed.
  CCellID cell(m_nFixedRows, m_nFixedCols);
  int sum = 0;
  while (sum < hPos && cell.col < m_nCols - 1) sum += GetColumnWidth(cell.col++);
  sum = 0;
  while (sum < vPos && cell.row < m_nRows - 1) sum += GetRowHeight(cell.row++);
  return cell;
}

CCellID CGridCtrl::GetFirstScrollableCell(bool force) const {
  const int h = GetScrollPos32(0), v = GetScrollPos32(1);
  if (force || !m_idTopLeftCell.IsValid() || h != m_nTopLeftHPos || v != m_nTopLeftVPos) {
    m_idTopLeftCell = FirstScrollableCellAt(h, v);
    m_nTopLeftHPos = h;
    m_nTopLeftVPos = v;
  }
  return m_idTopLeftCell;
}

CGridCtrl::CellRange CGridCtrl::GetVisibleCellRange(GridRect* rect, bool force) const {
  const CCellID topLeft = GetFirstScrollableCell(force);
  const int clientBottom = ClientHeight(), clientRight = ClientWidth();
  int bottom = GetFixedRowHeight();
  int row = topLeft.row;
  for (; row < m_nRows; ++row) {
    bottom += GetRowHeight(row);
    if (bottom >= clientBottom) {
      bottom = clientBottom;
      break;
    }
  }
  int right = GetFixedColumnWidth();
  int col = topLeft.col;
  for (; col < m_nCols; ++col) {
    right += GetColumnWidth(col);
    if (right >= clientRight) {
      right = clientRight;
      break;
    }
  }
  if (rect) *rect = GridRect{0, 0, right, bottom};
  return CellRange{topLeft.row, topLeft.col, std::min(row, m_nRows - 1),
                   std::min(col, m_nCols - 1)};
}

bool CGridCtrl::GetCellTopLeft(int row, int col, QPoint* point) const {
  if (!IsValid(row, col) || !point) return false;
  const CCellID topLeft = GetFirstScrollableCell();
  if ((row >= m_nFixedRows && row < topLeft.row) || (col >= m_nFixedCols && col < topLeft.col))
    return false;
  int x = 0;
  if (col < m_nFixedCols) {
    for (int c = 0; c < col; ++c) x += GetColumnWidth(c);
  } else {
    x = GetFixedColumnWidth();
    for (int c = topLeft.col; c < col; ++c) x += GetColumnWidth(c);
  }
  int y = 0;
  if (row < m_nFixedRows) {
    for (int r = 0; r < row; ++r) y += GetRowHeight(r);
  } else {
    y = GetFixedRowHeight();
    for (int r = topLeft.row; r < row; ++r) y += GetRowHeight(r);
  }
  *point = QPoint(x, y);
  return true;
}

bool CGridCtrl::GetCellRect(int row, int col, GridRect* rect) const {
  if (rect) *rect = GridRect{};
  QPoint origin;
  if (!rect || !IsValid(row, col) || !GetCellTopLeft(row, col, &origin)) return false;
  *rect = GridRect{origin.x(), origin.y(), origin.x() + GetColumnWidth(col) - 1,
                   origin.y() + GetRowHeight(row) - 1};
  return true;
}

CCellID CGridCtrl::GetCellAtPoint(QPoint point) const {
  const CCellID topLeft = GetFirstScrollableCell();
  if (!topLeft.IsValid()) return {};
  CCellID cell;
  const int fixedWidth = GetFixedColumnWidth();
  if (point.x() >= 0) {
    int x = 0;
    int col = 0;
    if (point.x() < fixedWidth) {
      while (col < m_nFixedCols && x + GetColumnWidth(col) <= point.x()) x += GetColumnWidth(col++);
    } else {
      x = fixedWidth;
      col = topLeft.col;
      while (col < m_nCols && x + GetColumnWidth(col) <= point.x()) x += GetColumnWidth(col++);
    }
    cell.col = col < m_nCols ? col : -1;
  }
  const int fixedHeight = GetFixedRowHeight();
  if (point.y() >= 0) {
    int y = 0;
    int row = 0;
    if (point.y() < fixedHeight) {
      while (row < m_nFixedRows && y + GetRowHeight(row) <= point.y()) y += GetRowHeight(row++);
    } else {
      y = fixedHeight;
      row = topLeft.row;
      while (row < m_nRows && y + GetRowHeight(row) <= point.y()) y += GetRowHeight(row++);
    }
    cell.row = row < m_nRows ? row : -1;
  }
  return cell;
}

bool CGridCtrl::IsCellVisible(int row, int col) const {
  QPoint origin;
  if (!GetCellTopLeft(row, col, &origin)) return false;
  return origin.x() < ClientWidth() && origin.y() < ClientHeight();
}

void CGridCtrl::InvalidateCell(int row, int col) {
  GridRect rect;
  if (!m_bAllowDraw || !IsCellVisible(row, col) || !GetCellRect(row, col, &rect)) return;
  viewport()->update(QRect(rect.left, rect.top, rect.Width() + 1, rect.Height() + 1));
}

// Qt paints only inside a paint event, so a cell is redrawn by the next one.
bool CGridCtrl::RedrawCell(int row, int col) {
  if (!m_bAllowDraw || !IsCellVisible(row, col)) return false;
  InvalidateCell(row, col);
  return true;
}

void CGridCtrl::Refresh() {
  if (m_bAllowDraw) viewport()->update();
}

// --- Scroll bars ---

int CGridCtrl::GetScrollPos32(int bar, bool thumb) const {
  const QScrollBar* sb = bar == 0 ? horizontalScrollBar() : verticalScrollBar();
  return thumb ? sb->sliderPosition() : sb->value();
}

void CGridCtrl::SetBarPos(bool vertical, int pos) {
  QScrollBar* sb = vertical ? verticalScrollBar() : horizontalScrollBar();
  sb->setValue(pos);
  m_idTopLeftCell = {};
}

void CGridCtrl::SetScrollPosition(int bar, int pos, bool /*redraw*/) {
  SetBarPos(bar == 1, pos);
}

void CGridCtrl::ShowScrollBars(int bar, bool show) {
  auto apply = [&](int bit, bool vertical) {
    if (((m_nBarState & bit) != 0) == show) return;
    const Qt::ScrollBarPolicy policy = show ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff;
    if (vertical)
      setVerticalScrollBarPolicy(policy);
    else
      setHorizontalScrollBarPolicy(policy);
    m_nBarState = show ? (m_nBarState | bit) : (m_nBarState & ~bit);
  };
  if (bar == 0 || bar == 3) apply(1, false);
  if (bar == 1 || bar == 3) apply(2, true);
}

void CGridCtrl::ResetScrollBars() {
  m_idTopLeftCell = {};
  if (!m_bAllowDraw) return;
  // The client area as if no bar were shown: the frame's inside.
  const QRect inside = contentsRect();
  int clientWidth = inside.width(), clientHeight = inside.height();
  if (clientWidth <= 0 || clientHeight <= 0) return;
  const int fixedWidth = GetFixedColumnWidth(), fixedHeight = GetFixedRowHeight();
  if (fixedWidth >= clientWidth || fixedHeight >= clientHeight) {
    ShowScrollBars(3, false);
    m_nVScrollMax = m_nHScrollMax = 0;
    verticalScrollBar()->setRange(0, 0);
    horizontalScrollBar()->setRange(0, 0);
    return;
  }
  int totalHeight = 0, totalWidth = 0;
  for (int r = 0; r < m_nRows; ++r) totalHeight += GetRowHeight(r);
  for (int c = 0; c < m_nCols; ++c) totalWidth += GetColumnWidth(c);
  const int virtualHeight = totalHeight - fixedHeight;
  const int virtualWidth = totalWidth - fixedWidth;
  const int extent = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
  if (clientHeight - fixedHeight < virtualHeight) clientWidth -= extent;
  if (clientWidth - fixedWidth < virtualWidth) clientHeight -= extent;
  const int pageHeight = clientHeight - fixedHeight;
  const int pageWidth = clientWidth - fixedWidth;
  m_nVScrollMax = pageHeight < virtualHeight ? virtualHeight - 1 : 0;
  m_nHScrollMax = pageWidth < virtualWidth ? virtualWidth - 1 : 0;
  ShowScrollBars(1, m_nVScrollMax > 0);
  ShowScrollBars(0, m_nHScrollMax > 0);
  // A bar's range ends where the last page starts.
  auto setRange = [](QScrollBar* sb, int maximum, int page) {
    sb->setPageStep(maximum > 0 ? page : 0);
    sb->setSingleStep(1);
    sb->setRange(0, maximum > 0 ? std::max(maximum - page + 1, 0) : 0);
  };
  setRange(verticalScrollBar(), m_nVScrollMax, pageHeight);
  setRange(horizontalScrollBar(), m_nHScrollMax, pageWidth);
  m_idTopLeftCell = {};
}

void CGridCtrl::scrollContentsBy(int, int) {
  // Scroll requests repaint what they changed themselves (OnScroll).
}

void CGridCtrl::wheelEvent(QWheelEvent* event) {
  // The grid does not scroll by the wheel.
  event->ignore();
}

void CGridCtrl::OnVScroll(int code) { OnScroll(true, code); }
void CGridCtrl::OnHScroll(int code) { OnScroll(false, code); }

void CGridCtrl::OnBarAction(bool vertical, int action) {
  int code = -1;
  switch (action) {
    case QAbstractSlider::SliderSingleStepSub: code = ScrollCode::kLineUp; break;
    case QAbstractSlider::SliderSingleStepAdd: code = ScrollCode::kLineDown; break;
    case QAbstractSlider::SliderPageStepSub: code = ScrollCode::kPageUp; break;
    case QAbstractSlider::SliderPageStepAdd: code = ScrollCode::kPageDown; break;
    case QAbstractSlider::SliderMove: code = ScrollCode::kThumbTrack; break;
    case QAbstractSlider::SliderToMinimum: code = ScrollCode::kTop; break;
    case QAbstractSlider::SliderToMaximum: code = ScrollCode::kBottom; break;
    default: return;
  }
  QScrollBar* sb = vertical ? verticalScrollBar() : horizontalScrollBar();
  // The bar has moved its slider already; the grid's own rule decides.
  const int tracked = sb->sliderPosition();
  if (code != ScrollCode::kThumbTrack) sb->setSliderPosition(sb->value());
  if (code == ScrollCode::kThumbTrack) {
    const CCellID before = GetFirstScrollableCell();
    const int h = vertical ? GetScrollPos32(0) : tracked;
    const int v = vertical ? tracked : GetScrollPos32(1);
    const CCellID after = FirstScrollableCellAt(h, v);
    StopEditing();
    SetBarPos(vertical, tracked);
    if (!(before == after)) {
      const int fixed = vertical ? GetFixedRowHeight() : GetFixedColumnWidth();
      if (vertical)
        viewport()->update(0, fixed, ClientWidth(), ClientHeight() - fixed);
      else
        viewport()->update(fixed, 0, ClientWidth() - fixed, ClientHeight());
    }
    return;
  }
  OnScroll(vertical, code);
}

void CGridCtrl::OnScroll(bool vertical, int code) {
  StopEditing();
  const int pos = GetScrollPos32(vertical ? 1 : 0);
  const int maximum = vertical ? m_nVScrollMax : m_nHScrollMax;
  const CCellID topLeft = GetFirstScrollableCell();
  const int count = vertical ? m_nRows : m_nCols;
  const int firstScrollable = vertical ? m_nFixedRows : m_nFixedCols;
  const int fixed = vertical ? GetFixedRowHeight() : GetFixedColumnWidth();
  const int client = vertical ? ClientHeight() : ClientWidth();
  const int start = vertical ? topLeft.row : topLeft.col;
  auto extent = [&](int i) { return vertical ? GetRowHeight(i) : GetColumnWidth(i); };
  auto repaintScrolled = [&] {
    if (!m_bAllowDraw) return;
    if (vertical)
      viewport()->update(0, fixed, ClientWidth(), ClientHeight() - fixed);
    else
      viewport()->update(fixed, 0, ClientWidth() - fixed, ClientHeight());
  };
  switch (code) {
    case ScrollCode::kLineUp:
      if (pos > 0 && start > firstScrollable) {
        int i = start - 1;
        while (i >= firstScrollable && extent(i) <= 0) --i;
        if (i < firstScrollable) break;
        SetBarPos(vertical, std::max(pos - extent(i), 0));
        repaintScrolled();
      }
      break;
    case ScrollCode::kLineDown:
      if (pos < maximum && start >= 0 && start < count) {
        int i = start;
        while (i < count - 1 && extent(i) <= 0) ++i;
        SetBarPos(vertical, pos + extent(i));
        if (GetScrollPos32(vertical ? 1 : 0) != pos) repaintScrolled();
      }
      break;
    case ScrollCode::kPageUp:
      if (pos > 0) {
        SetBarPos(vertical, std::max(pos - (client - fixed), 0));
        repaintScrolled();
      }
      break;
    case ScrollCode::kPageDown:
      if (pos < maximum) {
        SetBarPos(vertical, std::min(pos + client - fixed, maximum));
        repaintScrolled();
      }
      break;
    case ScrollCode::kThumbPosition:
    case ScrollCode::kThumbTrack: {
      const int tracked = GetScrollPos32(vertical ? 1 : 0, true);
      SetBarPos(vertical, tracked);
      if (!(GetFirstScrollableCell(true) == topLeft)) repaintScrolled();
      break;
    }
    case ScrollCode::kTop:
      if (pos > 0) {
        SetBarPos(vertical, 0);
        Refresh();
      }
      break;
    case ScrollCode::kBottom:
      if (pos < maximum) {
        SetBarPos(vertical, maximum);
        Refresh();
      }
      break;
    default:
      if (vertical) Refresh();
      break;
  }
}

void CGridCtrl::ScrollCellIntoView(int row, int col) {
  if (!m_bAllowDraw || !IsValid(row, col)) return;
  const CellRange visible = GetVisibleCellRange();
  for (int r = visible.maxRow + 1; r <= row; ++r)
    if (GetRowHeight(r) > 0) OnVScroll(ScrollCode::kLineDown);
  for (int r = row; r >= m_nFixedRows && r < visible.minRow; ++r)
    if (GetRowHeight(r) > 0) OnVScroll(ScrollCode::kLineUp);
  GridRect rect;
  while (GetCellRect(row, col, &rect) && rect.bottom > ClientHeight() &&
         rect.top > GetFixedRowHeight()) {
    const int before = GetScrollPos32(1);
    OnVScroll(ScrollCode::kLineDown);
    if (GetScrollPos32(1) == before) break;
  }
}
