#pragma once
// CConfigCodeDefinition: the configuration editor's code definition page
// (wizard step 11). Its tab control holds tab 0 (code type and recognition,
// CConfigCodeDefinitionTab1), tab 1 (filters, CConfigCodeDefTab2) and tab 2,
// the code tab of the chosen family, made anew by the family factory each
// time tab 2 is entered. Read code, Freeze and Live sit below the tabs.
// The main window reaches it through CodeDefinitionService.
#include <QPointer>
#include <QWidget>
#include <memory>

#include "code_definition_context.h"
#include "code_tab.h"
#include "code_tab_factory.h"
#include "services/codedef_services.h"
#include "services/editor_page.h"

class CButtonDraw;
class CCodeDefinitionTabctrl;
class CConfigCodeDefTab2;
class CConfigCodeDefinitionTab1;
class FieldCheck;
class QMenu;

class CConfigCodeDefinition : public QWidget, public CodeDefinitionService, public EditorPage {
  Q_OBJECT
public:
  explicit CConfigCodeDefinition(QWidget* parent = nullptr);
  ~CConfigCodeDefinition() override;

  // --- CodeDefinitionService ---
  QWidget* widget() override { return this; }
  void ReloadTexts() override { LoadLanguageTexts(); }
  void Attach(CVarnisDatamatrixDlg& dlg) override;
  void UpdateCodeTypeList() override;
  void ShowSettings() override;
  void ShowAutoDetectResult() override;
  void AutoDetectFailed() override;
  void RevertFailed() override {
    if (codeTab_) codeTab_->RevertFailed();
  }
  void ShowFilters() override;
  void ShowCodeData(int codeType) override;
  void ShowCompositeSettings() override {
    if (codeTab_) codeTab_->ShowCompositeSettings();
  }
  void UpdateTeachButton(int codeType) override;
  int ValidateInput() override;
  void ApplyTab1() override;
  int ValidateCodeTab() override;
  void SendCodeData() override;
  void DeleteCodeTab() override;
  bool hasPendingAction() const override { return live_; }
  void EndPendingAction() override;
  void ClearModifiedFlags() override;
  void ShowContextMenu(QPoint at, int codeType, int resultIndex) override;
  int selectedTab() const override;
  QString codeTypeListText(int item) const override;
  void ReadTab1Selection() override;
  void PrepareAutoDetect() override;

  // --- EditorPage: the page buttons' saving step is SaveCodeDefinition ---
  EditorPageKind editorPageKind() const override { return EditorPageKind::CodeDefinition; }
  int Validate() override;
  void Enter(bool first) override;

  // --- The page's own operations ---
  // 0, or -1 when the configuration could not be written (nothing switched).
  int ChangeCodeTab(int codeType, const QString& codeTypeName);
  void EnableControls(bool on);
  void SetFreezeState();
  void LoadLanguageTexts();
  void OnReadCode();
  void OnFreeze();
  void OnLive();
  void OnUseCodeProperties();
  // Press and release looks of the buttons.
  void ShowButtons(bool readCodeDown, bool freezeDown, bool liveDown);

  // The parts, for the tabs and for tests.
  CCodeDefinitionTabctrl* tabs() const { return tabs_; }
  CConfigCodeDefinitionTab1* tab1() const { return tab1_; }
  CConfigCodeDefTab2* tab2() const { return tab2_; }
  CodeTab* codeTab() const { return codeTab_; }
  CodeTabFactory& factory() { return factory_; }
  bool live() const { return live_; }
  bool codeRead() const { return codeRead_; }
  CodeDefinitionContext* context() const { return context_.get(); }
  QMenu* contextMenu() const { return menu_; }

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  void OnTabChange(int newTab);
  CodeTab* CodeTabOfType(int codeType) const;

  CVarnisDatamatrixDlg* dlg_ = nullptr;
  std::unique_ptr<FieldCheck> check_;
  std::unique_ptr<CodeDefinitionContext> context_;
  CodeTabFactory factory_;
  CCodeDefinitionTabctrl* tabs_ = nullptr;
  CConfigCodeDefinitionTab1* tab1_ = nullptr;
  CConfigCodeDefTab2* tab2_ = nullptr;
  QWidget* codeTabHolder_ = nullptr;
  QPointer<CodeTab> codeTab_;
  CButtonDraw* readCode_ = nullptr;  // 1080
  CButtonDraw* freeze_ = nullptr;    // 1081
  CButtonDraw* liveButton_ = nullptr;  // 1082
  bool live_ = false;
  bool codeRead_ = false;
  QMenu* menu_ = nullptr;  // "Use code properties for optimised settings" (32799)
  int menuResultIndex_ = -1;
  int menuCodeType_ = 0;
};
