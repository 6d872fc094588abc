// Tab 0's actions: a new code type, the recognition radios and Auto Detect.
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>

#include "code_definition_tabctrl.h"
#include "config_code_definition.h"
#include "config_code_definition_tab1.h"
#include "controls/button_draw.h"
#include "core/main_dialog_state.h"
#include "core/sensor_command.h"
#include "tab_edits.h"
#include "window/dialog_control.h"
#include "window/main_window.h"
#include "write_configuration.h"

void CConfigCodeDefinitionTab1::OnCodeTypeChanged() {
  MainDialogState& s = ctx_.state();
  if (s.m_bBusy) return;
  CCodeDefinitionTabctrl* tabs = ctx_.page.tabs();
  s.m_bConfigModified = 0;
  // Back on tab 0 (where the list is): a page switch here would take the
  // focus from an edit and check it for nothing.
  if (tabs->currentTab() != 0) tabs->SelectTab(0);
  if (codeTypeIndex() > 0) {
    EnableOptimised(true);
    ShowCodeTypeName();
    if (optimisedChecked()) {
      tabs->EnableTab(2, true);
      EnableAutoDetect(false);
    }
  } else {
    EnableOptimised(false);
    tabs->EnableTab(2, false);
    ShowCodeTypeName();
    if (optimisedChecked()) {
      radios_[2]->setChecked(false);
      radios_[0]->setChecked(true);
      EnableAutoDetect(true);
    }
  }
  s.m_bValidationFailed = 0;
  // Fetched anew for the new type.
  s.m_ECC200QRQuality.clear();
  s.m_PDF417Quality.clear();
  s.m_QualityParams.clear();
  if (codeTypeIndex() > 0) StoreAndSend();
}

int CConfigCodeDefinitionTab1::StoreAndSend() {
  MainDialogState& s = ctx_.state();
  const Choices c = ReadChoices();
  if (!modified_ && c.codeType == 0) {
    if (s.m_bEditorMode) ctx_.Message(6065, 0, QMessageBox::Information);
    return 0;
  }
  int codes = c.codes == 0 && !modified_ ? 1 : c.codes;
  // Only what the edits accept reaches the sensor; a detected 11 or more
  // leaves the last value and the edit waits for a correction.
  if (codes < 1 || codes > 10) {
    codes = s.m_nCodesPerImage;
    FocusCodesPerImage(2);
  }
  const int time = c.time >= 10 && c.time <= 5000 ? c.time : s.m_Configuration.codeDefinition.MaxDecodingDuration;
  Store(c.codeType, c.mode, codes, time);
  modified_ = false;
  ShowAutoDetectPressed(false);
  if (EncodeConfiguration(ctx_.dlg) != 0) return -1;
  s.m_bBusy = 1;
  ctx_.dlg.PostSensorCommand(CMD_SET_CONFIG_DATA);
  return c.codeType;
}

void CConfigCodeDefinitionTab1::OnRecognitionClicked(int mode) {
  MainDialogState& s = ctx_.state();
  if (!radios_[mode]->isChecked()) return;
  CCodeDefinitionTabctrl* tabs = ctx_.page.tabs();
  if (mode < 2) {
    radios_[2]->setChecked(false);
    tabs->EnableTab(2, false);
    s.m_bConfigModified = 0;
    EnableAutoDetect(true);
    ShowAutoDetectPressed(false);
  } else {
    const bool named = !codeTypeText().isEmpty() && codeTypeIndex() > 0;
    tabs->EnableTab(2, named);
    if (named) EnableAutoDetect(false);
  }
  s.m_nRecognitionButton = mode;
  if (s.m_bBusy) return;
  s.m_bBusy = 1;
  s.m_nRecognitionMode = mode;
  s.m_Configuration.codeDefinition.Recognition = mode;
  ctx_.dlg.PostSensorCommand(CMD_UPDATE_RECOGNITION_MODE);
}

// Every exit of the detection undoes its start: busy, radios, zoom buttons.
void CConfigCodeDefinitionTab1::EndAutoDetect() {
  MainDialogState& s = ctx_.state();
  s.m_bBusy = 0;
  EnableRecognitionButtons(true);
  if (CDialogControl* control = ctx_.dlg.dialogControlIfMade()) {
    control->EnableZoomButtons(true);
    control->RestoreZoomButtons();
  }
  ShowAutoDetectPressed(false);
}

void CConfigCodeDefinitionTab1::OnAutoDetect() {
  MainDialogState& s = ctx_.state();
  if (s.m_bBusy) return;
  // A bad count or time never goes to the sensor with the detection (the
  // check that ran as the click took the focus may have refused it already).
  if (errorPending_ || !CheckEditsNow()) return;
  s.m_bBusy = 1;
  EnableRecognitionButtons(false);
  ctx_.dlg.LeaveZoomMode();
  if (CDialogControl* control = ctx_.dlg.dialogControlIfMade()) control->EnableZoomButtons(false);
  ctx_.dlg.log().Clear();
  if (ImageViewService* view = ctx_.dlg.panels().imageView.get()) view->RemoveOverlaysOfKind(1);

  modified_ = true;
  ShowAutoDetectPressed(true);
  ctx_.page.ShowButtons(false, true, false);
  ShowAutoDetectPressed(false);

  Apply();
  if (WriteConfiguration(ctx_.dlg) != 0) {
    EndAutoDetect();
    return;
  }
  s.m_bBusy = 1;
  s.m_nRecognition = s.m_nRecognitionMode;
  ctx_.dlg.PostSensorCommand(CMD_AUTO_DETECT_CODE);
}

void CConfigCodeDefinitionTab1::AutoDetectFailed() {
  modified_ = false;
  EndAutoDetect();
}

void CConfigCodeDefinitionTab1::ShowAutoDetectResult() {
  MainDialogState& s = ctx_.state();
  const int type = s.m_nDetectedCodeType;
  const int codes = s.m_nDetectedValue;
  CCodeDefinitionTabctrl* tabs = ctx_.page.tabs();
  if (type == 0) {
    EnableOptimised(false);
    tabs->EnableTab(2, false);
  } else {
    EnableOptimised(true);
    const int mode = s.m_nRecognitionMode >= 0 && s.m_nRecognitionMode <= 2 ? s.m_nRecognitionMode : 0;
    for (int m = 0; m < 3; ++m) radios_[m]->setChecked(m == mode);
    if (mode == 2) {
      EnableAutoDetect(false);
      tabs->EnableTab(2, true);
    }
  }
  filling_ = true;
  if (type >= 0 && type < list_->count()) list_->setCurrentIndex(type);
  list_->setToolTip(list_->currentText());
  filling_ = false;
  ShowCodeTypeName();
  codes_->setText(QString::number(codes));
  ctx_.dlg.log().Add(ctx_.text(7160) + list_->currentText(), s.m_messageColour);
  ctx_.dlg.log().Add(ctx_.text(7161) + QStringLiteral(" ") + QString::number(codes), s.m_messageColour);
  EndAutoDetect();
  s.m_bValidationFailed = 0;
  if (codes == 0 || codes > 10) FocusCodesPerImage(2);
  s.m_bAutoDetected = 0;
  OnCodeTypeChanged();
}
