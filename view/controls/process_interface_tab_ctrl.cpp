#include "process_interface_tab_ctrl.h"

CProcessInterfaceTabCtrl::CProcessInterfaceTabCtrl(QWidget* parent) : CPagedTabCtrl(parent) {
  setGreyDisabledTabs(true);
}

void CProcessInterfaceTabCtrl::tabChangedByUser(int newTab) {
  if (newTab == 1 && GetPage(1) != 0 && firstTabCheck_ && !firstTabCheck_()) {
    // Back on the first tab, whose strings need mending, with its page shown.
    switchTo(0);
    return;
  }
  CPagedTabCtrl::tabChangedByUser(newTab);
}
