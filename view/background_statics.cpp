#include "view/background_statics.h"

#include <QPainter>

CMainBckgndBmp::CMainBckgndBmp(QWidget* parent) : QLabel(parent) {}

// Always the same source area, whatever the bitmap's size; a bitmap smaller
// than that area fills its share of the control.
void CMainBckgndBmp::paintEvent(QPaintEvent*) {
  const QPixmap bitmap = pixmap();
  if (bitmap.isNull()) return;
  QPainter painter(this);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.drawPixmap(QRectF(rect()), bitmap, QRectF(0, 0, kSourceWidth, kSourceHeight));
}

CMonBckgndBmp::CMonBckgndBmp(std::function<bool()> renderOnPaint, std::function<void()> render, QWidget* parent)
    : QWidget(parent), renderOnPaint_(std::move(renderOnPaint)), render_(std::move(render)) {}

// The background itself is the palette's (auto fill); the picture is a child.
void CMonBckgndBmp::paintEvent(QPaintEvent*) {
  if (renderOnPaint_ && render_ && renderOnPaint_()) render_();
}
