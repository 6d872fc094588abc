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

bool StatusBarRelayout::eventFilter(QObject* watched, QEvent* event) {
  if (watched != &bar_ || event->type() != QEvent::LayoutRequest) return false;
  std::vector<PartSizes> now = parts();
  if (now == laidOut_ && bar_.layout()) {
    bar_.layout()->activate();  // the layout saw the request first: this only makes sure
    return true;
  }
  laidOut_ = std::move(now);
  return false;
}
