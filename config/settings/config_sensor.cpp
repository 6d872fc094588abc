// The shared records name a member "slots": they come before any Qt header.
#include "core/main_dialog_state.h"

#include "settings/config_sensor.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "core/misc_checks.h"
#include "core/sensor_command.h"
#include "core/text_escape.h"
#include "settings/globals_io.h"
#include "settings/settings_support.h"
#include "text/config_name_codec.h"
#include "window/main_window.h"

namespace {
constexpr int kHelpTopicString = 407;
constexpr int kNameLength = 32;

QString Decoded(const Text256& text) { return QString::fromStdU16String(DecodeSensorText(text.view())); }

void Encode(Text256& field, const QString& text) {
  std::string encoded;
  EncodeConfigName(encoded, text.toStdU16String());
  field.Assign(encoded);
}
}  // namespace

CConfigSensor::CConfigSensor() {
  setObjectName("CConfigSensor");
  const int labelIds[3] = {1031, 1032, 1033};
  for (int i = 0; i < 3; ++i) labels_[i] = MakeControl<QLabel>(this, labelIds[i], {12, 16 + i * 56, 330, 20});
  name_ = MakeControl<QLineEdit>(this, 1027, {12, 38, 330, 24});
  location_ = MakeControl<QLineEdit>(this, 1028, {12, 94, 330, 24});
  version_ = MakeControl<QLineEdit>(this, 1029, {12, 150, 120, 24});
  name_->setMaxLength(kNameLength);
  location_->setMaxLength(kNameLength);
  version_->setReadOnly(true);
  SetEditTextColour(version_, ReadOnlyGrey());
  assign_ = MakeControl<QPushButton>(this, 1034, {12, 196, 160, 30});
  global_ = MakeControl<QPushButton>(this, 1030, {12, 250, 330, 30});
  bookmark_ = MakeControl<QPushButton>(this, 1035, {12, 290, 330, 30});
  help_ = MakeControl<QPushButton>(this, 1036, {12, 500, 100, 30});
  connect(assign_, &QPushButton::clicked, this, &CConfigSensor::OnAssign);
  connect(global_, &QPushButton::clicked, this, &CConfigSensor::OnGlobalSettings);
  connect(bookmark_, &QPushButton::clicked, this, &CConfigSensor::OnSaveBookmark);
  connect(help_, &QPushButton::clicked, this, &CConfigSensor::OnHelp);
  for (QLineEdit* e : {name_, location_, version_}) {
    GuardEdit(e);
    e->installEventFilter(this);
  }
}

void CConfigSensor::LoadLanguageTexts() {
  if (!dlg_) return;
  const int ids[3] = {8400, 8401, 8402};
  for (int i = 0; i < 3; ++i) labels_[i]->setText(dlg_->text(ids[i]));
  global_->setText(dlg_->text(8403));
  assign_->setText(dlg_->text(8404));
  bookmark_->setText(dlg_->text(8405));
  help_->setText(dlg_->text(9205));
  setWindowTitle(dlg_->text(1071));
}

QString CConfigSensor::StoredName() const { return Decoded(dlg_->state().m_SensorGlobalRecords.identity.SensorName); }

void CConfigSensor::FillFromSensorGlobals() {
  if (!dlg_) return;
  MainDialogState& s = dlg_->state();
  // The list is the sensor's record as last read or written.
  ReadGlobalRecords(s);
  const SensorIdentity& id = s.m_SensorGlobalRecords.identity;
  name_->setText(Decoded(id.SensorName));
  location_->setText(Decoded(id.SensorLocation));
  version_->setText(QString::number(id.FWRelease));
  s.m_strTreeRootText = (name_->text() + " [" + location_->text() + "]").toStdU16String();
  LoadLanguageTexts();
}

void CConfigSensor::Store() {
  MainDialogState& s = dlg_->state();
  SensorIdentity& id = s.m_SensorGlobalRecords.identity;
  id.FWRelease = version_->text().toInt();
  Encode(id.SensorName, pendingName_);
  Encode(id.SensorLocation, pendingLocation_);
  s.m_strTreeRootText = (pendingName_ + "[" + pendingLocation_ + "]").toStdU16String();
}

int CConfigSensor::ValidateNames() {
  if (const int r = CMisc::ValidateSensorName(name_->text().toStdU16String()); r != 0) {
    dlg_->errors().ShowError(r);
    name_->setFocus();
    return 0;
  }
  if (const int r = CMisc::ValidateSensorName(location_->text().toStdU16String()); r != 0 && r != -19011) {
    dlg_->errors().ShowError(r);
    location_->setFocus();
    return 0;
  }
  return 1;
}

