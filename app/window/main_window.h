#pragma once
// CVarnisDatamatrixDlg: the program's one main window. It owns the shared
// state, the features (resources and language, settings, errors, log) and
// the pages and panels that the composition root plugs in. Pages reach it
// through the services in app/services/ and the state by reference.
#include <QMainWindow>
#include <QMap>
#include <QPointer>
#include <array>
#include <functional>

#include "core/main_dialog_state.h"
#include "errors/disconnect_mesg.h"
#include "errors/error_host.h"
#include "errors/error_msgs.h"
#include "log/log.h"
#include "resources/language.h"
#include "resources/resource_libraries.h"
#include "services/main_panels.h"
#include "services/prompt.h"
#include "settings/quorren_reg.h"
#include "window/lock_library.h"
#include "window/path.h"

class BusyCursor;
class CDialogControl;
class CMainCommands;
class CImageMouse;

class QAction;
class QUrl;
class QLabel;
class QMenu;
class QPushButton;
class QToolBar;

class CVarnisDatamatrixDlg : public QMainWindow, public ErrorHost {
  Q_OBJECT
public:
  // The prompt answers every box and modal dialog; the panels are what the
  // composition root made (missing ones stay null).
  CVarnisDatamatrixDlg(Prompt& prompt, MainPanels panels);
  ~CVarnisDatamatrixDlg() override;

  // The start-up steps. End: the program ends with exit code 0 (a message
  // has told the user why); the window is not shown.
  enum class StartResult { Run, End };
  StartResult OnInitDialog();

  MainDialogState& state() override { return m_state; }
  MainPanels& panels() { return m_panels; }
  ResourceLibraries& resources() { return m_resources; }
  CLanguage& language() { return m_language; }
  Prompt& prompt() override { return m_prompt; }
  const ProgramPaths& programPaths() const { return m_paths; }
  CErrorMsgs& errors() { return m_ErrorMsgs; }
  CLog& log() { return *m_log; }
  CQuorrenReg& settings() { return m_reg; }
  // What start-up read from the settings.
  const QString& lastConnection() const { return m_strLastConnection; }
  void setLastConnection(const QString& name) { m_strLastConnection = name; }
  const CurrentConnection& currentConnection() const { return m_currentConnection; }
  QStringList& referenceCodes() { return m_ReferenceCodes; }
  // A setting could not be stored: said once, the program goes on.
  void WarnSettingsNotSaved();

  // A language text by id (empty when the language lacks it).
  QString text(int id) const override { return m_resources.text(id); }
  // The caption of every message box (common definition 104).
  const QString& messageTitle() const override { return m_strMsgTitle; }
  // The owner of message boxes: the modal dialog in front, else this window.
  QWidget* messageOwner() override { return m_hMessageOwner ? m_hMessageOwner.data() : this; }
  void setMessageOwner(QWidget* owner) { m_hMessageOwner = owner; }
  QWidget* frontWindow() override;
  QWidget* mainWindow() override { return this; }

  // Back to the disconnected state: the library's session ends, the
  // disconnect notice closes, the connection flags clear; the features
  // listening to userInterfaceReset do their part.
  void ResetUserInterface() override;
  void ShowDisconnectNotice() override;
  CDisconnectMesg* disconnectNotice() const { return m_disconnectMesg.get(); }
  // Commands go to the command engine that plugs itself in here.
  void PostSensorCommand(int command) override;
  void setCommandPoster(std::function<void(int)> poster) { m_postCommand = std::move(poster); }
  // Ends the library's session on a reset (the engine plugs it in).
  void setSessionEnder(std::function<void()> ender) { m_endLibrarySession = std::move(ender); }
  void EndProgram() override;
  void ClearStatusPart(int part) override;

  // The action of a menu or toolbar command; null for an unknown id.
  QAction* action(int command) const { return m_actions.value(command); }
  QMenu* languageMenu() const { return m_languageMenu; }
  // Where pages and panels are placed (the right-hand area).
  QWidget* panelArea() const { return m_panelArea; }
  QLabel* statusPane(int part) const;
  // Status part 4: the code type's name, cut to 17 characters and "..." when
  // longer than 18 (the whole name in the part's tooltip then).
  void ShowCodeTypeInStatusBar(const QString& name);

  // Language: the menu of installed languages, a change from it, re-texting.
  int BuildLanguageMenu();
  void ChangeLanguage(int id);
  void ApplyLanguage();

  // Opens the help of the selected language at a topic: 0, or -1 after
  // message 6085 when it is not installed or cannot be opened.
  int LaunchHelp(int topic);
  void setUrlOpener(std::function<bool(const QUrl&)> opener) { m_openUrl = std::move(opener); }

  // Another start of the program asked for this one: bring the window (or
  // its modal box) to the front.
  void RaiseFromOtherInstance();

