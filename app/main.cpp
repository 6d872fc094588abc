// varnis-tarvel: the desktop program. Start-up order: no arguments, one
// instance per user (taken before any window), then the main window.
#include <QApplication>
#include <memory>

#include "platform/large_blocks.h"
#include "program/program_window.h"
#include "services/recording_prompt.h"
#include "startup/single_instance.h"
#include "startup/startup_report.h"

int main(int argc, char** argv) {
  StartupReport::Step("main");
  vt::keepLargeBlocks();
  QApplication app(argc, argv);
  StartupReport::Step("application");
  // The program takes no arguments: given any, it ends without a word.
  if (QApplication::arguments().size() > 1) return 0;

  SingleInstance instance;
  if (!instance.acquire()) return 0;
  StartupReport::Step("single instance");

  // Unattended runs (tests, benchmarks) answer every box at once and echo it.
  std::unique_ptr<Prompt> prompt;
  if (qEnvironmentVariableIsSet("VT_PROMPT_ANSWER")) {
    auto recording = std::make_unique<RecordingPrompt>();
    recording->setEcho(true);
    prompt = std::move(recording);
  } else {
    prompt = std::make_unique<QtPrompt>();
  }

  ProgramWindow program(*prompt);
  StartupReport::Step("window and pages made");
  CVarnisDatamatrixDlg& window = program.window();
  QObject::connect(&instance, &SingleInstance::raiseRequested, &window, [&window] {
    window.RaiseFromOtherInstance();
    StartupReport::Line("raised");
  });
  if (!program.Start()) return 0;
  QObject::connect(&window, &CVarnisDatamatrixDlg::endRequested, &app, &QApplication::quit, Qt::QueuedConnection);
  StartupReport::Step("sensor notifications, lock and update");
  StartupReport::StepAtFirstPaint(window);
  window.show();
  StartupReport::Step("shown");
  StartupReport::Shown();
  if (StartupReport::Enabled())
    QObject::connect(qApp, &QApplication::aboutToQuit, [] { StartupReport::Line("ended"); });
  if (instance.takePendingRaise()) window.RaiseFromOtherInstance();
  return QApplication::exec();
}
