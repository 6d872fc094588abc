#include "lock/login_dlg.h"

#include <QFocusEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>
#include <string>

#include "errors/error_host.h"
#include "lock/lock_dialog_parts.h"
#include "services/prompt.h"
#include "text/config_name_codec.h"
#include "text/text_codecs.h"

CLogin::CLogin(ErrorHost& host, const LockOps& ops, const QPixmap& icon, QWidget* parent)
    : QDialog(parent), host_(host), ops_(ops) {
  setObjectName(QStringLiteral("CLogin"));
  setWindowTitle(host.text(1083));
  QLabel* icon1250 = MakeLockIcon(this, icon);
  auto* text1253 = new QLabel(host.text(9616), this);
  text1253->setObjectName(QStringLiteral("id1253"));
  text1253->setWordWrap(true);
  password_ = MakePasswordEdit(1254, this);
  password_->setMaxLength(kLoginPasswordMaxLength);
  password_->installEventFilter(this);

  auto* head = new QHBoxLayout;
  head->addWidget(icon1250, 0, Qt::AlignTop);
  auto* right = new QVBoxLayout;
  right->setSpacing(12);
  right->addWidget(text1253);
  right->addWidget(password_);
  head->addLayout(right, 1);
  QHBoxLayout* buttons =
      MakeOkEscapeRow(this, host.text(9203), host.text(9202), [this] { OnOK(); }, [this] { reject(); });
  auto* all = new QVBoxLayout(this);
  all->setContentsMargins(16, 16, 16, 12);
  all->setSpacing(16);
  all->addLayout(head);
  all->addLayout(buttons);
  setMinimumWidth(340);
}

void CLogin::Info(int textId) {
  host_.prompt().message(this, host_.text(textId), host_.messageTitle(), QMessageBox::Information);
}

void CLogin::OnOK() {
  MainDialogState& s = host_.state();
  const std::u16string password = password_->text().toStdU16String();
  std::string sent;
  EncodeConfigName(sent, password);
  int status = 0;
  int result = ops_.validate ? ops_.validate(sent, &status) : -1;
  if (result != 0 || status == 0) {
    Utf16ToUtf8String(sent, password);
    result = ops_.validate ? ops_.validate(sent, &status) : -1;
    if (result != 0) {
      Info(9968);
      return;
    }
  }
  if (status == 0) {
    m_bPasswordFrame = true;
    update();
    Info(9961);
    s.m_bLoggedIn = 0;
    return;
  }
  if (status == -1) {
    Info(9969);
    s.m_bLoggedIn = 0;
    return;
  }
  // 1 and every other answer count as accepted.
  s.m_bLoggedIn = 1;
  if (ops_.setMenuText) ops_.setMenuText(32800, host_.text(s.m_bLoggedIn ? 540 : 425));
  if (ops_.enablePasswordMenu) ops_.enablePasswordMenu();
  done(QDialog::Accepted);
}

bool CLogin::eventFilter(QObject* watched, QEvent* event) {
  if (watched == password_ && event->type() == QEvent::FocusIn &&
      static_cast<QFocusEvent*>(event)->reason() != Qt::ActiveWindowFocusReason && m_bPasswordFrame) {
    m_bPasswordFrame = false;
    update();
  }
  return QDialog::eventFilter(watched, event);
}

void CLogin::paintEvent(QPaintEvent* event) {
  QDialog::paintEvent(event);
  if (!m_bPasswordFrame) return;
  QPainter painter(this);
  DrawErrorFrame(painter, ErrorFrameRect(*this, {password_}));
}
