#include "write_configuration.h"

#include <QApplication>

#include "core/waiting_write.h"
#include "dravik/dravik.h"
#include "records/config_list_info.h"
#include "window/main_window.h"

int EncodeConfiguration(CVarnisDatamatrixDlg& dlg) {
  MainDialogState& s = dlg.state();
  return CConfigListInfo::GetInstance()->WriteConfiguration(s.m_ConfigData, s.m_bExtendedConfig != 0,
                                                            s.m_Configuration) == 0
             ? 0
             : -1;
}

int WriteConfiguration(CVarnisDatamatrixDlg& dlg) {
  MainDialogState& s = dlg.state();
  QApplication::setOverrideCursor(Qt::WaitCursor);
  int status = -1;
  {
    // A configuration read in the wait keeps what this write sends.
    WaitingConfigWrite waiting(s);
    WaitForCommandQueue(dlg);
    const std::uint8_t wasBusy = s.m_bBusy;
    if (EncodeConfiguration(dlg) != 0) {
      QApplication::restoreOverrideCursor();
      return -1;
    }
    s.m_bBusy = 1;
    status = s.m_bExtendedConfig ? SetConfigExtendedData(&s.m_ConfigData) : SetConfigData(&s.m_ConfigData);
    s.m_bBusy = wasBusy;
    if (status == 0) waiting.Sent();
  }
  QApplication::restoreOverrideCursor();
  // The library's own -1 is a failed write too: shown like any other.
  if (status != 0) dlg.errors().ShowError(status);
  return status;
}
