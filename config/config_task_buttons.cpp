#include "config/config_task_buttons.h"

#include <QApplication>
#include <QLabel>

#include "commands/main_dialog_helpers.h"
#include "controls/transparent_button.h"
#include "core/main_dialog_state.h"
#include "core/sensor_command.h"
#include "log/log.h"
#include "window/dialog_control.h"
#include "window/main_window.h"

namespace {

constexpr std::uint32_t kTransparent = 0x00FF00;
constexpr int kWoiOverlay = 0;
// Wizard steps and page ids of the four pages.
constexpr int kSteps[kPageButtons] = {7, 11, 15, 18};
constexpr int kPageIds[kPageButtons] = {7, 9, 10, 14};

// The wait cursor for the length of a switch.
struct WaitCursor {
  WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~WaitCursor() { QApplication::restoreOverrideCursor(); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;
};

}  // namespace

CConfigTaskButtons::CConfigTaskButtons() {
  setObjectName(QStringLiteral("CConfigTaskButtons"));
  for (int i = 0; i < kPageButtons; ++i) {
    const auto k = static_cast<std::size_t>(i);
    auto* b = new CTransparentButton(this);
    b->setObjectName(QStringLiteral("id%1").arg(kPageButtonIds[k]));
    b->setFocusPolicy(Qt::StrongFocus);
    buttons_[k] = b;
    auto* label = new QLabel(this);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->setWordWrap(true);
    labels_[k] = label;
  }
  connect(buttons_[kImageQuality], &QAbstractButton::clicked, this, [this] { OnImageQuality(); });
  connect(buttons_[kCodeDefinition], &QAbstractButton::clicked, this, [this] { OnCodeDefinition(); });
  connect(buttons_[kProcessInterface], &QAbstractButton::clicked, this, [this] { OnProcessInterface(); });
  connect(buttons_[kFunctionTest], &QAbstractButton::clicked, this, [this] { OnFunctionTest(); });
}

CConfigTaskButtons::~CConfigTaskButtons() = default;

MainDialogState& CConfigTaskButtons::state() const { return dlg_->state(); }
bool CConfigTaskButtons::existing() const { return dlg_->state().m_bEditExisting != 0; }

void CConfigTaskButtons::Attach(CVarnisDatamatrixDlg& dlg) {
  dlg_ = &dlg;
  // The strip across the top of the panel area, the pages below it.
  const int width = dlg.panelArea() ? dlg.panelArea()->width() : 356;
  setGeometry(0, 0, width, kStripHeight);
  const int column = width / kPageButtons;
  for (int i = 0; i < kPageButtons; ++i) {
    const auto k = static_cast<std::size_t>(i);
    buttons_[k]->setGeometry(i * column + (column - 44) / 2, 2, 44, 44);
    labels_[k]->setGeometry(i * column + 1, 47, column - 2, kStripHeight - 47);
  }
  SetButtonImagesByState();
  SetBitmap(kImageQuality, kBitmapCurrent);
  LoadLanguageTexts();
}

void CConfigTaskButtons::AddEditorPage(EditorPage& page, QWidget* widget) {
  const int index = static_cast<int>(page.editorPageKind());
  if (index < 0 || index >= kPageButtons) return;
  pages_[static_cast<std::size_t>(index)] = &page;
  pageWidgets_[static_cast<std::size_t>(index)] = widget;
  if (dlg_ && dlg_->panelArea() && widget) {
    const QRect area = dlg_->panelArea()->rect();
    widget->setGeometry(0, kStripHeight, area.width(), area.height() - kStripHeight);
  }
}

void CConfigTaskButtons::LoadLanguageTexts() {
  if (!dlg_) return;
  setWindowTitle(dlg_->text(1072));
  const QString texts[kPageButtons] = {QStringLiteral("%1 /\n%2").arg(dlg_->text(8500), dlg_->text(8503)),
                                       dlg_->text(8501), dlg_->text(8502), dlg_->text(8504)};
  for (std::size_t k = 0; k < kPageButtons; ++k) {
    labels_[k]->setText(texts[k]);
    buttons_[k]->setToolTip(QString(texts[k]).replace('\n', ' '));
  }
}

// --- Pictures and open buttons ---

void CConfigTaskButtons::SetBitmap(int page, int bitmap) {
  const auto k = static_cast<std::size_t>(page);
  bitmaps_[k] = bitmap;
  buttons_[k]->LoadBitmaps(bitmap, kTransparent);
}

void CConfigTaskButtons::ApplyLook(const PageButtonLook& look) {
  for (int i = 0; i < kPageButtons; ++i) {
    const auto k = static_cast<std::size_t>(i);
    if (look.bitmap[k] != kBitmapUnchanged) SetBitmap(i, look.bitmap[k]);
    Enable(i, look.enabled[k]);
  }
}

// The text below a locked button greys with it: the picture alone does not
// say that a click does nothing.
void CConfigTaskButtons::Enable(int page, bool on) {
  buttons_[static_cast<std::size_t>(page)]->setEnabled(on);
  labels_[static_cast<std::size_t>(page)]->setEnabled(on);
}

void CConfigTaskButtons::SetButtonImagesByState() {
  for (int i = 0; i < kPageButtons; ++i) SetBitmap(i, BitmapOfPageState(states_[static_cast<std::size_t>(i)]));
}

void CConfigTaskButtons::SetBitmaps(const std::array<int, kPageButtons>& bitmaps) {
  for (int i = 0; i < kPageButtons; ++i)
    if (bitmaps[static_cast<std::size_t>(i)] != kBitmapUnchanged) SetBitmap(i, bitmaps[static_cast<std::size_t>(i)]);
}

void CConfigTaskButtons::SetButtonImages(int scheme) { SetBitmaps(SchemeBitmaps(scheme)); }

void CConfigTaskButtons::ShowLiveImageLook(bool live) {
  if (!dlg_) return;
  SetBitmaps(LiveImageBitmaps(live, state().m_bEditorMode != 0, states_));
}

void CConfigTaskButtons::EnablePageButtons(bool enable) {
  for (int i = 0; i < kPageButtons; ++i) Enable(i, enable);
}

void CConfigTaskButtons::ShowTestLook(bool running) {
  if (!dlg_) return;
  ApplyLook(running ? TriggerTestLook(existing(), states_) : TriggerTestEndLook(existing(), states_));
}

void CConfigTaskButtons::ResetPageStates() {
  states_ = {};
  firstEntry_ = {};
  // Each new configuration detects its code on its own first entry.
  autoDetectDone_ = false;
}

// --- Saving steps ---

bool CConfigTaskButtons::SaveCodeDefinitionStep() {
  // Its check tells about a missing code type (6065) and focuses the list.
  EditorPage* page = pages_[kCodeDefinition];
  return !page || page->Validate() == 0;
}

bool CConfigTaskButtons::TriggerStep() {
  if (auto& trigger = dlg_->panels().trigger) {
    if (trigger->ValidateInput() != 0) return false;
    trigger->Store();
  }
  EditorPage* page = pages_[kImageQuality];
  return !page || page->Validate() == 0;
}

bool CConfigTaskButtons::ProcessInterfaceStep() {
  EditorPage* page = pages_[kProcessInterface];
  return !page || page->Validate() == 0;
}

bool CConfigTaskButtons::SaveSteps(bool codeDefinition) {
  return (!codeDefinition || SaveCodeDefinitionStep()) && TriggerStep() && ProcessInterfaceStep();
}

void CConfigTaskButtons::SetBusy(bool busy) { state().m_bBusy = busy ? 1 : 0; }

void CConfigTaskButtons::Fail() { SetBusy(false); }

// Refused while busy; else busy for the saving steps, cleared when one fails.
bool CConfigTaskButtons::BeginSwitch(bool codeDefinitionStep) {
  MainDialogState& s = state();
  if (s.m_bBusy) return false;
  s.m_bKeepExposureDisabled = 0;
  SetBusy(true);
  if (SaveSteps(codeDefinitionStep)) return true;
  Fail();
  return false;
}

// --- The switch ---

void CConfigTaskButtons::Enter(int page) {
  auto& s = states_[static_cast<std::size_t>(page)];
  entering_first_ = s == kPageNotShown;
  s = kPageEntering;
}

// The common end: the page alone under the strip, its title, the buttons.
void CConfigTaskButtons::ShowPage(int page) {
  MainDialogState& s = state();
  MainPanels& panels = dlg_->panels();
  const PageStates before = states_;
  QWidget* shown = pageWidgets_[static_cast<std::size_t>(page)];
  for (int i = 0; i < kPageButtons; ++i) {
    QWidget* w = pageWidgets_[static_cast<std::size_t>(i)];
    if (i != page && w && w->isVisible() && pages_[static_cast<std::size_t>(i)]) pages_[static_cast<std::size_t>(i)]->Leave();
  }
  for (Panel* p : panels.pages())
    if (p->widget() != this && p->widget() != shown) p->widget()->hide();
  if (panels.configManager) panels.configManager->ShowTree(false);
  show();
  raise();
  if (shown) {
    shown->show();
    pages_[static_cast<std::size_t>(page)]->Enter(entering_first_);
  }
  s.m_nWizardStep = kSteps[page];
  s.m_nPageTitle = kPageIds[page];
  if (CDialogControl* control = dlg_->dialogControlIfMade()) control->SetPageTitle(kPageIds[page]);
  SetButtonImagesByState();
  ApplyLook(SwitchEndLook(page, existing(), before));
  states_[static_cast<std::size_t>(page)] = kPageShown;
}

void CConfigTaskButtons::ShowImageQualityPage() {
  if (!dlg_) return;
  MainDialogState& s = state();
  MainPanels& panels = dlg_->panels();
  s.m_bImageQualityView = 1;
  s.m_bCodeDefinitionView = 0;
  SetBusy(true);
  firstEntry_ = {};
  if (states_[kImageQuality] != kPageShown && panels.imageQuality) panels.imageQuality->ResetControls();
  if (panels.trigger) {
    // The editor opens: its configuration's read shows the sensor's N and T.
    if (states_[kImageQuality] == kPageNotShown) panels.trigger->ForgetTypedInput();
    panels.trigger->RestoreControls();
  }
  Enter(kImageQuality);
  if (CDialogControl* control = dlg_->dialogControlIfMade()) control->DisableConfigButtons();
  ShowPage(kImageQuality);
  dlg_->log().Clear();
}

void CConfigTaskButtons::OnImageQuality() {
  if (!dlg_) return;
  MainDialogState& s = state();
  if (s.m_bBusy) return;
  WaitCursor wait;
  SetBusy(true);
  if (existing() || s.m_bConfigModified) {
    if (!SaveCodeDefinitionStep()) return Fail();
  } else if (CodeDefinitionService* page = dlg_->panels().codeDefinition.get()) {
    page->ReadTab1Selection();
  }
  if (!TriggerStep() || !ProcessInterfaceStep()) return Fail();
  s.m_bConfigModified = 0;
  dlg_->PostSensorCommand(CMD_START_LIVE_IMAGE);
  ShowImageQualityPage();
  SetBusy(false);
}

void CConfigTaskButtons::OnCodeDefinition() {
  if (!dlg_) return;
  WaitCursor wait;
  if (!BeginSwitch(false)) return;
  MainDialogState& s = state();
  s.m_bImageQualityView = 0;
  s.m_bCodeDefinitionView = 1;
  firstEntry_[1] = false;
  s.m_bConfigModified = 0;
  Enter(kCodeDefinition);
  if (s.m_bLiveImage) dlg_->StopLiveImage();
  ShowPage(kCodeDefinition);
  // A new configuration's first visit lets the sensor find its code; busy
  // until the detection's reply.
  if (!existing() && !autoDetectDone_) {
    firstEntry_[0] = true;
    autoDetectDone_ = true;
    dlg_->log().Clear();
    if (CodeDefinitionService* page = dlg_->panels().codeDefinition.get()) page->PrepareAutoDetect();
    s.m_nRecognition = s.m_nRecognitionMode;
    dlg_->PostSensorCommand(CMD_AUTO_DETECT_CODE);
  } else {
    SetBusy(false);
  }
  ShowWoiOverlay(*dlg_);
}

void CConfigTaskButtons::OnProcessInterface() {
  if (!dlg_) return;
  WaitCursor wait;
  // A missing code type stops the code definition's step (6065), before
  // anything of the page shown changes.
  if (!BeginSwitch(true)) return;
  MainDialogState& s = state();
  s.m_bImageQualityView = 0;
  s.m_bCodeDefinitionView = 0;
  firstEntry_ = {};
  s.m_bConfigModified = 0;
  Enter(kProcessInterface);
  if (s.m_bLiveImage) dlg_->StopLiveImage();
  if (auto& view = dlg_->panels().imageView) view->RemoveOverlaysOfKind(kWoiOverlay);
  ShowPage(kProcessInterface);
  dlg_->log().Clear();
  SetBusy(false);
}

void CConfigTaskButtons::OnFunctionTest() {
  if (!dlg_) return;
  WaitCursor wait;
  if (!BeginSwitch(true)) return;
  MainDialogState& s = state();
  MainPanels& panels = dlg_->panels();
  s.m_bImageQualityView = 0;
  s.m_bCodeDefinitionView = 0;
  Enter(kFunctionTest);
  if (s.m_bLiveImage) dlg_->StopLiveImage();
  if (panels.results) panels.results->ResetImageSlots();
  ShowWoiOverlay(*dlg_);
  ShowPage(kFunctionTest);
  if (panels.functionTest) panels.functionTest->ClearStatistics();
  dlg_->log().Clear();
  SetBusy(false);
}
