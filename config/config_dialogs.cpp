#include "config/config_dialogs.h"

#include "config/config_info_dlg.h"
#include "config/config_manager.h"
#include "config/config_new_item.h"
#include "config/config_rename.h"
#include "records/config_list_info.h"
#include "window/main_window.h"

CConfigDialogs::CConfigDialogs(CConfigManager& manager) : manager_(manager) { manager.setDialogs(this); }

int CConfigDialogs::Run(QDialog& dialog) {
  CVarnisDatamatrixDlg& dlg = *manager_.window();
  QWidget* previous = dlg.messageOwner() == &dlg ? nullptr : dlg.messageOwner();
  dlg.setMessageOwner(&dialog);
  const int result = dlg.prompt().runDialog(dialog);
  dlg.setMessageOwner(previous);
  return result;
}

void CConfigDialogs::CancelNewItem() {
  if (newItem_) newItem_->CancelDialog();
}

void CConfigDialogs::EndDialogs() {
  if (other_) other_->reject();
}

void CConfigDialogs::RunNewItem(bool downloadToDevice) {
  CVarnisDatamatrixDlg* dlg = manager_.window();
  if (!dlg) return;
  MainDialogState& s = dlg->state();
  if (downloadToDevice) {
    // Download to device: the load chooses its slot. The active mark goes
    // only when the load is sent, so a cancelled dialog leaves it.
    s.m_bPasteAsCopy = 0;
    s.m_bDownloadToDevice = 1;
  } else if (!s.m_bPasteAsCopy) {
    s.m_bDownloadToDevice = 0;
  }
  CConfigNewItem dialog(manager_, dlg);
  newItem_ = &dialog;
  Run(dialog);
  newItem_.clear();
}

void CConfigDialogs::RunRename() {
  CVarnisDatamatrixDlg* dlg = manager_.window();
  const CConfig* selected = manager_.Selected();
  if (!dlg || !selected || dlg->state().m_bBusy) return;
  CConfigRename dialog(manager_, *selected, dlg);
  other_ = &dialog;
  Run(dialog);
  other_.clear();
}

void CConfigDialogs::RunInfo() {
  CVarnisDatamatrixDlg* dlg = manager_.window();
  if (!dlg) return;
  MainDialogState& s = dlg->state();
  // The configuration read for the information, into the dialog's fields.
  const CConfigListInfo& info = *CConfigListInfo::GetInstance();
  ConfigurationRecords& c = s.m_Configuration;
  const bool extended = s.m_bExtendedConfig != 0;
  info.ReadImageQuality(s.m_ConfigData, c.imageQuality);
  info.ReadCodeDefinition(s.m_ConfigData, c.codeDefinition);
  info.ReadFilters(s.m_ConfigData, c.filters);
  info.ReadProcessInterface(s.m_ConfigData, c.processInterface, extended);
  info.ReadTriggerSettings(s.m_ConfigData, c.trigger);
  if (extended) info.ReadCompositeOptions(s.m_ConfigData, c.barCode);
  CConfigInfoDlg dialog(*dlg, dlg);
  other_ = &dialog;
  Run(dialog);
  other_.clear();
}
