#include "config_code_def_tab3_pharma_etc.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>

#include "code_tab_keys.h"
#include "dots_button.h"
#include "controls/num_spin_ctrl.h"
#include "core/code_types.h"
#include "core/control_chars.h"
#include "core/main_dialog_state.h"
// Qt's keyword macro `slots` must not meet the quality record's member.
#pragma push_macro("slots")
#undef slots
#include "core/misc_checks.h"
#pragma pop_macro("slots")
#include "core/sensor_command.h"
#include "field_check.h"
#include "output/ascii_dlg.h"
#include "records/barcode_quality_params.h"
#include "records/extract_bar_code.h"
#include "tab_edits.h"
#include "window/main_window.h"

namespace {

struct FieldDef {
  int editId, spinId, labelId;
  double min, max, step;
  int decimals, limit, messageId;
  double initial;
};
// Minimum and maximum width, height, minimum and maximum characters.
constexpr FieldDef kFieldDefs[] = {
    {1225, 1226, 7081, 1.5, 10.0, 0.1, 1, 4, 9894, 2.0}, {1223, 1224, 7080, 4.0, 60.0, 0.1, 1, 4, 9896, 8.0},
    {1229, 1230, 7082, 8, 64, 1, 0, 2, 9897, 8},         {1214, 1185, 7127, 0, 5000, 1, 0, 4, 9898, 0},
    {1216, 1186, 7128, 0, 5000, 1, 0, 4, 9899, 5000},
};
constexpr int kAutomaticHeight = -1;

bool IsWidth(int f) { return f <= 1; }

}  // namespace

CConfigCodeDefTab3PharmaEtc::CConfigCodeDefTab3PharmaEtc(CodeDefinitionContext& ctx, int codeType, QWidget* parent)
    : CodeTab(ctx, parent), codeType_(codeType) {
  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(8, 8, 8, 8);
  grid->setVerticalSpacing(5);
  auto label = [this](int textId) {
    auto* l = new QLabel(this);
    l->setProperty("textId", textId);
    return l;
  };
  for (int f = 0; f < kFields; ++f) {
    const FieldDef& d = kFieldDefs[f];
    FieldInfo& info = fields_[static_cast<std::size_t>(f)];
    info.edit = new QLineEdit(this);
    info.edit->setObjectName(QStringLiteral("id%1").arg(d.editId));
    info.edit->setMaxLength(d.limit);
    info.edit->setFixedWidth(48);
    if (!IsWidth(f))
      info.edit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), info.edit));
    info.spin = new CNumSpinCtrl(this);
    info.spin->setObjectName(QStringLiteral("id%1").arg(d.spinId));
    info.spin->setBuddy(info.edit);
    info.spin->SetDecimals(d.decimals);
    info.spin->SetRangeAndStep(d.min, d.max, d.step);
    info.label = label(d.labelId);
    info.min = d.min;
    info.max = d.max;
    info.value = info.reset = d.initial;
    info.messageId = d.messageId;
    info.decimals = d.decimals;
    const int row = f > Height ? f + 1 : f;  // "Automatic" under the height
    grid->addWidget(info.label, row, 0);
    grid->addWidget(info.edit, row, 1);
    grid->addWidget(info.spin, row, 2);
  }
  automatic_ = new QCheckBox(this);
  automatic_->setObjectName(QStringLiteral("id1227"));
  automatic_->setProperty("textId", 7083);
  grid->addWidget(automatic_, Height + 1, 1, 1, 3);

  direction_ = new QComboBox(this);
  direction_->setObjectName(QStringLiteral("id1219"));
  composite_ = new QComboBox(this);
  composite_->setObjectName(QStringLiteral("id1247"));
  for (QComboBox* list : {direction_, composite_})
    for (int i = 0; i < 3; ++i) list->addItem(QString());
  directionLabel_ = label(7084);
  compositeLabel_ = label(20004);
  separatorLabel_ = label(20005);
  grid->addWidget(directionLabel_, kFields + 1, 0);
  grid->addWidget(direction_, kFields + 1, 1, 1, 3);
  grid->addWidget(compositeLabel_, kFields + 2, 0);
  grid->addWidget(composite_, kFields + 2, 1, 1, 3);
  separator_ = new QLineEdit(this);
  separator_->setObjectName(QStringLiteral("id1250"));
  separator_->setMaxLength(4);
  separator_->setFixedWidth(48);
  separatorButton_ = new QPushButton(this);
  separatorButton_->setObjectName(QStringLiteral("id1251"));
  SetDotsPicture(separatorButton_, ctx_.dlg.resources().picturePath(96));
  separatorButton_->setFixedWidth(32);
  grid->addWidget(separatorLabel_, kFields + 3, 0);
  grid->addWidget(separator_, kFields + 3, 1);
  grid->addWidget(separatorButton_, kFields + 3, 2);
  grid->setColumnStretch(4, 1);
  grid->setRowStretch(kFields + 4, 1);

  // The composite choice belongs to the extended configuration.
  const bool extended = ctx_.state().m_bExtendedConfig != 0;
  for (QWidget* w : std::initializer_list<QWidget*>{compositeLabel_, composite_, separatorLabel_, separator_,
                                                    separatorButton_})
    w->setVisible(extended);

  for (QWidget* w : findChildren<QWidget*>())
    if (!qobject_cast<QLabel*>(w)) w->setFocusPolicy(Qt::StrongFocus);
  direction_->setCurrentIndex(0);
  for (int f = 0; f < kFields; ++f) {
    const Field field = static_cast<Field>(f);
    ctx_.check.watch(
        fields_[f].edit, [this, field] { CheckField(field); },
        [](QWidget* to) { return FieldCheck::isControl(to, 1027); });
    if (IsWidth(f)) connect(fields_[f].edit, &QLineEdit::textChanged, this, [this, field] { FilterWidth(field); });
  }
  MarkChangesOf({edit(Height), edit(CharsMin), edit(CharsMax), direction_});
  connect(automatic_, &QCheckBox::toggled, this, [this](bool on) {
    edit(Height)->setEnabled(!on);
    spin(Height)->setEnabled(!on);
  });
  connect(composite_, &QComboBox::currentIndexChanged, this, [this](int index) {
    if (!showing_) OnCompositeChanged(index);
  });
  connect(separator_, &QLineEdit::textEdited, this, [this] { OnSeparatorEdited(); });
  connect(separatorButton_, &QPushButton::clicked, this, [this] { OnSeparatorButton(); });
  GuardCodeTabInput(this, this);
  DataToControls();
  UpdateEnabling(true);
}

