#include "window/dialog_control.h"

#include <QAction>
#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>

#include "services/prompt.h"
#include "text/config_name_codec.h"
#include "window/main_window.h"
#include "window/main_window_pictures.h"

using namespace DialogIds;

CDialogControl::CDialogControl(CVarnisDatamatrixDlg& dlg, std::unique_ptr<LockLibrary> lock)
    : dlg_(dlg), lock_(std::move(lock)) {}

CDialogControl::~CDialogControl() = default;

namespace {
// Pictures are loaded only when their id changes: Apply runs on every state
// change and hover, a load looks in the resource folder, and a new icon
// repaints its button even when it shows the same picture.
constexpr const char* kPictureId = "pictureId";

bool SamePicture(const QObject* holder, int id) {
  const QVariant shown = holder->property(kPictureId);
  return shown.isValid() && shown.toInt() == id;
}

void SetActionIcon(QAction* a, const ResourceLibraries& resources, int image) {
  if (SamePicture(a, image)) return;
  a->setIcon(MainWindowPictures::toolbarIcon(resources, image));
  a->setProperty(kPictureId, image);
}

template <class Load>
void SetLabelPicture(QLabel* label, int id, Load load) {
  if (SamePicture(label, id)) return;
  label->setPixmap(load());
  label->setProperty(kPictureId, id);
}
}  // namespace

DialogControls CDialogControl::controls() const { return ComputeDialogControls(dlg_.state(), m_requests); }

void CDialogControl::Apply() {
  const MainDialogState& s = dlg_.state();
  const DialogControls c = controls();
  for (const ToolButtonState& t : c.toolbar) {
    QAction* a = dlg_.action(t.command);
    if (!a) continue;
    a->setEnabled(t.enabled);
    a->setCheckable(t.command == kZoomIn || t.command == kZoomOut);
    a->setChecked(t.pressed);
    SetActionIcon(a, dlg_.resources(), t.image);
  }
  for (const MenuItemState& m : c.menu) {
    QAction* a = dlg_.action(m.command);
    if (!a) continue;
    a->setEnabled(m.enabled);
    if (m.textId) a->setText(dlg_.text(m.textId).section('\t', 0, 0));
  }
  if (QMenu* config = dlg_.popupOfText(200)) config->menuAction()->setEnabled(c.configMenu);
  if (QMenu* password = dlg_.popupOfText(440)) password->menuAction()->setEnabled(c.passwordMenu);
  for (int id : {1026, 1027, 1028})
    if (QPushButton* b = dlg_.wizardButton(id)) b->setEnabled(c.wizardButtons);

  for (int id : {kModeConfiguration, kModeMonitor, kModeService}) {
    QLabel* mode = dlg_.modeStatic(id);
    if (!mode) continue;
    mode->setVisible(s.m_bConnected);
    // The hover look stays until the mouse leaves; the active one wins.
    const bool hover = mode->property("hover").toBool();
    const int look = id == c.activeModeStatic ? 1 : hover ? 2 : 0;
    SetLabelPicture(mode, MainWindowPictures::modeStaticId(id, look),
                    [&] { return MainWindowPictures::modeStatic(dlg_.resources(), id, look); });
    mode->setProperty("look", look);
  }
  if (QWidget* names = dlg_.modeText()) names->setVisible(s.m_bConnected);

  // Status bar.
  auto icon = [&](QLabel* pane, StatusIcon which) {
    SetLabelPicture(pane, int(which), [&] {
      return which == StatusIcon::None ? QPixmap() : MainWindowPictures::statusIcon(dlg_.resources(), int(which));
    });
  };
  if (QLabel* p0 = dlg_.statusPane(0)) icon(p0, c.statusIcon);
  if (QLabel* p5 = dlg_.statusPane(5)) icon(p5, c.lockIcon);
  for (int part = 1; part < 8; ++part) {
    if (part == 5) continue;
    QLabel* pane = dlg_.statusPane(part);
    const StatusPart& p = c.status[std::size_t(part)];
    if (!pane) continue;
    switch (p.kind) {
      case StatusText::Keep: break;
      case StatusText::Empty: pane->clear(); break;
      case StatusText::String: pane->setText(dlg_.text(p.stringId)); break;
      case StatusText::ConnectionLabel:
        pane->setText(s.m_strConnectionLabel.empty() ? QString()
                                                     : " " + QString::fromStdU16String(s.m_strConnectionLabel));
        break;
      case StatusText::SensorInfo:
        pane->setText(QStringLiteral("  %1  [%2%3]")
                          .arg(QString::fromStdU16String(s.m_strSensorType).trimmed(), dlg_.text(p.stringId),
                               QString::fromStdU16String(s.m_strSoftwareVersion).trimmed()));
        break;
      case StatusText::Readings:
        pane->setText(QStringLiteral("%1 %2").arg(dlg_.text(p.stringId)).arg(s.m_nTotalReadings));
        break;
    }
  }
  if (QLabel* title = dlg_.pageTitleLabel()) {
    QFont font(dlg_.text(10000));
    font.setPixelSize(14);
    title->setFont(font);
    title->setText(c.pageTitleId ? dlg_.text(c.pageTitleId) : QString());
  }
}

