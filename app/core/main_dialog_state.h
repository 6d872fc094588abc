#pragma once
// The main window's shared state: the members that many features and pages
// read (docs/program.md lists each with the class that holds it and who
// writes it). One instance, owned by the main window, handed by reference.
// Written on the GUI thread only; the command worker never reads it.
#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "core/busy_flag.h"
#include "core/graphics_colours.h"
#include "core/sensor_info.h"
#include "dravik/parameter_list.h"
#include "dravik/results.h"
#include "records/config_records.h"
#include "records/result_records.h"
#include "records/sensor_global_records.h"
// Qt's keyword macro `slots` must not meet the quality record's member of
// that name when a Qt source includes this first.
#pragma push_macro("slots")
#undef slots
#include "records/quality_records.h"
#pragma pop_macro("slots")

// The codes of one reading that the program keeps; the sensor may find more.
inline constexpr int kMaxCodesPerReading = 100;

// The detail result of one code, in its family's form (none for bar codes).
using CodeResultRecord =
    std::variant<std::monostate, Ecc200ResultRecord, Pdf417ResultRecord, QrCodeResultRecord, AztecResultRecord>;

// A rectangle or point of the 640 x 480 picture (x 0..639, y 0..479).
struct ImageRect {
  int x1 = 0;
  int y1 = 0;
  int x2 = 0;
  int y2 = 0;
  friend bool operator==(const ImageRect&, const ImageRect&) = default;
};
struct ImagePoint {
  int x = 0;
  int y = 0;
  friend bool operator==(const ImagePoint&, const ImagePoint&) = default;
};

struct MainDialogState {
  // --- Connection, sensor and wizard state ---
  std::uint8_t m_bConnected = 0;         // sensor connected
  BusyFlag m_bBusy;                      // a command is in flight or a handler holds the sensor
  std::uint8_t m_bTestRunning = 0;       // test or monitor mode running
  std::uint8_t m_bConfigModified = 0;    // configuration edited and not yet written
  std::uint8_t m_bUpdatePending = 0;     // software update requested
  std::uint8_t m_bValidationFailed = 0;  // a page's changes are not yet sent / failed a check
  std::uint8_t m_bExtendedConfig = 0;    // sensor software 3100 or later
  std::uint8_t m_bLiveImage = 0;         // live image running (m_bLiveImageOn)
  std::uint8_t m_bKeepExposureDisabled = 0;  // the image-quality page keeps its exposure control off
  std::uint8_t m_bTriggerTabActive = 0;  // the image-quality page's trigger tab is selected
  std::uint8_t m_bEditorOpen = 0;        // a configuration editor page is shown
  std::uint8_t m_bEditorMode = 0;        // the editor works on a configuration (not the set-up wizard)
  std::uint8_t m_bEditExisting = 0;      // the editor works on an existing configuration (0: a new one)
  std::uint8_t m_bMonitorView = 0;       // monitor panel shown
  std::uint8_t m_bServiceView = 0;       // service panel shown
  std::uint8_t m_bImageVisible = 0;      // the picture area shows an image
  std::uint8_t m_bLeaving = 0;           // exit or disconnect asked (m_bExiting)
  std::uint8_t m_bAutoDetected = 0;      // a code auto-detection succeeded; the log wraps at blanks
  std::uint8_t m_bErrorShown = 0;        // an information or warning box was shown
  int m_nSensorState = -1;               // -1: no state read yet; 2 monitor, 4 configuration, 9 service
  int m_nWizardStep = 0;                 // 0 none, 1 monitor, 2 service, 3 connection panel,
                                         // 7/17 image quality, 8 overview, 11 code definition,
                                         // 15 process interface, 18 function test
  int m_nPageTitle = 0;                  // page shown, for its title and help (m_nPageId)
  int m_nCodeType = 0;                   // code type of the edited configuration
  int m_nTotalReadings = 0;              // sensor statistics: total readings
  int m_nGoodReadings = 0;
  int m_nFailedReadings = 0;
  std::uint32_t m_messageColour = 32768;  // 0x008000: colour pages pass with their log lines

