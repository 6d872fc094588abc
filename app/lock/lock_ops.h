#pragma once
// What the lock and login dialogs ask of the rest of the window: the lock
// session's calls (the state controller's, or libkeltrov directly) and the
// menu and status bar pieces they refresh. An empty function does nothing
// (a call counts as failed).
#include <QString>
#include <functional>
#include <string>

struct LockOps {
  // Sends the password (framed) with m_nLockedItems; true when the sensor is locked.
  std::function<bool(const QString& password)> activate;
  // Removes the lock; true on success (the lock state cleared).
  std::function<bool()> deactivate;
  // ValidateCodeBlockingPassword: the library's code, the sensor's answer in *result.
  std::function<int(const std::string& password, int* result)> validate;
  std::function<void()> enablePasswordMenu;
  std::function<void()> showLockIcon;
  std::function<void(int command, const QString& text)> setMenuText;
  std::function<void(int command, bool on)> enableMenu;
  // The monitor panel's "Reset statistics" button (1144).
  std::function<void(bool on)> enableResetStatistics;
};
