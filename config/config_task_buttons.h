#pragma once
// CConfigTaskButtons: the editor's strip of four page buttons over the
// editor pages: image quality with its trigger tab (1079), code definition
// (1082), process interface (1083) and the function test (1080). A switch
// first stores what the pages hold (the code definition, the trigger, the
// process interface) and stays on the page when that fails. An existing
// configuration has all four pages open; a new one opens them in turn.
#include <QWidget>
#include <array>

#include "core/page_button_rules.h"
#include "services/config_services.h"

class CTransparentButton;
class QLabel;
struct MainDialogState;

class CConfigTaskButtons : public QWidget, public TaskButtonsService {
  Q_OBJECT
public:
  // Page indexes, the buttons' order.
  enum Page { kImageQuality = 0, kCodeDefinition = 1, kProcessInterface = 2, kFunctionTest = 3 };
  static constexpr int kStripHeight = 76;

  CConfigTaskButtons();
  ~CConfigTaskButtons() override;

  // --- TaskButtonsService ---
  QWidget* widget() override { return this; }
  void ReloadTexts() override { LoadLanguageTexts(); }
  void Attach(CVarnisDatamatrixDlg& dlg) override;
  void AddEditorPage(EditorPage& page, QWidget* widget) override;
  void EnablePageButtons(bool enable) override;
  void SetButtonImages(int scheme) override;
  void ResetPageStates() override;
  void ShowImageQualityPage() override;
  void OnImageQuality() override;
  void OnCodeDefinition() override;
  void OnProcessInterface() override;
  void OnFunctionTest() override;
  void ShowTestLook(bool running) override;
  void ShowLiveImageLook(bool live) override;

  void EnableAll() { EnablePageButtons(true); }
  void SetButtonImagesByState();
  void LoadLanguageTexts();

  // For the window and tests.
  CTransparentButton* button(int page) const { return buttons_[static_cast<std::size_t>(page)]; }
  QLabel* label(int page) const { return labels_[static_cast<std::size_t>(page)]; }
  int shownBitmap(int page) const { return bitmaps_[static_cast<std::size_t>(page)]; }
  int pageState(int page) const { return states_[static_cast<std::size_t>(page)]; }
  bool autoDetectDone() const { return autoDetectDone_; }

private:
  // The saving steps; false after the step reported its failure.
  bool SaveCodeDefinitionStep();
  bool TriggerStep();
  bool ProcessInterfaceStep();
  bool SaveSteps(bool codeDefinition);
  // Busy with the wait cursor; Fail ends a refused switch.
  void SetBusy(bool busy);
  void Fail();
  bool BeginSwitch(bool codeDefinitionStep);
  void Enter(int page);
  void ShowPage(int page);
  void ApplyLook(const PageButtonLook& look);
  void Enable(int page, bool on);
  void SetBitmap(int page, int bitmap);
  // kBitmapUnchanged keeps a button's picture.
  void SetBitmaps(const std::array<int, kPageButtons>& bitmaps);
  bool existing() const;
  MainDialogState& state() const;

  CVarnisDatamatrixDlg* dlg_ = nullptr;
  std::array<CTransparentButton*, kPageButtons> buttons_{};
  std::array<QLabel*, kPageButtons> labels_{};
  std::array<int, kPageButtons> bitmaps_{};
  std::array<EditorPage*, kPageButtons> pages_{};
  std::array<QWidget*, kPageButtons> pageWidgets_{};
  // First entries of the code definition (its detection, its return).
  std::array<bool, 2> firstEntry_{};
  bool autoDetectDone_ = false;
  PageStates states_{};
  bool entering_first_ = false;  // the page being entered was not shown before
};
