#include "log/colour_message_list.h"

#include <QFontMetrics>

#include "window/colours.h"

ColourMessageList::ColourMessageList() {
  list_.setObjectName("id1001");
  list_.setSelectionMode(QAbstractItemView::ExtendedSelection);
  list_.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  list_.setUniformItemSizes(true);
}

int ColourMessageList::AddColorString(const QString& text, std::uint32_t colour) {
  auto* item = new QListWidgetItem(text);
  item->setForeground(FromColorRef(colour));
  item->setData(Qt::UserRole, QVariant::fromValue<uint>(colour));
  list_.addItem(item);
  list_.scrollToBottom();
  return list_.count() - 1;
}

QString ColourMessageList::itemText(int index) const {
  const auto* item = list_.item(index);
  return item ? item->text() : QString();
}

std::uint32_t ColourMessageList::itemColour(int index) const {
  const auto* item = list_.item(index);
  return item ? item->data(Qt::UserRole).toUInt() : 0;
}

int ColourMessageList::clientWidth() const { return list_.viewport()->width(); }

int ColourMessageList::textWidth(const QString& text) const {
  return QFontMetrics(list_.font()).horizontalAdvance(text);
}
