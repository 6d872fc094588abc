#include "codedef/output/config_process_interface_tab1.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

#include "codedef/dots_button.h"
#include "codedef/output/ascii_dlg.h"
#include "codedef/output/combo_texts.h"
#include "codedef/output/config_process_interface.h"
#include "codedef/output/config_process_interface_tab2.h"
#include "codedef/write_configuration.h"
#include "controls/process_interface_tab_ctrl.h"
#include "core/control_chars.h"
#include "core/main_dialog_state.h"
#include "core/text_escape.h"
#include "window/main_window.h"

namespace {

constexpr int kEditIds[] = {1119, 1120, 1121, 1122, 1123};
constexpr int kLabelIds[] = {1089, 1090, 1091, 1092, 1093};
constexpr int kButtonIds[] = {1125, 1126, 1127, 1128, 1129};
constexpr int kModeItems = 7;

std::string ProcessInterfaceSettings::*const kMembers[] = {
    &ProcessInterfaceSettings::StartString, &ProcessInterfaceSettings::StopString,
    &ProcessInterfaceSettings::FailString, &ProcessInterfaceSettings::MatchString,
    &ProcessInterfaceSettings::ReferenceCode};

}  // namespace

CConfigProcessInterfaceTab1::CConfigProcessInterfaceTab1(CVarnisDatamatrixDlg& dlg, CConfigProcessInterface& page)
    : dlg_(dlg), page_(page) {
  setObjectName(QStringLiteral("CConfigProcessInterfaceTab1"));
  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(8, 10, 8, 8);
  grid->setVerticalSpacing(6);
  auto combo = [this](int id) { return MakeIdCombo(this, id, 8); };
  auto label = [this](int id) { return MakeIdLabel(this, id); };
  modeLabel_ = label(1088);
  mode_ = combo(1226);
  grid->addWidget(modeLabel_, 0, 0, 1, 3);
  grid->addWidget(mode_, 1, 0, 1, 3);
  for (int i = 0; i < kStringCount; ++i) {
    const auto k = static_cast<std::size_t>(i);
    labels_[k] = label(kLabelIds[k]);
    edits_[k] = new QLineEdit(this);
    edits_[k]->setObjectName(QStringLiteral("id%1").arg(kEditIds[k]));
    edits_[k]->setMaxLength(MaxLength(i));
    buttons_[k] = new QPushButton(this);
    buttons_[k]->setObjectName(QStringLiteral("id%1").arg(kButtonIds[k]));
    SetDotsPicture(buttons_[k], dlg_.resources().picturePath(96));
    buttons_[k]->setFixedWidth(32);
    buttons_[k]->setFocusPolicy(Qt::StrongFocus);
    grid->addWidget(labels_[k], 2 + 2 * i, 0, 1, 3);
    grid->addWidget(edits_[k], 3 + 2 * i, 0, 1, 2);
    grid->addWidget(buttons_[k], 3 + 2 * i, 2);
    connect(edits_[k], &QLineEdit::textEdited, this, [this, i] { OnStringEdited(i); });
    connect(buttons_[k], &QPushButton::clicked, this, [this, i] { OnEditString(i); });
  }
  numerationLabel_ = label(1244);
  numeration_ = combo(1246);
  rdyOutLabel_ = label(1245);
  rdyOut_ = combo(1247);
  grid->addWidget(numerationLabel_, 12, 0);
  grid->addWidget(numeration_, 12, 1, 1, 2);
  grid->addWidget(rdyOutLabel_, 13, 0);
  grid->addWidget(rdyOut_, 13, 1, 1, 2);
  grid->setRowStretch(14, 1);
  grid->setColumnStretch(1, 1);
  connect(mode_, &QComboBox::activated, this, [this] { OnModeChanged(); });
  LoadLanguageTexts();
  ShowExtendedRows();
}

MainDialogState& CConfigProcessInterfaceTab1::state() const { return dlg_.state(); }

void CConfigProcessInterfaceTab1::LoadLanguageTexts() {
  const auto text = [this](int id) { return dlg_.text(id); };
  setWindowTitle(text(1064));
  modeLabel_->setText(text(8050));
  SetComboTexts(mode_, {8051, 8035, 8036, 8037, 8038, 8039, 8040}, text);
  for (int i = 0; i < kStringCount; ++i) labels_[static_cast<std::size_t>(i)]->setText(text(8053 + i));
  numerationLabel_->setText(text(20000));
  SetComboTexts(numeration_, {8043, 8042}, text);
  rdyOutLabel_->setText(text(20001));
  SetComboTexts(rdyOut_, {20002, 20003}, text);
}

// Numeration and RDY/OUT exist only in the extended configuration.
void CConfigProcessInterfaceTab1::ShowExtendedRows() {
  const bool extended = state().m_bExtendedConfig != 0;
  for (QWidget* w : {static_cast<QWidget*>(numerationLabel_), static_cast<QWidget*>(numeration_),
                     static_cast<QWidget*>(rdyOutLabel_), static_cast<QWidget*>(rdyOut_)})
    w->setVisible(extended);
}

