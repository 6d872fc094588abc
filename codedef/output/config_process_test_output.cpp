#include "config_process_test_output.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

#include "core/control_chars.h"
#include "core/main_dialog_state.h"
#include "core/sensor_command.h"
#include "process_test_host.h"
#include "window/main_window.h"

namespace {

constexpr int kHistorySize = 15;
constexpr int kMaxExpressionLength = 256;
constexpr int kMaxGoodReadingLength = 32;

QPushButton* MakeButton(QWidget* parent, int id) {
  auto* b = new QPushButton(parent);
  b->setObjectName(QStringLiteral("id%1").arg(id));
  return b;
}

QLabel* MakeLabel(QWidget* parent, int id) {
  auto* l = new QLabel(parent);
  l->setObjectName(QStringLiteral("id%1").arg(id));
  return l;
}

QComboBox* MakeCombo(QWidget* parent, int id) {
  auto* c = new QComboBox(parent);
  c->setObjectName(QStringLiteral("id%1").arg(id));
  c->setEditable(true);
  // Enter in the edit must not grow the list; only OK changes the history.
  c->setInsertPolicy(QComboBox::NoInsert);
  return c;
}

}  // namespace

CConfigProcessTestOutput::CConfigProcessTestOutput(CVarnisDatamatrixDlg& dlg, ProcessTestHost& host)
    : QDialog(&dlg), dlg_(dlg), host_(host) {
  setObjectName(QStringLiteral("CConfigProcessTestOutput"));
  auto* layout = new QVBoxLayout(this);

  transmitBox_ = new QGroupBox(this);
  transmitBox_->setObjectName(QStringLiteral("id1260"));
  auto* transmit = new QVBoxLayout(transmitBox_);
  testData_ = MakeButton(transmitBox_, 1114);
  failData_ = MakeButton(transmitBox_, 1115);
  matchData_ = MakeButton(transmitBox_, 1116);
  for (QPushButton* b : {testData_, failData_, matchData_}) transmit->addWidget(b);
  layout->addWidget(transmitBox_);

  regexBox_ = new QGroupBox(this);
  regexBox_->setObjectName(QStringLiteral("id1261"));
  auto* grid = new QGridLayout(regexBox_);
  expressionLabel_ = MakeLabel(regexBox_, 1236);
  expressions_ = MakeCombo(regexBox_, 1234);
  goodReadingLabel_ = MakeLabel(regexBox_, 1237);
  goodReading_ = new QLineEdit(regexBox_);
  goodReading_->setObjectName(QStringLiteral("id1238"));
  matchAgainstLabel_ = MakeLabel(regexBox_, 1239);
  matchAgainst_ = MakeCombo(regexBox_, 1235);
  applyRegex_ = MakeButton(regexBox_, 1117);
  resultTitle_ = MakeLabel(regexBox_, 1241);
  result_ = MakeLabel(regexBox_, 1240);
  result_->setFrameShape(QFrame::StyledPanel);
  result_->setMinimumHeight(24);
  result_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  for (QComboBox* c : {expressions_, matchAgainst_}) c->setMinimumWidth(280);
  grid->addWidget(expressionLabel_, 0, 0);
  grid->addWidget(expressions_, 0, 1);
  grid->addWidget(goodReadingLabel_, 1, 0);
  grid->addWidget(goodReading_, 1, 1);
  grid->addWidget(matchAgainstLabel_, 2, 0);
  grid->addWidget(matchAgainst_, 2, 1);
  grid->addWidget(applyRegex_, 3, 1, Qt::AlignRight);
  grid->addWidget(resultTitle_, 4, 0);
  grid->addWidget(result_, 4, 1);
  grid->setColumnStretch(1, 1);
  layout->addWidget(regexBox_);

  ok_ = MakeButton(this, 1);
  cancel_ = MakeButton(this, 2);
  ok_->setDefault(true);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(ok_);
  buttons->addWidget(cancel_);
  layout->addLayout(buttons);

  connect(ok_, &QPushButton::clicked, this, &CConfigProcessTestOutput::accept);
  connect(cancel_, &QPushButton::clicked, this, &CConfigProcessTestOutput::reject);
  connect(testData_, &QPushButton::clicked, this, [this] { Transmit(CMD_TRANSMIT_TEST_DATA); });
  connect(failData_, &QPushButton::clicked, this, [this] { Transmit(CMD_TRANSMIT_FAIL_DATA); });
  connect(matchData_, &QPushButton::clicked, this, [this] { Transmit(CMD_TRANSMIT_MATCH_STRING); });
  connect(applyRegex_, &QPushButton::clicked, this, &CConfigProcessTestOutput::OnApplyRegex);
  connect(expressions_, &QComboBox::activated, this, &CConfigProcessTestOutput::OnExpressionSelected);
  connect(matchAgainst_, &QComboBox::activated, this, &CConfigProcessTestOutput::OnMatchAgainstSelected);
  // A disconnect ends the session: the dialog closes, busy or not.
  connect(&dlg_, &CVarnisDatamatrixDlg::userInterfaceReset, this, [this] {
    if (isVisible()) QDialog::reject();
  });
}

