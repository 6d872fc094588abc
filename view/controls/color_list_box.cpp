#include "color_list_box.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>

#include "window/colours.h"
#include "control_fonts.h"

namespace {

// Text only: no background, focus frame or selection highlight.
class ColourLineDelegate final : public QStyledItemDelegate {
public:
  explicit ColourLineDelegate(CColorListBox* list) : QStyledItemDelegate(list), list_(list) {}

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    if (index.row() < 0) return;
    const auto colour = index.data(CColorListBox::kColourRole).toUInt();
    const bool muted = index.row() < list_->mutedLineCount();
    QColor pen;
    if (colour != 0 && !muted) {
      pen = FromColorRef(colour);
    } else if (!(option.state & QStyle::State_Enabled)) {
      pen = option.palette.color(QPalette::Disabled, QPalette::WindowText);
    } else {
      pen = option.palette.color(QPalette::Active, QPalette::WindowText);
    }
    painter->save();
    painter->setFont(list_->font());
    painter->setPen(pen);
    painter->drawText(option.rect, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                      index.data(Qt::DisplayRole).toString());
    painter->restore();
  }

  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    size.setHeight(QFontMetrics(list_->font()).height());
    return size;
  }

private:
  CColorListBox* list_;
};

}  // namespace

CColorListBox::CColorListBox(QWidget* parent) : QListWidget(parent) {
  setFont(fontForCellHeight(13, 400));
  setSelectionMode(QAbstractItemView::MultiSelection);
  setUniformItemSizes(true);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setItemDelegate(new ColourLineDelegate(this));
}

int CColorListBox::AddColorString(const QString& text, std::uint32_t colour) {
  auto* item = new QListWidgetItem(text);
  item->setData(kColourRole, colour);
  addItem(item);
  return row(item);
}

void CColorListBox::SetItemColor(int index, std::uint32_t colour) {
  QListWidgetItem* line = item(index);
  if (line == nullptr) return;
  line->setData(kColourRole, colour);
  viewport()->update();
}

std::uint32_t CColorListBox::ItemColor(int index) const {
  const QListWidgetItem* line = item(index);
  return line == nullptr ? 0 : line->data(kColourRole).toUInt();
}

void CColorListBox::ClearItems() {
  mutedLines_ = 0;
  clear();
}

void CColorListBox::ReplaceLines(const std::vector<Line>& lines) {
  // What emptying the list drops: the selection, the muted look, the current line.
  if (selectionModel()->hasSelection()) clearSelection();
  if (mutedLines_ > 0) viewport()->update();
  mutedLines_ = 0;
  if (currentRow() >= 0) setCurrentRow(-1, QItemSelectionModel::NoUpdate);
  const int wanted = int(lines.size());
  if (count() > wanted) model()->removeRows(wanted, count() - wanted);
  for (int i = 0; i < wanted; ++i) {
    const Line& line = lines[std::size_t(i)];
    QListWidgetItem* row = item(i);
    if (row == nullptr) {
      AddColorString(line.text, line.colour);
      continue;
    }
    if (row->text() != line.text) row->setText(line.text);
    if (row->data(kColourRole).toUInt() != line.colour) row->setData(kColourRole, line.colour);
  }
}

void CColorListBox::dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                                const QList<int>& roles) {
  if (topLeft.isValid() && topLeft == bottomRight) {
    QAbstractItemView::dataChanged(topLeft, bottomRight, roles);
    return;
  }
  QListWidget::dataChanged(topLeft, bottomRight, roles);
}

void CColorListBox::ToggleSelectAll() {
  if (count() == 0) return;
  setFocus(Qt::MouseFocusReason);
  if (selectedItems().isEmpty()) {
    selectAll();
    mutedLines_ = count();
  } else {
    clearSelection();
    mutedLines_ = 0;
  }
  viewport()->update();
}

void CColorListBox::ClearSelection() {
  if (count() > 0 && !selectedItems().isEmpty()) ToggleSelectAll();
}

void CColorListBox::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::RightButton) {
    ToggleSelectAll();
    event->accept();
    return;
  }
  QListWidget::mousePressEvent(event);
}
