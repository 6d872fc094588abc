#pragma once
// CDialogControl: the main window's controller of everything that shows the
// state of the session: toolbar, wizard buttons, menu entries, status bar,
// page title, help topic, mode statics; the three operations that switch
// the whole window (ResetToDisconnected, EnterConfigurationView,
// EnterServiceView); and the session with the password-lock library.
// Which control is on when comes from app/core/dialog_state_rules.h: every
// operation changes the state or a request and applies the whole result.
// GUI thread only.
#include <QString>
#include <initializer_list>

class QWidget;
#include <functional>
#include <memory>

#include "core/dialog_state_rules.h"
#include "window/lock_library.h"

class CVarnisDatamatrixDlg;

class CDialogControl {
public:
  CDialogControl(CVarnisDatamatrixDlg& dlg, std::unique_ptr<LockLibrary> lock);
  virtual ~CDialogControl();

  // Writes the controls from the state and the requests.
  void Apply();
  const ControlRequests& requests() const { return m_requests; }
  DialogControls controls() const;

  // Toolbar and buttons.
  // true: the connect button and menu entry wait (the panel holds no complete address).
  void SetConnectButton(bool off);
  void UpdateConnectButtons() { Apply(); }
  void SetNewDeleteButtons(int slotState);
  void SetFileTransferButtons(int slotState);
  void DisableConfigButtons();
  void EnableZoomButtons(bool on);
  void RestoreZoomButtons() { Apply(); }
  void SetZoomTool(int tool);  // 0 none, 1 zoom in, 2 zoom out
  void EnableWizardButtons(bool on);
  void SetConnectionPanelShown(bool shown);

  // Status bar.
  void UpdateStatusForStep(int /*step*/) { Apply(); }
  // A connect is posted: status part 7 says so and the connect commands wait.
  void ShowConnectingStatus();
  // The connect's reply came (or the connect was not sent): the connect commands are free again.
  void ConnectEnded();
  void ShowLockIcon() { Apply(); }
  // The label of status part 2: " [text]" shortened with an ellipsis to the part's width.
  QString FormatConnectionLabel(const QString& text) const;

  // Page title and help.
  void SetPageTitle(int page);
  // The help topic of the current situation, handed to the help launcher; 0 none.
  int ShowContextHelp();
  void setHelpLauncher(std::function<void(int topic)> launcher) { m_helpLauncher = std::move(launcher); }

  // Configuration actions shared by the menu, the toolbar and the
  // configuration buttons panel.
  void NewConfiguration();
  void EditConfiguration();
  void UploadConfigFromDevice();
  void DownloadConfigToDevice();
  void ShowConfigurationInfo();
  void RefreshSensorPanel();

  // Switching the whole window.
  void ResetToDisconnected();
  void EnterConfigurationView();
  void EnterServiceView();
  // A configuration was opened or created: the editor on its first page.
  void EnterEditorLayout();
  // The mode statics' normal pictures, the status icons, the placeholder picture.
  void ResetModeStatics();

  // Lock session with libkeltrov.
  bool StartLockSession();
  bool FinishLockSession();
  bool ActivateLock(const QString& password);
  bool DeactivateLock();
  bool QueryLockStatus();
  bool lockSession() const { return m_bLockSession; }
  bool IsSensorLocked() const;
  bool IsLoggedIn() const;
  bool IsServiceLocked() const;
  bool IsConfigLocked() const;
  bool IsMonitorLocked() const;
  void SetSensorLocked(bool locked);
  void SetLoggedIn(bool loggedIn);
  void SetLockedItems(int items);

private:
  void LockMessage(int textId, QWidget* owner = nullptr);
  // A failed lock call while connected: a fresh client, the session kept.
  void RestartLockClient();
  void ShowOnly(std::initializer_list<QWidget*> shown);

  CVarnisDatamatrixDlg& dlg_;
  std::unique_ptr<LockLibrary> lock_;
  ControlRequests m_requests;
  bool m_bLockSession = false;
  std::function<void(int)> m_helpLauncher;
  QByteArray m_lockHost;
  int m_lockPort = 8080;
};
