#include "code_geometry_dialog.h"

#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <cmath>

#include "controls/num_spin_ctrl.h"
#include "core/main_dialog_state.h"
#include "field_check.h"
#include "tab_edits.h"
#include "window/main_window.h"
#include "xml_words.h"

namespace {

constexpr int kMinSize = 2;
constexpr int kMaxSize = 100;
constexpr double kMinAspect = 0.5;
constexpr double kMaxAspect = 20.0;

bool IsClipboardKey(const QKeyEvent* key) {
  const auto mods = key->modifiers();
  if (key->key() == Qt::Key_Insert) return mods & (Qt::ShiftModifier | Qt::ControlModifier);
  if (mods & Qt::ControlModifier) return key->key() == Qt::Key_C || key->key() == Qt::Key_V || key->key() == Qt::Key_X;
  return key->matches(QKeySequence::Copy) || key->matches(QKeySequence::Paste) || key->matches(QKeySequence::Cut);
}

QComboBox* ThreeWayList(QWidget* parent, int id) {
  auto* list = new QComboBox(parent);
  list->setObjectName(QStringLiteral("id%1").arg(id));
  list->setFocusPolicy(Qt::StrongFocus);
  for (int i = 0; i < 3; ++i) list->addItem(QString());
  return list;
}

void SetItems(QComboBox* list, const QString& a, const QString& b, const QString& c) {
  list->setItemText(0, a);
  list->setItemText(1, b);
  list->setItemText(2, c);
}

}  // namespace

double CutAspect(const QString& text) {
  QString cut = text;
  if (const int point = cut.indexOf(u'.'); point >= 0) cut.truncate(point + 2);
  return readLeadingNumber(cut);
}

// --- GeometryDialogBase ---

GeometryDialogBase::GeometryDialogBase(CodeDefinitionContext& ctx, int titleId)
    : QDialog(ctx.dlg.messageOwner()), ctx_(ctx), titleId_(titleId) {
  check_ = std::make_unique<FieldCheck>(ctx.state(), this);
  ok_ = new QPushButton(this);
  ok_->setObjectName(QStringLiteral("id1"));
  cancel_ = new QPushButton(this);
  cancel_->setObjectName(QStringLiteral("id2"));
  ok_->setDefault(true);
  connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
  // A disconnect closes the dialog; nothing is written.
  connect(&ctx.dlg, &CVarnisDatamatrixDlg::userInterfaceReset, this, &QDialog::reject);
  installEventFilter(this);
}

GeometryDialogBase::~GeometryDialogBase() { check_.reset(); }

int GeometryDialogBase::Run() {
  cancelling_ = false;
  return ctx_.dlg.prompt().runDialog(*this);
}

void GeometryDialogBase::reject() {
  cancelling_ = true;
  QDialog::reject();
}

QLineEdit* GeometryDialogBase::AddEdit(int id, int limit) {
  auto* edit = new QLineEdit(this);
  edit->setObjectName(QStringLiteral("id%1").arg(id));
  edit->setMaxLength(limit);
  edit->setFixedWidth(48);
  // No clipboard: neither the context menu nor a middle-click paste.
  edit->setContextMenuPolicy(Qt::NoContextMenu);
  edit->installEventFilter(this);
  return edit;
}

CNumSpinCtrl* GeometryDialogBase::AddSpin(int id, QLineEdit* buddy, double min, double max, double step, int decimals) {
  auto* spin = new CNumSpinCtrl(this);
  spin->setObjectName(QStringLiteral("id%1").arg(id));
  spin->setBuddy(buddy);
  spin->SetDecimals(decimals);
  spin->SetRangeAndStep(min, max, step);
  return spin;
}

void GeometryDialogBase::WatchEdit(QLineEdit* edit, std::function<void()> check) {
  // A refusal runs as a guarded check: the focus moves of its own message
  // check nothing, and the user's next move out of the field checks it again.
  check_->watch(edit, std::move(check), [this](QWidget* to) { return to == cancel_ || cancelling_; });
}

bool GeometryDialogBase::CheckIntField(QLineEdit* edit, int& member, int messageId, bool fromOk) {
  if (edit->text().isEmpty()) {
    // OK reads an empty field as no number at all.
    if (fromOk) return FailField(edit, messageId);
    // Leaving an emptied field shows its last accepted value again.
    edit->setText(QString::number(member));
    return true;
  }
  const int value = EditInt(edit);
  if (value < kMinSize || value > kMaxSize) return FailField(edit, messageId);
  // Only an accepted value is kept: a refused one must not come back later.
  member = value;
  return true;
}

