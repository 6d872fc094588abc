#pragma once
// The status bar repaints itself and every part on each layout request, and
// a part's new text asks for one even when no part's size changes (the
// readings count, each reading). Watching the bar, this lets such a request
// lay the parts out (the bar's layout does that first) but drops the repaint
// when every part asks for the sizes it asked before: the part whose text
// changed repaints itself.
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

  QStatusBar& bar_;
  std::vector<PartSizes> laidOut_;
};
