#pragma once
// The program as main() runs it: the main window with the composition
// root's pages and panels, the lock library, the reading tables, the
// communication library's report language, and, once the window started,
// its sensor notifications and the lock and update features. Benchmarks
// build the same, so they measure the program as it runs.
#include <memory>

#include "window/main_window.h"

class CSensorNotify;
class Prompt;
struct LockAndUpdateFeatures;

class ProgramWindow {
public:
  explicit ProgramWindow(Prompt& prompt);
  ~ProgramWindow();
  ProgramWindow(const ProgramWindow&) = delete;
  ProgramWindow& operator=(const ProgramWindow&) = delete;

  // The window's start and what needs the started window; false when the
  // program ends there (a missing library or language, after its message).
  bool Start();

  CVarnisDatamatrixDlg& window() { return window_; }
  // Null before Start().
  CSensorNotify* notify() { return notify_.get(); }

private:
  CVarnisDatamatrixDlg window_;
  // Stopped and disconnected before the window goes.
  std::unique_ptr<CSensorNotify> notify_;
  std::unique_ptr<LockAndUpdateFeatures> lockAndUpdate_;
};
