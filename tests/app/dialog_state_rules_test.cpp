// The dialog-state rules: for each situation of a session, the enabled and
// pressed state of every toolbar button, the menu entries that follow the
// session with their texts, the wizard buttons, the mode statics, the status
// bar and the page title. The widget test holds the real window against the
// same situations (tests/app/gui/dialog_control_test.cpp).
#include <gtest/gtest.h>

#include <string>

#include "core/dialog_state_rules.h"
#include "dialog_situations.h"

using namespace DialogIds;

namespace {

std::string Flags(const DialogControls& c) {
  std::string out;
  for (const auto& t : c.toolbar) out += t.enabled ? '1' : '0';
  return out;
}
std::string MenuFlags(const DialogControls& c) {
  std::string out;
  for (const auto& m : c.menu) out += m.enabled ? '1' : '0';
  return out;
}
// Status parts 1..7 as letters: - empty, k keep, L label, I sensor info,
// R readings, or the string id.
std::string Status(const DialogControls& c) {
  std::string out;
  for (std::size_t i = 1; i < c.status.size(); ++i) {
    const StatusPart& p = c.status[i];
    switch (p.kind) {
      case StatusText::Empty: out += "-"; break;
      case StatusText::Keep: out += "k"; break;
      case StatusText::ConnectionLabel: out += "L"; break;
      case StatusText::SensorInfo: out += "I"; break;
      case StatusText::Readings: out += "R"; break;
      case StatusText::String: out += std::to_string(p.stringId); break;
    }
    out += ' ';
  }
  return out;
}

struct Expected {
  const char* situation;
  const char* toolbar;  // 5000 5001 5003 5004 5005 5006 5009 5010 5011 5032
  const char* menu;     // 1015 32779 32799 32800 57610
  int connectText, lockText, loginText;
  bool configMenu, passwordMenu, wizard;
  int modeStatic;
  const char* status;  // parts 1..7
  StatusIcon icon, lockIcon;
  int title;
};

const Expected kTable[] = {
    {"not connected", "1000000001", "11000", 310, 420, 425, false, false, false, 0, "1005 L - - - - - ",
     StatusIcon::Sensor, StatusIcon::None, 0},
    {"connecting", "0000000001", "00000", 310, 420, 425, false, false, false, 0, "1005 L - - - - 1018 ",
     StatusIcon::Sensor, StatusIcon::None, 0},
    {"connection panel", "1000000001", "11000", 310, 420, 425, false, false, false, 0, "1005 L - - - 1006 - ",
     StatusIcon::Sensor, StatusIcon::None, 2002},
    // Typing is no connect: no "Connecting ..." (1018).
    {"connection panel, half an address", "0000000001", "00000", 310, 420, 425, false, false, false, 0,
     "1005 L - - - 1006 - ", StatusIcon::Sensor, StatusIcon::None, 2002},
    {"monitor", "0100000001", "10000", 520, 420, 425, false, false, false, kModeMonitor, "1004 L I k - 1015 R ",
     StatusIcon::Sensor, StatusIcon::Unlocked, 2000},
    {"overview, no slot", "0100000001", "10101", 520, 420, 425, true, true, false, kModeConfiguration,
     "1004 L I - - 1008 - ", StatusIcon::Sensor, StatusIcon::Unlocked, 2003},
    {"overview, free slot", "0110010001", "10101", 520, 420, 425, true, true, false, kModeConfiguration,
     "1004 L I - - 1008 - ", StatusIcon::Sensor, StatusIcon::Unlocked, 2003},
    {"overview, configuration", "0101100001", "10101", 520, 420, 425, true, true, false, kModeConfiguration,
     "1004 L I - - 1008 - ", StatusIcon::Sensor, StatusIcon::Unlocked, 2003},
    {"editor 7", "0100001111", "10100", 520, 420, 425, false, true, true, kModeConfiguration,
     "1004 L I k - 1009 - ", StatusIcon::Sensor, StatusIcon::Unlocked, 2004},
    {"editor 11", "0100001111", "10100", 520, 420, 425, false, true, true, kModeConfiguration,
     "1004 L I k - 1010 - ", StatusIcon::Sensor, StatusIcon::Unlocked, 2005},
    {"editor 11, zoom in", "0100001111", "10100", 520, 420, 425, false, true, true, kModeConfiguration,
     "1004 L I k - 1010 - ", StatusIcon::Sensor, StatusIcon::Unlocked, 2005},
    {"editor 15", "0100001111", "10100", 520, 420, 425, false, true, true, kModeConfiguration,
     "1004 L I k - 1011 - ", StatusIcon::Sensor, StatusIcon::Unlocked, 2006},
    {"editor 17", "0100001111", "10100", 520, 420, 425, false, true, true, kModeConfiguration,
     "1004 L I k - 1012 - ", StatusIcon::Sensor, StatusIcon::Unlocked, 2007},
    {"editor 18", "0100000001", "10100", 520, 420, 425, false, true, true, kModeConfiguration,
     "1004 L I k - 1013 R ", StatusIcon::Sensor, StatusIcon::Unlocked, 2008},
    {"service", "0100000001", "10000", 520, 420, 425, false, false, false, kModeService, "1004 L I - - 1016 R ",
     StatusIcon::Sensor, StatusIcon::Unlocked, 2001},
    {"locked overview", "0100000001", "10111", 520, 530, 425, true, true, false, kModeConfiguration,
     "1004 L I - - 1008 - ", StatusIcon::Sensor, StatusIcon::Locked, 2003},
    {"locked overview, logged in", "0100000001", "10111", 520, 530, 540, true, true, false, kModeConfiguration,
     "1004 L I - - 1008 - ", StatusIcon::Sensor, StatusIcon::Locked, 2003},
    {"locked monitor", "0100000001", "10010", 520, 530, 425, false, true, false, kModeMonitor,
     "1004 L I k - 1015 R ", StatusIcon::Sensor, StatusIcon::Locked, 2000},
    {"monitor, lock without monitor", "0100000001", "10000", 520, 530, 425, false, false, false, kModeMonitor,
     "1004 L I k - 1015 R ", StatusIcon::Sensor, StatusIcon::Locked, 2000},
};

}  // namespace

