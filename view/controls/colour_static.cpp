#include "colour_static.h"

#include <QPainter>

#include "window/colours.h"

CColourStatic::CColourStatic(QWidget* parent) : QWidget(parent) {}

void CColourStatic::SetColour(std::uint32_t colour) {
  colour_ = colour;
  update();
}

void CColourStatic::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setPen(Qt::black);
  painter.setBrush(FromColorRef(colour_));
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
}
