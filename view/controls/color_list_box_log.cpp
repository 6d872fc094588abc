#include "color_list_box_log.h"

#include <QFontMetrics>

ColorListBoxLog::ColorListBoxLog() { list_.setObjectName(QStringLiteral("id1001")); }

int ColorListBoxLog::AddColorString(const QString& text, std::uint32_t colour) {
  const int index = list_.AddColorString(text, colour);
  list_.scrollToBottom();
  return index;
}

QString ColorListBoxLog::itemText(int index) const {
  const QListWidgetItem* line = list_.item(index);
  return line != nullptr ? line->text() : QString();
}

int ColorListBoxLog::textWidth(const QString& text) const {
  return QFontMetrics(list_.font()).horizontalAdvance(text);
}
