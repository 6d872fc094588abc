#include "config/config_manager.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QPushButton>
#include <QTreeWidget>

#include "config/config_tree_view.h"
#include "config/configuration_buttons.h"
#include "core/config_mngt.h"
#include "core/sensor_command.h"
#include "records/config_list_info.h"
#include "window/dialog_control.h"
#include "window/direct_call.h"
#include "window/main_window.h"

namespace {
const QString kCommonKey = QStringLiteral("\\Common");
}  // namespace

CConfigManager::CConfigManager() = default;

CConfigManager::~CConfigManager() {
  delete tree_.data();
  delete buttons_.data();
}

MainDialogState& CConfigManager::state() const { return dlg_->state(); }

void CConfigManager::Attach(CVarnisDatamatrixDlg& dlg) {
  dlg_ = &dlg;
  QWidget* host = dlg.centralWidget();
  buttons_ = new CConfigurationButtons(dlg, host);
  buttons_->setGeometry(162, 30, 180, 370);
  tree_ = new CConfigTreeView(*this, host);
  tree_->setGeometry(347, 30, 305, 370);
  tree_->LoadIcons(dlg.resources().picturePath(95));
  tree_->ReloadTexts();
  ShowTree(false);
}

void CConfigManager::ReloadTexts() {
  if (buttons_) buttons_->LoadLanguageTexts();
  if (tree_) tree_->ReloadTexts();
}

void CConfigManager::ShowTree(bool shown) {
  for (QWidget* w : {static_cast<QWidget*>(tree_.data()), static_cast<QWidget*>(buttons_.data())}) {
    if (!w) continue;
    w->setVisible(shown);
    if (shown) w->raise();
  }
  // The tree may have been filled before the sensor page read the sensor's name.
  if (shown && tree_) tree_->ShowRootText();
}

int CConfigManager::Message(int textId, int buttons, int icon) {
  return dlg_->prompt().message(dlg_->messageOwner(), dlg_->text(textId), dlg_->messageTitle(),
                                static_cast<QMessageBox::Icon>(icon),
                                static_cast<QMessageBox::StandardButtons>(buttons));
}

void CConfigManager::Post(int command) {
  state().m_bBusy = 1;
  dlg_->PostSensorCommand(command);
}

const CConfig* CConfigManager::Selected() const {
  if (!tree_) return nullptr;
  QTreeWidgetItem* item = tree_->selectedItem();
  if (!item || item->data(0, CConfigTreeView::KindRole).toInt() != CConfigTreeView::ConfigItem) return nullptr;
  return store_.Find(item->data(0, CConfigTreeView::NumberRole).toInt());
}

int CConfigManager::SelectedGroup() const {
  if (!tree_) return 0;
  QTreeWidgetItem* item = tree_->selectedItem();
  if (!item || item->data(0, CConfigTreeView::KindRole).toInt() != CConfigTreeView::GroupItem) return 0;
  return item->data(0, CConfigTreeView::GroupRole).toInt();
}

void CConfigManager::FillSource(const CConfig& c) {
  MainDialogState& s = state();
  s.m_nConfigIndex = c.number - 1;
  s.m_nGroup = c.group - 1;
  s.m_bNameEncoded = c.nameEncoded != 0;
  s.m_strConfigName = AddressedName(c);
}

void CConfigManager::RebuildFromConfigList() {
  const MainDialogState& s = state();
  store_ = BuildConfigStore(s.m_ConfigList, s.m_GroupList);
  if (tree_) tree_->FillTree();
  SetCommand(0, true);
  SetCommand(7, true);
  dlg_->dialogControl().SetFileTransferButtons(0);
  dlg_->dialogControl().SetNewDeleteButtons(1);
  deletePending_ = false;
  listValid_ = true;
  // Last: its selection sets the commands for the renamed item.
  SelectRenamed(true);
}

