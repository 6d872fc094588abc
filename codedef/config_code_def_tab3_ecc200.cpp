#include "config_code_def_tab3_ecc200.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <algorithm>
#include <cmath>

#include "code_geometry_dialog.h"
#include "config_code_definition.h"
#include "controls/button_draw.h"
#include "controls/num_spin_ctrl.h"
#include "core/code_types.h"
#include "core/main_dialog_state.h"
#include "core/sensor_command.h"
#include "field_check.h"
#include "records/config_list_info.h"
#include "tab_edits.h"
#include "window/main_window.h"
#include "xml_words.h"

namespace {

constexpr double kDegreesToRadians = 0.017444444444444446;  // 3.14 / 180
constexpr double kRadiansToDegrees = 57.324840764331206;    // 180 / 3.14

struct FieldDef {
  int editId, spinId, min, max, step, limit, messageId, initial, reset;
};
// Columns from, to, rows from, to, slant, contrast.
constexpr FieldDef kFieldDefs[] = {
    {1088, 1087, 10, 144, 2, 3, 9861, 10, 10},  {1091, 1092, 10, 144, 2, 3, 9862, 144, 10},
    {1093, 1094, 8, 144, 2, 3, 9863, 8, 8},     {1095, 1096, 8, 144, 2, 3, 9864, 144, 8},
    {1107, 1108, 0, 30, 1, 4, 9867, 10, 0},     {1109, 1110, 1, 100, 1, 3, 9868, 30, 1},
};

bool IsSymbolField(int f) { return f <= 3; }

}  // namespace

double SlantToRadians(int degrees) { return degrees * kDegreesToRadians; }

// The wire keeps six decimals: 30 degrees come back as 0.523333 radians,
// 29.99998 degrees, which must still read 30.
int SlantToDegrees(double radians) { return static_cast<int>(std::trunc(radians * kRadiansToDegrees + 1e-4)); }

CConfigCodeDefTab3ECC200::CConfigCodeDefTab3ECC200(CodeDefinitionContext& ctx, QWidget* parent) : CodeTab(ctx, parent) {
  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(8, 8, 8, 8);
  grid->setVerticalSpacing(5);
  auto label = [&](int textId) {
    auto* l = new QLabel(this);
    l->setProperty("textId", textId);
    labels_.append(l);
    return l;
  };
  polarity_ = new QComboBox(this);
  polarity_->setObjectName(QStringLiteral("id1089"));
  mirror_ = new QComboBox(this);
  mirror_->setObjectName(QStringLiteral("id1090"));
  for (QComboBox* list : {polarity_, mirror_}) {
    list->setFocusPolicy(Qt::StrongFocus);
    for (int i = 0; i < 3; ++i) list->addItem(QString());
  }
  grid->addWidget(label(7100), 0, 0);
  grid->addWidget(polarity_, 0, 1, 1, 4);
  grid->addWidget(label(7104), 1, 0);
  grid->addWidget(mirror_, 1, 1, 1, 4);

  for (int f = 0; f < kFields; ++f) {
    const FieldDef& d = kFieldDefs[f];
    FieldInfo& info = fields_[static_cast<std::size_t>(f)];
    info.edit = new QLineEdit(this);
    info.edit->setObjectName(QStringLiteral("id%1").arg(d.editId));
    info.edit->setMaxLength(d.limit);
    info.edit->setFixedWidth(44);
    info.edit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), info.edit));
    info.edit->setText(QString::number(d.initial));
    info.spin = new CNumSpinCtrl(this);
    info.spin->setObjectName(QStringLiteral("id%1").arg(d.spinId));
    info.spin->setBuddy(info.edit);
    info.spin->SetDecimals(0);
    info.spin->SetRangeAndStep(d.min, d.max, d.step);
    info.min = d.min;
    info.max = d.max;
    info.messageId = d.messageId;
    info.value = d.initial;
  }
  const auto place = [&](int row, Field f, int column) {
    grid->addWidget(fields_[f].edit, row, column);
    grid->addWidget(fields_[f].spin, row, column + 1);
  };
  grid->addWidget(label(7116), 2, 0);
  place(2, ColsMin, 1);
  grid->addWidget(label(7118), 2, 3);
  place(2, ColsMax, 4);
  grid->addWidget(label(7117), 3, 0);
  place(3, RowsMin, 1);
  grid->addWidget(label(7118), 3, 3);
  place(3, RowsMax, 4);
  grid->addWidget(label(7122), 4, 0);
  place(4, Slant, 1);
  grid->addWidget(label(7123), 5, 0);
  place(5, Contrast, 1);
  strict_ = new QCheckBox(this);
  strict_->setObjectName(QStringLiteral("id1194"));
  strict_->setChecked(true);
  grid->addWidget(label(7124), 6, 0);
  grid->addWidget(strict_, 6, 1);

  geometry_ = new QPushButton(this);
  geometry_->setObjectName(QStringLiteral("id32863"));
  teach_ = new QPushButton(this);
  teach_->setObjectName(QStringLiteral("id1112"));
  teach_->setEnabled(false);
  auto* row = new QHBoxLayout;
  row->addWidget(geometry_, 1);
  row->addWidget(teach_);
  grid->addLayout(row, 7, 0, 1, 6);
  static const int kRevertIds[2] = {1106, 1111};
  for (int kind = 0; kind < 2; ++kind) {
    revert_[kind] = new CButtonDraw(this);
    revert_[kind]->setObjectName(QStringLiteral("id%1").arg(kRevertIds[kind]));
    revert_[kind]->setMinimumHeight(24);
    grid->addWidget(revert_[kind], 8 + kind, 0, 1, 6);
    connect(revert_[kind], &QAbstractButton::clicked, this, [this, kind] { OnRevert(kind); });
  }
  for (QWidget* w : std::initializer_list<QWidget*>{geometry_, teach_, revert_[0], revert_[1], strict_})
    w->setFocusPolicy(Qt::StrongFocus);
  grid->setColumnStretch(5, 1);
  grid->setRowStretch(10, 1);
  connect(geometry_, &QPushButton::clicked, this, [this] { OnModuleGeometry(); });
  connect(teach_, &QPushButton::clicked, this, [this] { Teach(); });

  polarity_->setCurrentIndex(0);
  mirror_->setCurrentIndex(2);
  for (int f = 0; f < kFields; ++f) {
    const Field field = static_cast<Field>(f);
    ctx_.check.watch(fields_[f].edit, [this, field] { CheckField(field); }, [this](QWidget* to) { return Exempt(to); });
  }
  QList<QWidget*> changing{polarity_, mirror_, strict_};
  for (const FieldInfo& info : fields_) changing.append(info.edit);
  MarkChangesOf(changing);
}

