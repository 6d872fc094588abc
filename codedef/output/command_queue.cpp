#include "command_queue.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QThread>

#include "window/main_window.h"

bool WaitForCommandQueue(CVarnisDatamatrixDlg& dlg, int timeoutMs) {
  MainDialogState& s = dlg.state();
  QDeadlineTimer deadline(timeoutMs);
  while (s.m_nOutstandingCommands > 0) {
    if (deadline.hasExpired()) return false;
    // The replies arrive as queued calls; the user's input waits. Without a
    // pause the loop would spin for the whole of a long call.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 20);
    if (s.m_nOutstandingCommands > 0) QThread::msleep(2);
  }
  return true;
}
