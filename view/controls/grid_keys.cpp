// CGridCtrl: keys move the current cell under the owner's rules; a committed
// input-method character opens an in-place edit.
#include "controls/grid_ctrl.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>

namespace {
unsigned keyCodeOf(const QKeyEvent* e, bool* shift) {
  *shift = e->modifiers() & Qt::ShiftModifier;
  switch (e->key()) {
    case Qt::Key_Up: return GridKey::kUp;
    case Qt::Key_Down: return GridKey::kDown;
    case Qt::Key_Left: return GridKey::kLeft;
    case Qt::Key_Right: return GridKey::kRight;
    case Qt::Key_Tab: return GridKey::kTab;
    case Qt::Key_Backtab: *shift = true; return GridKey::kTab;
    default: return 0;
  }
}
}  // namespace

bool CGridCtrl::TakeArrowKey(QObject* watched, QKeyEvent* key) {
  switch (key->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
      break;
    default:
      return false;
  }
  if (watched == this || key->type() != QEvent::KeyPress) return false;
  QKeyEvent copy(key->type(), key->key(), key->modifiers());
  QCoreApplication::sendEvent(this, &copy);
  return true;
}

void CGridCtrl::keyPressEvent(QKeyEvent* event) {
  bool shift = false;
  const unsigned key = keyCodeOf(event, &shift);
  if (key == 0 || !HandleKey(key, shift)) {
    // Default handling: nothing of the grid's own.
    event->ignore();
    return;
  }
  event->accept();
}

bool CGridCtrl::HandleKey(unsigned key, bool shift) {
  CCellID current = m_idCurrentCell;
  if (!IsValid(current) || (m_busy && m_busy())) return false;
  const bool funcTest = m_OwnerRole == GridOwnerRole::FunctionTest;
  if (!funcTest && GetCellText(current.row, current.col).isEmpty()) return true;

  CCellID target = current;
  bool vertical = false, wrapped = false;
  const bool tab = key == GridKey::kTab;
  bool passOn = false;  // Tab that does not wrap also goes to the default handling
  if (key == GridKey::kDown) {
    vertical = true;
    if (m_OwnerRole == GridOwnerRole::SavedConnections) {
      target.row = current.row + 4;
      if (target.row >= m_nRows) return true;
    } else {
      for (int r = current.row + 1; r < m_nRows; ++r)
        if (GetRowHeight(r) > 0) {
          target.row = r;
          break;
        }
    }
  } else if (key == GridKey::kUp) {
    vertical = true;
    if (m_OwnerRole == GridOwnerRole::SavedConnections) {
      target.row = current.row - 4;
      if (target.row <= 0) return true;
    } else {
      for (int r = current.row - 1; r >= m_nFixedRows; --r)
        if (GetRowHeight(r) > 0) {
          target.row = r;
          break;
        }
    }
  } else if (key == GridKey::kRight || (tab && !shift)) {
    if (m_OwnerRole == GridOwnerRole::ServiceReport) {
      target.col = current.col <= 2 ? 3 : current.col;
      if (target.col >= m_nCols) return true;
    } else {
      int col = current.col + 1;
      if (tab && current.col == m_nCols - 1 && current.row < m_nRows - 1) {
        for (int r = current.row + 1; r < m_nRows; ++r)
          if (GetRowHeight(r) > 0) {
            target.row = r;
            col = m_nFixedCols;
            wrapped = true;
            break;
          }
      }
      passOn = tab && !wrapped;
      while (col < m_nCols && GetColumnWidth(col) <= 0) ++col;
      if (col < m_nCols) target.col = col;
    }
  } else if (key == GridKey::kLeft || tab) {
    if (m_OwnerRole == GridOwnerRole::ServiceReport) {
      target.col = current.col - 3;
      if (target.col < 0) return true;
    } else {
      int col = current.col - 1;
      if (tab && current.col == m_nFixedCols && current.row > m_nFixedRows) {
        for (int r = current.row - 1; r >= m_nFixedRows; --r)
          if (GetRowHeight(r) > 0) {
            target.row = r;
            col = m_nCols - 1;
            wrapped = true;
            break;
          }
      }
      passOn = tab && !wrapped;
      while (col >= m_nFixedCols && GetColumnWidth(col) <= 0) --col;
      if (col >= m_nFixedCols) target.col = col;
    }
  } else {
    return false;
  }

  if (target == current) return !passOn;
  if (vertical) SendNotify(GridNotifyCode::kItemChanging, target.row, target.col);

  bool hStep = false, vStep = false;
  if (!IsCellVisible(target.row, target.col)) {
    if (key == GridKey::kDown) {
      OnVScroll(ScrollCode::kLineDown);
      vStep = true;
    } else if (key == GridKey::kUp) {
      OnVScroll(ScrollCode::kLineUp);
      vStep = true;
    } else if (key == GridKey::kRight) {
      OnHScroll(ScrollCode::kLineDown);
      hStep = true;
    } else if (key == GridKey::kLeft) {
      OnHScroll(ScrollCode::kLineUp);
      hStep = true;
    } else if (wrapped) {
      OnVScroll(shift ? ScrollCode::kLineUp : ScrollCode::kLineDown);
      SetScrollPosition(0, shift ? m_nHScrollMax : 0);
      vStep = true;
    } else {
      OnHScroll(shift ? ScrollCode::kLineUp : ScrollCode::kLineDown);
      hStep = true;
    }
    ScrollCellIntoView(target.row, target.col);
    Refresh();
  }
  ScrollCellIntoView(target.row, target.col);
  if (hStep) OnHScroll(ScrollCode::kEndScroll);
  if (vStep) OnVScroll(ScrollCode::kEndScroll);
  if (funcTest || !GetCellText(target.row, target.col).isEmpty()) m_idCurrentCell = target;
  return !passOn;
}

void CGridCtrl::inputMethodEvent(QInputMethodEvent* event) {
  const QString commit = event->commitString();
  event->accept();
  if (commit.isEmpty() || (QGuiApplication::keyboardModifiers() & Qt::ControlModifier) ||
      m_MouseMode != GridMouseMode::kNone)
    return;
  for (const char32_t ch : commit.toUcs4()) {
    if (ch == GridKey::kEscape) continue;
    BeginCellEdit(m_idCurrentCell.row, m_idCurrentCell.col, QPoint(-1, -1),
                  static_cast<unsigned>(ch));
  }
}
