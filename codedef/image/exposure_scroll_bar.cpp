#include "codedef/image/exposure_scroll_bar.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QWheelEvent>

ExposureScrollBar::ExposureScrollBar(QWidget* parent) : QScrollBar(Qt::Horizontal, parent) {
  setFocusPolicy(Qt::StrongFocus);
  connect(this, &QAbstractSlider::actionTriggered, this, [this] { acted_ = true; });
}

void ExposureScrollBar::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Left:
      triggerAction(SliderSingleStepSub);
      event->accept();
      return;
    case Qt::Key_Right:
      triggerAction(SliderSingleStepAdd);
      event->accept();
      return;
    default:
      QScrollBar::keyPressEvent(event);
  }
}

// The parent gets the wheel, as with the platform's bar.
void ExposureScrollBar::wheelEvent(QWheelEvent* event) { event->ignore(); }

void ExposureScrollBar::contextMenuEvent(QContextMenuEvent* event) {
  acted_ = false;
  const int before = value();
  QScrollBar::contextMenuEvent(event);
  if (!acted_ && value() != before) emit placed(value());
}
