// What it costs to show a sensor picture, and whether live frames queue.
//   Paint640/<step>   - a 640 x 480 SensorBitmap handed over, copied, drawn
//                       with a window of interest, 10 code boxes and a
//                       caption, and painted in an offscreen window
//   Paint320/<step>   - the same for a 320 x 240 live frame
//   DecodeAlone       - the library decoding one live frame (for comparison)
//   StreamAt30fps     - the simulator's live source at 30 frames/s for 10 s
//                       over loopback: frames sent and painted, the most
//                       notifications ever pending, latency p50/p99 from
//                       the library's event to the painted frame
// Goal: under 5 ms per paint at 1x; the stream keeps up without queuing.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <mutex>
#include <vector>

#include "core/live_frame.h"
#include "core/main_dialog_state.h"
#include "dravik/sensor_bitmap.h"
#include "jpeg_decoder.h"
#include "live_image.h"
#include "loopback_address.h"
#include "sensor_bitmap_alloc.h"
#include "sim/live_image_jpeg.h"
#include "sim/live_image_scene.h"
#include "sim/live_image_source.h"
#include "view/bounding_box.h"
#include "view/direct_x.h"
#include "view/live_image_feed.h"
#include "view/screen_text.h"
#include "view/woi_rebuild.h"

namespace {

QString benchText(int id) { return id == 7910 ? QStringLiteral("Search area") : QStringLiteral("DejaVu Sans"); }

// A view as the program shows a reading: window of interest, 10 boxes, caption.
struct Scene {
  MainDialogState state;
  CDirectX view{state, state.colours, benchText};

  explicit Scene(int zoomStep) {
    view.InitDirectDraw();
    state.m_rcWoi = {40, 40, 600, 440};
    state.m_bCodeDefinitionView = true;
    RebuildWoiOverlay(view, state);
    for (int i = 0; i < 10; ++i) {
      int id = 0;
      COverlay* overlay = nullptr;
      view.AddOverlay(OVERLAY_BOUNDING_BOX, &id, &overlay);
      const int x = 80 + (i % 5) * 100, y = 80 + (i / 5) * 150;
      auto* box = static_cast<CBoundingBox*>(overlay);
      box->SetCorners(x, y + 8, x + 60, y, x + 68, y + 60, x + 8, y + 68, 0);
      box->SetLabel(QString::number(i + 1).rightJustified(2, '0'));
      view.SetOverlayStyle(id, 4);
    }
    int id = 0;
    COverlay* overlay = nullptr;
    view.AddOverlay(OVERLAY_SCREEN_TEXT, &id, &overlay);
    static_cast<CScreenText*>(overlay)->SetText("Evaluation 14:03:27");
    static_cast<CScreenText*>(overlay)->SetPosition(10, 440);
    view.zoom().Apply(zoomStep);
    state.m_ptZoomCentre = {320, 240};
    view.UpdateSourceRect(true);
    view.pictureControl()->show();
    QApplication::processEvents();
  }

  // Arrival to painted: the bitmap's pixels copied out, shown, painted now.
  void show(const SensorBitmap& bitmap, int number) {
    view.ShowPicture(LiveImageFeed::toImage(LiveFrame::fromBitmap(&bitmap, number)));
    view.pictureControl()->repaint();
  }
};

void paint(benchmark::State& state, int width, int height) {
  Scene scene(static_cast<int>(state.range(0)));
  std::vector<std::uint8_t> pixels(static_cast<std::size_t>(width * height));
  for (std::size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<std::uint8_t>(i % 251);
  SensorBitmap bitmap{width, height, pixels.data()};
  int number = 0;
  for (auto _ : state) scene.show(bitmap, ++number);
}

void Paint640(benchmark::State& state) { paint(state, 640, 480); }
void Paint320(benchmark::State& state) { paint(state, 320, 240); }
BENCHMARK(Paint640)->DenseRange(0, 5)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(Paint320)->DenseRange(0, 5)->Unit(benchmark::kMillisecond)->UseRealTime();

void DecodeAlone(benchmark::State& state) {
  const auto jpeg = vt::sim::encodeGreyJpeg(vt::sim::renderLiveFrame(0x1234), 320, 240, 85);
  dravik::JpegDecoder decoder;
  std::vector<std::uint8_t> pixels(320 * 240);
  for (auto _ : state) {
    if (!decoder.decodeGrey(jpeg, 320, 240, pixels.data())) state.SkipWithError("decode failed");
    benchmark::DoNotOptimize(pixels.data());
  }
}
BENCHMARK(DecodeAlone)->Unit(benchmark::kMillisecond);

// The event sink as the program has it: event 1000 goes through a hand-over
// of image numbers, at most one queued call pending; the GUI fetches the
// newest frame from the library when the call runs.
struct StreamSink {
  using Clock = std::chrono::steady_clock;
  Scene scene{0};
  dravik::CLiveImage* receiver = nullptr;
  std::mutex mutex;
  int queued = 0;
  int mostQueued = 0;
  Clock::time_point postedAt;
  std::vector<double> latencyMs;
  int painted = 0;
  QObject context;
  LatestHandover<int> numbers{[this] {
    {
      std::lock_guard lock(mutex);
      mostQueued = std::max(mostQueued, ++queued);
      postedAt = Clock::now();
    }
    return QMetaObject::invokeMethod(&context, [this] { onEvent(); }, Qt::QueuedConnection);
  }};

  static void post(void* context, unsigned, uintptr_t wParam, intptr_t lParam, VtPayloadDeleter) {
    if (wParam == 1000) static_cast<StreamSink*>(context)->numbers.offer(static_cast<int>(lParam));
  }

  void onEvent() {
    Clock::time_point since;
    {
      std::lock_guard lock(mutex);
      --queued;
      since = postedAt;
    }
    const auto number = numbers.take();
    if (!number) return;
    SensorBitmap* bitmap = nullptr;
    if (receiver->GetLastImage(&bitmap) != 0 || !bitmap) return;
    scene.show(*bitmap, *number);
    dravik::freeSensorBitmap(bitmap);
    ++painted;
    latencyMs.push_back(std::chrono::duration<double, std::milli>(Clock::now() - since).count());
  }
};

void StreamAt30fps(benchmark::State& state) {
  for (auto _ : state) {
    const std::string address = vt::test::uniqueLoopbackAddress();
    vt::sim::LiveImageSource source;
    source.setFramesPerSecond(30);
    if (source.start(*vt::parseIpv4(address.c_str()), 0) != 0) {
      state.SkipWithError("no live source");
      return;
    }
    source.setStreaming(true);
    StreamSink sink;
    VtWindowTarget target;
    vt_target_init(&target, &StreamSink::post, &sink);
    dravik::CLiveImage receiver(&target, address.c_str(), source.port());
    sink.receiver = &receiver;
    receiver.Start();
    QEventLoop loop;
    QTimer::singleShot(10000, &loop, &QEventLoop::quit);
    loop.exec();
    receiver.Stop();
    vt_target_close(&target);
    source.stop();
    QApplication::processEvents();

    std::sort(sink.latencyMs.begin(), sink.latencyMs.end());
    const auto at = [&](double q) {
      return sink.latencyMs.empty() ? 0.0 : sink.latencyMs[static_cast<std::size_t>(q * (sink.latencyMs.size() - 1))];
    };
    state.counters["frames_sent"] = source.framesSent();
    state.counters["frames_painted"] = sink.painted;
    state.counters["most_pending"] = sink.mostQueued;
    state.counters["latency_p50_ms"] = at(0.5);
    state.counters["latency_p99_ms"] = at(0.99);
  }
}
BENCHMARK(StreamAt30fps)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
