#include "window/main_commands.h"

#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextEdit>
#include <QUrl>

#include "core/dialog_state_rules.h"
#include "core/sensor_command.h"
#include "services/prompt.h"
#include "window/dialog_control.h"
#include "window/main_window.h"
#include "window/menu_table.h"

using namespace DialogIds;

CMainCommands::CMainCommands(CVarnisDatamatrixDlg& dlg) : QObject(&dlg), dlg_(dlg) {
  hasActiveConfig_ = [this] {
    auto& manager = dlg_.panels().configManager;
    return manager && manager->countConfigurations() > 0 && manager->IsAnyConfigActive();
  };
}

bool CMainCommands::Busy() const { return dlg_.state().m_bBusy; }

bool CMainCommands::EditorPageValid() {
  if (!dlg_.state().m_bEditorOpen) return true;
  if (dlg_.ValidateEditorPage() == 0) return true;
  if (QPushButton* next = dlg_.wizardButton(1028)) next->setFocus();
  return false;
}

void CMainCommands::Forward(int command, std::function<void()> action, bool guarded) {
  QAction* a = dlg_.action(command);
  if (!a) return;
  connect(a, &QAction::triggered, this, [this, action = std::move(action), guarded] {
    if (guarded && (Busy() || !EditorPageValid())) return;
    action();
  });
}

void CMainCommands::Connect() {
  Forward(MenuIds::kConnect, [this] { OnConnect(true); });
  Forward(kConnect, [this] { OnConnect(false); });
  Forward(kDisconnect, [this] { OnDisconnect(); });
  Forward(MenuIds::kIpAddress, [this] { OnIpAddress(); });
  Forward(MenuIds::kOpenServiceReport, [this] { OnOpenServiceReport(); });
  Forward(MenuIds::kColour, [this] { OnColour(); });

  // The configuration commands: the manager acts on the tree's selection.
  auto manager = [this](auto member) {
    return [this, member] {
      if (auto& m = dlg_.panels().configManager) ((*m).*member)();
    };
  };
  CDialogControl& control = dlg_.dialogControl();
  Forward(MenuIds::kNewConfig, [this] { dlg_.dialogControl().NewConfiguration(); });
  Forward(kNew, [this] { dlg_.dialogControl().NewConfiguration(); });
  Forward(MenuIds::kActivate, manager(&ConfigManagerService::ActivateSelected));
  Forward(MenuIds::kEdit, manager(&ConfigManagerService::EditSelectedConfig));
  Forward(MenuIds::kGroupMaster, [this] {
    if (auto& m = dlg_.panels().configManager) {
      m->GetMasterRequestType(0);
      m->SetSelectedAsGroupMaster();
    }
  });
  Forward(MenuIds::kCaptureMaster, [this] {
    if (auto& m = dlg_.panels().configManager) {
      m->GetMasterRequestType(1);
      m->SetSelectedAsGroupMaster();
    }
  });
  Forward(MenuIds::kUpload, manager(&ConfigManagerService::SaveConfigToFile));
  Forward(kUpload, manager(&ConfigManagerService::SaveConfigToFile));
  Forward(MenuIds::kDownload, [this] { dlg_.dialogControl().DownloadConfigToDevice(); });
  Forward(kDownload, [this] { dlg_.dialogControl().DownloadConfigToDevice(); });
  Forward(kDelete, manager(&ConfigManagerService::DeleteSelectedConfig));
  Forward(MenuIds::kDelete, manager(&ConfigManagerService::DeleteSelectedConfig));
  Forward(MenuIds::kCut, manager(&ConfigManagerService::CutSelectedConfig));
  Forward(MenuIds::kCopy, manager(&ConfigManagerService::CopySelectedConfig));
  Forward(MenuIds::kPaste, manager(&ConfigManagerService::PasteClipboardConfig));
  Forward(MenuIds::kInfo, manager(&ConfigManagerService::RequestConfigInfo));
  Forward(MenuIds::kRename, [this] {
    if (auto& d = dlg_.panels().configDialogs) d->RunRename();
  });
  (void)control;

  if (QPushButton* b = dlg_.wizardButton(1028)) connect(b, &QPushButton::clicked, this, &CMainCommands::OnNext);
  if (QPushButton* b = dlg_.wizardButton(1026)) connect(b, &QPushButton::clicked, this, &CMainCommands::OnBack);
  if (QPushButton* b = dlg_.wizardButton(1027)) connect(b, &QPushButton::clicked, this, &CMainCommands::OnEscape);
  for (int id : {kModeConfiguration, kModeMonitor, kModeService}) {
    if (QLabel* mode = dlg_.modeStatic(id)) {
      mode->setAttribute(Qt::WA_Hover);
      mode->installEventFilter(this);
    }
  }
  qApp->installEventFilter(this);
}

