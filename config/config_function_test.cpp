#include "config/config_function_test.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QVBoxLayout>

#include "config/config_func_test_seq.h"
#include "controls/button_draw.h"
#include "core/main_dialog_state.h"
#include "core/sensor_command.h"
#include "window/dialog_control.h"
#include "window/main_window.h"

namespace {
constexpr int kFreeRunning = 3;
constexpr int kTestState = 7;
constexpr int kLeftTestState = 5;

template <class W>
W* Named(W* w, int id) {
  w->setObjectName(QStringLiteral("id%1").arg(id));
  return w;
}
}  // namespace

CConfigFunctionTest::CConfigFunctionTest(QWidget* parent)
    : QWidget(parent), m_statistics(Named(new QGroupBox(this), 1099)), m_stats(m_statistics) {
  setObjectName(QStringLiteral("id155"));
  m_general = Named(new QGroupBox(this), 1098);
  m_btnTestOn = Named(new CButtonDraw(m_general), 1135);
  m_btnTestOff = Named(new CButtonDraw(m_general), 1136);
  m_btnLive = Named(new CButtonDraw(m_general), 1137);
  m_btnSimulate = Named(new CButtonDraw(m_general), 1138);
  m_btnReset = Named(new CButtonDraw(m_statistics), 1144);
  m_lblGood = Named(new QLabel(m_statistics), 1100);
  m_lblFailed = Named(new QLabel(m_statistics), 1101);
  m_lblTotal = Named(new QLabel(m_statistics), 1102);
  seq_ = new CConfigFuncTestSeq(this);

  // Each button shows a state the page sets itself.
  for (CButtonDraw* b : {m_btnTestOn, m_btnTestOff, m_btnLive, m_btnSimulate, m_btnReset}) {
    b->setToggleMode(true);
    b->setFixedHeight(30);
  }
  for (QLineEdit* edit : {m_stats.goodEdit, m_stats.failedEdit, m_stats.totalEdit})
    edit->setFixedWidth(62);
  for (QLineEdit* edit : {m_stats.goodShareEdit, m_stats.failedShareEdit}) edit->setFixedWidth(58);

  auto* general = new QVBoxLayout(m_general);
  general->setSpacing(6);
  for (CButtonDraw* b : {m_btnTestOn, m_btnTestOff, m_btnLive, m_btnSimulate}) general->addWidget(b);

  auto* stats = new QGridLayout(m_statistics);
  stats->setHorizontalSpacing(4);
  stats->setVerticalSpacing(2);
  auto addRow = [&](int row, QLabel* label, QLineEdit* count, QLineEdit* share) {
    stats->addWidget(label, row, 0, 1, 3);
    stats->addWidget(count, row + 1, 0);
    if (share) {
      stats->addWidget(share, row + 1, 1);
      stats->addWidget(new QLabel(QStringLiteral("%"), m_statistics), row + 1, 2);
    }
    stats->setRowMinimumHeight(row + 1, 28);
  };
  addRow(0, m_lblGood, m_stats.goodEdit, m_stats.goodShareEdit);
  addRow(2, m_lblFailed, m_stats.failedEdit, m_stats.failedShareEdit);
  addRow(4, m_lblTotal, m_stats.totalEdit, nullptr);
  stats->setRowMinimumHeight(6, 8);
  stats->addWidget(m_btnReset, 7, 0, 1, 4);
  stats->setColumnStretch(3, 1);

  auto* left = new QVBoxLayout;
  left->setSpacing(8);
  left->addWidget(m_general);
  left->addWidget(m_statistics);
  left->addStretch(1);
  auto* page = new QHBoxLayout(this);
  page->setContentsMargins(8, 8, 8, 8);
  page->setSpacing(8);
  page->addLayout(left, 1);
  page->addWidget(seq_);

  connect(m_btnTestOn, &QAbstractButton::clicked, this, [this] { OnTestOn(); });
  connect(m_btnTestOff, &QAbstractButton::clicked, this, [this] { OnTestOff(); });
  connect(m_btnLive, &QAbstractButton::clicked, this, [this] { OnLive(); });
  connect(m_btnSimulate, &QAbstractButton::clicked, this, [this] { OnSimulateTrigger(); });
  connect(m_btnReset, &QAbstractButton::clicked, this, [this] { OnReset(); });
  seq_->setDisplayAllowed([this] { return !m_bLiveRunning && m_btnTestOff->isChecked(); });

  // Enter, Escape, Space and the right button never press a button here.
  installEventFilter(this);
  for (QWidget* child : std::initializer_list<QWidget*>{m_general, m_statistics, m_btnTestOn, m_btnTestOff, m_btnLive,
                                                         m_btnSimulate, m_btnReset, m_stats.goodEdit, m_stats.failedEdit,
                                                         m_stats.totalEdit, m_stats.goodShareEdit, m_stats.failedShareEdit})
    child->installEventFilter(this);

  Show(m_btnLive, true, false);
  Show(m_btnTestOn, true, false);
  Show(m_btnTestOff, true, true);
  Show(m_btnSimulate, false, false);
  Show(m_btnReset, false, false);
}

