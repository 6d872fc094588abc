// What a monitor reading costs the program, beside the library alone, and
// whether the program's memory stays flat, in one run:
//   a reading   - the simulator takes a reading; the program as main() puts
//                 it together (app/program/program_window.h: the composition
//                 root's window with its result view and reading tables, the
//                 lock library plugged in), connected through its own
//                 connection panel and shown offscreen, goes from the polling
//                 event through the fetch, the picture, the result lines and
//                 the statistics to polling resumed and the window painted;
//                 median. Beside it the library's fetch alone: the same
//                 calls straight through the library on the same readings.
//   memory      - resident memory after the first reading, after the timed
//                 ones (the heap at its working size) and after 10,000;
//                 then after the first and the 200th connect and disconnect
//                 through the window (address typed, Connect, the menu's
//                 disconnect). The simulator runs in the process, its call log
//                 bounded, so the figure is the program's.
// VT_BENCH_TIMED (200), VT_BENCH_READINGS (10000) and VT_BENCH_CYCLES (200)
// set the counts; the smoke run (VT_BENCH_SMOKE) takes a few of each.
// Goal: the program's own time (a reading less the fetch alone) under 5 ms;
// memory flat within a few MB.
// The simulator first: its members named "slots" must not meet Qt's keyword macro.
#include "simulated_sensor.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "commands/sensor_notify.h"
#include "comparison.h"
#include "library_reading.h"
#include "core/dialog_state_rules.h"
#include "core/sensor_command.h"
#include "dravik/dravik.h"
#include "platform/large_blocks.h"
#include "platform/window_target.h"
#include "program/program_window.h"
#include "services/recording_prompt.h"
#include "window/menu_table.h"

namespace {

constexpr std::size_t kLoggedCalls = 1000;

[[noreturn]] void CannotMeasure(const char* what) {
  std::printf("compare: %s: cannot measure\n", what);
  std::exit(1);
}

double Median(std::vector<double> v) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

int Count(const char* variable, int full, int smoke) {
  const char* v = std::getenv(variable);
  if (v && *v) return std::max(std::atoi(v), 1);
  return vt::bench::Smoke() ? smoke : full;
}

// A simulated sensor in the monitor with an active configuration; its call
// log keeps the latest calls only, so it does not grow with the readings.
struct MonitorSensor {
  vt::test::SimulatedSensor sensor;
  MonitorSensor() {
    vt::sim::ServerLimits limits = sensor.server.limits();
    limits.maxLoggedCalls = kLoggedCalls;
    sensor.server.setLimits(limits);
    if (!sensor.Start()) CannotMeasure("the simulated sensor does not start");
    const vt::sim::SlotRef slot{0, "{Bench}", -1};
    sensor.model.createConfig(slot);
    sensor.model.closeAndSave();
    sensor.model.activateConfig(slot);
    sensor.readings.setCodeType(1);
    sensor.model.setState(2);
  }
};

// The program as it runs, shown, connected through its connection panel.
struct Program {
  MonitorSensor sim;
  RecordingPrompt prompt;  // answers every question with Yes
  ProgramWindow program{prompt};
  std::vector<int> handled;

  Program() {
    window().setSplashEnabled(false);
    if (!program.Start()) CannotMeasure("the program does not start");
    QObject::connect(program.notify(), &CSensorNotify::notified, [this](int id, int) { handled.push_back(id); });
    window().show();
    Connect();
  }

  CVarnisDatamatrixDlg& window() { return program.window(); }
  MainDialogState& state() { return window().state(); }
  int Count(int id) const { return static_cast<int>(std::count(handled.begin(), handled.end(), id)); }
  bool Idle() {
    return QTest::qWaitFor([&] { return state().m_nOutstandingCommands == 0 && !state().m_bBusy; }, 20000);
  }
  void Wait(int id, int times, const char* what) {
    if (!QTest::qWaitFor([&] { return Count(id) >= times; }, 20000)) CannotMeasure(what);
  }

  // The simulator's address typed into the connection panel, then Connect;
  // the sensor is in the monitor, so polling starts.
  void Connect() {
    const QStringList octets = QString::fromStdString(sim.sensor.server.address()).split('.');
    for (int i = 0; i < 4; ++i) Field(1009 + i)->setText(octets[i]);
    Field(1013)->setText(QString::number(sim.sensor.server.port()));
    const int resumed = Count(CMD_RESUME_POLLING);
    window().action(DialogIds::kConnect)->trigger();
    Wait(CMD_RESUME_POLLING, resumed + 1, "the connect never reaches polling");
    if (!Idle()) CannotMeasure("the connect does not settle");
  }
  // The menu's disconnect: the question, the notice, the reset.
  void Disconnect() {
    window().action(MenuIds::kConnect)->trigger();
    if (!QTest::qWaitFor([&] { return !state().m_bConnected; }, 20000) || !Idle())
      CannotMeasure("the disconnect does not end");
    prompt.clear();  // the recorded question and notice
    sim.sensor.model.setState(2);
  }
  QLineEdit* Field(int id) {
    auto* field = window().findChild<QLineEdit*>(QStringLiteral("id%1").arg(id));
    if (!field) CannotMeasure("the connection panel has no address fields");
    return field;
  }

