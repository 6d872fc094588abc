#include "ascii_ctrl.h"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QToolTip>
#include <QWheelEvent>

#include "ascii_names.h"

namespace {

const QColor kHeaderBand(255, 153, 53);
const QColor kHeaderText(25, 25, 112);
const QColor kHeavyLine(128, 128, 128);
const QColor kLightLine(192, 192, 192);
const QColor kSelected(28, 28, 255);
const QColor kItem(92, 92, 46);

}  // namespace

CAsciiCtrl::CAsciiCtrl(QWidget* parent) : QAbstractScrollArea(parent) {
  setObjectName(QStringLiteral("id2"));
  setFocusPolicy(Qt::StrongFocus);
  setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  verticalScrollBar()->setObjectName(QStringLiteral("id100"));
  viewport()->setMouseTracking(true);
  headerFont_.setPixelSize(12);
  headerFont_.setBold(true);
  cellFont_ = QFont(QStringLiteral("DejaVu Sans Mono"));
  cellFont_.setStyleHint(QFont::Monospace);
  cellFont_.setPixelSize(12);
}

void CAsciiCtrl::SetData(const unsigned char* values, int count) {
  values_ = values;
  count_ = count;
  UpdateScrollRange();
  viewport()->update();
}

void CAsciiCtrl::SetStyle(int bits) {
  style_ = bits;
  viewport()->update();
}

void CAsciiCtrl::SetToolTipTemplate(const QString& text) { template_ = text; }

void CAsciiCtrl::SetHeader(const QString& hex, const QString& dec, const QString& chr, const QString& face) {
  titles_[0] = hex;
  titles_[1] = dec;
  titles_[2] = chr;
  if (!face.isEmpty()) headerFont_.setFamily(face);
  viewport()->update();
}

int CAsciiCtrl::Value(int item) const { return values_ && item >= 0 && item < count_ ? values_[item] : 0; }

int CAsciiCtrl::SectionCount() const {
  return ((style_ & kHex) ? 1 : 0) + ((style_ & kDec) ? 1 : 0) + ((style_ & kChar) ? 1 : 0);
}

int CAsciiCtrl::visibleRows() const { return std::max(0, (viewport()->height() - kRowHeight) / kRowHeight); }

int CAsciiCtrl::firstVisibleItem() const { return verticalScrollBar()->value() * kItemsPerRow; }

// The scroll range reaches the last shown code.
void CAsciiCtrl::UpdateScrollRange() {
  const int items = std::min(count_, kShownItems);
  const int rows = (items + kItemsPerRow - 1) / kItemsPerRow;
  const int visible = visibleRows();
  verticalScrollBar()->setRange(0, std::max(0, rows - visible));
  verticalScrollBar()->setPageStep(std::max(1, visible));
  verticalScrollBar()->setSingleStep(1);
}

void CAsciiCtrl::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  UpdateScrollRange();
}

int CAsciiCtrl::ItemAt(QPoint p) const {
  if (p.y() < kRowHeight || p.x() < 0) return -1;
  const int section = p.x() / (kSectionWidth + 1);
  if (section >= SectionCount()) return -1;
  const int column = (p.x() - section * (kSectionWidth + 1)) / kItemWidth;
  if (column >= kItemsPerRow) return -1;
  const int item = firstVisibleItem() + (p.y() - kRowHeight) / kRowHeight * kItemsPerRow + column;
  return item < std::min(count_, kShownItems) ? item : -1;
}

QRect CAsciiCtrl::CellRect(int item, int section) const {
  const int row = (item - firstVisibleItem()) / kItemsPerRow;
  const int column = item % kItemsPerRow;
  return {section * (kSectionWidth + 1) + column * kItemWidth, kRowHeight + row * kRowHeight, kItemWidth,
          kRowHeight};
}

