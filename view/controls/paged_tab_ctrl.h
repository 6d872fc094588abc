#pragma once
// A tab strip over pages: each tab shows its own page in the area below the
// strip, and a tab can be disabled. A user's change of tab can be refused: a
// tab bar has no veto, so the refusing handler sets the old tab back without
// telling anyone. GetPage and SelectPage answer 0 for an index outside the
// tabs.
#include <QWidget>
#include <vector>

class QTabBar;

class CPagedTabCtrl : public QWidget {
  Q_OBJECT
public:
  explicit CPagedTabCtrl(QWidget* parent = nullptr);

  // Appends a tab for the page (which may be null); only the first page shows.
  // The image index has no image list here and is kept for the callers' sake.
  int AddPage(QWidget* page, const QString& text, int image = -1);
  // The tab's entry: 1 for an enabled tab, 0 for a disabled one or an index
  // outside the tabs.
  virtual int GetPage(int index) const;
  // 1 when the tab is (or becomes) current, else 0; no change then.
  int SelectPage(int index);
  // An index outside the tabs does nothing.
  void EnableTab(int index, bool enable);

  int count() const { return static_cast<int>(pages_.size()); }
  int currentTab() const { return current_; }
  int previousTab() const { return previousTab_; }
  QWidget* page(int index) const;
  QTabBar* tabBar() const { return bar_; }

protected:
  // The user picked another tab; previousTab() is the tab being left. The
  // default shows the new tab's page, or goes back when it is disabled.
  virtual void tabChangedByUser(int newTab);
  // Back to a tab without any handler seeing the change.
  void revertTo(int tab);
  // Hides the page of current, shows the page of tab, makes tab current.
  void switchTo(int tab);
  void setGreyDisabledTabs(bool grey) { greyDisabled_ = grey; }

  void resizeEvent(QResizeEvent* event) override;

private:
  void onCurrentChanged(int index);
  void updateTabLook(int index);
  QRect pageArea() const;

  QTabBar* bar_;
  std::vector<QWidget*> pages_;
  std::vector<int> enabled_;
  int current_ = -1;
  int previousTab_ = -1;
  bool greyDisabled_ = false;
};
