#include "errors/disconnect_mesg.h"

#include <QLabel>
#include <QVBoxLayout>

#include "errors/error_host.h"

namespace {
constexpr int kCmdDisconnect = 10021;
}

CDisconnectMesg::CDisconnectMesg(ErrorHost& host, QWidget* parent) : QDialog(parent), host_(host) {
  setObjectName("CDisconnectMesg");
  setModal(true);
  text_ = new QLabel(this);
  text_->setObjectName("id1039");
  text_->setAlignment(Qt::AlignCenter);
  text_->setWordWrap(true);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(text_);
}

void CDisconnectMesg::OnInitDialog() {
  QFont font(host_.text(10000));
  font.setPixelSize(20);
  font.setBold(true);
  text_->setFont(font);
  if (QWidget* main = host_.mainWindow()) {
    const QPoint origin = main->mapToGlobal(QPoint(0, 0));
    setGeometry(origin.x() + 318, origin.y() + 200, 485, 65);
  } else {
    resize(485, 65);
  }
  text_->setText(host_.text(6031));
  setWindowTitle(host_.text(1076));
  MainDialogState& s = host_.state();
  s.m_bConnected = 0;
  s.m_bTestRunning = 0;
  host_.PostSensorCommand(kCmdDisconnect);
}

void CDisconnectMesg::Close() { done(QDialog::Rejected); }