CConfigCodeDefTab3PharmaEtc::~CConfigCodeDefTab3PharmaEtc() = default;

std::uint8_t CConfigCodeDefTab3PharmaEtc::family() const { return CODE_FLAG_BARCODE; }

bool CConfigCodeDefTab3PharmaEtc::eventFilter(QObject* watched, QEvent* event) {
  if (SwallowCodeTabInput(watched, event)) return true;
  return CodeTab::eventFilter(watched, event);
}

void CConfigCodeDefTab3PharmaEtc::LoadLanguageTexts() {
  showing_ = true;
  for (QLabel* l : findChildren<QLabel*>()) l->setText(ctx_.text(l->property("textId").toInt()));
  automatic_->setText(ctx_.text(7083));
  setWindowTitle(ctx_.text(1055));
  const int direction = direction_->currentIndex();
  const int composite = composite_->currentIndex();
  for (int i = 0; i < 3; ++i) {
    direction_->setItemText(i, ctx_.text(7085 + i));
    composite_->setItemText(i, ctx_.text(20006 + i));
  }
  direction_->setCurrentIndex(direction);
  composite_->setCurrentIndex(composite);
  showing_ = false;
}

QString CConfigCodeDefTab3PharmaEtc::FieldText(Field f, double v) const {
  return IsWidth(f) ? QString::number(v, 'f', 1) : QString::number(static_cast<int>(v));
}

double CConfigCodeDefTab3PharmaEtc::FieldValue(Field f) const {
  return IsWidth(f) ? readLeadingNumber(edit(f)->text()) : EditInt(edit(f));
}

void CConfigCodeDefTab3PharmaEtc::SetField(Field f, double v) {
  fields_[f].value = v;
  const bool was = showing_;
  showing_ = true;
  edit(f)->setText(FieldText(f, v));
  showing_ = was;
}

void CConfigCodeDefTab3PharmaEtc::DataToControls() {
  for (int f = 0; f < kFields; ++f) SetField(static_cast<Field>(f), fields_[f].value);
}

void CConfigCodeDefTab3PharmaEtc::ControlsToData() {
  for (int f = 0; f < kFields; ++f)
    if (!fields_[f].edit->text().isEmpty()) fields_[f].value = FieldValue(static_cast<Field>(f));
}

// One point at most and nothing but digits and the point; typing marks the change.
void CConfigCodeDefTab3PharmaEtc::FilterWidth(Field f) {
  if (filtering_) return;
  const QString kept = DigitsAndOnePoint(edit(f)->text());
  if (kept != edit(f)->text()) {
    filtering_ = true;
    edit(f)->setText(kept);
    filtering_ = false;
    edit(f)->setCursorPosition(static_cast<int>(kept.size()));
  }
  MarkChanged();
}

