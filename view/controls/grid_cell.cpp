#include "controls/grid_cell.h"

#include "controls/grid_ctrl.h"
#include "controls/in_place_edit.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>

namespace {

QRect toQRect(const GridRect& r) { return QRect(r.left, r.top, r.Width(), r.Height()); }

int alignmentFor(std::uint32_t format) {
  int flags = Qt::AlignLeft;
  if (format & CellFormat::kRight)
    flags = Qt::AlignRight;
  else if (format & CellFormat::kCenter)
    flags = Qt::AlignHCenter;
  if (format & CellFormat::kSingleLine) {
    flags |= Qt::TextSingleLine;
    if (format & CellFormat::kBottom)
      flags |= Qt::AlignBottom;
    else if (format & CellFormat::kVCenter)
      flags |= Qt::AlignVCenter;
    else
      flags |= Qt::AlignTop;
  } else {
    flags |= Qt::AlignTop;
    if (format & CellFormat::kWordBreak) flags |= Qt::TextWordWrap;
  }
  return flags;
}

// One-pixel lines as the grid's borders have always been drawn: the end
// point itself is left out.
void hLine(QPainter& p, int x1, int x2, int y, const QColor& c) {
  if (x2 > x1) p.fillRect(x1, y, x2 - x1, 1, c);
  if (x2 < x1) p.fillRect(x2 + 1, y, x1 - x2, 1, c);
}
void vLine(QPainter& p, int x, int y1, int y2, const QColor& c) {
  if (y2 > y1) p.fillRect(x, y1, 1, y2 - y1, c);
}

}  // namespace

const CGridDefaultCell* CGridCellBase::GetDefaultCell() const {
  const CGridCtrl* grid = GetGrid();
  if (!grid) return nullptr;
  return grid->GetDefaultCell(IsFixedRow(), IsFixedCol());
}

bool CGridCellBase::Draw(QPainter& p, int /*row*/, int /*col*/, GridRect rect, bool erase) {
  CGridCtrl* grid = GetGrid();
  if (!grid || rect.Width() <= 0 || rect.Height() <= 0) return false;
  p.save();
  const CGridDefaultCell* def = GetDefaultCell();
  COLORREF text = grid->SystemColour(QPalette::Text);
  if (def) {
    text = GetTextColour() == CLR_DEFAULT ? def->GetTextColour() : GetTextColour();
    COLORREF back = def->GetBackColour();
    if (GetBackColour() != CLR_DEFAULT) {
      back = GetBackColour();
      erase = true;
    }
    const bool lines = grid->GetGridLines() != 0;
    if (!IsFocused()) {
      const GridRect fill{rect.left, rect.top, rect.right + 1, rect.bottom + 1};
      if (IsSelected()) {
        p.fillRect(toQRect(fill), FromColorRef(grid->SystemColour(QPalette::Highlight)));
        text = grid->SystemColour(QPalette::HighlightedText);
      } else if (erase) {
        p.fillRect(toQRect(fill), FromColorRef(back));
      }
    } else {
      if (IsSelected()) {
        back = grid->SystemColour(QPalette::Highlight);
        text = grid->SystemColour(QPalette::HighlightedText);
        erase = true;
      }
      rect.right += 1;
      rect.bottom += 1;
      if (erase) p.fillRect(toQRect(rect), FromColorRef(back));
      if (lines) {
        rect.right -= 1;
        rect.bottom -= 1;
      }
      if (grid->GetFrameFocusCell()) {
        const QColor c = FromColorRef(text);
        hLine(p, rect.left, rect.right, rect.top, c);
        hLine(p, rect.left, rect.right, rect.bottom - 1, c);
        vLine(p, rect.left, rect.top, rect.bottom, c);
        vLine(p, rect.right - 1, rect.top, rect.bottom, c);
      }
      if (!lines) {
        rect.right -= 1;
        rect.bottom -= 1;
      }
      rect = {rect.left + 1, rect.top + 1, rect.right - 1, rect.bottom - 1};
    }
    if (IsFixed() && lines) {
      // Raised border: light top and left, shadow right and bottom.
      const QColor light = FromColorRef(grid->SystemColour(QPalette::Light));
      const QColor dark = FromColorRef(grid->SystemColour(QPalette::Dark));
      hLine(p, rect.right, rect.left, rect.top, light);
      vLine(p, rect.left, rect.top, rect.bottom, light);
      vLine(p, rect.right, rect.top, rect.bottom, dark);
      hLine(p, rect.right, rect.left, rect.bottom, dark);
      rect = {rect.left + 1, rect.top + 1, rect.right - 1, rect.bottom - 1};
    }
  }
  const QFont font = GetFont();
  p.setFont(font);
  p.setPen(FromColorRef(text));
  const int margin = static_cast<int>(GetMargin());
  rect.left += margin;
  rect.right -= margin;
  if (rect.Width() > 0 && rect.Height() > 0) {
    const std::uint32_t format = GetFormat() | CellFormat::kNoPrefix;
    QString shown = GetText();
    if (format & CellFormat::kEndEllipsis)
      shown = QFontMetrics(font).elidedText(shown, Qt::ElideRight, rect.Width());
    p.drawText(toQRect(rect), alignmentFor(format), shown);
  }
  p.restore();
  return true;
}

