// The shared records name a member "slots": they come before any Qt header.
#include "core/main_dialog_state.h"

#include "settings/global_sensor_settings.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>

#include "core/sensor_command.h"
#include "settings/general_page.h"
#include "settings/globals_io.h"
#include "settings/network_page.h"
#include "settings/network_rules.h"
#include "settings/process_page.h"
#include "settings/settings_support.h"
#include "window/main_window.h"

namespace {
constexpr int kOpenDialogGlobalSettings = 4;
constexpr int kGeneralTab = 0;
constexpr int kNetworkTab = 2;
}  // namespace

// --- Tabs ---

CGlobalSettgTabctrl::CGlobalSettgTabctrl(CGlobalSensorSettings& dialog) : CPagedTabCtrl(&dialog), dialog_(dialog) {
  setObjectName(IdName(1221));
}


void CGlobalSettgTabctrl::tabChangedByUser(int newTab) {
  const int previous = previousTab();
  CGlobalNetworkSettings* network = dialog_.networkPage();
  // Leaving: the network fields must pass wherever the user goes.
  if (network && !network->ValidateFields(-1)) {
    previous == kNetworkTab ? revertTo(kNetworkTab) : switchTo(kNetworkTab);
    return;
  }
  if (dialog_.window().state().m_bBusy) {
    revertTo(previous);
    return;
  }
  if (network && network->errorMark()) {
    network->clearErrorMark();
    previous == kNetworkTab ? revertTo(kNetworkTab) : switchTo(kNetworkTab);
    return;
  }
  if (CGlobalSettings* general = dialog_.generalPage(); general && general->errorMark()) {
    general->clearErrorMark();
    previous == kGeneralTab ? revertTo(kGeneralTab) : switchTo(kGeneralTab);
    return;
  }
  dialog_.window().setMessageOwner(&dialog_);
  if (page(newTab))
    switchTo(newTab);
  else
    revertTo(previous);
}

// --- Dialog ---

CGlobalSensorSettings::CGlobalSensorSettings(CVarnisDatamatrixDlg& dlg, QWidget* parent)
    : QDialog(parent), dlg_(dlg) {
  setObjectName("CGlobalSensorSettings");
  setFixedSize(470, 330);
  help_ = MakeControl<QPushButton>(this, 1222, {10, 290, 100, 28});
  escape_ = MakeControl<QPushButton>(this, kEscapeId, {250, 290, 100, 28});
  ok_ = MakeControl<QPushButton>(this, 1200, {360, 290, 100, 28});
  for (QPushButton* b : {help_, escape_, ok_}) {
    b->setAutoDefault(false);
    b->installEventFilter(this);
  }
  connect(ok_, &QPushButton::clicked, this, &CGlobalSensorSettings::OnOKClicked);
  connect(escape_, &QPushButton::clicked, this, &CGlobalSensorSettings::OnEscape);
  connect(help_, &QPushButton::clicked, this, &CGlobalSensorSettings::OnHelp);
  connect(this, &QDialog::finished, this, &CGlobalSensorSettings::FreePages);
  installEventFilter(this);
}

CGlobalSensorSettings::~CGlobalSensorSettings() = default;

int CGlobalSensorSettings::Run() {
  OnInitDialog();
  return dlg_.prompt().runDialog(*this);
}

void CGlobalSensorSettings::OnInitDialog() {
  FreePages();
  closing_ = stayOpen_ = forceClosing_ = writePending_ = false;
  // A fresh tab control each time: its tabs and pages start as the template has them.
  if (tabs_) {
    tabs_->hide();
    tabs_->deleteLater();
  }
  tabs_ = new CGlobalSettgTabctrl(*this);
  tabs_->setGeometry(10, 10, 450, 270);
  tabs_->show();
  general_ = new CGlobalSettings(*this, tabs_);
  tabs_->AddPage(general_, dlg_.text(7799), 0);
  process_ = new CGlobalProcessSettings(*this, tabs_);
  tabs_->AddPage(process_, dlg_.text(7807), 1);
  network_ = new CGlobalNetworkSettings(*this, tabs_);
  tabs_->AddPage(network_, dlg_.text(7820), 2);
  for (QWidget* w : std::initializer_list<QWidget*>{general_, process_, network_})
    for (QObject* child : w->children())
      if (child->isWidgetType()) child->installEventFilter(this);
  setWindowTitle(dlg_.text(7798));
  LoadLanguageTexts();
  general_->FillFromSensorGlobals();
  process_->FillFromSensorGlobals();
  network_->FillFromSensorGlobals();
  EnableButtons(true);
  dlg_.setMessageOwner(this);
  MainDialogState& s = dlg_.state();
  s.m_nOpenDialog = kOpenDialogGlobalSettings;
  s.m_nHelpContext = kOpenDialogGlobalSettings;
  s.m_bBusy = 0;
}

