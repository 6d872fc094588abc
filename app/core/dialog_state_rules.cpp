#include "core/dialog_state_rules.h"

using namespace DialogIds;

namespace {

// Toolbar pictures: enabled, disabled.
struct ToolImages {
  int command;
  int on;
  int off;
};
constexpr ToolImages kToolImages[] = {
    {kConnect, 0, 1},  {kDisconnect, 2, 3}, {kNew, 4, 5},      {kDelete, 6, 7},      {kUpload, 10, 11},
    {kDownload, 8, 9}, {kZoomIn, 12, 13},   {kZoomOut, 15, 16}, {kZoomReset, 18, 19}, {kHelp, 20, 20},
};
constexpr int kZoomInPressed = 14;
constexpr int kZoomOutPressed = 17;

ToolButtonState Button(const ToolImages& images, bool on) {
  return {images.command, on, on ? images.on : images.off, false};
}

bool InOverview(const MainDialogState& s) { return s.m_bConnected && s.m_nWizardStep == 8; }

}  // namespace

const ToolButtonState* DialogControls::tool(int command) const {
  for (const auto& t : toolbar)
    if (t.command == command) return &t;
  return nullptr;
}

const MenuItemState* DialogControls::item(int command) const {
  for (const auto& m : menu)
    if (m.command == command) return &m;
  return nullptr;
}

bool IsEditorStep(int step) { return step == 7 || step == 11 || step == 15 || step == 17 || step == 18; }

bool StatusLayoutForStep(int step, bool connected, std::array<StatusPart, 8>& parts, StatusIcon& icon) {
  auto str = [](int id) { return StatusPart{StatusText::String, id}; };
  constexpr StatusPart empty{StatusText::Empty, 0};
  constexpr StatusPart label{StatusText::ConnectionLabel, 0};
  switch (step) {
    case 0:
      // Connected before any view (a sensor state kept after its question):
      // the sensor, until a mode button chooses the view.
      if (connected) {
        parts = {empty, str(1004), label, StatusPart{StatusText::SensorInfo, 1019}, empty, empty, empty, empty};
        icon = StatusIcon::Sensor;
        return true;
      }
      // Not connected: only "Not connected" and the connection chosen last.
      parts = {empty, str(1005), label, empty, empty, empty, empty, empty};
      icon = StatusIcon::Sensor;
      return true;
    case 3:
      parts = {empty, str(1005), label, empty, empty, empty, str(1006), empty};
      icon = StatusIcon::Sensor;
      return true;
    default: break;
  }
  struct Page {
    int step;
    int text;
    bool readings;
    bool clearsCodeType;
  };
  constexpr Page kPages[] = {
      {1, 1015, true, false},  {2, 1016, true, true},    {7, 1009, false, false}, {8, 1008, false, true},
      {11, 1010, false, false}, {15, 1011, false, false}, {17, 1012, false, false}, {18, 1013, true, false},
  };
  for (const Page& p : kPages) {
    if (p.step != step) continue;
    parts = {empty,
             str(1004),
             label,
             StatusPart{StatusText::SensorInfo, 1019},
             p.clearsCodeType ? empty : StatusPart{StatusText::Keep, 0},
             empty,
             str(p.text),
             p.readings ? StatusPart{StatusText::Readings, 1014} : empty};
    icon = StatusIcon::Sensor;
    return true;
  }
  return false;
}

