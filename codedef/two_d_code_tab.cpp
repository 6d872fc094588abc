#include "two_d_code_tab.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <algorithm>

#include "code_tab_keys.h"
#include "config_code_definition.h"
#include "controls/button_draw.h"
#include "controls/num_spin_ctrl.h"
#include "core/main_dialog_state.h"
#include "core/sensor_command.h"
#include "field_check.h"
#include "tab_edits.h"
#include "window/main_window.h"
#include "xml_words.h"

std::string MirrorWordOfIndex(int index) {
  return index == 0 || index == 1 ? WordOfIndex(kMirrorWords, index) : ProgramWord(kMirrorWords[2]);
}

TwoDCodeTab::TwoDCodeTab(CodeDefinitionContext& ctx, int captionId, QWidget* parent)
    : CodeTab(ctx, parent), captionId_(captionId) {
  grid_ = new QGridLayout(this);
  grid_->setContentsMargins(8, 8, 8, 8);
  grid_->setVerticalSpacing(5);
  polarity_ = new QComboBox(this);
  polarity_->setObjectName(QStringLiteral("id1089"));
  mirror_ = new QComboBox(this);
  mirror_->setObjectName(QStringLiteral("id1090"));
  for (QComboBox* list : {polarity_, mirror_})
    for (int i = 0; i < 3; ++i) list->addItem(QString());
}

TwoDCodeTab::~TwoDCodeTab() = default;

QLabel* TwoDCodeTab::AddLabel(int textId) {
  auto* l = new QLabel(this);
  l->setProperty("textId", textId);
  labels_.append(l);
  return l;
}

int TwoDCodeTab::AddField(int editId, int spinId, int min, int max, int limit, int messageId, int initial, int step) {
  Field f;
  f.edit = new QLineEdit(this);
  f.edit->setObjectName(QStringLiteral("id%1").arg(editId));
  f.edit->setMaxLength(limit);
  f.edit->setFixedWidth(44);
  f.edit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), f.edit));
  f.edit->setText(QString::number(initial));
  f.spin = new CNumSpinCtrl(this);
  f.spin->setObjectName(QStringLiteral("id%1").arg(spinId));
  f.spin->setBuddy(f.edit);
  f.spin->SetDecimals(0);
  f.spin->SetRangeAndStep(min, max, step);
  f.even = step == 2;
  f.min = min;
  f.max = max;
  f.messageId = messageId;
  f.value = initial;
  fields_.push_back(f);
  return static_cast<int>(fields_.size()) - 1;
}

void TwoDCodeTab::AddListRow(int textId, QWidget* list) {
  grid_->addWidget(AddLabel(textId), row_, 0);
  grid_->addWidget(list, row_, 1, 1, 5);
  ++row_;
}

void TwoDCodeTab::AddWordRows() {
  AddListRow(7100, polarity_);
  AddListRow(7104, mirror_);
}

void TwoDCodeTab::AddFieldRow(int textId, int from, int to) {
  grid_->addWidget(AddLabel(textId), row_, 0);
  grid_->addWidget(edit(from), row_, 1);
  grid_->addWidget(spin(from), row_, 2);
  if (to >= 0) {
    grid_->addWidget(AddLabel(7118), row_, 3);
    grid_->addWidget(edit(to), row_, 4);
    grid_->addWidget(spin(to), row_, 5);
  }
  ++row_;
}

void TwoDCodeTab::AddCommonRows(int strictId) {
  strict_ = new QCheckBox(this);
  strict_->setObjectName(QStringLiteral("id%1").arg(strictId));
  strict_->setChecked(true);
  grid_->addWidget(AddLabel(7124), row_, 0);
  grid_->addWidget(strict_, row_++, 1);
  geometry_ = new QPushButton(this);
  geometry_->setObjectName(QStringLiteral("id32863"));
  teach_ = new QPushButton(this);
  teach_->setObjectName(QStringLiteral("id1112"));
  teach_->setEnabled(false);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(geometry_, 1);
  buttons->addWidget(teach_);
  grid_->addLayout(buttons, row_++, 0, 1, 7);
  static const int kRevertIds[2] = {1106, 1111};
  for (int kind = 0; kind < 2; ++kind) {
    revert_[kind] = new CButtonDraw(this);
    revert_[kind]->setObjectName(QStringLiteral("id%1").arg(kRevertIds[kind]));
    revert_[kind]->setMinimumHeight(24);
    grid_->addWidget(revert_[kind], row_++, 0, 1, 7);
    connect(revert_[kind], &QAbstractButton::clicked, this, [this, kind] { OnRevert(kind); });
  }
  grid_->setColumnStretch(6, 1);
  grid_->setRowStretch(row_, 1);
  connect(geometry_, &QPushButton::clicked, this, [this] { OnModuleGeometry(); });
  connect(teach_, &QPushButton::clicked, this, [this] { Teach(); });
}

