#pragma once
// The window's own result tables as the formatter's source: what the reply
// handler read of the last reading (records, texts, details, quality pairs)
// and the configuration it was read with (quality output, composite).
#include "view/result_source.h"

struct MainDialogState;

class StateResultSource : public ResultSource {
public:
  explicit StateResultSource(MainDialogState& state) : s_(state) {}

  int resultCount() const override;
  const ReadResultRecord& record(int slot) const override;
  QString preparedText(int slot) const override;
  const Ecc200ResultRecord* ecc200(int slot) const override;
  const Pdf417ResultRecord* pdf417(int slot) const override;
  const QrCodeResultRecord* qrCode(int slot) const override;
  const AztecResultRecord* aztec(int slot) const override;
  const QualitySettings* quality(int slot) const override;
  const QualitySettings* barcodeQuality(int slot) const override;
  int qualityOutput() const override;
  bool compositeOn() const override;
  void clearReadResults() override;
  void clearCodeResults() override;

private:
  MainDialogState& s_;
};
