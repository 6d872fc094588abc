#pragma once
// The services of the code definition and output pages (codedef/) that the
// main window and its reply handler call. codedef/ implements them. A page
// that does not exist is valid: callers skip it.
#include <QPoint>
#include <QString>

#include "services/panel.h"

class CVarnisDatamatrixDlg;

// The code-definition page (CConfigCodeDefinition) with its tabs.
class CodeDefinitionService : public Panel {
public:
  // Binds the page to the window once its panels are placed.
  virtual void Attach(CVarnisDatamatrixDlg& /*dlg*/) {}
  // The tab shown (0..2), -1 before the page is made.
  virtual int selectedTab() const { return -1; }
  virtual void UpdateCodeTypeList() = 0;        // types 30..36 with the extended configuration
  virtual void ShowSettings() = 0;              // tab 1 from the configuration
  virtual void ShowAutoDetectResult() = 0;
  // The detection's reply failed: what its start switched off comes back.
  virtual void AutoDetectFailed() {}
  // The sensor refused a code tab's revert: no settings follow, its button comes up.
  virtual void RevertFailed() {}
  virtual void ShowFilters() = 0;               // tab 2
  virtual void ShowCodeData(int codeType) = 0;  // the code tab of the family just read
  virtual void ShowCompositeSettings() = 0;
  virtual void UpdateTeachButton(int codeType) = 0;
  virtual int ValidateInput() = 0;              // 0 valid, else the bad field has the focus
  virtual void ApplyTab1() = 0;
  virtual int ValidateCodeTab() = 0;            // 0 valid, -1 invalid
  virtual void SendCodeData() = 0;
  virtual void DeleteCodeTab() = 0;
  virtual bool hasPendingAction() const = 0;    // ended by EndPendingAction (control 1081)
  virtual void EndPendingAction() = 0;
  virtual void ClearModifiedFlags() = 0;
  virtual void ShowContextMenu(QPoint at, int codeType, int resultIndex) = 0;
  // The text of an item of tab 0's code-type list; empty when it has none.
  virtual QString codeTypeListText(int /*item*/) const { return {}; }
  // The choices of tab 0 into the main window without a write (ReadTab1Selection).
  virtual void ReadTab1Selection() {}
  // The page buttons start the detection on the first entry of a new
  // configuration: the recognition radios and the code tab off until its reply.
  virtual void PrepareAutoDetect() {}
};

// The image-quality page (CConfigImgQuality, CConfigImageQtyParam).
class ImageQualityService : public Panel {
public:
  virtual void ShowSettings() = 0;
  virtual void EnableExposure(bool on) = 0;
  virtual void Attach(CVarnisDatamatrixDlg& /*dlg*/) {}
  virtual void ResetControls() {}    // the page is switched to
  virtual void DisableExposure() {}  // a configuration was opened or created
  // Tabs 0 and 1 (image settings, trigger) on or off while a test runs.
  virtual void EnableTabs(bool /*on*/) {}
  // The trigger settings' widget as the page's second tab.
  virtual void SetTriggerTab(QWidget* /*page*/) {}
  // A command failed: when the page posted it (lighting, characteristic,
  // Auto setting) it shows again what the sensor still has; when it is the
  // read-back after one, the page's controls are free again.
  virtual void OnCommandFailed(int /*command*/) {}
  // That failure's message has been shown: the live image the page's click
  // stopped comes back (not when the message ended the connection).
  virtual void OnFailureShown(int /*command*/) {}
};

// The process-interface page (CConfigProcessInterface) and its test output.
class ProcessInterfaceService : public Panel {
public:
  // Binds the page to the window once its panels are placed.
  virtual void Attach(CVarnisDatamatrixDlg& /*dlg*/) {}
  virtual void ShowSettings() = 0;  // both tabs
  virtual void ShowRegexResult(int flag) = 0;
  // The code menu at `at` (global) for the result under the click.
  virtual void ShowContextMenu(QPoint at, int resultIndex) = 0;
  // The tab shown (0, 1), -1 before the page is made.
  virtual int selectedTab() const { return -1; }
  // The page's strings and appended data written to the sensor now (tab 1's
  // ApplySettings); 0 done, -1 not (the page has shown why, tab 0 in front
  // for a bad string). The caller holds m_bBusy.
  virtual int ApplySettings() { return 0; }
  // The quality output and its parameters for the code type, when
  // m_bQualityOutputChanged is set (tab 2's ApplyQualityOutput).
  virtual void ApplyQualityOutput(int /*codeType*/) {}
  // Leaving the page: ApplySettings, then the quality output when it
  // changed; 0 done, -1 the page stays.
  virtual int LeavePage() { return 0; }
  // Tab 0 in front (the page is entered).
  virtual void SelectFirstTab() {}
};
