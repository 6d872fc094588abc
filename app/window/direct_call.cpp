#include "window/direct_call.h"

#include <QApplication>
#include <QCursor>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QThread>

#include "core/main_dialog_state.h"

int RunDirectCall(MainDialogState& state, const std::function<int()>& call) {
  if (state.m_nOutstandingCommands > 0 || state.m_bBusy) return kDirectCallRefused;
  state.m_bBusy = 1;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const int result = call();
  QApplication::restoreOverrideCursor();
  state.m_bBusy = 0;
  return result;
}

bool WaitForOutstandingCommands(MainDialogState& state, int timeoutMs) {
  QDeadlineTimer deadline(timeoutMs);
  while (state.m_nOutstandingCommands > 0) {
    if (deadline.hasExpired()) return false;
    // The replies arrive as queued calls; the user's input waits. Without a
    // pause the loop would spin for the whole of a long call.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 20);
    if (state.m_nOutstandingCommands > 0) QThread::msleep(2);
  }
  return true;
}
