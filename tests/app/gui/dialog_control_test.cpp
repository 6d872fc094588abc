// The state controller on the real window: driven into each situation of a
// session through its own operations, the widgets show what the rules'
// table says; the reset, the lock session, the guards and the key filter.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include "../dialog_situations.h"
#include "core/sensor_command.h"
#include "dialog_widgets.h"
#include "gui_test_support.h"
#include "services/recording_prompt.h"
#include "window/dialog_control.h"
#include "window/main_commands.h"
#include "window/main_window.h"
#include "window/main_window_pictures.h"

using namespace DialogIds;

namespace {

// The lock library's stand-in: answers as set, counts the calls.
struct FakeLock : LockLibrary {
  int startResult = 0, statusResult = 0, statusValue = 0, activateResult = 0, deactivateResult = 0;
  int starts = 0, restarts = 0, finishes = 0;
  int Start(const char*, int) override {
    ++starts;
    return startResult;
  }
  int Restart(const char*, int) override {
    ++restarts;
    return 0;
  }
  int Finish() override {
    ++finishes;
    return 0;
  }
  int Status(int* status) override {
    *status = statusValue;
    return statusResult;
  }
  int Activate(const char*, int) override { return activateResult; }
  int Deactivate() override { return deactivateResult; }
};

struct FakeConfigManager : ConfigManagerService {
  int clipboardClears = 0;
  bool active = true;
  void RebuildFromConfigList() override {}
  bool IsAnyConfigActive() const override { return active; }
  int CheckFreeSlot() const override { return 0; }
  void ActivateSelected() override {}
  void EditSelectedConfig() override {}
  void DeleteSelectedConfig() override {}
  void GetMasterRequestType(int) override {}
  void SetSelectedAsGroupMaster() override {}
  void SaveConfigToFile() override {}
  void RequestConfigInfo() override {}
  void CutSelectedConfig() override {}
  void CopySelectedConfig() override {}
  void PasteClipboardConfig() override {}
  void ClearClipboard() override { ++clipboardClears; }
  int countConfigurations() const override { return 3; }
  int GetSelectedItemType() const override { return -1; }
  void DisableConfigCommands() override {}
  void DisableNewCommand() override {}
  void DisableDownloadCommand() override {}
};

struct DialogControlTest : ::testing::Test {
  LibCopy lib;
  RecordingPrompt prompt;
  std::vector<int> posted;
  FakeLock* lock = nullptr;
  FakeConfigManager* manager = nullptr;
  std::unique_ptr<CVarnisDatamatrixDlg> window;
  int liveStops = 0;

  void SetUp() override {
    MainPanels panels;
    auto m = std::make_unique<FakeConfigManager>();
    manager = m.get();
    panels.configManager = std::move(m);
    window = std::make_unique<CVarnisDatamatrixDlg>(prompt, std::move(panels));
    auto l = std::make_unique<FakeLock>();
    lock = l.get();
    window->setLockLibrary(std::move(l));
    window->setSplashEnabled(false);
    window->setCommandPoster([this](int id) { posted.push_back(id); });
    window->setStopLiveImage([this] { return ++liveStops, 0; });
    ASSERT_EQ(window->OnInitDialog(), CVarnisDatamatrixDlg::StartResult::Run);
    window->show();
  }

  MainDialogState& state() { return window->state(); }
  CDialogControl& control() { return window->dialogControl(); }

  // The connect reply as the reply handler will leave it.
  void Connected() {
    state().m_bConnected = 1;
    state().m_bBusy = 0;
    state().m_strSensorType = u"K7M-2D";
    state().m_strSoftwareVersion = u"3100";
    control().SetConnectButton(false);
  }
  void ClickMode(int id) { QTest::mouseClick(window->modeStatic(id), Qt::LeftButton); }

