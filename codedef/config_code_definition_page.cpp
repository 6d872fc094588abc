// The page's actions: the tab switch, the code tab's replacement, Read code,
// Freeze, Live, the context menu and the teach rule.
#include <QApplication>
#include <QLineEdit>
#include <QMenu>

#include "code_definition_tabctrl.h"
#include "code_tab.h"
#include "commands/main_dialog_helpers.h"
#include "config_code_def_tab2.h"
#include "config_code_definition.h"
#include "config_code_definition_tab1.h"
#include "controls/button_draw.h"
#include "core/code_types.h"
#include "core/main_dialog_state.h"
#include "core/sensor_command.h"
#include "window/main_window.h"
#include "write_configuration.h"

void CConfigCodeDefinition::OnTabChange(int newTab) {
  MainDialogState& s = dlg_->state();
  const int from = tabs_->previousTab();
  if (s.m_bBusy) {
    tabs_->SnapBack();
    return;
  }
  // A field that failed its check brings its tab back first.
  if (codeTab_ && codeTab_->errorPending()) {
    tabs_->SelectTab(2);
    codeTab_->setErrorPending(false);
    return;
  }
  if (tab1_->errorPending()) {
    tabs_->SelectTab(0);
    tab1_->setErrorPending(false);
    return;
  }
  if ((newTab == 1 || newTab == 2) && tab1_->ValidateInput() != 0) {
    tabs_->SelectTab(0);
    return;
  }
  const int codeType = tab1_->codeTypeIndex();
  if (newTab != 2 && s.m_bConfigModified && codeTab_) {
    if (codeTab_->ValidateInput() != 0) {
      tabs_->SelectTab(2);
      return;
    }
    // Queued; the queue keeps it ahead of whatever follows.
    codeTab_->SendCodeData();
  }
  if (tabs_->GetPage(newTab) == 0) {
    tabs_->SnapBack();
    return;
  }
  tabs_->SelectTab(newTab);
  if (newTab != 2) s.m_bConfigModified = 0;
  if (newTab == 1 && !s.m_bBusy) tab2_->FocusFirstList();
  // A write the sensor refused switched nothing: back to the tab left.
  if (newTab == 2 && ChangeCodeTab(codeType, tab1_->codeTypeText()) != 0) tabs_->SelectTab(from);
  UpdateTeachButton(codeType);
}

int CConfigCodeDefinition::ChangeCodeTab(int codeType, const QString& codeTypeName) {
  MainDialogState& s = dlg_->state();
  if (s.m_bBusy) return 0;
  s.m_bCodeTabSwitching = 1;
  // Lowered on every way out: a failed write must not leave the field checks off.
  struct Lower {
    int& flag;
    ~Lower() { flag = 0; }
  } lower{s.m_bCodeTabSwitching};

  if (s.m_bValidationFailed) {
    // Unsent changes or a failed check: the tab stays as it is.
    s.m_bConfigModified = 1;
  } else {
    ApplyTab1();
    if (WriteConfiguration(*dlg_) != 0) return -1;
    DeleteCodeTab();
    if (const CodeTabEntry* entry = factory_.ForCodeType(codeType)) {
      codeTab_ = entry->make(*context_, codeType, nullptr);
      codeTab_->setObjectName(QStringLiteral("codeTab%1").arg(entry->family));
      codeTab_->LoadLanguageTexts();
      s.m_bConfigModified = 1;
      s.m_bBusy = 1;
      dlg_->PostSensorCommand(entry->getCommand);
    }
  }
  const QString title = dlg_->text(7143);
  if (codeTab_) tabs_->ReplacePage(2, codeTab_, title);
  context_->ShowCodeTypeInStatusBar(codeTypeName);
  return 0;
}

void CConfigCodeDefinition::OnReadCode() {
  MainDialogState& s = dlg_->state();
  if (s.m_bBusy || ::ValidateEditorPage(*dlg_) != 0) return;
  s.m_bBusy = 1;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  struct Cursor {
    ~Cursor() { QApplication::restoreOverrideCursor(); }
  } cursor;
  if (::SaveCodeDefinition(*dlg_) != 0) {
    tabs_->SelectTab(0);
    const int codes = tab1_->codesEdit()->text().toInt();
    if (tab1_->codeTypeIndex() > 0) {
      if (codes < 1 || codes > 10) tab1_->FocusCodesPerImage(3);
    } else {
      tab1_->FocusCodeTypeList();
    }
    s.m_bBusy = 0;
    return;
  }
  // The code tab's Set (queued by the save) goes first; the write waits for it.
  if (WriteConfiguration(*dlg_) != 0) {
    s.m_bBusy = 0;
    return;
  }
  codeRead_ = true;
  ShowButtons(true, true, false);
  ShowButtons(false, true, false);
  s.m_bBusy = 1;
  dlg_->PostSensorCommand(CMD_GET_READ_CODE);
}

