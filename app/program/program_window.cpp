#include "program/program_window.h"

#include "commands/sensor_notify.h"
#include "dravik/files.h"
#include "program/composition_root.h"
#include "program/lock_update_features.h"
#include "program/state_result_source.h"
#include "program/woi_writer.h"
#include "window/image_mouse.h"
#include "window/lock_library.h"

ProgramWindow::ProgramWindow(Prompt& prompt) : window_(prompt, MakePanels(prompt)) {
  window_.setLockLibrary(MakeKeltrovLibrary());
  PlugReadingTables(window_);
  // The communication library takes its report language from the language in use.
  window_.resources().defineLocale = [](const QString& folder) {
    DefineDravikLocale(folder.toStdU16String().c_str(), 1, 0);
  };
}

ProgramWindow::~ProgramWindow() = default;

bool ProgramWindow::Start() {
  if (window_.OnInitDialog() == CVarnisDatamatrixDlg::StartResult::End) return false;
  window_.imageMouse().setConfigWriter([this] { return WriteDraggedWoi(window_.state()); });
  notify_ = std::make_unique<CSensorNotify>(window_);
  lockAndUpdate_ = std::make_unique<LockAndUpdateFeatures>(window_, *notify_);
  return true;
}