CConfigFunctionTest::~CConfigFunctionTest() = default;

void CConfigFunctionTest::Attach(CVarnisDatamatrixDlg& dlg) {
  dlg_ = &dlg;
  seq_->Attach(dlg);
  LoadLanguageTexts();
}

MainDialogState& CConfigFunctionTest::state() const { return dlg_->state(); }

bool CConfigFunctionTest::busy() const { return dlg_ && dlg_->state().m_bBusy; }

void CConfigFunctionTest::Show(CButtonDraw* button, bool enabled, bool checked) {
  button->setEnabled(enabled);
  button->setChecked(checked);
}

void CConfigFunctionTest::LoadLanguageTexts() {
  if (!dlg_) return;
  setWindowTitle(dlg_->text(1066));
  m_general->setTitle(dlg_->text(7700));
  m_statistics->setTitle(dlg_->text(7701));
  m_btnTestOn->setText(dlg_->text(7702));
  m_btnTestOff->setText(dlg_->text(7703));
  m_btnLive->setText(dlg_->text(7704));
  m_btnSimulate->setText(dlg_->text(7705));
  m_lblGood->setText(dlg_->text(7706));
  m_lblFailed->setText(dlg_->text(7707));
  m_lblTotal->setText(dlg_->text(7708));
  m_btnReset->setText(dlg_->text(7709));
  seq_->LoadLanguageTexts();
}

void CConfigFunctionTest::UpdateStatistics() {
  if (!dlg_) return;
  const MainDialogState& s = state();
  m_stats.Show(s.m_nTotalReadings, s.m_nGoodReadings, s.m_nFailedReadings);
  seq_->RefreshButtons();  // a reading was kept
}

void CConfigFunctionTest::ClearStatistics() {
  m_stats.Clear();
  if (!dlg_) return;
  state().m_nTotalReadings = 0;
  if (QLabel* pane = dlg_->statusPane(7)) pane->setText(QStringLiteral("%1 %2").arg(dlg_->text(1014)).arg(0));
  MainPanels& panels = dlg_->panels();
  if (panels.imageStore) panels.imageStore->FreeFrames();
  if (panels.imageView) panels.imageView->Render();
  m_btnReset->setChecked(false);
  seq_->HighlightFirstRow();
  seq_->RefreshButtons();  // nothing kept now
}

void CConfigFunctionTest::EnableEditorButtons(bool on) {
  if (CDialogControl* control = dlg_->dialogControlIfMade()) control->EnableWizardButtons(on);
  seq_->EnableButtons(on);
}

void CConfigFunctionTest::SetScheme(int scheme) {
  if (TaskButtonsService* buttons = dlg_->panels().taskButtons.get()) {
    buttons->SetButtonImages(scheme);
    buttons->EnablePageButtons(scheme != 5);
  }
}

void CConfigFunctionTest::ResetTestControls() {
  if (!dlg_) return;
  m_btnTestOff->setEnabled(true);
  m_btnTestOn->setEnabled(true);
  EnableEditorButtons(true);
  SetScheme(6);
  m_btnReset->setEnabled(false);
  seq_->EnableList(true);
  m_bLiveRunning = false;
}

void CConfigFunctionTest::ResetPage() {
  if (!dlg_) return;
  Show(m_btnSimulate, false, false);
  Show(m_btnReset, false, false);
  EnableEditorButtons(true);
  Show(m_btnTestOff, true, true);
  Show(m_btnTestOn, true, false);
  Show(m_btnLive, true, false);
  SetScheme(6);
  m_bTestRunning = false;
  m_bLiveRunning = false;
  seq_->EnableList(true);
  // The page's grid shows the stored pictures from now on.
  state().m_bFuncTestThumbnails = 1;
  seq_->HighlightFirstRow();
}

