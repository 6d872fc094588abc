#include "window/busy_cursor.h"

#include <QApplication>
#include <QCursor>

#include "core/busy_flag.h"

BusyCursor::BusyCursor(BusyFlag& busy) : busy_(busy) {
  busy_.setWatcher([this](bool on) { Show(on); });
  Show(busy_ != 0);
}

BusyCursor::~BusyCursor() {
  busy_.setWatcher({});
  Show(false);
}

void BusyCursor::Show(bool busy) {
  if (busy == shown_) return;
  shown_ = busy;
  if (busy)
    QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
  else
    QApplication::restoreOverrideCursor();
}
