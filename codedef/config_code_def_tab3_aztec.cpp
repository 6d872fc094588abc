#include "config_code_def_tab3_aztec.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <algorithm>

#include "code_geometry_dialog.h"
#include "core/code_types.h"
#include "core/main_dialog_state.h"
#include "core/sensor_command.h"
#include "records/config_list_info.h"

std::vector<int> AztecSymbolSizes() {
  std::vector<int> sizes;
  for (int v = 11; v < 152; v += 4) {
    // Compact and full-range symbols do not share the sizes between.
    if (v == 35 || v == 65 || v == 99 || v == 129) v += 2;
    sizes.push_back(v);
  }
  return sizes;
}

CConfigCodeDefTab3Aztec::CConfigCodeDefTab3Aztec(CodeDefinitionContext& ctx, QWidget* parent)
    : TwoDCodeTab(ctx, 20009, parent) {
  AddField(1109, 1110, 1, 100, 3, 9891, 30);
  AddWordRows();
  for (int i = 0; i < 2; ++i) {
    sizes_[i] = new QComboBox(this);
    sizes_[i]->setObjectName(QStringLiteral("id%1").arg(1091 + i));
    for (int size : AztecSymbolSizes()) sizes_[i]->addItem(QString::number(size));
    sizes_[i]->setCurrentIndex(0);
  }
  grid_->addWidget(AddLabel(7132), row_, 0);
  grid_->addWidget(sizes_[0], row_, 1, 1, 2);
  grid_->addWidget(AddLabel(7118), row_, 3);
  grid_->addWidget(sizes_[1], row_, 4, 1, 2);
  ++row_;
  AddFieldRow(7123, Contrast);
  AddCommonRows(1194);
  FinishSetup({sizes_[0], sizes_[1]});
}

CConfigCodeDefTab3Aztec::~CConfigCodeDefTab3Aztec() = default;

std::uint8_t CConfigCodeDefTab3Aztec::family() const { return CODE_FLAG_AZTEC; }

int CConfigCodeDefTab3Aztec::ReadCodeData() {
  MainDialogState& s = ctx_.state();
  return CConfigListInfo::GetInstance()->ReadAztecData(s.m_AztecData, s.m_AztecSettings);
}

void CConfigCodeDefTab3Aztec::SelectSize(QComboBox* list, int size) {
  const int item = list->findText(QString::number(size), Qt::MatchExactly);
  if (item >= 0) list->setCurrentIndex(item);
}

void CConfigCodeDefTab3Aztec::ShowCodeData() {
  const AztecSettings& b = ctx_.state().m_AztecSettings;
  showing_ = true;
  ShowWords(b.polarity, b.mirrored, b.strict_model);
  SelectSize(sizes_[0], b.symbol_size_min);
  SelectSize(sizes_[1], b.symbol_size_max);
  fields_[Contrast].value = b.contrast_min;
  DataToControls();
  showing_ = false;
  ShowRevertMessage();
}

int CConfigCodeDefTab3Aztec::SendCodeData() {
  MainDialogState& s = ctx_.state();
  ControlsToData();
  AztecSettings& b = s.m_AztecSettings;
  StoreWords(b.polarity, b.mirrored, b.strict_model);
  b.symbol_size_min = sizes_[0]->currentText().toInt();
  b.symbol_size_max = sizes_[1]->currentText().toInt();
  b.contrast_min = fields_[Contrast].value;
  s.m_bBusy = 1;
  return PostWritten(CConfigListInfo::GetInstance()->WriteAztecData(s.m_AztecData, b), CMD_SET_AZTEC_DATA);
}

int CConfigCodeDefTab3Aztec::ValidateInput() {
  ControlsToData();
  if (CheckEmpty({Contrast}) != 0 || CheckRanges({{Contrast, 1}}) != 0) return -1;
  return CheckOrder(sizes_[0]->currentText().toInt(), sizes_[1]->currentText().toInt(), sizes_[0]) ? 0 : -1;
}

CAztecCodeGeometry* CConfigCodeDefTab3Aztec::geometryDialog() { return OwnedDialog(geometryDialog_); }

int CConfigCodeDefTab3Aztec::RunGeometry() { return ShowAndRun(geometryDialog()); }

// An Aztec result: the symbol size first.
bool CConfigCodeDefTab3Aztec::CodeAt(int index, TaughtCode& out) const {
  const auto* r = ResultAt<AztecResultRecord>(index);
  if (r == nullptr) return false;
  out = Taught(*r, {r->ints3[0], 0, 0, 0});
  return true;
}

// The lists hold the Aztec sizes only.
bool CConfigCodeDefTab3Aztec::Accepts(const TaughtCode& code) const {
  return sizes_[0]->findText(QString::number(code.values[0]), Qt::MatchExactly) >= 0;
}

void CConfigCodeDefTab3Aztec::ApplyCodes(const std::vector<TaughtCode>& codes) {
  const auto [small, big] = std::minmax_element(
      codes.begin(), codes.end(), [](const TaughtCode& a, const TaughtCode& b) { return a.values[0] < b.values[0]; });
  SelectSize(sizes_[0], small->values[0]);
  SelectSize(sizes_[1], big->values[0]);
}
