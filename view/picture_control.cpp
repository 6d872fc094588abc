#include "picture_control.h"

#include <QPainter>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyle>

#include "core/main_dialog_state.h"
#include "direct_x.h"

PictureControl::PictureControl(CDirectX& view, QWidget* parent)
    : QWidget(parent), view_(&view), hScroll_(new QScrollBar(Qt::Horizontal, this)),
      vScroll_(new QScrollBar(Qt::Vertical, this)), corner_(new QWidget(this)) {
  setObjectName("1074");
  setFixedSize(kWidth, kHeight);
  setAttribute(Qt::WA_OpaquePaintEvent);
  hScroll_->setObjectName("id1054");
  vScroll_->setObjectName("id1002");
  corner_->setObjectName("CScrollSideDlg");
  corner_->setAutoFillBackground(true);
  corner_->hide();
  // Positions are those of the picture: 0..640 and 0..480 (no page).
  hScroll_->setRange(0, CDirectX::kSurfaceWidth);
  vScroll_->setRange(0, CDirectX::kSurfaceHeight);
  for (QScrollBar* bar : {hScroll_, vScroll_}) {
    bar->setSingleStep(1);
    bar->setPageStep(10);
    bar->hide();
    connect(bar, &QScrollBar::valueChanged, this, &PictureControl::scrolled);
  }
  placeScrollBars();
}

void PictureControl::showScrollBars(bool shown) {
  hScroll_->setVisible(shown);
  vScroll_->setVisible(shown);
  corner_->setVisible(shown);
}

QRect PictureControl::pictureArea() const {
  QRect area = rect();
  if (view_ && view_->zoom().factor() > 1.01f)
    area.adjust(0, 0, -vScroll_->sizeHint().width(), -hScroll_->sizeHint().height());
  return area;
}

void PictureControl::setScrollPositions(int x, int y) {
  const QSignalBlocker blockH(hScroll_);
  const QSignalBlocker blockV(vScroll_);
  hScroll_->setValue(x);
  vScroll_->setValue(y);
}

void PictureControl::scrolled() {
  if (!view_) return;
  // The positions are the main window's members; the view reads them back.
  MainDialogState& state = *view_->env_.state;
  state.m_nPictureScrollX = hScroll_->value();
  state.m_nPictureScrollY = vScroll_->value();
  view_->UpdateSourceRect(false);
}

void PictureControl::paintEvent(QPaintEvent*) {
  ++paints_;
  QPainter painter(this);
  if (!view_ || !view_->hasSurface()) {
    painter.fillRect(rect(), palette().window());
    return;
  }
  const QRect area = pictureArea();
  painter.drawImage(area.topLeft(), view_->screen(area.size()));
  // The corner between the scroll bars, which neither bar covers.
  if (area != rect()) painter.fillRect(QRect(area.bottomRight() + QPoint(1, 1), rect().bottomRight()), palette().window());
}

void PictureControl::resizeEvent(QResizeEvent*) { placeScrollBars(); }

void PictureControl::placeScrollBars() {
  const int barHeight = hScroll_->sizeHint().height();
  const int barWidth = vScroll_->sizeHint().width();
  hScroll_->setGeometry(0, height() - barHeight, width() - barWidth, barHeight);
  vScroll_->setGeometry(width() - barWidth, 0, barWidth, height() - barHeight);
  corner_->setGeometry(width() - barWidth, height() - barHeight, barWidth, barHeight);
}