void CAsciiCtrl::paintEvent(QPaintEvent*) {
  QPainter p(viewport());
  p.fillRect(viewport()->rect(), palette().color(isEnabled() ? QPalette::Base : QPalette::Button));
  const int sections = SectionCount();
  const int width = sections * (kSectionWidth + 1);
  const int height = viewport()->height();
  // Header band and titles.
  p.fillRect(QRect(0, 0, width, kRowHeight), kHeaderBand);
  p.setFont(headerFont_);
  p.setPen(kHeaderText);
  int section = 0;
  const int kinds[3] = {kHex, kDec, kChar};
  for (int k = 0; k < 3; ++k) {
    if (!(style_ & kinds[k])) continue;
    p.drawText(QRect(section * (kSectionWidth + 1), 0, kSectionWidth, kRowHeight), Qt::AlignCenter, titles_[k]);
    ++section;
  }
  // Row lines, item lines, section lines.
  p.setPen(QPen(kLightLine, 1));
  for (int y = kRowHeight; y < height; y += kRowHeight) p.drawLine(0, y, width, y);
  for (int s = 0; s < sections; ++s)
    for (int c = 1; c < kItemsPerRow; ++c) {
      const int x = s * (kSectionWidth + 1) + c * kItemWidth;
      p.drawLine(x, kRowHeight, x, height);
    }
  p.setPen(QPen(kHeavyLine, 2));
  for (int s = 1; s <= sections; ++s) p.drawLine(s * (kSectionWidth + 1), 0, s * (kSectionWidth + 1), height);
  // Items.
  p.setFont(cellFont_);
  const int last = std::min(count_, kShownItems);
  for (int item = firstVisibleItem(); item < last; ++item) {
    const QRect hexCell = CellRect(item, 0);
    if (hexCell.top() >= height) break;
    p.setPen(item == selected_ ? kSelected : kItem);
    const int v = Value(item);
    section = 0;
    for (int k = 0; k < 3; ++k) {
      if (!(style_ & kinds[k])) continue;
      const QRect cell = CellRect(item, section++);
      QString text;
      if (kinds[k] == kHex) text = QStringLiteral("%1").arg(v, 2, 16, QLatin1Char('0')).toUpper();
      else if (kinds[k] == kDec) text = QStringLiteral("%1").arg(v, 3);
      else text = AsciiCellText(v);
      p.drawText(cell, Qt::AlignCenter, text);
    }
  }
}

// "%" and its modifiers (+ - 0..4) then a letter; at the first "%" the long name.
QString CAsciiCtrl::ToolTipText(int item) const {
  const int v = Value(item);
  QString out;
  qsizetype lineStart = 0;
  bool named = false;
  for (qsizetype i = 0; i < template_.size(); ++i) {
    const QChar c = template_[i];
    if (c != u'%') {
      out += c;
      continue;
    }
    if (!named) {
      out += AsciiLongName(v);
      named = true;
    }
    ++i;
    while (i < template_.size() && QStringLiteral("+-01234").contains(template_[i])) ++i;
    if (i >= template_.size()) break;
    switch (template_[i].unicode()) {
      case u't': out += QString(4 - (out.size() - lineStart) % 4, u' '); break;
      case u'n':
        out += QStringLiteral("\r\n");
        lineStart = out.size();
        break;
      case u'H': out += QStringLiteral("%1").arg(v, 2, 16, QLatin1Char('0')).toUpper(); break;
      case u'D': out += QString::number(v); break;
      case u'A': out += AsciiCellText(v); break;
      default: out += template_[i];
    }
  }
  return out;
}

bool CAsciiCtrl::viewportEvent(QEvent* event) {
  if (event->type() == QEvent::ToolTip) {
    auto* help = static_cast<QHelpEvent*>(event);
    const int item = ItemAt(help->pos());
    if (item < 0 || template_.isEmpty()) QToolTip::hideText();
    else QToolTip::showText(help->globalPos(), ToolTipText(item).remove(u'\r'), viewport());
    return true;
  }
  return QAbstractScrollArea::viewportEvent(event);
}

void CAsciiCtrl::mouseMoveEvent(QMouseEvent* event) {
  hovered_ = ItemAt(event->position().toPoint());
  QAbstractScrollArea::mouseMoveEvent(event);
}

void CAsciiCtrl::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  const int item = ItemAt(event->position().toPoint());
  if (item < 0) return;
  selected_ = item;
  viewport()->update();
  emit itemClicked(Value(item));
}

void CAsciiCtrl::wheelEvent(QWheelEvent* event) {
  const int notches = event->angleDelta().y() / 120;
  verticalScrollBar()->setValue(verticalScrollBar()->value() - notches);
  event->accept();
}

void CAsciiCtrl::keyPressEvent(QKeyEvent* event) {
  if (event->modifiers() & Qt::ControlModifier) {
    switch (event->key()) {
      case Qt::Key_A: case Qt::Key_B: case Qt::Key_D: case Qt::Key_H: case Qt::Key_O:
        event->accept();
        return;
      default: break;
    }
  }
  QAbstractScrollArea::keyPressEvent(event);
}
