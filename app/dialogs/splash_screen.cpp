#include "dialogs/splash_screen.h"

#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

#include "resources/resource_libraries.h"
#include "services/view_services.h"
#include "window/colours.h"

bool SplashWanted() { return !qEnvironmentVariableIsSet("VT_NO_SPLASH"); }

CSplashScreen::CSplashScreen(const ResourceLibraries& resources, QWidget* parent, int tickMs,
                             StaticTextsService* texts)
    : QDialog(parent) {
  setObjectName("CSplashScreen");
  setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
  setModal(true);
  setWindowTitle(resources.text(1081));

  auto* picture = new QLabel(this);
  picture->setObjectName("id1000");
  picture->setAlignment(Qt::AlignCenter);
  picture->setPixmap(QPixmap(resources.picturePath(160)));

  QWidget* text = nullptr;
  if (texts) {
    text = texts->MakeSplashText(
        this, [&resources](int id) { return resources.text(id); },
        [&resources](int id) { return resources.definition(id); });
  } else {
    auto* plain = new QLabel(resources.definition(301), this);
    plain->setAlignment(Qt::AlignCenter);
    plain->setWordWrap(true);
    text = plain;
  }
  text->setObjectName("id1031");

  progress_ = new QProgressBar(this);
  progress_->setObjectName("id1002");
  progress_->setRange(0, kTicks);
  progress_->setValue(1);
  progress_->setTextVisible(false);
  QPalette pal = progress_->palette();
  pal.setColor(QPalette::Highlight, FromColorRef(0x99A8AC));
  progress_->setPalette(pal);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(picture, 1);
  layout->addWidget(text, 0, Qt::AlignHCenter);
  layout->addWidget(progress_);
  // As large as its picture and texts need, fixed.
  layout->setSizeConstraint(QLayout::SetFixedSize);
  timer_ = startTimer(tickMs, Qt::PreciseTimer);
}

void CSplashScreen::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape: event->accept(); return;
    default: QDialog::keyPressEvent(event);
  }
}

void CSplashScreen::timerEvent(QTimerEvent* event) {
  if (event->timerId() != timer_) return QDialog::timerEvent(event);
  const int position = progress_->value();
  progress_->setValue(position + 1);
  // A slow timer only makes the splash stay longer: it always runs every tick.
  if (position == kTicks) {
    killTimer(timer_);
    timer_ = 0;
    reject();
  }
}
