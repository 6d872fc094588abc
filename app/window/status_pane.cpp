#include "window/status_pane.h"

#include <algorithm>

StatusPane::StatusPane(int partWidth, Fit fit, QWidget* parent) : QLabel(parent), partWidth_(partWidth), fit_(fit) {
  if (fit_ == Fit::Fixed) setFixedWidth(partWidth_);
}

int StatusPane::textWidth() const { return text().isEmpty() ? 0 : QLabel::sizeHint().width(); }

QSize StatusPane::sizeHint() const {
  return {std::max(partWidth_, textWidth()), QLabel::sizeHint().height()};
}

QSize StatusPane::minimumSizeHint() const {
  const int width = fit_ == Fit::GrowsToText ? std::max(partWidth_, textWidth()) : textWidth();
  return {width, QLabel::minimumSizeHint().height()};
}
