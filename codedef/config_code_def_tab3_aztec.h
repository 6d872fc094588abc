#pragma once
// CConfigCodeDefTab3Aztec: the code tab of Aztec Code and GS1 Aztec Code.
// The symbol size range as a choice from the 34 Aztec sizes, contrast, the
// words, strict model and the module geometry. Its values live in the main
// window's m_AztecSettings.
#include <memory>

#include "two_d_code_tab.h"

class CAztecCodeGeometry;

class CConfigCodeDefTab3Aztec : public TwoDCodeTab {
  Q_OBJECT
public:
  enum Field { Contrast };

  explicit CConfigCodeDefTab3Aztec(CodeDefinitionContext& ctx, QWidget* parent = nullptr);
  ~CConfigCodeDefTab3Aztec() override;

  std::uint8_t family() const override;
  int ReadCodeData() override;
  void ShowCodeData() override;
  int SendCodeData() override;
  int ValidateInput() override;
  QComboBox* sizeFrom() const { return sizes_[0]; }
  QComboBox* sizeTo() const { return sizes_[1]; }
  CAztecCodeGeometry* geometryDialog();

protected:
  int RunGeometry() override;
  bool CodeAt(int index, TaughtCode& out) const override;
  bool Accepts(const TaughtCode& code) const override;
  void ApplyCodes(const std::vector<TaughtCode>& codes) override;

private:
  // The item of exactly that size; a size not in the list leaves the selection.
  void SelectSize(QComboBox* list, int size);

  QComboBox* sizes_[2] = {};  // 1091 from, 1092 to
  std::unique_ptr<CAztecCodeGeometry> geometryDialog_;
};

// The 34 Aztec symbol sizes (modules per side), ascending.
std::vector<int> AztecSymbolSizes();