void CDialogControl::SetConnectButton(bool off) {
  m_requests.connectButtonOff = off;
  Apply();
}

void CDialogControl::ShowConnectingStatus() {
  m_requests.connecting = true;
  Apply();
}

void CDialogControl::ConnectEnded() {
  m_requests.connecting = false;
  m_requests.connectButtonOff = false;
  Apply();
}

void CDialogControl::SetNewDeleteButtons(int slotState) {
  m_requests.newDeleteButtons = slotState ? 1 : 0;
  Apply();
}

void CDialogControl::SetFileTransferButtons(int slotState) {
  m_requests.fileTransferButtons = slotState ? 1 : 0;
  Apply();
}

void CDialogControl::DisableConfigButtons() {
  m_requests.newDeleteButtons = -1;
  m_requests.fileTransferButtons = -1;
  Apply();
}

void CDialogControl::EnableZoomButtons(bool on) {
  m_requests.zoomButtons = on;
  Apply();
}

void CDialogControl::SetZoomTool(int tool) {
  m_requests.zoomTool = tool;
  Apply();
}

void CDialogControl::EnableWizardButtons(bool on) {
  m_requests.wizardButtons = on;
  Apply();
}

void CDialogControl::SetConnectionPanelShown(bool shown) {
  m_requests.connectionPanel = shown;
  Apply();
}

QString CDialogControl::FormatConnectionLabel(const QString& text) const {
  QLabel* pane = dlg_.statusPane(2);
  const QString full = QStringLiteral(" [%1").arg(text);
  if (!pane) return full + "]";
  const int width = std::max(pane->width(), pane->minimumWidth()) - 8;
  return pane->fontMetrics().elidedText(full, Qt::ElideRight, std::max(width, 10)) + "]";
}

void CDialogControl::SetPageTitle(int page) {
  dlg_.state().m_nPageTitle = page;
  Apply();
}

int CDialogControl::ShowContextHelp() {
  const MainDialogState& s = dlg_.state();
  const int stringId =
      HelpTopicStringId(s.m_nHelpContext, s.m_nWizardStep, dlg_.codeDefinitionTab(), dlg_.processInterfaceTab());
  if (stringId == 0) return 0;
  const int topic = dlg_.resources().definition(stringId).trimmed().toInt();
  if (m_helpLauncher) m_helpLauncher(topic);
  return topic;
}

void CDialogControl::ShowOnly(std::initializer_list<QWidget*> shown) {
  for (Panel* p : dlg_.panels().pages()) p->widget()->hide();
  if (auto& m = dlg_.panels().configManager) m->ShowTree(false);
  for (QWidget* w : shown)
    if (w) w->show();
}