bool GeometryDialogBase::CheckRealField(QLineEdit* edit, double& member, int messageId, bool fromOk) {
  if (edit->text().isEmpty()) {
    if (fromOk) return FailField(edit, messageId);
    edit->setText(QString::number(member, 'f', 1));
    return true;
  }
  const double value = fromOk ? CutAspect(edit->text()) : readLeadingNumber(edit->text());
  if (value < kMinAspect || value > kMaxAspect) return FailField(edit, messageId);
  member = value;
  return true;
}

bool GeometryDialogBase::FailField(QLineEdit* edit, int messageId) {
  ctx_.Message(messageId, 9860, QMessageBox::Warning);
  edit->setFocus();
  edit->selectAll();
  return false;
}

void GeometryDialogBase::ShowOrderError(QWidget* w) {
  ctx_.Message(6071, 0, QMessageBox::Warning);
  w->setFocus();
  if (auto* edit = qobject_cast<QLineEdit*>(w)) edit->selectAll();
}

bool GeometryDialogBase::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick: {
      const auto button = static_cast<QMouseEvent*>(event)->button();
      if (button == Qt::RightButton) return true;
      // A middle click would paste the selection.
      if (button == Qt::MiddleButton && qobject_cast<QLineEdit*>(watched)) return true;
      break;
    }
    case QEvent::KeyPress: {
      auto* key = static_cast<QKeyEvent*>(event);
      if (IsClipboardKey(key)) return true;
      const bool shifted = key->modifiers() & Qt::ShiftModifier;
      if ((key->key() == Qt::Key_Backtab || (shifted && (key->key() == Qt::Key_Tab || key->key() == Qt::Key_PageUp ||
                                                          key->key() == Qt::Key_PageDown))) &&
          QApplication::focusWidget() == firstEdit()) {
        bool passed = true;
        check_->runGuarded([&] { passed = CheckFirstEdit(); });
        if (!passed) return true;
      }
      break;
    }
    default:
      break;
  }
  return QDialog::eventFilter(watched, event);
}

// --- CodeGeometryDialog (ECC 200, QR Code, Aztec Code) ---

CodeGeometryDialog::CodeGeometryDialog(CodeDefinitionContext& ctx, int titleId, GeometryFields fields)
    : GeometryDialogBase(ctx, titleId), fields_(fields) {
  auto* grid = new QGridLayout(this);
  from_ = AddEdit(1147, 3);
  to_ = AddEdit(1148, 3);
  for (QLineEdit* e : {from_, to_})
    e->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), e));
  from_->setText(QString::number(sizeMin_));
  to_->setText(QString::number(sizeMax_));
  auto* fromSpin = AddSpin(1149, from_, kMinSize, kMaxSize, 1, 0);
  auto* toSpin = AddSpin(1150, to_, kMinSize, kMaxSize, 1, 0);
  auto addLabel = [&](int id) {
    auto* label = new QLabel(this);
    label->setObjectName(QStringLiteral("label%1").arg(id));
    label->setProperty("textId", id);
    labels_.append(label);
    return label;
  };
  auto* sizeRow = new QHBoxLayout;
  sizeRow->addWidget(from_);
  sizeRow->addWidget(fromSpin);
  sizeRow->addWidget(addLabel(7118));
  sizeRow->addWidget(to_);
  sizeRow->addWidget(toSpin);
  sizeRow->addStretch();
  grid->addWidget(addLabel(7120), 0, 0);
  grid->addLayout(sizeRow, 0, 1);
  static const int kGapIds[4] = {1135, 1151, 1152, 1153};
  static const int kGapLabels[4] = {7108, 7111, 7112, 7115};
  for (int i = 0; i < 4; ++i) {
    gaps_[i] = ThreeWayList(this, kGapIds[i]);
    grid->addWidget(addLabel(kGapLabels[i]), 1 + i, 0);
    grid->addWidget(gaps_[i], 1 + i, 1);
  }
  int row = 5;
  if (fields_.grid != nullptr) {
    grid_ = ThreeWayList(this, 1154);
    grid->addWidget(addLabel(7091), row, 0);
    grid->addWidget(grid_, row, 1);
    ++row;
  }
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok_);
  buttons->addWidget(cancel_);
  grid->addLayout(buttons, row, 0, 1, 2);

  WatchEdit(from_, [this] { CheckIntField(from_, sizeMin_, 9865, false); });
  WatchEdit(to_, [this] { CheckIntField(to_, sizeMax_, 9866, false); });
  // OnInitDialog: provisional choices, texts, then the stored settings.
  gaps_[0]->setCurrentIndex(0);
  gaps_[1]->setCurrentIndex(1);
  gaps_[2]->setCurrentIndex(0);
  gaps_[3]->setCurrentIndex(1);
  LoadLanguageTexts();
  ShowGeometry();
}

