#include "window/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>
#include <QLabel>
#include <QMenuBar>
#include <QPixmap>
#include <QPushButton>
#include <QStatusBar>
#include <QToolBar>
#include <map>
#include <memory>

#include "core/error_codes.h"
#include "platform/lib_dir.h"
#include "records/converters.h"
#include "dialogs/about_dlg.h"
#include "dialogs/splash_screen.h"
#include "log/colour_message_list.h"
#include "resources/program_strings.h"
#include "startup/startup_report.h"
#include "window/busy_cursor.h"
#include "window/dialog_control.h"
#include "window/image_mouse.h"
#include "window/main_commands.h"
#include "window/menu_table.h"
#include "window/status_bar_relayout.h"
#include "window/status_pane.h"

namespace {

// Toolbar buttons: command id (its text and tooltip are the language string
// of the same id) and the common-resource picture it shows; 0 separates.
struct ToolButton {
  int command;
  int picture;
};
constexpr ToolButton kToolbar[] = {
    {5000, 15}, {5001, 20}, {0, 0},     {5003, 25}, {5004, 30}, {5005, 35}, {5006, 40},
    {0, 0},     {5009, 45}, {5010, 50}, {5011, 55}, {0, 0},     {5032, 60},
};

QString idName(int id) { return QStringLiteral("id%1").arg(id); }

}  // namespace

CVarnisDatamatrixDlg::CVarnisDatamatrixDlg(Prompt& prompt, MainPanels panels)
    : m_prompt(prompt),
      m_busyCursor(std::make_unique<BusyCursor>(m_state.m_bBusy)),
      m_panels(std::move(panels)),
      m_path(std::make_unique<CPath>()) {
  setObjectName("CVarnisDatamatrixDlg");
  if (!m_panels.messageList) m_panels.messageList = std::make_unique<ColourMessageList>();
  CLog::Options logOptions;
  logOptions.autoDetected = [this] { return m_state.m_bAutoDetected != 0; };
  logOptions.shortMessages = [this] { return m_panels.results && m_panels.results->shortMessages(); };
  logOptions.unmarkedColour = m_state.m_messageColour;
  m_log = std::make_unique<CLog>(*m_panels.messageList, logOptions);
}

CVarnisDatamatrixDlg::~CVarnisDatamatrixDlg() {
  ReleaseResources();
  // The command engine has stopped by now (it goes before the window).
  if (m_convertersTaken) DestroyConverters();
}

