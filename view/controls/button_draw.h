#pragma once
// A push button drawn as a raised panel with its text centred, sunken while
// it is held or, in toggle mode, while it is checked. In toggle mode each
// press flips the checked state once.
#include <QAbstractButton>

class CButtonDraw : public QAbstractButton {
  Q_OBJECT
public:
  explicit CButtonDraw(QWidget* parent = nullptr);
  explicit CButtonDraw(const QString& text, QWidget* parent = nullptr);

  void setToggleMode(bool toggle) { setCheckable(toggle); }
  bool toggleMode() const { return isCheckable(); }

  QSize sizeHint() const override;

protected:
  void paintEvent(QPaintEvent* event) override;
};