  // Drives the window into a situation of the rules' table through its operations.
  void Enter(const std::string& name) {
    if (name == "not connected") return;
    if (name == "connecting") {
      // Connect again to the address of the last connect.
      state().m_strConnectAddress = u"127.0.0.1";
      window->action(kConnect)->trigger();
      return;
    }
    if (name == "connection panel") {
      window->action(kMenuIpAddress)->trigger();
      return;
    }
    if (name == "connection panel, half an address") {
      window->action(kMenuIpAddress)->trigger();
      control().SetConnectButton(true);  // as the panel does while its octets are incomplete
      return;
    }
    Connected();
    const bool locked = name.rfind("locked", 0) == 0 || name == "monitor, lock without monitor";
    if (locked) {
      lock->statusValue = name == "locked monitor" ? 4 : name == "monitor, lock without monitor" ? 3 : 6;
      ASSERT_TRUE(control().QueryLockStatus());
      if (name == "locked overview, logged in") control().SetLoggedIn(true);
    }
    if (name.find("monitor") != std::string::npos) {
      ClickMode(kModeMonitor);
      state().m_bBusy = 0;  // the reply of CMD_MONITOR_ON
      return;
    }
    if (name == "service") {
      control().EnterServiceView();
      return;
    }
    control().EnterConfigurationView();
    if (name == "overview, free slot") {
      control().SetNewDeleteButtons(1);
      control().SetFileTransferButtons(0);
    }
    if (name == "overview, configuration") {
      control().SetNewDeleteButtons(0);
      control().SetFileTransferButtons(1);
    }
    if (name.rfind("editor", 0) == 0) {
      // What the editor's pages do when they show themselves.
      const int step = std::stoi(name.substr(7, 2));
      const int pages[][2] = {{7, 7}, {11, 9}, {15, 10}, {17, 12}, {18, 14}};
      for (auto [s, page] : pages)
        if (s == step) control().SetPageTitle(page);
      state().m_nWizardStep = step;
      state().m_bImageVisible = 1;
      control().EnableWizardButtons(true);
      control().EnableZoomButtons(step != 18);
      if (name.find("zoom in") != std::string::npos) {
        state().m_bZoomMode = true;
        control().SetZoomTool(1);
      }
    }
  }

