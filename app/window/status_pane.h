#pragma once
// One part of the main window's status bar. Its width is the part's own,
// except where the text needs more: a part that fits its text (the sensor
// and the code type) grows to show all of it, and a part that gives way
// (the page and the readings) shrinks down to its text for them.
#include <QLabel>

class StatusPane : public QLabel {
  Q_OBJECT
public:
  enum class Fit { Fixed, GrowsToText, GivesWay };
  StatusPane(int partWidth, Fit fit, QWidget* parent);

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

private:
  int textWidth() const;

  int partWidth_;
  Fit fit_;
};
