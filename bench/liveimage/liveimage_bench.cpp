// What the live image costs the program, beside its floor, in one run.
//   Live at 25 frames/s - the simulated sensor (a process of its own)
//                          streams; the program as it runs (the composition
//                          root's window, shown offscreen) opens a
//                          configuration on the image-quality page, which
//                          starts the live image, and shows the frames: CPU
//                          per frame and in % of a core. Beside it the floor: a bare Qt widget
//                          of the picture's size taking the same frames from
//                          the library's receiver (which decodes them) and
//                          painting each scaled once. Goal: within 1.3x.
// Then, as frames per second ("fps"), the library alone:
//   DecodeAlone            - the JPEG decoder on a stored frame
//   ReassembleAndDecode    - the datagrams of a frame through the reassembly,
//                            then the decoder, all in memory
//   StreamOverLoopback     - a sensor socket sends the frame, the receiver's
//                            thread reassembles and announces it, the reader
//                            takes it as a bitmap
// VT_BENCH_SECONDS sets the measured span of each live run (default 5, 1 in
// the smoke run). Compared: frames painted per second and CPU per frame
// beside the bare widget, the GUI thread's share of a core beside the bare
// JPEG decode of the same frames.
#include "../support/connected_program.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPainter>
#include <QTest>
#include <QWidget>
#include <cstring>
#include <memory>
#include <vector>

#include "comparison.h"
#include "core/latest_handover.h"
#include "core/main_dialog_state.h"
#include "core/sensor_command.h"
#include "frame_assembler.h"
#include "jpeg_decoder.h"
#include "live_image.h"
#include "loopback_address.h"
#include "platform/udp_socket.h"
#include "recording_target.h"
#include "sensor_bitmap_alloc.h"
#include "sim/live_image_jpeg.h"
#include "sim/live_image_scene.h"
#include "view/image_view_service.h"

namespace {

constexpr int kFramesPerSecond = 25;
constexpr int kImageQualityStep = 7;


struct Figures {
  int frames = 0;      // painted while measured
  double cpuMs = 0;    // of the whole process while measured
  double seconds = 0;
  double guiCpuMs = 0;  // of the GUI thread
  double residentStartMb = 0, residentEndMb = 0;  // at the start and the end of the measured span
  double perFrame() const { return frames > 0 ? cpuMs / frames : 0; }
  double percentOfCore() const { return seconds > 0 ? cpuMs / (seconds * 10) : 0; }
  double guiPercentOfCore() const { return seconds > 0 ? guiCpuMs / (seconds * 10) : 0; }
  double framesPerSecond() const { return seconds > 0 ? frames / seconds : 0; }
};

// CPU and painted frames over `seconds`, after a second to settle.
template <class Painted>
Figures MeasureLive(int seconds, Painted painted) {
  vt::bench::RunEventLoop(1000);
  const int frames0 = painted();
  const double cpu0 = vt::bench::ProcessCpuMs();
  const double gui0 = vt::bench::ThreadCpuMs();
  const double resident0 = vt::bench::ResidentMb();
  vt::bench::RunEventLoop(seconds * 1000);
  return {painted() - frames0, vt::bench::ProcessCpuMs() - cpu0, double(seconds), vt::bench::ThreadCpuMs() - gui0,
          resident0, vt::bench::ResidentMb()};
}

// The program as main() runs it, with the live image on.
struct ProgramLive {
  vt::bench::ConnectedProgram program;

  explicit ProgramLive(const vt::bench::SensorProcess& sensor) : program(sensor, "liveimage_bench") {}

  // Slot 0 opened in the editor on the image-quality page, which starts the
  // live image, as the configuration manager's Edit does.
  void OpenImageQualityPage() {
    MainDialogState& s = program.state();
    s.m_nConfigIndex = 0;
    s.m_nGroup = 0;
    s.m_strConfigName = u"Conf1";
    s.m_bNameEncoded = false;
    s.m_bEditorMode = 1;
    s.m_nWizardStep = kImageQualityStep;
    s.m_bImageQualityView = 1;
    program.Post(CMD_EDIT_CONFIG);
    if (!QTest::qWaitFor([&] { return s.m_bLiveImage && s.m_nOutstandingCommands == 0 && !s.m_bBusy; }, 20000))
      program.Fail("the image-quality page shows no live image");
  }

