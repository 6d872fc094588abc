#include "config_code_def_tab3_qr.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QLineEdit>
#include <algorithm>

#include "code_geometry_dialog.h"
#include "controls/num_spin_ctrl.h"
#include "core/code_types.h"
#include "core/main_dialog_state.h"
#include "core/sensor_command.h"
#include "records/qr_code_params.h"
#include "tab_edits.h"

int QRModelOfItem(int item) { return item == 0 ? 1 : item == 1 ? 2 : 0; }
int QRItemOfModel(int model) { return model == 0 ? 2 : model == 2 ? 1 : 0; }

CConfigCodeDefTab3QR::CConfigCodeDefTab3QR(CodeDefinitionContext& ctx, int codeType, QWidget* parent)
    : TwoDCodeTab(ctx, 1054, parent), micro_(codeType == CODE_TYPE_MICRO_QR) {
  model_ = new QComboBox(this);
  model_->setObjectName(QStringLiteral("id1091"));
  model_->addItems({QStringLiteral("1"), QStringLiteral("2"), QString()});
  AddField(1156, 1157, 1, 40, 2, 0, 1);
  AddField(1100, 1158, 1, 40, 2, 0, 40);
  AddField(1164, 1161, 21, 177, 3, 0, 21);
  AddField(1163, 1162, 21, 177, 3, 0, 177);
  AddField(1159, 1160, 2, 3, 1, 9890, 3);
  AddField(1109, 1110, 1, 100, 3, 9891, 30);
  // The sizes follow from the versions: shown greyed, no keys.
  for (Field f : {SizeMin, SizeMax}) {
    edit(f)->setReadOnly(true);
    QPalette p = edit(f)->palette();
    p.setColor(QPalette::Text, QColor(172, 168, 153));
    edit(f)->setPalette(p);
    KeepOff(spin(f));
  }
  if (micro_) {
    for (Field f : {VersionMin, VersionMax}) spin(f)->SetRangeAndStep(1, 4, 1);
    spin(SizeMin)->SetRangeAndStep(11, 17, 1);
    spin(Patterns)->SetRangeAndStep(1, 1, 1);
    KeepOff(model_);
  }
  AddListRow(7129, model_);
  AddWordRows();
  AddFieldRow(7130, VersionMin, VersionMax);
  AddFieldRow(7132, SizeMin, SizeMax);
  AddFieldRow(7140, Patterns);
  AddFieldRow(7123, Contrast);
  AddCommonRows(1194);
  FinishSetup({model_});
  connect(edit(VersionMin), &QLineEdit::textChanged, this, [this] { UpdateSymbolSize(VersionMin); });
  connect(edit(VersionMax), &QLineEdit::textChanged, this, [this] { UpdateSymbolSize(VersionMax); });
  connect(model_, &QComboBox::currentIndexChanged, this, [this] {
    if (!showing_) OnModelTypeChanged();
  });
}

CConfigCodeDefTab3QR::~CConfigCodeDefTab3QR() = default;

std::uint8_t CConfigCodeDefTab3QR::family() const { return CODE_FLAG_QR; }

void CConfigCodeDefTab3QR::LoadFamilyTexts() { model_->setItemText(2, ctx_.text(7101)); }

bool CConfigCodeDefTab3QR::eventFilter(QObject* watched, QEvent* event) {
  const bool key = event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease;
  if (key && (watched == edit(SizeMin) || watched == edit(SizeMax))) return true;
  return TwoDCodeTab::eventFilter(watched, event);
}

void CConfigCodeDefTab3QR::RangeOf(int field, int& min, int& max, int& messageId) const {
  const bool model1 = model_->currentIndex() == 0;
  min = 1;
  switch (field) {
    case VersionMin:
      max = micro_ ? 4 : model1 ? 14 : 40;
      messageId = micro_ ? 20025 : model1 ? 9880 : 9881;
      return;
    case VersionMax:
      max = micro_ ? 4 : model1 ? 14 : 40;
      messageId = micro_ ? 20026 : model1 ? 9882 : 9883;
      return;
    case Patterns:
      min = micro_ ? 1 : 2;
      max = micro_ ? 1 : 3;
      messageId = micro_ ? 20027 : 9890;
      return;
    default:
      TwoDCodeTab::RangeOf(field, min, max, messageId);
  }
}

void CConfigCodeDefTab3QR::CheckField(int field) {
  if (field == SizeMin || field == SizeMax) return;
  // The version from check keeps no pending mark once the old value is back.
  // (No check starts while another shows its box: the field check's guard
  // holds the version to check then.)
  if (!CheckFieldRange(field) && field == VersionMin) errorPending_ = false;
}

void CConfigCodeDefTab3QR::UpdateSymbolSize(int end) {
  if (edit(VersionMin)->text().isEmpty() || edit(VersionMax)->text().isEmpty()) return;
  // The versions' members keep the last accepted value for the leave check.
  const int v = EditInt(edit(end));
  int size = 21;
  if (micro_) size = 9 + 2 * v;
  else if (v >= 1 && v <= (model_->currentIndex() == 0 ? 14 : 40)) size = 17 + 4 * v;
  SetFieldValue(end == VersionMin ? SizeMin : SizeMax, size);
}

