#pragma once
// CLogin: asks for the password of a locked sensor. The sensor is asked
// with the framed form first and, when it does not take that, with plain
// UTF-8. The edit takes at most kLoginPasswordMaxLength characters.
#include <QDialog>
#include <QPixmap>

#include "lock/lock_ops.h"

class ErrorHost;
class QLineEdit;

inline constexpr int kLoginPasswordMaxLength = 64;

class CLogin : public QDialog {
  Q_OBJECT
public:
  CLogin(ErrorHost& host, const LockOps& ops, const QPixmap& icon, QWidget* parent = nullptr);

  void OnOK();
  bool passwordFrame() const { return m_bPasswordFrame; }

protected:
  void paintEvent(QPaintEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  void Info(int textId);

  ErrorHost& host_;
  const LockOps& ops_;
  bool m_bPasswordFrame = false;
  QLineEdit* password_ = nullptr;  // 1254
};
