#include "dialog_busy_cursor.h"

#include <algorithm>

DialogBusyCursor::DialogBusyCursor(QCursor arrow) : arrow_(std::move(arrow)) {}

void DialogBusyCursor::registerDialog(QWidget* dialog) {
  if (dialog == nullptr) return;
  std::erase_if(dialogs_, [](const QPointer<QWidget>& d) { return d.isNull(); });
  dialogs_.emplace_back(dialog);
  apply(dialog);
}

void DialogBusyCursor::setBusy(bool busy) {
  busy_ = busy;
  for (const QPointer<QWidget>& dialog : dialogs_) {
    if (!dialog.isNull()) apply(dialog.data());
  }
}

void DialogBusyCursor::apply(QWidget* dialog) const {
  dialog->setCursor(busy_ ? QCursor(Qt::WaitCursor) : arrow_);
}
