// CGridCtrl: cell states and the selection, and what the mouse selects.
#include "controls/grid_ctrl.h"

#include <QMouseEvent>
#include <algorithm>

namespace {
std::uint32_t keyOf(int row, int col) {
  return (static_cast<std::uint32_t>(col) << 16) | (static_cast<std::uint32_t>(row) & 0xFFFFu);
}
constexpr COLORREF kSelectedRowColour = 0x3599FF;  // RGB 255, 153, 53

enum Variant { kPlain, kFilledRows, kClickable };
}  // namespace

bool CGridCtrl::SetCellState(int row, int col, std::uint32_t state) {
  CGridCellBase* cell = GetCell(row, col);
  if (!cell) return false;
  const bool selected = cell->IsSelected();
  if (selected && !(state & CellStateFlags::kSelected))
    m_SelectedCellMap.erase(keyOf(row, col));
  else if (!selected && (state & CellStateFlags::kSelected))
    m_SelectedCellMap[keyOf(row, col)] = CCellID(row, col);
  cell->SetState(state);
  if (state == CellStateFlags::kSelected) m_idCurrentCell = CCellID(row, col < 2 ? 0 : 2);
  return true;
}

bool CGridCtrl::IsCellSelected(int row, int col) const {
  if (!m_bEnableSelection) return false;
  const CGridCellBase* cell = GetCell(row, col);
  return cell && cell->IsSelected();
}

void CGridCtrl::ClearSelection() {
  for (int r = 0; r < m_nRows; ++r) {
    for (int c = 0; c < m_nCols; ++c) {
      const CGridCellBase* cell = GetCell(r, c);
      if (cell && (cell->IsSelected() || cell->GetState() == CellStateFlags::kFocused))
        SetCellState(r, c, 0);
    }
  }
}

int CGridCtrl::GetSelectedRow() const {
  if (m_nRows < 2 || m_nCols < 1) return 0;
  for (int r = m_nRows - 1; r >= 1; --r)
    if (IsCellSelected(r, m_nCols - 1)) return r;
  return 0;
}

void CGridCtrl::ClearSelectedRange() { SelectCellRange(-1, -1, -1, -1, false, true); }

void CGridCtrl::SelectCellRange(int r1, int c1, int r2, int c2, bool redrawNow, bool select) {
  ApplyCellSelection(r1, c1, r2, c2, redrawNow, select, kPlain);
}

void CGridCtrl::SetSelectedFilledRowRange(int r1, int c1, int r2, int c2, bool redrawNow,
                                          bool select) {
  ApplyCellSelection(r1, c1, r2, c2, redrawNow, select, kFilledRows);
}

void CGridCtrl::SetSelectedClickableRange(int r1, int c1, int r2, int c2, bool redrawNow,
                                          bool select) {
  ApplyCellSelection(r1, c1, r2, c2, redrawNow, select, kClickable);
}

// Cells are redrawn by the next paint whether or not redrawNow asks for it
// at once: Qt paints only inside a paint event.
void CGridCtrl::ApplyCellSelection(int r1, int c1, int r2, int c2, bool /*redrawNow*/,
                                   bool select, int variant) {
  if (!m_bEnableSelection) return;
  const CellRange visible = GetVisibleCellRange();
  auto inVisible = [&](int r, int c) {
    return r >= visible.minRow && r <= visible.maxRow && c >= visible.minCol &&
           c <= visible.maxCol;
  };
  auto clampRow = [&](int r) { return r >= 0 && r < m_nFixedRows ? m_nFixedRows : r; };
  auto clampCol = [&](int c) { return c >= 0 && c < m_nFixedCols ? m_nFixedCols : c; };
  r1 = clampRow(r1);
  r2 = clampRow(r2);
  c1 = clampCol(c1);
  c2 = clampCol(c2);
  auto inRange = [&](int r, int c) { return r >= r1 && r <= r2 && c >= c1 && c <= c2; };

  const int notedRow = variant == kFilledRows ? GetSelectedRow() : 0;
  if (select) {
    std::vector<std::uint32_t> keys;
    keys.reserve(m_SelectedCellMap.size());
    for (const auto& entry : m_SelectedCellMap) keys.push_back(entry.first);
    for (std::uint32_t key : keys) {
      const CCellID id = m_SelectedCellMap[key];
      CGridCellBase* cell = GetCell(id.row, id.col);
      if (!cell) {
        m_SelectedCellMap.erase(key);
        continue;
      }
      SetCellState(id.row, id.col, cell->GetState() & ~CellStateFlags::kSelected);
      if (variant != kClickable) SetCellBackColor(id.row, 0, CLR_DEFAULT);
      if (!inRange(id.row, id.col) && inVisible(id.row, id.col)) {
        InvalidateCell(id.row, id.col);
        InvalidateCell(id.row, 0);
      }
    }
  }

  if (r1 < 0 || c1 < 0 || r2 < 0 || c2 < 0 || r2 >= m_nRows || c2 >= m_nCols || r1 > r2 ||
      c1 > c2)
    return;
  const int filled = variant == kFilledRows ? CountFilledRows() : 0;
  for (int r = r1; r <= r2; ++r) {
    for (int c = c1; c <= c2; ++c) {
      CGridCellBase* cell = GetCell(r, c);
      if (!cell) continue;
      if (!select) {
        if (cell->IsSelected()) {
          SetCellState(r, c, cell->GetState() & ~CellStateFlags::kSelected);
          if (inVisible(r, c)) InvalidateCell(r, c);
        }
        continue;
      }
      if (cell->IsSelected()) continue;
      int row = r;
      if (variant == kFilledRows && r > filled) {
        // Below the filled rows the click keeps the row selected before;
        // with none selected before it selects nothing.
        if (filled < 1 || notedRow < 1) continue;
        row = notedRow;
        cell = GetCell(row, c);
        if (!cell || cell->IsSelected()) continue;
      }
      if (variant == kClickable && cell->GetTextColour() != 0) continue;
      SetCellState(row, c, cell->GetState() | CellStateFlags::kSelected);
      if (variant != kClickable && m_nFixedCols > 0 && GetCell(row, 0)) {
        SetCellBackColor(row, 0, kSelectedRowColour);
        InvalidateCell(row, 0);
      }
      if (inVisible(row, c)) InvalidateCell(row, c);
    }
  }
}

