#include "illum_widget.h"

#include <QMouseEvent>

#include "control_services.h"

CIllumWidget::CIllumWidget(QWidget* parent) : QLabel(parent) {
  setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void CIllumWidget::setBitmap(const QPixmap& bitmap) {
  bitmap_ = bitmap;
  setPixmap(bitmap_);
}

void CIllumWidget::ReloadBitmap() {
  if (bitmap_.isNull()) return;
  setBitmap(lindaroBitmap(kRingBitmap));
}

void CIllumWidget::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    clickX_ = event->position().toPoint().x();
    clickY_ = event->position().toPoint().y();
  }
  QLabel::mousePressEvent(event);
}