void CConfigManager::OnCommandFailed(int command) {
  switch (command) {
    case CMD_COPY_CONFIG:
    case CMD_MOVE_CONFIG:
    case CMD_DELETE_CONFIG:
    case CMD_ACTIVATE_CONFIG:
    case CMD_ACTIVATE_GROUP:
    case CMD_RENAME_CONFIG:
    case CMD_SET_GROUP_MASTER:
    case CMD_CREATE_CONFIG:
    case CMD_UPLOAD_CONFIG:
      // Paste, the Delete key and the active mark come back as the slots are.
      deletePending_ = false;
      listValid_ = true;
      if (tree_) tree_->FillTree();
      SelectRenamed(false);
      break;
    default:
      break;
  }
}

void CConfigManager::SelectRenamed(bool done) {
  if (!renamed_ || !tree_) return;
  const Renamed r = *renamed_;
  renamed_.reset();
  QTreeWidgetItem* item = tree_->itemOfConfig(done ? r.to : r.from);
  if (!item) item = tree_->itemOfConfig(r.from);
  if (!item) return;
  tree_->tree()->setCurrentItem(item);
  item->setSelected(true);
}

int CConfigManager::countConfigurations() const {
  int n = 0;
  for (const auto& s : store_.configSlots) n += s ? 1 : 0;
  return n;
}

int CConfigManager::GetSelectedItemType() const { return tree_ ? tree_->GetSelectedItemType() : -1; }

void CConfigManager::SetCommand(int index, bool on) {
  if (index < 0 || index >= kConfigCommands || !dlg_) return;
  if (buttons_)
    if (QPushButton* b = buttons_->button(kFirstConfigButton + index)) b->setEnabled(on);
  if (QAction* a = dlg_->action(kConfigMenuIds[static_cast<std::size_t>(index)])) a->setEnabled(on);
}

void CConfigManager::ApplyCommandStates(const ConfigCommandStates& states) {
  for (int i = 0; i < kConfigCommands; ++i) SetCommand(i, states.on[static_cast<std::size_t>(i)]);
  dlg_->dialogControl().SetFileTransferButtons(states.fileTransfer);
  dlg_->dialogControl().SetNewDeleteButtons(states.newDelete);
}

void CConfigManager::DisableConfigCommands() {
  for (int i = 0; i < kConfigCommands; ++i) SetCommand(i, false);
  if (dlg_) dlg_->dialogControl().DisableConfigButtons();
}

void CConfigManager::DisableNewCommand() {
  SetCommand(0, false);
  if (dlg_) dlg_->dialogControl().SetNewDeleteButtons(-1);
}

void CConfigManager::DisableDownloadCommand() { SetCommand(7, false); }

void CConfigManager::ClearClipboard() {
  clip_.reset();
  SetCommand(11, false);
}

// --- Commands on the selection ---

int CConfigManager::CreateInSelectedGroup(const std::u16string& name, const std::u16string& numberText) {
  ClearClipboard();
  MainDialogState& s = state();
  s.m_nGroup = SelectedGroup() - 1;
  s.m_nConfigIndex = QString::fromStdU16String(numberText).toInt() - 1;
  s.m_strConfigName = name;
  s.m_bNameEncoded = true;
  // A new configuration: its pages open one after the other.
  s.m_bEditorMode = 0;
  s.m_bEditExisting = 0;
  Post(CMD_CREATE_CONFIG);
  return 0;
}

void CConfigManager::DeleteSelectedConfig() {
  const CConfig* c = Selected();
  if (!c) return;
  const CConfig source = *c;
  if (Message(6042, QMessageBox::Yes | QMessageBox::No, QMessageBox::Question) != QMessageBox::Yes) {
    deletePending_ = false;
    return;
  }
  ClearClipboard();
  deletePending_ = true;
  FillSource(source);
  Post(CMD_DELETE_CONFIG);
}

void CConfigManager::EditSelectedConfig() {
  const CConfig* c = Selected();
  if (!c) return;
  const CConfig source = *c;
  ClearClipboard();
  FillSource(source);
  state().m_bEditorMode = 1;
  state().m_bEditExisting = 1;
  Post(CMD_EDIT_CONFIG);
}

void CConfigManager::ActivateSelected() {
  ClearClipboard();
  if (tree_) tree_->ClearActiveMark(activationKind_);
  if (activationKind_ == 0) {
    if (const CConfig* c = Selected()) {
      FillSource(*c);
      Post(CMD_ACTIVATE_CONFIG);
    }
  } else if (activationKind_ == 1) {
    if (const int g = SelectedGroup(); g > 0) {
      state().m_nGroup = g - 1;
      Post(CMD_ACTIVATE_GROUP);
    }
  }
}