CConfigProcessTestOutput::~CConfigProcessTestOutput() = default;

QPushButton* CConfigProcessTestOutput::button(int id) const {
  switch (id) {
    case 1: return ok_;
    case 2: return cancel_;
    case 1114: return testData_;
    case 1115: return failData_;
    case 1116: return matchData_;
    case 1117: return applyRegex_;
    default: return nullptr;
  }
}

int CConfigProcessTestOutput::Run() {
  OnInitDialog();
  previousOwner_ = dlg_.messageOwner() == &dlg_ ? nullptr : dlg_.messageOwner();
  dlg_.setMessageOwner(this);
  const int result = dlg_.prompt().runDialog(*this);
  dlg_.setMessageOwner(previousOwner_);
  return result;
}

void CConfigProcessTestOutput::OnInitDialog() {
  LoadLanguageTexts();
  const int mode = host_.outputModeItem();
  matchData_->setEnabled(mode >= 2 && mode <= 4);
  EnableRegexControls(mode == 5 || mode == 6);
  FillLists();
  matchAgainst_->setCurrentIndex(0);
  OnMatchAgainstSelected(0);
  m_strResult.clear();
  MainDialogState& s = dlg_.state();
  s.m_strRegexResult.clear();
  s.m_nRegexResult = 0;
  m_bNoMatch = 0;
  UpdateResult();
}

void CConfigProcessTestOutput::LoadLanguageTexts() {
  setWindowTitle(dlg_.text(1084));
  transmitBox_->setTitle(dlg_.text(8103));
  testData_->setText(dlg_.text(8100));
  failData_->setText(dlg_.text(8101));
  matchData_->setText(dlg_.text(8102));
  regexBox_->setTitle(dlg_.text(8104));
  expressionLabel_->setText(dlg_.text(8105));
  goodReadingLabel_->setText(dlg_.text(8106));
  matchAgainstLabel_->setText(dlg_.text(8107));
  applyRegex_->setText(dlg_.text(8108));
  resultTitle_->setText(dlg_.text(8109));
  cancel_->setText(dlg_.text(9202));
  ok_->setText(dlg_.text(9203));
  const int selected = matchAgainst_->currentIndex();
  if (matchAgainst_->count() == 0)
    matchAgainst_->addItem(dlg_.text(8110));
  else
    matchAgainst_->setItemText(0, dlg_.text(8110));
  if (selected >= 0) matchAgainst_->setCurrentIndex(selected);
}

void CConfigProcessTestOutput::EnableRegexControls(bool on) {
  for (QWidget* w : std::initializer_list<QWidget*>{regexBox_, expressionLabel_, expressions_, goodReadingLabel_,
                                                    goodReading_, matchAgainstLabel_, matchAgainst_, applyRegex_,
                                                    resultTitle_})
    w->setEnabled(on);
}

// The history, tab 1's texts, and the codes of the last reading (at most the
// 100 kept; empty and blank ones are no candidates).
void CConfigProcessTestOutput::FillLists() {
  expressions_->clear();
  expressions_->addItems(dlg_.referenceCodes());
  expressions_->setCurrentIndex(-1);
  expressions_->setEditText(host_.referenceCode());
  goodReading_->setText(host_.matchString());
  while (matchAgainst_->count() > 1) matchAgainst_->removeItem(1);
  const MainDialogState& s = dlg_.state();
  const int count = std::min({s.m_nReadCount, kMaxCodesPerReading, static_cast<int>(s.m_ResultTexts.size())});
  for (int i = 0; i < count; ++i) {
    const std::string& text = s.m_ResultTexts[static_cast<std::size_t>(i)];
    if (text.empty() || text == " ") continue;
    matchAgainst_->addItem(QString::fromStdString(text));
  }
}

void CConfigProcessTestOutput::Transmit(int command) {
  MainDialogState& s = dlg_.state();
  if (s.m_bBusy) return;
  s.m_bBusy = 1;
  if (host_.ApplySettings() != 0) {
    s.m_bBusy = 0;
    return;
  }
  dlg_.PostSensorCommand(command);
}

