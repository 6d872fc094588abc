#include "codedef/output/config_process_interface.h"

#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QPushButton>
#include <QTabBar>
#include <QVBoxLayout>

#include "codedef/output/config_process_interface_tab1.h"
#include "codedef/output/config_process_interface_tab2.h"
#include "codedef/output/config_process_test_output.h"
#include "controls/process_interface_tab_ctrl.h"
#include "core/main_dialog_state.h"
#include "window/main_window.h"

void RelabelMenuItems(QMenu& menu, const std::function<QString(int)>& text, int baseId, int step) {
  const QList<QAction*> items = menu.actions();
  for (int p = 0; p < items.size(); ++p) {
    QAction* item = items[p];
    if (item->isSeparator() || item->menu() != nullptr) continue;
    item->setText(text(baseId + step * (p + 1)));
  }
}

CConfigProcessInterface::CConfigProcessInterface() { setObjectName(QStringLiteral("CConfigProcessInterface")); }

CConfigProcessInterface::~CConfigProcessInterface() { delete testOutput_; }

MainDialogState& CConfigProcessInterface::state() const { return dlg_->state(); }

// OnInitDialog: the tabs, the button and the code menu, once the window exists.
void CConfigProcessInterface::Attach(CVarnisDatamatrixDlg& dlg) {
  if (dlg_ != nullptr) return;
  dlg_ = &dlg;
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  tabs_ = new CProcessInterfaceTabCtrl(this);
  tabs_->setObjectName(QStringLiteral("id1113"));
  layout->addWidget(tabs_, 1);
  tab1_ = new CConfigProcessInterfaceTab1(dlg, *this);
  tab2_ = new CConfigProcessInterfaceTab2(dlg);
  tabs_->AddPage(tab1_, QString());
  tabs_->AddPage(tab2_, QString());
  // Tab 1 is entered only with sendable strings on tab 0.
  tabs_->setFirstTabCheck([this] { return tab1_->ValidateInput() == 0; });
  testButton_ = new QPushButton(this);
  testButton_->setObjectName(QStringLiteral("id1231"));
  testButton_->setFocusPolicy(Qt::StrongFocus);
  testButton_->setMinimumHeight(28);
  layout->addWidget(testButton_);
  connect(testButton_, &QPushButton::clicked, this, [this] { OnTestOutput(); });

  menu_ = new QMenu(this);
  menu_->setObjectName(QStringLiteral("ContextMenu"));
  QAction* copy = menu_->addAction(QString());
  copy->setObjectName(QStringLiteral("id32797"));
  QAction* use = menu_->addAction(QString());
  use->setObjectName(QStringLiteral("id32798"));
  connect(copy, &QAction::triggered, this, [this] { OnCopyCode(); });
  connect(use, &QAction::triggered, this, [this] { OnUseAsReference(); });
  LoadLanguageTexts();
}

void CConfigProcessInterface::LoadLanguageTexts() {
  if (dlg_ == nullptr) return;
  setWindowTitle(dlg_->text(1063));
  tabs_->tabBar()->setTabText(0, dlg_->text(8059));
  tabs_->tabBar()->setTabText(1, dlg_->text(20033));
  testButton_->setText(dlg_->text(8064));
  tab1_->LoadLanguageTexts();
  if (tab2_) tab2_->LoadLanguageTexts();
  update();
}

void CConfigProcessInterface::ShowSettings() {
  if (dlg_ == nullptr) return;
  tab1_->ShowSettings();
  tab2_->ShowSettings();
}

void CConfigProcessInterface::ShowRegexResult(int flag) {
  if (testOutput_) testOutput_->ShowRegexResult(flag);
}

int CConfigProcessInterface::selectedTab() const { return tabs_ ? tabs_->currentTab() : -1; }

int CConfigProcessInterface::ApplySettings() { return tab1_ ? tab1_->ApplySettings() : 0; }

void CConfigProcessInterface::ApplyQualityOutput(int codeType) {
  if (tab2_ && state().m_bQualityOutputChanged) tab2_->ApplyQualityOutput(codeType);
}

int CConfigProcessInterface::LeavePage() {
  if (!tab1_) return 0;
  if (tab1_->ApplySettings() != 0) return -1;
  ApplyQualityOutput(state().m_nCodeType);
  return 0;
}

void CConfigProcessInterface::SelectFirstTab() {
  if (tabs_) tabs_->SelectPage(0);
}

void CConfigProcessInterface::OnTestOutput() {
  MainDialogState& s = state();
  if (s.m_bBusy) return;
  s.m_bBusy = 1;
  if (tab1_->ApplySettings() != 0) {
    s.m_bBusy = 0;
    return;
  }
  tab2_->ApplyQualityOutput(s.m_nCodeType);
  // A quality set posted just now keeps the window busy until its reply.
  if (s.m_nOutstandingCommands == 0) s.m_bBusy = 0;
  if (!testOutput_) testOutput_ = new CConfigProcessTestOutput(*dlg_, *this);
  testOutput_->Run();
}

int CConfigProcessInterface::outputModeItem() const { return tab1_ ? tab1_->modeItem() : 0; }
QString CConfigProcessInterface::referenceCode() const {
  return tab1_ ? tab1_->string(CConfigProcessInterfaceTab1::Reference) : QString();
}
QString CConfigProcessInterface::matchString() const {
  return tab1_ ? tab1_->string(CConfigProcessInterfaceTab1::Match) : QString();
}
void CConfigProcessInterface::SetReferenceCode(const QString& text) {
  if (tab1_) tab1_->SetString(CConfigProcessInterfaceTab1::Reference, text);
}
void CConfigProcessInterface::SetMatchString(const QString& text) {
  if (tab1_) tab1_->SetString(CConfigProcessInterfaceTab1::Match, text);
}

void CConfigProcessInterface::ShowCodeMenu(QPoint at, int resultIndex) {
  if (menu_ == nullptr || state().m_bOutputModeOff) return;
  RelabelMenuItems(*menu_, [this](int id) { return dlg_->text(id); }, 8070, 10);
  menuResultIndex_ = resultIndex;
  menu_->popup(at);
}

std::string CConfigProcessInterface::MenuCodeText() const {
  const MainDialogState& s = state();
  if (menuResultIndex_ < 0 || menuResultIndex_ >= static_cast<int>(s.m_ResultTexts.size())) return {};
  return s.m_ResultTexts[static_cast<std::size_t>(menuResultIndex_)];
}

void CConfigProcessInterface::OnCopyCode() {
  QApplication::clipboard()->setText(QString::fromStdString(MenuCodeText()));
}

void CConfigProcessInterface::OnUseAsReference() {
  if (menuResultIndex_ < 0) return;
  SetReferenceCode(QString::fromStdString(MenuCodeText()));
}
