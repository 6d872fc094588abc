#pragma once
// Clicks and keys as the operator gives them: a click at a control's place
// in its window reaches whatever lies on top there (a box drawn over a
// button takes it); keys go to the widget that has the focus at each press.
#include <QApplication>
#include <QTest>
#include <QWidget>
#include <QWindow>
#include <gtest/gtest.h>

// The widget that a click at the centre of control's place reaches.
inline QWidget* WidgetAtCentreOf(QWidget& control) {
  QWidget* top = control.window();
  return top->childAt(control.mapTo(top, control.rect().center()));
}

// A left click at a point of widget's place, through the window as the
// platform delivers it (hit test, modality and all).
inline void ClickAt(QWidget& widget, QPoint at) {
  QWidget* top = widget.window();
  QTest::mouseClick(top->windowHandle(), Qt::LeftButton, {}, widget.mapTo(top, at));
}

// A left click at the centre of control's place.
inline void ClickAt(QWidget& control) { ClickAt(control, control.rect().center()); }

// Each character pressed and released on the widget focused at that moment.
inline void PressKeys(const QString& keys) {
  for (QChar c : keys) {
    QWidget* focused = QApplication::focusWidget();
    if (!focused) {
      ADD_FAILURE() << "no widget has the focus for '" << c.toLatin1() << "'";
      return;
    }
    QTest::keyClick(focused, c.toLatin1());
  }
}

// One key on the focused widget.
inline void PressKey(Qt::Key key) {
  QWidget* focused = QApplication::focusWidget();
  if (!focused) {
    ADD_FAILURE() << "no widget has the focus for key " << key;
    return;
  }
  QTest::keyClick(focused, key);
}
