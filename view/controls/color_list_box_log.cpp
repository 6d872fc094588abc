#include "color_list_box_log.h"

#include <QFontMetrics>

ColorListBoxLog::ColorListBoxLog() { list_.setObjectName(QStringLiteral("id1001")); }

int ColorListBoxLog::AddColorString(const QString& text, std::uint32_t colour) {
  if (changing()) {
    if (!cleared_ && added_.empty()) kept_ = list_.count();
    added_.push_back({text, colour});
    return kept_ + int(added_.size()) - 1;
  }
  const int index = list_.AddColorString(text, colour);
  list_.scrollToBottom();
  return index;
}

void ColorListBoxLog::ClearItems() {
  if (!changing()) {
    list_.ClearItems();
    return;
  }
  cleared_ = true;
  kept_ = 0;
  added_.clear();
}

int ColorListBoxLog::count() const {
  if (!changing() || (!cleared_ && added_.empty())) return list_.count();
  return kept_ + int(added_.size());
}

QString ColorListBoxLog::itemText(int index) const {
  if (changing() && (cleared_ || !added_.empty()) && index >= kept_)
    return index - kept_ < int(added_.size()) ? added_[std::size_t(index - kept_)].text : QString();
  const QListWidgetItem* line = list_.item(index);
  return line != nullptr ? line->text() : QString();
}

std::uint32_t ColorListBoxLog::itemColour(int index) const {
  if (changing() && (cleared_ || !added_.empty()) && index >= kept_)
    return index - kept_ < int(added_.size()) ? added_[std::size_t(index - kept_)].colour : 0;
  return list_.ItemColor(index);
}

void ColorListBoxLog::EndChanges() {
  if (changesDepth_ == 0 || --changesDepth_ > 0) return;
  if (cleared_) {
    list_.ReplaceLines(added_);
  } else {
    for (const auto& line : added_) list_.AddColorString(line.text, line.colour);
  }
  if (!added_.empty()) list_.scrollToBottom();
  cleared_ = false;
  kept_ = 0;
  added_.clear();
}

int ColorListBoxLog::textWidth(const QString& text) const {
  if (widths_.size() >= kKeptWidths || list_.font() != widthsFont_) {
    widths_.clear();
    widthsFont_ = list_.font();
  }
  if (const auto known = widths_.constFind(text); known != widths_.cend()) return *known;
  const int width = QFontMetrics(widthsFont_).horizontalAdvance(text);
  widths_.insert(text, width);
  return width;
}