void CConfigCodeDefTab3PharmaEtc::CheckField(Field f) {
  FieldInfo& info = fields_[f];
  const double remembered = info.value;
  const bool empty = edit(f)->text().isEmpty();
  const double v = empty ? remembered : FieldValue(f);
  if (!empty && v >= info.min && v <= info.max) {
    info.value = v;
    errorPending_ = false;
    return;
  }
  ctx_.Message(info.messageId, 9860, QMessageBox::Warning);
  SetField(f, remembered);
  edit(f)->setFocus();
  edit(f)->selectAll();
  ctx_.state().m_bValidationFailed = 1;
  errorPending_ = true;
}

int CConfigCodeDefTab3PharmaEtc::ReadCodeData() {
  MainDialogState& s = ctx_.state();
  return CExtractBarCode::GetInstance()->Extract(s.m_BarCodeData, s.m_Configuration.barCode);
}

void CConfigCodeDefTab3PharmaEtc::ShowCodeData() {
  const BarCodeSettings& b = ctx_.state().m_Configuration.barCode;
  showing_ = true;
  fields_[WidthMin].value = b.element_size_min_value;
  fields_[WidthMax].value = b.element_size_max;
  fields_[CharsMin].value = b.min_characters;
  fields_[CharsMax].value = b.max_characters;
  // Automatic keeps the height the edit shows.
  automatic_->setChecked(b.element_height_min == kAutomaticHeight);
  if (b.element_height_min != kAutomaticHeight) fields_[Height].value = b.element_height_min;
  direction_->setCurrentIndex(b.reading_direction >= 0 && b.reading_direction <= 2 ? b.reading_direction : 0);
  DataToControls();
  showing_ = false;
  UpdateEnabling(isEnabled() && direction_->parentWidget()->isEnabled());
}

// The separator as the configuration stores it ("=" is a separator, no escape).
void CConfigCodeDefTab3PharmaEtc::ShowCompositeSettings() {
  const BarCodeSettings& b = ctx_.state().m_Configuration.barCode;
  showing_ = true;
  const int usage = b.CompositeComponentUsage;
  composite_->setCurrentIndex(usage >= 0 && usage <= 2 ? usage : 0);
  separator_->setText(QString::fromStdString(b.CompositeComponentSeparator));
  showing_ = false;
}

int CConfigCodeDefTab3PharmaEtc::SendCodeData() {
  MainDialogState& s = ctx_.state();
  ControlsToData();
  BarCodeSettings& b = s.m_Configuration.barCode;
  b.element_size_min_value = fields_[WidthMin].value;
  b.element_size_max = fields_[WidthMax].value;
  b.element_height_min = automatic_->isChecked() ? kAutomaticHeight : static_cast<int>(fields_[Height].value);
  b.min_characters = static_cast<int>(fields_[CharsMin].value);
  b.max_characters = static_cast<int>(fields_[CharsMax].value);
  b.reading_direction = direction_->currentIndex() < 0 ? 0 : direction_->currentIndex();
  s.m_bBusy = 1;
  const bool posted = CExtractBarCode::GetInstance()->WriteParams(s.m_BarCodeData, b) == 0;
  if (posted) {
    s.m_bValidationFailed = 0;
    ctx_.dlg.PostSensorCommand(CMD_SET_BARCODE_DATA);
  } else {
    s.m_bBusy = 0;
  }
  if (s.m_bExtendedConfig) StoreCompositeSettings(posted);
  return posted ? 0 : -1;
}

// The composite choice goes out with the next configuration write. Busy only
// when a Set was posted: its reply clears it; nothing else would.
void CConfigCodeDefTab3PharmaEtc::StoreCompositeSettings(bool setPosted) {
  MainDialogState& s = ctx_.state();
  BarCodeSettings& b = s.m_Configuration.barCode;
  b.CompositeComponentUsage = composite_->currentIndex() < 0 ? 0 : composite_->currentIndex();
  b.CompositeComponentSeparator = separator_->text().toStdString();
  if (!setPosted) return;
  s.m_bBusy = 1;
  s.m_bValidationFailed = 0;
}

