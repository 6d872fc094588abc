#include "bb_tool_tip.h"

#include <QPainter>
#include <algorithm>

#include "window/colours.h"
#include "control_fonts.h"

CBBToolTip::CBBToolTip(QWidget* owner, TextLookup language)
    : QWidget(owner), language_(std::move(language)) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setFocusPolicy(Qt::NoFocus);
  hide();
}

int CBBToolTip::AddTool(int controlId, const QStringList& lines, std::uint32_t fillColour,
                        std::uint32_t textColour) {
  auto info = std::make_unique<ToolTipInfo>();
  info->controlId = controlId;
  info->lineCount = static_cast<int>(lines.size());
  info->lines = lines;
  info->fillColour = fillColour;
  info->textColour = textColour;
  tools_.clear();
  tools_.push_back(std::move(info));
  return 1;
}

const ToolTipInfo* CBBToolTip::tool(int controlId) const {
  for (const auto& info : tools_) {
    if (info->controlId == controlId) return info.get();
  }
  return nullptr;
}

void CBBToolTip::ShowTool(int controlId, QPoint point) {
  const ToolTipInfo* info = tool(controlId);
  currentId_ = info != nullptr ? controlId : 0;
  if (info != nullptr) ShowTip(*info, point);
}

int CBBToolTip::RemoveTool(int controlId, QPoint point) {
  const auto found = std::find_if(tools_.begin(), tools_.end(),
                                  [controlId](const auto& info) { return info->controlId == controlId; });
  if (found != tools_.end()) {
    if (controlId == currentId_) HideTip(controlId, point);
    tools_.erase(found);
  }
  return 1;
}

void CBBToolTip::HideTip(int controlId, QPoint point) {
  if (width_ == 0 || height_ == 0) return;
  const QRect covered = GetTipRect(controlId, point) | geometry();
  hide();
  if (QWidget* owner = parentWidget()) owner->update(covered);
  width_ = 0;
  height_ = 0;
}

// Every box is measured with full-height lines; a placement may shrink it.
void CBBToolTip::CalcSize(const QStringList& lines) {
  lineCount_ = static_cast<int>(lines.size());
  maxLineLength_ = 0;
  for (const QString& line : lines) maxLineLength_ = std::max(maxLineLength_, int(line.size()));
  lineHeight_ = kLineHeight;
  height_ = (lineHeight_ - 1) * lineCount_ + 12;
  width_ = static_cast<int>(10 + 7.5 * maxLineLength_);
}

// Beside the pointer; a box that would run past the owner's bottom edge ends
// there (with smaller lines when it is taller than the owner), one that would
// run past its right edge ends at the pointer.
QRect CBBToolTip::GetTipRect(int, QPoint point) {
  const QWidget* owner = parentWidget();
  const QRect area = owner != nullptr ? owner->rect() : QRect();
  int left = point.x();
  int top = point.y();
  int right = 0;
  int bottom = 0;
  lineHeight_ = kLineHeight;
  if (top + height_ > area.y() + area.height()) {
    if (height_ > area.height()) {
      height_ = (kShrunkLineHeight - 1) * lineCount_ + 12;
      lineHeight_ = kShrunkLineHeight;
      width_ = 7 * maxLineLength_ + 10;
    }
    bottom = area.y() + area.height() - 1;
    top = bottom - height_;
  } else {
    bottom = top + height_;
  }
  if (point.x() + width_ > area.x() + area.width() && point.x() - width_ > area.x()) {
    right = point.x();
    left = right - width_;
  } else {
    right = left + width_;
  }
  return QRect(left, top, right - left, bottom - top);
}

void CBBToolTip::ShowTip(const ToolTipInfo& info, QPoint point) {
  CalcSize(info.lines);
  const QRect box = GetTipRect(info.controlId, point);
  shown_ = info;
  setGeometry(box);
  raise();
  show();
  update();
}

void CBBToolTip::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QRect box = rect();
  painter.fillRect(box, FromColorRef(shown_.fillColour));
  // Etched edge: a sunken outer line and a raised inner one.
  const QColor shadow = palette().color(QPalette::Dark);
  const QColor light = palette().color(QPalette::Light);
  const QRect outer = box.adjusted(0, 0, -1, -1);
  const QRect inner = box.adjusted(1, 1, -2, -2);
  painter.setPen(shadow);
  painter.drawLine(outer.topLeft(), outer.topRight());
  painter.drawLine(outer.topLeft(), outer.bottomLeft());
  painter.drawLine(inner.bottomLeft(), inner.bottomRight());
  painter.drawLine(inner.topRight(), inner.bottomRight());
  painter.setPen(light);
  painter.drawLine(inner.topLeft(), inner.topRight());
  painter.drawLine(inner.topLeft(), inner.bottomLeft());
  painter.drawLine(outer.bottomLeft(), outer.bottomRight());
  painter.drawLine(outer.topRight(), outer.bottomRight());

  const QString face = language_ ? language_(10001) : QString();
  painter.setFont(fontForCellHeight(lineHeight_, 400, face));
  painter.setPen(FromColorRef(shown_.textColour));
  for (int k = 0; k < shown_.lines.size(); ++k) {
    const QRect line(8, 5 + k * (lineHeight_ - 1), box.width(), lineHeight_);
    painter.drawText(line, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, shown_.lines[k]);
  }
}