void CConfigProcessInterfaceTab1::showEvent(QShowEvent* event) {
  ShowExtendedRows();
  QWidget::showEvent(event);
}

QString CConfigProcessInterfaceTab1::StoredString(int which) const {
  const std::string& stored = state().m_Configuration.processInterface.*kMembers[which];
  const std::u16string decoded = UnescapeText(QString::fromUtf8(stored).toStdU16String());
  return QString::fromStdU16String(decoded).left(MaxLength(which));
}

void CConfigProcessInterfaceTab1::ShowSettings() {
  MainDialogState& s = state();
  const ProcessInterfaceSettings& p = s.m_Configuration.processInterface;
  s.m_bOutputModeOff = 0;
  {
    const QSignalBlocker quiet(mode_);
    const int mode = p.WorkingMode;
    if (mode >= 1 && mode <= 11 && mode % 2 == 1) {
      mode_->setCurrentIndex((mode + 1) / 2);
      EnableModeStrings(true);
    } else {
      mode_->setCurrentIndex(0);
      EnableModeStrings(false);
      s.m_bOutputModeOff = 1;
    }
  }
  for (int i = 0; i < kStringCount; ++i) SetString(i, StoredString(i));
  if (s.m_bExtendedConfig) {
    numeration_->setCurrentIndex(p.StringNumerationActive ? 1 : 0);
    rdyOut_->setCurrentIndex(p.DigitalLinesOverProcIf ? 1 : 0);
  }
  ShowExtendedRows();
}

void CConfigProcessInterfaceTab1::EnableModeStrings(bool enable) {
  for (int i : {Match, Reference}) {
    edit(i)->setEnabled(enable);
    editorButton(i)->setEnabled(enable);
  }
}

int CConfigProcessInterfaceTab1::modeItem() const { return mode_->currentIndex(); }

QString CConfigProcessInterfaceTab1::string(int which) const { return edit(which)->text(); }

void CConfigProcessInterfaceTab1::SetString(int which, const QString& text) {
  edit(which)->setText(text.left(MaxLength(which)));
}

bool CConfigProcessInterfaceTab1::StringFails(int which) const {
  return HasNonAsciiChars(string(which).toStdU16String());
}

// Every change the user makes is checked at once.
void CConfigProcessInterfaceTab1::OnStringEdited(int which) {
  if (!StringFails(which)) return;
  dlg_.prompt().message(dlg_.messageOwner(), dlg_.text(9921), dlg_.messageTitle(), QMessageBox::Information);
  edit(which)->setFocus();
  edit(which)->selectAll();
}

void CConfigProcessInterfaceTab1::OnModeChanged() {
  MainDialogState& s = state();
  if (modeItem() != 0) {
    s.m_bOutputModeOff = 0;
    EnableModeStrings(true);
    return;
  }
  // The two strings the mode no longer uses go back to what the sensor holds
  // when they cannot be sent.
  for (int i : {Reference, Match})
    if (StringFails(i)) SetString(i, StoredString(i));
  s.m_bOutputModeOff = 1;
  EnableModeStrings(false);
}

int CConfigProcessInterfaceTab1::ValidateInput() {
  for (int i = 0; i < kStringCount; ++i) {
    if (!StringFails(i)) continue;
    page_.tabs()->SelectPage(0);
    dlg_.prompt().message(dlg_.messageOwner(), dlg_.text(9921), dlg_.messageTitle(), QMessageBox::Information);
    edit(i)->setFocus();
    edit(i)->selectAll();
    return 1;
  }
  return 0;
}

void CConfigProcessInterfaceTab1::OnEditString(int which) {
  AsciiEditorResult().clear();
  editing_ = which;
  CAsciiDlg editor(dlg_);
  editor.m_strOutput = string(which);
  editor.m_nMaxLength = MaxLength(which);
  editor.m_nLengthMode = 1;
  editor.m_nLengthMessage = which == Reference ? 8209 : 8208;
  if (editor.Run() == QDialog::Accepted) SetString(which, AsciiEditorResult());
}

int CConfigProcessInterfaceTab1::ApplySettings() {
  MainDialogState& s = state();
  if (CConfigProcessInterfaceTab2* tab2 = page_.tab2()) tab2->StoreSettings();
  const int item = modeItem();
  const int mode = item >= 1 && item < kModeItems ? 2 * item - 1 : 0;
  if (ValidateInput() != 0) return -1;
  ProcessInterfaceSettings& p = s.m_Configuration.processInterface;
  for (int i = 0; i < kStringCount; ++i)
    p.*kMembers[i] = QString::fromStdU16String(EscapeText(string(i).toStdU16String())).toStdString();
  p.WorkingMode = mode;
  if (s.m_bExtendedConfig) {
    p.StringNumerationActive = numeration_->currentIndex() > 0 ? 1 : 0;
    p.DigitalLinesOverProcIf = rdyOut_->currentIndex() > 0 ? 1 : 0;
  }
  if (s.m_bQualityOutputChanged)
    if (CConfigProcessInterfaceTab2* tab2 = page_.tab2()) p.Append2dQuality = tab2->QualityOutputValue();
  return WriteConfiguration(dlg_) == 0 ? 0 : -1;
}
