#pragma once
// CConfigNewItem: name and free number of a new configuration, of the copy
// of the clipboard configuration, or of a file loaded into the sensor.
#include "config/config_name_dialog.h"

class CConfigNewItem : public ConfigNameDialog {
  Q_OBJECT
public:
  CConfigNewItem(CConfigManager& manager, QWidget* parent);
  // Ends the dialog with Cancel (the connection was reset).
  void CancelDialog();

protected:
  void OnOK() override;
  void OnEscape() override;

private:
  // The file to load: its path, or "-1" (cancelled or gone).
  QString AskConfigFile();
};