void CGridCtrl::ApplyMouseMode(CCellID cell) {
  if (!m_bEnableSelection) return;
  const CCellID start = m_idSelectionStart;
  const int lastRow = m_nRows - 1, lastCol = m_nCols - 1;
  switch (m_MouseMode) {
    case GridMouseMode::kAll:
      SelectCellRange(m_nFixedRows, m_nFixedCols, lastRow, lastCol, false, true);
      break;
    case GridMouseMode::kColumns:
      if (cell.col >= m_nFixedCols)
        SelectCellRange(m_nFixedRows, std::min(start.col, cell.col), lastRow,
                        std::max(start.col, cell.col), false, true);
      break;
    case GridMouseMode::kRows:
      if (cell.row >= m_nFixedRows)
        SelectCellRange(std::min(start.row, cell.row), m_nFixedCols,
                        std::max(start.row, cell.row), lastCol, false, true);
      break;
    case GridMouseMode::kRectangle:
    case GridMouseMode::kClickableRectangle:
      if (cell.row >= m_nFixedRows && cell.col >= m_nFixedCols && start.row >= m_nFixedRows &&
          start.col >= m_nFixedCols) {
        const int r1 = std::min(start.row, cell.row), r2 = std::max(start.row, cell.row);
        const int c1 = std::min(start.col, cell.col), c2 = std::max(start.col, cell.col);
        if (m_MouseMode == GridMouseMode::kRectangle)
          SelectCellRange(r1, c1, r2, c2, false, true);
        else
          SetSelectedClickableRange(r1, c1, r2, c2, false, true);
      }
      break;
    case GridMouseMode::kFilledRows:
    case GridMouseMode::kFilledRowsToo:
      SetSelectedFilledRowRange(std::min(start.row, cell.row), m_nFixedCols,
                                std::max(start.row, cell.row), lastCol, false, true);
      break;
    default:
      break;
  }
  Refresh();
}

void CGridCtrl::OnFixedCellClick(CCellID& cell) {
  if (!IsValid(cell) || !m_bFixedColumnSelection) return;
  if (cell.row < m_nFixedRows) {
    // The corner selects everything for this click only.
    const int mode = m_MouseMode;
    m_MouseMode = GridMouseMode::kAll;
    ApplyMouseMode(cell);
    m_MouseMode = mode;
    return;
  }
  m_MouseMode = GridMouseMode::kRows;
  ApplyMouseMode(cell);
}

void CGridCtrl::OnLeftButton(QPoint point, bool doubleClick) {
  CCellID cell = GetCellAtPoint(point);
  if (!IsValid(cell)) return;
  if (!doubleClick) StopEditing();
  if (m_OwnerRole == GridOwnerRole::SavedConnections) {
    const CGridCellBase* c = GetCell(cell.row, cell.col);
    if (c && c->GetTextColour() != 0) return;
  }
  m_idSelectionStart = cell;
  if (cell.col < m_nFixedCols)
    OnFixedCellClick(cell);
  else
    ApplyMouseMode(cell);
  SendNotify(doubleClick ? GridNotifyCode::kDoubleClick : GridNotifyCode::kClick, cell.row,
             cell.col);
}

void CGridCtrl::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    OnLeftButton(event->position().toPoint(), false);
    return;
  }
  QAbstractScrollArea::mousePressEvent(event);
}

void CGridCtrl::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    OnLeftButton(event->position().toPoint(), true);
    return;
  }
  QAbstractScrollArea::mouseDoubleClickEvent(event);
}

void CGridCtrl::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::RightButton) {
    QAbstractScrollArea::mouseReleaseEvent(event);
    return;
  }
  const QPoint point = event->position().toPoint();
  const CCellID cell = GetCellAtPoint(point);
  StopEditing();
  if (IsValid(cell)) {
    if (CGridCellBase* c = GetCell(cell.row, cell.col)) {
      QPoint origin;
      GetCellTopLeft(cell.row, cell.col, &origin);
      c->OnRClick(point - origin);
    }
    SendNotify(GridNotifyCode::kRightClick, cell.row, cell.col);
  } else {
    SendNotify(GridNotifyCode::kRightClick, -1, -1);
  }
}
