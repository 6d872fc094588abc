#include "lock/lock_sensor_dlg.h"

#include <QCheckBox>
#include <QEvent>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include "errors/error_host.h"
#include "lock/lock_dialog_parts.h"
#include "services/prompt.h"

namespace {

QLabel* Static(int id, const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(QStringLiteral("id%1").arg(id));
  label->setWordWrap(true);
  return label;
}

}  // namespace

CLockSensorDlg::CLockSensorDlg(ErrorHost& host, const LockOps& ops, const QPixmap& icon, QWidget* parent)
    : QDialog(parent), host_(host), ops_(ops) {
  setObjectName(QStringLiteral("CLockSensorDlg"));
  setWindowTitle(host.text(1082));
  QLabel* icon1250 = MakeLockIcon(this, icon);

  password_ = MakePasswordEdit(1247, this);
  confirmation_ = MakePasswordEdit(1248, this);
  password_->installEventFilter(this);
  confirmation_->installEventFilter(this);

  auto box = [this](int id, int textId, int bit) {
    auto* check = new QCheckBox(host_.text(textId), this);
    check->setObjectName(QStringLiteral("id%1").arg(id));
    connect(check, &QCheckBox::clicked, this, [this, bit](bool on) { OnItemClicked(bit, on); });
    return check;
  };
  service_ = box(1227, 9606, kLockItemService);
  administration_ = box(1228, 9607, kLockItemConfiguration);
  resetStats_ = box(1230, 9608, kLockItemMonitor);


  auto* head = new QHBoxLayout;
  head->addWidget(icon1250, 0, Qt::AlignTop);
  head->addWidget(Static(1251, host.text(9602), this), 1);

  auto* fields = new QGridLayout;
  fields->setHorizontalSpacing(12);
  fields->setVerticalSpacing(14);
  fields->addWidget(Static(1245, host.text(9603), this), 0, 0);
  fields->addWidget(password_, 0, 1);
  fields->addWidget(Static(1246, host.text(9604), this), 1, 0);
  fields->addWidget(confirmation_, 1, 1);
  fields->setColumnStretch(1, 1);

  auto* items = new QVBoxLayout;
  items->setSpacing(8);
  items->addWidget(Static(1249, host.text(9605), this));
  items->addWidget(service_);
  items->addWidget(administration_);
  items->addWidget(resetStats_);

  QHBoxLayout* buttons =
      MakeOkEscapeRow(this, host.text(9203), host.text(9202), [this] { OnOK(); }, [this] { done(QDialog::Rejected); });

  auto* all = new QVBoxLayout(this);
  all->setContentsMargins(16, 16, 16, 12);
  all->setSpacing(14);
  all->addLayout(head);
  all->addLayout(fields);
  all->addLayout(items);
  all->addLayout(buttons);
  setMinimumWidth(380);
}

void CLockSensorDlg::OnItemClicked(int bit, bool checked) {
  SetFrame(LockInputFrame::Items, false);
  if (checked)
    m_items |= bit;
  else
    m_items &= ~bit;
}

void CLockSensorDlg::OnOK() {
  const QString password = password_->text();
  const LockInputFault fault =
      CheckLockInput(password.toStdU16String(), confirmation_->text().toStdU16String(), m_items);
  if (fault.textId != 0) {
    SetFrame(fault.frame, true);
    host_.prompt().message(this, host_.text(fault.textId), host_.messageTitle(), QMessageBox::Warning);
    if (fault.frame != LockInputFrame::Items) {
      password_->setFocus();
      // The focus handler would clear the password frame the check just set.
      if (fault.frame == LockInputFrame::Password) SetFrame(LockInputFrame::Password, true);
    }
    return;
  }
  MainDialogState& s = host_.state();
  s.m_nLockedItems = m_items;
  if (ops_.activate) ops_.activate(password);
  if (ops_.setMenuText) ops_.setMenuText(32799, host_.text(s.m_bSensorLocked ? 530 : 420));
  if (ops_.enablePasswordMenu) ops_.enablePasswordMenu();
  done(QDialog::Accepted);
}

bool CLockSensorDlg::frameShown(LockInputFrame which) const {
  switch (which) {
    case LockInputFrame::Password:
      return m_bPasswordFrame;
    case LockInputFrame::Confirmation:
      return m_bConfirmFrame;
    case LockInputFrame::Items:
      return m_bItemsFrame;
    case LockInputFrame::None:
      break;
  }
  return !m_bPasswordFrame && !m_bConfirmFrame && !m_bItemsFrame;
}

LockInputFrame CLockSensorDlg::frame() const {
  if (m_bPasswordFrame) return LockInputFrame::Password;
  if (m_bConfirmFrame) return LockInputFrame::Confirmation;
  if (m_bItemsFrame) return LockInputFrame::Items;
  return LockInputFrame::None;
}

void CLockSensorDlg::SetFrame(LockInputFrame which, bool on) {
  if (which == LockInputFrame::Password) m_bPasswordFrame = on;
  if (which == LockInputFrame::Confirmation) m_bConfirmFrame = on;
  if (which == LockInputFrame::Items) m_bItemsFrame = on;
  update();
}

bool CLockSensorDlg::eventFilter(QObject* watched, QEvent* event) {
  // The window coming back to the front (after the warning box) is not the
  // user going to the field.
  if (event->type() == QEvent::FocusIn &&
      static_cast<QFocusEvent*>(event)->reason() != Qt::ActiveWindowFocusReason) {
    if (watched == password_) SetFrame(LockInputFrame::Password, false);
    if (watched == confirmation_) SetFrame(LockInputFrame::Confirmation, false);
  }
  return QDialog::eventFilter(watched, event);
}

void CLockSensorDlg::paintEvent(QPaintEvent* event) {
  QDialog::paintEvent(event);
  QPainter painter(this);
  if (m_bPasswordFrame) DrawErrorFrame(painter, ErrorFrameRect(*this, {password_}));
  if (m_bConfirmFrame) DrawErrorFrame(painter, ErrorFrameRect(*this, {confirmation_}));
  if (m_bItemsFrame) DrawErrorFrame(painter, ErrorFrameRect(*this, {service_, resetStats_}));
}