  // One reading, from the sensor taking it to polling resumed and the
  // window painted; milliseconds.
  double Reading() {
    const int resumed = Count(CMD_RESUME_POLLING);
    QElapsedTimer t;
    t.start();
    if (!sim.sensor.readings.takeReading()) CannotMeasure("the simulator takes no reading");
    while (Count(CMD_RESUME_POLLING) == resumed) {
      QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
      if (t.elapsed() > 20000) CannotMeasure("a reading never resumes polling");
    }
    QCoreApplication::processEvents();  // the repaints it asked for
    return double(t.nsecsElapsed()) / 1e6;
  }
};

// The library alone: the calls a reading makes, from the event on.
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
    if (::Connect(&target, "127.0.0.1", sim.sensor.server.address().c_str(), sim.sensor.server.port(), version,
                  type) != 0)
      CannotMeasure("the library does not connect");
    StartMonitorMode(1);
  }
  ~LibraryOnly() {
    StartMonitorMode(0);
    vt_target_close(&target);
    ::Disconnect("127.0.0.1");
  }
  double Reading() {
    const int before = events.load();
    QElapsedTimer t;
    t.start();
    if (!sim.sensor.readings.takeReading()) CannotMeasure("the simulator takes no reading");
    while (events.load() == before) {
      std::this_thread::sleep_for(std::chrono::microseconds(100));
      if (t.elapsed() > 20000) CannotMeasure("the library reports no reading");
    }
    vt::bench::FetchReadingThroughLibrary();
    return double(t.nsecsElapsed()) / 1e6;
  }
};

std::vector<double> Times(int n, const std::function<double()>& reading) {
  std::vector<double> ms;
  for (int i = 0; i < n; ++i) ms.push_back(reading());
  return ms;
}

}  // namespace

int main(int argc, char** argv) {
  vt::keepLargeBlocks();  // as the program does
  qputenv("QT_QPA_PLATFORM", "offscreen");
  qputenv("VT_ALLOW_LOOPBACK_SENSOR", "1");  // the simulator's address
  QTemporaryDir settings;  // the program's settings file, not the user's
  qputenv("XDG_CONFIG_HOME", settings.path().toLocal8Bit());
  QApplication app(argc, argv);
  const int timed = Count("VT_BENCH_TIMED", 200, 5);
  const int total = Count("VT_BENCH_READINGS", 10000, 20);
  const int cycles = Count("VT_BENCH_CYCLES", 200, 3);
  const int warmUp = vt::bench::Smoke() ? 2 : 20;

  double program = 0, library = 0;
  double afterFirstReading = 0, afterTimed = 0, afterReadings = 0, afterFirstCycle = 0, afterCycles = 0;
  {
    Program p;
    p.Reading();
    afterFirstReading = vt::bench::ResidentMb();
    Times(warmUp, [&] { return p.Reading(); });
    program = Median(Times(timed, [&] { return p.Reading(); }));
    afterTimed = vt::bench::ResidentMb();
    Times(std::max(total - timed - warmUp - 1, 0), [&] { return p.Reading(); });
    afterReadings = vt::bench::ResidentMb();
    for (int i = 0; i < cycles; ++i) {
      p.Disconnect();
      p.Connect();
      if (i == 0) afterFirstCycle = vt::bench::ResidentMb();
    }
    afterCycles = vt::bench::ResidentMb();
  }
  {
    LibraryOnly l;
    Times(warmUp, [&] { return l.Reading(); });
    library = Median(Times(timed, [&] { return l.Reading(); }));
  }
  std::printf("a monitor reading, median of %d: the program (event to picture, texts and statistics shown, polling "
              "again) %.2f ms, the library's fetch alone %.2f ms, the program's own %.2f ms (goal: under 5 ms)\n",
              timed, program, library, program - library);
  bool ok = vt::bench::Compare("a reading, event to picture and texts shown", program, "the library's fetch alone",
                               library, "ms");
  const std::string readings = std::to_string(std::max(total, timed + warmUp + 1));
  ok = vt::bench::Compare("resident memory after " + readings + " readings", afterReadings, "after the first",
                          afterFirstReading, "MB") &&
       ok;
  // The heap grows to its working size over the first readings.
  ok = vt::bench::Compare("resident memory after " + readings + " readings", afterReadings,
                          "after " + std::to_string(timed + warmUp + 1), afterTimed, "MB") &&
       ok;
  ok = vt::bench::Compare("resident memory after " + std::to_string(cycles) + " connect-disconnect cycles",
                          afterCycles, "after the first", afterFirstCycle, "MB") &&
       ok;
  return ok ? 0 : 1;
}