// --- Connect and disconnect ---

void CMainCommands::OnConnect(bool fromMenu) {
  if (Busy()) return;
  MainDialogState& s = dlg_.state();
  if (fromMenu && s.m_bConnected) {
    OnDisconnect();
    return;
  }
  if (s.m_bConnected) return;
  if (auto& panel = dlg_.panels().connectionPanel) {
    // The shown panel holds the operator's choice (typed, or a selected saved
    // connection); so does a typed address. With the panel hidden the last
    // address is connected again; with none at all the panel connects its
    // selected saved connection and is shown to pick or type one.
    bool typed = true;
    for (const QString& octet : panel->octetTexts()) typed = typed && !octet.isEmpty();
    const bool shown = panel->widget()->isVisible();
    if (shown || typed || s.m_strConnectAddress.empty()) {
      panel->ConnectSelected();
      if (!shown && !typed) OnIpAddress();
      return;
    }
  }
  if (s.m_strConnectAddress.empty()) {
    // No address yet: the user types one in the connection panel.
    OnIpAddress();
    return;
  }
  dlg_.dialogControl().ShowConnectingStatus();
  s.m_bBusy = 1;
  dlg_.PostSensorCommand(CMD_CONNECT);
}

void CMainCommands::OnDisconnect() {
  if (Busy()) return;
  MainDialogState& s = dlg_.state();
  s.m_bLeaving = 1;
  if (dlg_.prompt().message(dlg_.messageOwner(), dlg_.text(6002), dlg_.messageTitle(), QMessageBox::Information,
                            QMessageBox::Ok | QMessageBox::Cancel) != QMessageBox::Ok) {
    s.m_bLeaving = 0;
    EditorPageValid();
    return;
  }
  auto& codeDefinition = dlg_.panels().codeDefinition;
  if (codeDefinition && codeDefinition->hasPendingAction()) codeDefinition->EndPendingAction();
  if (QAction* update = dlg_.action(MenuIds::kUpdate)) update->setEnabled(false);
  s.m_bBusy = 1;
  dlg_.ShowDisconnectNotice();
}

void CMainCommands::OnIpAddress() {
  MainDialogState& s = dlg_.state();
  s.m_bImageVisible = 0;
  dlg_.ShowAddressPanel();
  s.m_nWizardStep = 3;
  s.m_nPageTitle = 3;
  dlg_.dialogControl().SetConnectionPanelShown(true);
}

// --- Mode statics ---

bool CMainCommands::AskLogin(int maskBit) {
  if (!LoginNeeded(dlg_.state(), maskBit)) return true;
  ++loginRequests_;
  return runLogin_ && runLogin_() == QDialog::Accepted;
}

void CMainCommands::OnModeStatic(int id) {
  MainDialogState& s = dlg_.state();
  if (!ModeButtonAllowed(id, s, id == kModeMonitor && s.m_bEditorOpen && hasActiveConfig_ && hasActiveConfig_()))
    return;
  CDialogControl& control = dlg_.dialogControl();
  auto& panels = dlg_.panels();
  if (QLabel* mode = dlg_.modeStatic(id)) SetHover(mode, false);

  if (id == kModeConfiguration || id == kModeService) {
    const bool configuration = id == kModeConfiguration;
    if (dlg_.prompt().message(dlg_.mainWindow(), dlg_.text(configuration ? 6000 : 6001), dlg_.messageTitle(),
                              QMessageBox::Information, QMessageBox::Ok | QMessageBox::Cancel) != QMessageBox::Ok)
      return;
    if (!AskLogin(configuration ? kLockConfiguration : kLockService)) return;
    s.m_bTestRunning = 0;
    s.m_bBusy = 1;
    if (configuration) {
      if (panels.configManager) panels.configManager->DisableConfigCommands();
      s.m_nSensorState = 4;
    } else {
      dlg_.log().Clear();
      s.m_nSensorState = 9;
    }
    control.Apply();
    // The reply enters the configuration or service view.
    dlg_.PostSensorCommand(CMD_MONITOR_OFF);
    return;
  }

  // Monitor. The sensor refuses monitor operation while the live image
  // runs (an editor page may have it on): it stops first.
  if (s.m_bLiveImage) dlg_.StopLiveImage();
  if (s.m_bEditorOpen) {
    if (panels.configManager) panels.configManager->ClearClipboard();
    if (panels.monitor) panels.monitor->ClearStatistics();
  }
  dlg_.ClearResultRegions();
  dlg_.log().Clear();
  if (panels.imageView) panels.imageView->RemoveAllOverlays();
  s.m_bMonitorView = 1;
  // The connection panel is left: the status bar shows the sensor again.
  control.SetConnectionPanelShown(false);
  // The editor's pages are left: no drag over the monitor's picture writes.
  s.m_bImageQualityView = false;
  s.m_bCodeDefinitionView = false;
  s.m_bWoiDragArmed = false;
  s.m_nSensorState = 2;
  s.m_nWizardStep = 1;
  s.m_nPageTitle = 1;
  dlg_.LeaveZoomMode();
  s.m_bImageVisible = 1;
  if (panels.imageView) panels.imageView->ShowDefaultImage();
  for (Panel* p : panels.pages()) p->widget()->hide();
  if (panels.configManager) panels.configManager->ShowTree(false);
  if (panels.monitor) {
    panels.monitor->widget()->show();
    panels.monitor->EnableResetButton(!LoginNeeded(s, kLockMonitor));
  }
  s.m_bEditorOpen = 0;
  s.m_bServiceView = 0;
  s.m_bLiveImage = 0;
  control.DisableConfigButtons();
  control.EnableZoomButtons(false);
  control.EnableWizardButtons(false);
  s.m_bBusy = 1;
  dlg_.PostSensorCommand(CMD_MONITOR_ON);
}

