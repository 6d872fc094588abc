#include "lock/password_lock.h"

#include <QApplication>
#include <QDialog>

#include "core/lock_rules.h"
#include "errors/error_host.h"
#include "keltrov/keltrov.h"
#include "lock/lock_sensor_dlg.h"
#include "lock/login_dlg.h"
#include "services/prompt.h"
#include "text/config_name_codec.h"

namespace {

constexpr int kMenuLockSensor = 32799;
constexpr int kMenuLogin = 32800;

}  // namespace

// A lock call blocks the window until the sensor answers or the time limit
// ends it: show that it is busy.
int WithLockWaitCursor(const std::function<int()>& call) {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const int result = call();
  QApplication::restoreOverrideCursor();
  return result;
}

void SetLockTimeLimit(int milliseconds) { SetCodeBlockingTimeLimit(milliseconds / 1000.0); }

LockOps MakeKeltrovLockOps(ErrorHost& host) {
  LockOps ops;
  ops.activate = [&host](const QString& password) {
    MainDialogState& s = host.state();
    std::string framed;
    EncodeConfigName(framed, password.toStdU16String());
    const int result = WithLockWaitCursor([&] { return ActivateCodeBlocking(framed.c_str(), s.m_nLockedItems); });
    s.m_bSensorLocked = result == 0;
    if (result != 0)
      host.prompt().message(host.frontWindow(), host.text(9972), host.messageTitle(), QMessageBox::Warning);
    return result == 0;
  };
  ops.deactivate = [&host] {
    MainDialogState& s = host.state();
    const int result = WithLockWaitCursor([] { return DectivateCodeBlocking(); });
    if (result != 0) {
      host.prompt().message(host.frontWindow(), host.text(9973), host.messageTitle(), QMessageBox::Warning);
      return false;
    }
    s.m_bSensorLocked = 0;
    s.m_bLoggedIn = 0;
    s.m_nLockedItems = 0;
    return true;
  };
  ops.validate = [](const std::string& password, int* result) {
    return WithLockWaitCursor([&] { return ValidateCodeBlockingPassword(password.c_str(), result); });
  };
  return ops;
}

CPasswordLock::CPasswordLock(ErrorHost& host, LockOps ops, QPixmap icon)
    : host_(host), ops_(std::move(ops)), icon_(std::move(icon)) {}

int CPasswordLock::RunLogin() {
  CLogin login(host_, ops_, icon_, host_.mainWindow());
  return host_.prompt().runDialog(login);
}

void CPasswordLock::OnLockSensor() {
  MainDialogState& s = host_.state();
  if (s.m_bSensorLocked) {
    if (s.m_bLoggedIn)
      host_.prompt().message(host_.messageOwner(), host_.text(9967), host_.messageTitle(),
                             QMessageBox::Information);
    else if (RunLogin() != QDialog::Accepted)
      return;
    if (!ops_.deactivate || !ops_.deactivate()) return;
    if (ops_.setMenuText) ops_.setMenuText(kMenuLockSensor, host_.text(420));
    if (ops_.enablePasswordMenu) ops_.enablePasswordMenu();
    if (ops_.showLockIcon) ops_.showLockIcon();
    UpdateResetStatistics();
    return;
  }
  if (ops_.enablePasswordMenu) ops_.enablePasswordMenu();
  CLockSensorDlg dialog(host_, ops_, icon_, host_.mainWindow());
  host_.prompt().runDialog(dialog);
  if (ops_.showLockIcon) ops_.showLockIcon();
  UpdateResetStatistics();
}

void CPasswordLock::OnLogin() {
  MainDialogState& s = host_.state();
  if (s.m_bLoggedIn) {
    s.m_bLoggedIn = 0;
    if (ops_.setMenuText) ops_.setMenuText(kMenuLogin, host_.text(425));
    if (ops_.enablePasswordMenu) ops_.enablePasswordMenu();
  } else {
    if (ops_.enablePasswordMenu) ops_.enablePasswordMenu();
    RunLogin();
  }
  if (s.m_bMonitorView && ops_.enableMenu) ops_.enableMenu(kMenuLockSensor, false);
  UpdateResetStatistics();
}

bool CPasswordLock::LoginAtConnect() {
  const MainDialogState& s = host_.state();
  if (!s.m_bSensorLocked || !(s.m_nLockedItems & kLockItemConfiguration) || s.m_bLoggedIn) return true;
  return RunLogin() == QDialog::Accepted;
}

void CPasswordLock::UpdateResetStatistics() {
  const MainDialogState& s = host_.state();
  if (ops_.enableResetStatistics)
    ops_.enableResetStatistics(ResetStatisticsAllowed(s.m_bSensorLocked, s.m_nLockedItems, s.m_bLoggedIn));
}
