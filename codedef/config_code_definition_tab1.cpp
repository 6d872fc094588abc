#include "config_code_definition_tab1.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QRegularExpressionValidator>

#include "code_definition_tabctrl.h"
#include "code_tab_keys.h"
#include "config_code_definition.h"
#include "controls/button_draw.h"
#include "controls/num_spin_ctrl.h"
#include "core/code_types.h"
#include "core/main_dialog_state.h"
#include "field_check.h"
#include "tab_edits.h"
#include "window/main_window.h"

CConfigCodeDefinitionTab1::CConfigCodeDefinitionTab1(CodeDefinitionContext& ctx, QWidget* parent)
    : QWidget(parent), ctx_(ctx) {
  setObjectName(QStringLiteral("CConfigCodeDefinitionTab1"));
  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(10, 12, 10, 10);
  grid->setVerticalSpacing(8);

  list_ = new QComboBox(this);
  list_->setObjectName(QStringLiteral("id1086"));
  list_->setMaxVisibleItems(16);
  grid->addWidget(list_, 0, 0, 1, 4);

  static const int kRadioIds[3] = {1192, 1193, 1058};
  for (int mode = 0; mode < 3; ++mode) {
    radios_[mode] = new QRadioButton(this);
    radios_[mode]->setObjectName(QStringLiteral("id%1").arg(kRadioIds[mode]));
    radios_[mode]->setFocusPolicy(Qt::StrongFocus);
    grid->addWidget(radios_[mode], 1 + mode, 0, 1, 4);
    connect(radios_[mode], &QRadioButton::clicked, this, [this, mode] { OnRecognitionClicked(mode); });
  }
  radios_[0]->setChecked(true);

  codesLabel_ = new QLabel(this);
  codesLabel_->setObjectName(QStringLiteral("id1087"));
  codes_ = new QLineEdit(this);
  codes_->setObjectName(QStringLiteral("id1168"));
  codes_->setMaxLength(2);
  codesSpin_ = new CNumSpinCtrl(this);
  codesSpin_->setObjectName(QStringLiteral("id1085"));
  timeLabel_ = new QLabel(this);
  timeLabel_->setObjectName(QStringLiteral("id1088"));
  time_ = new QLineEdit(this);
  time_->setObjectName(QStringLiteral("id1169"));
  time_->setMaxLength(4);
  timeSpin_ = new CNumSpinCtrl(this);
  timeSpin_->setObjectName(QStringLiteral("id1089"));
  msLabel_ = new QLabel(this);
  msLabel_->setObjectName(QStringLiteral("id1210"));
  for (QLineEdit* edit : {codes_, time_}) {
    edit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), edit));
    edit->setFixedWidth(48);
  }
  grid->addWidget(codesLabel_, 4, 0);
  grid->addWidget(codes_, 4, 1);
  grid->addWidget(codesSpin_, 4, 2);
  grid->addWidget(timeLabel_, 5, 0);
  grid->addWidget(time_, 5, 1);
  grid->addWidget(timeSpin_, 5, 2);
  grid->addWidget(msLabel_, 5, 3);

  autoDetect_ = new CButtonDraw(this);
  autoDetect_->setObjectName(QStringLiteral("id1084"));
  autoDetect_->setFocusPolicy(Qt::StrongFocus);
  autoDetect_->setMinimumHeight(26);
  grid->addWidget(autoDetect_, 6, 0, 1, 4);
  grid->setRowStretch(7, 1);
  grid->setColumnStretch(3, 1);

  codes_->setText(QString::number(codesValue_));
  time_->setText(QString::number(timeValue_));
  codesSpin_->setBuddy(codes_);
  timeSpin_->setBuddy(time_);
  codesSpin_->SetDecimals(0);
  codesSpin_->SetRangeAndStep(1, 10, 1);
  timeSpin_->SetDecimals(0);
  timeSpin_->SetRangeAndStep(10, 5000, 1);

  connect(list_, &QComboBox::currentIndexChanged, this, [this] {
    list_->setToolTip(list_->currentText());
    if (!filling_) OnCodeTypeChanged();
  });
  connect(list_, &QComboBox::editTextChanged, this, [this](const QString& text) {
    if (text.isEmpty()) ctx_.page.tabs()->EnableTab(2, false);
  });
  connect(autoDetect_, &QAbstractButton::clicked, this, [this] { OnAutoDetect(); });
  const auto exempt = [this](QWidget* to) { return Exempt(to); };
  ctx_.check.watch(codes_, [this] { CheckEdit(codes_, 1, 10, 9850, true); }, exempt);
  ctx_.check.watch(time_, [this] { CheckEdit(time_, 10, 5000, 9851, false); }, exempt);
  FillList();
  GuardCodeTabInput(this, this);
}

