#include "dialog_key_filter.h"

#include <QChildEvent>
#include <QKeyEvent>
#include <QWidget>

DialogKeyFilter* DialogKeyFilter::install(QWidget* dialog) { return new DialogKeyFilter(dialog); }

DialogKeyFilter::DialogKeyFilter(QWidget* dialog) : QObject(dialog) { watch(dialog); }

bool DialogKeyFilter::isSwallowed(int key) {
  return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape ||
         key == Qt::Key_Space;
}

void DialogKeyFilter::watch(QObject* object) {
  if (!object->isWidgetType()) return;
  object->installEventFilter(this);
  for (QObject* child : object->children()) watch(child);
}

bool DialogKeyFilter::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
      if (isSwallowed(static_cast<QKeyEvent*>(event)->key())) return true;
      break;
    case QEvent::ChildAdded:
      watch(static_cast<QChildEvent*>(event)->child());
      break;
    default:
      break;
  }
  return QObject::eventFilter(watched, event);
}
