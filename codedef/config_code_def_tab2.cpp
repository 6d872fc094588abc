#include "config_code_def_tab2.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>

#include "commands/read_results.h"
#include "core/main_dialog_state.h"
#include "window/main_window.h"
#include "write_configuration.h"

namespace {
constexpr int kListIds[3] = {1045, 1046, 1047};
constexpr int kLabelIds[3] = {1054, 1055, 32860};
constexpr int kFilterTexts[9] = {7144, 7145, 7146, 7147, 7148, 7149, 7150, 7151, 7155};
}  // namespace

CConfigCodeDefTab2::CConfigCodeDefTab2(CodeDefinitionContext& ctx, QWidget* parent) : QWidget(parent), ctx_(ctx) {
  setObjectName(QStringLiteral("CConfigCodeDefTab2"));
  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(10, 12, 10, 10);
  grid->setVerticalSpacing(10);
  for (int i = 0; i < 3; ++i) {
    labels_[i] = new QLabel(this);
    labels_[i]->setObjectName(QStringLiteral("id%1").arg(kLabelIds[i]));
    lists_[i] = new QComboBox(this);
    lists_[i]->setObjectName(QStringLiteral("id%1").arg(kListIds[i]));
    lists_[i]->addItem(QStringLiteral("None"));
    grid->addWidget(labels_[i], i, 0);
    grid->addWidget(lists_[i], i, 1);
    connect(lists_[i], &QComboBox::currentIndexChanged, this, [this] {
      if (!filling_) OnFilterChanged();
    });
  }
  grid->setColumnStretch(1, 1);
  grid->setRowStretch(3, 1);
}

void CConfigCodeDefTab2::LoadLanguageTexts() {
  setWindowTitle(ctx_.text(1057));
  filling_ = true;
  for (QComboBox* list : lists_) {
    list->clear();
    for (int id : kFilterTexts) list->addItem(ctx_.text(id));
  }
  filling_ = false;
  ShowFilters();
  for (int i = 0; i < 3; ++i) labels_[i]->setText(ctx_.text(7152 + i));
}

void CConfigCodeDefTab2::ShowFilters() {
  const FilterSettings& f = ctx_.state().m_Configuration.filters;
  const int values[3] = {f.Filter1, f.Filter2, f.Filter3};
  filling_ = true;
  for (int i = 0; i < 3; ++i)
    if (values[i] >= 0 && values[i] < lists_[i]->count()) lists_[i]->setCurrentIndex(values[i]);
  filling_ = false;
  update();
}

int CConfigCodeDefTab2::ApplyFilters() {
  FilterSettings& f = ctx_.state().m_Configuration.filters;
  f.Filter1 = lists_[0]->currentIndex();
  f.Filter2 = lists_[1]->currentIndex();
  f.Filter3 = lists_[2]->currentIndex();
  return WriteConfiguration(ctx_.dlg);
}

// The sensor applies the filters to the next picture: fetch it again.
void CConfigCodeDefTab2::OnFilterChanged() {
  ApplyFilters();
  MainDialogState& s = ctx_.state();
  CReadResults(s, nullptr).ShowCurrentImage(ctx_.dlg.panels().imageView.get());
}

void CConfigCodeDefTab2::EnableControls(bool on) {
  for (QComboBox* list : lists_) list->setEnabled(on);
  for (QLabel* label : labels_) label->setEnabled(on);
}

void CConfigCodeDefTab2::FocusFirstList() { lists_[0]->setFocus(); }
