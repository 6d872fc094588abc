#pragma once
// The configuration manager's picture of the sensor's 32 slots and 8 groups,
// and the rules over it that need no window: the rebuild from the lists,
// item texts and icons, the command states per selection, the master type,
// free numbers and the checks of a typed name.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "dravik/parameter_list.h"

inline constexpr int kConfigSlots = 32;
inline constexpr int kConfigGroups = 8;

// One configuration slot as the manager keeps it.
struct CConfig {
    std::u16string name;          // display name, decoded
    std::uint8_t nameEncoded = 1;  // 1: the sensor sent the name encoded; 0: plain, escaped
    int number = -1;              // 1..32
    int group = -1;               // 1..8, 0 = no group
    int active = 0;
    int masterState = 0;          // 0 none, 1..3
    friend bool operator==(const CConfig&, const CConfig&) = default;
};

struct ConfigStore {
    // Occupied slots first: the ungrouped ones, then group 1 .. 8, each in list order.
    std::array<std::optional<CConfig>, kConfigSlots> configSlots;
    // Entries 1..8: the names of groups 1..8 (entry 0 stays empty).
    std::array<std::u16string, kConfigGroups + 1> groupNames;

    int CheckFreeSlot() const;  // 0 a slot is free, -1 all used
    bool IsAnyConfigActive() const;
    // The slot of a configuration number; null when none carries it.
    const CConfig* Find(int number) const;
    bool GroupHasConfig(int group) const;
    // Numbers 1..32 that no slot carries, ascending; `current` (when 1..32)
    // is listed too.
    std::vector<int> FreeNumbers(int current = -1) const;
};

// The store from the configuration list (template 1002) and the group list
// (template 1007) as the sensor reported them. Entries past 32 are dropped.
ConfigStore BuildConfigStore(const ParameterList& configList, const ParameterList& groupList);

// "0%d" up to 9, "%d" above.
std::u16string ConfigNumberText(int number);
// "(nn) name": the tree text of a configuration.
std::u16string ConfigItemText(const CConfig& config);
// The name a command addresses the configuration with: as decoded when the
// sensor sent it encoded, escaped when it sent it plain.
std::u16string AddressedName(const CConfig& config);

// Tree icons (bitmap 95, 16 x 16 each).
namespace TreeIcon {
inline constexpr int kGroup = 0, kSensor = 1, kConfig = 2, kActiveGroup = 3, kActiveConfig = 4, kMaster2 = 5,
                     kActiveConfigCut = 6, kMaster2Cut = 7, kConfigCut = 8, kMaster1 = 9, kMaster3 = 10,
                     kMaster1Cut = 11, kMaster3Cut = 12;
inline constexpr int kCount = 13;
}  // namespace TreeIcon

// The icon of a configuration item (not cut-marked).
int ConfigIcon(const CConfig& config);
// The cut-marked icon of an icon, and back; other icons stay as they are.
int CutIcon(int icon);
int UncutIcon(int icon);
// The master state an icon shows (0 for the others).
int MasterStateOfIcon(int icon);
// The master type to request: the Capture master command (capture) or the
// Group master command, by the selected configuration's master state.
int MasterRequestType(int masterState, bool capture);

// What is selected in the tree, for the command states.
enum class SelectionKind { Root, Group, Ungrouped, GroupedLow, GroupedHigh };
// The 13 commands in the order of the command bar's buttons 1048..1060.
inline constexpr int kConfigCommands = 13;
inline constexpr int kFirstConfigButton = 1048;
// Menu command of button 1048 + i.
inline constexpr std::array<int, kConfigCommands> kConfigMenuIds = {
    32773, 32782, 32781, 32784, 32849, 32786, 32787, 32788, 32789, 32794, 32850, 32851, 32783};
struct ConfigCommandStates {
    std::array<bool, kConfigCommands> on{};
    int fileTransfer = 0;  // CDialogControl::SetFileTransferButtons
    int newDelete = 0;     // CDialogControl::SetNewDeleteButtons
};
// kind of selection; for a group whether it holds a configuration and is
// the active group; for an ungrouped configuration whether it is the
// active one; whether the clipboard is filled.
ConfigCommandStates CommandStatesFor(SelectionKind kind, bool groupHasConfig, bool active, bool clipboardFilled);
SelectionKind SelectionKindOf(int icon, bool parentIsRoot);

// The checks of a typed configuration name: 0 or the message id.
// New dialog: empty 6034, control character 46524, blank edge 6038.
// Rename dialog: blank edge 6038, empty 6034, control character 46524.
// skipEdges: the dialog is being left with Escape.
int CheckNewName(std::u16string_view name, bool skipEdges);
int CheckRenameName(std::u16string_view name, bool skipEdges);
// Tabs and blanks off both ends.
std::u16string TrimName(std::u16string_view name);
inline constexpr int kConfigNameLength = 32;