bool CConfigCodeDefinitionTab1::eventFilter(QObject* watched, QEvent* event) {
  return SwallowCodeTabInput(watched, event) || QWidget::eventFilter(watched, event);
}

// Outside the editor Back leaves without a check; Escape never checks.
bool CConfigCodeDefinitionTab1::Exempt(QWidget* to) const {
  return (!ctx_.state().m_bEditorMode && FieldCheck::isControl(to, 1026)) || FieldCheck::isControl(to, 1027);
}

void CConfigCodeDefinitionTab1::LoadLanguageTexts() {
  setWindowTitle(ctx_.text(1058));
  autoDetect_->setText(ctx_.text(7400));
  for (int mode = 0; mode < 3; ++mode) radios_[mode]->setText(ctx_.text(7401 + mode));
  codesLabel_->setText(ctx_.text(7404));
  timeLabel_->setText(ctx_.text(7405));
  msLabel_->setText(ctx_.text(8611));
  FillList();
}

// One entry per code type, 30..36 only with the extended configuration;
// the selection stays.
void CConfigCodeDefinitionTab1::FillList() {
  filling_ = true;
  const int selected = list_->currentIndex();
  list_->clear();
  const int count = ctx_.state().m_bExtendedConfig ? kCodeTypeCount : kFirstExtendedCodeType;
  for (int type = 0; type < count; ++type) list_->addItem(ctx_.text(CodeTypeStringId(type)));
  // No selection (a stored type the list cannot show) stays none.
  list_->setCurrentIndex(selected < count ? selected : -1);
  list_->setToolTip(list_->currentText());
  list_->setPlaceholderText(list_->currentIndex() < 0 ? codeTypeText() : QString());
  filling_ = false;
}

void CConfigCodeDefinitionTab1::UpdateCodeTypeList() {
  filling_ = true;
  if (!ctx_.state().m_bExtendedConfig && list_->count() == kCodeTypeCount) {
    for (int type = kCodeTypeCount - 1; type >= kFirstExtendedCodeType; --type) list_->removeItem(type);
  } else if (ctx_.state().m_bExtendedConfig && list_->count() < kCodeTypeCount) {
    for (int type = list_->count(); type < kCodeTypeCount; ++type) list_->addItem(ctx_.text(CodeTypeStringId(type)));
  }
  filling_ = false;
}

// A stored type the list cannot show is named all the same: greyed in the
// list, and in the status bar.
void CConfigCodeDefinitionTab1::ShowCodeTypeName() {
  list_->setPlaceholderText(list_->currentIndex() < 0 ? codeTypeText() : QString());
  ctx_.ShowCodeTypeInStatusBar(codeTypeText());
}

