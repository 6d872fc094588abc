// Start-up of varnis-tarvel, offscreen, without the splash (which alone
// holds the window back about 1.5 s by design): process start to the main
// window shown, and the peak resident memory at that moment. Beside it the
// same figures for a bare Qt program that shows an empty main window, so
// the program's own share is visible. Goal: under 0.5 s.
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QMainWindow>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "comparison.h"

namespace {

struct Run {
  double seconds = 0;
  long peakKb = 0;
};

long PeakKb(qint64 pid) {
  QFile status(QStringLiteral("/proc/%1/status").arg(pid));
  if (!status.open(QIODevice::ReadOnly)) return 0;
  for (const QByteArray& line : status.readAll().split('\n'))
    if (line.startsWith("VmHWM:")) return line.mid(6).trimmed().split(' ').first().toLong();
  return 0;
}

Run Measure(const QString& program, const QStringList& args, const QProcessEnvironment& env) {
  QProcess p;
  p.setProcessEnvironment(env);
  QElapsedTimer t;
  t.start();
  p.start(program, args);
  QByteArray out;
  Run run;
  while (p.waitForReadyRead(10000)) {
    out += p.readAllStandardOutput();
    if (out.contains("shown\n")) {
      run.seconds = double(t.nsecsElapsed()) / 1e9;
      run.peakKb = PeakKb(p.processId());
      break;
    }
  }
  p.kill();
  p.waitForFinished(5000);
  return run;
}

Run Median(std::vector<Run> runs) {
  std::sort(runs.begin(), runs.end(), [](const Run& a, const Run& b) { return a.seconds < b.seconds; });
  return runs[runs.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1 && QByteArray(argv[1]) == "--bare") {
    QApplication app(argc, argv);
    QMainWindow window;
    window.resize(1024, 738);
    window.show();
    std::printf("shown\n");
    std::fflush(stdout);
    return QApplication::exec();
  }
  QTemporaryDir config;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("QT_QPA_PLATFORM", "offscreen");
  env.insert("VT_NO_SPLASH", "1");
  env.insert("VT_PROMPT_ANSWER", "1");
  env.insert("VT_STARTUP_REPORT", "1");
  env.insert("VT_INSTANCE_NAME", "vt-startup-bench-" + QString::number(QCoreApplication::applicationPid()));
  env.insert("XDG_CONFIG_HOME", config.path());

  const int kRuns = vt::bench::Repetitions(7);
  std::vector<Run> bare, program;
  for (int i = 0; i < kRuns; ++i) {
    bare.push_back(Measure(QString::fromLocal8Bit(argv[0]), {"--bare"}, env));
    program.push_back(Measure(QStringLiteral(VT_BIN_DIR "/varnis-tarvel"), {}, env));
  }
  const Run b = Median(bare);
  const Run p = Median(program);
  std::printf("start to main window shown (median of %d, offscreen, no splash)\n", kRuns);
  std::printf("  bare Qt window   %6.3f s   peak %6ld KB\n", b.seconds, b.peakKb);
  std::printf("  varnis-tarvel    %6.3f s   peak %6ld KB   (goal < 0.500 s)\n", p.seconds, p.peakKb);
  std::printf("  program's share  %6.3f s   peak %6ld KB\n", p.seconds - b.seconds, p.peakKb - b.peakKb);
  const bool ok = vt::bench::Compare("start to main window shown", p.seconds * 1000, "a bare Qt window",
                                     b.seconds * 1000, "ms");
  return ok ? 0 : 1;
}
