#include "config/config_new_item.h"

#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "config/config_manager.h"
#include "config/config_tree_view.h"
#include "core/text_escape.h"
#include "window/main_window.h"

CConfigNewItem::CConfigNewItem(CConfigManager& manager, QWidget* parent)
    : ConfigNameDialog(manager, 1000, 32863, 1144, parent) {
  setObjectName(QStringLiteral("CConfigNewItem"));
  CVarnisDatamatrixDlg& dlg = *manager.window();
  const MainDialogState& s = dlg.state();
  const bool paste = s.m_bPasteAsCopy && manager.clipboard();
  edit_->setText(paste ? QString::fromStdU16String(manager.clipboard()->name) : dlg.text(8004));
  FillNumbers(manager.store().FreeNumbers(), -1);
  escapeFlag_ = false;
  label_->setText(dlg.text(8000));
  ok_->setText(dlg.text(9203));
  escape_->setText(dlg.text(9202));
  setWindowTitle(dlg.text(paste ? 9503 : s.m_bDownloadToDevice ? 9502 : 9500));
}

void CConfigNewItem::OnEscape() {
  escapeFlag_ = true;
  manager_.window()->state().m_bDownloadToDevice = 0;
}

void CConfigNewItem::CancelDialog() {
  manager_.window()->state().m_bDownloadToDevice = 0;
  QDialog::done(QDialog::Rejected);
}

QString CConfigNewItem::AskConfigFile() {
  CVarnisDatamatrixDlg& dlg = *manager_.window();
  for (;;) {
    QString folder;
    CQuorrenReg& reg = dlg.settings();
    if (!reg.Open(QStringLiteral("\\Common")) || !reg.GetString(QStringLiteral("DownloadToDevice"), folder) ||
        folder.isEmpty())
      folder = dlg.programPaths().documents;
    const QString path = dlg.prompt().openFileName(this, dlg.text(6060), folder, dlg.text(6062));
    if (path.isEmpty()) {
      CancelDialog();
      return QStringLiteral("-1");
    }
    // Best effort: a folder that cannot be stored never stops the load.
    if (reg.Create(QStringLiteral("\\Common")))
      reg.SetString(QStringLiteral("DownloadToDevice"), QFileInfo(path).absolutePath());
    if (FileExists(path.toStdU16String())) return path;
    manager_.Message(6052);
  }
}

void CConfigNewItem::OnOK() {
  CVarnisDatamatrixDlg& dlg = *manager_.window();
  MainDialogState& s = dlg.state();
  if (CConfigTreeView* tree = manager_.tree()) tree->m_bTriggerWindowAllowed = tree->GetSelectedItemType() == 0;
  const std::u16string name = edit_->text().toStdU16String();
  if (const int check = CheckNewName(name, escapeFlag_); check != 0) {
    CheckMessage(check, check == 6038, check == 46524);
    return;
  }
  messageShown_ = false;
  const std::u16string number = combo_->currentText().toStdU16String();
  if (s.m_bPasteAsCopy && manager_.clipboard()) {
    manager_.setListValid(false);
    if (manager_.MoveOrCopyClipboard(TrimName(name), number) == -1) {
      manager_.Message(6035);
      messageShown_ = true;
      return;
    }
  } else if (s.m_bDownloadToDevice) {
    const QString path = AskConfigFile();
    if (path == QStringLiteral("-1")) return;
    accept();
    s.m_bDownloadToDevice = 0;
    manager_.UploadIntoSlot(combo_->currentData().toInt(), name, path.toStdU16String());
    return;
  } else {
    manager_.CreateInSelectedGroup(TrimName(name), number);
  }
  accept();
}
