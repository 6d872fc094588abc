#include "config/config_trigger_setting.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>

#include "config/config_manager.h"
#include "config/config_tree_view.h"
#include "controls/button_draw.h"
#include "controls/num_spin_ctrl.h"
#include "core/main_dialog_state.h"
#include "core/sensor_command.h"
#include "log/log.h"
#include "records/sensor_configuration.h"
#include "window/dialog_control.h"
#include "window/main_window.h"

namespace {
constexpr int kFreeRunning = 3;
constexpr int kNMin = 1, kNMax = 100, kTMin = 100, kTMax = 10000;
CConfigTriggerSetting* g_instance = nullptr;

bool InRange(const QString& text, int low, int high) {
  bool ok = false;
  const int v = text.trimmed().toInt(&ok);
  return ok && v >= low && v <= high;
}

bool IsControl(const QWidget* w, int id) {
  const QString name = QStringLiteral("id%1").arg(id);
  for (; w != nullptr; w = w->parentWidget())
    if (w->objectName() == name) return true;
  return false;
}
}  // namespace

CConfigTriggerSetting* CConfigTriggerSetting::instance() { return g_instance; }

CConfigTriggerSetting::CConfigTriggerSetting(Writer write, QWidget* parent) : QWidget(parent), write_(std::move(write)) {
  g_instance = this;
  setObjectName(QStringLiteral("CConfigTriggerSetting"));
  auto named = [this](auto* w, int id) {
    w->setObjectName(QStringLiteral("id%1").arg(id));
    return w;
  };
  source_ = named(new QComboBox(this), 1170);
  window_ = named(new QCheckBox(this), 1171);
  n_ = named(new QLineEdit(this), 1169);
  t_ = named(new QLineEdit(this), 1139);
  n_->setMaxLength(3);
  t_->setMaxLength(5);
  nSpin_ = named(new CNumSpinCtrl(this), 1085);
  tSpin_ = named(new CNumSpinCtrl(this), 1086);
  nSpin_->setBuddy(n_);
  nSpin_->SetDecimals(0);
  nSpin_->SetRangeAndStep(kNMin, kNMax, 1);
  tSpin_->setBuddy(t_);
  tSpin_->SetDecimals(0);
  tSpin_->SetRangeAndStep(kTMin, kTMax, 100);
  test_ = named(new CButtonDraw(this), 1134);
  test_->setToggleMode(true);
  // Clicks take the focus, so leaving an edit by a click is checked.
  for (QWidget* w : std::initializer_list<QWidget*>{source_, window_, test_}) w->setFocusPolicy(Qt::StrongFocus);
  const int labelIds[5] = {1094, 1095, 1096, 1097, 1210};
  for (int i = 0; i < 5; ++i) {
    labels_[i] = named(new QLabel(this), labelIds[i]);
    labels_[i]->setWordWrap(i < 4);
  }

  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(12, 14, 12, 12);
  grid->setHorizontalSpacing(8);
  grid->setVerticalSpacing(10);
  grid->addWidget(labels_[0], 0, 0);
  grid->addWidget(source_, 0, 1, 1, 3);
  grid->addWidget(window_, 1, 0, 1, 4);
  auto addSpinRow = [&](int row, QLabel* label, QLineEdit* edit, CNumSpinCtrl* spin, QLabel* unit) {
    grid->addWidget(label, row, 0);
    auto* box = new QHBoxLayout;
    box->setSpacing(0);
    edit->setFixedWidth(60);
    box->addWidget(edit);
    spin->setFixedHeight(edit->sizeHint().height());
    box->addWidget(spin);
    box->addStretch(1);
    grid->addLayout(box, row, 1);
    if (unit) grid->addWidget(unit, row, 2);
  };
  addSpinRow(2, labels_[2], n_, nSpin_, nullptr);
  addSpinRow(3, labels_[3], t_, tSpin_, labels_[4]);
  labels_[1]->hide();  // the box carries its own text
  test_->setMinimumSize(120, 30);
  grid->addWidget(test_, 4, 0, 1, 2, Qt::AlignLeft);
  grid->setColumnStretch(3, 1);
  grid->setRowStretch(5, 1);

  connect(test_, &QAbstractButton::clicked, this, [this] { OnTestTrigger(); });
  connect(window_, &QAbstractButton::clicked, this, [this] { OnUseTriggerWindow(); });
  for (QLineEdit* edit : {n_, t_}) connect(edit, &QLineEdit::textEdited, this, [this] { typed_ = true; });
  for (CNumSpinCtrl* spin : {nSpin_, tSpin_}) connect(spin, &CNumSpinCtrl::deltaPos, this, [this] { typed_ = true; });
  connect(source_, &QComboBox::currentIndexChanged, this, [this] {
    if (!filling_) OnSourceChange();
  });
  focusWatch_ = connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget* now) {
    if ((old != n_ && old != t_) || checking_ || now == nullptr || now->window() != old->window()) return;
    // The editor's Escape leaves without a check; so does closing the program.
    if (IsControl(now, 1027) || (dlg_ && dlg_->state().m_bLeaving)) return;
    CheckField(static_cast<QLineEdit*>(old));
  });
  for (QWidget* w : std::initializer_list<QWidget*>{this, n_, t_, source_, window_, test_}) w->installEventFilter(this);
}

