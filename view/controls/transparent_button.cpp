#include "transparent_button.h"

#include <QBitmap>
#include <QPainter>

#include "window/colours.h"
#include "control_services.h"

namespace {

// The colour's pixels masked out; a null picture when it cannot be.
QPixmap masked(const QPixmap& picture, std::uint32_t transparent, int& status) {
  if (picture.isNull()) {
    status = 1;
    return {};
  }
  QPixmap result = picture;
  const QBitmap mask = result.createMaskFromColor(FromColorRef(transparent), Qt::MaskInColor);
  if (mask.isNull()) {
    status = 2;
    return {};
  }
  result.setMask(mask);
  return result;
}

}  // namespace

CTransparentButton::CTransparentButton(QWidget* parent) : QAbstractButton(parent) {
  setAttribute(Qt::WA_Hover);
}

int CTransparentButton::LoadBitmaps(int bitmapId, std::uint32_t transparent, int secondId,
                                    std::uint32_t secondTransparent) {
  const QPixmap second = secondId != 0 ? lindaroBitmap(secondId) : QPixmap();
  if (secondId != 0 && second.isNull()) {
    first_ = QPixmap();
    second_ = QPixmap();
    update();
    return 1;
  }
  return SetBitmaps(lindaroBitmap(bitmapId), transparent, second, secondTransparent);
}

int CTransparentButton::SetBitmaps(const QPixmap& first, std::uint32_t transparent,
                                   const QPixmap& second, std::uint32_t secondTransparent) {
  int status = 0;
  QPixmap firstMasked = masked(first, transparent, status);
  QPixmap secondMasked;
  if (status == 0 && !second.isNull()) secondMasked = masked(second, secondTransparent, status);
  if (status != 0) {
    first_ = QPixmap();
    second_ = QPixmap();
  } else {
    first_ = firstMasked;
    second_ = secondMasked;
  }
  updateGeometry();
  update();
  return status;
}

QSize CTransparentButton::sizeHint() const {
  if (!first_.isNull()) return first_.size() + QSize(4, 4);
  return fontMetrics().size(Qt::TextSingleLine, text()) + QSize(16, 10);
}

void CTransparentButton::enterEvent(QEnterEvent* event) {
  hovered_ = true;
  update();
  QAbstractButton::enterEvent(event);
}

void CTransparentButton::leaveEvent(QEvent* event) {
  hovered_ = false;
  update();
  QAbstractButton::leaveEvent(event);
}

void CTransparentButton::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const bool pressed = isDown() || (isCheckable() && isChecked());
  const bool useSecond =
      !second_.isNull() && ((!pressed && !hovered_) || (isCheckable() && !pressed));
  const QPixmap& picture = useSecond ? second_ : first_;
  if (!picture.isNull()) {
    QPoint place((width() - picture.width()) / 2, (height() - picture.height()) / 2);
    if (pressed) place += QPoint(1, 1);
    painter.drawPixmap(place, picture);
  }
  // One-pixel border: raised, or sunken while pressed.
  const QRect edge = rect().adjusted(0, 0, -1, -1);
  const QColor light = palette().color(QPalette::Light);
  const QColor shadow = palette().color(QPalette::Dark);
  painter.setPen(pressed ? shadow : light);
  painter.drawLine(edge.topLeft(), edge.topRight());
  painter.drawLine(edge.topLeft(), edge.bottomLeft());
  painter.setPen(pressed ? light : shadow);
  painter.drawLine(edge.bottomLeft(), edge.bottomRight());
  painter.drawLine(edge.topRight(), edge.bottomRight());
  if (!text().isEmpty()) {
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled,
                                   QPalette::ButtonText));
    painter.drawText(rect().translated(pressed ? QPoint(1, 1) : QPoint()), Qt::AlignCenter,
                     text());
  }
}