void CConfigCodeDefTab3QR::SetRangesForModel(int modelValue) {
  if (micro_) return;
  const int versions = modelValue == 1 ? 14 : 40;
  for (Field f : {VersionMin, VersionMax}) spin(f)->SetRangeAndStep(1, versions, 1);
  for (Field f : {SizeMin, SizeMax}) spin(f)->SetRangeAndStep(21, 17 + 4 * versions, 1);
}

void CConfigCodeDefTab3QR::SelectModel(int modelValue) {
  if (micro_) return;
  const bool was = showing_;
  showing_ = true;
  model_->setCurrentIndex(QRItemOfModel(modelValue));
  showing_ = was;
  SetRangesForModel(modelValue);
}

void CConfigCodeDefTab3QR::OnModelTypeChanged() {
  const bool model1 = model_->currentIndex() == 0;
  SetRangesForModel(model1 ? 1 : 2);
  SetFieldValue(VersionMin, 1);
  SetFieldValue(VersionMax, model1 ? 14 : 40);
  SetFieldValue(SizeMin, 21);
  SetFieldValue(SizeMax, model1 ? 73 : 177);
  MarkChanged();
}

int CConfigCodeDefTab3QR::ReadCodeData() {
  MainDialogState& s = ctx_.state();
  return CQRCodeParams::GetInstance()->Extract(s.m_QRCodeData, s.m_QRCodeSettings);
}

void CConfigCodeDefTab3QR::ShowCodeData() {
  const QRCodeSettings& b = ctx_.state().m_QRCodeSettings;
  showing_ = true;
  SelectModel(b.model_type);
  ShowWords(b.polarity, b.mirrored, b.strict_model);
  fields_[SizeMin].value = b.symbol_size_min;
  fields_[SizeMax].value = b.symbol_size_max;
  fields_[VersionMin].value = micro_ ? std::min(b.version_min, 4) : b.version_min;
  fields_[VersionMax].value = micro_ ? std::min(b.version_max, 4) : b.version_max;
  fields_[Contrast].value = b.contrast_min;
  fields_[Patterns].value = b.position_pattern_min;
  DataToControls();
  UpdateSymbolSize(VersionMin);
  UpdateSymbolSize(VersionMax);
  showing_ = false;
  ShowRevertMessage();
}

int CConfigCodeDefTab3QR::SendCodeData() {
  MainDialogState& s = ctx_.state();
  ControlsToData();
  QRCodeSettings& b = s.m_QRCodeSettings;
  StoreWords(b.polarity, b.mirrored, b.strict_model);
  b.model_type = QRModelOfItem(model_->currentIndex());
  b.symbol_size_min = fields_[SizeMin].value;
  b.symbol_size_max = fields_[SizeMax].value;
  b.version_min = fields_[VersionMin].value;
  b.version_max = fields_[VersionMax].value;
  b.contrast_min = fields_[Contrast].value;
  b.position_pattern_min = fields_[Patterns].value;
  s.m_bBusy = 1;
  return PostWritten(CQRCodeParams::GetInstance()->WriteParams(s.m_QRCodeData, b), CMD_SET_QRCODE_DATA);
}

int CConfigCodeDefTab3QR::ValidateInput() {
  ControlsToData();
  if (CheckEmpty({VersionMin, VersionMax, Contrast, Patterns}) != 0) return -1;
  if (CheckRanges({{VersionMin, 1}, {VersionMax, 1}, {Patterns, micro_ ? 1 : 2}, {Contrast, 1}}) != 0) return -1;
  ControlsToData();
  return CheckOrder(value(VersionMin), value(VersionMax), edit(VersionMin)) ? 0 : -1;
}

CQRCodeGeometry* CConfigCodeDefTab3QR::geometryDialog() { return OwnedDialog(geometryDialog_); }

int CConfigCodeDefTab3QR::RunGeometry() { return ShowAndRun(geometryDialog()); }

// A QR result: symbol size, version, model type, position patterns.
bool CConfigCodeDefTab3QR::CodeAt(int index, TaughtCode& out) const {
  const auto* r = ResultAt<QrCodeResultRecord>(index);
  if (r == nullptr) return false;
  out = Taught(*r, {r->ints3[0], r->ints3[1], r->ints3[2], r->ints3[3]});
  return true;
}

// Size, version, model and position patterns as one symbol of the tab's
// kind has them: the version in its model's range, the size that version's.
bool CConfigCodeDefTab3QR::Accepts(const TaughtCode& code) const {
  const auto [size, version, model, patterns] = code.values;
  if (micro_) return version >= 1 && version <= 4 && size == 9 + 2 * version && patterns == 1;
  if (model < 0 || model > 2) return false;
  const int versions = model == 1 ? 14 : 40;
  return version >= 1 && version <= versions && size == 17 + 4 * version && patterns >= 2 && patterns <= 3;
}

void CConfigCodeDefTab3QR::ApplyCodes(const std::vector<TaughtCode>& codes) {
  int model = codes.front().values[2];
  for (const TaughtCode& c : codes)
    if (c.values[2] != codes.front().values[2]) model = 2;
  SelectModel(model);
  ApplyRange(codes, 0, SizeMin, SizeMax);
  ApplyRange(codes, 1, VersionMin, VersionMax);
  int patterns = codes.front().values[3];
  for (const TaughtCode& c : codes) patterns = std::min(patterns, c.values[3]);
  fields_[Patterns].value = patterns;
}
