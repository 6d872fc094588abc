#pragma once
// CConfigProcessInterfaceTab1: tab 0 of the process-interface page. The
// output mode, the start, stop, fail and match strings and the reference
// code (each with its "..." button into the ASCII editor), and with the
// extended configuration string numeration and RDY/OUT activation. The
// edits show the strings decoded; ApplySettings writes them escaped.
#include <QWidget>
#include <array>

class CConfigProcessInterface;
class CVarnisDatamatrixDlg;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
struct MainDialogState;

class CConfigProcessInterfaceTab1 : public QWidget {
  Q_OBJECT
public:
  // The five strings in the order they are checked.
  enum StringIndex { Start, Stop, Fail, Match, Reference, kStringCount };

  CConfigProcessInterfaceTab1(CVarnisDatamatrixDlg& dlg, CConfigProcessInterface& page);

  void LoadLanguageTexts();
  // The configuration just read into the controls.
  void ShowSettings();
  // 1 when a string holds a character that cannot be sent (tab 0 shown,
  // 9921, the edit focused with its text selected), else 0.
  int ValidateInput();
  // Tab 2's choices, the mode and the strings into the configuration, which
  // is written now; 0 done, -1 not (a bad string, or the write failed and
  // was shown).
  int ApplySettings();
  void OnModeChanged();
  void EnableModeStrings(bool enable);
  // The ASCII editor on one string; on OK the edit takes its result.
  void OnEditString(int which);

  // Mode item 0..6 (-1 nothing selected).
  int modeItem() const;
  QString string(int which) const;
  void SetString(int which, const QString& text);

  QComboBox* modeCombo() const { return mode_; }
  QComboBox* numerationCombo() const { return numeration_; }
  QComboBox* rdyOutCombo() const { return rdyOut_; }
  QLineEdit* edit(int which) const { return edits_[static_cast<std::size_t>(which)]; }
  QPushButton* editorButton(int which) const { return buttons_[static_cast<std::size_t>(which)]; }
  // The string the editor opened last (start .. reference), -1 none yet.
  int editedString() const { return editing_; }

  static constexpr int MaxLength(int which) { return which == Reference ? 256 : 32; }

protected:
  void showEvent(QShowEvent* event) override;

private:
  MainDialogState& state() const;
  void OnStringEdited(int which);
  bool StringFails(int which) const;
  void ShowExtendedRows();
  // The configuration's own string, decoded and cut.
  QString StoredString(int which) const;

  CVarnisDatamatrixDlg& dlg_;
  CConfigProcessInterface& page_;
  QComboBox* mode_ = nullptr;        // 1226
  QComboBox* numeration_ = nullptr;  // 1246
  QComboBox* rdyOut_ = nullptr;      // 1247
  QLabel* modeLabel_ = nullptr;        // 1088
  QLabel* numerationLabel_ = nullptr;  // 1244
  QLabel* rdyOutLabel_ = nullptr;      // 1245
  std::array<QLineEdit*, kStringCount> edits_{};      // 1119..1123
  std::array<QLabel*, kStringCount> labels_{};        // 1089..1093
  std::array<QPushButton*, kStringCount> buttons_{};  // 1125..1129
  int editing_ = -1;
};
