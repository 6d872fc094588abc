// The page's construction, texts and the services the main window calls.
#include "config_code_definition.h"

#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QVBoxLayout>

#include "code_definition_tabctrl.h"
#include "code_tab.h"
#include "commands/main_dialog_helpers.h"
#include "config_code_def_tab2.h"
#include "config_code_definition_tab1.h"
#include "controls/button_draw.h"
#include "core/code_types.h"
#include "core/main_dialog_state.h"
#include "field_check.h"
#include "window/main_window.h"

MainDialogState& CodeDefinitionContext::state() const { return dlg.state(); }
QString CodeDefinitionContext::text(int id) const { return dlg.text(id); }

QMessageBox::StandardButton CodeDefinitionContext::Message(int textId, int captionId, QMessageBox::Icon icon) const {
  return dlg.prompt().message(dlg.messageOwner(), dlg.text(textId),
                              captionId == 0 ? dlg.messageTitle() : dlg.text(captionId), icon);
}

void CodeDefinitionContext::ShowCodeTypeInStatusBar(const QString& name) const { dlg.ShowCodeTypeInStatusBar(name); }

CConfigCodeDefinition::CConfigCodeDefinition(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("CConfigCodeDefinition"));
  RegisterCodeTabs(factory_);
}

// The tabs go with the page's children, after the field check has stopped listening.
CConfigCodeDefinition::~CConfigCodeDefinition() { check_.reset(); }

// OnInitDialog: the tabs and buttons, once the main window exists.
void CConfigCodeDefinition::Attach(CVarnisDatamatrixDlg& dlg) {
  if (dlg_ != nullptr) return;
  dlg_ = &dlg;
  check_ = std::make_unique<FieldCheck>(dlg.state(), this);
  context_ = std::make_unique<CodeDefinitionContext>(CodeDefinitionContext{dlg, *check_, *this});

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  tabs_ = new CCodeDefinitionTabctrl(this);
  layout->addWidget(tabs_, 1);
  tab1_ = new CConfigCodeDefinitionTab1(*context_);
  tab2_ = new CConfigCodeDefTab2(*context_);
  codeTabHolder_ = new QWidget;
  codeTabHolder_->setObjectName(QStringLiteral("codeTab"));
  tabs_->AddPage(tab1_, QString(), 0);
  tabs_->AddPage(tab2_, QString(), 1);
  tabs_->AddPage(codeTabHolder_, QString(), 2);
  tabs_->EnableTab(2, false);
  tabs_->setChangeHandler([this](int newTab) { OnTabChange(newTab); });

  auto* buttons = new QHBoxLayout;
  readCode_ = new CButtonDraw(this);
  readCode_->setObjectName(QStringLiteral("id1080"));
  freeze_ = new CButtonDraw(this);
  freeze_->setObjectName(QStringLiteral("id1081"));
  liveButton_ = new CButtonDraw(this);
  liveButton_->setObjectName(QStringLiteral("id1082"));
  for (CButtonDraw* b : {readCode_, freeze_, liveButton_}) {
    b->setFocusPolicy(Qt::StrongFocus);
    b->setMinimumHeight(28);
    buttons->addWidget(b);
  }
  layout->addLayout(buttons);
  connect(readCode_, &QAbstractButton::clicked, this, [this] { OnReadCode(); });
  connect(freeze_, &QAbstractButton::clicked, this, [this] { OnFreeze(); });
  connect(liveButton_, &QAbstractButton::clicked, this, [this] { OnLive(); });
  ShowButtons(false, true, false);

  menu_ = new QMenu(this);
  menu_->setObjectName(QStringLiteral("ContextMenu"));
  QAction* use = menu_->addAction(QString());
  use->setObjectName(QStringLiteral("id32799"));
  connect(use, &QAction::triggered, this, [this] { OnUseCodeProperties(); });
  installEventFilter(this);
  LoadLanguageTexts();
}

void CConfigCodeDefinition::ShowButtons(bool readCodeDown, bool freezeDown, bool liveDown) {
  readCode_->setDown(readCodeDown);
  freeze_->setDown(freezeDown);
  liveButton_->setDown(liveDown);
}