void CGlobalSensorSettings::LoadLanguageTexts() {
  const int tabTexts[3] = {7799, 7804, 7812};
  for (int i = 0; i < tabs_->count(); ++i) tabs_->tabBar()->setTabText(i, dlg_.text(tabTexts[i]));
  help_->setText(dlg_.text(9205));
  escape_->setText(dlg_.text(9202));
  ok_->setText(dlg_.text(9203));
  setWindowTitle(dlg_.text(7798));
  if (general_) general_->LoadLanguageTexts();
  if (process_) process_->LoadLanguageTexts();
  if (network_) network_->LoadLanguageTexts();
  update();
}

void CGlobalSensorSettings::EnablePages(bool enable) {
  if (general_) general_->EnableControls(enable);
  if (process_) process_->EnableControls(enable);
  if (network_) network_->EnableControls(enable);
}

void CGlobalSensorSettings::EnableButtons(bool enable) {
  for (QPushButton* b : {help_, escape_, ok_}) b->setEnabled(enable);
}

bool CGlobalSensorSettings::escapeHasFocus() const { return escape_->hasFocus(); }

void CGlobalSensorSettings::FreePages() {
  MainDialogState& s = dlg_.state();
  if (general_ || process_ || network_) {
    dlg_.setMessageOwner(nullptr);
    s.m_nOpenDialog = 0;
    s.m_nHelpContext = 0;
  }
  // The pages go with their tab control, which the next opening replaces.
  for (QWidget* page : std::initializer_list<QWidget*>{general_, process_, network_})
    if (page) page->setEnabled(false);
  general_ = nullptr;
  process_ = nullptr;
  network_ = nullptr;
}

void CGlobalSensorSettings::RestoreRecord() { ReadGlobalRecords(dlg_.state()); }

int CGlobalSensorSettings::CheckPorts() {
  MainDialogState& s = dlg_.state();
  const SensorGlobalRecords& r = s.m_SensorGlobalRecords;
  switch (CheckPortClash(r.network.XmlRpcPort, r.network.LiveImagePort, r.procIf.ProcIfTcpPort)) {
    case 0:
      return 0;
    case 1:
      s.m_bBusy = 0;
      ShowTextBox(dlg_, 6028, QMessageBox::Information, QMessageBox::Ok, this);
      return -1;
    default:
      // The process-interface port is never checked on the way here: say why.
      s.m_bBusy = 0;
      dlg_.errors().ShowError(kErrPort);
      return -1;
  }
}

int CGlobalSensorSettings::StoreAndSend() {
  MainDialogState& s = dlg_.state();
  general_->Store();
  process_->Store();
  if (network_->Store() != 0) {
    ShowTextBox(dlg_, 6028, QMessageBox::Information, QMessageBox::Ok, this);
    RestoreRecord();
    return -1;
  }
  if (CheckPorts() != 0) {
    RestoreRecord();
    return -1;
  }
  if (s.m_SensorInfo.networkChanged) {
    // A No or Cancel leaves the record as it was: nothing declined goes out later.
    if (ShowTextBox(dlg_, 6019, QMessageBox::Warning, QMessageBox::Yes | QMessageBox::No, this) != QMessageBox::Yes) {
      RestoreRecord();
      return -1;
    }
    if (s.m_SensorGlobalRecords.network.SensorDHCPactive == 1 &&
        ShowTextBox(dlg_, 6027, QMessageBox::Information, QMessageBox::Ok | QMessageBox::Cancel, this) !=
            QMessageBox::Ok) {
      RestoreRecord();
      return -1;
    }
    EnablePages(false);
  }
  SendGlobals();
  return 0;
}

