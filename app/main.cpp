// varnis-tarvel: the desktop program. Start-up order: no arguments, one
// instance per user (taken before any window), then the main window.
#include <QApplication>
#include <cstdio>
#include <memory>

#include "platform/large_blocks.h"
#include "program/program_window.h"
#include "services/recording_prompt.h"
#include "startup/single_instance.h"

int main(int argc, char** argv) {
  vt::keepLargeBlocks();
  QApplication app(argc, argv);
  // The program takes no arguments: given any, it ends without a word.
  if (QApplication::arguments().size() > 1) return 0;

  SingleInstance instance;
  if (!instance.acquire()) return 0;

  // Unattended runs (tests, benchmarks) answer every box at once and echo it.
  std::unique_ptr<Prompt> prompt;
  if (qEnvironmentVariableIsSet("VT_PROMPT_ANSWER")) {
    auto recording = std::make_unique<RecordingPrompt>();
    recording->setEcho(true);
    prompt = std::move(recording);
  } else {
    prompt = std::make_unique<QtPrompt>();
  }

  // Process tests and the start-up benchmark follow the start on standard output.
  const bool report = qEnvironmentVariableIsSet("VT_STARTUP_REPORT");
  ProgramWindow program(*prompt);
  CVarnisDatamatrixDlg& window = program.window();
  QObject::connect(&instance, &SingleInstance::raiseRequested, &window, [&window, report] {
    window.RaiseFromOtherInstance();
    if (report) std::printf("raised\n"), std::fflush(stdout);
  });
  if (!program.Start()) return 0;
  QObject::connect(&window, &CVarnisDatamatrixDlg::endRequested, &app, &QApplication::quit, Qt::QueuedConnection);
  window.show();
  if (report) {
    QObject::connect(qApp, &QApplication::aboutToQuit, [] { std::printf("ended\n"), std::fflush(stdout); });
    std::printf("shown\n");
    std::fflush(stdout);
  }
  if (instance.takePendingRaise()) window.RaiseFromOtherInstance();
  return QApplication::exec();
}