void CConfigCodeDefinitionTab1::ShowSettings() {
  const MainDialogState& s = ctx_.state();
  filling_ = true;
  // A type the list cannot show (30 and above without the extended
  // configuration) shows no selection; the writes keep it (ReadChoices).
  list_->setCurrentIndex(s.m_nCodeType >= 0 && s.m_nCodeType < list_->count() ? s.m_nCodeType : -1);
  list_->setToolTip(list_->currentText());
  filling_ = false;
  ShowCodeTypeName();
  codesValue_ = s.m_nCodesPerImage;
  timeValue_ = s.m_Configuration.codeDefinition.MaxDecodingDuration;
  codes_->setText(QString::number(codesValue_));
  time_->setText(QString::number(timeValue_));
  const int mode = s.m_nRecognitionMode >= 0 && s.m_nRecognitionMode <= 2 ? s.m_nRecognitionMode : 0;
  for (int m = 0; m < 3; ++m) radios_[m]->setChecked(m == mode);
  EnableOptimised(codeTypeIndex() > 0);
  ctx_.page.tabs()->EnableTab(2, mode == 2 && codeTypeIndex() > 0);
  EnableAutoDetect(mode != 2);
  update();
}

void CConfigCodeDefinitionTab1::EnableRecognitionButtons(bool on) {
  for (QRadioButton* r : radios_) r->setEnabled(on);
}

void CConfigCodeDefinitionTab1::EnableControls(bool on) {
  EnableAutoDetect(on && !optimisedChecked());
  for (QWidget* w : std::initializer_list<QWidget*>{list_, codes_, time_, codesSpin_, timeSpin_, codesLabel_, timeLabel_,
                                                    msLabel_})
    w->setEnabled(on);
  EnableRecognitionButtons(on);
}

void CConfigCodeDefinitionTab1::EnableAutoDetect(bool on) { autoDetect_->setEnabled(on); }
void CConfigCodeDefinitionTab1::EnableOptimised(bool on) { radios_[2]->setEnabled(on); }
void CConfigCodeDefinitionTab1::ShowAutoDetectPressed(bool down) { autoDetect_->setDown(down); }

int CConfigCodeDefinitionTab1::codeTypeIndex() const { return list_->currentIndex() < 0 ? 0 : list_->currentIndex(); }
QString CConfigCodeDefinitionTab1::codeTypeText() const {
  const int stored = ctx_.state().m_nCodeType;
  if (list_->currentIndex() < 0 && stored > 0) return ctx_.text(CodeTypeStringId(stored));
  return list_->currentText();
}
bool CConfigCodeDefinitionTab1::optimisedChecked() const { return radios_[2]->isChecked(); }

void CConfigCodeDefinitionTab1::FocusCodesPerImage(int selected) {
  codes_->setFocus();
  codes_->setSelection(0, selected);
}

void CConfigCodeDefinitionTab1::FocusCodeTypeList() { list_->setFocus(); }

CConfigCodeDefinitionTab1::Choices CConfigCodeDefinitionTab1::ReadChoices() const {
  Choices c;
  c.codeType = list_->currentIndex() < 0 ? ctx_.state().m_nCodeType : codeTypeIndex();
  c.mode = radios_[0]->isChecked() ? 0 : radios_[1]->isChecked() ? 1 : radios_[2]->isChecked() ? 2 : 0;
  c.codes = EditInt(codes_);
  c.time = EditInt(time_);
  return c;
}

void CConfigCodeDefinitionTab1::Store(int codeType, int mode, int codes, int time) {
  MainDialogState& s = ctx_.state();
  s.m_nCodeType = codeType;
  s.m_nRecognitionMode = mode;
  s.m_nCodesPerImage = codes;
  CodeDefinitionSettings& c = s.m_Configuration.codeDefinition;
  c.CodeType = codeType;
  c.Recognition = mode;
  c.CodesPerImage = codes;
  c.MaxDecodingDuration = time;
}

