#pragma once
// CConfigCodeDefTab3ECC200: the code tab of Data Matrix ECC 200 and GS1
// DataMatrix. Symbol columns and rows (even, 10..144 and 8..144), maximum
// slant (0..30 degrees), minimum contrast (1..100 %), polarity, mirroring,
// the strict model, the module geometry dialog, Teach and the two reverts.
// Its values live in the main window's m_Ecc200Settings.
#include <array>
#include <memory>

#include "code_tab.h"

class CButtonDraw;
class CECC200CodeGeometry;
class CNumSpinCtrl;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

class CConfigCodeDefTab3ECC200 : public CodeTab {
  Q_OBJECT
public:
  explicit CConfigCodeDefTab3ECC200(CodeDefinitionContext& ctx, QWidget* parent = nullptr);
  ~CConfigCodeDefTab3ECC200() override;

  std::uint8_t family() const override;
  void LoadLanguageTexts() override;
  int ReadCodeData() override;
  void ShowCodeData() override;
  int SendCodeData() override;
  int ValidateInput() override;
  void EnableControls(bool on) override;
  void UseCodeProperties(int resultIndex) override;
  void EnableTeach(bool on) override;
  void Teach();
  void OnRevert(int kind);
  void OnModuleGeometry();

  // The six edits in the order columns from, to, rows from, to, slant, contrast.
  enum Field { ColsMin, ColsMax, RowsMin, RowsMax, Slant, Contrast, kFields };
  QLineEdit* edit(Field f) const { return fields_[f].edit; }
  QComboBox* polarity() const { return polarity_; }
  QComboBox* mirror() const { return mirror_; }
  QCheckBox* strictModel() const { return strict_; }
  QPushButton* teachButton() const { return teach_; }
  CButtonDraw* revertButton(int kind) const { return revert_[kind]; }
  CECC200CodeGeometry* geometryDialog();

private:
  struct FieldInfo {
    QLineEdit* edit = nullptr;
    CNumSpinCtrl* spin = nullptr;
    int min = 0;
    int max = 0;
    int messageId = 0;
    int value = 0;  // the dialog data
  };
  int CheckRange(Field f, int value);
  void CheckField(Field f);
  void DataToControls();
  void ControlsToData();
  bool Exempt(QWidget* to) const;

  std::array<FieldInfo, kFields> fields_;
  QComboBox* polarity_ = nullptr;  // 1089
  QComboBox* mirror_ = nullptr;    // 1090
  QCheckBox* strict_ = nullptr;    // 1194
  QPushButton* geometry_ = nullptr;  // 32863
  QPushButton* teach_ = nullptr;     // 1112
  std::array<CButtonDraw*, 2> revert_{};  // 1106 standard, 1111 enhanced
  std::array<bool, 2> revertPressed_{};
  QList<QLabel*> labels_;
  std::unique_ptr<CECC200CodeGeometry> geometryDialog_;
};

// Slant: degrees to the radians the sensor keeps and back, with the
// conversion factor the sensor's tools have always used (3.14 for pi).
double SlantToRadians(int degrees);
int SlantToDegrees(double radians);