namespace {
template <class T>
QWidget* WidgetOf(const std::unique_ptr<T>& p) {
  return p ? p->widget() : nullptr;
}
}  // namespace

void CDialogControl::ResetModeStatics() {
  MainDialogState& s = dlg_.state();
  if (QLabel* header = dlg_.modeStatic(1005))
    SetLabelPicture(header, MainWindowPictures::kHeader, [&] { return MainWindowPictures::header(dlg_.resources()); });
  s.m_bImageVisible = 1;
  if (auto& view = dlg_.panels().imageView) view->ShowDefaultImage();
  for (int id : {kModeConfiguration, kModeMonitor, kModeService})
    if (QLabel* mode = dlg_.modeStatic(id)) mode->setProperty("hover", false);
  Apply();
}

void CDialogControl::ResetToDisconnected() {
  MainDialogState& s = dlg_.state();
  MainPanels& panels = dlg_.panels();
  s.m_bTestRunning = 0;
  // The cooperative stop: the session ends, commands not yet run are
  // dropped; replies still on their way retire their busy counts unseen.
  dlg_.EndLibrarySession();
  s.m_bConnected = 0;
  s.m_bBusy = 0;
  s.m_bZoomMode = false;
  s.m_bWoiDragArmed = false;
  // No page edits the window of interest any more: a drag must not write.
  s.m_bImageQualityView = false;
  s.m_bCodeDefinitionView = false;
  s.m_nWizardStep = 0;
  s.m_nPageTitle = 0;
  s.m_bLeaving = 1;
  s.m_bLiveImage = 0;
  m_requests = ControlRequests{};
  if (panels.codeDefinition && panels.codeDefinition->hasPendingAction()) panels.codeDefinition->EndPendingAction();
  if (!s.m_bUpdatePending) {
    CDisconnectMesg* notice = dlg_.disconnectNotice();
    if (notice && notice->isVisible()) notice->Close();
  }
  s.m_bUpdatePending = 0;
  if (panels.configManager) panels.configManager->ClearClipboard();
  if (panels.monitor) panels.monitor->ClearStatistics();
  s.m_nTotalReadings = 0;
  ShowOnly({});
  dlg_.LeaveZoomMode();
  dlg_.ResetPictureScroll();
  ResetModeStatics();
  if (panels.imageView) panels.imageView->RemoveAllOverlays();
  dlg_.log().Clear();
  if (panels.monitor) panels.monitor->CheckAllDisplayOptions();
  if (panels.service) panels.service->CheckAllDisplayOptions();
  // Every dialog of the session closes; an open question is answered No.
  if (panels.configDialogs) {
    panels.configDialogs->CancelNewItem();
    panels.configDialogs->EndDialogs();
  }
  if (panels.colourSettings) panels.colourSettings->EndDialog();
  if (panels.sensorSettings) panels.sensorSettings->ForceClose();
  dlg_.prompt().AnswerOpenBoxesNo();
  dlg_.CloseSessionDialogs();
  s.m_bEditorOpen = 0;
  s.m_bServiceView = 0;
  s.m_bMonitorView = 0;
  s.m_bValidationFailed = 0;
  if (panels.functionTest) panels.functionTest->ResetTestControls();
  if (panels.results) panels.results->ResetImageSlots();
  s.m_bFuncTestThumbnails = 0;
  FinishLockSession();
  Apply();
}

void CDialogControl::EnterConfigurationView() {
  MainDialogState& s = dlg_.state();
  MainPanels& panels = dlg_.panels();
  dlg_.log().Clear();
  s.m_bImageVisible = 0;
  m_requests.connectionPanel = false;
  if (panels.imageView) panels.imageView->RemoveAllOverlays();
  s.m_bEditorOpen = 1;
  s.m_nSensorState = 4;
  s.m_nWizardStep = 8;
  s.m_nPageTitle = 8;
  m_requests.wizardButtons = false;
  dlg_.LeaveZoomMode();
  m_requests.zoomButtons = false;
  if (panels.sensorPanel) panels.sensorPanel->FillFromSensorGlobals();
  s.m_bServiceView = 0;
  s.m_bMonitorView = 0;
  ShowOnly({WidgetOf(panels.sensorPanel)});
  if (panels.configManager) panels.configManager->ShowTree(true);
  Apply();
}

