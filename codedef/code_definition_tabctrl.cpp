#include "code_definition_tabctrl.h"

#include <QTabBar>
#include <QVBoxLayout>

CCodeDefinitionTabctrl::CCodeDefinitionTabctrl(QWidget* parent) : CPagedTabCtrl(parent) {
  setObjectName(QStringLiteral("id1083"));
  setGreyDisabledTabs(true);
  // A click on a tab takes the focus, so the field being left is checked
  // first: a pending refusal then keeps that click's tab from showing, and a
  // field put right since lets it through.
  tabBar()->setFocusPolicy(Qt::StrongFocus);
}

void CCodeDefinitionTabctrl::tabChangedByUser(int newTab) {
  if (handler_) {
    handler_(newTab);
    return;
  }
  CPagedTabCtrl::tabChangedByUser(newTab);
}

QWidget* CCodeDefinitionTabctrl::content(int index) const {
  QWidget* holder = page(index);
  if (holder == nullptr || holder->layout() == nullptr || holder->layout()->count() == 0) return holder;
  return holder->layout()->itemAt(0)->widget();
}

void CCodeDefinitionTabctrl::ReplacePage(int index, QWidget* page, const QString& title) {
  QWidget* holder = this->page(index);
  if (holder == nullptr) return;
  auto* layout = qobject_cast<QVBoxLayout*>(holder->layout());
  if (layout == nullptr) {
    layout = new QVBoxLayout(holder);
    layout->setContentsMargins(0, 0, 0, 0);
  }
  while (QLayoutItem* item = layout->takeAt(0)) {
    if (QWidget* old = item->widget(); old != nullptr && old != page) old->hide();
    delete item;
  }
  if (page != nullptr) {
    layout->addWidget(page);
    page->show();
  }
  setTabTitle(index, title);
  EnableTab(index, true);
  if (QWidget* shown = this->page(currentTab())) shown->show();
}

void CCodeDefinitionTabctrl::SelectTab(int index) {
  if (index < 0 || index >= count()) return;
  switchTo(index);
}

void CCodeDefinitionTabctrl::setTabTitle(int index, const QString& title) { tabBar()->setTabText(index, title); }
