#pragma once
// CConfigCodeDefinitionTab1: tab 0 of the code definition page. The code
// type (1086), the recognition mode (radios 1192 standard, 1193 enhanced,
// 1058 optimised), codes per image (1168, 1..10) and the maximum decoding
// time (1169, 10..5000 ms), and Auto Detect (1084), which lets the sensor
// find the code type itself. Its values go into the main window's code
// definition (m_nCodeType ... and the typed configuration).
#include <QWidget>

#include "code_definition_context.h"

class CButtonDraw;
class CNumSpinCtrl;
class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;

class CConfigCodeDefinitionTab1 : public QWidget {
  Q_OBJECT
public:
  explicit CConfigCodeDefinitionTab1(CodeDefinitionContext& ctx, QWidget* parent = nullptr);

  void LoadLanguageTexts();
  void UpdateCodeTypeList();
  void ShowSettings();
  void EnableRecognitionButtons(bool on);
  // 0 valid, 1 invalid (the bad field has the focus).
  int ValidateInput();
  // The code type's list change, the radios, Auto Detect and its result.
  void OnCodeTypeChanged();
  void OnRecognitionClicked(int mode);
  void OnAutoDetect();
  void ShowAutoDetectResult();
  // Stores the tab and writes the configuration (the code-type change):
  // the selection, 0 when nothing stored, -1 when the write failed.
  int StoreAndSend();
  // The page's ApplyTab1.
  void Apply();
  // ReadTab1Selection: the choices into the main window without a write.
  void ReadSelection();
  // The page's switches of this tab's controls.
  void EnableControls(bool on);
  void EnableAutoDetect(bool on);
  void EnableOptimised(bool on);
  void ShowAutoDetectPressed(bool down);

  int codeTypeIndex() const;
  QString codeTypeText() const;
  bool optimisedChecked() const;
  bool errorPending() const { return errorPending_; }
  void setErrorPending(bool pending) { errorPending_ = pending; }
  // Focus on codes per image with its first n characters selected; on the list.
  void FocusCodesPerImage(int selected);
  void FocusCodeTypeList();

  QComboBox* codeTypeList() const { return list_; }
  QLineEdit* codesEdit() const { return codes_; }
  QLineEdit* timeEdit() const { return time_; }
  CButtonDraw* autoDetectButton() const { return autoDetect_; }
  QRadioButton* radio(int mode) const { return radios_[mode]; }

  // The failed reply of the detection: the controls its start switched off come back.
  void AutoDetectFailed();
  // Both edits checked as on leaving them; false after a message.
  bool CheckEditsNow();

protected:
  // The family tabs' key and mouse filter (code_tab_keys.h).
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  struct Choices {
    int codeType = 0;
    int mode = 0;
    int codes = 0;
    int time = 0;
  };
  Choices ReadChoices() const;
  void Store(int codeType, int mode, int codes, int time);
  bool CheckEdit(QLineEdit* edit, int min, int max, int messageId, bool codesPerImage);
  int CheckRange(QLineEdit* edit, int value, int min, int max);
  void FillList();
  void ShowCodeTypeName();
  void SetModified(bool on) { modified_ = on; }
  bool Exempt(QWidget* to) const;
  void EndAutoDetect();

  CodeDefinitionContext& ctx_;
  CButtonDraw* autoDetect_ = nullptr;
  QComboBox* list_ = nullptr;
  QRadioButton* radios_[3] = {};
  QLabel* codesLabel_ = nullptr;
  QLineEdit* codes_ = nullptr;
  CNumSpinCtrl* codesSpin_ = nullptr;
  QLabel* timeLabel_ = nullptr;
  QLineEdit* time_ = nullptr;
  CNumSpinCtrl* timeSpin_ = nullptr;
  QLabel* msLabel_ = nullptr;
  // The dialog data: the last accepted values of the two edits.
  int codesValue_ = 1;
  int timeValue_ = 5000;
  bool modified_ = false;  // set by Auto Detect until stored
  bool errorPending_ = false;
  bool filling_ = false;   // the list is refilled: no change handling
};