  PictureControl* control() {
    ImageView* view = program.imageView();
    return view ? view->view().pictureControl() : nullptr;
  }
  LatestHandover<LiveFrame>::Counts feedCounts() {
    ImageView* view = program.imageView();
    return view && view->feed() ? view->feed()->handover().counts() : LatestHandover<LiveFrame>::Counts{};
  }
};

// The floor: the library's receiver and a widget that paints its frames.
class BareLiveWidget : public QWidget {
public:
  BareLiveWidget(const std::string& address, uint16_t port)
      : receiver_(&target_, address.c_str(), port) {
    setFixedSize(480, 360);
    setAttribute(Qt::WA_OpaquePaintEvent);
    vt_target_init(&target_, &BareLiveWidget::Post, this);
    receiver_.Start();
  }
  ~BareLiveWidget() override {
    receiver_.Stop();
    vt_target_close(&target_);
  }
  int painted() const { return painted_; }

protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    if (frame_.isNull()) return;
    painter.drawImage(rect(), frame_);
    ++painted_;
  }

private:
  // Receiver thread: one fetch pending at most, as the program has it.
  static void Post(void* self, unsigned, uintptr_t wParam, intptr_t lParam, VtPayloadDeleter) {
    if (wParam == 1000) static_cast<BareLiveWidget*>(self)->numbers_.offer(static_cast<int>(lParam));
  }
  void Fetch() {
    if (!numbers_.take()) return;
    SensorBitmap* bitmap = nullptr;
    if (receiver_.GetLastImage(&bitmap) != 0 || !bitmap) return;
    QImage frame(bitmap->width, bitmap->height, QImage::Format_Grayscale8);
    for (int y = 0; y < bitmap->height; ++y)
      std::memcpy(frame.scanLine(y), bitmap->pixels + std::size_t(y) * bitmap->width, std::size_t(bitmap->width));
    dravik::freeSensorBitmap(bitmap);
    frame_ = std::move(frame);
    update();
  }

  VtWindowTarget target_{};
  LatestHandover<int> numbers_{
      [this] { return QMetaObject::invokeMethod(this, [this] { Fetch(); }, Qt::QueuedConnection); }};
  dravik::CLiveImage receiver_;
  QImage frame_;
  int painted_ = 0;
};

// --- The library alone ---

using Datagram = std::vector<std::byte>;

constexpr int kFragments = 4;

std::vector<std::uint8_t> frameJpeg() {
  return vt::sim::encodeGreyJpeg(vt::sim::renderLiveFrame(0x1234), 320, 240, 85);
}

std::vector<Datagram> frameDatagrams(const std::vector<std::uint8_t>& jpeg, std::uint16_t number) {
  std::vector<Datagram> out;
  Datagram header(7);
  std::memcpy(header.data(), "Init", 4);
  header[4] = std::byte{kFragments};
  header[5] = static_cast<std::byte>(number >> 8);
  header[6] = static_cast<std::byte>(number & 0xFF);
  out.push_back(header);
  const std::size_t piece = (jpeg.size() + kFragments - 1) / kFragments;
  for (int i = 0; i < kFragments; ++i) {
    const std::size_t begin = std::min(jpeg.size(), piece * i);
    const std::size_t end = std::min(jpeg.size(), begin + piece);
    Datagram d(1 + end - begin);
    d[0] = static_cast<std::byte>(i);
    std::memcpy(d.data() + 1, jpeg.data() + begin, end - begin);
    out.push_back(std::move(d));
  }
  return out;
}

