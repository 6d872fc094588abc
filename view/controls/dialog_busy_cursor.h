#pragma once
// The one cursor rule of the program's dialogs: while a sensor command is in
// flight (the main window's m_bBusy) every registered dialog shows the wait
// cursor, otherwise the program's arrow. The busy setter calls setBusy, so the
// cursor changes at once.
#include <QCursor>
#include <QPointer>
#include <QWidget>
#include <vector>

class DialogBusyCursor {
public:
  explicit DialogBusyCursor(QCursor arrow = QCursor(Qt::ArrowCursor));

  // A destroyed dialog drops out by itself.
  void registerDialog(QWidget* dialog);
  void setBusy(bool busy);
  bool busy() const { return busy_; }

private:
  void apply(QWidget* dialog) const;

  QCursor arrow_;
  std::vector<QPointer<QWidget>> dialogs_;
  bool busy_ = false;
};
