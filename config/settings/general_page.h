#pragma once
// CGlobalSettings: tab 0 of the global settings: trigger debouncing, laser
// mode and the number of failed results the sensor keeps (1..100).
#include <QWidget>

class CGlobalSensorSettings;
class CNumSpinCtrl;
class QLabel;
class QLineEdit;
class QRadioButton;

class CGlobalSettings : public QWidget {
  Q_OBJECT
public:
  CGlobalSettings(CGlobalSensorSettings& dialog, QWidget* parent);

  void LoadLanguageTexts();
  void FillFromSensorGlobals();
  void Store();
  void EnableControls(bool enable);
  // The fail-results check on leaving the edit; false after message 6014.
  bool CheckFailResults();

  bool errorMark() const { return errorMark_; }
  void clearErrorMark() { errorMark_ = false; }
  QLineEdit* failResultsEdit() const { return failResults_; }

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  CGlobalSensorSettings& dialog_;
  CNumSpinCtrl* spin_ = nullptr;      // 1215
  QLineEdit* failResults_ = nullptr;  // 1214
  QRadioButton* laserOn_ = nullptr;   // 1043
  QRadioButton* laserOff_ = nullptr;  // 1044
  QRadioButton* debounceOn_ = nullptr;   // 1041
  QRadioButton* debounceOff_ = nullptr;  // 1042
  QLabel* labels_[4] = {};  // 1039, 1117, 1118, 1224
  QString accepted_ = QStringLiteral("1");  // the fail-results text last accepted
  bool errorMark_ = false;
};
