#include "view/state_result_source.h"

#include <algorithm>
#include <variant>

#include "core/main_dialog_state.h"

// Qt's keyword macro `slots` must not meet the quality record's member.
#undef slots

namespace {

std::size_t Index(int slot) { return static_cast<std::size_t>(std::clamp(slot, 0, ResultSource::kSlots - 1)); }

template <class Record>
const Record* DetailAs(const std::vector<CodeResultRecord>& table, int slot) {
  const std::size_t k = Index(slot);
  return k < table.size() ? std::get_if<Record>(&table[k]) : nullptr;
}

}  // namespace

int StateResultSource::resultCount() const { return s_.m_nReadCount; }

const ReadResultRecord& StateResultSource::record(int slot) const { return s_.m_ReadResults[Index(slot)]; }

QString StateResultSource::preparedText(int slot) const {
  const std::string& text = s_.m_ResultTexts[Index(slot)];
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

const Ecc200ResultRecord* StateResultSource::ecc200(int slot) const {
  return DetailAs<Ecc200ResultRecord>(s_.m_CodeResults, slot);
}
const Pdf417ResultRecord* StateResultSource::pdf417(int slot) const {
  return DetailAs<Pdf417ResultRecord>(s_.m_CodeResults, slot);
}
const QrCodeResultRecord* StateResultSource::qrCode(int slot) const {
  return DetailAs<QrCodeResultRecord>(s_.m_CodeResults, slot);
}
const AztecResultRecord* StateResultSource::aztec(int slot) const {
  return DetailAs<AztecResultRecord>(s_.m_CodeResults, slot);
}

const QualitySettings* StateResultSource::quality(int slot) const { return &s_.m_CodeQuality[Index(slot)]; }
const QualitySettings* StateResultSource::barcodeQuality(int slot) const { return &s_.m_BarcodeQuality[Index(slot)]; }

// The configuration's quality output travels as its "Append2dQuality" item.
int StateResultSource::qualityOutput() const { return s_.m_Configuration.processInterface.Append2dQuality; }

bool StateResultSource::compositeOn() const { return s_.m_Configuration.barCode.CompositeComponentUsage != 0; }

void StateResultSource::clearReadResults() {
  std::fill(s_.m_ReadResults.begin(), s_.m_ReadResults.end(), ReadResultRecord{});
  std::fill(s_.m_ResultCodeTypes.begin(), s_.m_ResultCodeTypes.end(), 0);
  for (std::string& text : s_.m_ResultTexts) text.clear();
}

// No detail, and every quality pair unmarked without a value.
void StateResultSource::clearCodeResults() {
  for (CodeResultRecord& detail : s_.m_CodeResults) detail = std::monostate{};
  for (auto* table : {&s_.m_CodeQuality, &s_.m_BarcodeQuality})
    for (QualitySettings& q : *table)
      for (QualityPair& pair : q.slots) pair = QualityPair{0, -1};
}