void CMainCommands::SetHover(QLabel* mode, bool hover) {
  if (mode->property("hover").toBool() == hover) return;
  mode->setProperty("hover", hover);
  dlg_.dialogControl().Apply();
}

// --- Wizard ---

void CMainCommands::OnNext() {
  MainDialogState& s = dlg_.state();
  if (Busy() || !IsEditorStep(s.m_nWizardStep)) return;
  if (QPushButton* back = dlg_.wizardButton(1026)) back->setEnabled(true);
  auto& tasks = dlg_.panels().taskButtons;
  switch (s.m_nWizardStep) {
    case 7:
    case 17:
      if (tasks) tasks->OnCodeDefinition();
      break;
    case 11:
      if (tasks) tasks->OnProcessInterface();
      break;
    case 15:
      if (tasks) tasks->OnFunctionTest();
      break;
    case 18:
      if (dlg_.prompt().message(dlg_.messageOwner(), dlg_.text(6007), dlg_.messageTitle(), QMessageBox::Question,
                                QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
        return;
      LeaveEditor();
      // Busy until the save's reply, which also stops the live image.
      s.m_bBusy = 1;
      stopLiveOnCloseReply_ = true;
      dlg_.PostSensorCommand(CMD_CLOSE_AND_SAVE);
      break;
    default: break;
  }
}

void CMainCommands::OnBack() {
  MainDialogState& s = dlg_.state();
  if (Busy() || !IsEditorStep(s.m_nWizardStep)) return;
  auto& tasks = dlg_.panels().taskButtons;
  switch (s.m_nWizardStep) {
    case 7:
    case 17:
      if (dlg_.prompt().message(dlg_.messageOwner(), dlg_.text(6006), dlg_.messageTitle(), QMessageBox::Question,
                                QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
        return;
      s.m_bBusy = 1;
      stopLiveOnCloseReply_ = true;
      dlg_.PostSensorCommand(CMD_CLOSE_AND_DISCARD);
      LeaveEditor();
      break;
    case 11:
      if (tasks) tasks->OnImageQuality();
      break;
    case 15:
      if (tasks) tasks->OnCodeDefinition();
      break;
    case 18:
      if (tasks) tasks->OnProcessInterface();
      break;
    default: break;
  }
}

void CMainCommands::OnEscape() {
  MainDialogState& s = dlg_.state();
  if (Busy() || !IsEditorStep(s.m_nWizardStep)) return;
  if (dlg_.prompt().message(dlg_.messageOwner(), dlg_.text(6006), dlg_.messageTitle(), QMessageBox::Question,
                            QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes) {
    EditorPageValid();
    return;
  }
  // Busy until the discard's reply: Escape no longer clears it early.
  s.m_bBusy = 1;
  stopLiveOnCloseReply_ = true;
  dlg_.PostSensorCommand(CMD_CLOSE_AND_DISCARD);
  LeaveEditor();
  s.m_nPageTitle = 8;
  if (auto& codeDefinition = dlg_.panels().codeDefinition) codeDefinition->ClearModifiedFlags();
  dlg_.dialogControl().Apply();
}

void CMainCommands::OnEditorCloseReply() {
  if (!stopLiveOnCloseReply_) return;
  stopLiveOnCloseReply_ = false;
  dlg_.StopLiveImage();
}

void CMainCommands::LeaveEditor() {
  MainDialogState& s = dlg_.state();
  auto& panels = dlg_.panels();
  s.m_bLiveImage = 0;
  if (panels.imageView) panels.imageView->RemoveAllOverlays();
  dlg_.log().Clear();
  s.m_bImageQualityView = false;
  s.m_bCodeDefinitionView = false;
  s.m_bWoiDragArmed = false;
  s.m_nWizardStep = 8;
  s.m_nPageTitle = 8;
  dlg_.ClearResultRegions();
  for (Panel* p : panels.pages()) p->widget()->hide();
  if (panels.sensorPanel) panels.sensorPanel->widget()->show();
  if (panels.configManager) panels.configManager->ShowTree(true);
  dlg_.LeaveZoomMode();
  s.m_bImageVisible = 0;
  s.m_bMonitorView = 0;
  s.m_bConfigModified = 0;
  s.m_bValidationFailed = 0;
  if (panels.sensorPanel) panels.sensorPanel->FillFromSensorGlobals();
  CDialogControl& control = dlg_.dialogControl();
  control.EnableWizardButtons(false);
  control.EnableZoomButtons(false);
  control.SetFileTransferButtons(1);
  control.SetNewDeleteButtons(1);
}

// --- Menu commands ---

void CMainCommands::OnOpenServiceReport() {
  if (Busy() || !EditorPageValid()) return;
  for (;;) {
    const QString file = dlg_.prompt().openFileName(dlg_.messageOwner(), dlg_.text(6056),
                                                    dlg_.programPaths().documents, dlg_.text(6105));
    if (file.isEmpty()) return;
    if (QFileInfo(file).isFile()) {
      if (!QDesktopServices::openUrl(QUrl::fromLocalFile(file))) dlg_.errors().ShowError(-11033);
      return;
    }
    dlg_.prompt().message(dlg_.messageOwner(), dlg_.text(6052), dlg_.messageTitle(), QMessageBox::Information);
  }
}

void CMainCommands::OnColour() {
  if (Busy() || !EditorPageValid()) return;
  if (auto& colours = dlg_.panels().colourSettings) colours->RunColourSettings();
}

// --- Mode static hover and clicks, key filter ---

bool CMainCommands::eventFilter(QObject* watched, QEvent* event) {
  if (auto* mode = qobject_cast<QLabel*>(watched); mode && mode->parent() && dlg_.isAncestorOf(mode)) {
    const int id = mode->objectName().mid(2).toInt();
    if (id == kModeConfiguration || id == kModeMonitor || id == kModeService) {
      switch (event->type()) {
        case QEvent::HoverEnter:
          if (mode->property("look").toInt() != 1) SetHover(mode, true);
          break;
        case QEvent::HoverLeave: SetHover(mode, false); break;
        case QEvent::MouseButtonPress:
          if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) OnModeStatic(id);
          return true;
        default: break;
      }
    }
  }
  if (event->type() == QEvent::KeyPress) return FilterKey(watched, event);
  return QObject::eventFilter(watched, event);
}

bool CMainCommands::FilterKey(QObject* watched, QEvent* event) {
  auto* widget = qobject_cast<QWidget*>(watched);
  // Keys of the main window and its pages only, not of other windows.
  if (!widget || widget->window() != &dlg_) return false;
  auto* key = static_cast<QKeyEvent*>(event);
  switch (key->key()) {
    case Qt::Key_Tab:
      // Tab enters the shown connection panel at its first octet; inside it
      // walks the octets, the port and the buttons.
      if (QWidget* octet = dlg_.ConnectionPanelOctet(); octet && !octet->parentWidget()->isAncestorOf(widget)) {
        octet->setFocus(Qt::TabFocusReason);
        return true;
      }
      return false;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      // The connection panel lets Enter press its Connect and "Find sensors..." itself;
      // the function test shows the chosen reading again with it.
      if (auto& panel = dlg_.panels().connectionPanel; panel && panel->widget()->isAncestorOf(widget)) return false;
      if (auto& page = dlg_.panels().functionTest; page && page->widget()->isAncestorOf(widget)) return false;
      return true;
    case Qt::Key_Escape: return true;
    case Qt::Key_Space:
      // Blanks still reach the text fields of the pages.
      return !(qobject_cast<QLineEdit*>(widget) || qobject_cast<QTextEdit*>(widget) ||
               qobject_cast<QPlainTextEdit*>(widget) || qobject_cast<QAbstractSpinBox*>(widget));
    case Qt::Key_C:
      if ((key->modifiers() & Qt::ControlModifier) && dlg_.CopyMessageLog()) return true;
      return false;
    default: return false;
  }
}
