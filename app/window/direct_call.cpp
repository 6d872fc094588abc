#include "window/direct_call.h"

#include <QApplication>
#include <QCursor>

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
