#pragma once
// CConfigCodeDefTab3QR: the code tab of QR Code, GS1 QR Code and Micro QR
// Code (told by the code type it is made for). Model type, symbol versions
// with the sizes that follow from them, position patterns, contrast, the
// words, strict model and the module geometry. Its values live in the main
// window's m_QRCodeSettings.
#include <memory>

#include "two_d_code_tab.h"

class CQRCodeGeometry;

class CConfigCodeDefTab3QR : public TwoDCodeTab {
  Q_OBJECT
public:
  enum Field { VersionMin, VersionMax, SizeMin, SizeMax, Patterns, Contrast };

  CConfigCodeDefTab3QR(CodeDefinitionContext& ctx, int codeType, QWidget* parent = nullptr);
  ~CConfigCodeDefTab3QR() override;

  std::uint8_t family() const override;
  int ReadCodeData() override;
  void ShowCodeData() override;
  int SendCodeData() override;
  int ValidateInput() override;
  bool micro() const { return micro_; }
  QComboBox* modelType() const { return model_; }
  CQRCodeGeometry* geometryDialog();

protected:
  void LoadFamilyTexts() override;
  int RunGeometry() override;
  bool CodeAt(int index, TaughtCode& out) const override;
  bool Accepts(const TaughtCode& code) const override;
  void ApplyCodes(const std::vector<TaughtCode>& codes) override;
  void RangeOf(int field, int& min, int& max, int& messageId) const override;
  void CheckField(int field) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  void UpdateSymbolSize(int end);
  void OnModelTypeChanged();
  // Version and size spins for the model value (1: model 1, else the larger range).
  void SetRangesForModel(int modelValue);
  void SelectModel(int modelValue);

  bool micro_ = false;
  QComboBox* model_ = nullptr;  // 1091
  std::unique_ptr<CQRCodeGeometry> geometryDialog_;
};

// Model list item <-> model value: "1" is 1, "2" is 2, the third (any) 0.
int QRModelOfItem(int item);
int QRItemOfModel(int model);
