#include "view/background_statics.h"

#include <QPainter>

CMainBckgndBmp::CMainBckgndBmp(QWidget* parent) : QWidget(parent) {}

void CMainBckgndBmp::SetBitmap(const QPixmap& bitmap) {
  bitmap_ = bitmap;
  update();
}

// Always the same source area, whatever the bitmap's size.
void CMainBckgndBmp::paintEvent(QPaintEvent*) {
  if (bitmap_.isNull()) return;
  QPainter painter(this);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.drawPixmap(rect(), bitmap_, QRect(0, 0, kSourceWidth, kSourceHeight));
}

CMonBckgndBmp::CMonBckgndBmp(std::function<bool()> renderOnPaint, std::function<void()> render, QWidget* parent)
    : QWidget(parent), renderOnPaint_(std::move(renderOnPaint)), render_(std::move(render)) {}

void CMonBckgndBmp::paintEvent(QPaintEvent*) {
  if (renderOnPaint_ && render_ && renderOnPaint_()) render_();
}
