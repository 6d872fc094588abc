#pragma once
// The illumination picture of the image-quality page: shows a bitmap of the
// resource library and remembers where it was last clicked.
#include <QLabel>
#include <QPixmap>

class CIllumWidget : public QLabel {
  Q_OBJECT
public:
  static constexpr int kRingBitmap = 201;  // the ring with no segment lit

  explicit CIllumWidget(QWidget* parent = nullptr);

  void setBitmap(const QPixmap& bitmap);
  bool hasBitmap() const { return !bitmap_.isNull(); }
  // Shows the ring again when a picture is held.
  void ReloadBitmap();

  int clickX() const { return clickX_; }
  int clickY() const { return clickY_; }

protected:
  void mousePressEvent(QMouseEvent* event) override;

private:
  QPixmap bitmap_;
  int clickX_ = 0;
  int clickY_ = 0;
};
