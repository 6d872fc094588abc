#pragma once
// The password-lock feature of the main window: menu 32799 (lock or
// unlock), menu 32800 (log in or out), the login asked at a connect and the
// monitor's reset-statistics rule. The lock calls run through LockOps.
#include <QPixmap>
#include <functional>

#include "lock/lock_ops.h"

class ErrorHost;

class CPasswordLock {
public:
  CPasswordLock(ErrorHost& host, LockOps ops, QPixmap icon = {});

  LockOps& ops() { return ops_; }

  // Menu 32799.
  void OnLockSensor();
  // Menu 32800.
  void OnLogin();
  // A connect to a sensor in a monitor state: the login when the sensor
  // protects its configuration and the user has not logged in. False when
  // the user cancelled it.
  bool LoginAtConnect();
  // Applies the reset-statistics rule to the monitor's button.
  void UpdateResetStatistics();

  // Runs the login dialog; its result.
  int RunLogin();

private:
  ErrorHost& host_;
  LockOps ops_;
  QPixmap icon_;
};

// libkeltrov's calls for LockOps: each with the wait cursor; activate and
// deactivate keep the lock state and show 9972 / 9973 when they fail.
LockOps MakeKeltrovLockOps(ErrorHost& host);
// Runs one lock call under the wait cursor (the window waits for the sensor).
int WithLockWaitCursor(const std::function<int()>& call);
// The time limit of every lock call (the connection's communication timeout).
void SetLockTimeLimit(int milliseconds);