TEST(DialogStateRulesTest, EverySituationOfASessionShowsItsControls) {
  ASSERT_EQ(std::size(kTable), DialogSituations().size());
  for (const Expected& e : kTable) {
    SCOPED_TRACE(e.situation);
    const DialogSituation& s = FindSituation(e.situation);
    const DialogControls c = ComputeDialogControls(s.state, s.requests);
    EXPECT_EQ(Flags(c), e.toolbar);
    EXPECT_EQ(MenuFlags(c), e.menu);
    EXPECT_EQ(c.item(kMenuConnect)->textId, e.connectText);
    EXPECT_EQ(c.item(kMenuLock)->textId, e.lockText);
    EXPECT_EQ(c.item(kMenuLogin)->textId, e.loginText);
    EXPECT_EQ(c.configMenu, e.configMenu);
    EXPECT_EQ(c.passwordMenu, e.passwordMenu);
    EXPECT_EQ(c.wizardButtons, e.wizard);
    EXPECT_EQ(c.activeModeStatic, e.modeStatic);
    EXPECT_EQ(Status(c), e.status);
    EXPECT_EQ(c.statusIcon, e.icon);
    EXPECT_EQ(c.lockIcon, e.lockIcon);
    EXPECT_EQ(c.pageTitleId, e.title);
  }
}

TEST(DialogStateRulesTest, ToolbarPicturesFollowTheStateAndTheZoomTool) {
  const auto plain = ComputeDialogControls(FindSituation("editor 11").state, FindSituation("editor 11").requests);
  const auto in = ComputeDialogControls(FindSituation("editor 11, zoom in").state,
                                        FindSituation("editor 11, zoom in").requests);
  EXPECT_EQ(*plain.tool(kZoomIn), (ToolButtonState{kZoomIn, true, 12, false}));
  EXPECT_EQ(*plain.tool(kZoomOut), (ToolButtonState{kZoomOut, true, 15, false}));
  EXPECT_EQ(*in.tool(kZoomIn), (ToolButtonState{kZoomIn, true, 14, true}));
  EXPECT_EQ(*in.tool(kZoomOut), (ToolButtonState{kZoomOut, true, 15, false}));

  auto out = FindSituation("editor 11, zoom in");
  out.requests.zoomTool = 2;
  const auto o = ComputeDialogControls(out.state, out.requests);
  EXPECT_EQ(*o.tool(kZoomOut), (ToolButtonState{kZoomOut, true, 17, true}));
  // Out of zoom mode no tool shows pressed.
  out.state.m_bZoomMode = false;
  EXPECT_FALSE(ComputeDialogControls(out.state, out.requests).tool(kZoomOut)->pressed);

  const auto off = ComputeDialogControls(FindSituation("not connected").state, {});
  EXPECT_EQ(*off.tool(kConnect), (ToolButtonState{kConnect, true, 0, false}));
  EXPECT_EQ(*off.tool(kDisconnect), (ToolButtonState{kDisconnect, false, 3, false}));
  EXPECT_EQ(off.tool(kZoomReset)->image, 19);
  EXPECT_EQ(off.tool(kUpload)->image, 11);
  EXPECT_EQ(off.tool(kDownload)->image, 9);
}