void CConfigCodeDefinition::LoadLanguageTexts() {
  if (!context_) return;
  setWindowTitle(dlg_->text(1056));
  for (int tab = 0; tab < 3; ++tab) tabs_->setTabTitle(tab, dlg_->text(7141 + tab));
  readCode_->setText(dlg_->text(7137));
  freeze_->setText(dlg_->text(7138));
  liveButton_->setText(dlg_->text(7139));
  if (!menu_->actions().isEmpty()) menu_->actions().first()->setText(dlg_->text(7200));
  tab1_->LoadLanguageTexts();
  tab2_->LoadLanguageTexts();
  if (codeTab_) codeTab_->LoadLanguageTexts();
  context_->ShowCodeTypeInStatusBar(tab1_->codeTypeText());
}

int CConfigCodeDefinition::selectedTab() const { return tabs_ ? tabs_->currentTab() : -1; }
void CConfigCodeDefinition::ReadTab1Selection() {
  if (tab1_) tab1_->ReadSelection();
}

// The detection's reply (or its failure) gives these back.
void CConfigCodeDefinition::PrepareAutoDetect() {
  if (!tab1_) return;
  tab1_->EnableRecognitionButtons(false);
  tabs_->EnableTab(2, false);
}

int CConfigCodeDefinition::Validate() { return dlg_ ? SaveCodeDefinition(*dlg_) : 0; }

// A live picture left running when the page was left was stopped by the
// switch: the page comes back frozen, its controls on again.
void CConfigCodeDefinition::Enter(bool /*first*/) {
  if (!tabs_) return;
  tabs_->SelectTab(0);
  if (live_)
    EndPendingAction();
  else
    SetFreezeState();
}

QString CConfigCodeDefinition::codeTypeListText(int item) const {
  QComboBox* list = tab1_ ? tab1_->codeTypeList() : nullptr;
  return list && item >= 0 && item < list->count() ? list->itemText(item) : QString();
}

void CConfigCodeDefinition::UpdateCodeTypeList() {
  if (tab1_) tab1_->UpdateCodeTypeList();
}
void CConfigCodeDefinition::ShowSettings() {
  if (tab1_) tab1_->ShowSettings();
}
void CConfigCodeDefinition::ShowAutoDetectResult() {
  if (tab1_) tab1_->ShowAutoDetectResult();
}
void CConfigCodeDefinition::AutoDetectFailed() {
  if (tab1_) tab1_->AutoDetectFailed();
}
void CConfigCodeDefinition::ShowFilters() {
  if (tab2_) tab2_->ShowFilters();
}

// The reply to the family's Get: its list into the settings block, then the tab.
void CConfigCodeDefinition::ShowCodeData(int codeType) {
  if (!codeTab_ || GetCodeFamilyTab(codeType) != codeTab_->family()) return;
  if (codeTab_->ReadCodeData() != 0) return;
  codeTab_->ShowCodeData();
}

int CConfigCodeDefinition::ValidateInput() { return tab1_ && tab1_->ValidateInput() != 0 ? -1 : 0; }

void CConfigCodeDefinition::ApplyTab1() {
  if (tab1_) tab1_->Apply();
}

int CConfigCodeDefinition::ValidateCodeTab() { return codeTab_ ? codeTab_->ValidateInput() : 0; }

void CConfigCodeDefinition::SendCodeData() {
  if (codeTab_) codeTab_->SendCodeData();
}

void CConfigCodeDefinition::DeleteCodeTab() {
  if (!codeTab_) return;
  CodeTab* old = codeTab_;
  codeTab_ = nullptr;
  old->hide();
  // Its own handler may be running (a revert, a context menu).
  old->deleteLater();
}

void CConfigCodeDefinition::EndPendingAction() {
  if (!live_) return;
  SetFreezeState();
  if (tab2_) tab2_->EnableControls(true);
  live_ = false;
  if (codeTab_ && dlg_->state().m_nCodeType > 0) codeTab_->EnableControls(true);
}

void CConfigCodeDefinition::ClearModifiedFlags() {
  if (tab1_) tab1_->setErrorPending(false);
  if (codeTab_) codeTab_->setErrorPending(false);
}

// Enter, Escape and Space do nothing on the page; arrows nothing while live.
bool CConfigCodeDefinition::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) return true;
    if (live_ && (key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down))
      return true;
  }
  return QWidget::eventFilter(watched, event);
}