void CGridCell::SetFont(const QFont* font) {
  if (font)
    m_font = *font;
  else
    m_font.reset();
}

std::uint32_t CGridCell::GetFormat() const {
  if (m_nFormat != CellFormat::kUnset) return m_nFormat;
  const CGridDefaultCell* def = GetDefaultCell();
  return def ? def->GetFormat() : CellFormat::kDefault;
}

QFont CGridCell::GetFont() const {
  if (m_font) return *m_font;
  const CGridDefaultCell* def = GetDefaultCell();
  return def ? def->GetFont() : QGuiApplication::font();
}

std::uint32_t CGridCell::GetMargin() const {
  if (m_nMargin != CellFormat::kUnset) return m_nMargin;
  const CGridDefaultCell* def = GetDefaultCell();
  return def ? def->GetMargin() : 0;
}

bool CGridCell::Edit(int row, int col, const GridRect& rect, QPoint /*point*/, int id,
                     unsigned nChar) {
  if (!m_bEditing) {
    const std::uint32_t format = GetFormat();
    Qt::Alignment align = Qt::AlignLeft;
    if (format & CellFormat::kRight)
      align = Qt::AlignRight;
    else if (format & CellFormat::kCenter)
      align = Qt::AlignHCenter;
    m_bEditing = true;
    m_pEditWnd = new CInPlaceEdit(m_pGrid, QRect(rect.left, rect.top, rect.Width(), rect.Height()),
                                  align, id, row, col, GetText(), nChar);
  } else if (m_pEditWnd) {
    m_pEditWnd->TypeChar(nChar);
  }
  return true;
}

void CGridCell::EndEdit() {
  if (m_pEditWnd) m_pEditWnd->EndEdit();
}

void CGridCell::OnEndEdit() {
  m_bEditing = false;
  m_pEditWnd = nullptr;
}

void CGridCell::Reset() {
  CGridCellBase::Reset();
  m_strText.clear();
  m_nFormat = CellFormat::kUnset;
  m_nMargin = CellFormat::kUnset;
  m_crFgClr = CLR_DEFAULT;
  m_crBkClr = CLR_DEFAULT;
  m_pGrid = nullptr;
  m_bEditing = false;
  m_pEditWnd = nullptr;
  m_font.reset();
}

CGridDefaultCell::CGridDefaultCell() {
  m_nFormat = CellFormat::kDefault;
  const QFont font = QGuiApplication::font();
  CGridDefaultCell::SetFont(&font);
}

void CGridDefaultCell::SetFont(const QFont* font) {
  if (!font) return;
  CGridCell::SetFont(font);
  const QFontMetrics fm(*font);
  m_nMargin = static_cast<std::uint32_t>(fm.horizontalAdvance(QLatin1Char(' ')));
  m_Size.width = fm.horizontalAdvance(QStringLiteral(" XXXXXXXXXXXX "));
  m_Size.height = 3 * fm.height() / 2;
}
