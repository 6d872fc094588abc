// The shared records name a member "slots": they come before any Qt header.
#include "core/main_dialog_state.h"

#include "settings/network_page.h"

#include <QApplication>
#include <QButtonGroup>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include "core/misc_checks.h"
#include "settings/global_sensor_settings.h"
#include "settings/globals_io.h"
#include "settings/settings_support.h"
#include "window/main_window.h"

namespace {

int ErrorOf(int group) { return group == 0 ? kErrIpAddress : group == 1 ? kErrSubnetMask : kErrGateway; }

}  // namespace

CGlobalNetworkSettings::CGlobalNetworkSettings(CGlobalSensorSettings& dialog, QWidget* parent)
    : QWidget(parent), dialog_(dialog) {
  setObjectName("CGlobalNetworkSettings");
  resize(440, 230);
  const int labelIds[7] = {1084, 1125, 1126, 1127, 1128, 1223, 1130};
  for (int i = 0; i < 7; ++i) labels_[i] = MakeControl<QLabel>(this, labelIds[i], {16, 10 + i * 30, 170, 24});
  dhcpOn_ = MakeControl<QRadioButton>(this, 1056, {190, 10, 80, 24});
  dhcpOff_ = MakeControl<QRadioButton>(this, 1057, {280, 10, 80, 24});
  auto* group = new QButtonGroup(this);
  group->addButton(dhcpOn_);
  group->addButton(dhcpOff_);
  connect(dhcpOn_, &QRadioButton::clicked, this, &CGlobalNetworkSettings::OnDhcpOn);
  connect(dhcpOff_, &QRadioButton::clicked, this, &CGlobalNetworkSettings::OnDhcpOff);
  const int* groups[3] = {kIpIds, kMaskIds, kGatewayIds};
  for (int g = 0; g < 3; ++g)
    for (int i = 0; i < 4; ++i) {
      QLineEdit* e = MakeControl<QLineEdit>(this, groups[g][i], {190 + i * 52, 40 + g * 30, 40, 24});
      e->setMaxLength(3);
      octets_[static_cast<std::size_t>(g * 4 + i)] = e;
      if (i > 0) MakeControl<QLabel>(this, -1, {190 + i * 52 - 10, 40 + g * 30, 8, 24})->setText(".");
    }
  xmlPort_ = MakeControl<QLineEdit>(this, kXmlPortId, {190, 130, 70, 24});
  videoPort_ = MakeControl<QLineEdit>(this, kVideoPortId, {190, 160, 70, 24});
  xmlPort_->setMaxLength(5);
  videoPort_->setMaxLength(5);
  mac_ = MakeControl<QLineEdit>(this, kMacId, {190, 190, 196, 24});
  mac_->setReadOnly(true);
  SetEditTextColour(mac_, ReadOnlyGrey());
  for (QLineEdit* e : octets_) {
    GuardEdit(e);
    e->installEventFilter(this);
    connect(e, &QLineEdit::textEdited, this, [this] { SetBadField(0); });
  }
  for (QLineEdit* e : {xmlPort_, videoPort_, mac_}) {
    GuardEdit(e);
    e->installEventFilter(this);
    connect(e, &QLineEdit::textEdited, this, [this] { SetBadField(0); });
  }
}

QLineEdit* CGlobalNetworkSettings::field(int id) const {
  if (id == kXmlPortId) return xmlPort_;
  if (id == kVideoPortId) return videoPort_;
  if (id == kMacId) return mac_;
  for (QLineEdit* e : octets_)
    if (e->objectName() == IdName(id)) return e;
  return nullptr;
}

QString& CGlobalNetworkSettings::LastAccepted(int id) {
  for (std::size_t i = 0; i < octets_.size(); ++i)
    if (octets_[i]->objectName() == IdName(id)) return acceptedOctets_[i];
  return id == kXmlPortId ? shownXmlPort_ : shownVideoPort_;
}

void CGlobalNetworkSettings::LoadLanguageTexts() {
  CVarnisDatamatrixDlg& dlg = dialog_.window();
  const int ids[7] = {7813, 7814, 7815, 7816, 7817, 7818, 7819};
  for (int i = 0; i < 7; ++i) labels_[static_cast<std::size_t>(i)]->setText(dlg.text(ids[i]));
  dhcpOn_->setText(dlg.text(7802));
  dhcpOff_->setText(dlg.text(7803));
}

void CGlobalNetworkSettings::EnableAddressFields(bool enable) {
  for (QLineEdit* e : octets_) e->setEnabled(enable);
}

void CGlobalNetworkSettings::EnableControls(bool enable) {
  for (QWidget* w : std::initializer_list<QWidget*>{dhcpOn_, dhcpOff_, xmlPort_, videoPort_, mac_}) w->setEnabled(enable);
  EnableAddressFields(enable && !dhcpOn_->isChecked());
}