CConfigCodeDefTab3ECC200::~CConfigCodeDefTab3ECC200() = default;

std::uint8_t CConfigCodeDefTab3ECC200::family() const { return CODE_FLAG_ECC200; }

bool CConfigCodeDefTab3ECC200::Exempt(QWidget* to) const {
  return FieldCheck::isControl(to, 1106) || FieldCheck::isControl(to, 1111) || FieldCheck::isControl(to, 1027);
}

void CConfigCodeDefTab3ECC200::LoadLanguageTexts() {
  showing_ = true;
  const int polarity = polarity_->currentIndex();
  const int mirror = mirror_->currentIndex();
  const int polarityTexts[3] = {7102, 7103, 7101};
  const int mirrorTexts[3] = {7121, 7105, 7107};
  for (int i = 0; i < 3; ++i) {
    polarity_->setItemText(i, ctx_.text(polarityTexts[i]));
    mirror_->setItemText(i, ctx_.text(mirrorTexts[i]));
  }
  polarity_->setCurrentIndex(polarity);
  mirror_->setCurrentIndex(mirror);
  for (QLabel* l : labels_) l->setText(ctx_.text(l->property("textId").toInt()));
  geometry_->setText(ctx_.text(7119));
  teach_->setText(ctx_.text(7094));
  revert_[0]->setText(ctx_.text(7125));
  revert_[1]->setText(ctx_.text(7126));
  showing_ = false;
}

int CConfigCodeDefTab3ECC200::ReadCodeData() {
  MainDialogState& s = ctx_.state();
  return CConfigListInfo::GetInstance()->ReadECC200Data(s.m_ECC200Data, s.m_Ecc200Settings);
}

void CConfigCodeDefTab3ECC200::DataToControls() {
  showing_ = true;
  for (FieldInfo& info : fields_) info.edit->setText(QString::number(info.value));
  showing_ = false;
}

void CConfigCodeDefTab3ECC200::ControlsToData() {
  for (FieldInfo& info : fields_)
    if (!info.edit->text().isEmpty()) info.value = EditInt(info.edit);
}

