#pragma once
// The key filter of the configuration dialogs that have no default action:
// Enter, Escape and Space are swallowed wherever the focus is inside the
// dialog, so they neither close it nor press a button. Other keys pass.
#include <QObject>

class QWidget;

class DialogKeyFilter : public QObject {
  Q_OBJECT
public:
  // Filters the dialog and every widget in it, also those added later; the
  // filter belongs to the dialog.
  static DialogKeyFilter* install(QWidget* dialog);

  static bool isSwallowed(int key);

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  explicit DialogKeyFilter(QWidget* dialog);
  void watch(QObject* object);
};