  // --- Features of the main window ---
  CDialogControl& dialogControl() { return *m_dialogControl; }
  // Null before OnInitDialog.
  CDialogControl* dialogControlIfMade() { return m_dialogControl.get(); }
  CMainCommands* commandsIfMade() { return m_commands; }
  CMainCommands& commands() { return *m_commands; }
  CImageMouse& imageMouse() { return *m_imageMouse; }
  // The lock library the controller calls (the program: libkeltrov, tests: a
  // stand-in; none: every lock call fails); before OnInitDialog.
  void setLockLibrary(std::unique_ptr<LockLibrary> lock) { m_lockLibrary = std::move(lock); }
  // Library calls the GUI thread makes itself (the engine plugs them in):
  // the live-image stop when the editor is left.
  void setStopLiveImage(std::function<int()> call) { m_stopLiveImage = std::move(call); }

  QPushButton* wizardButton(int id) const;
  QLabel* modeStatic(int id) const;  // 1005 header, 1019, 1020, 1021
  QWidget* modeText() const { return m_modeText; }  // 1175, the mode buttons' names
  QLabel* pageTitleLabel() const { return m_pageTitle; }
  QMenu* popupOfText(int textId) const;
  // The selected tab of the code-definition and process-interface pages; -1 none.
  int codeDefinitionTab() const { return m_panels.codeDefinition ? m_panels.codeDefinition->selectedTab() : -1; }
  int processInterfaceTab() const {
    return m_panels.processInterface ? m_panels.processInterface->selectedTab() : -1;
  }
  // 0 when the editor page in front passes its checks, -1 otherwise.
  int ValidateEditorPage();
  // The command engine's session ends (commands not yet run are dropped).
  void EndLibrarySession();
  // Zoom tools off, the whole picture, scroll bars and side panel hidden.
  void LeaveZoomMode();
  void ResetPictureScroll();
  // Closes the dialogs and boxes of the session that are still open.
  void CloseSessionDialogs();
  // The connection panel shown, its first octet focused.
  void ShowAddressPanel();
  // The shown connection panel's first octet, else null.
  QWidget* ConnectionPanelOctet() const;
  void ClearResultRegions();
  int StopLiveImage();
  // Ctrl+C over the message log with a selection: the whole log to the clipboard.
  bool CopyMessageLog();

  // Environment-independent knobs for tests.
  void setSplashEnabled(bool on) { m_splashEnabled = on; }
  void setPathProvider(std::unique_ptr<CPath> path) { m_path = std::move(path); }

signals:
  // The program should end now (after -10004, or when the window closes).
  void endRequested();
  // The interface went back to the disconnected state.
  void userInterfaceReset();

protected:
  void closeEvent(QCloseEvent* event) override;

private:
  void CreateControls();
  void MakeModeText(QWidget* central);
  void CreateMenu();
  void CreateToolbar();
  void CreateStatusBar();
  void StartImageView();
  void PlacePanels();
  void AttachViews();
  void RegisterEditorPages();
  bool eventFilter(QObject* watched, QEvent* event) override;
  void ReloadMenuTexts();
  void LoadSettings();
  void ReleaseResources();
  void OnExit();
  void OnAbout();
  void OnHelp();
  void addAction(int command, QMenu* menu);

  Prompt& m_prompt;
  MainDialogState m_state;
  std::unique_ptr<BusyCursor> m_busyCursor;  // follows m_state.m_bBusy
  MainPanels m_panels;
  ResourceLibraries m_resources;
  CLanguage m_language;
  std::unique_ptr<CPath> m_path;
  ProgramPaths m_paths;
  QString m_strMsgTitle;
  std::array<QString, 7> m_strProductTexts;
  QPointer<QWidget> m_hMessageOwner;
  CQuorrenReg m_reg;
  QString m_strLastConnection;
  CurrentConnection m_currentConnection;
  QStringList m_ReferenceCodes;
  bool m_settingsWarned = false;
  CErrorMsgs m_ErrorMsgs{*this};
  std::unique_ptr<CLog> m_log;
  std::unique_ptr<CDisconnectMesg> m_disconnectMesg;
  std::function<void(int)> m_postCommand;
  std::function<void()> m_endLibrarySession;
  std::function<bool(const QUrl&)> m_openUrl;
  std::function<int()> m_stopLiveImage;
  std::unique_ptr<LockLibrary> m_lockLibrary;
  std::unique_ptr<CDialogControl> m_dialogControl;
  CMainCommands* m_commands = nullptr;
  CImageMouse* m_imageMouse = nullptr;
  bool m_splashEnabled = true;
  bool m_released = false;
  bool m_convertersTaken = false;

  // Controls, each with the object name "id<control id>".
  QMap<int, QAction*> m_actions;
  QMap<QMenu*, int> m_menuTextIds;
  QMenu* m_languageMenu = nullptr;
  QToolBar* m_toolbar = nullptr;
  QPushButton* m_btnBack = nullptr;    // 1026
  QPushButton* m_btnEscape = nullptr;  // 1027
  QPushButton* m_btnNext = nullptr;    // 1028
  QLabel* m_mainBackground = nullptr;  // 1005
  std::array<QLabel*, 3> m_modeStatics{};  // 1019 configuration, 1020 monitor, 1021 service
  QWidget* m_modeText = nullptr;       // 1175
  QLabel* m_pageTitle = nullptr;       // 1023
  QWidget* m_picture = nullptr;        // 1074
  QWidget* m_panelArea = nullptr;
  std::array<QLabel*, 8> m_statusPanes{};
};