void CDialogControl::EnterEditorLayout() {
  MainPanels& panels = dlg_.panels();
  if (panels.imageView) {
    panels.imageView->RemoveAllOverlays();
    panels.imageView->ShowDefaultImage();
  }
  m_requests.wizardButtons = true;
  if (panels.taskButtons) {
    panels.taskButtons->ResetPageStates();
    panels.taskButtons->ShowImageQualityPage();
  }
  dlg_.LeaveZoomMode();
  // The exposure waits for the live image.
  if (panels.imageQuality) panels.imageQuality->DisableExposure();
  Apply();
}

void CDialogControl::EnterServiceView() {
  MainDialogState& s = dlg_.state();
  MainPanels& panels = dlg_.panels();
  if (panels.service) panels.service->ClearResultSlots(true);
  s.m_bZoomMode = false;
  dlg_.LeaveZoomMode();
  m_requests.zoomButtons = false;
  m_requests.newDeleteButtons = -1;
  m_requests.fileTransferButtons = -1;
  s.m_bServiceView = 1;
  s.m_nSensorState = 9;
  s.m_nWizardStep = 2;
  s.m_nPageTitle = 2;
  ShowOnly({WidgetOf(panels.service)});
  m_requests.wizardButtons = false;
  s.m_bEditorOpen = 0;
  s.m_bMonitorView = 0;
  Apply();
}

// --- Configuration actions ---

void CDialogControl::NewConfiguration() {
  MainDialogState& s = dlg_.state();
  MainPanels& panels = dlg_.panels();
  if (s.m_bBusy || !panels.configManager) return;
  s.m_bConfigModified = 0;
  // A paste before leaves its flag set: New creates, it never pastes.
  s.m_bPasteAsCopy = 0;
  if (panels.configManager->CheckFreeSlot() == 0) {
    if (panels.configDialogs) panels.configDialogs->RunNewItem(false);
    return;
  }
  dlg_.prompt().message(dlg_.messageOwner(), dlg_.text(6036), dlg_.messageTitle(), QMessageBox::Information);
  panels.configManager->DisableNewCommand();
}

void CDialogControl::EditConfiguration() {
  if (auto& m = dlg_.panels().configManager) m->EditSelectedConfig();
}

void CDialogControl::UploadConfigFromDevice() {
  if (auto& m = dlg_.panels().configManager) m->SaveConfigToFile();
}

void CDialogControl::DownloadConfigToDevice() {
  MainPanels& panels = dlg_.panels();
  if (!panels.configManager) return;
  if (panels.configManager->CheckFreeSlot() == 0) {
    if (panels.configDialogs) panels.configDialogs->RunNewItem(true);
    return;
  }
  dlg_.prompt().message(dlg_.messageOwner(), dlg_.text(6036), dlg_.messageTitle(), QMessageBox::Information);
  panels.configManager->DisableDownloadCommand();
}

void CDialogControl::ShowConfigurationInfo() {
  if (auto& m = dlg_.panels().configManager) m->RequestConfigInfo();
}

void CDialogControl::RefreshSensorPanel() {
  if (auto& p = dlg_.panels().sensorPanel) p->FillFromSensorGlobals();
}

// --- Lock session ---

void CDialogControl::LockMessage(int textId, QWidget* owner) {
  dlg_.prompt().message(owner ? owner : dlg_.messageOwner(), dlg_.text(textId), dlg_.messageTitle(),
                        QMessageBox::Information);
}

void CDialogControl::RestartLockClient() {
  if (m_bLockSession && lock_) lock_->Restart(m_lockHost.constData(), m_lockPort);
}

