#pragma once
// CConfigCodeDefTab3PDF417: the code tab of PDF417. Symbol columns (1..30)
// and rows (3..90), minimum contrast, polarity, mirroring, strict model and
// the module width and aspect dialog. Its values live in the main window's
// m_Pdf417Settings.
#include <memory>

#include "two_d_code_tab.h"

class CPDF417CodeGeometry;

class CConfigCodeDefTab3PDF417 : public TwoDCodeTab {
  Q_OBJECT
public:
  enum Field { ColsMin, ColsMax, RowsMin, RowsMax, Contrast };

  explicit CConfigCodeDefTab3PDF417(CodeDefinitionContext& ctx, QWidget* parent = nullptr);
  ~CConfigCodeDefTab3PDF417() override;

  std::uint8_t family() const override;
  int ReadCodeData() override;
  void ShowCodeData() override;
  int SendCodeData() override;
  int ValidateInput() override;
  CPDF417CodeGeometry* geometryDialog();

protected:
  int RunGeometry() override;
  bool CodeAt(int index, TaughtCode& out) const override;
  bool Accepts(const TaughtCode& code) const override;
  void ApplyCodes(const std::vector<TaughtCode>& codes) override;

private:
  std::unique_ptr<CPDF417CodeGeometry> geometryDialog_;
};
