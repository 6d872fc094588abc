#pragma once
// The password lock and the software update, plugged into the main window's
// menu (32799, 32800, 57610) and its sensor notifications.
#include <memory>

class CVarnisDatamatrixDlg;
class CSensorNotify;
class CPasswordLock;
class CSoftwareUpdate;

struct LockAndUpdateFeatures {
  LockAndUpdateFeatures(CVarnisDatamatrixDlg& window, CSensorNotify& notify);
  ~LockAndUpdateFeatures();

  std::unique_ptr<CPasswordLock> lock;
  std::unique_ptr<CSoftwareUpdate> update;
};