CVarnisDatamatrixDlg::StartResult CVarnisDatamatrixDlg::OnInitDialog() {
  // Well-known folders first: they say where Lib/ is. Without them the
  // program has no language, worker or picture: it ends after the message.
  if (m_path->Init() != 0) {
    // Lib/ is found without them: say it in English when the files are there.
    static const int anchor = 0;
    const QString lib = QString::fromStdString(vt::libDirFor(&anchor).string());
    m_resources.LoadResourceLibraries(lib);
    m_language.ScanLanguageDlls(lib, m_resources.definition(101));
    m_resources.LoadLanguageLibrary(9, false, m_language, m_prompt, nullptr);
    m_strMsgTitle = m_resources.definition(104);
    m_ErrorMsgs.ShowError(ErrorCodes::kFoldersUnreadable);
    return StartResult::End;
  }
  m_path->GetPaths(m_paths);
  m_resources.LoadResourceLibraries(m_paths.lib);
  StartupReport::Step("resource files");

  const QString startupCaption = ProgramStrings::text(ProgramStrings::kStartupCaption);
  for (auto [missing, id] : {std::pair{m_resources.m_bDefinitionsDllMissing, ProgramStrings::kDefinitionsMissing},
                             std::pair{m_resources.m_bResourcesDllMissing, ProgramStrings::kResourcesMissing},
                             std::pair{m_resources.m_bXmlConfigDllMissing, ProgramStrings::kXmlConfigMissing}}) {
    if (!missing) continue;
    m_prompt.message(nullptr, ProgramStrings::text(id), startupCaption, QMessageBox::Critical);
    return StartResult::End;
  }
  for (int i = 0; i < 4; ++i) m_strProductTexts[std::size_t(i)] = m_resources.definition(102 + i);
  m_strMsgTitle = m_strProductTexts[2];
  m_state.m_nWizardStep = 0;

  // Language: the stored choice, English when none.
  auto definition = [this](int id) { return m_resources.definition(id); };
  QString stored;
  m_reg.ReadUserLanguage(definition, stored);
  m_language.ScanLanguageDlls(m_paths.lib, m_resources.definition(101));
  if (stored.isEmpty() || stored == QStringLiteral("-")) stored = QStringLiteral("9");
  // A value that is not a number asks for language 0, which never exists.
  const int loaded = m_resources.LoadLanguageLibrary(stored.toInt(), true, m_language, m_prompt, nullptr);
  if (loaded == ResourceLibraries::kNoLanguageLoaded) return StartResult::End;
  m_language.SelectLanguage(loaded, [this](int id) { return text(id); });
  StartupReport::Step("language string tables");

  CreateControls();
  CreateMenu();
  CreateToolbar();
  CreateStatusBar();
  PlacePanels();
  if (m_panels.connectionPanel) m_panels.connectionPanel->Attach(*this);
  if (m_panels.codeDefinition) m_panels.codeDefinition->Attach(*this);
  if (m_panels.configManager) m_panels.configManager->Attach(*this);
  if (m_panels.sensorSettings) m_panels.sensorSettings->Attach(*this);
  if (m_panels.sensorPanel) m_panels.sensorPanel->Attach(*this);
  if (m_panels.imageQuality) m_panels.imageQuality->Attach(*this);
  if (m_panels.processInterface) m_panels.processInterface->Attach(*this);
  // The trigger settings live as the image-quality page's second tab.
  if (m_panels.trigger) {
    m_panels.trigger->Attach(*this);
    if (m_panels.imageQuality) m_panels.imageQuality->SetTriggerTab(m_panels.trigger->widget());
  }
  if (m_panels.functionTest) m_panels.functionTest->Attach(*this);
  AttachViews();
  if (m_panels.taskButtons) m_panels.taskButtons->Attach(*this);
  RegisterEditorPages();
  BuildLanguageMenu();
  StartupReport::Step("controls, menus and pages attached");
  if (m_splashEnabled && SplashWanted()) {
    CSplashScreen splash(m_resources, nullptr, CSplashScreen::kTickMs, m_panels.staticTexts.get());
    m_prompt.runDialog(splash);
  }
  setWindowTitle(m_resources.definition(300));
  m_dialogControl = std::make_unique<CDialogControl>(*this, std::move(m_lockLibrary));
  m_dialogControl->setHelpLauncher([this](int topic) { LaunchHelp(topic); });
  m_commands = new CMainCommands(*this);
  m_commands->Connect();
  m_imageMouse = new CImageMouse(*this);
  m_imageMouse->Connect();
  ApplyLanguage();
  StartupReport::Step("texts applied");
  StartImageView();
  StartupReport::Step("image view and placeholder picture");
  LoadSettings();
  if (m_panels.connectionPanel) m_panels.connectionPanel->OnSettingsLoaded();
  StartupReport::Step("settings");
  CreateConverters();
  m_convertersTaken = true;
  m_dialogControl->ResetModeStatics();
  StartupReport::Step("mode pictures and controls' state");
  return StartResult::Run;
}

// The image view's surface; without it the program goes on and draws nothing.
void CVarnisDatamatrixDlg::StartImageView() {
  if (!m_panels.imageView) return;
  if (m_panels.imageView->InitDirectDraw() != 0)
    m_prompt.message(this, text(6030), m_strMsgTitle, QMessageBox::Information);
  m_panels.imageView->ShowDefaultImage();
}

