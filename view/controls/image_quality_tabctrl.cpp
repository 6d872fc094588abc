#include "image_quality_tabctrl.h"

CImageQualityTabctrl::CImageQualityTabctrl(QWidget* parent) : CPagedTabCtrl(parent) {}

void CImageQualityTabctrl::tabChangedByUser(int newTab) {
  const bool firstTwo = newTab == 0 || newTab == kTriggerTab;
  if ((busy() && firstTwo) || GetPage(newTab) == 0) {
    revertTo(previousTab());
    return;
  }
  const bool hasPage = page(newTab) != nullptr;
  if (hooks_.tabSelected) hooks_.tabSelected(newTab, hasPage);
  if (firstTwo && hooks_.keepTriggerTab && hooks_.keepTriggerTab(newTab)) {
    switchTo(kTriggerTab);
    return;
  }
  if (!hasPage) {
    revertTo(previousTab());
    return;
  }
  switchTo(newTab);
  if (newTab == kTriggerTab && !busy() && hooks_.focusTriggerTab) hooks_.focusTriggerTab();
}
