#pragma once
// CConfigCodeDefTab2: tab 1 of the code definition page, the three
// preprocessing filters (lists 1045, 1046, 1047). A change is written to the
// sensor at once and the current picture fetched again to show its effect.
#include <QWidget>

#include "code_definition_context.h"

class QComboBox;
class QLabel;

class CConfigCodeDefTab2 : public QWidget {
  Q_OBJECT
public:
  explicit CConfigCodeDefTab2(CodeDefinitionContext& ctx, QWidget* parent = nullptr);

  void LoadLanguageTexts();
  void ShowFilters();
  // The three lists into the configuration and the configuration to the
  // sensor; 0 written, else the status (shown).
  int ApplyFilters();
  void EnableControls(bool on);
  void FocusFirstList();
  QComboBox* list(int index) const { return lists_[index]; }

private:
  void OnFilterChanged();

  CodeDefinitionContext& ctx_;
  QComboBox* lists_[3] = {};
  QLabel* labels_[3] = {};
  bool filling_ = false;
};