void CConfigCodeDefTab3ECC200::ShowCodeData() {
  MainDialogState& s = ctx_.state();
  const ECC200Settings& b = s.m_Ecc200Settings;
  showing_ = true;
  polarity_->setCurrentIndex(IndexOfWord(kPolarityWords, std::string(b.polarity.view())));
  mirror_->setCurrentIndex(IndexOfWord(kMirrorWords, std::string(b.mirrored.view())));
  fields_[ColsMin].value = b.symbol_cols_min;
  fields_[ColsMax].value = b.symbol_cols_max;
  fields_[RowsMin].value = b.symbol_rows_min;
  fields_[RowsMax].value = b.symbol_rows_max;
  fields_[Slant].value = SlantToDegrees(b.slant_max);
  fields_[Contrast].value = b.contrast_min;
  strict_->setChecked(b.strict_model.empty() || b.strict_model == ProgramWord(kYesWord));
  DataToControls();
  showing_ = false;
  for (int kind = 0; kind < 2; ++kind) {
    if (!revertPressed_[kind]) continue;
    revertPressed_[kind] = false;
    revert_[kind]->setDown(false);
    s.m_bSettingsReverted = 1;
    ctx_.Message(kind == 0 ? 6068 : 6069, 0, QMessageBox::Information);
  }
}

int CConfigCodeDefTab3ECC200::SendCodeData() {
  MainDialogState& s = ctx_.state();
  ControlsToData();
  ECC200Settings& b = s.m_Ecc200Settings;
  b.polarity.Assign(WordOfIndex(kPolarityWords, polarity_->currentIndex()));
  b.mirrored.Assign(WordOfIndex(kMirrorWords, mirror_->currentIndex()));
  b.symbol_cols_min = fields_[ColsMin].value;
  b.symbol_cols_max = fields_[ColsMax].value;
  b.symbol_rows_min = fields_[RowsMin].value;
  b.symbol_rows_max = fields_[RowsMax].value;
  b.contrast_min = fields_[Contrast].value;
  b.slant_max = SlantToRadians(fields_[Slant].value);
  b.strict_model.Assign(ProgramWord(strict_->isChecked() ? kYesWord : kNoWord));
  s.m_bBusy = 1;
  // A list that cannot take the values sends nothing; the changes stay marked.
  if (CConfigListInfo::GetInstance()->WriteECC200Data(s.m_ECC200Data, b) != 0) {
    s.m_bBusy = 0;
    return -1;
  }
  s.m_bValidationFailed = 0;
  ctx_.dlg.PostSensorCommand(CMD_SET_ECC200_DATA);
  return 0;
}

int CConfigCodeDefTab3ECC200::CheckRange(Field f, int value) {
  FieldInfo& info = fields_[f];
  if (info.edit->text().isEmpty()) {
    DataToControls();
    errorPending_ = true;
    return -1;
  }
  if (value < info.min || value > info.max) return -1;
  if (IsSymbolField(f) && value % 2 != 0) {
    ctx_.Message(6074, 0, QMessageBox::Information);
    info.edit->setFocus();
    info.edit->selectAll();
    ctx_.state().m_bValidationFailed = 1;
    errorPending_ = true;
    return -2;
  }
  return 0;
}

void CConfigCodeDefTab3ECC200::CheckField(Field f) {
  FieldInfo& info = fields_[f];
  const int remembered = info.value;
  if (!info.edit->text().isEmpty()) info.value = EditInt(info.edit);
  const int result = CheckRange(f, info.value);
  if (result == -1) {
    ctx_.Message(info.messageId, 9860, QMessageBox::Warning);
    info.value = remembered;
    info.edit->setText(QString::number(remembered));
    info.edit->setFocus();
    info.edit->selectAll();
    ctx_.state().m_bValidationFailed = 1;
    errorPending_ = true;
    return;
  }
  if (result == -2) return;
  errorPending_ = false;
}

int CConfigCodeDefTab3ECC200::ValidateInput() {
  MainDialogState& s = ctx_.state();
  static const Field kEmptyOrder[] = {ColsMin, ColsMax, RowsMin, RowsMax, Contrast, Slant};
  for (Field f : kEmptyOrder) {
    if (fields_[f].edit->text().isEmpty()) {
      fields_[f].edit->setFocus();
      s.m_bValidationFailed = 1;
      return -1;
    }
  }
  for (Field f : kEmptyOrder) {
    FieldInfo& info = fields_[f];
    const int value = EditInt(info.edit);
    if (value >= info.min && value <= info.max && !(IsSymbolField(f) && value % 2 != 0)) continue;
    info.value = kFieldDefs[f].reset;
    showing_ = true;
    info.edit->setText(QString::number(info.value));
    showing_ = false;
    info.edit->setFocus();
    info.edit->setSelection(0, 3);
    s.m_bValidationFailed = 1;
    return -1;
  }
  ControlsToData();
  const auto order = [&](Field from, Field to) {
    if (fields_[from].value <= fields_[to].value) return true;
    s.m_bBusy = 0;
    ctx_.check.runGuarded([&] { ctx_.Message(6071, 0, QMessageBox::Warning); });
    s.m_bValidationFailed = 1;
    fields_[from].edit->setFocus();
    fields_[from].edit->setSelection(0, 3);
    return false;
  };
  if (!order(ColsMin, ColsMax) || !order(RowsMin, RowsMax)) return -1;
  return 0;
}

