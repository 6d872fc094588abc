#pragma once
// What the new-configuration and rename dialogs share: a number combo, a
// name edit of 32 characters, OK and Escape, the check when the edit loses
// the focus, and the Enter and Esc rules.
#include <QDialog>

class CConfigManager;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

class ConfigNameDialog : public QDialog {
  Q_OBJECT
public:
  QComboBox* numberCombo() const { return combo_; }
  QLineEdit* nameEdit() const { return edit_; }
  QPushButton* okButton() const { return ok_; }
  QPushButton* escapeButton() const { return escape_; }
  ~ConfigNameDialog() override;
  bool messageShown() const { return messageShown_; }

protected:
  ConfigNameDialog(CConfigManager& manager, int editId, int escapeId, int labelId, QWidget* parent);
  virtual void OnOK() = 0;
  virtual void OnEscape() { escapeFlag_ = true; }
  // Shows a message of the dialog's checks; focus back on the name, its
  // first 32 characters (or all) selected.
  void CheckMessage(int textId, bool beep, bool selectAll = false);
  void FillNumbers(const std::vector<int>& numbers, int select);
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void reject() override;

  CConfigManager& manager_;
  QComboBox* combo_ = nullptr;
  QLineEdit* edit_ = nullptr;
  QLabel* label_ = nullptr;
  QPushButton* ok_ = nullptr;
  QPushButton* escape_ = nullptr;
  bool messageShown_ = false;
  bool escapeFlag_ = false;
  bool enterAlwaysOk_ = false;  // the rename dialog: Enter is OK on any control

private:
  void OnFocusChanged(QWidget* old, QWidget* now);
  bool checking_ = false;
  QMetaObject::Connection focusWatch_;
};