void CGlobalSensorSettings::SendGlobals() {
  MainDialogState& s = dlg_.state();
  listBeforeWrite_ = s.m_SensorGlobals;
  if (PackGlobalRecords(s) != 0) {
    // Never read whole: nothing is sent, and the dialog is as before.
    s.m_SensorGlobals = listBeforeWrite_;
    writePending_ = true;
    OnWriteReply(-1);
    s.m_bBusy = 0;
    return;
  }
  writePending_ = true;
  dlg_.PostSensorCommand(CMD_SET_SENSOR_GLOBALS);
}

void CGlobalSensorSettings::OnWriteReply(int status) {
  MainDialogState& s = dlg_.state();
  // A write of the sensor page's Assign is the page's own.
  if (!writePending_) return;
  writePending_ = false;
  if (status != 0) {
    // The sensor keeps what it had: so do the list, the record, the flag and the controls.
    s.m_SensorGlobals = listBeforeWrite_;
    RestoreRecord();
    if (network_) {
      network_->dhcpOn()->setChecked(s.m_SensorGlobalRecords.network.SensorDHCPactive == 1);
      network_->dhcpOff()->setChecked(s.m_SensorGlobalRecords.network.SensorDHCPactive != 1);
    }
    stayOpen_ = false;
    EnableButtons(true);
    EnablePages(true);
    return;
  }
  if (stayOpen_) {
    stayOpen_ = false;
    EnableButtons(true);
    EnablePages(true);
    s.m_bBusy = 0;
    return;
  }
  if (isVisible()) {
    if (s.m_SensorInfo.networkChanged) {
      EnablePages(true);
      ShowTextBox(dlg_, 6029, QMessageBox::Warning, QMessageBox::Ok, this);
    }
    ForceClose();
  }
  s.m_SensorInfo.SetNetworkChanged(0);
  s.m_SensorInfo.SetGeneralChanged(0);
  s.m_SensorInfo.SetProcessChanged(0);
  s.m_bBusy = 0;
}

void CGlobalSensorSettings::ForceClose() {
  if (!isVisible()) return;
  closing_ = true;
  forceClosing_ = true;
  if (process_) process_->CloseInterfaceDialogs();
  QDialog::reject();
  forceClosing_ = false;
}

void CGlobalSensorSettings::OnOKClicked() {
  MainDialogState& s = dlg_.state();
  if (!network_->ValidateFields(-1)) return;
  s.m_bBusy = 1;
  if (s.m_SensorGlobalRecords.network.SensorDHCPactive == 0 && !network_->ValidateAddresses()) {
    s.m_bBusy = 0;
    return;
  }
  if (StoreAndSend() != 0) {
    s.m_bBusy = 0;
    return;
  }
  if (s.m_SensorGlobalRecords.network.SensorDHCPactive == 1) s.m_nOpenDialog = 0;
}

void CGlobalSensorSettings::OnEscape() {
  closing_ = true;
  reject();
}

void CGlobalSensorSettings::reject() {
  // Cancelled (Escape, the close box): the record is the one last read or written.
  if (!forceClosing_) RestoreRecord();
  closing_ = true;
  QDialog::reject();
}

void CGlobalSensorSettings::OnHelp() {
  if (network_ && !network_->ValidateFields(-1)) return;
  dlg_.LaunchHelp(dlg_.resources().definition(kHelpTopicString).toInt());
}

void CGlobalSensorSettings::closeEvent(QCloseEvent* event) {
  closing_ = true;
  QDialog::closeEvent(event);
}

bool CGlobalSensorSettings::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) {
      // Space still ticks the page's check boxes and radio buttons.
      if (key == Qt::Key_Space && !qobject_cast<QPushButton*>(watched)) return QDialog::eventFilter(watched, event);
      return true;
    }
    if (key == Qt::Key_Escape) closing_ = true;
  }
  return QDialog::eventFilter(watched, event);
}