void CConfigCodeDefTab3ECC200::EnableControls(bool on) {
  for (QWidget* w : findChildren<QWidget*>()) w->setEnabled(on);
  if (on) ctx_.page.UpdateTeachButton(ctx_.state().m_nCodeType);
  else teach_->setEnabled(false);
}

void CConfigCodeDefTab3ECC200::EnableTeach(bool on) { teach_->setEnabled(on); }

void CConfigCodeDefTab3ECC200::UseCodeProperties(int resultIndex) {
  const MainDialogState& s = ctx_.state();
  if (resultIndex < 0 || resultIndex >= kMaxCodesPerReading) return;
  const auto* record = std::get_if<Ecc200ResultRecord>(&s.m_CodeResults[static_cast<std::size_t>(resultIndex)]);
  if (record == nullptr) return;
  polarity_->setCurrentIndex(IndexOfWord(kPolarityWords, std::string(record->texts0[0].view())));
  mirror_->setCurrentIndex(IndexOfWord(kMirrorWords, std::string(record->texts0[1].view())));
  const int rows = record->ints3[0];
  const int cols = record->ints3[1];
  fields_[ColsMin].value = fields_[ColsMax].value = cols;
  fields_[RowsMin].value = fields_[RowsMax].value = rows;
  DataToControls();
  MarkChanged();
}

// The limits that take in every code of the last reading (at most the 100 kept).
void CConfigCodeDefTab3ECC200::Teach() {
  const MainDialogState& s = ctx_.state();
  const int codes = std::min(s.m_nReadCount, kMaxCodesPerReading);
  if (codes <= 0) return;
  if (codes == 1) return UseCodeProperties(0);
  std::vector<int> cols;
  std::vector<int> rows;
  std::string polarity;
  std::string mirror;
  for (int i = 0; i < codes; ++i) {
    const auto* record = std::get_if<Ecc200ResultRecord>(&s.m_CodeResults[static_cast<std::size_t>(i)]);
    if (record == nullptr) continue;
    const std::string p(record->texts0[0].view());
    const std::string m(record->texts0[1].view());
    if (cols.empty()) {
      polarity = p;
      mirror = m;
    } else {
      if (p != polarity) polarity = ProgramWord(kPolarityWords[2]);
      if (m != mirror) mirror = ProgramWord(kMirrorWords[2]);
    }
    rows.push_back(record->ints3[0]);
    cols.push_back(record->ints3[1]);
  }
  if (cols.empty()) return;
  std::sort(cols.begin(), cols.end());
  std::sort(rows.begin(), rows.end());
  polarity_->setCurrentIndex(IndexOfWord(kPolarityWords, polarity));
  mirror_->setCurrentIndex(IndexOfWord(kMirrorWords, mirror));
  fields_[ColsMin].value = cols.front();
  fields_[ColsMax].value = cols.back();
  fields_[RowsMin].value = rows.front();
  fields_[RowsMax].value = rows.back();
  DataToControls();
  MarkChanged();
}

void CConfigCodeDefTab3ECC200::OnRevert(int kind) {
  MainDialogState& s = ctx_.state();
  if (s.m_bBusy) return;
  s.m_nRevertCodeType = kind;
  revertPressed_[kind] = true;
  revertPressed_[1 - kind] = false;
  revert_[kind]->setDown(true);
  revert_[1 - kind]->setDown(false);
  errorPending_ = false;
  s.m_bBusy = 1;
  ctx_.dlg.PostSensorCommand(CMD_REVERT_CODE_DATA);
}

CECC200CodeGeometry* CConfigCodeDefTab3ECC200::geometryDialog() {
  if (!geometryDialog_) geometryDialog_ = std::make_unique<CECC200CodeGeometry>(ctx_);
  return geometryDialog_.get();
}

void CConfigCodeDefTab3ECC200::OnModuleGeometry() {
  CECC200CodeGeometry* dialog = geometryDialog();
  dialog->ShowGeometry();
  if (dialog->Run() == QDialog::Accepted) MarkChanged();
}