void CConfigManager::GetMasterRequestType(int button) {
  QTreeWidgetItem* item = tree_ ? tree_->selectedItem() : nullptr;
  const int master = MasterStateOfIcon(CConfigTreeView::IconOf(item));
  state().m_nMasterType = MasterRequestType(master, button == 1);
}

void CConfigManager::SetSelectedAsGroupMaster() {
  const CConfig* c = Selected();
  if (!c) return;
  const CConfig source = *c;
  ClearClipboard();
  FillSource(source);
  Post(CMD_SET_GROUP_MASTER);
}

int CConfigManager::RenameSelectedConfig(const CConfig& source, const std::u16string& newName,
                                         const std::u16string& numberText) {
  if (newName.empty() || source.number < 1) return -1;
  const CConfig kept = source;
  ClearClipboard();
  FillSource(kept);
  MainDialogState& s = state();
  s.m_nTargetIndex = QString::fromStdU16String(numberText).toInt() - 1;
  s.m_strTargetName = newName;
  renamed_ = Renamed{kept.number, s.m_nTargetIndex + 1};
  Post(CMD_RENAME_CONFIG);
  return 0;
}

QString CConfigManager::RememberedFolder(const QString& value) const {
  QString folder;
  CQuorrenReg& reg = dlg_->settings();
  if (reg.Open(kCommonKey) && reg.GetString(value, folder) && !folder.isEmpty()) return folder;
  return dlg_->programPaths().documents;
}

void CConfigManager::RememberFolder(const QString& value, const QString& path) {
  // Best effort: a folder that cannot be stored never stops the transfer.
  CQuorrenReg& reg = dlg_->settings();
  if (reg.Create(kCommonKey)) reg.SetString(value, QFileInfo(path).absolutePath());
}

void CConfigManager::SaveConfigToFile() {
  const CConfig* c = Selected();
  if (!c) return;
  const CConfig source = *c;
  // The dialog adds the extension itself, before it asks about replacing a
  // file: a name added to afterwards would replace one without a question.
  const QString path =
      dlg_->prompt().saveFileName(dlg_->messageOwner(), dlg_->text(6061),
                                  RememberedFolder(QStringLiteral("UploadFromDevice")), dlg_->text(6062),
                                  dlg_->text(6064).trimmed());
  if (path.isEmpty()) {
    if (tree_) tree_->update();
    return;
  }
  RememberFolder(QStringLiteral("UploadFromDevice"), path);
  state().m_strConfigFile = path.toStdU16String();
  FillSource(source);
  if (tree_) tree_->RemoveCutMark();
  ClearClipboard();
  Post(CMD_DOWNLOAD_CONFIG);
}

void CConfigManager::UploadIntoSlot(int number, const std::u16string& name, const std::u16string& path) {
  ClearClipboard();
  // The loaded configuration may become the active one; the list read
  // after the load (or the refill after a failure) shows the mark again.
  int kind = -1;
  if (tree_) tree_->ClearActiveMark(kind);
  MainDialogState& s = state();
  CConfig slot;
  slot.number = number;
  slot.name = name;
  slot.group = SelectedGroup();
  uploaded_ = slot;
  s.m_strConfigFile = path;
  s.m_bNameEncoded = true;
  s.m_strConfigName = name;
  s.m_nGroup = slot.group - 1;
  s.m_nConfigIndex = number - 1;
  Post(CMD_UPLOAD_CONFIG);
}

int CConfigManager::ActivationAfterUpload() {
  if (!uploaded_) return 0;
  const CConfig slot = *uploaded_;
  uploaded_.reset();
  const int type = GetSelectedItemType();
  if (type == 0) {
    FillSource(slot);
    return CMD_ACTIVATE_CONFIG;
  }
  if (type == 1) {
    state().m_nGroup = slot.group - 1;
    return CMD_ACTIVATE_GROUP;
  }
  return 0;
}