void CGlobalNetworkSettings::FillFromSensorGlobals() {
  MainDialogState& s = dialog_.window().state();
  const SensorNetworkSettings& n = s.m_SensorGlobalRecords.network;
  const Text256* texts[3] = {&n.SensorIPaddress, &n.SensorSubnetMask, &n.SensorGatewayIP};
  for (int g = 0; g < 3; ++g) {
    std::array<std::string, 4> parts;
    CSensorInfo::SplitIP(std::string(texts[g]->view()), parts);
    for (int i = 0; i < 4; ++i) acceptedOctets_[static_cast<std::size_t>(g * 4 + i)] = QString::fromStdString(parts[i]);
  }
  mac_->setText(FromText(n.SensorMACaddress.view()));
  shownXmlPort_ = QString::number(n.XmlRpcPort);
  shownVideoPort_ = QString::number(n.LiveImagePort);
  xmlPort_->setText(shownXmlPort_);
  videoPort_->setText(shownVideoPort_);
  for (std::size_t i = 0; i < octets_.size(); ++i) octets_[i]->setText(acceptedOctets_[i]);
  s.m_SensorInfo.SetNetworkChanged(0);
  const bool dhcp = n.SensorDHCPactive == 1;
  (dhcp ? dhcpOn_ : dhcpOff_)->setChecked(true);
  EnableAddressFields(!dhcp);
  skipNextCheck_ = true;
  showingError_ = false;
  SetBadField(0);
}

NetworkFields CGlobalNetworkSettings::Fields() const {
  NetworkFields f;
  for (int i = 0; i < 4; ++i) {
    f.ip[i] = octets_[static_cast<std::size_t>(i)]->text().toStdU16String();
    f.mask[i] = octets_[static_cast<std::size_t>(4 + i)]->text().toStdU16String();
    f.gateway[i] = octets_[static_cast<std::size_t>(8 + i)]->text().toStdU16String();
  }
  f.xmlPort = xmlPort_->text().toStdU16String();
  f.videoPort = videoPort_->text().toStdU16String();
  return f;
}

int CGlobalNetworkSettings::Store() {
  MainDialogState& s = dialog_.window().state();
  SensorNetworkSettings& n = s.m_SensorGlobalRecords.network;
  const int xml = PortValue(xmlPort_->text().toStdU16String());
  const int video = PortValue(videoPort_->text().toStdU16String());
  if (xml == video) return -1;
  n.XmlRpcPort = xml;
  n.LiveImagePort = video;
  ToText(n.SensorMACaddress, mac_->text());
  if (dhcpOff_->isChecked()) {
    for (std::size_t i = 0; i < octets_.size(); ++i) acceptedOctets_[i] = octets_[i]->text();
    Text256* texts[3] = {&n.SensorIPaddress, &n.SensorSubnetMask, &n.SensorGatewayIP};
    for (int g = 0; g < 3; ++g) {
      QStringList parts;
      for (int i = 0; i < 4; ++i) parts << octets_[static_cast<std::size_t>(g * 4 + i)]->text();
      ToText(*texts[g], parts.join('.'));
    }
  }
  n.SensorDHCPactive = dhcpOn_->isChecked() ? 1 : 0;
  return 0;
}

void CGlobalNetworkSettings::SetBadField(int id) {
  if (badField_ == id) return;
  if (QLineEdit* old = field(badField_)) SetEditTextColour(old, Qt::black);
  badField_ = id;
  if (QLineEdit* now = field(badField_)) SetEditTextColour(now, Qt::red);
}

bool CGlobalNetworkSettings::Refuse(int id, int code, const QString& restore, int selection) {
  showingError_ = true;
  QLineEdit* f = field(id);
  dialog_.window().errors().ShowError(code);
  if (code == kErrPort) QApplication::beep();
  f->setFocus();
  if (!f->text().isEmpty()) {
    SetBadField(id);
  } else {
    f->setText(restore);
    f->setSelection(0, selection);
  }
  errorMark_ = true;
  return false;
}

bool CGlobalNetworkSettings::CheckOctet(int id) {
  if (dialog_.escapeHasFocus() || dialog_.closing()) return true;
  for (std::size_t i = 0; i < octets_.size(); ++i) {
    if (octets_[i]->objectName() != IdName(id)) continue;
    const QString text = octets_[i]->text();
    if (!CMisc::IsValidOctet(text.toStdU16String()))
      return Refuse(id, ErrorOf(static_cast<int>(i) / 4), acceptedOctets_[i], 3);
    errorMark_ = false;
    if (text != acceptedOctets_[i]) dialog_.window().state().m_SensorInfo.SetNetworkChanged(1);
    return true;
  }
  return true;
}

