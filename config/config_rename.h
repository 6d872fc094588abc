#pragma once
// CConfigRename: a new name and, optionally, a new number for the selected
// configuration.
#include "config/config_name_dialog.h"
#include "core/config_store.h"

class CConfigRename : public ConfigNameDialog {
  Q_OBJECT
public:
  CConfigRename(CConfigManager& manager, const CConfig& source, QWidget* parent);

protected:
  void OnOK() override;

private:
  CConfig source_;
};
