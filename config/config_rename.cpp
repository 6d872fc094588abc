#include "config/config_rename.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "config/config_manager.h"
#include "window/main_window.h"

CConfigRename::CConfigRename(CConfigManager& manager, const CConfig& source, QWidget* parent)
    : ConfigNameDialog(manager, 1038, 1027, 1145, parent), source_(source) {
  setObjectName(QStringLiteral("CConfigRename"));
  enterAlwaysOk_ = true;
  CVarnisDatamatrixDlg& dlg = *manager.window();
  edit_->setText(QString::fromStdU16String(source.name));
  FillNumbers(manager.store().FreeNumbers(source.number), source.number);
  escapeFlag_ = false;
  label_->setText(dlg.text(8003));
  ok_->setText(dlg.text(9203));
  escape_->setText(dlg.text(9202));
  setWindowTitle(dlg.text(8001));
}

void CConfigRename::OnOK() {
  const std::u16string name = edit_->text().toStdU16String();
  if (const int check = CheckRenameName(name, escapeFlag_); check != 0) {
    CheckMessage(check, check == 6038, check == 46524);
    return;
  }
  if (manager_.RenameSelectedConfig(source_, TrimName(name), combo_->currentText().toStdU16String()) == -1) {
    CheckMessage(6034, false);
    return;
  }
  messageShown_ = false;
  accept();
}
