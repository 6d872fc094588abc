#pragma once
// CAsciiDlg: the ASCII editor, a modal dialog for a short output string that
// may hold control characters, kept printable as "\x" escapes. The caller
// sets the string, the maximum length, the length mode (1 every character,
// 0 an escape as one) and the message of a too long text, runs it, and on
// Accepted reads AsciiEditorResult(). While open the main window knows it
// as the open dialog (help topic; a disconnect closes it).
#include <QDialog>
#include <array>

class CAsciiCtrl;
class CVarnisDatamatrixDlg;
class QLineEdit;
class QPushButton;

// The editor's result, one string for the whole program; callers empty it
// before they open the editor.
QString& AsciiEditorResult();

class CAsciiDlg : public QDialog {
  Q_OBJECT
public:
  explicit CAsciiDlg(CVarnisDatamatrixDlg& dlg);
  ~CAsciiDlg() override;

  QString m_strOutput;
  int m_nMaxLength = 32;
  int m_nLengthMode = 1;
  int m_nLengthMessage = 8208;

  // Shows the dialog through the program's prompt (modal); its result.
  int Run();

  QLineEdit* edit() const { return edit_; }
  CAsciiCtrl* table() const { return table_; }
  QPushButton* okButton() const { return ok_; }
  QPushButton* cancelButton() const { return cancel_; }

  void accept() override;  // OnOK
  void reject() override;  // OnCancel

private:
  void OnInitDialog();
  void LoadLanguageTexts();
  void OnItemClicked(int code);
  void OnTextChanged();
  void SetOpen(bool open);

  CVarnisDatamatrixDlg& dlg_;
  QLineEdit* edit_ = nullptr;  // 1042
  CAsciiCtrl* table_ = nullptr;
  QPushButton* ok_ = nullptr;
  QPushButton* cancel_ = nullptr;
  class QGroupBox* outputBox_ = nullptr;  // 1142
  class QGroupBox* tableBox_ = nullptr;   // 1143
  std::array<unsigned char, 256> values_{};
  bool cutting_ = false;
};
