#pragma once
// Which control of the main window is enabled, checked or showing what in
// each situation of a session: the toolbar, the menu entries that follow the
// session, the wizard buttons, the mode statics, the status bar and the page
// title. Plain functions over plain data; CDialogControl applies the result
// to the widgets. No Qt here.
#include <array>
#include <cstdint>

#include "core/main_dialog_state.h"

// What the controller keeps besides the shared state: the last request of
// each page that sets a group of controls itself (the configuration tree
// sets the slot buttons, the pages the zoom and wizard buttons).
struct ControlRequests {
  int newDeleteButtons = -1;     // SetNewDeleteButtons: 1 free slot (New), 0 configuration (Delete), -1 both off
  int fileTransferButtons = -1;  // SetFileTransferButtons: 1 configuration (Upload), 0 free (Download), -1 off
  bool zoomButtons = false;      // EnableZoomButtons
  int zoomTool = 0;              // pressed zoom tool while in zoom mode: 0 none, 1 zoom in, 2 zoom out
  bool wizardButtons = false;    // EnableWizardButtons
  bool connectButtonOff = false; // SetConnectButton(true): the panel holds nothing complete to connect to
  bool connecting = false;       // a connect is posted and its reply not handled
  bool connectionPanel = false;  // the connection panel is shown
  friend bool operator==(const ControlRequests&, const ControlRequests&) = default;
};

namespace DialogIds {
// Toolbar commands.
inline constexpr int kConnect = 5000;
inline constexpr int kDisconnect = 5001;
inline constexpr int kNew = 5003;
inline constexpr int kDelete = 5004;
inline constexpr int kUpload = 5005;
inline constexpr int kDownload = 5006;
inline constexpr int kZoomIn = 5009;
inline constexpr int kZoomOut = 5010;
inline constexpr int kZoomReset = 5011;
inline constexpr int kHelp = 5032;
// Menu commands whose state follows the session.
inline constexpr int kMenuConnect = 1015;
inline constexpr int kMenuIpAddress = 32779;
inline constexpr int kMenuLock = 32799;
inline constexpr int kMenuLogin = 32800;
inline constexpr int kMenuUpdate = 57610;
// Mode statics.
inline constexpr int kModeConfiguration = 1019;
inline constexpr int kModeMonitor = 1020;
inline constexpr int kModeService = 1021;
// Lock mask bits.
inline constexpr int kLockService = 1;
inline constexpr int kLockConfiguration = 2;
inline constexpr int kLockMonitor = 4;
}  // namespace DialogIds

struct ToolButtonState {
  int command = 0;
  bool enabled = false;
  int image = 0;         // index in the toolbar's picture list
  bool pressed = false;  // the zoom tool in use (its pressed image)
  friend bool operator==(const ToolButtonState&, const ToolButtonState&) = default;
};

struct MenuItemState {
  int command = 0;
  bool enabled = false;
  int textId = 0;  // 0: the entry keeps its text from the menu table
  friend bool operator==(const MenuItemState&, const MenuItemState&) = default;
};

// What a status-bar part shows.
enum class StatusText : std::uint8_t {
  Keep,             // left as a page set it (the code type in part 4)
  Empty,
  String,           // the language string stringId
  ConnectionLabel,  // " " and the connection label
  SensorInfo,       // "  type  [<1019>version]"
  Readings,         // "<1014> <total readings>"
};
struct StatusPart {
  StatusText kind = StatusText::Empty;
  int stringId = 0;
  friend bool operator==(const StatusPart&, const StatusPart&) = default;
};
enum class StatusIcon : std::uint8_t { None, Idle, Sensor, Locked, Unlocked };

struct DialogControls {
  // 5000, 5001, 5003, 5004, 5005, 5006, 5009, 5010, 5011, 5032 in this order.
  std::array<ToolButtonState, 10> toolbar{};
  // 1015, 32779, 32799, 32800, 57610 in this order.
  std::array<MenuItemState, 5> menu{};
  bool configMenu = false;    // the Configurations popup
  bool passwordMenu = false;  // Settings > Password Protection
  bool wizardButtons = false; // 1026, 1027, 1028
  int activeModeStatic = 0;   // 1019, 1020, 1021 shows its active picture; 0 none
  StatusIcon statusIcon = StatusIcon::Idle;  // part 0
  StatusIcon lockIcon = StatusIcon::None;    // part 5
  std::array<StatusPart, 8> status{};
  int pageTitleId = 0;        // language string of the page title; 0 empty

  const ToolButtonState* tool(int command) const;
  const MenuItemState* item(int command) const;
  friend bool operator==(const DialogControls&, const DialogControls&) = default;
};

// The controls for the shared state and the controller's requests.
DialogControls ComputeDialogControls(const MainDialogState& state, const ControlRequests& requests);

// The status-bar layout of a wizard step (0 cleared, 1 monitor, 2 service,
// 3 connection panel, 7/17 image quality and trigger, 8 overview, 11 code
// definition, 15 process interface, 18 function test). Other steps: false,
// the bar stays as it is.
bool StatusLayoutForStep(int step, bool connected, std::array<StatusPart, 8>& parts, StatusIcon& icon);

// The language string of a page title; 0 for an empty title.
int PageTitleStringId(int page);

// The help topic (a string of the common definitions): by the modal
// situation marked on the main window (1..4) first, else by the wizard step
// and, for the code-definition and process-interface pages, the selected
// tab (-1: no page or no tab control). 0: no topic.
int HelpTopicStringId(int helpContext, int wizardStep, int codeDefinitionTab, int processInterfaceTab);

// The lock asks for the login before the function of maskBit (1 service,
// 2 configuration, 4 monitor).
bool LoginNeeded(const MainDialogState& state, int maskBit);

// Whether a click on a mode static starts its mode: 1019 configuration,
// 1020 monitor, 1021 service. The monitor from the editor needs a sensor
// holding an active configuration (hasActiveConfig).
bool ModeButtonAllowed(int modeStatic, const MainDialogState& state, bool hasActiveConfig);

// The editor's pages (7 and 17 image quality, 11 code definition, 15 process
// interface, 18 function test): the wizard buttons act only there.
bool IsEditorStep(int step);
