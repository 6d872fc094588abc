#pragma once
// CConfigCodeDefTab3ECC200: the code tab of Data Matrix ECC 200 and GS1
// DataMatrix. Symbol columns and rows (even, 10..144 and 8..144), maximum
// slant (0..30 degrees), minimum contrast (1..100 %), polarity, mirroring,
// the strict model, the module geometry dialog, Teach and the two reverts.
// Its values live in the main window's m_Ecc200Settings.
#include <memory>

#include "two_d_code_tab.h"

class CECC200CodeGeometry;

class CConfigCodeDefTab3ECC200 : public TwoDCodeTab {
  Q_OBJECT
public:
  // The six edits in the order columns from, to, rows from, to, slant, contrast.
  enum Field { ColsMin, ColsMax, RowsMin, RowsMax, Slant, Contrast, kFields };

  explicit CConfigCodeDefTab3ECC200(CodeDefinitionContext& ctx, QWidget* parent = nullptr);
  ~CConfigCodeDefTab3ECC200() override;

  std::uint8_t family() const override;
  int ReadCodeData() override;
  void ShowCodeData() override;
  int SendCodeData() override;
  int ValidateInput() override;
  CECC200CodeGeometry* geometryDialog();

protected:
  int RunGeometry() override;
  bool CodeAt(int index, TaughtCode& out) const override;
  bool Accepts(const TaughtCode& code) const override;
  void ApplyCodes(const std::vector<TaughtCode>& codes) override;

private:
  std::unique_ptr<CECC200CodeGeometry> geometryDialog_;
};

// Slant: degrees to the radians the sensor keeps and back, with the
// conversion factor the sensor's tools have always used (3.14 for pi).
double SlantToRadians(int degrees);
int SlantToDegrees(double radians);
