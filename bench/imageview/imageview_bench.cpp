// What showing a reading costs the program, beside its floor, in one run.
//   Readings    - the simulated sensor (a process of its own) reads at 45
//                 readings/s in monitor operation; the program as it runs
//                 (the composition root's window, shown offscreen) shows
//                 each reading: CPU per reading and renders per reading.
//                 Beside it the floor: the library alone making the same
//                 calls on the same readings at the same rate.
//                 Goal: the program within 1.3x of the floor; one render.
//   Paint640/<step>, Paint320/<step> - a picture handed to the image view
//                 with a window of interest, 10 code boxes and a caption,
//                 painted in an offscreen window, at each zoom step.
// VT_BENCH_SECONDS sets the measured span of each reading run (default 5, 1
// in the smoke run). Compared: CPU per reading beside the library alone.
// CPU time follows the machine's load; the count of instructions does not:
// run under callgrind from an empty folder (see docs/image-view.md) and the
// bench reads its own dumps and prints instructions per reading beside it.
#include "../support/connected_program.h"
#include "../support/callgrind_dumps.h"
#include "../support/library_reading.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTest>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <vector>

#include "comparison.h"
#include "core/live_frame.h"
#include "core/main_dialog_state.h"
#include "core/sensor_command.h"
#include "platform/window_target.h"
#include "view/bounding_box.h"
#include "view/direct_x.h"
#include "view/image_view_service.h"
#include "view/live_image_feed.h"
#include "view/screen_text.h"
#include "view/woi_rebuild.h"

namespace {

constexpr int kReadingPeriodMs = 22;  // about 45 readings a second

struct Figures {
  double cpuMsPerReading = 0;
  int readings = 0;
  double guiCpuMsPerReading = 0;     // the program's GUI thread alone
  double rendersPerReading = 0;
  double sensorCpuMsPerReading = 0;  // the simulated sensor's, not counted above
  double instructionsPerReading = 0;  // under callgrind only
};

// Under callgrind: instructions per reading, from the run's dump.
void ReadInstructions(Figures& f, const std::string& name) {
  if (!RUNNING_ON_VALGRIND || f.readings <= 0) return;
  for (const auto& [dump, events] : vt::bench::CallgrindDumps())
    if (dump == name) f.instructionsPerReading = events / f.readings;
}

// The program as main() runs it, connected in the monitor.
struct ProgramInMonitor {
  vt::bench::ConnectedProgram program;
  const vt::bench::SensorProcess& sensor;

  explicit ProgramInMonitor(const vt::bench::SensorProcess& sensor)
      : program(sensor, "imageview_bench"), sensor(sensor) {
    if (!QTest::qWaitFor([&] { return readings() > 0; }, 20000)) program.Fail("the program did not start reading");
  }

  int readings() const { return program.handled(CMD_RESUME_POLLING); }
  int renders() {
    ImageView* view = program.imageView();
    return view ? view->view().renderCount() : 0;
  }

  Figures Measure(int seconds) {
    vt::bench::RunEventLoop(1000);  // settled
    const int readings0 = readings(), renders0 = renders();
    const double cpu0 = vt::bench::ProcessCpuMs(), gui0 = vt::bench::ThreadCpuMs(), sensor0 = sensor.CpuMs();
    CALLGRIND_ZERO_STATS;
    vt::bench::RunEventLoop(seconds * 1000);
    CALLGRIND_DUMP_STATS_AT("program");
    Figures f;
    f.readings = readings() - readings0;
    const double cpu = vt::bench::ProcessCpuMs() - cpu0;
    if (f.readings > 0) {
      f.cpuMsPerReading = cpu / f.readings;
      f.guiCpuMsPerReading = (vt::bench::ThreadCpuMs() - gui0) / f.readings;
      f.rendersPerReading = double(renders() - renders0) / f.readings;
      f.sensorCpuMsPerReading = (sensor.CpuMs() - sensor0) / f.readings;
    }
    return f;
  }
};

// The floor: the calls a monitor reading makes, straight through the
// library, on each reading the sensor reports.
struct LibraryAlone {
  VtWindowTarget target{};
  std::mutex mutex;
  std::condition_variable reported;
  int events = 0;

  static void OnEvent(void* self, unsigned message, uintptr_t wParam, intptr_t lParam, VtPayloadDeleter deleter) {
    if (deleter) deleter(reinterpret_cast<void*>(lParam));
    if (message != WM_SENSORNOTIFY || (wParam != SN_POLL_RESULT_2 && wParam != SN_POLL_RESULT_3)) return;
    auto* me = static_cast<LibraryAlone*>(self);
    {
      std::lock_guard lock(me->mutex);
      ++me->events;
    }
    me->reported.notify_one();
  }

  const vt::bench::SensorProcess& sensor;

