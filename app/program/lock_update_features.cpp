#include "program/lock_update_features.h"

#include <QAction>
#include <QPixmap>

#include "commands/sensor_notify.h"
#include "lock/password_lock.h"
#include "settings/quorren_reg.h"
#include "window/dialog_control.h"
#include "window/main_commands.h"
#include "update/software_update.h"
#include "window/main_window.h"
#include "window/menu_table.h"

LockAndUpdateFeatures::LockAndUpdateFeatures(CVarnisDatamatrixDlg& window, CSensorNotify& notify) {
  // The lock session is the state controller's; the check of a password
  // goes to the library directly.
  LockOps ops = MakeKeltrovLockOps(window);
  CDialogControl& control = window.dialogControl();
  ops.activate = [&control](const QString& password) {
    return WithLockWaitCursor([&] { return control.ActivateLock(password) ? 0 : -1; }) == 0;
  };
  ops.deactivate = [&control] {
    return WithLockWaitCursor([&] { return control.DeactivateLock() ? 0 : -1; }) == 0;
  };
  ops.enablePasswordMenu = [&control] { control.Apply(); };
  ops.showLockIcon = [&control] { control.ShowLockIcon(); };
  ops.setMenuText = [&window](int command, const QString& text) {
    if (QAction* action = window.action(command)) action->setText(text);
  };
  ops.enableMenu = [&window](int command, bool on) {
    if (QAction* action = window.action(command)) action->setEnabled(on);
  };
  ops.enableResetStatistics = [&window](bool on) {
    if (MonitorPanelService* monitor = window.panels().monitor.get()) monitor->EnableResetButton(on);
  };
  // The lock calls wait no longer than the connection's communication timeout.
  CQuorrenReg::Common common;
  window.settings().ReadCommon(common);
  SetLockTimeLimit(common.commTimeout > 0 ? static_cast<int>(common.commTimeout) : 7000);
  lock = std::make_unique<CPasswordLock>(window, std::move(ops), QPixmap(window.resources().picturePath(1025)));
  update = std::make_unique<CSoftwareUpdate>(window);
  window.commands().setLoginRunner([this] { return lock->RunLogin(); });
  notify.setLoginAtConnect([this] { return lock->LoginAtConnect(); });
  notify.setSoftwareUpdate(update.get());
  if (QAction* a = window.action(MenuIds::kLockSensor))
    QObject::connect(a, &QAction::triggered, [this] { lock->OnLockSensor(); });
  if (QAction* a = window.action(MenuIds::kLogin))
    QObject::connect(a, &QAction::triggered, [this] { lock->OnLogin(); });
  if (QAction* a = window.action(MenuIds::kUpdate))
    QObject::connect(a, &QAction::triggered, [this] { update->OnUpdateSoftware(); });
}

LockAndUpdateFeatures::~LockAndUpdateFeatures() = default;