bool CGlobalNetworkSettings::CheckPort(int id) {
  if (dialog_.escapeHasFocus() || dialog_.closing()) return true;
  QLineEdit* f = field(id);
  const QString& shown = id == kXmlPortId ? shownXmlPort_ : shownVideoPort_;
  if (!IsValidPortText(f->text().toStdU16String())) return Refuse(id, kErrPort, shown, 7);
  errorMark_ = false;
  if (f->text() != shown) dialog_.window().state().m_SensorInfo.SetNetworkChanged(1);
  return true;
}

bool CGlobalNetworkSettings::ValidateFields(int except) {
  if (skipNextCheck_) {
    skipNextCheck_ = false;
    errorMark_ = false;
    return true;
  }
  std::vector<int> order;
  for (const int* g : {kIpIds, kGatewayIds, kMaskIds}) order.insert(order.end(), g, g + 4);
  order.push_back(kVideoPortId);
  order.push_back(kXmlPortId);
  for (int id : order) {
    if (id == except) continue;
    const bool ok = id == kVideoPortId || id == kXmlPortId ? CheckPort(id) : CheckOctet(id);
    if (!ok) {
      showingError_ = false;
      return false;
    }
  }
  errorMark_ = false;
  return true;
}

bool CGlobalNetworkSettings::ValidateAddresses() {
  const NetworkFault fault = ValidateAddressSet(Fields());
  if (fault.code == 0) return true;
  dialog_.window().errors().ShowError(fault.code);
  QLineEdit* f = nullptr;
  int selection = 3;
  switch (fault.group) {
    case NetworkGroup::Ip:
    case NetworkGroup::Mask:
    case NetworkGroup::Gateway:
      if (fault.index >= 0) {
        const int g = fault.group == NetworkGroup::Ip ? 0 : fault.group == NetworkGroup::Mask ? 1 : 2;
        const std::size_t at = static_cast<std::size_t>(g * 4 + fault.index);
        f = octets_[at];
        f->setText(acceptedOctets_[at]);
      }
      break;
    case NetworkGroup::XmlPort:
      f = xmlPort_;
      f->setText(shownXmlPort_);
      selection = 7;
      break;
    case NetworkGroup::VideoPort:
      f = videoPort_;
      f->setText(shownVideoPort_);
      selection = 7;
      break;
    case NetworkGroup::None:
      break;
  }
  if (f) {
    showingError_ = true;
    f->setFocus();
    f->setSelection(0, selection);
    showingError_ = false;
  }
  return false;
}

void CGlobalNetworkSettings::ButtonsToStored() {
  MainDialogState& s = dialog_.window().state();
  const bool dhcp = s.m_SensorGlobalRecords.network.SensorDHCPactive == 1;
  (dhcp ? dhcpOn_ : dhcpOff_)->setChecked(true);
  EnableAddressFields(!dhcp);
}

void CGlobalNetworkSettings::DhcpClicked(bool on) {
  MainDialogState& s = dialog_.window().state();
  if (!ValidateFields(-1)) {
    ButtonsToStored();
    return;
  }
  if ((s.m_SensorGlobalRecords.network.SensorDHCPactive == 1) != on) s.m_SensorInfo.SetNetworkChanged(1);
  EnableAddressFields(!on);
  s.m_bBusy = 1;
  dialog_.EnableButtons(false);
  dialog_.setStayOpen(true);
  dialog_.EnablePages(false);
  (on ? dhcpOn_ : dhcpOff_)->setEnabled(true);
  s.m_SensorGlobalRecords.network.SensorDHCPactive = on ? 1 : 0;
  dialog_.SendGlobals();
}

void CGlobalNetworkSettings::OnDhcpOn() { DhcpClicked(true); }
void CGlobalNetworkSettings::OnDhcpOff() { DhcpClicked(false); }

bool CGlobalNetworkSettings::eventFilter(QObject* watched, QEvent* event) {
  auto* edit = qobject_cast<QLineEdit*>(watched);
  if (edit && edit != mac_ && event->type() == QEvent::FocusIn && !showingError_ && IsUserFocusChange(event))
    ValidateFields(edit == xmlPort_ ? kXmlPortId : edit == videoPort_ ? kVideoPortId : edit->objectName().mid(2).toInt());
  if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (watched == mac_ && key->key() != Qt::Key_Escape && key->key() != Qt::Key_Tab) return true;
    if (key->key() == Qt::Key_Tab && event->type() == QEvent::KeyPress && !ValidateFields(-1)) return true;
  }
  return QWidget::eventFilter(watched, event);
}