void CConfigManager::RequestConfigInfo() {
  const CConfig* c = Selected();
  if (!c) return;
  MainDialogState& s = state();
  FillSource(*c);
  s.m_strInfoName = c->name;
  s.m_strInfoGroup = c->group >= 1 ? store_.groupNames[static_cast<std::size_t>(c->group)]
                                   : dlg_->text(7144).toStdU16String() + u" (0)";
  Post(CMD_GET_INFO_CONFIG);
}

// --- Clipboard ---

int CConfigManager::UsesTriggerWindow(const CConfig& config) {
  MainDialogState& s = state();
  ParameterList list;
  const std::u16string name = AddressedName(config);
  // A command still out (the list read after the last change) is waited
  // for: refused, the check would leave the clipboard's rule unknown.
  WaitForOutstandingCommands(s);
  const int status = RunDirectCall(s, [&] {
    return CConfigMngt::GetInfoConfig(config.number - 1, config.nameEncoded != 0, name, config.group - 1, list,
                                      s.m_bExtendedConfig != 0);
  });
  if (status == kDirectCallRefused) return -2;
  if (status != 0) {
    dlg_->errors().ShowError(status);
    return -2;
  }
  CConfigListInfo::GetInstance()->ReadTriggerSettings(list, s.m_Configuration.trigger);
  return s.m_Configuration.trigger.TriggerWindow == 1 ? -1 : 0;
}

int CConfigManager::TakeToClipboard(bool copy) {
  ClearClipboard();
  if (copy && tree_) tree_->RemoveCutMark();
  const CConfig* c = tree_ && tree_->dragging() ? store_.Find(tree_->dragNumber()) : Selected();
  if (!c) return -1;
  const CConfig source = *c;
  clip_ = source;
  clipCopy_ = copy;
  if (!copy && tree_) tree_->MarkAsCut(source.number);
  int r = 0;
  if (source.group == 0) {
    r = UsesTriggerWindow(source);
    // The check's wait may have refilled the tree: the mark again.
    if (!copy && tree_ && clip_) tree_->MarkAsCut(source.number);
  }
  mayPasteIntoGroup_ = r == 0 ? 1 : 0;
  return r;
}

int CConfigManager::Cut() { return TakeToClipboard(false); }
int CConfigManager::Copy() { return TakeToClipboard(true); }

void CConfigManager::PasteClipboardConfig() {
  if (!listValid_ || !clip_) return;
  if (mayPasteIntoGroup_ == 0 && SelectedGroup() > 0) {
    Message(5999);
    if (tree_) tree_->clearDragging();
    SetCommand(11, false);
    if (tree_) tree_->RemoveCutMark();
    if (!clipCopy_) ClearClipboard();
    return;
  }
  state().m_bPasteAsCopy = 1;
  const bool free = CheckFreeSlot() == 0;
  if (clipCopy_) {
    if (free) {
      if (dialogs_) dialogs_->RunNewItem(false);
    } else {
      Message(6036);
      ClearClipboard();
    }
    return;
  }
  if (MoveOrCopyClipboard({}, {}) == -1) {
    Message(6035);
    // With a free slot the refused cut is dropped; with all used it stays.
    if (free) {
      if (tree_) tree_->RemoveCutMark();
      ClearClipboard();
    }
  }
}

int CConfigManager::MoveOrCopyClipboard(const std::u16string& name, const std::u16string& numberText) {
  if (!clip_) return -1;
  const int targetGroup = tree_ && tree_->dragging() ? tree_->dropGroup() : SelectedGroup();
  const CConfig source = *clip_;
  MainDialogState& s = state();
  if (!clipCopy_) {
    if (source.group == targetGroup) return -1;
    FillSource(source);
    // The target is the display name (sent encoded), never its escaped form.
    s.m_strTargetName = source.name;
    s.m_nTargetGroup = targetGroup - 1;
    s.m_nTargetIndex = source.number - 1;
    ClearClipboard();
    Post(CMD_MOVE_CONFIG);
    return 0;
  }
  FillSource(source);
  s.m_nTargetGroup = targetGroup - 1;
  s.m_strTargetName = name;
  s.m_nTargetIndex = QString::fromStdU16String(numberText).toInt() - 1;
  Post(CMD_COPY_CONFIG);
  return 0;
}