void CConfigFunctionTest::OnTestOn() {
  if (!dlg_ || busy() || m_bTestRunning) {
    m_btnTestOn->setChecked(m_bTestRunning);
    return;
  }
  MainDialogState& s = state();
  MainPanels& panels = dlg_->panels();
  if (panels.imageStore) panels.imageStore->ResetSlots();
  seq_->m_bDisplay = false;
  if (s.m_Configuration.trigger.TriggerSource != kFreeRunning) {
    Show(m_btnSimulate, true, false);
    Show(m_btnReset, true, false);
  } else {
    // The sensor reads on its own: no trigger to simulate.
    s.m_bBusy = 1;
    Show(m_btnSimulate, false, false);
    m_btnReset->setEnabled(true);
  }
  m_btnTestOff->setChecked(false);
  m_btnLive->setEnabled(false);
  m_btnTestOn->setChecked(true);
  ClearStatistics();
  EnableEditorButtons(false);
  m_nStateBeforeTest = s.m_nSensorState;
  s.m_nSensorState = kTestState;
  s.m_bFuncTestThumbnails = 1;
  m_bTestRunning = true;
  dlg_->PostSensorCommand(CMD_TEST_CONFIG_ON);
  SetScheme(5);
}

// A running test always stops, also while a reading is being fetched: the
// stop waits behind it.
void CConfigFunctionTest::OnTestOff() {
  if (!dlg_ || !m_bTestRunning) {
    m_btnTestOff->setChecked(!m_bTestRunning);
    return;
  }
  MainDialogState& s = state();
  Show(m_btnSimulate, false, false);
  Show(m_btnReset, false, false);
  seq_->m_bDisplay = false;
  EnableEditorButtons(true);
  m_btnTestOn->setChecked(false);
  m_btnTestOff->setChecked(true);
  Show(m_btnLive, true, false);
  SetScheme(6);
  s.m_nSensorState = kLeftTestState;
  m_bTestRunning = false;
  s.m_bBusy = 1;
  dlg_->PostSensorCommand(CMD_TEST_CONFIG_OFF);
}

void CConfigFunctionTest::OnLive() {
  if (!dlg_) return;
  MainDialogState& s = state();
  if (!m_btnLive->isChecked()) {
    // Stopping is always allowed.
    s.m_bBusy = 1;
    ResetTestControls();
    dlg_->PostSensorCommand(CMD_STOP_LIVE_IMAGE);
    return;
  }
  if (busy() || m_bTestRunning) {
    m_btnLive->setChecked(false);
    return;
  }
  Show(m_btnSimulate, false, false);
  m_btnTestOff->setEnabled(false);
  m_btnTestOn->setEnabled(false);
  Show(m_btnReset, false, false);
  EnableEditorButtons(false);
  SetScheme(5);
  m_btnTestOn->setChecked(false);
  m_btnTestOff->setChecked(true);
  seq_->EnableList(false);
  m_bLiveRunning = true;
  s.m_bBusy = 1;
  dlg_->PostSensorCommand(CMD_START_LIVE_IMAGE);
}

void CConfigFunctionTest::OnSimulateTrigger() {
  m_btnSimulate->setChecked(false);
  if (!dlg_ || busy()) return;
  state().m_bBusy = 1;
  dlg_->PostSensorCommand(CMD_SIMULATE_TRIGGER);
}

void CConfigFunctionTest::OnReset() {
  m_btnReset->setChecked(false);
  if (!dlg_ || busy()) return;
  state().m_bBusy = 1;
  dlg_->PostSensorCommand(CMD_RESET_STATISTICS);
}

// A start the sensor refused leaves the page, its buttons and the sensor
// state as they were before it.
void CConfigFunctionTest::OnCommandFailed(int command) {
  if (!dlg_) return;
  MainDialogState& s = state();
  if (command == CMD_TEST_CONFIG_ON && m_bTestRunning) {
    m_bTestRunning = false;
    s.m_bTestRunning = 0;
    s.m_nSensorState = m_nStateBeforeTest;
    Show(m_btnSimulate, false, false);
    Show(m_btnReset, false, false);
    m_btnTestOn->setChecked(false);
    m_btnTestOff->setChecked(true);
    Show(m_btnLive, true, false);
    EnableEditorButtons(true);
    SetScheme(6);
  } else if (command == CMD_START_LIVE_IMAGE && m_bLiveRunning) {
    m_btnLive->setChecked(false);
    ResetTestControls();
  }
}

bool CConfigFunctionTest::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
      // The read-only fields never take keys.
      if (qobject_cast<QLineEdit*>(watched)) return true;
      const int k = static_cast<QKeyEvent*>(event)->key();
      if (k == Qt::Key_Return || k == Qt::Key_Enter || k == Qt::Key_Escape || k == Qt::Key_Space) return true;
      break;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
      if (static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) return true;
      break;
    default:
      break;
  }
  return QWidget::eventFilter(watched, event);
}
