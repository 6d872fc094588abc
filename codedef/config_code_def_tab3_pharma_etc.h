#pragma once
// CConfigCodeDefTab3PharmaEtc: the code tab of every bar code (EAN/UPC, 2/5,
// Code 39/93/128, Codabar, PharmaCode, MSI, GS1-128, GS1 DataBar). Element
// widths, the minimum height or "Automatic", character counts (not for
// EAN/UPC), reading direction (PharmaCode), and with the extended
// configuration the GS1 composite component and its separator, which live
// in the configuration itself. Its values: m_Configuration.barCode.
#include <array>

#include "code_tab.h"

class CNumSpinCtrl;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

class CConfigCodeDefTab3PharmaEtc : public CodeTab {
  Q_OBJECT
public:
  enum Field { WidthMin, WidthMax, Height, CharsMin, CharsMax, kFields };

  CConfigCodeDefTab3PharmaEtc(CodeDefinitionContext& ctx, int codeType, QWidget* parent = nullptr);
  ~CConfigCodeDefTab3PharmaEtc() override;

  std::uint8_t family() const override;
  void LoadLanguageTexts() override;
  int ReadCodeData() override;
  void ShowCodeData() override;
  // With the extended configuration the composite choice goes with the data.
  int SendCodeData() override;
  int ValidateInput() override;
  void EnableControls(bool on) override;
  void ShowCompositeSettings() override;
  int ValidateCompositeSeparator();
  void StoreCompositeSettings(bool setPosted);
  void OnSeparatorButton();

  QLineEdit* edit(Field f) const { return fields_[f].edit; }
  CNumSpinCtrl* spin(Field f) const { return fields_[f].spin; }
  QCheckBox* automatic() const { return automatic_; }
  QComboBox* direction() const { return direction_; }
  QComboBox* composite() const { return composite_; }
  QLineEdit* separator() const { return separator_; }
  QPushButton* separatorButton() const { return separatorButton_; }

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  struct FieldInfo {
    QLineEdit* edit = nullptr;
    CNumSpinCtrl* spin = nullptr;
    QLabel* label = nullptr;
    double min = 0;
    double max = 0;
    double value = 0;  // the dialog data
    double reset = 0;
    int messageId = 0;
    int decimals = 0;
  };
  void SetField(Field f, double v);
  void DataToControls();
  void ControlsToData();
  void CheckField(Field f);
  void FilterWidth(Field f);
  void OnCompositeChanged(int index);
  void OnSeparatorEdited();
  void UpdateEnabling(bool on);
  QString FieldText(Field f, double v) const;
  double FieldValue(Field f) const;

  int codeType_ = 0;
  std::array<FieldInfo, kFields> fields_;
  QCheckBox* automatic_ = nullptr;     // 1227
  QComboBox* direction_ = nullptr;     // 1219
  QComboBox* composite_ = nullptr;     // 1247
  QLineEdit* separator_ = nullptr;     // 1250
  QPushButton* separatorButton_ = nullptr;  // 1251
  QLabel* directionLabel_ = nullptr;
  QLabel* compositeLabel_ = nullptr;
  QLabel* separatorLabel_ = nullptr;
  bool filtering_ = false;
};
