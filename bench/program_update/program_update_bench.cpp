// A 16 MB sensor software update, whole: through the program (file choice,
// confirmation, disconnect, the worker's transfer, the progress dialog and
// the result) and through libbrimsol alone, against the same simulated
// sensor on loopback. Prints the median and the minimum of each and the
// program's share. The program's times end when the result has been shown
// (its notification); the wait for it is an event loop, as the program's.
// Wall times swing on a shared machine; the process's CPU time (all threads,
// the simulator's included on both sides) and its minor page faults per run
// (getrusage) are printed beside them and settle the comparison.
// The simulator first: its members named "slots" must not meet Qt's keyword macro.
#include "simulated_sensor.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QEventLoop>
#include <QTest>
#include <QTimer>
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "brimsol/brimsol.h"
#include "commands/sensor_notify.h"
#include "core/sensor_command.h"
#include "gui_test_support.h"
#include "platform/large_blocks.h"
#include "program/lock_update_features.h"
#include "services/recording_prompt.h"
#include "text/text_codecs.h"
#include "update/software_update.h"
#include "window/lock_library.h"
#include "window/main_window.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kRuns = 5;
constexpr int kMegabytes = 16;

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

double Least(const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); }

double Seconds(Clock::time_point since) { return std::chrono::duration<double>(Clock::now() - since).count(); }

// The whole process's CPU seconds and minor page faults so far.
struct Usage {
  double cpu = 0;
  double faults = 0;
  static Usage now() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    const auto sec = [](timeval t) { return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6; };
    return {sec(u.ru_utime) + sec(u.ru_stime), static_cast<double>(u.ru_minflt)};
  }
  Usage operator-(const Usage& o) const { return {cpu - o.cpu, faults - o.faults}; }
};

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  qputenv("VT_ALLOW_LOOPBACK_SENSOR", "1");
  // As the program's main does; the library alone runs in the same heap.
  vt::keepLargeBlocks();
  QApplication app(argc, argv);
  LibCopy lib;
  vt::test::SimulatedSensor sensor;
  if (!sensor.Start()) {
    std::fprintf(stderr, "cannot start the simulator: %s\n", sensor.error().c_str());
    return 1;
  }
  QTemporaryDir dir;
  const QString file = dir.filePath("sensor.swu");
  {
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly)) return 1;
    QByteArray image(kMegabytes * 1024 * 1024, '\0');
    for (qsizetype i = 0; i < image.size(); ++i) image[i] = static_cast<char>((i * 131) & 0xFF);
    out.write(image);
  }

  RecordingPrompt prompt;
  prompt.setFileAnswer(file);
  CVarnisDatamatrixDlg window(prompt, MainPanels{});
  window.setSplashEnabled(false);
  window.setLockLibrary(MakeKeltrovLibrary());
  if (window.OnInitDialog() != CVarnisDatamatrixDlg::StartResult::Run) return 1;
  CSensorNotify notify(window);
  LockAndUpdateFeatures features(window, notify);
  features.update->setOwnTimer(false);
  bool updated = false;
  Clock::time_point disconnected, shown;
  QObject::connect(&notify, &CSensorNotify::notified, [&](int id, int) {
    if (id == CMD_UPDATE_SOFTWARE) {
      shown = Clock::now();
      updated = true;
    }
    if (id == CMD_DISCONNECT) disconnected = Clock::now();
  });
  MainDialogState& s = window.state();
  Utf8ToUtf16String(s.m_strConnectAddress, sensor.server.address());
  s.m_nConnectPort = sensor.server.port();
  auto idle = [&] { return QTest::qWaitFor([&] { return s.m_nOutstandingCommands == 0 && !s.m_bBusy; }, 60000); };

  std::vector<double> program, transfer, library;
  std::vector<double> programCpu, libraryCpu, programFaults, libraryFaults;
  for (int run = 0; run < kRuns; ++run) {
    s.m_bBusy = 1;
    window.PostSensorCommand(CMD_CONNECT);
    if (!QTest::qWaitFor([&] { return s.m_bConnected != 0; }, 20000) || !idle()) return 1;
    updated = false;
    const auto start = Clock::now();
    const Usage before = Usage::now();
    {
      // Waits in an event loop as the program's own: QTest::qWaitFor sleeps
      // 10 ms between looks, and the result's notification would wait out
      // the sleep.
      QEventLoop transferring;
      QObject::connect(&notify, &CSensorNotify::notified, &transferring, [&](int id, int) {
        if (id == CMD_UPDATE_SOFTWARE) transferring.quit();
      });
      QTimer::singleShot(120000, &transferring, &QEventLoop::quit);
      features.update->OnUpdateSoftware();
      if (!updated) transferring.exec();
    }
    if (!updated || !idle()) return 1;
    const Usage used = Usage::now() - before;
    programCpu.push_back(used.cpu);
    programFaults.push_back(used.faults);
    program.push_back(std::chrono::duration<double>(shown - start).count());
    transfer.push_back(std::chrono::duration<double>(shown - disconnected).count());
    sensor.update.clearImages();
    sensor.server.clearCalls();

    const std::string path = file.toStdString();
    const auto alone = Clock::now();
    const Usage libraryBefore = Usage::now();
    if (Brimsol_setfilename(path.c_str()) != 0 ||
        Brimsol_update(sensor.server.address().c_str(), sensor.server.port()) != 0)
      return 1;
    library.push_back(Seconds(alone));
    const Usage libraryUsed = Usage::now() - libraryBefore;
    libraryCpu.push_back(libraryUsed.cpu);
    libraryFaults.push_back(libraryUsed.faults);
    sensor.update.clearImages();
    sensor.server.clearCalls();
  }
  const auto report = [&](const char* what, double (*of)(std::vector<double>)) {
    const double p = of(program), t = of(transfer), l = of(library);
    std::printf("16 MB update, %s of %d: libbrimsol alone %.3f s\n", what, kRuns, l);
    std::printf("  program, disconnect reply to result shown: %.3f s, adds %.1f %% (goal < 10 %%)\n", t,
                (t - l) / l * 100.0);
    std::printf("  program, menu to result shown (with the disconnect): %.3f s, adds %.1f %%\n", p,
                (p - l) / l * 100.0);
  };
  report("median", Median);
  report("minimum", [](std::vector<double> v) { return Least(v); });
  const double pc = Median(programCpu), lc = Median(libraryCpu);
  std::printf("CPU time of the process, median of %d: libbrimsol alone %.3f s, program (menu to result) %.3f s, "
              "adds %.1f %% (goal < 10 %%)\n",
              kRuns, lc, pc, (pc - lc) / lc * 100.0);
  std::printf("minor page faults per run, program / libbrimsol alone:");
  for (int run = 0; run < kRuns; ++run)
    std::printf(" %.0f/%.0f", programFaults[static_cast<std::size_t>(run)], libraryFaults[static_cast<std::size_t>(run)]);
  std::printf("\n");
  return 0;
}
