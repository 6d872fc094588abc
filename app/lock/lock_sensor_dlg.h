#pragma once
// CLockSensorDlg: sets a new password lock on the sensor: the password
// typed twice and the items to protect. The ticks stay in the dialog until
// OK passes its checks, so a cancelled dialog changes nothing.
#include <QDialog>
#include <QPixmap>

#include "core/lock_rules.h"
#include "lock/lock_ops.h"

class ErrorHost;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

class CLockSensorDlg : public QDialog {
  Q_OBJECT
public:
  CLockSensorDlg(ErrorHost& host, const LockOps& ops, const QPixmap& icon, QWidget* parent = nullptr);

  void OnOK();
  // The ticked items (bits 1, 2, 4) not yet handed to the lock.
  int tickedItems() const { return m_items; }
  LockInputFrame frame() const;
  bool frameShown(LockInputFrame which) const;

protected:
  void paintEvent(QPaintEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  void OnItemClicked(int bit, bool checked);
  void SetFrame(LockInputFrame which, bool on);

  ErrorHost& host_;
  const LockOps& ops_;
  int m_items = 0;
  bool m_bPasswordFrame = false;
  bool m_bConfirmFrame = false;
  bool m_bItemsFrame = false;
  QLineEdit* password_ = nullptr;      // 1247
  QLineEdit* confirmation_ = nullptr;  // 1248
  QCheckBox* service_ = nullptr;       // 1227
  QCheckBox* administration_ = nullptr;  // 1228
  QCheckBox* resetStats_ = nullptr;    // 1230
};
