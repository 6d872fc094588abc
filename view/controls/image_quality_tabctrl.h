#pragma once
// The image-quality page's tabs: tab 0 the image settings, tab 1 the trigger
// settings. No change while a sensor command is in flight; what a change
// means for the wizard (titles, status line, live image, trigger list) and
// whether the trigger tab must be kept are the page's, through the hooks.
#include <functional>

#include "paged_tab_ctrl.h"

struct ImageQualityTabHooks {
  // The main window's m_bBusy.
  std::function<bool()> isBusy;
  // The wizard's reaction to the new tab (hasPage: the tab has a page).
  std::function<void(int newTab, bool hasPage)> tabSelected;
  // True when the trigger tab must stay: its keep-tab flag was set (the hook
  // clears it) or its input check fails.
  std::function<bool(int newTab)> keepTriggerTab;
  // Focus to the trigger tab's first edit.
  std::function<void()> focusTriggerTab;
};

class CImageQualityTabctrl : public CPagedTabCtrl {
  Q_OBJECT
public:
  static constexpr int kTriggerTab = 1;

  explicit CImageQualityTabctrl(QWidget* parent = nullptr);

  void setHooks(ImageQualityTabHooks hooks) { hooks_ = std::move(hooks); }

protected:
  void tabChangedByUser(int newTab) override;

private:
  bool busy() const { return hooks_.isBusy && hooks_.isBusy(); }

  ImageQualityTabHooks hooks_;
};
