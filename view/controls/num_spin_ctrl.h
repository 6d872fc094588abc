#pragma once
// Up and down arrows that step a floating-point value kept as text in a buddy
// edit. The page owns the edit and checks it; the arrows only read the text,
// add or subtract one step within the range (clamped, or wrapped with the
// wrap style) and write the text back. Numbers are written and read with a
// "." whatever the user's locale.
#include <QWidget>

class QLineEdit;
class QToolButton;

class CNumSpinCtrl : public QWidget {
  Q_OBJECT
public:
  explicit CNumSpinCtrl(QWidget* parent = nullptr);

  void setBuddy(QLineEdit* buddy);
  QLineEdit* buddy() const { return buddy_; }
  // A step past one bound continues from the other.
  void setWrap(bool wrap) { wrap_ = wrap; }
  bool wrap() const { return wrap_; }

  // -1: the general form ("%g").
  void SetDecimals(int decimals) { decimals_ = decimals; }
  int decimals() const { return decimals_; }
  void SetRangeAndStep(double minValue, double maxValue, double step);
  // The buddy's text as a number; 0.0 when it holds none or there is no buddy.
  double GetValue() const;
  void SetPositionFromValue(double value);
  QString FormatValue(double value) const;
  void SetValueText(double value);

  // The arrows' own integer position, 0 .. positions().
  int position() const { return position_; }
  int positions() const { return positions_; }
  double minValue() const { return minValue_; }
  double maxValue() const { return maxValue_; }
  double step() const { return step_; }

  // One click of the arrows: delta > 0 up, < 0 down.
  void stepBy(int delta);

  QSize sizeHint() const override;

signals:
  // After each click has written the buddy, for the page that reacts to it.
  void deltaPos(int delta);

private:
  void setPosition(int position);

  QLineEdit* buddy_ = nullptr;
  QToolButton* up_ = nullptr;
  QToolButton* down_ = nullptr;
  bool wrap_ = false;
  bool trimZeros_ = true;
  int decimals_ = -1;
  int positions_ = 100;
  int position_ = 0;
  double minValue_ = 0.0;
  double maxValue_ = 100.0;
  double step_ = 1.0;
};

// Locale-free number text: the buddy's reading (leading blanks skipped, the
// longest number prefix, 0.0 when none) and the display form.
double readLeadingNumber(const QString& text);
QString formatSpinValue(double value, int decimals, bool trimZeros);
