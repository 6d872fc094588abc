#pragma once
// CConfigFunctionTest: the editor's last page. The sensor runs the edited
// configuration in its test state (7); every reading is shown, counted in
// the statistics and kept with its picture in the last-readings list beside
// it (CConfigFuncTestSeq). Live shows the live image instead; Simulate
// trigger takes one reading; Reset clears the sensor's statistics.
#include <QString>
#include <QWidget>

#include "controls/statistics_fields.h"
#include "services/config_services.h"
#include "services/editor_page.h"

class CButtonDraw;
class CConfigFuncTestSeq;
class QGroupBox;
class QLabel;
struct MainDialogState;

class CConfigFunctionTest : public QWidget, public FunctionTestService, public EditorPage {
  Q_OBJECT
public:
  explicit CConfigFunctionTest(QWidget* parent = nullptr);
  ~CConfigFunctionTest() override;

  // Panel, FunctionTestService
  QWidget* widget() override { return this; }
  void ReloadTexts() override { LoadLanguageTexts(); }
  void Attach(CVarnisDatamatrixDlg& dlg) override;
  void UpdateStatistics() override;
  void ClearStatistics() override;
  void ResetTestControls() override;
  void ResetPage() override;
  void OnCommandFailed(int command) override;
  bool testRunning() const override { return m_bTestRunning; }
  // EditorPage: the page buttons show it with its controls reset.
  EditorPageKind editorPageKind() const override { return EditorPageKind::FunctionTest; }
  void Enter(bool /*first*/) override { ResetPage(); }

  void LoadLanguageTexts();

  CConfigFuncTestSeq* sequence() const { return seq_; }
  CButtonDraw* testOnButton() const { return m_btnTestOn; }
  CButtonDraw* testOffButton() const { return m_btnTestOff; }
  CButtonDraw* liveButton() const { return m_btnLive; }
  CButtonDraw* simulateButton() const { return m_btnSimulate; }
  CButtonDraw* resetButton() const { return m_btnReset; }
  const StatisticsFields& statistics() const { return m_stats; }
  bool liveRunning() const { return m_bLiveRunning; }

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  void OnTestOn();
  void OnTestOff();
  void OnLive();
  void OnSimulateTrigger();
  void OnReset();
  // The wizard buttons and Display/Save; the page buttons go with the scheme.
  void EnableEditorButtons(bool on);
  // 5: a test or the live image runs, the page buttons locked; 6: idle.
  void SetScheme(int scheme);
  static void Show(CButtonDraw* button, bool enabled, bool checked);
  MainDialogState& state() const;
  bool busy() const;

  CVarnisDatamatrixDlg* dlg_ = nullptr;
  CConfigFuncTestSeq* seq_ = nullptr;
  QGroupBox* m_general = nullptr;
  QGroupBox* m_statistics = nullptr;
  CButtonDraw* m_btnTestOff = nullptr;
  CButtonDraw* m_btnTestOn = nullptr;
  CButtonDraw* m_btnSimulate = nullptr;
  CButtonDraw* m_btnReset = nullptr;
  CButtonDraw* m_btnLive = nullptr;
  QLabel* m_lblGood = nullptr;
  QLabel* m_lblFailed = nullptr;
  QLabel* m_lblTotal = nullptr;
  StatisticsFields m_stats;  // 1139..1143
  bool m_bTestRunning = false;
  bool m_bLiveRunning = false;
  // The sensor state before a start, for a start that fails.
  int m_nStateBeforeTest = 5;
};