void CVarnisDatamatrixDlg::LoadSettings() {
  const auto loaded = m_reg.LoadSettings([this](int id) { return m_resources.definition(id); },
                                         [this](int id) { return text(id); });
  m_state.colours = loaded.colours;
  m_strLastConnection = loaded.lastConnection;
  m_currentConnection = loaded.current;
  m_ReferenceCodes = loaded.referenceCodes;
  if (loaded.writeFailed) WarnSettingsNotSaved();
}

void CVarnisDatamatrixDlg::WarnSettingsNotSaved() {
  if (m_settingsWarned) return;
  m_settingsWarned = true;
  m_prompt.message(messageOwner(), text(1098), m_strMsgTitle, QMessageBox::Warning);
}

void CVarnisDatamatrixDlg::CreateControls() {
  auto* central = new QWidget(this);
  central->setObjectName("centralWidget");
  setCentralWidget(central);
  setFixedSize(1024, 738);

  BackgroundStaticsService* backgrounds = m_panels.backgrounds.get();
  m_mainBackground = backgrounds ? backgrounds->MakeMainBackground(central) : new QLabel(central);
  m_mainBackground->setObjectName(idName(1005));
  m_mainBackground->setGeometry(5, 5, 147, 600);
  m_mainBackground->setFrameShape(QFrame::StyledPanel);
  m_mainBackground->setScaledContents(true);
  m_mainBackground->setPixmap(QPixmap(m_resources.picturePath(90)));

  constexpr int kModeIds[] = {1019, 1020, 1021};
  constexpr int kModePictures[] = {91, 93, 70};
  for (std::size_t i = 0; i < m_modeStatics.size(); ++i) {
    auto* label = new QLabel(central);
    label->setObjectName(idName(kModeIds[i]));
    label->setGeometry(8, 360 + int(i) * 48, 140, 40);
    label->setAlignment(Qt::AlignCenter);
    label->setPixmap(QPixmap(m_resources.picturePath(kModePictures[i])));
    label->hide();
    m_modeStatics[i] = label;
  }
  MakeModeText(central);

  m_pageTitle = new QLabel(central);
  m_pageTitle->setObjectName(idName(1023));
  m_pageTitle->setGeometry(162, 5, 490, 22);

  // Behind the picture: renders the view when it paints while the window asks for it.
  m_picture = backgrounds ? backgrounds->MakeMonitorBackground(
                                central, [this] { return m_state.m_bRenderOnPaint; },
                                [this] {
                                  if (m_panels.imageView) m_panels.imageView->Render();
                                })
                          : new QWidget(central);
  m_picture->setObjectName(idName(1074));
  m_picture->setGeometry(162, 30, 490, 370);
  m_picture->setAutoFillBackground(true);
  QPalette pal = m_picture->palette();
  pal.setColor(QPalette::Window, QColor(0x30, 0x30, 0x30));
  m_picture->setPalette(pal);
  if (m_panels.imageView) {
    // The placeholder is shown twice at the start and at every reset: read
    // and decoded once.
    m_panels.imageView->Attach(
        m_state, [this](int id) { return text(id); },
        [this, pictures = std::make_shared<std::map<int, QImage>>()](int id) {
          QImage& picture = (*pictures)[id];
          if (picture.isNull()) picture = QImage(m_resources.picturePath(id));
          return picture;
        });
    QWidget* view = m_panels.imageView->widget();
    view->setParent(m_picture);
    view->setGeometry(0, 0, 480, 360);
  }

  QWidget* log = m_panels.messageList->widget();
  log->setParent(central);
  log->setGeometry(162, 410, 490, 195);

  m_panelArea = new QWidget(central);
  m_panelArea->setObjectName("panelArea");
  m_panelArea->setGeometry(662, 5, 356, 560);

  auto makeButton = [&](int id, int x) {
    auto* b = new QPushButton(central);
    b->setObjectName(idName(id));
    b->setGeometry(x, 575, 110, 28);
    return b;
  };
  m_btnBack = makeButton(1026, 662);
  m_btnEscape = makeButton(1027, 785);
  m_btnNext = makeButton(1028, 908);
}

