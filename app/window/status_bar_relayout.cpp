#include "window/status_bar_relayout.h"

#include <QEvent>
#include <QLayout>
#include <QStatusBar>

StatusBarRelayout::StatusBarRelayout(QStatusBar& bar) : QObject(&bar), bar_(bar) { bar.installEventFilter(this); }

std::vector<StatusBarRelayout::PartSizes> StatusBarRelayout::parts() const {
  std::vector<PartSizes> sizes;
  for (QObject* child : bar_.children()) {
    const auto* part = qobject_cast<const QWidget*>(child);
    if (!part || part->isWindow()) continue;
    sizes.push_back({part->sizeHint(), part->minimumSizeHint(), part->minimumSize(), part->maximumSize(),
                     !part->isHidden()});
  }
  return sizes;
}

// Only a bar the shown window has laid out: its size is then the window's.
void StatusBarRelayout::HoldSize() {
  if (held_ || !bar_.isVisible() || !bar_.window()->isVisible()) return;
  held_ = true;
  bar_.setFixedSize(bar_.size());
}

void StatusBarRelayout::ReleaseSize() {
  if (!held_) return;
  held_ = false;
  bar_.setMinimumSize(0, 0);
  bar_.setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
}

bool StatusBarRelayout::eventFilter(QObject* watched, QEvent* event) {
  if (watched != &bar_) return false;
  if (event->type() == QEvent::Hide) ReleaseSize();
  if (event->type() != QEvent::LayoutRequest) return false;
  std::vector<PartSizes> now = parts();
  if (now == laidOut_ && bar_.layout()) {
    bar_.layout()->activate();  // the layout saw the request first: this only makes sure
    HoldSize();
    return true;
  }
  laidOut_ = std::move(now);
  ReleaseSize();
  return false;
}
