#include "paged_tab_ctrl.h"

#include <QSignalBlocker>
#include <QTabBar>

CPagedTabCtrl::CPagedTabCtrl(QWidget* parent) : QWidget(parent), bar_(new QTabBar(this)) {
  bar_->setObjectName(QStringLiteral("tabs"));
  bar_->setDrawBase(true);
  bar_->setExpanding(false);
  connect(bar_, &QTabBar::currentChanged, this, &CPagedTabCtrl::onCurrentChanged);
}

int CPagedTabCtrl::AddPage(QWidget* page, const QString& text, int) {
  int index = 0;
  {
    const QSignalBlocker quiet(bar_);
    index = bar_->addTab(text);
  }
  pages_.push_back(page);
  enabled_.push_back(1);
  if (page != nullptr) {
    page->setParent(this);
    page->setGeometry(pageArea());
    page->setVisible(index == 0);
    page->raise();
  }
  if (index == 0) current_ = 0;
  bar_->resize(bar_->sizeHint().width(), bar_->sizeHint().height());
  return index;
}

int CPagedTabCtrl::GetPage(int index) const {
  if (index < 0 || index >= count()) return 0;
  return enabled_[index];
}

QWidget* CPagedTabCtrl::page(int index) const {
  if (index < 0 || index >= count()) return nullptr;
  return pages_[index];
}

int CPagedTabCtrl::SelectPage(int index) {
  if (index == current_ && index >= 0) return 1;
  if (GetPage(index) == 0) return 0;
  switchTo(index);
  return 1;
}

void CPagedTabCtrl::EnableTab(int index, bool enable) {
  if (index < 0 || index >= count()) return;
  enabled_[index] = enable ? 1 : 0;
  updateTabLook(index);
}

void CPagedTabCtrl::updateTabLook(int index) {
  if (!greyDisabled_) return;
  bar_->setTabTextColor(index, palette().color(enabled_[index] != 0 ? QPalette::Active
                                                                     : QPalette::Disabled,
                                               QPalette::ButtonText));
}

void CPagedTabCtrl::revertTo(int tab) {
  const QSignalBlocker quiet(bar_);
  bar_->setCurrentIndex(tab);
}

void CPagedTabCtrl::switchTo(int tab) {
  if (QWidget* old = page(current_); old != nullptr && current_ != tab) old->hide();
  revertTo(tab);
  current_ = tab;
  if (QWidget* shown = page(tab)) {
    shown->setGeometry(pageArea());
    shown->show();
    shown->raise();
  }
}

void CPagedTabCtrl::onCurrentChanged(int index) {
  previousTab_ = current_;
  tabChangedByUser(index);
}

void CPagedTabCtrl::tabChangedByUser(int newTab) {
  if (GetPage(newTab) == 0) {
    revertTo(previousTab_);
    return;
  }
  switchTo(newTab);
}

QRect CPagedTabCtrl::pageArea() const {
  const int top = bar_->sizeHint().height();
  return QRect(0, top, width(), height() - top);
}

void CPagedTabCtrl::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  bar_->resize(width(), bar_->sizeHint().height());
  for (QWidget* p : pages_) {
    if (p != nullptr) p->setGeometry(pageArea());
  }
}
