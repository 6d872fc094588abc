#include "code_tab_keys.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>

namespace {

bool IsClipboardKey(const QKeyEvent* key) {
  const auto mods = key->modifiers();
  if (key->key() == Qt::Key_Insert) return (mods & (Qt::ShiftModifier | Qt::ControlModifier)) != 0;
  if (mods & Qt::ControlModifier) return key->key() == Qt::Key_C || key->key() == Qt::Key_V || key->key() == Qt::Key_X;
  return key->matches(QKeySequence::Copy) || key->matches(QKeySequence::Paste) || key->matches(QKeySequence::Cut);
}

}  // namespace

bool SwallowCodeTabInput(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::KeyPress: {
      const auto* key = static_cast<QKeyEvent*>(event);
      const int k = key->key();
      if (k == Qt::Key_Return || k == Qt::Key_Enter || k == Qt::Key_Escape || k == Qt::Key_Space) return true;
      return IsClipboardKey(key);
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick: {
      const auto button = static_cast<QMouseEvent*>(event)->button();
      if (button == Qt::RightButton) return true;
      return button == Qt::MiddleButton && qobject_cast<QLineEdit*>(watched) != nullptr;
    }
    default:
      return false;
  }
}

void GuardCodeTabInput(QWidget* w, QObject* filter) {
  w->installEventFilter(filter);
  for (QWidget* child : w->findChildren<QWidget*>()) {
    child->installEventFilter(filter);
    if (auto* edit = qobject_cast<QLineEdit*>(child)) edit->setContextMenuPolicy(Qt::NoContextMenu);
  }
}