// The mode buttons' names, painted on the buttons (over them, the clicks
// going through to the buttons).
void CVarnisDatamatrixDlg::MakeModeText(QWidget* central) {
  constexpr int kTop = 360, kPitch = 48, kHeight = 40, kIconWidth = 44;
  if (m_panels.staticTexts)
    m_modeText = m_panels.staticTexts->MakeModeText(
        central, [this](int id) { return text(id); }, {kPitch, kHeight, kIconWidth});
  else
    m_modeText = new QWidget(central);
  m_modeText->setObjectName(idName(1175));
  m_modeText->setGeometry(8, kTop, 140, 2 * kPitch + kHeight);
  m_modeText->setAttribute(Qt::WA_TransparentForMouseEvents);
  m_modeText->hide();
}

void CVarnisDatamatrixDlg::addAction(int command, QMenu* menu) {
  auto* a = new QAction(this);
  a->setObjectName(idName(command));
  m_actions.insert(command, a);
  menu->addAction(a);
}

void CVarnisDatamatrixDlg::CreateMenu() {
  QList<QMenu*> open;
  for (const MenuEntry& e : kMainMenu) {
    switch (e.kind) {
      case MenuEntry::Popup: {
        QMenu* m = open.isEmpty() ? menuBar()->addMenu(QString()) : open.last()->addMenu(QString());
        m_menuTextIds.insert(m, e.textId);
        open.append(m);
        break;
      }
      case MenuEntry::Command: addAction(e.command, open.last()); break;
      case MenuEntry::Separator: open.last()->addSeparator(); break;
      case MenuEntry::End: open.removeLast(); break;
    }
  }
  // Ctrl+N and Alt+F4 work wherever the focus is in the program.
  m_actions.value(MenuIds::kNewConfig)->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
  m_actions.value(MenuIds::kExit)->setShortcut(QKeySequence(Qt::ALT | Qt::Key_F4));
  for (int id : {MenuIds::kNewConfig, MenuIds::kExit})
    m_actions.value(id)->setShortcutContext(Qt::ApplicationShortcut);
  connect(m_actions.value(MenuIds::kExit), &QAction::triggered, this, &CVarnisDatamatrixDlg::OnExit);
  connect(m_actions.value(MenuIds::kAbout), &QAction::triggered, this, &CVarnisDatamatrixDlg::OnAbout);
  connect(m_actions.value(MenuIds::kHelp), &QAction::triggered, this, &CVarnisDatamatrixDlg::OnHelp);
}

void CVarnisDatamatrixDlg::CreateToolbar() {
  m_toolbar = addToolBar(QString());
  m_toolbar->setObjectName(idName(5000) + "bar");
  m_toolbar->setMovable(false);
  m_toolbar->setIconSize(QSize(24, 24));
  m_toolbar->setToolButtonStyle(Qt::ToolButtonIconOnly);
  for (const ToolButton& b : kToolbar) {
    if (b.command == 0) {
      m_toolbar->addSeparator();
      continue;
    }
    auto* a = new QAction(this);
    a->setObjectName(idName(b.command));
    const QString picture = m_resources.picturePath(b.picture);
    if (!picture.isEmpty()) a->setIcon(QIcon(picture));
    m_actions.insert(b.command, a);
    m_toolbar->addAction(a);
  }
  for (int id : {5000, 5001, 5003, 5004, 5005, 5006, 5011}) m_actions.value(id)->setEnabled(false);
  connect(m_actions.value(5032), &QAction::triggered, this, &CVarnisDatamatrixDlg::OnHelp);
}

