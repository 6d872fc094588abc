#pragma once
// CConfigurationButtons: one push button per configuration command. A click
// runs the main menu's command of the same name; the tree enables them.
#include <QWidget>
#include <array>

#include "core/config_store.h"

class CVarnisDatamatrixDlg;
class QPushButton;

class CConfigurationButtons : public QWidget {
  Q_OBJECT
public:
  explicit CConfigurationButtons(CVarnisDatamatrixDlg& dlg, QWidget* parent = nullptr);
  QPushButton* button(int id) const;
  void LoadLanguageTexts();

private:
  CVarnisDatamatrixDlg& dlg_;
  std::array<QPushButton*, kConfigCommands> buttons_{};
};
