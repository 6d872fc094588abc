#pragma once
// What the settings dialogs and the sensor page share: controls named by
// their id, message boxes of a language string, edits without clipboard
// keys or context menu, and a hook on focus changes.
#include <QMessageBox>
#include <QObject>
#include <QRect>
#include <QString>

class CVarnisDatamatrixDlg;
class QLineEdit;
class QWidget;

QString IdName(int id);

template <class W>
W* MakeControl(QWidget* parent, int id, const QRect& geometry) {
  auto* w = new W(parent);
  w->setObjectName(IdName(id));
  w->setGeometry(geometry);
  return w;
}

// A message of language string textId, captioned with the program's title;
// owned by owner, or the window's message owner when null.
QMessageBox::StandardButton ShowTextBox(CVarnisDatamatrixDlg& dlg, int textId, QMessageBox::Icon icon,
                                        QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                                        QWidget* owner = nullptr);

// No clipboard keys and no context menu in the edit; keypad Alt entry has no
// counterpart here.
void GuardEdit(QLineEdit* edit);
bool IsClipboardKey(int key, Qt::KeyboardModifiers modifiers);

// A focus change the user made inside the window, not the window losing
// its activation or a popup opening.
bool IsUserFocusChange(QEvent* event);

// The text colour of an edit: red marks a refused field, grey a read-only one.
void SetEditTextColour(QLineEdit* edit, const QColor& colour);
// The grey of read-only texts (COLORREF 0x99A8AC).
QColor ReadOnlyGrey();
