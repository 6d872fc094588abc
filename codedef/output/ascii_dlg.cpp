#include "ascii_dlg.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ascii_ctrl.h"
#include "ascii_names.h"
#include "ok_cancel_row.h"
#include "core/control_chars.h"
#include "core/main_dialog_state.h"
#include "window/main_window.h"

namespace {
constexpr int kOpenDialogAsciiEditor = 2;
}

QString& AsciiEditorResult() {
  static QString result;
  return result;
}

CAsciiDlg::CAsciiDlg(CVarnisDatamatrixDlg& dlg) : QDialog(dlg.messageOwner()), dlg_(dlg) {
  setObjectName(QStringLiteral("CAsciiDlg"));
  for (int i = 0; i < 128; ++i) values_[static_cast<std::size_t>(i)] = static_cast<unsigned char>(i);
  auto* layout = new QVBoxLayout(this);
  outputBox_ = new QGroupBox(this);
  outputBox_->setObjectName(QStringLiteral("id1142"));
  edit_ = new QLineEdit(outputBox_);
  edit_->setObjectName(QStringLiteral("id1042"));
  QFont font = edit_->font();
  font.setPixelSize(12);
  edit_->setFont(font);
  QPalette palette = edit_->palette();
  palette.setColor(QPalette::Text, QColor(0, 132, 0));
  edit_->setPalette(palette);
  (new QVBoxLayout(outputBox_))->addWidget(edit_);
  layout->addWidget(outputBox_);

  tableBox_ = new QGroupBox(this);
  tableBox_->setObjectName(QStringLiteral("id1143"));
  table_ = new CAsciiCtrl(tableBox_);
  table_->SetStyle(CAsciiCtrl::kHex | CAsciiCtrl::kDec | CAsciiCtrl::kChar);
  table_->SetData(values_.data(), static_cast<int>(values_.size()));
  // Three sections and the scroll bar; sixteen rows under the header.
  table_->setFixedSize(3 * (CAsciiCtrl::kSectionWidth + 1) + 22, 17 * CAsciiCtrl::kRowHeight + 4);
  (new QVBoxLayout(tableBox_))->addWidget(table_);
  layout->addWidget(tableBox_);

  const OkCancelButtons buttons = AddOkCancelRow(*this, *layout);
  ok_ = buttons.ok;
  cancel_ = buttons.cancel;
  connect(table_, &CAsciiCtrl::itemClicked, this, &CAsciiDlg::OnItemClicked);
  connect(edit_, &QLineEdit::textChanged, this, &CAsciiDlg::OnTextChanged);
  // A disconnect closes the editor; nothing is taken.
  connect(&dlg_, &CVarnisDatamatrixDlg::userInterfaceReset, this, &CAsciiDlg::reject);
}

CAsciiDlg::~CAsciiDlg() {
  if (isVisible()) SetOpen(false);
}

void CAsciiDlg::SetOpen(bool open) {
  MainDialogState& s = dlg_.state();
  s.m_nOpenDialog = open ? kOpenDialogAsciiEditor : 0;
  s.m_nHelpContext = open ? kOpenDialogAsciiEditor : 0;
}

int CAsciiDlg::Run() {
  OnInitDialog();
  return dlg_.prompt().runDialog(*this);
}

void CAsciiDlg::OnInitDialog() {
  // Room for every character as an escape.
  edit_->setMaxLength(4 * m_nMaxLength);
  cutting_ = true;
  edit_->setText(m_strOutput);
  cutting_ = false;
  table_->SetToolTipTemplate(QStringLiteral("%1:%t%n%2:%t%H%n%3:%t%D%n%4:%t%A")
                                 .arg(dlg_.text(9106), dlg_.text(9107), dlg_.text(9108), dlg_.text(9109)));
  LoadLanguageTexts();
  SetOpen(true);
}

void CAsciiDlg::LoadLanguageTexts() {
  outputBox_->setTitle(dlg_.text(9101));
  tableBox_->setTitle(dlg_.text(9105));
  cancel_->setText(dlg_.text(9202));
  ok_->setText(dlg_.text(9203));
  setWindowTitle(dlg_.text(1080));
  table_->SetHeader(dlg_.text(9103), dlg_.text(9104), dlg_.text(9102), dlg_.text(10002));
}

void CAsciiDlg::OnItemClicked(int code) {
  const QString text = edit_->text() + AsciiInsertText(code);
  if (OutputStringLength(text, m_nLengthMode) > m_nMaxLength) {
    dlg_.prompt().message(dlg_.messageOwner(), dlg_.text(m_nLengthMessage), dlg_.messageTitle(),
                          QMessageBox::Information);
    return;
  }
  edit_->setText(text);
  edit_->setFocus();
  edit_->setCursorPosition(static_cast<int>(text.size()));
}

// Too long: the message, and the text cut by the length mode at an escape's border.
void CAsciiDlg::OnTextChanged() {
  if (cutting_) return;
  m_strOutput = edit_->text();
  if (OutputStringLength(m_strOutput, m_nLengthMode) <= m_nMaxLength) return;
  dlg_.prompt().message(dlg_.messageOwner(), dlg_.text(m_nLengthMessage), dlg_.messageTitle(),
                        QMessageBox::Information);
  edit_->setFocus();
  m_strOutput = CutOutputString(m_strOutput, m_nMaxLength, m_nLengthMode);
  cutting_ = true;
  edit_->setText(m_strOutput);
  cutting_ = false;
}

void CAsciiDlg::accept() {
  m_strOutput = edit_->text();
  AsciiEditorResult() = m_strOutput;
  if (HasNonAsciiChars(m_strOutput.toStdU16String())) {
    // Still open: the help topic stays the editor's.
    dlg_.prompt().message(dlg_.messageOwner(), dlg_.text(9921), dlg_.messageTitle(), QMessageBox::Information);
    edit_->setFocus();
    edit_->selectAll();
    return;
  }
  SetOpen(false);
  QDialog::accept();
}

void CAsciiDlg::reject() {
  SetOpen(false);
  QDialog::reject();
}
