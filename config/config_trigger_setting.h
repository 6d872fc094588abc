#pragma once
// CConfigTriggerSetting: the trigger tab of the image-quality page. Source,
// trigger window, N good readings within T ms, and the trigger test. A change
// of the source or of the window box is written to the sensor at once through
// the writer the composition root hands in (the code definition's).
#include <QWidget>
#include <functional>

#include "services/config_services.h"

class CButtonDraw;
struct MainDialogState;
class CNumSpinCtrl;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;

class CConfigTriggerSetting : public QWidget, public TriggerSettingsService {
  Q_OBJECT
public:
  // 0 written, else the status (already shown).
  using Writer = std::function<int(CVarnisDatamatrixDlg&)>;

  explicit CConfigTriggerSetting(Writer write, QWidget* parent = nullptr);
  ~CConfigTriggerSetting() override;
  // The live page, for the pages that reach it (null when none).
  static CConfigTriggerSetting* instance();

  void Attach(CVarnisDatamatrixDlg& dlg) override;
  QWidget* widget() override { return this; }
  void ReloadTexts() override { LoadLanguageTexts(); }
  void FillFromConfig() override;
  int ValidateInput() override;
  void RestoreControls() override;
  bool testRunning() const override;
  void OnCommandFailed(int command) override;

  void Store() override;
  void EnableWindowFields(bool on);
  void FillTriggerSourceCombo() override;
  void ForgetTypedInput() override { typed_ = false; }
  void LoadLanguageTexts();

  QComboBox* sourceCombo() const { return source_; }
  QCheckBox* windowBox() const { return window_; }
  QLineEdit* nEdit() const { return n_; }
  QLineEdit* tEdit() const { return t_; }
  CNumSpinCtrl* nSpin() const { return nSpin_; }
  CNumSpinCtrl* tSpin() const { return tSpin_; }
  CButtonDraw* testButton() const { return test_; }
  bool rangeError() const { return rangeError_; }

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  void OnTestTrigger();
  void OnUseTriggerWindow();
  void OnSourceChange();
  // The check of an edit the focus left; false when it was reset.
  bool CheckField(QLineEdit* edit);
  void WriteNow();
  void LockForTest();
  bool windowAllowed() const;
  void ShowWindowBox(bool allowed);
  MainDialogState& state() const;

  Writer write_;
  CVarnisDatamatrixDlg* dlg_ = nullptr;
  QLineEdit* n_ = nullptr;
  QLineEdit* t_ = nullptr;
  QCheckBox* window_ = nullptr;
  CButtonDraw* test_ = nullptr;
  CNumSpinCtrl* nSpin_ = nullptr;
  CNumSpinCtrl* tSpin_ = nullptr;
  QComboBox* source_ = nullptr;
  QLabel* labels_[5] = {};
  bool rangeError_ = false;
  int stateBeforeTest_ = 0;
  bool checking_ = false;
  bool filling_ = false;
  bool writing_ = false;  // a change waits for the sensor
  // N or T typed (or stepped) and not yet stored: a configuration read
  // (a lighting change's read-back) leaves them as typed.
  bool typed_ = false;
  QMetaObject::Connection focusWatch_;
};