void TwoDCodeTab::FinishSetup(const QList<QWidget*>& alsoMarked) {
  // Clicks take the focus, so that leaving an edit by a click is checked.
  for (QWidget* w : findChildren<QWidget*>())
    if (!qobject_cast<QLabel*>(w)) w->setFocusPolicy(Qt::StrongFocus);
  polarity_->setCurrentIndex(0);
  mirror_->setCurrentIndex(2);
  for (std::size_t f = 0; f < fields_.size(); ++f) {
    const int field = static_cast<int>(f);
    ctx_.check.watch(fields_[f].edit, [this, field] { CheckField(field); }, [this](QWidget* to) { return Exempt(to); });
  }
  QList<QWidget*> marked{polarity_, mirror_, strict_};
  for (const Field& f : fields_) marked.append(f.edit);
  MarkChangesOf(marked + alsoMarked);
  GuardCodeTabInput(this, this);
}

bool TwoDCodeTab::eventFilter(QObject* watched, QEvent* event) {
  if (SwallowCodeTabInput(watched, event)) return true;
  return CodeTab::eventFilter(watched, event);
}

bool TwoDCodeTab::Exempt(QWidget* to) const {
  return FieldCheck::isControl(to, 1106) || FieldCheck::isControl(to, 1111) || FieldCheck::isControl(to, 1027);
}

void TwoDCodeTab::LoadLanguageTexts() {
  showing_ = true;
  const int polarity = polarity_->currentIndex();
  const int mirror = mirror_->currentIndex();
  const int polarityTexts[3] = {7102, 7103, 7101};
  const int mirrorTexts[3] = {7121, 7105, rules_.mirrorAnyText};
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
  setWindowTitle(ctx_.text(captionId_));
  LoadFamilyTexts();
  showing_ = false;
}

void TwoDCodeTab::SetFieldValue(int field, int v) {
  Field& f = fields_[static_cast<std::size_t>(field)];
  f.value = v;
  const bool was = showing_;
  showing_ = true;
  f.edit->setText(QString::number(v));
  showing_ = was;
}

void TwoDCodeTab::ApplyRange(const std::vector<TaughtCode>& codes, int value, int from, int to) {
  const auto by = [value](const TaughtCode& a, const TaughtCode& b) {
    return a.values[static_cast<std::size_t>(value)] < b.values[static_cast<std::size_t>(value)];
  };
  const auto [low, high] = std::minmax_element(codes.begin(), codes.end(), by);
  fields_[static_cast<std::size_t>(from)].value = low->values[static_cast<std::size_t>(value)];
  fields_[static_cast<std::size_t>(to)].value = high->values[static_cast<std::size_t>(value)];
}

void TwoDCodeTab::DataToControls() {
  for (std::size_t f = 0; f < fields_.size(); ++f) SetFieldValue(static_cast<int>(f), fields_[f].value);
}

void TwoDCodeTab::ControlsToData() {
  for (Field& f : fields_)
    if (!f.edit->text().isEmpty()) f.value = EditInt(f.edit);
}

void TwoDCodeTab::RangeOf(int field, int& min, int& max, int& messageId) const {
  const Field& f = fields_[static_cast<std::size_t>(field)];
  min = f.min;
  max = f.max;
  messageId = f.messageId;
}

void TwoDCodeTab::CheckField(int field) { CheckFieldRange(field); }