  // --- Command engine ---
  // Arguments: the poster fills them, then PostSensorCommand copies what the
  // command's row reads (core/sensor_command_post.h).
  int m_nConfigId = 0;
  int m_nConfigIndex = 0;
  int m_nGroup = 0;
  int m_nTargetIndex = 0;
  int m_nTargetGroup = -2;
  int m_nMasterType = 0;
  std::u16string m_strConfigName;
  std::u16string m_strTargetName;
  std::u16string m_strConfigFile;
  bool m_bNameEncoded = false;
  // Configuration manager: the information dialog's name and group caption,
  // the new-configuration dialog's mode flags, the tree's root text, and the
  // switch away from the configuration view (the tree then changes nothing).
  std::u16string m_strInfoName;
  std::u16string m_strInfoGroup;
  std::uint8_t m_bPasteAsCopy = 0;
  std::uint8_t m_bDownloadToDevice = 0;
  std::u16string m_strTreeRootText;
  std::uint8_t m_bLeavingConfigView = 0;
  int m_nRecognitionMode = 0;
  int m_nRevertCodeType = -1;
  int m_nRecognition = 0;
  int m_nCodesPerImage = 0;
  std::u16string m_strRegexText1;
  std::u16string m_strRegexText2;
  std::u16string m_strRegexText3;
  int m_nLiveImagePort = 0;
  // The sensor's address and port as chosen on the GUI thread for the
  // connect; the connection's key (the PC's address) as the connect took it.
  std::u16string m_strConnectAddress;
  int m_nConnectPort = 0;
  std::u16string m_strConnectKey;
  // Result commands of the service and monitor panels.
  int m_nSelectedResultId = 0;
  int m_nResultOption = 0;
  std::u16string m_strResultFile;
  std::u16string m_strResultFolder;
  bool m_bWithImage = false;
  // Outputs, written from the replies.
  int m_nDetectedCodeType = 0;
  int m_nDetectedValue = 0;
  int m_nReadCount = 0;
  std::u16string m_strRegexResult;
  int m_nRegexResult = 0;
  std::u16string m_strSoftwareVersion = u" ";
  std::u16string m_strSensorType = u" ";
  std::string m_szConfigItem0;
  std::string m_szConfigItem1;
  int m_nStoredResultCount = 0;
  std::u16string m_szResultsText;
  // Parameter lists the commands fill or send.
  ParameterList m_ConfigData;
  ParameterList m_ECC200Data;
  ParameterList m_SensorGlobals;
  ParameterList m_ConfigList;
  ParameterList m_PDF417Data;
  ParameterList m_QRCodeData;
  ParameterList m_AztecData;
  ParameterList m_GroupList;
  ParameterList m_ECC200QRQuality;
  ParameterList m_PDF417Quality;
  ParameterList m_QualityParams;
  ParameterList m_BarCodeData;
  ParameterList m_ResultItems;
  std::vector<ResultListEntry> m_ResultsList;
  // Commands posted whose replies are not yet handled.
  int m_nOutstandingCommands = 0;
  // Set while a configuration write waits for those: the list its records
  // were last read from or written to (core/waiting_write.h).
  std::optional<ParameterList> m_WaitingWriteBase;

  // --- Reading results (the reply handler reads them after each reading) ---
  // One slot per code, kMaxCodesPerReading each, made once. The result
  // formatter (view/StateResultSource) empties them before each reading.
  std::vector<ReadResultRecord> m_ReadResults = std::vector<ReadResultRecord>(kMaxCodesPerReading);
  std::vector<int> m_ResultCodeTypes = std::vector<int>(kMaxCodesPerReading);
  // The code's text as sent, control characters escaped, UTF-8 (never cut).
  std::vector<std::string> m_ResultTexts = std::vector<std::string>(kMaxCodesPerReading);
  std::vector<CodeResultRecord> m_CodeResults = std::vector<CodeResultRecord>(kMaxCodesPerReading);
  std::vector<QualitySettings> m_CodeQuality = std::vector<QualitySettings>(kMaxCodesPerReading);     // 2-D grades
  std::vector<QualitySettings> m_BarcodeQuality = std::vector<QualitySettings>(kMaxCodesPerReading);  // bar-code grades
  // The typed configuration, as the last read of a configuration left it.
  ConfigurationRecords m_Configuration;

