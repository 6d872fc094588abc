#pragma once
// Live frames into the image view. Any thread offers a frame; the GUI thread
// gets one queued notification at a time and shows whatever frame is newest
// when it runs, so a slow paint drops frames instead of queuing them.
#include <QImage>
#include <QObject>
#include <atomic>

#include "core/live_frame.h"

class CDirectX;

class LiveImageFeed : public QObject {
  Q_OBJECT
public:
  explicit LiveImageFeed(CDirectX& view, QObject* parent = nullptr);

  // Any thread. True when it sent a notification (none was pending).
  bool offer(LiveFrame frame);
  // Shows the newest frame now, as the notification does (GUI thread).
  void showNewest();

  const LiveFrameHandover& handover() const { return handover_; }
  int framesShown() const { return shown_.load(); }

  // A grey QImage over the frame's own pixels (no copy).
  static QImage toImage(LiveFrame frame);

signals:
  void frameShown(int number);

private:
  CDirectX& view_;
  LiveFrameHandover handover_;
  std::atomic<int> shown_{0};
};
