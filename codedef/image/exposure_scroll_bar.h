#pragma once
// The exposure scroll bar: horizontal, and its keys move it the way the
// platform's own bar does (Left and Up one step towards 1, Right and Down
// towards 15000; Qt's bar takes Left as a step up). A click gives it the keys.
// It ignores the wheel and reports a position picked from its context menu,
// so no position is shown that the page does not write.
#include <QScrollBar>

class ExposureScrollBar : public QScrollBar {
  Q_OBJECT
public:
  explicit ExposureScrollBar(QWidget* parent = nullptr);

signals:
  // "Scroll here" from the context menu: a move by no scroll action.
  void placed(int position);

protected:
  void keyPressEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

private:
  bool acted_ = false;  // a scroll action ran since the context menu opened
};
