// The shared records name a member "slots": they come before any Qt header.
#include "core/main_dialog_state.h"

#include "settings/interface_dialogs.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "controls/dialog_key_filter.h"
#include "settings/global_sensor_settings.h"
#include "settings/network_rules.h"
#include "settings/settings_support.h"
#include "window/main_window.h"

// --- TCP/IP ---

CGlobalTCPIPSettings::CGlobalTCPIPSettings(CGlobalSensorSettings& settings, QWidget* parent)
    : QDialog(parent), settings_(settings) {
  setObjectName("CGlobalTCPIPSettings");
  setFixedSize(280, 120);
  label_ = MakeControl<QLabel>(this, 1121, {16, 20, 150, 24});
  port_ = MakeControl<QLineEdit>(this, 1028, {170, 20, 90, 24});
  port_->setMaxLength(5);
  GuardEdit(port_);
  port_->installEventFilter(this);
  ok_ = MakeControl<QPushButton>(this, 1226, {60, 76, 96, 28});
  escape_ = MakeControl<QPushButton>(this, 1225, {168, 76, 96, 28});
  ok_->setAutoDefault(false);
  escape_->setAutoDefault(false);
  connect(ok_, &QPushButton::clicked, this, &CGlobalTCPIPSettings::accept);
  connect(escape_, &QPushButton::clicked, this, &CGlobalTCPIPSettings::OnEscape);
}

void CGlobalTCPIPSettings::OnInitDialog() {
  CVarnisDatamatrixDlg& dlg = settings_.window();
  closing_ = false;
  dlg.setMessageOwner(this);
  opening_ = QString::number(dlg.state().m_SensorGlobalRecords.procIf.ProcIfTcpPort);
  port_->setText(opening_);
  setWindowTitle(dlg.text(7843));
  label_->setText(dlg.text(7809));
  escape_->setText(dlg.text(9202));
  ok_->setText(dlg.text(9203));
}

void CGlobalTCPIPSettings::RefusePort() {
  settings_.window().errors().ShowError(kErrPort);
  QApplication::beep();
  port_->setFocus();
}

bool CGlobalTCPIPSettings::CheckPort() {
  if (escape_->hasFocus() || closing_) return true;
  if (!IsValidPortText(port_->text().toStdU16String())) {
    RefusePort();
    if (port_->text().isEmpty()) {
      port_->setText(opening_);
      port_->setSelection(0, 7);
    }
    return false;
  }
  if (port_->text() != opening_) settings_.window().state().m_SensorInfo.SetProcessChanged(1);
  return true;
}

void CGlobalTCPIPSettings::accept() {
  const int port = PortValue(port_->text().toStdU16String());
  if (port < 1024 || port > 65535) {
    settings_.window().errors().ShowError(kErrPort);
    port_->setText(opening_);
    port_->setFocus();
    port_->setSelection(0, 7);
    return;
  }
  settings_.window().state().m_SensorGlobalRecords.procIf.ProcIfTcpPort = port;
  QDialog::accept();
}

void CGlobalTCPIPSettings::OnEscape() {
  closing_ = true;
  reject();
}

void CGlobalTCPIPSettings::done(int result) {
  // Message boxes belong to the settings dialog again.
  settings_.window().setMessageOwner(&settings_);
  QDialog::done(result);
}

void CGlobalTCPIPSettings::closeEvent(QCloseEvent* event) {
  closing_ = true;
  QDialog::closeEvent(event);
}

bool CGlobalTCPIPSettings::eventFilter(QObject* watched, QEvent* event) {
  if (watched == port_ && event->type() == QEvent::FocusOut && IsUserFocusChange(event)) CheckPort();
  if (event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Escape) closing_ = true;
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) return true;
  }
  return QDialog::eventFilter(watched, event);
}

// --- Serial line ---

CGlobalSerialSettings::CGlobalSerialSettings(CGlobalSensorSettings& settings, QWidget* parent)
    : QDialog(parent), settings_(settings) {
  setObjectName("CGlobalSerialSettings");
  setFixedSize(300, 180);
  const int labelIds[4] = {1119, 1120, 1131, 1122};
  const QRect labelRects[4] = {{16, 16, 110, 24}, {236, 16, 60, 24}, {16, 52, 110, 24}, {16, 88, 110, 24}};
  for (int i = 0; i < 4; ++i) labels_[i] = MakeControl<QLabel>(this, labelIds[i], labelRects[i]);
  baud_ = MakeControl<QComboBox>(this, 1167, {130, 16, 100, 24});
  stop_ = MakeControl<QComboBox>(this, 1172, {130, 52, 100, 24});
  parity_ = MakeControl<QComboBox>(this, 1173, {130, 88, 100, 24});
  baud_->addItems({"9600", "19200", "38400", "57600", "115200"});
  stop_->addItems({"1", "2"});
  parity_->addItems({"none", "even", "odd"});
  for (QComboBox* c : {baud_, stop_, parity_})
    connect(c, &QComboBox::activated, this, [this] { settings_.window().state().m_SensorInfo.SetProcessChanged(1); });
  ok_ = MakeControl<QPushButton>(this, 1226, {80, 136, 96, 28});
  escape_ = MakeControl<QPushButton>(this, 1225, {188, 136, 96, 28});
  ok_->setAutoDefault(false);
  escape_->setAutoDefault(false);
  connect(ok_, &QPushButton::clicked, this, &CGlobalSerialSettings::accept);
  connect(escape_, &QPushButton::clicked, this, &CGlobalSerialSettings::reject);
  DialogKeyFilter::install(this);
}

void CGlobalSerialSettings::OnInitDialog() {
  CVarnisDatamatrixDlg& dlg = settings_.window();
  const ProcIfSettings& p = dlg.state().m_SensorGlobalRecords.procIf;
  baud_->setCurrentIndex(baud_->findText(QString::number(p.SerialBaudrate)));
  stop_->setCurrentIndex(stop_->findText(QString::number(p.SerialStopBits)));
  parity_->setCurrentIndex(p.SerialParity >= 0 && p.SerialParity < parity_->count() ? p.SerialParity : 0);
  setWindowTitle(dlg.text(7833));
  const int ids[4] = {7807, 7808, 7810, 7811};
  for (int i = 0; i < 4; ++i) labels_[i]->setText(dlg.text(ids[i]));
  for (int i = 0; i < 3; ++i) parity_->setItemText(i, dlg.text(7820 + i));
  escape_->setText(dlg.text(9202));
  ok_->setText(dlg.text(9203));
}

void CGlobalSerialSettings::accept() {
  ProcIfSettings& p = settings_.window().state().m_SensorGlobalRecords.procIf;
  // A stored value the list does not offer stays as it was.
  if (baud_->currentIndex() >= 0) p.SerialBaudrate = baud_->currentText().toInt();
  if (stop_->currentIndex() >= 0) p.SerialStopBits = stop_->currentText().toInt();
  p.SerialParity = std::max(0, parity_->currentIndex());
  QDialog::accept();
}
