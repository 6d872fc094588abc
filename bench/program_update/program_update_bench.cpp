// A 16 MB sensor software update, whole: through the program (file choice,
// confirmation, disconnect, the worker's transfer, the progress dialog in
// its own modal loop with its 1 s timer, the result and the reset) and
// through libbrimsol alone, against the same simulated sensor on loopback,
// with the main window shown as the user sees it.
//
// One warm-up update of each side first (the first update in a process grows
// the heap), then the runs, the two sides in turns, each starting every other
// run. Per side: the median and the minimum wall time, the median process CPU
// time (getrusage, all threads, the simulator's on both sides) and minor page
// faults. Wall and CPU times swing with the machine's load; the count of
// instructions does not: run under callgrind (see docs/program.md) and the
// bench reads its own dumps and prints instructions per update beside the
// times.
// The simulator first: its members named "slots" must not meet Qt's keyword macro.
#include "simulated_sensor.h"

#include <QApplication>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <sys/resource.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "../support/callgrind_dumps.h"
#include "brimsol/brimsol.h"
#include "commands/sensor_notify.h"
#include "comparison.h"
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
constexpr int kDefaultRuns = 15;
constexpr int kMegabytes = 16;

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  const std::size_t n = v.size();
  return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

double Least(const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); }

double Between(Clock::time_point from, Clock::time_point to) {
  return std::chrono::duration<double>(to - from).count();
}

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

// The program's answers as the user gives them, and its modal dialog run for
// real (its own loop, as QtPrompt does); notes when the progress dialog
// opens (the disconnect's reply) and when the result is shown.
class BenchPrompt : public RecordingPrompt {
public:
  Clock::time_point opened, shown;
  bool updating = false;

  int runDialog(QDialog& dialog) override {
    opened = Clock::now();
    updating = true;
    const int result = dialog.exec();
    updating = false;
    return result;
  }
  QMessageBox::StandardButton message(QWidget* owner, const QString& text, const QString& caption,
                                      QMessageBox::Icon icon, QMessageBox::StandardButtons buttons) override {
    if (updating) shown = Clock::now();
    clear();  // nothing to look at afterwards; the list must not grow over the runs
    return RecordingPrompt::message(owner, text, caption, icon, buttons);
  }
};

// One side's figures over the runs.
struct Side {
  std::vector<double> wall, cpu, faults, instructions;
};

// Under callgrind: the instructions of each dump named program or library,
// read back from callgrind's files in the current folder (default name).
void ReadInstructions(Side& program, Side& library) {
  for (const auto& [name, events] : vt::bench::CallgrindDumps()) {
    if (name == "program") program.instructions.push_back(events);
    if (name == "library") library.instructions.push_back(events);
  }
}

// CPU seconds of the calling thread so far.
double ThreadCpu() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

