#pragma once
// The main window's commands: the menu and toolbar commands, connect and
// disconnect, the three mode statics (with their hover look), the wizard
// buttons and the key filter. Most handlers check the busy guard and the
// editor guard and hand the work on: to the command engine, the state
// controller, the configuration manager or the pages.
#include <QObject>
#include <functional>

class CVarnisDatamatrixDlg;
class QLabel;

class CMainCommands : public QObject {
  Q_OBJECT
public:
  explicit CMainCommands(CVarnisDatamatrixDlg& dlg);

  // Connects the actions, buttons and statics of the window; installs the key filter.
  void Connect();

  void OnConnect(bool fromMenu);
  void OnDisconnect();
  void OnIpAddress();
  void OnModeStatic(int id);
  void OnNext();
  void OnBack();
  void OnEscape();
  void OnOpenServiceReport();
  void OnColour();
  // The reply to a close of the editor (save or discard) has arrived: the
  // live image stops now, not while the close is still outstanding.
  void OnEditorCloseReply();
  // The editor's pages end, back to the configuration overview.
  void LeaveEditor();

  // The login dialog of the lock (plugged in by the lock feature): its
  // result, QDialog::Accepted to go on. Without one the mode stays.
  void setLoginRunner(std::function<int()> runner) { runLogin_ = std::move(runner); }
  // Whether the sensor holds a configuration and one is active (the
  // configuration manager's count); default: asks the manager when plugged in.
  void setActiveConfigCheck(std::function<bool()> check) { hasActiveConfig_ = std::move(check); }
  int loginRequests() const { return loginRequests_; }

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  bool Busy() const;
  // The editor guard: false (and the focus on "Next >") when the page in
  // front reports a problem.
  bool EditorPageValid();
  bool FilterKey(QObject* watched, QEvent* event);
  void SetHover(QLabel* mode, bool hover);
  bool AskLogin(int maskBit);
  void Forward(int command, std::function<void()> action, bool guarded = false);

  CVarnisDatamatrixDlg& dlg_;
  std::function<int()> runLogin_;
  std::function<bool()> hasActiveConfig_;
  int loginRequests_ = 0;
  bool stopLiveOnCloseReply_ = false;
};
