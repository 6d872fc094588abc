#include "field_check.h"

#include <QApplication>
#include <QLineEdit>

#include "core/main_dialog_state.h"

FieldCheck::FieldCheck(MainDialogState& state, QObject* parent) : QObject(parent), state_(state) {
  connect(qApp, &QApplication::focusChanged, this, &FieldCheck::onFocusChanged);
}

void FieldCheck::watch(QLineEdit* edit, Check check, Exempt exempt) {
  // Edits of code tabs replaced before are gone: their checks go with them.
  std::erase_if(watched_, [](const Watched& w) { return w.edit.isNull(); });
  watched_.push_back(Watched{edit, std::move(check), std::move(exempt)});
}

void FieldCheck::runGuarded(const std::function<void()>& f) {
  if (checking_) return;
  checking_ = true;
  f();
  checking_ = false;
}

bool FieldCheck::isControl(const QWidget* w, int id) {
  const QString name = QStringLiteral("id%1").arg(id);
  for (; w != nullptr; w = w->parentWidget())
    if (w->objectName() == name) return true;
  return false;
}

void FieldCheck::onFocusChanged(QWidget* old, QWidget* now) {
  if (old == nullptr || checking_) return;
  // Replacing the code tab, or leaving the sensor: nothing is checked. The
  // leave flag outlives a disconnect (the reset sets it), so it counts only
  // while the sensor is gone; a confirmed exit hides the window, and a focus
  // that goes nowhere checks nothing anyway.
  if (state_.m_bCodeTabSwitching || (state_.m_bLeaving && !state_.m_bConnected)) return;
  for (const Watched& w : watched_) {
    if (w.edit != old) continue;
    // Another window took the focus (or none has it): nobody left the field.
    if (now == nullptr || now->window() != old->window()) return;
    if (w.exempt && w.exempt(now)) return;
    const Check check = w.check;
    runGuarded(check);
    return;
  }
}