void CodeGeometryDialog::LoadLanguageTexts() {
  setWindowTitle(ctx_.text(titleId_));
  for (QLabel* label : labels_) label->setText(ctx_.text(label->property("textId").toInt()));
  for (QComboBox* gap : gaps_) SetItems(gap, ctx_.text(7106), ctx_.text(7109), ctx_.text(7110));
  if (grid_) SetItems(grid_, ctx_.text(7101), ctx_.text(7092), ctx_.text(7093));
  ok_->setText(ctx_.text(9203));
  cancel_->setText(ctx_.text(9202));
}

void CodeGeometryDialog::ShowGeometry() {
  sizeMin_ = *fields_.sizeMin;
  sizeMax_ = *fields_.sizeMax;
  Text256* stored[4] = {fields_.gapColMin, fields_.gapColMax, fields_.gapRowMin, fields_.gapRowMax};
  for (int i = 0; i < 4; ++i) gaps_[i]->setCurrentIndex(IndexOfWord(kGapWords, std::string(stored[i]->view())));
  if (grid_) grid_->setCurrentIndex(IndexOfWord(kGridWords, std::string(fields_.grid->view())));
  from_->setText(QString::number(sizeMin_));
  to_->setText(QString::number(sizeMax_));
}

bool CodeGeometryDialog::CheckFirstEdit() { return CheckIntField(from_, sizeMin_, 9865, true); }

void CodeGeometryDialog::accept() {
  bool done = false;
  check_->runGuarded([&] {
    if (!CheckIntField(from_, sizeMin_, 9865, true) || !CheckIntField(to_, sizeMax_, 9865, true)) return;
    if (sizeMin_ > sizeMax_) return ShowOrderError(from_);
    if (gaps_[0]->currentIndex() > gaps_[1]->currentIndex()) return ShowOrderError(gaps_[0]);
    if (gaps_[2]->currentIndex() > gaps_[3]->currentIndex()) return ShowOrderError(gaps_[2]);
    *fields_.sizeMin = sizeMin_;
    *fields_.sizeMax = sizeMax_;
    Text256* stored[4] = {fields_.gapColMin, fields_.gapColMax, fields_.gapRowMin, fields_.gapRowMax};
    for (int i = 0; i < 4; ++i) stored[i]->Assign(ModuleGapWord(gaps_[i]->currentIndex()));
    if (grid_) fields_.grid->Assign(WordOfIndex(kGridWords, grid_->currentIndex()));
    done = true;
  });
  if (done) QDialog::accept();
}

namespace {

template <class Settings>
GeometryFields FieldsOf(Settings& s) {
  return GeometryFields{&s.module_size_min,    &s.module_size_max,    &s.module_gap_col_min, &s.module_gap_col_max,
                        &s.module_gap_row_min, &s.module_gap_row_max, nullptr};
}

GeometryFields Ecc200Fields(ECC200Settings& s) {
  GeometryFields f = FieldsOf(s);
  f.grid = &s.module_grid;
  return f;
}

}  // namespace

CECC200CodeGeometry::CECC200CodeGeometry(CodeDefinitionContext& ctx)
    : CodeGeometryDialog(ctx, 7095, Ecc200Fields(ctx.state().m_Ecc200Settings)) {
  setObjectName(QStringLiteral("CECC200CodeGeometry"));
}
CQRCodeGeometry::CQRCodeGeometry(CodeDefinitionContext& ctx)
    : CodeGeometryDialog(ctx, 7097, FieldsOf(ctx.state().m_QRCodeSettings)) {
  setObjectName(QStringLiteral("CQRCodeGeometry"));
}
CAztecCodeGeometry::CAztecCodeGeometry(CodeDefinitionContext& ctx)
    : CodeGeometryDialog(ctx, 20032, FieldsOf(ctx.state().m_AztecSettings)) {
  setObjectName(QStringLiteral("CAztecCodeGeometry"));
}

// --- CPDF417CodeGeometry ---