void CConfigCodeDefinition::OnFreeze() {
  MainDialogState& s = dlg_->state();
  if (s.m_bBusy || !live_) return;
  s.m_bBusy = 1;
  SetFreezeState();
  tab2_->EnableControls(true);
  live_ = false;
  if (s.m_nCodeType > 0 && codeTab_ && (CodeTypeFlagsOf(s.m_nCodeType) & codeTab_->family()))
    codeTab_->EnableControls(true);
  if (TaskButtonsService* buttons = dlg_->panels().taskButtons.get()) buttons->ShowLiveImageLook(false);
  dlg_->PostSensorCommand(CMD_STOP_LIVE_IMAGE);
}

void CConfigCodeDefinition::OnLive() {
  MainDialogState& s = dlg_->state();
  if (s.m_bBusy || live_) {
    ShowButtons(false, !live_, live_);
    return;
  }
  s.m_bBusy = 1;
  ShowButtons(false, false, true);
  EnableControls(false);
  tab2_->EnableControls(false);
  live_ = true;
  if (codeTab_) codeTab_->EnableControls(false);
  for (int tab = 0; tab < 3; ++tab) tabs_->EnableTab(tab, false);
  if (TaskButtonsService* buttons = dlg_->panels().taskButtons.get()) {
    buttons->SetButtonImages(1);
    buttons->ShowLiveImageLook(true);
  }
  dlg_->PostSensorCommand(CMD_START_LIVE_IMAGE);
}

void CConfigCodeDefinition::SetFreezeState() {
  ShowButtons(false, true, false);
  EnableControls(true);
  tabs_->EnableTab(0, true);
  tabs_->EnableTab(1, true);
  if (tab1_->codeTypeIndex() == 0) tab1_->EnableOptimised(false);
  // No code tab for a type the list does not show.
  tabs_->EnableTab(2, tab1_->optimisedChecked() && tab1_->codeTypeIndex() > 0);
  if (TaskButtonsService* buttons = dlg_->panels().taskButtons.get()) buttons->SetButtonImages(2);
}

void CConfigCodeDefinition::EnableControls(bool on) {
  readCode_->setEnabled(on);
  tab1_->EnableControls(on);
}

// The teach button follows the last reading: codes found, of this type.
void CConfigCodeDefinition::UpdateTeachButton(int codeType) {
  if (!codeTab_) return;
  const MainDialogState& s = dlg_->state();
  const bool fits = s.m_nReadCount > 0 && s.m_ResultCodeTypes[0] == codeType &&
                    !std::holds_alternative<std::monostate>(s.m_CodeResults[0]);
  codeTab_->EnableTeach(fits && !live_);
}

void CConfigCodeDefinition::ShowContextMenu(QPoint at, int codeType, int resultIndex) {
  menuResultIndex_ = resultIndex;
  menuCodeType_ = codeType;
  // The item is offered for a code the code tab takes as it stands.
  CodeTab* tab = CodeTabOfType(codeType);
  if (QAction* use = menu_->actions().value(0)) use->setEnabled(tab != nullptr && tab->TakesCode(resultIndex));
  menu_->popup(at);
}

// The code tab when it is the 2-D family's tab of that code type.
CodeTab* CConfigCodeDefinition::CodeTabOfType(int codeType) const {
  if (!codeTab_) return nullptr;
  const std::uint8_t flags = CodeTypeFlagsOf(codeType);
  for (std::uint8_t family : {CODE_FLAG_ECC200, CODE_FLAG_PDF417, CODE_FLAG_QR, CODE_FLAG_AZTEC})
    if (flags & family) return codeTab_->family() == family ? codeTab_.data() : nullptr;
  return nullptr;
}

// The family's tab of the code the menu was opened on takes its properties.
void CConfigCodeDefinition::OnUseCodeProperties() {
  if (CodeTab* tab = CodeTabOfType(menuCodeType_); tab && menuResultIndex_ >= 0) tab->UseCodeProperties(menuResultIndex_);
}
