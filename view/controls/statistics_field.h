#pragma once
// StatisticsField: a read-only statistics field that paints the pixels
// beneath it itself, from a copy it takes once per place and size. Its
// rounded frame leaves the corners see-through, so a plain field made the
// group box and the panel beneath repaint with every new count. The copy is
// taken again when the field is shown, moves in its window, or the window's
// size, palette or style changes.
#include <QLineEdit>
#include <QPixmap>
#include <QPoint>
#include <QSize>

class StatisticsField : public QLineEdit {
public:
  explicit StatisticsField(QWidget* parent);

protected:
  void paintEvent(QPaintEvent* event) override;
  void changeEvent(QEvent* event) override;
  void showEvent(QShowEvent* event) override;

private:
  void TakeBeneath(QWidget* top, QPoint at);

  QPixmap beneath_;
  QPoint beneathAt_;   // where the copy was taken, in the window
  QSize windowSize_;   // the window's size then
  bool takingBeneath_ = false;
};
