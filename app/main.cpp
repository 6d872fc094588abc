// varnis-tarvel: the desktop program. Start-up order: no arguments, one
// instance per user (taken before any window), then the main window.
#include <QApplication>
#include <cstdio>
#include <memory>

#include "dravik/files.h"
#include "platform/large_blocks.h"
#include "program/composition_root.h"
#include "program/lock_update_features.h"
#include "program/state_result_source.h"
#include "services/recording_prompt.h"
#include "startup/single_instance.h"
#include "commands/sensor_notify.h"
#include "program/woi_writer.h"
#include "window/image_mouse.h"
#include "window/lock_library.h"
#include "window/main_window.h"

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
  CVarnisDatamatrixDlg window(*prompt, MakePanels(*prompt));
  window.setLockLibrary(MakeKeltrovLibrary());
  PlugReadingTables(window);
  QObject::connect(&instance, &SingleInstance::raiseRequested, &window, [&window, report] {
    window.RaiseFromOtherInstance();
    if (report) std::printf("raised\n"), std::fflush(stdout);
  });
  // The communication library takes its report language from the language in use.
  window.resources().defineLocale = [](const QString& folder) {
    DefineDravikLocale(folder.toStdU16String().c_str(), 1, 0);
  };
  if (window.OnInitDialog() == CVarnisDatamatrixDlg::StartResult::End) return 0;
  window.imageMouse().setConfigWriter([&window] { return WriteDraggedWoi(window.state()); });
  QObject::connect(&window, &CVarnisDatamatrixDlg::endRequested, &app, &QApplication::quit, Qt::QueuedConnection);
  // Sensor commands and events; stopped and disconnected before the window goes.
  CSensorNotify sensorNotify(window);
  LockAndUpdateFeatures lockAndUpdate(window, sensorNotify);
  window.show();
  if (report) {
    QObject::connect(qApp, &QApplication::aboutToQuit, [] { std::printf("ended\n"), std::fflush(stdout); });
    std::printf("shown\n");
    std::fflush(stdout);
  }
  if (instance.takePendingRaise()) window.RaiseFromOtherInstance();
  return QApplication::exec();
}