CConfigTriggerSetting::~CConfigTriggerSetting() {
  // QWidget's destructor still hides the page and moves the focus; by then
  // this object is only a QWidget and the watch must be gone.
  disconnect(focusWatch_);
  if (g_instance == this) g_instance = nullptr;
}

void CConfigTriggerSetting::Attach(CVarnisDatamatrixDlg& dlg) {
  dlg_ = &dlg;
  LoadLanguageTexts();
}

MainDialogState& CConfigTriggerSetting::state() const { return dlg_->state(); }

bool CConfigTriggerSetting::testRunning() const { return test_->isChecked(); }

bool CConfigTriggerSetting::windowAllowed() const {
  if (!dlg_) return true;
  auto* manager = dynamic_cast<CConfigManager*>(dlg_->panels().configManager.get());
  CConfigTreeView* tree = manager ? manager->tree() : nullptr;
  return tree == nullptr || tree->m_bTriggerWindowAllowed;
}

// The box explains itself while it is off for lack of a top-level selection.
void CConfigTriggerSetting::ShowWindowBox(bool allowed) {
  window_->setEnabled(allowed);
  window_->setToolTip(allowed || !dlg_ ? QString() : dlg_->text(5998));
}

void CConfigTriggerSetting::LoadLanguageTexts() {
  if (!dlg_) return;
  setWindowTitle(dlg_->text(1062));
  const int ids[5] = {8600, 8601, 8602, 8603, 8611};
  for (int i = 0; i < 5; ++i) labels_[i]->setText(dlg_->text(ids[i]));
  window_->setText(dlg_->text(8601));
  test_->setText(dlg_->text(8604));
  FillTriggerSourceCombo();
  if (!window_->isEnabled() && !window_->toolTip().isEmpty()) window_->setToolTip(dlg_->text(5998));
  if (testRunning()) dlg_->log().Add(dlg_->text(8609), state().m_messageColour);
}

void CConfigTriggerSetting::FillTriggerSourceCombo() {
  if (!dlg_) return;
  const MainDialogState& s = state();
  ProcIfSettings procIf;
  int interfaceName = 7805;
  if (CSensorConfiguration::GetInstance()->ExtractProcIf(s.m_SensorGlobals, procIf) == 0) {
    if (procIf.ProcIfInterfaceType == 0) interfaceName = 7806;
    if (procIf.ProcIfInterfaceType == 2) interfaceName = 7835;
  }
  const int kept = source_->currentIndex();
  filling_ = true;
  source_->clear();
  for (int id : {8606, 8607, interfaceName, 8605}) source_->addItem(dlg_->text(id));
  // Software triggering came with version 8020.
  if (QString::fromStdU16String(s.m_strSoftwareVersion).trimmed().toInt() >= 8020) source_->addItem(dlg_->text(8613));
  // The first item added is selected on its own; nothing shown stays so.
  source_->setCurrentIndex(kept < source_->count() ? kept : -1);
  filling_ = false;
}

