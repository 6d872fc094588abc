#pragma once
// CConfigProcessInterfaceTab2: tab 1 of the process-interface page, what
// the result telegram carries: content description, configuration number,
// code position, symbology identifier, image type and output, and the
// quality output with its parameters (Quality...).
#include <QWidget>

class CVarnisDatamatrixDlg;
class QComboBox;
class QLabel;
class QPushButton;
struct MainDialogState;

class CConfigProcessInterfaceTab2 : public QWidget {
  Q_OBJECT
public:
  explicit CConfigProcessInterfaceTab2(CVarnisDatamatrixDlg& dlg);

  void LoadLanguageTexts();
  // The configuration just read into the controls; with a stored quality
  // output the family's quality parameters are fetched.
  void ShowSettings();
  // The lists into the configuration; 0.
  int StoreSettings();
  // The quality output as the list holds it: 0, 1 or 3 (0 while the code
  // type cannot have it).
  int QualityOutputValue() const;
  // The quality output into the configuration and, when it is on, its
  // parameters to the sensor (the family's set posted). Nothing is sent for
  // a family whose list the sensor never gave.
  void ApplyQualityOutput(int codeType);
  void EnableQualityButton(bool enable);
  // Quality... (1252): the parameter dialog over the family's parameters.
  void OnQuality();

  QComboBox* qualityCombo() const { return quality_; }
  QComboBox* contentCombo() const { return content_; }
  QComboBox* configNumberCombo() const { return configNumber_; }
  QComboBox* codePositionCombo() const { return codePosition_; }
  QComboBox* symbologyCombo() const { return symbology_; }
  QComboBox* imageOutputCombo() const { return imageOutput_; }
  QComboBox* imageTypeCombo() const { return imageType_; }
  QPushButton* qualityButton() const { return qualityButton_; }

private:
  MainDialogState& state() const;
  bool QualityAllowed() const;
  void OnQualityChanged();

  CVarnisDatamatrixDlg& dlg_;
  QComboBox* quality_ = nullptr;       // 1234
  QComboBox* content_ = nullptr;       // 1227
  QComboBox* configNumber_ = nullptr;  // 1228
  QComboBox* codePosition_ = nullptr;  // 1229
  QComboBox* symbology_ = nullptr;     // 1237
  QComboBox* imageOutput_ = nullptr;   // 1238
  QComboBox* imageType_ = nullptr;     // 1231
  QPushButton* qualityButton_ = nullptr;  // 1252
  QLabel* contentLabel_ = nullptr;        // 1094
  QLabel* configNumberLabel_ = nullptr;   // 1258
  QLabel* codePositionLabel_ = nullptr;   // 1259
  QLabel* symbologyLabel_ = nullptr;      // 1254
  QLabel* imageOutputLabel_ = nullptr;    // 1236
  QLabel* imageTypeLabel_ = nullptr;      // 1235
};
