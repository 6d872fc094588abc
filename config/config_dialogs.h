#pragma once
// The configuration dialogs as the main window runs them: new, rename and
// information, each made per use and run through the window's prompt.
#include <QPointer>

#include "services/config_services.h"

class CConfigManager;
class CConfigNewItem;
class QDialog;

class CConfigDialogs : public ConfigDialogsService {
public:
  explicit CConfigDialogs(CConfigManager& manager);
  void CancelNewItem() override;
  void EndDialogs() override;
  void RunNewItem(bool downloadToDevice) override;
  void RunRename() override;
  void RunInfo() override;

private:
  int Run(QDialog& dialog);
  CConfigManager& manager_;
  QPointer<CConfigNewItem> newItem_;
  QPointer<QDialog> other_;
};