void CConfigTriggerSetting::EnableWindowFields(bool on) {
  for (QWidget* w : std::initializer_list<QWidget*>{n_, t_, nSpin_, tSpin_}) w->setEnabled(on);
}

void CConfigTriggerSetting::FillFromConfig() {
  if (!dlg_) return;
  // A change still waiting for the sensor stays: the configuration read back
  // in that wait does not know it yet, and the write that waits sends it.
  if (writing_) {
    Store();
    return;
  }
  const TriggerSettings& tr = state().m_Configuration.trigger;
  const bool allowed = windowAllowed();
  const bool used = tr.TriggerWindow == 1 && allowed;
  EnableWindowFields(used);
  // N and T typed since the last store stay: they go with the next write
  // (the page switch's store, a source or box change).
  if (!typed_) {
    n_->setText(QString::number(tr.GoodReadingsTry));
    t_->setText(QString::number(tr.GoodReadingsWithinTime_value));
    nSpin_->SetPositionFromValue(tr.GoodReadingsTry);
    tSpin_->SetPositionFromValue(tr.GoodReadingsWithinTime_value);
  }
  filling_ = true;
  // A source the list does not offer (software triggering before 8020):
  // none shown, and Store keeps the stored one.
  source_->setCurrentIndex(tr.TriggerSource >= 0 && tr.TriggerSource < source_->count() ? tr.TriggerSource : -1);
  filling_ = false;
  window_->setChecked(used);
  if (tr.TriggerSource != kFreeRunning) {
    ShowWindowBox(allowed);
    if (!allowed) EnableWindowFields(false);
  } else {
    window_->setEnabled(false);
    EnableWindowFields(false);
  }
  // Read while the trigger test runs: its fields stay locked.
  if (testRunning()) LockForTest();
}

// Both spins too: N's arrows would change N under the running test.
void CConfigTriggerSetting::LockForTest() {
  for (QWidget* w : std::initializer_list<QWidget*>{source_, window_, n_, t_, nSpin_, tSpin_}) w->setEnabled(false);
}

int CConfigTriggerSetting::ValidateInput() {
  if (!window_->isChecked() || source_->currentIndex() == kFreeRunning) return 0;
  auto refuse = [](QLineEdit* edit, int selected) {
    edit->setFocus();
    if (selected > 0) edit->setSelection(0, selected);
    return 1;
  };
  if (n_->text().isEmpty()) return refuse(n_, 0);
  if (t_->text().isEmpty()) return refuse(t_, 0);
  if (!InRange(n_->text(), kNMin, kNMax)) return refuse(n_, 3);
  if (!InRange(t_->text(), kTMin, kTMax)) return refuse(t_, 6);
  return 0;
}

void CConfigTriggerSetting::Store() {
  typed_ = false;
  TriggerSettings& tr = state().m_Configuration.trigger;
  tr.GoodReadingsTry = n_->text().trimmed().toInt();
  if (source_->currentIndex() >= 0) tr.TriggerSource = source_->currentIndex();
  tr.GoodReadingsWithinTime_value = t_->text().trimmed().toInt();
  tr.TriggerWindow = window_->isChecked() ? 1 : 0;
}

// The writer waits for outstanding commands first, so a change made while
// the sensor is busy is written after them rather than dropped.
void CConfigTriggerSetting::WriteNow() {
  if (!write_) return;
  writing_ = true;
  write_(*dlg_);
  writing_ = false;
}

bool CConfigTriggerSetting::CheckField(QLineEdit* edit) {
  const bool isT = edit == t_;
  const bool ok = isT ? InRange(t_->text(), kTMin, kTMax) : InRange(n_->text(), kNMin, kNMax);
  rangeError_ = !ok;
  if (ok || !dlg_) return true;
  checking_ = true;
  edit->setText(isT ? QStringLiteral("100") : QStringLiteral("1"));
  dlg_->prompt().message(dlg_->messageOwner(), dlg_->text(isT ? 9853 : 9852), dlg_->text(9860), QMessageBox::Warning);
  edit->setFocus();
  edit->selectAll();
  checking_ = false;
  return false;
}

