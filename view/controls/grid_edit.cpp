// CGridCtrl: in-place editing of a cell.
#include "controls/grid_ctrl.h"

#include "controls/in_place_edit.h"

void CGridCtrl::BeginCellEdit(int row, int col, QPoint point, unsigned nChar) {
  CGridCellBase* cell = GetCell(row, col);
  if (!cell || !m_bEditable || cell->IsReadOnly()) return;
  ScrollCellIntoView(row, col);
  GridRect rect;
  if (!IsCellVisible(row, col) || !GetCellRect(row, col, &rect)) return;
  if (SendNotify(GridNotifyCode::kBeginLabelEdit, row, col) < 0) return;
  // The owner's answer may have changed the grid.
  cell = GetCell(row, col);
  if (!cell) return;
  m_idCurrentCell = CCellID(row, col);
  m_idEditCell = CCellID(row, col);
  cell->Edit(row, col, rect, point, kInPlaceEditId, nChar);
}

bool CGridCtrl::CheckEditedText(int row, int col, const QString& text) {
  CGridCellBase* cell = GetCell(row, col);
  return cell && cell->CheckEditedText(text);
}

void CGridCtrl::FinishCellEdit(int row, int col, const QString& text) {
  CGridCellBase* cell = GetCell(row, col);
  if (!cell) return;
  const QString old = cell->GetText();
  if (text != old) {
    SetCellText(row, col, text);
    bool keep = CheckEditedText(row, col, text);
    if (keep) {
      keep = SendNotify(GridNotifyCode::kEndLabelEdit, row, col) >= 0;
      if (keep) RedrawCell(row, col);
    }
    if (!keep) SetCellText(row, col, old);
  }
  if ((cell = GetCell(row, col))) cell->OnEndEdit();
}

void CGridCtrl::StopEditing() {
  // The current cell is the edited one, unless the owner moved it since.
  const CCellID cells[] = {m_idCurrentCell, m_idEditCell};
  for (const CCellID& id : cells)
    if (CGridCellBase* cell = GetCell(id.row, id.col); cell && cell->IsEditing()) cell->EndEdit();
}

int CGridCtrl::OnEndInPlaceEdit(const GridDisplayInfo& info) {
  if (m_bDestroying) return 0;
  if (m_idEditCell == CCellID(info.row, info.col)) m_idEditCell = {};
  FinishCellEdit(info.row, info.col, info.text);
  const unsigned key = info.param;
  if (key == GridKey::kTab || (key >= GridKey::kPageUp && key <= GridKey::kDown)) {
    HandleKey(key, false);
    BeginCellEdit(m_idCurrentCell.row, m_idCurrentCell.col, QPoint(-1, -1), key);
  }
  return 0;
}
