#include "config_code_def_tab3_pdf417.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <algorithm>

#include "code_geometry_dialog.h"
#include "core/code_types.h"
#include "core/main_dialog_state.h"
#include "core/sensor_command.h"
#include "records/pdf417_params.h"

CConfigCodeDefTab3PDF417::CConfigCodeDefTab3PDF417(CodeDefinitionContext& ctx, QWidget* parent)
    : TwoDCodeTab(ctx, 1053, parent) {
  AddField(1088, 1087, 1, 30, 2, 9870, 1);
  AddField(1091, 1092, 1, 30, 2, 9871, 20);
  AddField(1093, 1094, 3, 90, 2, 9872, 3);
  AddField(1095, 1096, 3, 90, 2, 9873, 45);
  AddField(1109, 1110, 1, 100, 3, 9878, 30);
  AddWordRows();
  AddFieldRow(7116, ColsMin, ColsMax);
  AddFieldRow(7117, RowsMin, RowsMax);
  AddFieldRow(7123, Contrast);
  AddCommonRows(1195);
  FinishSetup();
}

CConfigCodeDefTab3PDF417::~CConfigCodeDefTab3PDF417() = default;

std::uint8_t CConfigCodeDefTab3PDF417::family() const { return CODE_FLAG_PDF417; }

int CConfigCodeDefTab3PDF417::ReadCodeData() {
  MainDialogState& s = ctx_.state();
  return CPdf417Params::GetInstance()->Extract(s.m_PDF417Data, s.m_Pdf417Settings);
}

void CConfigCodeDefTab3PDF417::ShowCodeData() {
  const PDF417Settings& b = ctx_.state().m_Pdf417Settings;
  showing_ = true;
  ShowWords(b.polarity, b.mirrored, b.strict_model);
  fields_[ColsMin].value = b.symbol_cols_min;
  fields_[ColsMax].value = b.symbol_cols_max;
  fields_[RowsMin].value = b.symbol_rows_min;
  fields_[RowsMax].value = b.symbol_rows_max;
  fields_[Contrast].value = b.contrast_min;
  DataToControls();
  showing_ = false;
  ShowRevertMessage();
}

int CConfigCodeDefTab3PDF417::SendCodeData() {
  MainDialogState& s = ctx_.state();
  ControlsToData();
  PDF417Settings& b = s.m_Pdf417Settings;
  StoreWords(b.polarity, b.mirrored, b.strict_model);
  b.symbol_cols_min = fields_[ColsMin].value;
  b.symbol_cols_max = fields_[ColsMax].value;
  b.symbol_rows_min = fields_[RowsMin].value;
  b.symbol_rows_max = fields_[RowsMax].value;
  b.contrast_min = fields_[Contrast].value;
  s.m_bBusy = 1;
  return PostWritten(CPdf417Params::GetInstance()->WriteParams(s.m_PDF417Data, b), CMD_SET_PDF417_DATA);
}

int CConfigCodeDefTab3PDF417::ValidateInput() {
  ControlsToData();
  if (CheckEmpty({ColsMin, ColsMax, RowsMin, RowsMax, Contrast}) != 0) return -1;
  if (CheckRanges({{ColsMin, 1}, {ColsMax, 1}, {RowsMin, 3}, {RowsMax, 3}, {Contrast, 1}}) != 0) return -1;
  ControlsToData();
  if (!CheckOrder(value(ColsMin), value(ColsMax), edit(ColsMin))) return -1;
  if (!CheckOrder(value(RowsMin), value(RowsMax), edit(RowsMin))) return -1;
  return 0;
}

CPDF417CodeGeometry* CConfigCodeDefTab3PDF417::geometryDialog() { return OwnedDialog(geometryDialog_); }

int CConfigCodeDefTab3PDF417::RunGeometry() { return ShowAndRun(geometryDialog()); }

// A PDF417 result: rows, then columns.
bool CConfigCodeDefTab3PDF417::CodeAt(int index, TaughtCode& out) const {
  const auto* r = ResultAt<Pdf417ResultRecord>(index);
  if (r == nullptr) return false;
  out = Taught(*r, {r->ints3[1], r->ints3[0], 0, 0});
  return true;
}

bool CConfigCodeDefTab3PDF417::Accepts(const TaughtCode& code) const {
  return FitsField(ColsMin, code.values[0]) && FitsField(RowsMin, code.values[1]);
}

void CConfigCodeDefTab3PDF417::ApplyCodes(const std::vector<TaughtCode>& codes) {
  ApplyRange(codes, 0, ColsMin, ColsMax);
  ApplyRange(codes, 1, RowsMin, RowsMax);
}