void CVarnisDatamatrixDlg::CreateStatusBar() {
  // The parts' widths of the 1024-pixel window: edges at 995, 905, 760,
  // 580, 475, 445 and 200 pixels before the right edge. The connection
  // state, the sensor and the code type are never clipped in any language:
  // the page and the readings make room.
  constexpr int kWidths[] = {29, 90, 145, 180, 105, 30, 245, 200};
  using Fit = StatusPane::Fit;
  constexpr Fit kFits[] = {Fit::Fixed,       Fit::GrowsToText, Fit::Fixed, Fit::GrowsToText,
                           Fit::GrowsToText, Fit::Fixed, Fit::GivesWay, Fit::GivesWay};
  for (std::size_t i = 0; i < m_statusPanes.size(); ++i) {
    auto* pane = new StatusPane(kWidths[i], kFits[i], this);
    pane->setObjectName(QStringLiteral("statusPane%1").arg(i));
    statusBar()->addWidget(pane, i == m_statusPanes.size() - 1 ? 1 : 0);
    m_statusPanes[i] = pane;
  }
  new StatusBarRelayout(*statusBar());  // owned by the bar
}

QLabel* CVarnisDatamatrixDlg::statusPane(int part) const {
  return part >= 0 && part < int(m_statusPanes.size()) ? m_statusPanes[std::size_t(part)] : nullptr;
}

void CVarnisDatamatrixDlg::ShowCodeTypeInStatusBar(const QString& name) {
  QLabel* pane = statusPane(4);
  if (!pane) return;
  const bool cut = name.size() > 18;
  pane->setText(cut ? name.left(17) + QStringLiteral("...") : name);
  pane->setToolTip(cut ? name : QString());
}

void CVarnisDatamatrixDlg::PlacePanels() {
  for (Panel* panel : m_panels.pages()) {
    panel->widget()->setParent(m_panelArea);
    panel->widget()->setGeometry(m_panelArea->rect());
    panel->widget()->hide();
  }
}

// The page buttons switch between the editor pages that are plugged in.
void CVarnisDatamatrixDlg::RegisterEditorPages() {
  if (!m_panels.taskButtons) return;
  for (Panel* panel : m_panels.pages())
    if (auto* page = dynamic_cast<EditorPage*>(panel)) m_panels.taskButtons->AddEditorPage(*page, panel->widget());
}

// The view services meet the window's parts once the controls exist.
void CVarnisDatamatrixDlg::AttachViews() {
  ViewHost host;
  host.state = &m_state;
  host.window = this;
  host.panels = &m_panels;
  host.log = m_log.get();
  host.settings = &m_reg;
  host.prompt = &m_prompt;
  host.text = [this](int id) { return text(id); };
  host.common = [this](int id) { return m_resources.definition(id); };
  host.postCommand = [this](int command) { PostSensorCommand(command); };
  host.setStatusText = [this](int part, const QString& t) {
    if (QLabel* pane = statusPane(part)) pane->setText(t);
  };
  // Through the state controller, which also keeps them off while disconnected.
  host.enableZoomButtons = [this](bool on) {
    if (m_dialogControl) m_dialogControl->EnableZoomButtons(on);
  };
  host.leaveZoomMode = [this] {
    m_state.m_bZoomMode = false;
    LeaveZoomMode();
  };
  host.setOpenDialog = [this](int open) {
    m_state.m_nOpenDialog = open;
    m_state.m_nHelpContext = open;
  };
  if (m_panels.balloon) m_panels.balloon->AttachView(host);
  if (m_panels.monitor) m_panels.monitor->AttachView(host);
  if (m_panels.service) m_panels.service->AttachView(host);
  if (m_panels.imageStore) m_panels.imageStore->AttachView(host);
  if (m_panels.results) m_panels.results->AttachView(host);
  if (m_panels.colourSettings) m_panels.colourSettings->AttachView(host);
  // The message list drops its selection when the mouse moves over the window.
  if (QWidget* central = centralWidget()) {
    central->setMouseTracking(true);
    central->installEventFilter(this);
  }
}

bool CVarnisDatamatrixDlg::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseMove && watched == centralWidget()) m_panels.messageList->ClearSelection();
  return QMainWindow::eventFilter(watched, event);
}