int CConfigCodeDefTab3PharmaEtc::ValidateInput() {
  MainDialogState& s = ctx_.state();
  for (int f = 0; f < kFields; ++f) {
    const Field field = static_cast<Field>(f);
    FieldInfo& info = fields_[f];
    if (info.edit->text().isEmpty()) {
      info.edit->setFocus();
      s.m_bValidationFailed = 1;
      return -1;
    }
    const double v = FieldValue(field);
    if (v >= info.min && v <= info.max) continue;
    SetField(field, info.reset);
    info.edit->setFocus();
    info.edit->setSelection(0, 4);
    s.m_bValidationFailed = 1;
    return -1;
  }
  ControlsToData();
  const auto order = [&](Field from, Field to) {
    if (fields_[from].value <= fields_[to].value) return true;
    s.m_bBusy = 0;
    ctx_.check.runGuarded([&] { ctx_.Message(6071, 0, QMessageBox::Warning); });
    s.m_bValidationFailed = 1;
    edit(from)->setFocus();
    edit(from)->selectAll();
    return false;
  };
  if (!order(WidthMin, WidthMax) || !order(CharsMin, CharsMax)) return -1;
  if (s.m_bExtendedConfig && ValidateCompositeSeparator() != 0) return -1;
  return 0;
}

int CConfigCodeDefTab3PharmaEtc::ValidateCompositeSeparator() {
  const std::u16string text = separator_->text().toStdU16String();
  const bool foreign = HasNonAsciiChars(text);
  if (!foreign && CMisc::GetUnescapedLength(text) <= 1) return 0;
  ctx_.state().m_bValidationFailed = 1;
  separator_->setFocus();
  if (!foreign) separator_->selectAll();
  return -1;
}

void CConfigCodeDefTab3PharmaEtc::OnSeparatorEdited() {
  const std::u16string text = separator_->text().toStdU16String();
  int message = 0;
  if (HasNonAsciiChars(text)) message = 9921;
  else if (CMisc::GetUnescapedLength(text) >= 2) message = 20024;
  if (message == 0) return;
  ctx_.Message(message, 0, QMessageBox::Information);
  separator_->setFocus();
  separator_->selectAll();
}

void CConfigCodeDefTab3PharmaEtc::OnSeparatorButton() {
  CAsciiDlg editor(ctx_.dlg);
  editor.m_strOutput = separator_->text();
  editor.m_nMaxLength = 1;
  editor.m_nLengthMode = 0;
  editor.m_nLengthMessage = 20024;
  AsciiEditorResult().clear();
  if (editor.Run() == QDialog::Accepted) separator_->setText(AsciiEditorResult());
}

// Another use of the composite component switches its quality outputs.
void CConfigCodeDefTab3PharmaEtc::OnCompositeChanged(int index) {
  MainDialogState& s = ctx_.state();
  const int stored = s.m_Configuration.barCode.CompositeComponentUsage;
  if (stored == 0 && (index == 1 || index == 2))
    CBarcodeQualityParams::GetInstance()->SetAllAppendFlags(s.m_QualitySettings, true, 1);
  else if ((stored == 1 || stored == 2) && index == 0)
    CBarcodeQualityParams::GetInstance()->SetAllAppendFlags(s.m_QualitySettings, true, 0);
  s.m_bQualityOutputChanged = 1;
}

void CConfigCodeDefTab3PharmaEtc::UpdateEnabling(bool on) {
  const std::uint8_t flags = CodeTypeFlagsOf(codeType_);
  for (Field f : {WidthMin, WidthMax}) {
    edit(f)->setEnabled(on);
    spin(f)->setEnabled(on);
    fields_[f].label->setEnabled(on);
  }
  fields_[Height].label->setEnabled(on);
  automatic_->setEnabled(on);
  edit(Height)->setEnabled(on && !automatic_->isChecked());
  spin(Height)->setEnabled(on && !automatic_->isChecked());
  const bool pharma = on && codeType_ == CODE_TYPE_PHARMACODE;
  direction_->setEnabled(pharma);
  directionLabel_->setEnabled(pharma);
  const bool counts = on && (flags & CODE_FLAG_BARCODE) && !(flags & CODE_FLAG_EAN_UPC);
  for (Field f : {CharsMin, CharsMax}) {
    edit(f)->setEnabled(counts);
    spin(f)->setEnabled(counts);
    fields_[f].label->setEnabled(counts);
  }
  const bool composite = on && (flags & CODE_FLAG_COMPOSITE);
  for (QWidget* w : std::initializer_list<QWidget*>{compositeLabel_, composite_, separatorLabel_, separator_,
                                                    separatorButton_})
    w->setEnabled(composite);
}

void CConfigCodeDefTab3PharmaEtc::EnableControls(bool on) { UpdateEnabling(on); }