// Checked as OK checks them, so that what is tried is what OK would keep.
void CConfigProcessTestOutput::OnApplyRegex() {
  MainDialogState& s = dlg_.state();
  if (s.m_bBusy) return;
  if (ValidateTexts() != 0 || CheckLengths()) return;
  s.m_bBusy = 1;
  CollectRegexInputs();
  dlg_.PostSensorCommand(CMD_APPLY_REGEX);
}

void CConfigProcessTestOutput::CollectRegexInputs() {
  MainDialogState& s = dlg_.state();
  s.m_strRegexText1 = expressions_->currentText().toStdU16String();
  s.m_strRegexText2 = goodReading_->text().toStdU16String();
  s.m_strRegexText3 = matchAgainst_->currentText().toStdU16String();
}

void CConfigProcessTestOutput::ShowRegexResult(int matched) {
  if (matched) {
    m_strResult = QString::fromStdU16String(dlg_.state().m_strRegexResult);
    m_bNoMatch = 0;
  } else {
    m_strResult = dlg_.text(9806);
    m_bNoMatch = 1;
  }
  UpdateResult();
}

// No match: red in the language's font, 15 pixels high; else black.
void CConfigProcessTestOutput::UpdateResult() {
  result_->setText(m_strResult);
  QPalette palette = result_->palette();
  palette.setColor(QPalette::WindowText, m_bNoMatch ? QColor(255, 0, 0) : QColor(0, 0, 0));
  result_->setPalette(palette);
  QFont font = this->font();
  if (m_bNoMatch) {
    font.setFamily(dlg_.text(10002));
    font.setPixelSize(15);
    font.setWeight(QFont::Normal);
  }
  result_->setFont(font);
}

void CConfigProcessTestOutput::OnExpressionSelected(int index) {
  m_nSelectedExpression = index;
  m_strSelectedExpression = expressions_->itemText(index);
}

void CConfigProcessTestOutput::OnMatchAgainstSelected(int index) {
  if (QLineEdit* edit = matchAgainst_->lineEdit()) edit->setReadOnly(index != 0);
}

// The message, then the focus on the text at fault (the good-reading string selected).
bool CConfigProcessTestOutput::Refuse(int message, QWidget* control) {
  dlg_.prompt().message(dlg_.messageOwner(), dlg_.text(message), dlg_.messageTitle(), QMessageBox::Information);
  control->setFocus();
  if (control == goodReading_) goodReading_->selectAll();
  return true;
}

int CConfigProcessTestOutput::ValidateTexts() {
  const auto bad = [](const QString& text) { return HasControlChars(text.toStdU16String()); };
  const std::pair<QString, QWidget*> fields[] = {{expressions_->currentText(), expressions_},
                                                 {goodReading_->text(), goodReading_},
                                                 {matchAgainst_->currentText(), matchAgainst_}};
  for (const auto& [text, control] : fields)
    if (bad(text)) return Refuse(9921, control) ? 1 : 0;
  return 0;
}

bool CConfigProcessTestOutput::CheckLengths() {
  if (expressions_->currentText().size() > kMaxExpressionLength) return Refuse(8209, expressions_);
  if (goodReading_->text().size() > kMaxGoodReadingLength) return Refuse(8208, goodReading_);
  if (matchAgainst_->currentText().size() > kMaxExpressionLength) return Refuse(8209, matchAgainst_);
  return false;
}

void CConfigProcessTestOutput::accept() {
  if (dlg_.state().m_bBusy || ValidateTexts() != 0 || CheckLengths()) return;
  const QString expression = expressions_->currentText();
  const QString goodReading = goodReading_->text();

  // A full history replaces the chosen entry; otherwise a new expression is
  // appended once and becomes the chosen one.
  QStringList& codes = dlg_.referenceCodes();
  if (codes.size() >= kHistorySize) {
    if (m_nSelectedExpression >= 0 && m_nSelectedExpression < codes.size()) {
      codes[m_nSelectedExpression] = expression;
      m_strSelectedExpression = expression;
    }
  } else if (expression != m_strSelectedExpression && !expression.isEmpty()) {
    codes.append(expression);
    m_nSelectedExpression = static_cast<int>(codes.size()) - 1;
    m_strSelectedExpression = expression;
  }
  if (dlg_.settings().WriteReferenceCodes(codes) != 0) dlg_.WarnSettingsNotSaved();

  host_.SetReferenceCode(expression);
  host_.SetMatchString(goodReading);
  QDialog::accept();
}

void CConfigProcessTestOutput::reject() {
  if (dlg_.state().m_bBusy) return;
  QDialog::reject();
}