double Adds(double of, double base) { return (of - base) / base * 100.0; }

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  qputenv("VT_ALLOW_LOOPBACK_SENSOR", "1");
  int runs = vt::bench::Repetitions(kDefaultRuns);
  for (int i = 1; i + 1 < argc; ++i)
    if (std::strcmp(argv[i], "--runs") == 0) runs = std::max(1, std::atoi(argv[i + 1]));
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

  BenchPrompt prompt;
  prompt.setFileAnswer(file);
  CVarnisDatamatrixDlg window(prompt, MainPanels{});
  window.setSplashEnabled(false);
  window.setLockLibrary(MakeKeltrovLibrary());
  if (window.OnInitDialog() != CVarnisDatamatrixDlg::StartResult::Run) return 1;
  window.show();
  CSensorNotify notify(window);
  LockAndUpdateFeatures features(window, notify);
  MainDialogState& s = window.state();
  Utf8ToUtf16String(s.m_strConnectAddress, sensor.server.address());
  s.m_nConnectPort = sensor.server.port();
  auto idle = [&] { return QTest::qWaitFor([&] { return s.m_nOutstandingCommands == 0 && !s.m_bBusy; }, 60000); };

  Side library, program, fromReply, toShown, disconnect, gui;
  // The program's update from the menu to the reset after the result.
  const auto throughProgram = [&](bool counted) {
    s.m_bBusy = 1;
    window.PostSensorCommand(CMD_CONNECT);
    if (!QTest::qWaitFor([&] { return s.m_bConnected != 0; }, 20000) || !idle()) return false;
    bool updated = false;
    Clock::time_point done;
    const Usage before = Usage::now();
    const double guiBefore = ThreadCpu();
    const auto start = Clock::now();
    CALLGRIND_ZERO_STATS;
    {
      // Waits in an event loop that wakes at the reply, as the program's own.
      QEventLoop transferring;
      QObject::connect(&notify, &CSensorNotify::notified, &transferring, [&](int id, int status) {
        if (id != CMD_UPDATE_SOFTWARE) return;
        done = Clock::now();
        updated = status == 0;
        transferring.quit();
      });
      QTimer::singleShot(120000, &transferring, &QEventLoop::quit);
      features.update->OnUpdateSoftware();
      if (!updated) transferring.exec();
    }
    if (!updated || !idle()) return false;
    CALLGRIND_DUMP_STATS_AT(counted ? "program" : "warm-up");
    const Usage used = Usage::now() - before;
    if (counted) {
      gui.cpu.push_back(ThreadCpu() - guiBefore);
      program.wall.push_back(Between(start, done));
      program.cpu.push_back(used.cpu);
      program.faults.push_back(used.faults);
      fromReply.wall.push_back(Between(prompt.opened, prompt.shown));
      toShown.wall.push_back(Between(start, prompt.shown));
      disconnect.wall.push_back(Between(start, prompt.opened));
    }
    sensor.update.clearImages();
    sensor.server.clearCalls();
    return true;
  };
  const std::string path = file.toStdString();
  const auto alone = [&](bool counted) {
    const Usage before = Usage::now();
    const auto start = Clock::now();
    CALLGRIND_ZERO_STATS;
    if (Brimsol_setfilename(path.c_str()) != 0 ||
        Brimsol_update(sensor.server.address().c_str(), sensor.server.port()) != 0)
      return false;
    const auto end = Clock::now();
    CALLGRIND_DUMP_STATS_AT(counted ? "library" : "warm-up");
    const Usage used = Usage::now() - before;
    if (counted) {
      library.wall.push_back(Between(start, end));
      library.cpu.push_back(used.cpu);
      library.faults.push_back(used.faults);
    }
    sensor.update.clearImages();
    sensor.server.clearCalls();
    return true;
  };

  if (!throughProgram(false) || !alone(false)) return 1;
  for (int run = 0; run < runs; ++run) {
    const bool programFirst = run % 2 == 0;
    if (!(programFirst ? throughProgram(true) : alone(true))) return 1;
    if (!(programFirst ? alone(true) : throughProgram(true))) return 1;
  }
  if (RUNNING_ON_VALGRIND) ReadInstructions(program, library);

  const double base = Median(library.wall), least = Least(library.wall);
  std::printf("16 MB update, %d runs after a warm-up of each, the sides in turns; median (minimum):\n", runs);
  std::printf("  %-45s %.4f s (%.4f)\n", "libbrimsol alone", base, least);
  const auto row = [&](const char* what, const Side& side, bool goal) {
    const double m = Median(side.wall), l = Least(side.wall);
    std::printf("  %-45s %.4f s (%.4f), adds %+.1f %% (%+.1f %%)%s\n", what, m, l, Adds(m, base), Adds(l, least),
                goal ? " (goal < 10 %)" : "");
  };
  row("program, disconnect reply to result shown", fromReply, true);
  row("program, menu to result shown", toShown, false);
  row("program, menu to reset done", program, false);
  std::printf("  %-45s %.4f s (%.4f)\n", "of which the disconnect (menu to its reply)", Median(disconnect.wall),
              Least(disconnect.wall));
  const double lc = Median(library.cpu), pc = Median(program.cpu);
  std::printf("CPU time of the process, median: libbrimsol alone %.4f s, program (menu to reset) %.4f s, adds %+.1f %%\n",
              lc, pc, Adds(pc, lc));
  std::printf("  of which the program's GUI thread (dialogs, replies, reset, repaints) %.4f s\n", Median(gui.cpu));
  std::printf("minor page faults, median: libbrimsol alone %.0f, program %.0f\n", Median(library.faults),
              Median(program.faults));
  if (!program.instructions.empty() && !library.instructions.empty()) {
    const double li = Median(library.instructions), pi = Median(program.instructions);
    std::printf("instructions (callgrind, all threads), median: libbrimsol alone %.1f M, program (menu to reset) "
                "%.1f M, adds %+.2f %% (goal < 10 %%)\n",
                li / 1e6, pi / 1e6, Adds(pi, li));
  } else if (RUNNING_ON_VALGRIND) {
    std::printf("instructions: no callgrind dumps named callgrind.out.%d.N in the current folder\n", ::getpid());
  }
  bool ok = vt::bench::Compare("16 MB update through the program, disconnect reply to result shown, median",
                               Median(fromReply.wall) * 1000, "libbrimsol alone", base * 1000, "ms");
  ok = vt::bench::Compare("the same, menu to reset done, process CPU", pc * 1000, "libbrimsol alone", lc * 1000,
                          "ms") &&
       ok;
  return ok ? 0 : 1;
}