  // --- Code definition page (codedef/) ---
  // The family settings blocks the code tabs and geometry dialogs edit (bar
  // codes: m_Configuration.barCode); the converters fill them from the
  // family's list after a get and write them into it before a set.
  ECC200Settings m_Ecc200Settings;
  PDF417Settings m_Pdf417Settings;
  QRCodeSettings m_QRCodeSettings;
  AztecSettings m_AztecSettings;
  int m_bCodeTabSwitching = 0;          // 1 while the code tab is replaced: no field checks
  int m_nRecognitionButton = 0;         // the recognition radio last clicked, 0..2
  std::uint8_t m_bSettingsReverted = 0;  // the code tab showed a revert's result
  // The quality outputs of the edited configuration and their change mark
  // (the bar-code tab's composite choice switches the composite ones).
  QualitySettings m_QualitySettings;
  std::uint8_t m_bQualityOutputChanged = 0;

  // --- Process-interface page (codedef/output) ---
  // Its values are m_Configuration.processInterface (m_nOutputMode is
  // WorkingMode, m_nImageOutput AppendImageData, m_nQualityOutput
  // Append2dQuality ...). Set while the output mode is 0: no code menu.
  std::uint8_t m_bOutputModeOff = 0;

  // --- Image view ---
  // Window of interest in picture coordinates; the overlay writes it on every
  // accepted Set or Move, the configuration writer sends it.
  ImageRect m_rcWoi;
  bool m_bZoomMode = false;      // set by CZoom, cleared by LeaveZoomMode
  bool m_bWoiDragArmed = false;  // a click on the picture would start a window-of-interest drag
  bool m_bRenderOnPaint = false;  // the picture's background renders the view when it paints
  // Set after an information box: the next pointer move shows no tooltip.
  std::uint8_t m_bSuppressTooltipOnce = 0;
  int m_nPictureScrollX = 0;     // picture scroll bars, 0..640
  int m_nPictureScrollY = 0;     // and 0..480
  ImagePoint m_ptZoomCentre;            // picture coordinates of the last zoom click
  bool m_bImageQualityView = false;     // the configuration page shown
  bool m_bCodeDefinitionView = false;
  // While 1 the function-test grid ends each paint with the stored-image
  // thumbnails (its hook reads this).
  std::uint8_t m_bFuncTestThumbnails = 0;

  // --- State controller ---
  // The label of the connection in status part 2 (FormatConnectionLabel of
  // the saved connection's name), that name, and the modal situation marked
  // for the help topic (1..4, 0 none).
  std::u16string m_strConnectionLabel;
  std::u16string m_strConnectionName;
  int m_nHelpContext = 0;

  // --- Connection dialogs ---
  // Scan zones of the last network scan (network and mask texts, index-parallel),
  // kept for DHCP lookups after the scan dialog has closed.
  std::vector<std::u16string> m_arrZoneNetworks;
  std::vector<std::u16string> m_arrZoneMasks;
  int m_nZoneCount = 0;                   // zones listed when the scan dialog closed
  std::uint8_t m_bConnectFromScan = 0;    // the connect takes its address from the scan dialog
  std::uint8_t m_bUseMessageOwner = 0;    // saving a connection asks over the dialog in front
  int m_nOpenDialog = 0;                  // the modal dialog open: 1 colours, 2 ASCII editor, 3 scan, 4 settings

  // --- Lock session ---
  std::uint8_t m_bSensorLocked = 0;  // the sensor carries a password lock
  std::uint8_t m_bLoggedIn = 0;      // the user has logged in to the locked sensor
  int m_nLockedItems = 0;            // protected functions: 1 service, 2 configuration, 4 monitor

  // --- Global sensor settings ---
  // The typed record the settings pages edit (the pages' m_SensorGlobals);
  // m_SensorGlobals above is its list as last read or written.
  SensorGlobalRecords m_SensorGlobalRecords;
  CSensorInfo m_SensorInfo;            // which groups the user changed

  // --- Display colours ---
  GraphicsColours colours;
};
