#include "picture_scaler.h"

#include <QPainter>
#include <array>
#include <cstring>

namespace {

// Grey level to the RGB32 pixel Qt makes of it.
const std::array<std::uint32_t, 256>& greyToRgb() {
  static const std::array<std::uint32_t, 256> table = [] {
    std::array<std::uint32_t, 256> t{};
    for (std::uint32_t g = 0; g < 256; ++g) t[g] = 0xFF000000u | g << 16 | g << 8 | g;
    return t;
  }();
  return table;
}

}  // namespace

std::vector<int> PictureScaler::samples(Qt::Orientation axis, int pictureLength, qreal fromStart, qreal fromLength,
                                        int targetLength) {
  // A grey line of the picture's length along the axis, its pixels holding
  // their own index (low byte, then high byte), scaled as the picture is.
  const bool across = axis == Qt::Horizontal;
  const auto along = [across](int length) { return across ? QSize(length, 1) : QSize(1, length); };
  const auto at = [across](int i) { return across ? QPoint(i, 0) : QPoint(0, i); };
  const QRectF from = across ? QRectF(fromStart, 0, fromLength, 1) : QRectF(0, fromStart, 1, fromLength);
  std::vector<int> result(std::size_t(targetLength), 0);
  for (const int shift : {0, 8}) {
    QImage probe(along(pictureLength), QImage::Format_Grayscale8);
    for (int i = 0; i < pictureLength; ++i)
      probe.scanLine(across ? 0 : i)[across ? i : 0] = static_cast<uchar>(i >> shift);
    QImage scaled(along(targetLength), QImage::Format_RGB32);
    scaled.fill(0xFF000000u);
    {
      QPainter painter(&scaled);
      painter.drawImage(QRectF(scaled.rect()), probe, from);
    }
    for (int i = 0; i < targetLength; ++i) result[std::size_t(i)] |= qBlue(scaled.pixel(at(i))) << shift;
  }
  for (int& index : result) index = std::min(index, pictureLength - 1);
  return result;
}

bool PictureScaler::draw(QImage& target, const QImage& picture, const QRectF& from) {
  if (picture.format() != QImage::Format_Grayscale8 || target.format() != QImage::Format_RGB32 ||
      picture.isNull() || target.isNull())
    return false;
  if (picture.size() != pictureSize_ || target.size() != targetSize_ || from != from_) {
    // Each axis on its own: nearest-neighbour scaling keeps them apart.
    columns_ = samples(Qt::Horizontal, picture.width(), from.x(), from.width(), target.width());
    rows_ = samples(Qt::Vertical, picture.height(), from.y(), from.height(), target.height());
    pictureSize_ = picture.size();
    targetSize_ = target.size();
    from_ = from;
  }
  const auto& table = greyToRgb();
  const int width = int(columns_.size());
  const int* column = columns_.data();
  uchar* const bits = target.bits();  // detaches a target shared with a stored copy, once
  const qsizetype stride = target.bytesPerLine();
  for (int y = 0; y < int(rows_.size()); ++y) {
    auto* out = reinterpret_cast<std::uint32_t*>(bits + y * stride);
    if (y > 0 && rows_[std::size_t(y)] == rows_[std::size_t(y) - 1]) {  // zoomed in: a row shown again
      std::memcpy(out, bits + (y - 1) * stride, std::size_t(width) * sizeof(std::uint32_t));
      continue;
    }
    const uchar* in = picture.constScanLine(rows_[std::size_t(y)]);
    int x = 0;
    for (; x + 4 <= width; x += 4) {
      const std::uint32_t a = table[in[column[x]]], b = table[in[column[x + 1]]];
      const std::uint32_t c = table[in[column[x + 2]]], d = table[in[column[x + 3]]];
      out[x] = a;
      out[x + 1] = b;
      out[x + 2] = c;
      out[x + 3] = d;
    }
    for (; x < width; ++x) out[x] = table[in[column[x]]];
  }
  return true;
}
