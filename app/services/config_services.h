#pragma once
// The services of configuration management and sensor settings (config/)
// that the main window and its reply handler call. config/ implements them.
#include "services/editor_page.h"
#include "services/panel.h"
#include "services/sensor_settings_services.h"

class CVarnisDatamatrixDlg;

// The configuration manager (CConfigManager) with its tree and command bar.
class ConfigManagerService {
public:
  virtual ~ConfigManagerService() = default;
  virtual void RebuildFromConfigList() = 0;
  virtual bool IsAnyConfigActive() const = 0;
  virtual int CheckFreeSlot() const = 0;  // 0 a slot is free, -1 all 32 used
  virtual void ActivateSelected() = 0;
  virtual void EditSelectedConfig() = 0;
  virtual void DeleteSelectedConfig() = 0;
  virtual void GetMasterRequestType(int button) = 0;  // 0 group master, 1 capture master
  virtual void SetSelectedAsGroupMaster() = 0;
  virtual void SaveConfigToFile() = 0;
  virtual void RequestConfigInfo() = 0;
  virtual void CutSelectedConfig() = 0;
  virtual void CopySelectedConfig() = 0;
  virtual void PasteClipboardConfig() = 0;
  virtual void ClearClipboard() = 0;  // clipboard index -1
  virtual int countConfigurations() const = 0;
  // The tree (CConfigTreeView): 0 root, 1 group, -1 otherwise.
  virtual int GetSelectedItemType() const = 0;
  virtual void DisableConfigCommands() = 0;
  virtual void DisableNewCommand() = 0;
  virtual void DisableDownloadCommand() = 0;
  // Plugs the manager into the window (its tree, command bar and menu).
  virtual void Attach(CVarnisDatamatrixDlg& /*dlg*/) {}
  // The tree and command bar in the configuration overview, or hidden.
  virtual void ShowTree(bool /*shown*/) {}
  // A configuration command failed: the manager's flags and tree recover.
  virtual void OnCommandFailed(int /*command*/) {}
  // After a successful upload: the command that activates what was loaded
  // (CMD_ACTIVATE_CONFIG or CMD_ACTIVATE_GROUP, its arguments filled), or 0.
  virtual int ActivationAfterUpload() { return 0; }
  // The language changed: the command bar's captions and the tree's title.
  virtual void ReloadTexts() {}
};

// The editor's task buttons (CConfigTaskButtons).
class TaskButtonsService : public Panel {
public:
  // Binds the strip to the window once its panels are placed.
  virtual void Attach(CVarnisDatamatrixDlg& /*dlg*/) {}
  // A page the buttons switch to (the main window hands in every plugged
  // panel that is an EditorPage, with the widget it shows).
  virtual void AddEditorPage(EditorPage& /*page*/, QWidget* /*widget*/) {}
  // The four buttons on or off (a test runs on the trigger or function-test page).
  virtual void EnablePageButtons(bool /*enable*/) {}
  // The buttons' pictures by display scheme 1..6 (Live/Freeze of the code
  // definition, the tests); other values change nothing.
  virtual void SetButtonImages(int /*scheme*/) {}
  // The code definition's live picture started or frozen: its look on the
  // image-quality (and, in the editor, code-definition) buttons.
  virtual void ShowLiveImageLook(bool /*live*/) {}
  virtual void ResetPageStates() = 0;
  virtual void ShowImageQualityPage() = 0;
  virtual void OnImageQuality() = 0;
  virtual void OnCodeDefinition() = 0;
  virtual void OnProcessInterface() = 0;
  virtual void OnFunctionTest() = 0;
  // A test runs (trigger test, function test): the four buttons off in
  // their disabled look; false gives them back as the page states say.
  virtual void ShowTestLook(bool /*running*/) {}
};

// The function test page and its sequence (CConfigFunctionTest, CConfigFuncTestSeq).
// The page buttons enter it with ResetPage and ClearStatistics once it is shown.
class FunctionTestService : public Panel {
public:
  virtual void Attach(CVarnisDatamatrixDlg& /*dlg*/) {}
  virtual void UpdateStatistics() = 0;
  virtual void ClearStatistics() = 0;
  virtual void ResetTestControls() = 0;
  virtual void ResetPage() {}
  // A command the page posted failed: the page goes back to how it was
  // before (the test's or the live image's start).
  virtual void OnCommandFailed(int /*command*/) {}
  virtual bool testRunning() const { return false; }
};

// The trigger settings (CConfigTriggerSetting), a tab of the image-quality
// page: the main window hands its widget to that page.
class TriggerSettingsService : public Panel {
public:
  virtual void Attach(CVarnisDatamatrixDlg& /*dlg*/) {}
  virtual void FillTriggerSourceCombo() = 0;  // the software version may add a source
  virtual void FillFromConfig() = 0;
  virtual int ValidateInput() = 0;  // 0 valid, 1 invalid (focus on the field)
  virtual void Store() {}           // the fields into the configuration (after a valid check)
  // The editor opens another configuration: what was typed for the last one
  // goes with it, and its read shows the sensor's values.
  virtual void ForgetTypedInput() {}
  // Ends the trigger test's look (before a page switch).
  virtual void RestoreControls() = 0;
  virtual bool testRunning() const = 0;
  // A command the page posted failed: a test that could not start puts the
  // page back as it was before.
  virtual void OnCommandFailed(int /*command*/) {}
};

// The configuration dialogs closed by the user-interface reset.
class ConfigDialogsService {
public:
  virtual ~ConfigDialogsService() = default;
  virtual void CancelNewItem() = 0;  // CConfigNewItem::CancelDialog
  virtual void EndDialogs() = 0;     // rename and information dialogs
  // The new-configuration dialog (CConfigNewItem) modally; downloadToDevice
  // makes it queue the upload of a file under the new name.
  virtual void RunNewItem(bool /*downloadToDevice*/) {}
  virtual void RunRename() {}  // CConfigRename modally
  // CConfigInfoDlg modally, after the configuration's information was read.
  virtual void RunInfo() {}
};
