// Start-up of varnis-tarvel, offscreen, without the splash (which alone
// holds the window back about 1.5 s by design): from the process start to
// the main window's first paint, and the peak resident memory then. Beside
// it the same for a bare Qt program that shows an empty main window of the
// same size, so the program's own share is visible; and where the program's
// time goes: each step of its start as it reports them (VT_STARTUP_REPORT,
// app/startup/startup_report.h), in the system's monotonic clock, which this
// bench reads when it starts the process.
// Goal: the program's own share (its time less the bare window's) under 0.1 s.
#include <QApplication>
#include <QFile>
#include <QMainWindow>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <map>
#include <string>
#include <vector>

#include "comparison.h"
#include "startup/startup_report.h"

namespace {

double MonotonicMs() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

struct Run {
  std::vector<std::string> steps;      // in the order reported
  std::map<std::string, double> ends;  // milliseconds after the process start
  long peakKb = 0;
  double painted() const {
    const auto it = ends.find("painted");
    return it == ends.end() ? 0 : it->second;
  }
};

long PeakKb(qint64 pid) {
  QFile status(QStringLiteral("/proc/%1/status").arg(pid));
  if (!status.open(QIODevice::ReadOnly)) return 0;
  for (const QByteArray& line : status.readAll().split('\n'))
    if (line.startsWith("VmHWM:")) return line.mid(6).trimmed().split(' ').first().toLong();
  return 0;
}

// Starts the program and reads its steps up to the first paint.
Run Measure(const QString& program, const QStringList& args, const QProcessEnvironment& env) {
  QProcess p;
  p.setProcessEnvironment(env);
  const double start = MonotonicMs();
  p.start(program, args);
  Run run;
  QByteArray pending;
  while (run.painted() == 0 && p.waitForReadyRead(10000)) {
    pending += p.readAllStandardOutput();
    for (qsizetype end; (end = pending.indexOf('\n')) >= 0; pending.remove(0, end + 1)) {
      const QByteArray line = pending.left(end);
      if (!line.startsWith("step ")) continue;
      const qsizetype space = line.lastIndexOf(' ');
      const std::string name = line.mid(5, space - 5).toStdString();
      run.steps.push_back(name);
      run.ends[name] = line.mid(space + 1).toDouble() / 1e6 - start;
    }
  }
  if (run.painted() > 0) run.peakKb = PeakKb(p.processId());
  p.kill();
  p.waitForFinished(5000);
  return run;
}

double Median(std::vector<double> v) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

// Each step's own time (from the step before it), median over the runs.
struct Split {
  std::vector<std::string> steps;
  std::map<std::string, double> ownMs;
  double totalMs = 0;
  long peakKb = 0;
};

Split Summarise(const std::vector<Run>& runs) {
  Split split;
  if (runs.empty()) return split;
  split.steps = runs.front().steps;
  std::vector<double> totals, peaks;
  for (const Run& run : runs) {
    totals.push_back(run.painted());
    peaks.push_back(double(run.peakKb));
  }
  for (std::size_t i = 0; i < split.steps.size(); ++i) {
    std::vector<double> own;
    for (const Run& run : runs) {
      const auto end = run.ends.find(split.steps[i]);
      if (end == run.ends.end()) continue;
      const auto before = i == 0 ? run.ends.end() : run.ends.find(split.steps[i - 1]);
      own.push_back(end->second - (before == run.ends.end() ? 0.0 : before->second));
    }
    split.ownMs[split.steps[i]] = Median(own);
  }
  split.totalMs = Median(totals);
  split.peakKb = long(Median(peaks));
  return split;
}

// The first step of each side is named after what precedes main.
const char* Label(const std::string& step) {
  if (step == "main") return "process start to main (libraries loaded)";
  if (step == "application") return "QApplication made";
  if (step == "shown") return "window shown";
  if (step == "painted") return "first paint";
  return step.c_str();
}

int Bare(int argc, char** argv) {
  StartupReport::Step("main");
  QApplication app(argc, argv);
  StartupReport::Step("application");
  QMainWindow window;
  window.resize(1024, 738);
  StartupReport::StepAtFirstPaint(window);
  window.show();
  StartupReport::Step("shown");
  StartupReport::Shown();
  return QApplication::exec();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1 && QByteArray(argv[1]) == "--bare") return Bare(argc, argv);
  QTemporaryDir config;
  // The single-instance lock waits for its file to reach the disk: in
  // memory, as a desktop's runtime folder is, where the system has one.
  QTemporaryDir runtime(QStringLiteral("/dev/shm/vt-startup-bench-XXXXXX"));
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  if (runtime.isValid()) env.insert("XDG_RUNTIME_DIR", runtime.path());
  env.insert("QT_QPA_PLATFORM", "offscreen");
  env.insert("VT_NO_SPLASH", "1");
  env.insert("VT_PROMPT_ANSWER", "1");
  env.insert("VT_STARTUP_REPORT", "1");
  env.insert("VT_INSTANCE_NAME", "vt-startup-bench-" + QString::number(QCoreApplication::applicationPid()));
  env.insert("XDG_CONFIG_HOME", config.path());

  const int runs = vt::bench::Repetitions(7);
  std::vector<Run> bareRuns, programRuns;
  const QString self = QString::fromLocal8Bit(argv[0]);
  // One of each first: the files are in the page cache for every counted run.
  Measure(self, {"--bare"}, env);
  Measure(QStringLiteral(VT_BIN_DIR "/varnis-tarvel"), {}, env);
  for (int i = 0; i < runs; ++i) {
    bareRuns.push_back(Measure(self, {"--bare"}, env));
    programRuns.push_back(Measure(QStringLiteral(VT_BIN_DIR "/varnis-tarvel"), {}, env));
  }
  const Split bare = Summarise(bareRuns);
  const Split program = Summarise(programRuns);

  std::printf("start to the main window's first paint, offscreen, no splash (median of %d runs)\n", runs);
  std::printf("  %-44s %9s %14s\n", "each step's own time, ms", "bare Qt", "varnis-tarvel");
  for (const std::string& step : program.steps) {
    const auto b = bare.ownMs.find(step);
    if (b != bare.ownMs.end())
      std::printf("  %-44s %9.1f %14.1f\n", Label(step), b->second, program.ownMs.at(step));
    else
      std::printf("  %-44s %9s %14.1f\n", Label(step), "", program.ownMs.at(step));
  }
  std::printf("  %-44s %9.1f %14.1f\n", "total", bare.totalMs, program.totalMs);
  std::printf("  %-44s %9ld %14ld\n", "peak resident memory, KB", bare.peakKb, program.peakKb);
  std::printf("  (the bare window's \"window shown\" includes making it)\n");
  std::printf("program's own share %.1f ms (goal: under 100 ms)\n", program.totalMs - bare.totalMs);
  const bool ok =
      vt::bench::Compare("start to main window painted", program.totalMs, "a bare Qt window", bare.totalMs, "ms");
  return ok ? 0 : 1;
}
