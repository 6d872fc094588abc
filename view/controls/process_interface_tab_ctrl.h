#pragma once
// The process-interface page's tabs. Entering tab 1 first checks the output
// strings of tab 0 (the page fills the hook); disabled tabs are drawn grey
// and cannot be entered.
#include <functional>

#include "paged_tab_ctrl.h"

class CProcessInterfaceTabCtrl : public CPagedTabCtrl {
  Q_OBJECT
public:
  explicit CProcessInterfaceTabCtrl(QWidget* parent = nullptr);

  // True when the first tab's output strings pass their check.
  void setFirstTabCheck(std::function<bool()> check) { firstTabCheck_ = std::move(check); }

protected:
  void tabChangedByUser(int newTab) override;

private:
  std::function<bool()> firstTabCheck_;
};