bool CDialogControl::StartLockSession() {
  const MainDialogState& s = dlg_.state();
  m_lockHost = QString::fromStdU16String(s.m_strConnectAddress).toUtf8().left(1023);
  m_lockPort = s.m_nConnectPort > 0 ? s.m_nConnectPort : 8080;
  int result = lock_ ? lock_->Start(m_lockHost.constData(), m_lockPort) : -52;
  // A client left over from a session whose finish failed is replaced, so
  // that the next connect does not fail for it.
  if (result == -51) result = lock_->Restart(m_lockHost.constData(), m_lockPort);
  if (result != 0) {
    LockMessage(9970);
    return false;
  }
  m_bLockSession = true;
  return true;
}

bool CDialogControl::FinishLockSession() {
  if (!m_bLockSession) return true;
  const int result = lock_ ? lock_->Finish() : -50;
  // Either way the session is over: a finish fails only when the library
  // holds no client any more.
  MainDialogState& s = dlg_.state();
  s.m_bSensorLocked = 0;
  s.m_bLoggedIn = 0;
  s.m_nLockedItems = 0;
  m_bLockSession = false;
  if (result != 0) {
    LockMessage(9971);
    return false;
  }
  return true;
}

bool CDialogControl::ActivateLock(const QString& password) {
  MainDialogState& s = dlg_.state();
  std::string encoded;
  EncodeConfigName(encoded, password.toStdU16String());
  if (!lock_ || lock_->Activate(encoded.c_str(), s.m_nLockedItems) != 0) {
    LockMessage(9972, dlg_.frontWindow());
    s.m_bSensorLocked = 0;
    RestartLockClient();
    Apply();
    return false;
  }
  s.m_bSensorLocked = 1;
  Apply();
  return true;
}

bool CDialogControl::DeactivateLock() {
  MainDialogState& s = dlg_.state();
  if (lock_ && lock_->Deactivate() == 0) {
    s.m_bSensorLocked = 0;
    s.m_bLoggedIn = 0;
    s.m_nLockedItems = 0;
    Apply();
    return true;
  }
  LockMessage(9973, dlg_.frontWindow());
  s.m_bSensorLocked = 1;
  RestartLockClient();
  Apply();
  return false;
}

bool CDialogControl::QueryLockStatus() {
  MainDialogState& s = dlg_.state();
  int status = 0;
  const int result = lock_ ? lock_->Status(&status) : -53;
  if (result == -53) {
    LockMessage(9974);
    RestartLockClient();
    return false;
  }
  // Any other failure is one too: its status is not an answer, and read as
  // 0 it would call a locked sensor unlocked.
  if (result != 0 || status == -1) {
    LockMessage(9975);
    RestartLockClient();
    return false;
  }
  if (status == 0) {
    s.m_bSensorLocked = 0;
    s.m_bLoggedIn = 0;
    s.m_nLockedItems = 0;
  } else if (status > 0) {
    s.m_bSensorLocked = 1;
    s.m_bLoggedIn = 0;
    s.m_nLockedItems = status;
  }
  Apply();
  return true;
}

bool CDialogControl::IsSensorLocked() const { return dlg_.state().m_bSensorLocked; }
bool CDialogControl::IsLoggedIn() const { return dlg_.state().m_bLoggedIn; }
bool CDialogControl::IsServiceLocked() const { return dlg_.state().m_nLockedItems & kLockService; }
bool CDialogControl::IsConfigLocked() const { return dlg_.state().m_nLockedItems & kLockConfiguration; }
bool CDialogControl::IsMonitorLocked() const { return dlg_.state().m_nLockedItems & kLockMonitor; }
void CDialogControl::SetSensorLocked(bool locked) {
  dlg_.state().m_bSensorLocked = locked;
  Apply();
}
void CDialogControl::SetLoggedIn(bool loggedIn) {
  dlg_.state().m_bLoggedIn = loggedIn;
  Apply();
}
void CDialogControl::SetLockedItems(int items) {
  dlg_.state().m_nLockedItems = items;
  Apply();
}