  void ExpectWidgetsMatch(const DialogControls& c) {
    ::ExpectWidgetsMatch(*window, c, QStringLiteral("  K7M-2D  [Software 3100]"));
  }
};

TEST_F(DialogControlTest, EachSituationShowsTheControlsOfTheTable) {
  for (const DialogSituation& situation : DialogSituations()) {
    SCOPED_TRACE(situation.name);
    TearDown();
    window.reset();
    posted.clear();
    SetUp();
    Enter(situation.name);
    // The window's own state leads to the same controls as the table's situation...
    const DialogControls expected = ComputeDialogControls(situation.state, situation.requests);
    EXPECT_EQ(control().controls(), expected);
    // ...and its widgets show them.
    ExpectWidgetsMatch(expected);
    std::string shot = "main_window_" + situation.name;
    for (char& ch : shot)
      if (ch == ' ' || ch == ',') ch = '_';
    SaveScreenshot(*window, shot.c_str());
  }
}

TEST_F(DialogControlTest, ConnectAgainPostsTheLastAddressAndGuardsWhileBusy) {
  Enter("connecting");
  EXPECT_EQ(posted, (std::vector<int>{CMD_CONNECT}));
  EXPECT_EQ(QString::fromStdU16String(state().m_strConnectAddress), "127.0.0.1");
  EXPECT_TRUE(state().m_bBusy);
  EXPECT_EQ(window->statusPane(7)->text(), window->text(1018));
  // Busy: every guarded command is ignored.
  window->action(kConnect)->trigger();
  window->action(kMenuConnect)->trigger();
  window->action(kDisconnect)->trigger();
  EXPECT_EQ(posted.size(), 1u);
  EXPECT_TRUE(prompt.messages().isEmpty());
}

TEST_F(DialogControlTest, LostConnectionInEachModeResetsToDisconnected) {
  const DialogControls disconnected = ComputeDialogControls(MainDialogState{}, ControlRequests{});
  for (const char* mode : {"monitor", "overview, configuration", "editor 11, zoom in", "service", "locked overview"}) {
    SCOPED_TRACE(mode);
    TearDown();
    window.reset();
    SetUp();
    Enter(mode);
    lock->finishes = 0;
    control().StartLockSession();
    window->errors().ShowError(11);  // the connection-lost warning
    EXPECT_FALSE(state().m_bConnected);
    EXPECT_FALSE(state().m_bBusy);
    EXPECT_EQ(state().m_nWizardStep, 0);
    EXPECT_FALSE(state().m_bEditorOpen || state().m_bMonitorView || state().m_bServiceView);
    EXPECT_FALSE(state().m_bSensorLocked);
    EXPECT_EQ(control().controls(), disconnected);
    ExpectWidgetsMatch(disconnected);
    EXPECT_EQ(lock->finishes, 1);
    EXPECT_FALSE(control().lockSession());
  }
}

// The pictures of the toolbar, the mode statics and the status icons follow
// each change of state; an Apply that changes nothing loads none again (a
// new icon repaints its button).
TEST_F(DialogControlTest, PicturesFollowTheStateAndStayWhenNothingChanged) {
  const ResourceLibraries& resources = window->resources();
  const auto same = [](const QPixmap& a, const QPixmap& b) { return a.toImage() == b.toImage(); };
  const auto expectPictures = [&] {
    const DialogControls c = control().controls();
    for (const ToolButtonState& t : c.toolbar) {
      const QSize size(24, 24);
      EXPECT_TRUE(same(window->action(t.command)->icon().pixmap(size),
                       MainWindowPictures::toolbarIcon(resources, t.image).pixmap(size)))
          << t.command;
    }
    for (int id : {kModeConfiguration, kModeMonitor, kModeService}) {
      QLabel* mode = window->modeStatic(id);
      EXPECT_TRUE(same(mode->pixmap(), MainWindowPictures::modeStatic(resources, id, mode->property("look").toInt())))
          << id;
    }
    for (auto [part, icon] : {std::pair{0, c.statusIcon}, {5, c.lockIcon}})
      EXPECT_TRUE(same(window->statusPane(part)->pixmap(), MainWindowPictures::statusIcon(resources, int(icon))))
          << part;
  };
  const auto iconKeys = [&] {
    std::vector<qint64> keys;
    for (const ToolButtonState& t : control().controls().toolbar) keys.push_back(window->action(t.command)->icon().cacheKey());
    for (int id : {kModeConfiguration, kModeMonitor, kModeService}) keys.push_back(window->modeStatic(id)->pixmap().cacheKey());
    return keys;
  };
  for (const char* step : {"not connected", "monitor", "overview, configuration", "reset"}) {
    SCOPED_TRACE(step);
    if (std::string(step) == "reset")
      control().ResetToDisconnected();
    else
      Enter(step);
    expectPictures();
    const auto before = iconKeys();
    control().Apply();
    EXPECT_EQ(iconKeys(), before);
  }
}

TEST_F(DialogControlTest, ResetAnswersAnOpenQuestionNoAndEmptiesTheClipboard) {
  Enter("editor 11");
  int resets = 0;
  prompt.setMessageHook([&](const RecordingPrompt::Request& r) {
    if (r.buttons & QMessageBox::No) {
      ++resets;
      window->ResetUserInterface();
    }
  });
  window->wizardButton(1027)->click();  // "Escape" asks Yes/No
  EXPECT_EQ(resets, 1);
  EXPECT_EQ(prompt.answeredNo(), 1);
  // Answered No: nothing was discarded.
  EXPECT_TRUE(posted.empty());
  EXPECT_GE(manager->clipboardClears, 1);
  EXPECT_FALSE(state().m_bConnected);
}

TEST_F(DialogControlTest, LoginIsAskedBeforeTheProtectedModes) {
  int logins = 0;
  window->commands().setLoginRunner([&] { return ++logins, int(QDialog::Rejected); });
  Enter("locked monitor");  // mask 4: configuration and service are free
  ClickMode(kModeConfiguration);
  EXPECT_EQ(logins, 0);
  EXPECT_EQ(posted.back(), CMD_MONITOR_OFF);
  EXPECT_EQ(state().m_nSensorState, 4);

  for (auto [mask, mode, needs] : {std::tuple{2, kModeConfiguration, true}, {2, kModeService, false},
                                   {1, kModeService, true}, {1, kModeConfiguration, false}}) {
    SCOPED_TRACE(mask * 10000 + mode);
    state().m_bBusy = 0;
    state().m_bEditorOpen = 0;
    state().m_bServiceView = 0;
    control().SetLockedItems(mask);
    posted.clear();
    logins = 0;
    ClickMode(mode);
    EXPECT_EQ(logins, needs ? 1 : 0);
    // A refused login leaves the mode as it was.
    EXPECT_EQ(posted.empty(), needs);
  }
}

TEST_F(DialogControlTest, WizardClosesKeepBusyAndStopTheLiveImageOnTheirReply) {
  Enter("editor 7");
  prompt.queueAnswer(QMessageBox::Yes);
  window->wizardButton(1027)->click();
  EXPECT_EQ(posted, (std::vector<int>{CMD_CLOSE_AND_DISCARD}));
  EXPECT_TRUE(state().m_bBusy);  // until the discard's reply
  EXPECT_EQ(liveStops, 0);
  EXPECT_EQ(state().m_nWizardStep, 8);
  window->commands().OnEditorCloseReply();
  EXPECT_EQ(liveStops, 1);
  window->commands().OnEditorCloseReply();
  EXPECT_EQ(liveStops, 1);
  // Back in the overview: the slot buttons as the editor leaves them.
  EXPECT_TRUE(window->action(kNew)->isEnabled());
  EXPECT_TRUE(window->action(kUpload)->isEnabled());
  EXPECT_TRUE(window->popupOfText(200)->menuAction()->isEnabled());
}

TEST_F(DialogControlTest, LockSession) {
  state().m_strConnectAddress = u"127.0.0.1";
  EXPECT_TRUE(control().StartLockSession());
  lock->statusValue = 6;
  EXPECT_TRUE(control().QueryLockStatus());
  EXPECT_TRUE(control().IsSensorLocked());
  EXPECT_TRUE(control().IsConfigLocked());
  EXPECT_TRUE(control().IsMonitorLocked());
  EXPECT_FALSE(control().IsServiceLocked());
  EXPECT_FALSE(control().IsLoggedIn());

  // A failed call gets a fresh client and keeps the session.
  lock->activateResult = -53;
  EXPECT_FALSE(control().ActivateLock("pw"));
  EXPECT_EQ(lock->restarts, 1);
  EXPECT_TRUE(control().lockSession());
  lock->statusResult = -53;
  EXPECT_FALSE(control().QueryLockStatus());
  EXPECT_EQ(lock->restarts, 2);
  EXPECT_TRUE(control().lockSession());
  ASSERT_EQ(prompt.messages().size(), 2);
  EXPECT_EQ(prompt.messages()[0].text, window->text(9972));
  EXPECT_EQ(prompt.messages()[1].text, window->text(9974));

  EXPECT_TRUE(control().FinishLockSession());
  EXPECT_TRUE(control().FinishLockSession());
  EXPECT_EQ(lock->finishes, 1);  // the second one does not call the library

  // A client left from before is replaced, so the connect goes on.
  lock->startResult = -51;
  EXPECT_TRUE(control().StartLockSession());
  EXPECT_EQ(lock->restarts, 3);
}

TEST_F(DialogControlTest, KeyFilterSwallowsEnterEscapeSpaceAndCopiesTheLog) {
  QPushButton* next = window->wizardButton(1028);
  next->setEnabled(true);
  int clicks = 0;
  QObject::connect(next, &QPushButton::clicked, [&] { ++clicks; });
  next->setFocus();
  for (Qt::Key k : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space, Qt::Key_Escape}) QTest::keyClick(next, k);
  EXPECT_EQ(clicks, 0);

  auto& log = window->panels().messageList;
  log->AddColorString("first ", 0);
  log->AddColorString("second", 0);
  QApplication::clipboard()->clear();
  auto* list = log->widget();
  list->setFocus();
  QTest::keyClick(list, Qt::Key_C, Qt::ControlModifier);
  EXPECT_TRUE(QApplication::clipboard()->text().isEmpty());  // nothing selected
  QTest::keyClick(list, Qt::Key_Down);
  QTest::keyClick(list, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QApplication::clipboard()->text(), "first second");
}

}  // namespace
