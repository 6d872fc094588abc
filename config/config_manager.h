#pragma once
// CConfigManager: the program's picture of the sensor's configuration slots
// and groups, the one-entry clipboard of cut, copy and paste, and the
// operations on the tree's selection, each posted as one sensor command.
#include <QObject>
#include <QPointer>
#include <optional>

#include "config/config_tree_view.h"
#include "config/configuration_buttons.h"
#include "core/config_store.h"
#include "services/config_services.h"

class CVarnisDatamatrixDlg;
class ConfigDialogsService;
struct MainDialogState;

class CConfigManager : public QObject, public ConfigManagerService {
  Q_OBJECT
public:
  CConfigManager();
  ~CConfigManager() override;

  // --- ConfigManagerService ---
  void Attach(CVarnisDatamatrixDlg& dlg) override;
  void ShowTree(bool shown) override;
  void RebuildFromConfigList() override;
  bool IsAnyConfigActive() const override { return store_.IsAnyConfigActive(); }
  int CheckFreeSlot() const override { return store_.CheckFreeSlot(); }
  void ActivateSelected() override;
  void EditSelectedConfig() override;
  void DeleteSelectedConfig() override;
  void GetMasterRequestType(int button) override;
  void SetSelectedAsGroupMaster() override;
  void SaveConfigToFile() override;
  void RequestConfigInfo() override;
  void CutSelectedConfig() override { Cut(); }
  void CopySelectedConfig() override { Copy(); }
  void PasteClipboardConfig() override;
  void ClearClipboard() override;
  int countConfigurations() const override;
  int GetSelectedItemType() const override;
  void DisableConfigCommands() override;
  void DisableNewCommand() override;
  void DisableDownloadCommand() override;
  void OnCommandFailed(int command) override;
  int ActivationAfterUpload() override;
  void ReloadTexts() override;

  // --- For the tree and the dialogs ---
  // 0, -1, or -2 (the trigger-window check failed).
  int Cut();
  int Copy();
  // The new configuration in the selected group (root: no group); returns 0.
  int CreateInSelectedGroup(const std::u16string& name, const std::u16string& numberText);
  // 0, or -1 when the new name is empty.
  int RenameSelectedConfig(const CConfig& source, const std::u16string& newName, const std::u16string& numberText);
  // Move (cut) or copy (copy) of the clipboard onto the target: 0, or -1 when refused.
  int MoveOrCopyClipboard(const std::u16string& name, const std::u16string& numberText);
  // Loads a file into the free slot `number` under `name` in the selected group.
  void UploadIntoSlot(int number, const std::u16string& name, const std::u16string& path);
  // -1 when the configuration uses the trigger window, -2 when the check failed, else 0.
  int UsesTriggerWindow(const CConfig& config);

  const ConfigStore& store() const { return store_; }
  const CConfig* Selected() const;
  // The group (1..8) of the selected group item; 0 for the root, nothing or a configuration.
  int SelectedGroup() const;
  bool clipboardFilled() const { return clip_.has_value(); }
  bool clipboardIsCopy() const { return clip_ && clipCopy_; }
  const std::optional<CConfig>& clipboard() const { return clip_; }
  bool deletePending() const { return deletePending_; }
  bool listValid() const { return listValid_; }
  void setListValid(bool valid) { listValid_ = valid; }
  int mayPasteIntoGroup() const { return mayPasteIntoGroup_; }
  void setMayPasteIntoGroup(int may) { mayPasteIntoGroup_ = may; }

  CConfigTreeView* tree() const { return tree_; }
  CConfigurationButtons* buttons() const { return buttons_; }
  CVarnisDatamatrixDlg* window() const { return dlg_; }
  void setDialogs(ConfigDialogsService* dialogs) { dialogs_ = dialogs; }
  ConfigDialogsService* dialogs() const { return dialogs_; }
  // Enables the commands for the selection (buttons, menu items, toolbar).
  void ApplyCommandStates(const ConfigCommandStates& states);
  void SetCommand(int index, bool on);
  // A message box of the main window: the answer.
  int Message(int textId, int buttons = 0x400 /* Ok */, int icon = 1 /* Information */);

private:
  MainDialogState& state() const;
  void FillSource(const CConfig& c);
  void Post(int command);
  int TakeToClipboard(bool copy);
  QString RememberedFolder(const QString& value) const;
  void RememberFolder(const QString& value, const QString& path);

  CVarnisDatamatrixDlg* dlg_ = nullptr;
  ConfigDialogsService* dialogs_ = nullptr;
  QPointer<CConfigTreeView> tree_;
  QPointer<CConfigurationButtons> buttons_;
  ConfigStore store_;
  // The clipboard keeps its source's own data, never a tree item.
  std::optional<CConfig> clip_;
  bool clipCopy_ = false;
  bool deletePending_ = false;
  bool listValid_ = true;
  int mayPasteIntoGroup_ = 1;
  int activationKind_ = -1;
  // The slot an upload filled, for the activation after it.
  std::optional<CConfig> uploaded_;
  // A rename's numbers before and after: the tree selects the item again
  // once the list is read (or refilled after a failure).
  struct Renamed {
    int from = -1;
    int to = -1;
  };
  std::optional<Renamed> renamed_;
  void SelectRenamed(bool done);
};
