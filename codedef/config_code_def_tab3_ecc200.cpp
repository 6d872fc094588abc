#include "config_code_def_tab3_ecc200.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <cmath>

#include "code_geometry_dialog.h"
#include "core/code_types.h"
#include "core/main_dialog_state.h"
#include "core/sensor_command.h"
#include "records/config_list_info.h"

namespace {

constexpr double kDegreesToRadians = 0.017444444444444446;  // 3.14 / 180
constexpr double kRadiansToDegrees = 57.324840764331206;    // 180 / 3.14

}  // namespace

double SlantToRadians(int degrees) { return degrees * kDegreesToRadians; }

// The wire keeps six decimals: 30 degrees come back as 0.523333 radians,
// 29.99998 degrees, which must still read 30.
int SlantToDegrees(double radians) { return static_cast<int>(std::trunc(radians * kRadiansToDegrees + 1e-4)); }

CConfigCodeDefTab3ECC200::CConfigCodeDefTab3ECC200(CodeDefinitionContext& ctx, QWidget* parent)
    : TwoDCodeTab(ctx, 1052, parent) {
  rules_.mirrorAnyText = 7107;
  rules_.emptyStrictIsYes = true;
  rules_.refuseEmptyField = true;
  rules_.repeatRevertMessage = false;
  rules_.noMirrorSelectionIsAny = false;
  // Symbol sizes step by two: Data Matrix has even sizes only.
  AddField(1088, 1087, 10, 144, 3, 9861, 10, 2);
  AddField(1091, 1092, 10, 144, 3, 9862, 144, 2);
  AddField(1093, 1094, 8, 144, 3, 9863, 8, 2);
  AddField(1095, 1096, 8, 144, 3, 9864, 144, 2);
  AddField(1107, 1108, 0, 30, 4, 9867, 10);
  AddField(1109, 1110, 1, 100, 3, 9868, 30);
  AddWordRows();
  AddFieldRow(7116, ColsMin, ColsMax);
  AddFieldRow(7117, RowsMin, RowsMax);
  AddFieldRow(7122, Slant);
  AddFieldRow(7123, Contrast);
  AddCommonRows(1194);
  FinishSetup();
}

CConfigCodeDefTab3ECC200::~CConfigCodeDefTab3ECC200() = default;

std::uint8_t CConfigCodeDefTab3ECC200::family() const { return CODE_FLAG_ECC200; }

int CConfigCodeDefTab3ECC200::ReadCodeData() {
  MainDialogState& s = ctx_.state();
  return CConfigListInfo::GetInstance()->ReadECC200Data(s.m_ECC200Data, s.m_Ecc200Settings);
}

void CConfigCodeDefTab3ECC200::ShowCodeData() {
  const ECC200Settings& b = ctx_.state().m_Ecc200Settings;
  showing_ = true;
  ShowWords(b.polarity, b.mirrored, b.strict_model);
  fields_[ColsMin].value = b.symbol_cols_min;
  fields_[ColsMax].value = b.symbol_cols_max;
  fields_[RowsMin].value = b.symbol_rows_min;
  fields_[RowsMax].value = b.symbol_rows_max;
  fields_[Slant].value = SlantToDegrees(b.slant_max);
  fields_[Contrast].value = b.contrast_min;
  DataToControls();
  showing_ = false;
  ShowRevertMessage();
}

int CConfigCodeDefTab3ECC200::SendCodeData() {
  MainDialogState& s = ctx_.state();
  ControlsToData();
  ECC200Settings& b = s.m_Ecc200Settings;
  StoreWords(b.polarity, b.mirrored, b.strict_model);
  b.symbol_cols_min = fields_[ColsMin].value;
  b.symbol_cols_max = fields_[ColsMax].value;
  b.symbol_rows_min = fields_[RowsMin].value;
  b.symbol_rows_max = fields_[RowsMax].value;
  b.contrast_min = fields_[Contrast].value;
  b.slant_max = SlantToRadians(fields_[Slant].value);
  s.m_bBusy = 1;
  return PostWritten(CConfigListInfo::GetInstance()->WriteECC200Data(s.m_ECC200Data, b), CMD_SET_ECC200_DATA);
}

int CConfigCodeDefTab3ECC200::ValidateInput() {
  if (CheckEmpty({ColsMin, ColsMax, RowsMin, RowsMax, Contrast, Slant}) != 0) return -1;
  if (CheckRanges({{ColsMin, 10}, {ColsMax, 10}, {RowsMin, 8}, {RowsMax, 8}, {Contrast, 1}, {Slant, 0}}) != 0)
    return -1;
  ControlsToData();
  if (!CheckOrder(value(ColsMin), value(ColsMax), edit(ColsMin))) return -1;
  if (!CheckOrder(value(RowsMin), value(RowsMax), edit(RowsMin))) return -1;
  return 0;
}

CECC200CodeGeometry* CConfigCodeDefTab3ECC200::geometryDialog() { return OwnedDialog(geometryDialog_); }

int CConfigCodeDefTab3ECC200::RunGeometry() { return ShowAndRun(geometryDialog()); }

// A Data Matrix result: rows, then columns.
bool CConfigCodeDefTab3ECC200::CodeAt(int index, TaughtCode& out) const {
  const auto* r = ResultAt<Ecc200ResultRecord>(index);
  if (r == nullptr) return false;
  out = Taught(*r, {r->ints3[1], r->ints3[0], 0, 0});
  return true;
}

bool CConfigCodeDefTab3ECC200::Accepts(const TaughtCode& code) const {
  return FitsField(ColsMin, code.values[0]) && FitsField(RowsMin, code.values[1]);
}

void CConfigCodeDefTab3ECC200::ApplyCodes(const std::vector<TaughtCode>& codes) {
  ApplyRange(codes, 0, ColsMin, ColsMax);
  ApplyRange(codes, 1, RowsMin, RowsMax);
}