DialogControls ComputeDialogControls(const MainDialogState& s, const ControlRequests& r) {
  DialogControls c;
  const bool connected = s.m_bConnected;
  const int step = s.m_nWizardStep;

  // Connect and disconnect follow the connection; a connect under way, or
  // an address half typed, greys the connect.
  const bool connectOff = r.connecting || r.connectButtonOff;
  c.toolbar[0] = Button(kToolImages[0], !connected && !connectOff);
  c.toolbar[1] = Button(kToolImages[1], connected);
  // Slot buttons: what the selection in the configuration tree allows.
  const bool slotButtons = InOverview(s);
  const int newDelete = slotButtons ? r.newDeleteButtons : -1;
  const int transfer = slotButtons ? r.fileTransferButtons : -1;
  c.toolbar[2] = Button(kToolImages[2], newDelete == 1);
  c.toolbar[3] = Button(kToolImages[3], newDelete == 0);
  c.toolbar[4] = Button(kToolImages[4], transfer == 1);
  c.toolbar[5] = Button(kToolImages[5], transfer == 0);
  // Zoom: only over a picture a page shows; the tool in use shows pressed.
  const bool zoom = connected && r.zoomButtons;
  c.toolbar[6] = Button(kToolImages[6], zoom);
  c.toolbar[7] = Button(kToolImages[7], zoom);
  c.toolbar[8] = Button(kToolImages[8], zoom);
  if (zoom && s.m_bZoomMode && r.zoomTool == 1) c.toolbar[6] = {kZoomIn, true, kZoomInPressed, true};
  if (zoom && s.m_bZoomMode && r.zoomTool == 2) c.toolbar[7] = {kZoomOut, true, kZoomOutPressed, true};
  c.toolbar[9] = Button(kToolImages[9], true);

  // Menus. The Configurations popup and the update entry belong to the
  // configuration overview; the editor and the other views keep them off.
  c.configMenu = InOverview(s);
  const bool monitorLockOnly = connected && step == 1 && s.m_bSensorLocked && (s.m_nLockedItems & kLockMonitor);
  c.passwordMenu = connected && (step == 8 || IsEditorStep(step) || monitorLockOnly);
  const bool lockEntry = c.passwordMenu && !monitorLockOnly;
  const bool loginEntry = c.passwordMenu && s.m_bSensorLocked;
  c.menu[0] = {kMenuConnect, !connectOff, connected ? 520 : 310};
  c.menu[1] = {kMenuIpAddress, !connected && !connectOff, 0};
  c.menu[2] = {kMenuLock, lockEntry, s.m_bSensorLocked ? 530 : 420};
  c.menu[3] = {kMenuLogin, loginEntry, s.m_bLoggedIn ? 540 : 425};
  c.menu[4] = {kMenuUpdate, c.configMenu, 0};

  c.wizardButtons = connected && IsEditorStep(step) && r.wizardButtons;

  if (connected) {
    if (step == 1) c.activeModeStatic = kModeMonitor;
    if (step == 2) c.activeModeStatic = kModeService;
    if (step == 8 || IsEditorStep(step)) c.activeModeStatic = kModeConfiguration;
  }

  const int layoutStep = !connected ? (r.connectionPanel ? 3 : 0) : (r.connectionPanel ? 3 : step);
  if (!StatusLayoutForStep(layoutStep, connected, c.status, c.statusIcon))
    StatusLayoutForStep(0, connected, c.status, c.statusIcon);
  // "Connecting ..." only while a connect is under way, not while an address is typed.
  if (r.connecting) c.status[7] = {StatusText::String, 1018};
  c.lockIcon = connected ? (s.m_bSensorLocked ? StatusIcon::Locked : StatusIcon::Unlocked) : StatusIcon::None;

  c.pageTitleId = connected || r.connectionPanel ? PageTitleStringId(s.m_nPageTitle) : 0;
  return c;
}

int PageTitleStringId(int page) {
  switch (page) {
    case 1: return 2000;
    case 2: return 2001;
    case 3: return 2002;
    case 4:
    case 8: return 2003;
    case 7: return 2004;
    case 9: return 2005;
    case 10: return 2006;
    case 12: return 2007;
    case 14: return 2008;
    default: return 0;
  }
}

int HelpTopicStringId(int helpContext, int step, int codeDefinitionTab, int processInterfaceTab) {
  switch (helpContext) {
    case 1: return 418;
    case 2: return 421;
    case 3: return 406;
    case 4: return 420;
    default: break;
  }
  switch (step) {
    case 1: return 404;
    case 2: return 405;
    case 3: return 403;
    case 7: return 408;
    case 8: return 402;
    case 11:
      switch (codeDefinitionTab) {
        case 0: return 410;
        case 1: return 412;
        case 2: return 411;
        default: return 0;
      }
    case 15:
      switch (processInterfaceTab) {
        case 0: return 414;
        case 1: return 415;
        default: return 0;
      }
    case 17: return 416;
    case 18: return 417;
    default: return 400;
  }
}

bool LoginNeeded(const MainDialogState& s, int maskBit) {
  return s.m_bSensorLocked && (s.m_nLockedItems & maskBit) && !s.m_bLoggedIn;
}

bool ModeButtonAllowed(int modeStatic, const MainDialogState& s, bool hasActiveConfig) {
  if (!s.m_bConnected || s.m_bBusy || s.m_nSensorState == 6) return false;
  switch (modeStatic) {
    case kModeConfiguration: return !s.m_bServiceView && !s.m_bEditorOpen;
    case kModeService: return !s.m_bServiceView && !s.m_bEditorOpen;
    case kModeMonitor: return !s.m_bMonitorView && (!s.m_bEditorOpen || hasActiveConfig);
    default: return false;
  }
}