bool TwoDCodeTab::CheckFieldRange(int field) {
  Field& f = fields_[static_cast<std::size_t>(field)];
  const int remembered = f.value;
  const bool empty = f.edit->text().isEmpty();
  if (empty && !rules_.refuseEmptyField) {
    // An emptied field shows its last value again.
    SetFieldValue(field, remembered);
    errorPending_ = false;
    return true;
  }
  const int v = empty ? remembered : EditInt(f.edit);
  int min = 0;
  int max = 0;
  int messageId = 0;
  RangeOf(field, min, max, messageId);
  if (empty || v < min || v > max) {
    ctx_.Message(messageId, 9860, QMessageBox::Warning);
    SetFieldValue(field, remembered);
    f.edit->setFocus();
    f.edit->selectAll();
    ctx_.state().m_bValidationFailed = 1;
    errorPending_ = true;
    return false;
  }
  f.value = v;
  if (f.even && v % 2 != 0) {
    // The odd value stays in the field for the user to put right.
    ctx_.Message(6074, 0, QMessageBox::Information);
    f.edit->setFocus();
    f.edit->selectAll();
    ctx_.state().m_bValidationFailed = 1;
    errorPending_ = true;
    return false;
  }
  errorPending_ = false;
  return true;
}

int TwoDCodeTab::CheckEmpty(std::initializer_list<int> order) {
  for (int field : order) {
    QLineEdit* e = edit(field);
    if (!e->text().isEmpty()) continue;
    e->setFocus();
    ctx_.state().m_bValidationFailed = 1;
    return -1;
  }
  return 0;
}

int TwoDCodeTab::CheckRanges(std::initializer_list<std::pair<int, int>> fieldAndReset) {
  for (const auto& [field, reset] : fieldAndReset) {
    int min = 0;
    int max = 0;
    int messageId = 0;
    RangeOf(field, min, max, messageId);
    const int v = EditInt(edit(field));
    if (v >= min && v <= max && !(fields_[static_cast<std::size_t>(field)].even && v % 2 != 0)) continue;
    SetFieldValue(field, reset);
    edit(field)->setFocus();
    edit(field)->setSelection(0, 3);
    ctx_.state().m_bValidationFailed = 1;
    return -1;
  }
  return 0;
}

bool TwoDCodeTab::CheckOrder(int from, int to, QWidget* focus) {
  if (from <= to) return true;
  MainDialogState& s = ctx_.state();
  s.m_bBusy = 0;
  ctx_.check.runGuarded([&] { ctx_.Message(6071, 0, QMessageBox::Warning); });
  s.m_bValidationFailed = 1;
  focus->setFocus();
  if (auto* e = qobject_cast<QLineEdit*>(focus)) e->setSelection(0, 3);
  return false;
}

void TwoDCodeTab::SelectWords(const std::string& polarity, const std::string& mirror) {
  polarity_->setCurrentIndex(IndexOfWord(kPolarityWords, polarity));
  mirror_->setCurrentIndex(IndexOfWord(kMirrorWords, mirror));
}

void TwoDCodeTab::ShowWords(const Text256& polarity, const Text256& mirror, const Text256& strict) {
  SelectWords(std::string(polarity.view()), std::string(mirror.view()));
  strict_->setChecked((rules_.emptyStrictIsYes && strict.empty()) || std::string(strict.view()) == ProgramWord(kYesWord));
}

void TwoDCodeTab::StoreWords(Text256& polarity, Text256& mirror, Text256& strict) const {
  polarity.Assign(WordOfIndex(kPolarityWords, polarity_->currentIndex()));
  const int m = mirror_->currentIndex();
  mirror.Assign(rules_.noMirrorSelectionIsAny ? MirrorWordOfIndex(m) : WordOfIndex(kMirrorWords, m));
  strict.Assign(ProgramWord(strict_->isChecked() ? kYesWord : kNoWord));
}

int TwoDCodeTab::PostWritten(int writeResult, int command) {
  MainDialogState& s = ctx_.state();
  // A list that cannot take the values sends nothing; the changes stay marked.
  if (writeResult != 0) {
    s.m_bBusy = 0;
    return -1;
  }
  s.m_bValidationFailed = 0;
  ctx_.dlg.PostSensorCommand(command);
  return 0;
}

