// The shared records name a member "slots": they come before any Qt header.
#include "core/main_dialog_state.h"

#include "settings/settings_support.h"

#include <QEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>

#include "window/main_window.h"

QString IdName(int id) { return QStringLiteral("id%1").arg(id); }

QMessageBox::StandardButton ShowTextBox(CVarnisDatamatrixDlg& dlg, int textId, QMessageBox::Icon icon,
                                        QMessageBox::StandardButtons buttons, QWidget* owner) {
  return dlg.prompt().message(owner ? owner : dlg.messageOwner(), dlg.text(textId), dlg.messageTitle(), icon,
                              buttons);
}

bool IsClipboardKey(int key, Qt::KeyboardModifiers m) {
  const bool ctrl = m & Qt::ControlModifier;
  const bool shift = m & Qt::ShiftModifier;
  return (key == Qt::Key_Insert && (ctrl || shift)) ||
         (ctrl && (key == Qt::Key_C || key == Qt::Key_V || key == Qt::Key_X));
}

namespace {
class ClipboardKeyFilter : public QObject {
public:
  using QObject::QObject;

protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride) {
      auto* key = static_cast<QKeyEvent*>(event);
      if (IsClipboardKey(key->key(), key->modifiers())) return true;
    }
    return QObject::eventFilter(watched, event);
  }
};
}  // namespace

void GuardEdit(QLineEdit* edit) {
  edit->setContextMenuPolicy(Qt::NoContextMenu);
  edit->installEventFilter(new ClipboardKeyFilter(edit));
}

void SetEditTextColour(QLineEdit* edit, const QColor& colour) {
  QPalette p = edit->palette();
  p.setColor(QPalette::Text, colour);
  edit->setPalette(p);
}

QColor ReadOnlyGrey() { return QColor(0xAC, 0xA8, 0x99); }

bool IsUserFocusChange(QEvent* event) {
  const Qt::FocusReason r = static_cast<QFocusEvent*>(event)->reason();
  return r != Qt::ActiveWindowFocusReason && r != Qt::PopupFocusReason;
}
