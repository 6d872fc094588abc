#pragma once
// The status bar repaints itself and every part on each layout request, and
// a part's new text asks for one even when no part's size changes (the
// readings count, each reading). Watching the bar, this lets such a request
// lay the parts out (the bar's layout does that first) but drops the repaint
// when every part asks for the sizes it asked before: the part whose text
// changed repaints itself.
// The bar's layout also asks the main window to lay itself out after each
// of its own, which lays out every part of the window. While the parts keep
// their sizes the bar keeps the size the window gave it (held as its fixed
// size), so that request is not made; a part whose size changes lets it go,
// and the window lays the bar out again.
#include <QObject>
#include <QSize>
#include <vector>

class QStatusBar;

class StatusBarRelayout : public QObject {
public:
  explicit StatusBarRelayout(QStatusBar& bar);

  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  struct PartSizes {
    QSize hint, minimumHint, minimum, maximum;
    bool shown = false;
    bool operator==(const PartSizes&) const = default;
  };
  std::vector<PartSizes> parts() const;
  void HoldSize();
  void ReleaseSize();

  QStatusBar& bar_;
  std::vector<PartSizes> laidOut_;
  bool held_ = false;
};