bool CConfigSensor::HasForbiddenChar(QLineEdit* edit) {
  if (!edit->text().contains('@') && !edit->text().contains('\\')) return false;
  ShowTextBox(*dlg_, 6039, QMessageBox::Information);
  edit->setFocus();
  edit->setSelection(0, kNameLength);
  error_ = true;
  return true;
}

void CConfigSensor::OnAssign() {
  if (!dlg_ || HasForbiddenChar(name_) || HasForbiddenChar(location_)) return;
  MainDialogState& s = dlg_->state();
  if (!ValidateNames()) {
    if (name_->text().isEmpty()) {
      name_->setText(StoredName());
      name_->setFocus();
      name_->setSelection(0, kNameLength);
    }
    return;
  }
  // One command at a time; the record takes the names once the sensor has them.
  if (s.m_bBusy) return;
  s.m_bBusy = 1;
  pendingName_ = name_->text();
  pendingLocation_ = location_->text();
  const SensorGlobalRecords kept = s.m_SensorGlobalRecords;
  const ParameterList listBefore = s.m_SensorGlobals;
  Store();
  const int packed = PackGlobalRecords(s);
  s.m_SensorGlobalRecords = kept;
  s.m_strTreeRootText = (StoredName() + " [" + Decoded(kept.identity.SensorLocation) + "]").toStdU16String();
  if (packed != 0) {
    s.m_SensorGlobals = listBefore;
    s.m_bBusy = 0;
    return;
  }
  assignPending_ = true;
  dlg_->PostSensorCommand(CMD_SET_SENSOR_GLOBALS);
}

void CConfigSensor::OnWriteReply(int status) {
  if (!assignPending_) return;
  assignPending_ = false;
  if (status == 0) {
    Store();
    // The tree's root shows the new name and location.
    if (auto& manager = dlg_->panels().configManager) manager->RebuildFromConfigList();
    return;
  }
  // The sensor kept its names: so does the list.
  PackGlobalRecords(dlg_->state());
}

void CConfigSensor::OnGlobalSettings() {
  if (!dlg_) return;
  MainDialogState& s = dlg_->state();
  s.m_bWoiDragArmed = false;
  if (s.m_bBusy) return;
  s.m_bBusy = 1;
  dlg_->PostSensorCommand(CMD_GET_SENSOR_GLOBALS);
}

void CConfigSensor::OnSaveBookmark() {
  if (!dlg_) return;
  MainDialogState& s = dlg_->state();
  if (s.m_bBusy || HasForbiddenChar(name_) || HasForbiddenChar(location_)) return;
  if (name_->text() != StoredName()) {
    dlg_->prompt().message(dlg_, dlg_->text(6073), dlg_->messageTitle(), QMessageBox::Information);
    return;
  }
  if (s.m_strConnectionName.empty()) s.m_strConnectionName = name_->text().toStdU16String();
  s.m_bBusy = 1;
  const SensorNetworkSettings& n = s.m_SensorGlobalRecords.network;
  SavedConnection c;
  c.name = name_->text();
  // What the sensor holds: a location typed but refused (or never assigned) is not its own.
  c.location = Decoded(s.m_SensorGlobalRecords.identity.SensorLocation);
  c.macAddress = FromText(n.SensorMACaddress.view());
  c.xmlPort = QString::number(n.XmlRpcPort);
  c.videoPort = QString::number(n.LiveImagePort);
  c.ipAddress = FromText(n.SensorIPaddress.view());
  c.networkMask = FromText(n.SensorSubnetMask.view());
  c.dhcp = QStringLiteral("OFF");
  if (n.SensorDHCPactive == 1) {
    c.dhcp = QStringLiteral("ON");
    // Not found on any adapter: the stored address and mask, as with no adapters.
    FindByMac(c.macAddress, adapters_(), lookup_, c.ipAddress, c.networkMask);
  }
  s.m_bUseMessageOwner = 0;
  if (auto& panel = dlg_->panels().connectionPanel) panel->SaveConnection(c);
  s.m_bBusy = 0;
}

void CConfigSensor::OnHelp() {
  if (dlg_) dlg_->LaunchHelp(dlg_->resources().definition(kHelpTopicString).toInt());
}

bool CConfigSensor::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type == QEvent::KeyPress || type == QEvent::KeyRelease) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) return true;
    if (watched == version_ && key != Qt::Key_Tab && key != Qt::Key_Backtab) return true;
  }
  return QWidget::eventFilter(watched, event);
}
