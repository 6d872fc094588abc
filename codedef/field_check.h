#pragma once
// The one check of an edit when it loses the focus, for every edit of the
// code definition page, its tabs and the family tabs. Where the focus went
// comes from QApplication::focusChanged: each edit names the targets that
// skip its check (a revert button, the main window's Escape...). No check
// runs while the code tab is being replaced or the program is closing, and
// none starts while a check's own message box is open (that box takes the
// focus from the very edit being checked).
#include <QObject>
#include <QPointer>
#include <functional>
#include <vector>

class QWidget;
class QLineEdit;
struct MainDialogState;

class FieldCheck : public QObject {
  Q_OBJECT
public:
  // Where the focus went: true when the check is skipped for that target.
  using Exempt = std::function<bool(QWidget* to)>;
  using Check = std::function<void()>;

  explicit FieldCheck(MainDialogState& state, QObject* parent = nullptr);

  // Runs check when edit loses the focus, unless exempt(to) says otherwise.
  void watch(QLineEdit* edit, Check check, Exempt exempt = {});
  // Runs f (which may show boxes) as a check: no other check starts meanwhile.
  void runGuarded(const std::function<void()>& f);
  bool checking() const { return checking_; }

  // True when w is the control of that id ("id<id>") or inside it.
  static bool isControl(const QWidget* w, int id);

private:
  void onFocusChanged(QWidget* old, QWidget* now);

  struct Watched {
    QPointer<QLineEdit> edit;
    Check check;
    Exempt exempt;
  };
  MainDialogState& state_;
  std::vector<Watched> watched_;
  bool checking_ = false;
};