void countFrames(benchmark::State& state) {
  state.counters["fps"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

void DecodeAlone(benchmark::State& state) {
  const auto jpeg = frameJpeg();
  dravik::JpegDecoder decoder;
  std::vector<std::uint8_t> pixels(320 * 240);
  for (auto _ : state) {
    if (!decoder.decodeGrey(jpeg, 320, 240, pixels.data())) state.SkipWithError("decode failed");
    benchmark::DoNotOptimize(pixels.data());
  }
  countFrames(state);
}
BENCHMARK(DecodeAlone);

void ReassembleAndDecode(benchmark::State& state) {
  const auto datagrams = frameDatagrams(frameJpeg(), 1);
  dravik::FrameAssembler assembler;
  dravik::JpegDecoder decoder;
  std::vector<std::byte> frame(dravik::kMaxLiveFrameBytes);
  std::vector<std::uint8_t> pixels(320 * 240);
  for (auto _ : state) {
    for (const Datagram& d : datagrams) assembler.take(d, frame);
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(frame.data());
    if (!decoder.decodeGrey({bytes, assembler.frameLength()}, 320, 240, pixels.data()))
      state.SkipWithError("decode failed");
    benchmark::DoNotOptimize(pixels.data());
  }
  countFrames(state);
}
BENCHMARK(ReassembleAndDecode);

void StreamOverLoopback(benchmark::State& state) {
  const std::string address = vt::test::uniqueLoopbackAddress();
  const uint32_t host = *vt::parseIpv4(address.c_str());
  vt::UdpSocket sensor;
  if (sensor.open() != 0 || sensor.bind({host, 0}) != 0) {
    state.SkipWithError("no sensor socket");
    return;
  }
  vt::test::RecordingTarget target;
  dravik::CLiveImage receiver(target.window(), address.c_str(), sensor.localEndpoint().port);
  receiver.Start();
  // The handshake.
  Datagram buffer(5001);
  vt::Ipv4Endpoint peer;
  while (sensor.waitReadable(std::chrono::seconds(5)) > 0) {
    const long n = sensor.receive(buffer, &peer);
    if (n == 4 && std::memcmp(buffer.data(), "Init", 4) == 0) break;
  }
  sensor.sendTo(std::span(buffer.data(), 4), peer);

  // Every frame is announced, whatever its number.
  const auto datagrams = frameDatagrams(frameJpeg(), 1);
  std::size_t announced = 0;
  for (auto _ : state) {
    for (const Datagram& d : datagrams) sensor.sendTo(d, peer);
    if (!target.waitForCount(++announced, std::chrono::seconds(5))) {
      state.SkipWithError("frame not announced");
      break;
    }
    SensorBitmap* bitmap = nullptr;
    if (receiver.GetLastImage(&bitmap) != 0) state.SkipWithError("frame not decoded");
    dravik::freeSensorBitmap(bitmap);
  }
  countFrames(state);
  receiver.Stop();
}
BENCHMARK(StreamOverLoopback)->UseRealTime();

// The JPEG decoder alone on the stream's frame: CPU milliseconds per frame.
double DecodeMsPerFrame() {
  const auto jpeg = frameJpeg();
  dravik::JpegDecoder decoder;
  std::vector<std::uint8_t> pixels(320 * 240);
  constexpr int kFrames = 200;
  const double before = vt::bench::ThreadCpuMs();
  for (int i = 0; i < kFrames; ++i) decoder.decodeGrey(jpeg, 320, 240, pixels.data());
  return (vt::bench::ThreadCpuMs() - before) / kFrames;
}

}  // namespace

int main(int argc, char** argv) {
  // Before any thread: the sensors fork off, one for each run.
  const vt::bench::SensorProcessOptions options{.readingPeriodMs = 0, .liveFramesPerSecond = kFramesPerSecond,
                                                .state = 4};
  vt::bench::SensorPair sensors(options);
  if (!sensors.ok()) {
    std::fprintf(stderr, "liveimage_bench: no simulated sensor\n");
    return 1;
  }
  vt::bench::PrepareProgramProcess();
  QApplication app(argc, argv);
  const int seconds = vt::bench::MeasuredSeconds();

  Figures program, floor;
  LatestHandover<LiveFrame>::Counts fed;
  bool shown = false;
  {
    ProgramLive p(sensors.program);
    PictureControl* control = p.control();
    const auto painted = [&] { return control ? control->paintCount() : 0; };
    p.OpenImageQualityPage();
    shown = control && control->isVisible();
    program = MeasureLive(seconds, painted);
    fed = p.feedCounts();
  }
  {
    BareLiveWidget widget(sensors.floor.address(), sensors.floor.livePort());
    widget.show();
    floor = MeasureLive(seconds, [&] { return widget.painted(); });
  }
  std::printf("Live image at %d frames/s, %d s each\n", kFramesPerSecond, seconds);
  std::printf("  program      %5.2f ms CPU per frame, %5.1f %% of a core (%d frames painted%s)\n", program.perFrame(),
              program.percentOfCore(), program.frames, shown ? "" : ", picture hidden");
  std::printf("  bare widget  %5.2f ms CPU per frame, %5.1f %% of a core (%d frames painted)\n", floor.perFrame(),
              floor.percentOfCore(), floor.frames);
  std::printf("  ratio        %5.2f (goal: at most 1.3)\n",
              floor.percentOfCore() > 0 ? program.percentOfCore() / floor.percentOfCore() : 0.0);
  // Newest only: what was offered is shown or replaced by a newer frame;
  // at most one waits, whatever the paint costs.
  const auto waiting = static_cast<long long>(fed.offered - fed.taken - fed.replaced);
  std::printf("  frames       %llu offered to the view, %llu shown, %llu replaced by a newer one, %lld waiting\n",
              static_cast<unsigned long long>(fed.offered), static_cast<unsigned long long>(fed.taken),
              static_cast<unsigned long long>(fed.replaced), waiting);
  const double decodeMs = DecodeMsPerFrame();
  bool ok = vt::bench::Compare("live image, frames painted per second", program.framesPerSecond(),
                               "the bare widget", floor.framesPerSecond(), "frames/s");
  ok = vt::bench::Compare("live image, CPU per frame", program.perFrame(), "the bare widget", floor.perFrame(),
                          "ms") &&
       ok;
  // The GUI thread's share beside what decoding the same frames alone takes
  // of a core (the program decodes on the library's thread, not the GUI's).
  ok = vt::bench::Compare("live image, the GUI thread's share of a core", program.guiPercentOfCore(),
                          "the bare JPEG decode of the same frames", decodeMs * kFramesPerSecond / 10, "%") &&
       ok;
  ok = vt::bench::Compare("live image, resident memory at the end of the run", program.residentEndMb,
                          "at its start", program.residentStartMb, "MB") &&
       ok;
  if (fed.offered == 0 || waiting < 0 || waiting > 1) {
    std::printf("compare: live image, frames waiting for the view: cannot measure (%lld)\n", waiting);
    ok = false;
  }
  std::fflush(stdout);
  return vt::bench::RunBenchmarks(argc, argv) == 0 && ok ? 0 : 1;
}
