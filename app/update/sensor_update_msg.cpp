#include "update/sensor_update_msg.h"

#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

#include "errors/error_host.h"

CSensorUpdateMsg::CSensorUpdateMsg(ErrorHost& host, QWidget* parent, bool ownTimer) : QDialog(parent) {
  setObjectName(QStringLiteral("CSensorUpdateMsg"));
  setWindowTitle(host.text(1077));
  setFixedSize(480, 125);
  if (parent != nullptr) move(parent->mapToGlobal(QPoint(318, 200)));

  text_ = new QLabel(host.text(6032), this);
  text_->setObjectName(QStringLiteral("id1086"));
  text_->setWordWrap(true);
  text_->setAlignment(Qt::AlignCenter);
  QFont bold(host.text(10000));
  bold.setPixelSize(20);
  bold.setWeight(QFont::Bold);
  text_->setFont(bold);

  progress_ = new QProgressBar(this);
  progress_->setObjectName(QStringLiteral("id1085"));
  progress_->setRange(0, 100);
  progress_->setTextVisible(false);
  progress_->setValue(1);
  progress_->setValue(progress_->value() + 5);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(14, 12, 14, 14);
  layout->addWidget(text_, 1);
  layout->addWidget(progress_);

  timer_.setInterval(kTickMs);
  connect(&timer_, &QTimer::timeout, this, &CSensorUpdateMsg::OnTimer);
  if (ownTimer) timer_.start();
}

int CSensorUpdateMsg::position() const { return progress_->value(); }

void CSensorUpdateMsg::OnTimer() {
  if (!ticking_) return;
  const int next = std::min(progress_->value() + 1, progress_->maximum());
  progress_->setValue(next);
  if (next >= progress_->maximum()) {
    ticking_ = false;
    timer_.stop();
  }
}

void CSensorUpdateMsg::Close() {
  timer_.stop();
  ticking_ = false;
  done(QDialog::Rejected);
}