void TwoDCodeTab::ShowRevertMessage() {
  // The marks stay (every later show of this tab repeats the message),
  // unless the family's rules clear them.
  const int kind = revertMarks_[0] ? 0 : revertMarks_[1] ? 1 : -1;
  if (kind < 0) return;
  if (!rules_.repeatRevertMessage) revertMarks_[kind] = false;
  revert_[kind]->setDown(false);
  ctx_.state().m_bSettingsReverted = 1;
  ctx_.Message(kind == 0 ? 6068 : 6069, 0, QMessageBox::Information);
  // The pointer's first move after the box shows no code tooltip.
  ctx_.state().m_bSuppressTooltipOnce = 1;
}

void TwoDCodeTab::OnRevert(int kind) {
  MainDialogState& s = ctx_.state();
  if (s.m_bBusy) return;
  revertMarks_[kind] = true;
  revertMarks_[1 - kind] = false;
  revert_[kind]->setDown(true);
  revert_[1 - kind]->setDown(false);
  errorPending_ = false;
  s.m_nRevertCodeType = kind;
  s.m_bBusy = 1;
  ctx_.dlg.PostSensorCommand(CMD_REVERT_CODE_DATA);
}

// Nothing was reverted: no message will follow, and no button stays down.
void TwoDCodeTab::RevertFailed() {
  for (int kind = 0; kind < 2; ++kind) {
    revertMarks_[kind] = false;
    revert_[kind]->setDown(false);
  }
}

void TwoDCodeTab::OnModuleGeometry() {
  if (RunGeometry() == QDialog::Accepted) MarkChanged();
}

void TwoDCodeTab::KeepOff(QWidget* w) {
  w->setEnabled(false);
  keptOff_.append(w);
}

void TwoDCodeTab::EnableControls(bool on) {
  for (QWidget* w : findChildren<QWidget*>())
    if (!on || !keptOff_.contains(w)) w->setEnabled(on);
  if (on) ctx_.page.UpdateTeachButton(ctx_.state().m_nCodeType);
  else teach_->setEnabled(false);
}

// Teach only where the reading has a code the fields take.
void TwoDCodeTab::EnableTeach(bool on) { teach_->setEnabled(on && !TeachableCodes().empty()); }

bool TwoDCodeTab::FitsField(int field, int v) const {
  const Field& f = fields_[static_cast<std::size_t>(field)];
  return v >= f.min && v <= f.max && !(f.even && v % 2 != 0);
}

bool TwoDCodeTab::TakesCode(int resultIndex) const {
  if (resultIndex < 0 || resultIndex >= kMaxCodesPerReading) return false;
  TaughtCode code;
  return CodeAt(resultIndex, code) && Accepts(code);
}

// A code some field would refuse is left out: its value would be put back
// by the field's own check over and over.
std::vector<TaughtCode> TwoDCodeTab::TeachableCodes() const {
  const int count = std::min(ctx_.state().m_nReadCount, kMaxCodesPerReading);
  std::vector<TaughtCode> codes;
  for (int i = 0; i < count; ++i) {
    TaughtCode code;
    if (CodeAt(i, code) && Accepts(code)) codes.push_back(code);
  }
  return codes;
}

void TwoDCodeTab::UseCodeProperties(int resultIndex) {
  if (!TakesCode(resultIndex)) return;
  TaughtCode code;
  CodeAt(resultIndex, code);
  SelectWords(code.polarity, code.mirror);
  ApplyCodes({code});
  DataToControls();
  MarkChanged();
}

// The limits that take in every code of the last reading (at most the 100 kept).
void TwoDCodeTab::Teach() {
  const std::vector<TaughtCode> codes = TeachableCodes();
  if (codes.empty()) return;
  std::string polarity = codes.front().polarity;
  std::string mirror = codes.front().mirror;
  for (const TaughtCode& c : codes) {
    if (c.polarity != codes.front().polarity) polarity = ProgramWord(kPolarityWords[2]);
    if (c.mirror != codes.front().mirror) mirror = ProgramWord(kMirrorWords[2]);
  }
  SelectWords(polarity, mirror);
  ApplyCodes(codes);
  DataToControls();
  MarkChanged();
}