TEST(DialogStateRulesTest, SlotButtonsAndZoomNeedAConnection) {
  // A page's late request does not light buttons after the sensor went.
  auto s = FindSituation("overview, free slot");
  s.state.m_bConnected = 0;
  s.requests.zoomButtons = true;
  EXPECT_EQ(Flags(ComputeDialogControls(s.state, s.requests)), "1000000001");
}

TEST(DialogStateRulesTest, PageTitlesAndHelpTopics) {
  const std::pair<int, int> titles[] = {{1, 2000}, {2, 2001}, {3, 2002}, {4, 2003}, {8, 2003}, {7, 2004},
                                        {9, 2005}, {10, 2006}, {12, 2007}, {14, 2008}, {5, 0},    {6, 0},
                                        {11, 0},   {13, 0},    {0, 0},     {-1, 0},   {99, 0}};
  for (auto [page, id] : titles) EXPECT_EQ(PageTitleStringId(page), id) << page;

  const struct {
    int context, step, codeTab, processTab, topic;
  } help[] = {
      {1, 8, -1, -1, 418}, {2, 8, -1, -1, 421}, {3, 8, -1, -1, 406}, {4, 8, -1, -1, 420}, {0, 1, -1, -1, 404},
      {0, 2, -1, -1, 405}, {0, 3, -1, -1, 403}, {0, 7, -1, -1, 408}, {0, 8, -1, -1, 402}, {0, 11, 0, -1, 410},
      {0, 11, 1, -1, 412}, {0, 11, 2, -1, 411}, {0, 11, -1, -1, 0}, {0, 15, -1, 0, 414}, {0, 15, -1, 1, 415},
      {0, 15, -1, -1, 0},  {0, 17, -1, -1, 416}, {0, 18, -1, -1, 417}, {0, 0, -1, -1, 400}, {5, 9, -1, -1, 400},
  };
  for (const auto& h : help)
    EXPECT_EQ(HelpTopicStringId(h.context, h.step, h.codeTab, h.processTab), h.topic) << h.context << "/" << h.step;
}

TEST(DialogStateRulesTest, LoginAndModeButtons) {
  MainDialogState s;
  s.m_bConnected = 1;
  s.m_bSensorLocked = 1;
  s.m_nLockedItems = 2;
  EXPECT_TRUE(LoginNeeded(s, kLockConfiguration));
  EXPECT_FALSE(LoginNeeded(s, kLockService));
  s.m_nLockedItems = 1;
  EXPECT_TRUE(LoginNeeded(s, kLockService));
  s.m_bLoggedIn = 1;
  EXPECT_FALSE(LoginNeeded(s, kLockService));
  s.m_bSensorLocked = 0;
  s.m_bLoggedIn = 0;
  EXPECT_FALSE(LoginNeeded(s, kLockService));

  // Monitor view: configuration and service open, monitor not again.
  MainDialogState m = FindSituation("monitor").state;
  EXPECT_TRUE(ModeButtonAllowed(kModeConfiguration, m, false));
  EXPECT_TRUE(ModeButtonAllowed(kModeService, m, false));
  EXPECT_FALSE(ModeButtonAllowed(kModeMonitor, m, true));
  m.m_bBusy = 1;
  EXPECT_FALSE(ModeButtonAllowed(kModeService, m, false));
  m.m_bBusy = 0;
  m.m_nSensorState = 6;
  EXPECT_FALSE(ModeButtonAllowed(kModeService, m, false));
  // Configuration overview: the monitor only with an active configuration.
  MainDialogState o = FindSituation("overview, no slot").state;
  EXPECT_FALSE(ModeButtonAllowed(kModeConfiguration, o, true));
  EXPECT_FALSE(ModeButtonAllowed(kModeService, o, true));
  EXPECT_FALSE(ModeButtonAllowed(kModeMonitor, o, false));
  EXPECT_TRUE(ModeButtonAllowed(kModeMonitor, o, true));
  // Service: only the monitor.
  MainDialogState v = FindSituation("service").state;
  EXPECT_FALSE(ModeButtonAllowed(kModeConfiguration, v, true));
  EXPECT_FALSE(ModeButtonAllowed(kModeService, v, true));
  EXPECT_TRUE(ModeButtonAllowed(kModeMonitor, v, false));
  // Not connected: none.
  for (int id : {kModeConfiguration, kModeMonitor, kModeService})
    EXPECT_FALSE(ModeButtonAllowed(id, FindSituation("not connected").state, true));
}
