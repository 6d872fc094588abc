#include "core/main_dialog_state.h"

#include "program/state_result_source.h"

#include <memory>
#include <variant>

#include "view/result_source.h"
#include "view/test_results.h"
#include "window/main_window.h"

namespace {

class StateResultSource : public ResultSource {
public:
  explicit StateResultSource(MainDialogState& state) : s_(state) {}

  int resultCount() const override { return s_.m_nReadCount; }
  const ReadResultRecord& record(int slot) const override { return s_.m_ReadResults[At(slot)]; }
  QString preparedText(int slot) const override { return QString::fromStdString(s_.m_ResultTexts[At(slot)]); }
  const Ecc200ResultRecord* ecc200(int slot) const override { return Detail<Ecc200ResultRecord>(slot); }
  const Pdf417ResultRecord* pdf417(int slot) const override { return Detail<Pdf417ResultRecord>(slot); }
  const QrCodeResultRecord* qrCode(int slot) const override { return Detail<QrCodeResultRecord>(slot); }
  const AztecResultRecord* aztec(int slot) const override { return Detail<AztecResultRecord>(slot); }
  const QualitySettings* quality(int slot) const override { return &s_.m_CodeQuality[At(slot)]; }
  const QualitySettings* barcodeQuality(int slot) const override { return &s_.m_BarcodeQuality[At(slot)]; }
  int qualityOutput() const override { return s_.m_Configuration.processInterface.Append2dQuality; }
  bool compositeOn() const override { return s_.m_Configuration.barCode.CompositeComponentUsage != 0; }
  // The texts go before a new reading; records and details of slots it
  // does not reach keep the earlier reading's, as the formatter expects.
  void clearReadResults() override {
    for (std::string& text : s_.m_ResultTexts) text.clear();
  }

private:
  static std::size_t At(int slot) { return static_cast<std::size_t>(slot); }
  template <typename Record>
  const Record* Detail(int slot) const {
    return std::get_if<Record>(&s_.m_CodeResults[At(slot)]);
  }

  MainDialogState& s_;
};

}  // namespace

void PlugReadingTables(CVarnisDatamatrixDlg& window) {
  if (auto* results = dynamic_cast<CTestResults*>(window.panels().results.get()))
    results->setSource(std::make_unique<StateResultSource>(window.state()));
}