// The page's ApplyTab1: the tab into the main window before every write.
void CConfigCodeDefinitionTab1::Apply() {
  MainDialogState& s = ctx_.state();
  const Choices c = ReadChoices();
  const int keptTime = s.m_Configuration.codeDefinition.MaxDecodingDuration;
  // A time outside its range never reaches the sensor; the edit's check shows why.
  const int time = c.time >= 10 && c.time <= 5000 ? c.time : keptTime;
  if (modified_) {
    const int codes = c.codes >= 1 && c.codes <= 10 ? c.codes : c.codes == 0 ? 1 : s.m_nCodesPerImage;
    Store(c.codeType != 0 ? c.codeType : s.m_nCodeType, c.mode, codes, time);
    modified_ = false;
    ShowAutoDetectPressed(false);
    return;
  }
  if (c.codeType == 0) {
    if (s.m_bEditorMode) ctx_.Message(6065, 0, QMessageBox::Information);
    return;
  }
  if (c.codes >= 1 && c.codes <= 10) {
    Store(c.codeType, c.mode, c.codes, time);
    ShowAutoDetectPressed(false);
  } else {
    ctx_.page.tabs()->SelectTab(0);
  }
}

void CConfigCodeDefinitionTab1::ReadSelection() {
  MainDialogState& s = ctx_.state();
  const Choices c = ReadChoices();
  const int codes = codes_->text().isEmpty() ? 1 : c.codes;
  if (c.codeType != 0) {
    s.m_nCodeType = c.codeType;
    s.m_Configuration.codeDefinition.CodeType = c.codeType;
  }
  if (codes >= 1 && codes <= 10) {
    s.m_nCodesPerImage = codes;
    s.m_Configuration.codeDefinition.CodesPerImage = codes;
  }
  s.m_nRecognitionMode = c.mode;
  s.m_Configuration.codeDefinition.Recognition = c.mode;
}

int CConfigCodeDefinitionTab1::CheckRange(QLineEdit* edit, int value, int min, int max) {
  if (edit->text().isEmpty()) {
    // Dialog data to controls: the last accepted values come back.
    codes_->setText(QString::number(codesValue_));
    time_->setText(QString::number(timeValue_));
    return -1;
  }
  return value >= min && value <= max ? 0 : -1;
}

bool CConfigCodeDefinitionTab1::CheckEdit(QLineEdit* edit, int min, int max, int messageId, bool codesPerImage) {
  int& kept = codesPerImage ? codesValue_ : timeValue_;
  const QString remembered = QString::number(codesPerImage && kept < 1 ? 1 : kept);
  const int value = EditInt(edit);
  if (CheckRange(edit, value, min, max) != 0) {
    ctx_.Message(messageId, 9860, QMessageBox::Warning);
    edit->setText(remembered);
    kept = remembered.toInt();
    edit->setFocus();
    edit->selectAll();
    errorPending_ = true;
    return false;
  }
  kept = value;
  edit->setText(QString::number(kept));
  errorPending_ = false;
  return true;
}

bool CConfigCodeDefinitionTab1::CheckEditsNow() {
  bool ok = true;
  ctx_.check.runGuarded([&] {
    ok = CheckEdit(codes_, 1, 10, 9850, true) && CheckEdit(time_, 10, 5000, 9851, false);
  });
  return ok;
}

int CConfigCodeDefinitionTab1::ValidateInput() {
  MainDialogState& s = ctx_.state();
  CCodeDefinitionTabctrl* tabs = ctx_.page.tabs();
  if (codes_->text().isEmpty()) {
    tabs->SelectTab(0);
    codes_->setFocus();
    return 1;
  }
  const int codes = EditInt(codes_);
  if (codes >= 1 && codes <= 10) {
    if (ReadChoices().codeType > 0) return 0;
    s.m_bBusy = 0;
    tabs->SelectTab(0);
    ctx_.check.runGuarded([&] { ctx_.Message(6065, 0, QMessageBox::Information); });
    FocusCodeTypeList();
    return 1;
  }
  tabs->SelectTab(0);
  FocusCodesPerImage(3);
  codes_->setText(QStringLiteral("1"));
  return 1;
}
