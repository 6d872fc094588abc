#include "button_draw.h"

#include <QPainter>
#include <qdrawutil.h>

CButtonDraw::CButtonDraw(QWidget* parent) : QAbstractButton(parent) {}

CButtonDraw::CButtonDraw(const QString& text, QWidget* parent) : QAbstractButton(parent) {
  setText(text);
}

QSize CButtonDraw::sizeHint() const {
  const QSize textSize = fontMetrics().size(Qt::TextSingleLine, text());
  return {textSize.width() + 16, textSize.height() + 10};
}

void CButtonDraw::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const bool sunken = isDown() || isChecked();
  qDrawWinPanel(&painter, rect(), palette(), sunken);
  painter.setPen(isEnabled() ? QColor(Qt::black)
                             : palette().color(QPalette::Disabled, QPalette::ButtonText));
  painter.drawText(rect(), Qt::AlignCenter | Qt::TextSingleLine, text());
}