  explicit LibraryAlone(const vt::bench::SensorProcess& sensor) : sensor(sensor) {
    vt_target_init(&target, &LibraryAlone::OnEvent, this);
    char version[256] = {}, type[256] = {};
    if (Connect(&target, "127.0.0.1", sensor.address().c_str(), sensor.port(), version, type) != 0) std::abort();
    StartMonitorMode(1);
  }
  ~LibraryAlone() {
    StartMonitorMode(0);
    vt_target_close(&target);
    Disconnect("127.0.0.1");
  }

  // Waits for the next report; false at the deadline.
  bool Next(std::chrono::steady_clock::time_point deadline) {
    std::unique_lock lock(mutex);
    if (!reported.wait_until(lock, deadline, [&] { return events > 0; })) return false;
    events = 0;
    return true;
  }

  Figures Measure(int seconds) {
    using Clock = std::chrono::steady_clock;
    auto settled = Clock::now() + std::chrono::seconds(1);
    while (Next(settled)) vt::bench::FetchReadingThroughLibrary();
    const double cpu0 = vt::bench::ProcessCpuMs(), sensor0 = sensor.CpuMs();
    const auto end = Clock::now() + std::chrono::seconds(seconds);
    Figures f;
    CALLGRIND_ZERO_STATS;
    while (Next(end)) {
      vt::bench::FetchReadingThroughLibrary();
      ++f.readings;
    }
    CALLGRIND_DUMP_STATS_AT("library");
    if (f.readings > 0) {
      f.cpuMsPerReading = (vt::bench::ProcessCpuMs() - cpu0) / f.readings;
      f.sensorCpuMsPerReading = (sensor.CpuMs() - sensor0) / f.readings;
    }
    return f;
  }
};

// --- The view alone, per zoom step ---

QString benchText(int id) { return id == 7910 ? QStringLiteral("Search area") : QStringLiteral("DejaVu Sans"); }

// A view as the program shows a reading: window of interest, 10 boxes, caption.
struct Scene {
  MainDialogState state;
  CDirectX view{state, state.colours, benchText};

  explicit Scene(int zoomStep) {
    view.InitDirectDraw();
    state.m_rcWoi = {40, 40, 600, 440};
    state.m_bCodeDefinitionView = true;
    RebuildWoiOverlay(view, state.m_rcWoi, true, WoiShown::Configured);
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

}  // namespace

int main(int argc, char** argv) {
  // Before any thread: the sensors fork off, one for each run.
  vt::bench::SensorPair sensors({.readingPeriodMs = kReadingPeriodMs});
  if (!sensors.ok()) {
    std::fprintf(stderr, "imageview_bench: no simulated sensor\n");
    return 1;
  }
  vt::bench::PrepareProgramProcess();
  QApplication app(argc, argv);
  const int seconds = vt::bench::MeasuredSeconds();

  Figures program, floor;
  {
    ProgramInMonitor p(sensors.program);
    program = p.Measure(seconds);
  }
  ReadInstructions(program, "program");
  {
    LibraryAlone l(sensors.floor);
    floor = l.Measure(seconds);
  }
  ReadInstructions(floor, "library");
  std::printf("Readings at %d/s in monitor operation, %d s each\n", 1000 / kReadingPeriodMs, seconds);
  std::printf("  program        %6.2f ms CPU per reading (%d readings), %.2f renders per reading; its GUI thread "
              "%.2f ms of it\n",
              program.cpuMsPerReading, program.readings, program.rendersPerReading, program.guiCpuMsPerReading);
  std::printf("  library alone  %6.2f ms CPU per reading (%d readings)\n", floor.cpuMsPerReading, floor.readings);
  std::printf("  ratio          %6.2f (goal: at most 1.3; one render per reading)\n",
              floor.cpuMsPerReading > 0 ? program.cpuMsPerReading / floor.cpuMsPerReading : 0.0);
  std::printf("  (the simulated sensor, a process of its own, counted in neither: %.2f ms per reading beside "
              "the program, %.2f beside the library; counted in both, the ratio is %.2f)\n",
              program.sensorCpuMsPerReading, floor.sensorCpuMsPerReading,
              floor.cpuMsPerReading > 0 ? (program.cpuMsPerReading + program.sensorCpuMsPerReading) /
                                              (floor.cpuMsPerReading + floor.sensorCpuMsPerReading)
                                        : 0.0);
  if (program.instructionsPerReading > 0 && floor.instructionsPerReading > 0)
    std::printf("  instructions   %6.2f M per reading in the program, %.2f M in the library alone: ratio %.2f\n",
                program.instructionsPerReading / 1e6, floor.instructionsPerReading / 1e6,
                program.instructionsPerReading / floor.instructionsPerReading);
  const bool ok = vt::bench::Compare("a reading shown, CPU per reading", program.cpuMsPerReading,
                                     "the library alone at the same rate", floor.cpuMsPerReading, "ms");
  std::fflush(stdout);
  return vt::bench::RunBenchmarks(argc, argv) == 0 && ok ? 0 : 1;
}
