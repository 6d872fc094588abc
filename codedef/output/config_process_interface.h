#pragma once
// CConfigProcessInterface: the editor's process-interface page (wizard step
// 15). Tab 0 the output mode and strings (CConfigProcessInterfaceTab1),
// tab 1 the appended data and quality output (CConfigProcessInterfaceTab2),
// the Test output button, and the code menu of a code read in the picture.
// The main window reaches it through ProcessInterfaceService; the test
// output dialog through ProcessTestHost.
#include <QPointer>
#include <QWidget>
#include <functional>

#include "codedef/output/process_test_host.h"
#include "services/codedef_services.h"
#include "services/editor_page.h"

class CConfigProcessInterfaceTab1;
class CConfigProcessTestOutput;
class CConfigProcessInterfaceTab2;
class CProcessInterfaceTabCtrl;
class QMenu;
class QPushButton;
struct MainDialogState;

// Items of the menu get the texts base + step x (position + 1); separators
// and submenus keep theirs but use up an id.
void RelabelMenuItems(QMenu& menu, const std::function<QString(int)>& text, int baseId, int step);

class CConfigProcessInterface : public QWidget, public ProcessInterfaceService, public ProcessTestHost, public EditorPage {
  Q_OBJECT
public:
  CConfigProcessInterface();
  ~CConfigProcessInterface() override;

  // --- ProcessInterfaceService ---
  QWidget* widget() override { return this; }
  void ReloadTexts() override { LoadLanguageTexts(); }
  void Attach(CVarnisDatamatrixDlg& dlg) override;
  void ShowSettings() override;
  void ShowRegexResult(int flag) override;
  void ShowContextMenu(QPoint at, int resultIndex) override { ShowCodeMenu(at, resultIndex); }
  int selectedTab() const override;
  int ApplySettings() override;
  void ApplyQualityOutput(int codeType) override;
  int LeavePage() override;
  void SelectFirstTab() override;

  // --- EditorPage: the page buttons' saving step writes the strings and the
  // quality output; the page opens on its first tab ---
  EditorPageKind editorPageKind() const override { return EditorPageKind::ProcessInterface; }
  int Validate() override { return LeavePage(); }
  void Enter(bool /*first*/) override { SelectFirstTab(); }

  // --- ProcessTestHost ---
  int outputModeItem() const override;
  QString referenceCode() const override;
  QString matchString() const override;
  void SetReferenceCode(const QString& text) override;
  void SetMatchString(const QString& text) override;

  void LoadLanguageTexts();
  // Test output (1231): the settings and the quality output written, then
  // the test-output dialog, made on first use and kept while the page lives.
  void OnTestOutput();
  // The menu at the global point for result record `resultIndex`.
  void ShowCodeMenu(QPoint at, int resultIndex);
  void OnCopyCode();
  void OnUseAsReference();

  CProcessInterfaceTabCtrl* tabs() const { return tabs_; }
  CConfigProcessInterfaceTab1* tab1() const { return tab1_; }
  CConfigProcessInterfaceTab2* tab2() const { return tab2_; }
  QPushButton* testButton() const { return testButton_; }
  QMenu* codeMenu() const { return menu_; }
  int menuResultIndex() const { return menuResultIndex_; }

private:
  MainDialogState& state() const;
  // The code text of the remembered result, UTF-8; empty without one.
  std::string MenuCodeText() const;

  CVarnisDatamatrixDlg* dlg_ = nullptr;
  CProcessInterfaceTabCtrl* tabs_ = nullptr;  // 1113
  CConfigProcessInterfaceTab1* tab1_ = nullptr;
  CConfigProcessInterfaceTab2* tab2_ = nullptr;
  QPushButton* testButton_ = nullptr;  // 1231
  QMenu* menu_ = nullptr;              // menu 199's popup: 32797, 32798
  int menuResultIndex_ = -1;
  // Parented to the window, deleted with the page: it refers to the page.
  QPointer<CConfigProcessTestOutput> testOutput_;
};
