#include "code_tab.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>

#include "core/main_dialog_state.h"

CodeTab::CodeTab(CodeDefinitionContext& ctx, QWidget* parent) : QWidget(parent), ctx_(ctx) {}

void CodeTab::MarkChanged() {
  if (!showing_) ctx_.state().m_bValidationFailed = 1;
}

void CodeTab::MarkChangesOf(const QList<QWidget*>& controls) {
  for (QWidget* w : controls) {
    if (auto* edit = qobject_cast<QLineEdit*>(w))
      connect(edit, &QLineEdit::textChanged, this, [this] { MarkChanged(); });
    else if (auto* list = qobject_cast<QComboBox*>(w))
      connect(list, &QComboBox::currentIndexChanged, this, [this] { MarkChanged(); });
    else if (auto* box = qobject_cast<QAbstractButton*>(w))
      connect(box, &QAbstractButton::toggled, this, [this] { MarkChanged(); });
  }
}
