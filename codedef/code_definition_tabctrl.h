#pragma once
// The code definition page's tab control: tab 0 code type and recognition,
// tab 1 filters, tab 2 the code tab of the chosen family. Tab 2's page is a
// holder that takes whichever code tab the page makes (ReplacePage), so the
// tab keeps its place while its contents change. A user's click goes to the
// page's handler, which may refuse it (the old tab comes back).
#include <functional>

#include "controls/paged_tab_ctrl.h"

class CCodeDefinitionTabctrl : public CPagedTabCtrl {
  Q_OBJECT
public:
  explicit CCodeDefinitionTabctrl(QWidget* parent = nullptr);

  // The page decides on a user's click; without a handler the tab changes.
  void setChangeHandler(std::function<void(int newTab)> handler) { handler_ = std::move(handler); }
  // Puts page into tab index (its holder), titles the tab and enables it;
  // the selected tab's page shows.
  void ReplacePage(int index, QWidget* page, const QString& title);
  // The holder of tab index's page (tab 2's code tab), or the page itself.
  QWidget* content(int index) const;
  // Selects a tab as the page's own step: its page shows, no handler runs.
  void SelectTab(int index);
  // Sets the previous tab back after a refused click.
  void SnapBack() { revertTo(previousTab()); }
  void setTabTitle(int index, const QString& title);

protected:
  void tabChangedByUser(int newTab) override;

private:
  std::function<void(int)> handler_;
};
