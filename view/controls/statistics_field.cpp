#include "controls/statistics_field.h"

#include <QEvent>
#include <QPainter>

StatisticsField::StatisticsField(QWidget* parent) : QLineEdit(parent) { setAttribute(Qt::WA_OpaquePaintEvent); }

void StatisticsField::paintEvent(QPaintEvent* event) {
  // The copy beneath is the window drawn without this field.
  if (takingBeneath_) return;
  QWidget* top = window();
  const QPoint at = mapTo(top, QPoint());
  if (beneath_.isNull() || at != beneathAt_ || beneath_.deviceIndependentSize().toSize() != size() ||
      windowSize_ != top->size())
    TakeBeneath(top, at);
  {
    QPainter painter(this);
    painter.drawPixmap(0, 0, beneath_);
  }
  QLineEdit::paintEvent(event);
}

void StatisticsField::changeEvent(QEvent* event) {
  switch (event->type()) {
    case QEvent::PaletteChange:
    case QEvent::StyleChange:
      beneath_ = QPixmap();
      break;
    default:
      break;
  }
  QLineEdit::changeEvent(event);
}

// What lies beneath may have changed while the field was hidden.
void StatisticsField::showEvent(QShowEvent* event) {
  beneath_ = QPixmap();
  QLineEdit::showEvent(event);
}

void StatisticsField::TakeBeneath(QWidget* top, QPoint at) {
  takingBeneath_ = true;
  // Opaque while it takes the copy, the window would leave the field's place unpainted.
  setAttribute(Qt::WA_OpaquePaintEvent, false);
  const qreal ratio = devicePixelRatioF();
  beneath_ = QPixmap(size() * ratio);
  beneath_.setDevicePixelRatio(ratio);
  beneath_.fill(Qt::transparent);
  top->render(&beneath_, QPoint(), QRegion(QRect(at, size())), QWidget::DrawWindowBackground | QWidget::DrawChildren);
  setAttribute(Qt::WA_OpaquePaintEvent, true);
  takingBeneath_ = false;
  beneathAt_ = at;
  windowSize_ = top->size();
}
