#include "live_image_feed.h"

#include <QMetaObject>

#include "direct_x.h"

LiveImageFeed::LiveImageFeed(CDirectX& view, QObject* parent)
    : QObject(parent), view_(view), handover_([this] {
        return QMetaObject::invokeMethod(this, &LiveImageFeed::showNewest, Qt::QueuedConnection);
      }) {}

bool LiveImageFeed::offer(LiveFrame frame) { return handover_.offer(std::move(frame)); }

void LiveImageFeed::showNewest() {
  auto frame = handover_.take();
  if (!frame || frame->empty()) return;
  const int number = frame->number;
  if (view_.ShowPicture(toImage(std::move(*frame))) != 0) return;
  shown_.fetch_add(1);
  emit frameShown(number);
}

QImage LiveImageFeed::toImage(LiveFrame frame) {
  if (frame.empty() || frame.width <= 0 || frame.height <= 0 ||
      frame.pixels.size() < static_cast<std::size_t>(frame.width) * static_cast<std::size_t>(frame.height))
    return {};
  auto* pixels = new std::vector<std::uint8_t>(std::move(frame.pixels));
  return QImage(
      pixels->data(), frame.width, frame.height, frame.width, QImage::Format_Grayscale8,
      [](void* p) { delete static_cast<std::vector<std::uint8_t>*>(p); }, pixels);
}
