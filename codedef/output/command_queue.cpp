#include "command_queue.h"

#include "window/direct_call.h"
#include "window/main_window.h"

bool WaitForCommandQueue(CVarnisDatamatrixDlg& dlg, int timeoutMs) {
  return WaitForOutstandingCommands(dlg.state(), timeoutMs);
}
