#pragma once
// A grey picture scaled without smoothing into an RGB32 image: the pixels
// Qt's painter gives for the same rectangles, at a fraction of its cost (Qt
// converts every grey pixel through its generic path). Which picture row and
// column land on each target pixel is asked of Qt's own scaling of a grey
// line, once per geometry, so the two cannot part.
#include <QImage>
#include <QRectF>
#include <QSize>
#include <cstdint>
#include <vector>

class PictureScaler {
public:
  // Draws `from` (picture coordinates) of the picture over the whole target;
  // false, drawing nothing, for a picture or target it does not take.
  bool draw(QImage& target, const QImage& picture, const QRectF& from);

private:
  // For each target index along one axis, the picture index Qt samples.
  static std::vector<int> samples(Qt::Orientation axis, int pictureLength, qreal fromStart, qreal fromLength,
                                  int targetLength);

  QSize pictureSize_;
  QSize targetSize_;
  QRectF from_;
  std::vector<int> columns_;
  std::vector<int> rows_;
};