void CConfigTriggerSetting::OnUseTriggerWindow() {
  if (!dlg_) return;
  EnableWindowFields(window_->isChecked());
  state().m_Configuration.trigger.TriggerWindow = window_->isChecked() ? 1 : 0;
  Store();
  WriteNow();
}

void CConfigTriggerSetting::OnSourceChange() {
  if (!dlg_) return;
  if (source_->currentIndex() != kFreeRunning) {
    ShowWindowBox(windowAllowed());
    EnableWindowFields(window_->isEnabled() && window_->isChecked());
  } else {
    window_->setChecked(false);
    state().m_Configuration.trigger.TriggerWindow = 0;
    window_->setEnabled(false);
    EnableWindowFields(false);
  }
  if (ValidateInput() != 0) return;
  Store();
  WriteNow();
}

void CConfigTriggerSetting::OnTestTrigger() {
  if (!dlg_) return;
  MainDialogState& s = state();
  const bool starting = test_->isChecked();
  dlg_->log().Clear();
  if (ValidateInput() != 0) {
    // Refused: the button shows what runs, so the next click is a start again.
    test_->setChecked(!starting);
    return;
  }
  MainPanels& panels = dlg_->panels();
  if (!starting) {
    s.m_bBusy = 1;
    s.m_nSensorState = 5;
    dlg_->PostSensorCommand(CMD_TEST_TRIGGER_OFF);
    RestoreControls();
    return;
  }
  LockForTest();
  if (panels.imageQuality) panels.imageQuality->EnableTabs(false);
  if (CDialogControl* control = dlg_->dialogControlIfMade()) {
    control->EnableZoomButtons(false);
    control->EnableWizardButtons(false);
  }
  if (panels.taskButtons) panels.taskButtons->ShowTestLook(true);
  dlg_->log().Add(dlg_->text(8609), s.m_messageColour);
  stateBeforeTest_ = s.m_nSensorState;
  s.m_nSensorState = 6;
  dlg_->PostSensorCommand(CMD_TEST_TRIGGER_ON);
}

// The sensor refused the test: nothing runs, so nothing is left locked.
void CConfigTriggerSetting::OnCommandFailed(int command) {
  if (!dlg_ || command != CMD_TEST_TRIGGER_ON || !testRunning()) return;
  MainDialogState& s = state();
  s.m_bTestRunning = false;
  s.m_nSensorState = stateBeforeTest_;
  RestoreControls();
}

void CConfigTriggerSetting::RestoreControls() {
  if (!dlg_) return;
  test_->setChecked(false);
  source_->setEnabled(true);
  MainPanels& panels = dlg_->panels();
  if (panels.imageQuality) panels.imageQuality->EnableTabs(true);
  if (source_->currentIndex() != kFreeRunning) {
    ShowWindowBox(windowAllowed());
    EnableWindowFields(window_->isEnabled() && window_->isChecked());
  } else {
    window_->setEnabled(false);
    EnableWindowFields(false);
  }
  if (CDialogControl* control = dlg_->dialogControlIfMade()) {
    control->EnableWizardButtons(true);
    control->EnableZoomButtons(true);
    control->RestoreZoomButtons();
  }
  if (panels.taskButtons) panels.taskButtons->ShowTestLook(false);
}

// Enter, Escape and Space do not press the page's buttons; nor does the
// right mouse button or the clipboard keys in the edits.
bool CConfigTriggerSetting::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    const int k = key->key();
    if (k == Qt::Key_Return || k == Qt::Key_Enter || k == Qt::Key_Escape || k == Qt::Key_Space) return true;
    if (key->matches(QKeySequence::Copy) || key->matches(QKeySequence::Paste) || key->matches(QKeySequence::Cut))
      return true;
    if (k == Qt::Key_Insert && (key->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier))) return true;
  }
  if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonRelease) {
    if (static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) return true;
  }
  if (event->type() == QEvent::ContextMenu && (watched == n_ || watched == t_)) return true;
  return QWidget::eventFilter(watched, event);
}
