// The program as main() runs it (program/program_window.h), shown offscreen
// and connected to a simulated sensor process through its own connect
// command, for the benchmarks that measure it against a floor. Make the
// sensors first (sensor_process.h), then PrepareProgramProcess, then the
// QApplication.
#pragma once
#include "sensor_process.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <map>

#include "commands/sensor_notify.h"
#include "comparison.h"
#include "core/main_dialog_state.h"
#include "core/sensor_command.h"
#include "platform/large_blocks.h"
#include "program/program_window.h"
#include "services/recording_prompt.h"
#include "text/text_codecs.h"
#include "view/image_view_service.h"

namespace vt::bench {

// As the program starts (its heap keeps large blocks), offscreen, the
// simulator's loopback address allowed. Before the QApplication.
inline void PrepareProgramProcess() {
  vt::keepLargeBlocks();
  qputenv("QT_QPA_PLATFORM", "offscreen");
  qputenv("VT_ALLOW_LOOPBACK_SENSOR", "1");
}

// The measured span of a run: VT_BENCH_SECONDS, else 5 (1 in the smoke run).
inline int MeasuredSeconds() {
  const char* v = std::getenv("VT_BENCH_SECONDS");
  const int seconds = v && *v ? std::atoi(v) : (Smoke() ? 1 : 5);
  return seconds > 0 ? seconds : 1;
}

// The GUI thread as the program runs it: in its event loop, blocked until
// something arrives (QTest::qWait sleeps 10 ms between rounds, which holds a
// reading back and lets the sensor's next one pass unread).
inline void RunEventLoop(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  loop.exec();
}

// CPU time of the calling thread, in milliseconds.
inline double ThreadCpuMs() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

class ConnectedProgram {
public:
  ConnectedProgram(const SensorProcess& sensor, const char* bench) : bench_(bench) {
    window().setSplashEnabled(false);
    if (!program_.Start()) Fail("the program does not start");
    QObject::connect(program_.notify(), &CSensorNotify::notified, [this](int id, int) { ++handled_[id]; });
    window().show();
    MainDialogState& s = state();
    Utf8ToUtf16String(s.m_strConnectAddress, sensor.address());
    s.m_nConnectPort = sensor.port();
    s.m_nLiveImagePort = sensor.livePort();
    Post(CMD_CONNECT);
  }

  CVarnisDatamatrixDlg& window() { return program_.window(); }
  MainDialogState& state() { return window().state(); }
  ImageView* imageView() { return dynamic_cast<ImageView*>(window().panels().imageView.get()); }
  // How often the command was handled so far.
  int handled(int id) const {
    const auto found = handled_.find(id);
    return found == handled_.end() ? 0 : found->second;
  }
  bool Idle() {
    return QTest::qWaitFor([&] { return state().m_nOutstandingCommands == 0 && !state().m_bBusy; }, 20000);
  }
  // Waits until the window is idle, posts the command and waits until it is handled.
  void Post(int id) {
    const int before = handled(id);
    if (!Idle()) Fail("the window stays busy");
    state().m_bBusy = 1;
    window().PostSensorCommand(id);
    if (!QTest::qWaitFor([&] { return handled(id) > before; }, 20000)) Fail("a command is not handled");
  }
  [[noreturn]] void Fail(const char* what) const {
    std::fprintf(stderr, "%s: %s\n", bench_, what);
    std::exit(1);
  }

private:
  const char* bench_;
  RecordingPrompt prompt_;  // answers every question with Yes
  ProgramWindow program_{prompt_};
  std::map<int, int> handled_;
};

}  // namespace vt::bench
