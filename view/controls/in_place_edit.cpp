#include "controls/in_place_edit.h"

#include "controls/grid_ctrl.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QRegularExpressionValidator>

namespace {

unsigned keyCodeOf(const QKeyEvent* e) {
  switch (e->key()) {
    case Qt::Key_PageUp: return GridKey::kPageUp;
    case Qt::Key_PageDown: return GridKey::kPageDown;
    case Qt::Key_Left: return GridKey::kLeft;
    case Qt::Key_Up: return GridKey::kUp;
    case Qt::Key_Right: return GridKey::kRight;
    case Qt::Key_Down: return GridKey::kDown;
    default: return 0;
  }
}

// A key event that types ch, posted so that it arrives after the editor is set up.
void postChar(QObject* target, unsigned ch) {
  const QString text = QString::fromUcs4(reinterpret_cast<const char32_t*>(&ch), 1);
  int key = Qt::Key_unknown;
  if (ch == GridKey::kBack)
    key = Qt::Key_Backspace;
  else if (ch >= 0x20 && ch < 0x7F)
    key = QChar(static_cast<char16_t>(ch)).toUpper().unicode();
  QCoreApplication::postEvent(
      target, new QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier,
                            ch == GridKey::kBack ? QString() : text));
}

}  // namespace

CInPlaceEdit::CInPlaceEdit(CGridCtrl* grid, const QRect& rect, Qt::Alignment alignment, int id,
                           int row, int col, const QString& text, unsigned nFirstChar)
    : QLineEdit(grid ? grid->viewport() : nullptr),
      m_pGrid(grid),
      m_nId(id),
      m_nRow(row),
      m_nColumn(col),
      m_sInitText(text),
      m_bExitOnArrows(nFirstChar != GridKey::kMouse),
      m_Rect(rect) {
  setObjectName(QStringLiteral("InPlaceEdit"));
  setFrame(true);
  setAlignment(alignment | Qt::AlignVCenter);
  setMaxLength(3);
  setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), this));
  if (grid) setFont(grid->GetFont());
  setGeometry(rect);
  setText(text);
  show();
  setFocus(Qt::OtherFocusReason);

  if (nFirstChar == GridKey::kMouse || nFirstChar == GridKey::kReturn) {
    setCursorPosition(static_cast<int>(this->text().size()));
    return;
  }
  if (nFirstChar == GridKey::kBack) {
    setCursorPosition(static_cast<int>(this->text().size()));
    postChar(this, nFirstChar);
    return;
  }
  selectAll();
  if (nFirstChar == GridKey::kTab ||
      (nFirstChar >= GridKey::kSpace && nFirstChar <= GridKey::kDown))
    return;
  postChar(this, nFirstChar);
}

void CInPlaceEdit::TypeChar(unsigned ch) { postChar(this, ch); }

bool CInPlaceEdit::event(QEvent* e) {
  // The editor wants every key: the dialog must not take Tab, Return or
  // Escape away, and Alt+key mnemonics do not fire while editing.
  if (e->type() == QEvent::ShortcutOverride) {
    auto* k = static_cast<QKeyEvent*>(e);
    if (k->modifiers() & Qt::AltModifier || k->key() == Qt::Key_Escape ||
        k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) {
      e->accept();
      return true;
    }
  }
  if (e->type() == QEvent::KeyPress) {
    auto* k = static_cast<QKeyEvent*>(e);
    if (k->key() == Qt::Key_Tab || k->key() == Qt::Key_Backtab) {
      keyPressEvent(k);
      return true;
    }
  }
  return QLineEdit::event(e);
}

void CInPlaceEdit::keyPressEvent(QKeyEvent* e) {
  e->accept();
  if (const unsigned key = keyCodeOf(e)) {
    if (m_bExitOnArrows || (e->modifiers() & Qt::ControlModifier)) {
      LeaveToGrid(key);
      return;
    }
    QLineEdit::keyPressEvent(e);
    return;
  }
  switch (e->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return;  // neither typed nor an end of the edit
    case Qt::Key_Escape:
      setText(m_sInitText);
      LeaveToGrid(GridKey::kEscape);
      return;
    default:
      break;
  }
  if (e->modifiers() & Qt::AltModifier) return;
  QLineEdit::keyPressEvent(e);
  if (!e->text().isEmpty()) WidenToText();
}

void CInPlaceEdit::LeaveToGrid(unsigned key) {
  m_nLastChar = key;
  if (m_pGrid) m_pGrid->setFocus(Qt::OtherFocusReason);
  // Without an active window the focus does not move; the edit ends all the same.
  EndEdit();
}

void CInPlaceEdit::WidenToText() {
  const int needed = fontMetrics().horizontalAdvance(text() + QStringLiteral("  _T("));
  if (needed <= width() || !m_pGrid) return;
  const int right = m_pGrid->viewport()->width();
  const int newWidth = std::min(needed, right - x());
  if (newWidth > width()) {
    resize(newWidth, height());
    update();
  }
}

void CInPlaceEdit::focusOutEvent(QFocusEvent* e) {
  QLineEdit::focusOutEvent(e);
  EndEdit();
}

void CInPlaceEdit::EndEdit() {
  if (m_bExitingEdit) return;
  m_bExitingEdit = true;
  GridDisplayInfo info;
  info.id = m_nId;
  info.row = m_nRow;
  info.col = m_nColumn;
  info.param = m_nLastChar;
  info.text = text();
  if (m_pGrid) m_pGrid->OnEndInPlaceEdit(info);
  hide();
  deleteLater();
}
