// The shared records name a member "slots": they come before any Qt header.
#include "core/main_dialog_state.h"

#include "settings/process_page.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include "settings/ethernet_dialog.h"
#include "settings/global_sensor_settings.h"
#include "settings/interface_dialogs.h"
#include "settings/settings_support.h"
#include "window/main_window.h"

CGlobalProcessSettings::CGlobalProcessSettings(CGlobalSensorSettings& dialog, QWidget* parent)
    : QWidget(parent), dialog_(dialog) {
  setObjectName("CGlobalProcessSettings");
  resize(440, 230);
  typeLabel_ = MakeControl<QLabel>(this, 1220, {16, 20, 190, 24});
  type_ = MakeControl<QComboBox>(this, 1216, {210, 20, 200, 24});
  versionLabel_ = MakeControl<QLabel>(this, 1221, {16, 64, 190, 24});
  version_ = MakeControl<QComboBox>(this, 1217, {210, 64, 200, 24});
  connect_ = MakeControl<QCheckBox>(this, 1218, {16, 108, 394, 24});
  extended_ = MakeControl<QPushButton>(this, 1219, {16, 156, 190, 28});
  extended_->setAutoDefault(false);
  type_->addItems({"TCP/IP", "Serial line", "EtherNet/IP"});
  version_->addItems({"1", "2", "3", "4"});
  type_->setCurrentIndex(1);
  version_->setCurrentIndex(0);
  connect(type_, &QComboBox::activated, this, &CGlobalProcessSettings::OnSelChange);
  connect(version_, &QComboBox::activated, this, &CGlobalProcessSettings::OnSelChange);
  connect(connect_, &QCheckBox::clicked, this, [this] { dialog_.window().state().m_SensorInfo.SetProcessChanged(1); });
  connect(extended_, &QPushButton::clicked, this, &CGlobalProcessSettings::OnExtendedSettings);
  tcpip_ = new CGlobalTCPIPSettings(dialog_, &dialog_);
  serial_ = new CGlobalSerialSettings(dialog_, &dialog_);
  ethernet_ = new CGlobalEthernetSettings(dialog_, &dialog_);
}

CGlobalProcessSettings::~CGlobalProcessSettings() {
  delete tcpip_;
  delete serial_;
  delete ethernet_;
}

void CGlobalProcessSettings::LoadLanguageTexts() {
  CVarnisDatamatrixDlg& dlg = dialog_.window();
  typeLabel_->setText(dlg.text(7834));
  versionLabel_->setText(dlg.text(7836));
  const int types[3] = {7806, 7805, 7835};
  for (int i = 0; i < 3; ++i) type_->setItemText(i, dlg.text(types[i]));
  for (int i = 0; i < 4; ++i) version_->setItemText(i, dlg.text(7837 + i));
  connect_->setText(dlg.text(7841));
  extended_->setText(dlg.text(7842));
}

void CGlobalProcessSettings::FillFromSensorGlobals() {
  MainDialogState& s = dialog_.window().state();
  const ProcIfSettings& p = s.m_SensorGlobalRecords.procIf;
  // A type or version the list does not hold shows as serial line, version 1.
  const int type = p.ProcIfInterfaceType >= 0 && p.ProcIfInterfaceType <= 2 ? p.ProcIfInterfaceType : 1;
  type_->setCurrentIndex(type);
  EnableConnectMessage(type != 2);
  version_->setCurrentIndex(p.ProtocolVersion >= 1 && p.ProtocolVersion <= 4 ? p.ProtocolVersion - 1 : 0);
  s.m_SensorInfo.SetProcessChanged(0);
  if (type != 2) connect_->setChecked(p.SendConnectMessage == 1);
}

void CGlobalProcessSettings::Store() {
  ProcIfSettings& p = dialog_.window().state().m_SensorGlobalRecords.procIf;
  p.ProcIfInterfaceType = type_->currentIndex();
  p.ProtocolVersion = version_->currentIndex() + 1;
  p.SendConnectMessage = connect_->isChecked() ? 1 : 0;
}

void CGlobalProcessSettings::EnableConnectMessage(bool enable) {
  if (!enable) connect_->setChecked(false);
  connect_->setEnabled(enable);
}

void CGlobalProcessSettings::EnableControls(bool enable) {
  for (QWidget* w : std::initializer_list<QWidget*>{type_, version_, connect_, extended_}) w->setEnabled(enable);
  if (enable) EnableConnectMessage(type_->currentIndex() != 2);
}

void CGlobalProcessSettings::OnSelChange() {
  EnableConnectMessage(type_->currentIndex() != 2);
  dialog_.window().state().m_SensorInfo.SetProcessChanged(1);
}

void CGlobalProcessSettings::OnExtendedSettings() {
  Prompt& prompt = dialog_.window().prompt();
  switch (type_->currentIndex()) {
    case 0:
      tcpip_->OnInitDialog();
      prompt.runDialog(*tcpip_);
      break;
    case 1:
      serial_->OnInitDialog();
      prompt.runDialog(*serial_);
      break;
    case 2:
      ethernet_->OnInitDialog();
      prompt.runDialog(*ethernet_);
      break;
    default:
      break;
  }
}

void CGlobalProcessSettings::CloseInterfaceDialogs() {
  if (tcpip_->isVisible()) {
    tcpip_->setClosing();
    dialog_.window().setMessageOwner(nullptr);
    tcpip_->reject();
  }
  if (serial_->isVisible()) serial_->reject();
  if (ethernet_->isVisible()) ethernet_->Cancel();
}
