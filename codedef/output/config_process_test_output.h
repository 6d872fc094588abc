#pragma once
// CConfigProcessTestOutput: the process interface's test output. The sensor
// sends its test, fail and match telegrams (each after the page's settings
// were written), and a regular expression is tried against a good-reading
// string; OK hands expression and string back to tab 1 as reference code
// and match string and keeps the expression in the history of 15.
// The process-interface page owns one, keeps it for its lifetime (the
// selected history entry carries over between runs), runs it from its Test
// output button and forwards the reply to the regex test (ShowRegexResult).
#include <QDialog>
#include <QString>

class CVarnisDatamatrixDlg;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
struct ProcessTestHost;

class CConfigProcessTestOutput : public QDialog {
  Q_OBJECT
public:
  CConfigProcessTestOutput(CVarnisDatamatrixDlg& dlg, ProcessTestHost& host);
  ~CConfigProcessTestOutput() override;

  // The modal run through the program's prompt; its result.
  int Run();
  // The reply to the regex test: non-zero when the sensor found a match
  // (its text is the main window's m_strRegexResult).
  void ShowRegexResult(int matched);

  void accept() override;  // OnOK
  void reject() override;  // Cancel, Escape, the close box: ignored while busy

  // Controls by their ids: buttons 1, 2, 1114..1117; combos 1234, 1235;
  // edit 1238; result 1240.
  QPushButton* button(int id) const;
  QComboBox* expressionCombo() const { return expressions_; }
  QComboBox* matchAgainstCombo() const { return matchAgainst_; }
  QLineEdit* goodReadingEdit() const { return goodReading_; }
  QLabel* resultLabel() const { return result_; }
  bool noMatch() const { return m_bNoMatch != 0; }
  int selectedExpression() const { return m_nSelectedExpression; }

private:
  void OnInitDialog();
  void LoadLanguageTexts();
  void FillLists();
  void EnableRegexControls(bool on);
  void Transmit(int command);
  void OnApplyRegex();
  void CollectRegexInputs();
  void OnExpressionSelected(int index);
  void OnMatchAgainstSelected(int index);
  void UpdateResult();
  // 1 when a text holds control characters (9921 shown, its control focused).
  int ValidateTexts();
  // True when a text is too long (8209 or 8208 shown, its control focused).
  bool CheckLengths();
  bool Refuse(int message, QWidget* control);

  CVarnisDatamatrixDlg& dlg_;
  ProcessTestHost& host_;

  QLineEdit* goodReading_ = nullptr;     // 1238
  QComboBox* matchAgainst_ = nullptr;    // 1235
  QComboBox* expressions_ = nullptr;     // 1234
  QString m_strResult;                   // static 1240
  int m_nSelectedExpression = -1;        // item of 1234 last chosen or appended
  int m_bNoMatch = 0;
  QString m_strSelectedExpression;

  QGroupBox* transmitBox_ = nullptr;  // 1260
  QGroupBox* regexBox_ = nullptr;     // 1261
  QPushButton* testData_ = nullptr;   // 1114
  QPushButton* failData_ = nullptr;   // 1115
  QPushButton* matchData_ = nullptr;  // 1116
  QPushButton* applyRegex_ = nullptr; // 1117
  QLabel* expressionLabel_ = nullptr;   // 1236
  QLabel* goodReadingLabel_ = nullptr;  // 1237
  QLabel* matchAgainstLabel_ = nullptr; // 1239
  QLabel* resultTitle_ = nullptr;       // 1241
  QLabel* result_ = nullptr;            // 1240
  QPushButton* ok_ = nullptr;
  QPushButton* cancel_ = nullptr;
  QWidget* previousOwner_ = nullptr;
};