int CVarnisDatamatrixDlg::BuildLanguageMenu() {
  QMenu* settings = nullptr;
  for (auto it = m_menuTextIds.cbegin(); it != m_menuTextIds.cend(); ++it)
    if (it.value() == 400) settings = it.key();
  if (!settings) return -11032;
  for (int id = 1; id <= 255; ++id) m_actions.remove(MenuIds::kLanguageBase + id);
  delete m_languageMenu;
  m_languageMenu = new QMenu(settings);
  m_languageMenu->setObjectName("languageMenu");
  m_menuTextIds.insert(m_languageMenu, MenuIds::kLanguagePopupText);
  settings->insertMenu(settings->actions().value(0), m_languageMenu);
  int entries = 0;
  for (int id = 1; id <= 255; ++id) {
    if (!m_language.IsLanguageAvailable(id)) continue;
    auto* a = m_languageMenu->addAction(m_language.GetDisplayName(id));
    a->setObjectName(idName(MenuIds::kLanguageBase + id));
    a->setCheckable(true);
    a->setChecked(id == m_language.GetSelectedLanguage());
    a->setData(id);
    m_actions.insert(MenuIds::kLanguageBase + id, a);
    connect(a, &QAction::triggered, this, [this, id] { ChangeLanguage(id); });
    ++entries;
  }
  return entries == 0 ? -11032 : 0;
}

void CVarnisDatamatrixDlg::ChangeLanguage(int id) {
  if (m_state.m_bBusy) return;
  const int loaded = m_resources.LoadLanguageLibrary(id, false, m_language, m_prompt, this);
  if (loaded != id) {
    m_prompt.message(messageOwner(), QStringLiteral("Error while loading requested language, using existed "),
                     QStringLiteral("Varnis Tarvel"), QMessageBox::Warning);
  } else {
    m_language.SelectLanguage(id, [this](int i) { return text(i); });
    ApplyLanguage();
  }
  // The check mark follows the language in use.
  for (QAction* a : m_languageMenu->actions()) a->setChecked(a->data().toInt() == m_language.GetSelectedLanguage());
}

void CVarnisDatamatrixDlg::ReloadMenuTexts() {
  for (auto it = m_menuTextIds.cbegin(); it != m_menuTextIds.cend(); ++it) it.key()->setTitle(text(it.value()));
  for (const MenuEntry& e : kMainMenu) {
    if (e.kind != MenuEntry::Command) continue;
    int textId = e.textId;
    if (e.command == MenuIds::kConnect && m_state.m_bConnected) textId = MenuIds::kDisconnectText;
    if (e.command == MenuIds::kLockSensor && m_state.m_bSensorLocked) textId = MenuIds::kUnlockText;
    if (e.command == MenuIds::kLogin && m_state.m_bLoggedIn) textId = MenuIds::kLogoutText;
    // "Text\tShortcut": the shortcut part is the action's own.
    m_actions.value(e.command)->setText(text(textId).section('\t', 0, 0));
  }
  for (QAction* a : m_languageMenu ? m_languageMenu->actions() : QList<QAction*>{})
    a->setText(m_language.GetDisplayName(a->data().toInt()));
}

void CVarnisDatamatrixDlg::ApplyLanguage() {
  m_btnBack->setText(text(9200));
  m_btnNext->setText(text(9201));
  m_btnEscape->setText(text(9202));
  for (const ToolButton& b : kToolbar) {
    if (b.command == 0) continue;
    QAction* a = m_actions.value(b.command);
    a->setText(text(b.command));
    a->setToolTip(text(b.command));
  }
  m_toolbar->setWindowTitle(text(5033));
  ReloadMenuTexts();
  m_statusPanes[1]->setText(text(1005));
  m_modeText->update();
  for (Panel* panel : m_panels.pages()) panel->ReloadTexts();
  if (m_panels.trigger) m_panels.trigger->ReloadTexts();
  if (m_panels.configManager) m_panels.configManager->ReloadTexts();
  for (int i = 0; i < 3; ++i) m_strProductTexts[std::size_t(i)] = m_resources.definition(102 + i);
  m_strMsgTitle = m_strProductTexts[2];
  if (m_dialogControl) m_dialogControl->Apply();
}

