#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

#include "core/live_frame.h"
#include "dravik/sensor_bitmap.h"

namespace {

TEST(LatestHandover, OffersWhileTheReceiverIsHeldGiveOneNotificationOfTheNewest) {
  int notifications = 0;
  LatestHandover<int> handover([&] { return ++notifications, true; });
  for (int i = 1; i <= 10; ++i) handover.offer(i);
  EXPECT_EQ(notifications, 1);
  EXPECT_TRUE(handover.pending());
  EXPECT_EQ(handover.take(), 10);
  EXPECT_FALSE(handover.pending());
  EXPECT_EQ(handover.take(), std::nullopt);  // a stray call finds nothing

  // Handled: the next offer notifies again.
  EXPECT_TRUE(handover.offer(11));
  EXPECT_EQ(notifications, 2);
  const auto counts = handover.counts();
  EXPECT_EQ(counts.offered, 11u);
  EXPECT_EQ(counts.notified, 2u);
  EXPECT_EQ(counts.taken, 1u);
  EXPECT_EQ(counts.replaced, 9u);
}

TEST(LatestHandover, UndeliveredNotificationIsTriedAgainByTheNextOffer) {
  bool open = false;
  int notifications = 0;
  LatestHandover<int> handover([&] { return open && ++notifications; });
  EXPECT_FALSE(handover.offer(1));
  EXPECT_FALSE(handover.pending());
  open = true;
  EXPECT_TRUE(handover.offer(2));
  EXPECT_EQ(notifications, 1);
  EXPECT_EQ(handover.take(), 2);
}

TEST(LatestHandover, DropForgetsTheValueButNotThePendingNotification) {
  LatestHandover<int> handover([] { return true; });
  handover.offer(1);
  handover.drop();
  EXPECT_TRUE(handover.pending());
  EXPECT_EQ(handover.take(), std::nullopt);
  EXPECT_TRUE(handover.offer(2));
}

// Producers on threads, a receiver on another: never more than one
// notification waits, every value the receiver takes is newer than the last
// one it took from that producer, and the last value of each arrives.
TEST(LatestHandover, ThreadedProducersNeverQueueNotifications) {
  constexpr int kProducers = 3;
  constexpr int kValuesEach = 5000;
  std::mutex mutex;
  std::condition_variable wake;
  int queued = 0;  // notifications posted and not yet dequeued
  int mostQueued = 0;
  struct Value {
    int producer;
    int sequence;
  };
  LatestHandover<Value> handover([&] {
    std::lock_guard lock(mutex);
    mostQueued = std::max(mostQueued, ++queued);
    wake.notify_one();
    return true;
  });

  std::atomic<bool> producing{true};
  std::vector<int> lastTaken(kProducers, -1);
  std::thread receiver([&] {
    for (;;) {
      {
        std::unique_lock lock(mutex);
        wake.wait(lock, [&] { return queued > 0 || !producing.load(); });
        if (queued == 0) return;
        --queued;  // dequeued: the handler runs now
      }
      if (auto value = handover.take()) {
        EXPECT_GT(value->sequence, lastTaken[static_cast<std::size_t>(value->producer)]);
        lastTaken[static_cast<std::size_t>(value->producer)] = value->sequence;
      }
    }
  });
  std::vector<std::thread> producers;
  for (int p = 0; p < kProducers; ++p)
    producers.emplace_back([&, p] {
      for (int i = 0; i < kValuesEach; ++i) handover.offer({p, i});
    });
  for (auto& t : producers) t.join();
  {
    std::lock_guard lock(mutex);
    producing = false;
    wake.notify_one();
  }
  receiver.join();
  if (auto value = handover.take()) lastTaken[static_cast<std::size_t>(value->producer)] = value->sequence;

  EXPECT_EQ(mostQueued, 1);
  const auto counts = handover.counts();
  EXPECT_EQ(counts.offered, static_cast<std::uint64_t>(kProducers * kValuesEach));
  EXPECT_EQ(counts.taken + counts.replaced, counts.offered);
  // The very last offer is never lost: it was taken by the receiver or is still held.
  int lastOfAny = 0;
  for (int last : lastTaken) lastOfAny += last == kValuesEach - 1;
  EXPECT_GE(lastOfAny, 1);
}

TEST(LiveFrame, CopiesTheBitmapsPixelsAndRefusesAMalformedOne) {
  std::vector<std::uint8_t> pixels(320 * 240);
  for (std::size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<std::uint8_t>(i);
  SensorBitmap bitmap{320, 240, pixels.data()};
  const LiveFrame frame = LiveFrame::fromBitmap(&bitmap, 7);
  EXPECT_EQ(frame.number, 7);
  EXPECT_EQ(frame.width, 320);
  EXPECT_EQ(frame.height, 240);
  EXPECT_EQ(frame.pixels, pixels);

  EXPECT_TRUE(LiveFrame::fromBitmap(nullptr, 1).empty());
  SensorBitmap noPixels{320, 240, nullptr};
  EXPECT_TRUE(LiveFrame::fromBitmap(&noPixels, 1).empty());
  SensorBitmap negative{-1, 240, pixels.data()};
  EXPECT_TRUE(LiveFrame::fromBitmap(&negative, 1).empty());
}

}  // namespace