CPDF417CodeGeometry::CPDF417CodeGeometry(CodeDefinitionContext& ctx) : GeometryDialogBase(ctx, 7096) {
  setObjectName(QStringLiteral("CPDF417CodeGeometry"));
  auto* grid = new QGridLayout(this);
  widthMin_ = AddEdit(1141, 3);
  widthMax_ = AddEdit(1142, 3);
  aspectMin_ = AddEdit(1147, 4);
  aspectMax_ = AddEdit(1149, 4);
  for (QLineEdit* e : {widthMin_, widthMax_})
    e->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), e));
  ShowGeometry();
  struct Row {
    int label;
    QLineEdit* edit;
    int spin;
    double min, max, step;
    int decimals;
  };
  const Row rows[4] = {{7134, widthMin_, 1143, 2, 100, 1, 0},
                       {7135, widthMax_, 1144, 2, 100, 1, 0},
                       {7113, aspectMin_, 1148, kMinAspect, kMaxAspect, 0.1, 1},
                       {7114, aspectMax_, 1150, kMinAspect, kMaxAspect, 0.1, 1}};
  for (int i = 0; i < 4; ++i) {
    auto* label = new QLabel(this);
    label->setProperty("textId", rows[i].label);
    labels_.append(label);
    grid->addWidget(label, i, 0);
    grid->addWidget(rows[i].edit, i, 1);
    grid->addWidget(AddSpin(rows[i].spin, rows[i].edit, rows[i].min, rows[i].max, rows[i].step, rows[i].decimals), i, 2);
  }
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok_);
  buttons->addWidget(cancel_);
  grid->addLayout(buttons, 4, 0, 1, 3);
  for (QLineEdit* e : {aspectMin_, aspectMax_})
    connect(e, &QLineEdit::textEdited, this, [this, e] { FilterAspect(e); });
  WatchEdit(widthMin_, [this] { CheckIntField(widthMin_, widthMinValue_, 9874, false); });
  WatchEdit(widthMax_, [this] { CheckIntField(widthMax_, widthMaxValue_, 9875, false); });
  WatchEdit(aspectMin_, [this] { CheckRealField(aspectMin_, aspectMinValue_, 9876, false); });
  WatchEdit(aspectMax_, [this] { CheckRealField(aspectMax_, aspectMaxValue_, 9877, false); });
  LoadLanguageTexts();
}

void CPDF417CodeGeometry::LoadLanguageTexts() {
  setWindowTitle(ctx_.text(titleId_));
  for (QLabel* label : labels_) label->setText(ctx_.text(label->property("textId").toInt()));
  ok_->setText(ctx_.text(9203));
  cancel_->setText(ctx_.text(9202));
}

void CPDF417CodeGeometry::ShowGeometry() {
  const PDF417Settings& s = ctx_.state().m_Pdf417Settings;
  widthMinValue_ = s.module_width_min;
  widthMaxValue_ = s.module_width_max;
  aspectMinValue_ = s.module_aspect_min;
  aspectMaxValue_ = s.module_aspect_max;
  widthMin_->setText(QString::number(widthMinValue_));
  widthMax_->setText(QString::number(widthMaxValue_));
  // One decimal, trailing zeros kept.
  aspectMin_->setText(formatSpinValue(aspectMinValue_, 1, false));
  aspectMax_->setText(formatSpinValue(aspectMaxValue_, 1, false));
}

// Digits and one point only; the caret goes to the end.
void CPDF417CodeGeometry::FilterAspect(QLineEdit* edit) {
  const QString kept = DigitsAndOnePoint(edit->text());
  if (kept == edit->text()) return;
  edit->setText(kept);
  edit->setCursorPosition(kept.size());
}

bool CPDF417CodeGeometry::CheckFirstEdit() { return CheckIntField(widthMin_, widthMinValue_, 9865, true); }

void CPDF417CodeGeometry::accept() {
  bool done = false;
  check_->runGuarded([&] {
    if (!CheckIntField(widthMin_, widthMinValue_, 9865, true) || !CheckIntField(widthMax_, widthMaxValue_, 9865, true))
      return;
    if (widthMinValue_ > widthMaxValue_) return ShowOrderError(widthMin_);
    if (!CheckRealField(aspectMin_, aspectMinValue_, 9877, true) ||
        !CheckRealField(aspectMax_, aspectMaxValue_, 9877, true))
      return;
    if (aspectMaxValue_ < aspectMinValue_) return ShowOrderError(aspectMin_);
    PDF417Settings& s = ctx_.state().m_Pdf417Settings;
    s.module_width_min = widthMinValue_;
    s.module_width_max = widthMaxValue_;
    s.module_aspect_min = aspectMinValue_;
    s.module_aspect_max = aspectMaxValue_;
    done = true;
  });
  if (done) QDialog::accept();
}