void CVarnisDatamatrixDlg::RaiseFromOtherInstance() {
  QWidget* front = QApplication::activeModalWidget();
  if (!front) front = this;
  if (front->isMinimized()) front->showNormal();
  front->raise();
  front->activateWindow();
}

QWidget* CVarnisDatamatrixDlg::frontWindow() {
  QWidget* modal = QApplication::activeModalWidget();
  return modal ? modal : this;
}

void CVarnisDatamatrixDlg::ResetUserInterface() {
  if (m_dialogControl) {
    m_dialogControl->ResetToDisconnected();
  } else {
    EndLibrarySession();
    if (m_disconnectMesg && m_disconnectMesg->isVisible()) m_disconnectMesg->Close();
    m_state.m_bConnected = 0;
    m_state.m_bTestRunning = 0;
  }
  emit userInterfaceReset();
}

void CVarnisDatamatrixDlg::EndLibrarySession() {
  if (m_endLibrarySession) m_endLibrarySession();
}

void CVarnisDatamatrixDlg::ShowDisconnectNotice() {
  if (!m_disconnectMesg) m_disconnectMesg = std::make_unique<CDisconnectMesg>(*this, this);
  m_disconnectMesg->OnInitDialog();
  m_prompt.runDialog(*m_disconnectMesg);
}

void CVarnisDatamatrixDlg::PostSensorCommand(int command) {
  if (m_postCommand) m_postCommand(command);
}

void CVarnisDatamatrixDlg::EndProgram() { close(); }

void CVarnisDatamatrixDlg::ClearStatusPart(int part) {
  if (QLabel* pane = statusPane(part)) pane->clear();
}

void CVarnisDatamatrixDlg::OnAbout() {
  if (m_state.m_bBusy) return;
  CAboutDlg about(m_resources, this, m_panels.staticTexts.get(), &m_prompt);
  m_prompt.runDialog(about);
}

void CVarnisDatamatrixDlg::OnHelp() {
  if (m_state.m_bBusy) return;
  m_language.ScanHelpFiles(m_paths.lib, m_resources.definition(125));
  const int id = CLanguage::ResolveHelpLanguage(m_language.GetSelectedLanguage(), 1);
  if (id == -14011) return;
  m_language.SelectHelpLanguage(id);
  // The topic of the situation in front (the state controller chooses it).
  if (m_dialogControl) {
    m_dialogControl->ShowContextHelp();
    return;
  }
  LaunchHelp(m_resources.definition(403).toInt());
}

int CVarnisDatamatrixDlg::LaunchHelp(int topic) {
  const QString name =
      (m_resources.definition(304) + QStringLiteral("%1").arg(m_language.GetSelectedLanguage(), 2, 16, QLatin1Char('0')))
          .toLower();
  const QString page = QDir(QDir(m_paths.lib).filePath(name)).filePath(m_resources.definition(305));
  QUrl url = QUrl::fromLocalFile(page);
  url.setFragment(QStringLiteral("topic%1").arg(topic));
  const bool opened = QFileInfo::exists(page) && (m_openUrl ? m_openUrl(url) : QDesktopServices::openUrl(url));
  if (opened) return 0;
  m_prompt.message(messageOwner(), text(6085), m_strMsgTitle, QMessageBox::Information);
  return -1;
}

void CVarnisDatamatrixDlg::OnExit() {
  m_state.m_bLeaving = 1;
  if (m_prompt.message(messageOwner(), text(6041), m_strMsgTitle, QMessageBox::Question,
                       QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes) {
    close();
    return;
  }
  m_state.m_bLeaving = 0;
}

void CVarnisDatamatrixDlg::closeEvent(QCloseEvent* event) {
  ReleaseResources();
  event->accept();
  emit endRequested();
}

void CVarnisDatamatrixDlg::ReleaseResources() {
  if (m_released) return;
  m_released = true;
  // The language in use is the one of the next start.
  if (const int id = m_language.GetSelectedLanguage(); id != 0) m_reg.WriteUserLanguage(QString::number(id));
}
