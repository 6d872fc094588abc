// What a monitor reading costs the program, beside the library alone.
//   ProgramReading - the simulator takes a reading; the polling event, the
//                    worker's fetch with the picture, the result reading
//                    (configuration, general result, detail, quality), the
//                    picture shown in an offscreen image view, statistics,
//                    release and resumed polling: until the program polls again
//   LibraryReading - the same calls on the same readings straight through
//                    the library, no program (for comparison)
//   Memory         - VT_BENCH_READINGS readings (default 10000) in a row:
//                    resident memory after the first tenth and at the end
// Prints the figures; VT_BENCH_TIMED sets the timed readings (200).
// Goal: the program's own cost (ProgramReading less LibraryReading) under
// 5 ms median; memory flat.
// The simulator first: its members named "slots" must not meet Qt's keyword macro.
#include "simulated_sensor.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <thread>
#include <atomic>
#include <string>
#include <vector>

#include "commands/sensor_notify.h"
#include "core/sensor_command.h"
#include "dravik/dravik.h"
#include "dravik/results.h"
#include "dravik/sensor_commands.h"
#include "platform/window_target.h"
#include "services/recording_prompt.h"
#include "text/text_codecs.h"
#include "view/image_view_service.h"
#include "window/main_window.h"

namespace {

long ResidentKb() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("VmRSS:", 0) == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
  return 0;
}

double Median(std::vector<double> v) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

// A simulated sensor in the monitor with an active configuration.
struct MonitorSensor {
  vt::test::SimulatedSensor sensor;
  MonitorSensor() {
    if (!sensor.Start()) std::abort();
    const vt::sim::SlotRef slot{0, "{Bench}", -1};
    sensor.model.createConfig(slot);
    sensor.model.closeAndSave();
    sensor.model.activateConfig(slot);
    sensor.readings.setCodeType(1);
    sensor.model.setState(2);
  }
};

// The program: main window with its image view, connected in the monitor.
struct Program {
  MonitorSensor sim;
  RecordingPrompt prompt;
  std::unique_ptr<CVarnisDatamatrixDlg> window;
  std::unique_ptr<CSensorNotify> notify;
  int resumed = 0;

  Program() {
    MainPanels panels;
    panels.imageView = std::make_unique<ImageView>();
    window = std::make_unique<CVarnisDatamatrixDlg>(prompt, std::move(panels));
    window->setSplashEnabled(false);
    window->OnInitDialog();
    notify = std::make_unique<CSensorNotify>(*window);
    QObject::connect(notify.get(), &CSensorNotify::notified, [this](int id, int) {
      if (id == CMD_RESUME_POLLING) ++resumed;
    });
    MainDialogState& s = window->state();
    Utf8ToUtf16String(s.m_strConnectAddress, sim.sensor.server.address());
    s.m_nConnectPort = sim.sensor.server.port();
    s.m_bBusy = 1;
    window->PostSensorCommand(CMD_CONNECT);
    if (!QTest::qWaitFor([&] { return resumed > 0; }, 20000)) std::abort();
  }
  ~Program() {
    notify.reset();
    window.reset();
  }
  // One reading, from the sensor taking it to polling resumed; seconds.
  double Reading() {
    const int before = resumed;
    QElapsedTimer t;
    t.start();
    sim.sensor.readings.takeReading();
    while (resumed == before) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    return double(t.nsecsElapsed()) / 1e9;
  }
};

// The library alone: the same calls a reading makes, from the event on.
struct LibraryOnly {
  MonitorSensor sim;
  VtWindowTarget target{};
  std::atomic<int> events{0};

  static void OnEvent(void* self, unsigned message, uintptr_t wParam, intptr_t lParam, VtPayloadDeleter deleter) {
    if (deleter) deleter(reinterpret_cast<void*>(lParam));
    if (message == WM_SENSORNOTIFY && (wParam == SN_POLL_RESULT_2 || wParam == SN_POLL_RESULT_3))
      ++static_cast<LibraryOnly*>(self)->events;
  }
  LibraryOnly() {
    vt_target_init(&target, &LibraryOnly::OnEvent, this);
    char version[256] = {}, type[256] = {};
    if (Connect(&target, "127.0.0.1", sim.sensor.server.address().c_str(), sim.sensor.server.port(), version, type) != 0)
      std::abort();
    StartMonitorMode(1);
  }
  ~LibraryOnly() {
    StartMonitorMode(0);
    vt_target_close(&target);
    Disconnect("127.0.0.1");
  }
  double Reading() {
    const int before = events.load();
    QElapsedTimer t;
    t.start();
    sim.sensor.readings.takeReading();
    while (events.load() == before) std::this_thread::sleep_for(std::chrono::microseconds(100));
    int count = 0;
    SensorBitmap* bitmap = nullptr;
    ParameterList list, config, items, detail, quality;
    std::vector<uint8_t> bytes;
    GetNumberOfResults(-1, 0, 1, &count, &bitmap, &list);
    if (bitmap) DeleteSensorBitmap(bitmap);
    GetConfigData(&config, 2, 1017);
    for (int k = 0; k < count; ++k) {
      GetTestConfigResult(k, &items, &bytes);
      GetECC200Result(k, &detail);
      GetECC200QualityResult(k, &quality);
    }
    int total = 0, good = 0;
    GetSensorStatistics(&total, &good);
    SetUnlockResult();
    ResumePollingThread();
    return double(t.nsecsElapsed()) / 1e9;
  }
};

std::vector<double> Times(int n, const std::function<double()>& reading) {
  std::vector<double> ms;
  for (int i = 0; i < n; ++i) ms.push_back(reading() * 1000);
  return ms;
}

int EnvInt(const char* name, int fallback) {
  const char* v = std::getenv(name);
  return v && *v ? std::atoi(v) : fallback;
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  qputenv("VT_ALLOW_LOOPBACK_SENSOR", "1");
  QApplication app(argc, argv);
  const int timed = EnvInt("VT_BENCH_TIMED", 200);
  const int total = EnvInt("VT_BENCH_READINGS", 10000);

  double program = 0, library = 0;
  long rssEarly = 0, rssLate = 0;
  {
    Program p;
    Times(20, [&] { return p.Reading(); });  // warm up
    program = Median(Times(timed, [&] { return p.Reading(); }));
    const int early = std::max(total / 10, 1);
    Times(early, [&] { return p.Reading(); });
    rssEarly = ResidentKb();
    Times(total - early, [&] { return p.Reading(); });
    rssLate = ResidentKb();
  }
  {
    LibraryOnly l;
    Times(20, [&] { return l.Reading(); });
    library = Median(Times(timed, [&] { return l.Reading(); }));
  }
  std::printf("ProgramReading  median %.2f ms per reading (event to records, picture, statistics, polling again)\n",
              program);
  std::printf("LibraryReading  median %.2f ms per reading (the same calls, library alone)\n", library);
  std::printf("Program's own   %.2f ms per reading (goal: under 5 ms)\n", program - library);
  std::printf("Memory          %ld kB after %d readings, %ld kB after %d (goal: flat)\n", rssEarly,
              std::max(total / 10, 1) + timed + 20, rssLate, total + timed + 20);
  return 0;
}
