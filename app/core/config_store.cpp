#include "core/config_store.h"

#include <algorithm>

#include "core/config_mngt.h"
#include "core/control_chars.h"
#include "core/text_escape.h"

int ConfigStore::CheckFreeSlot() const {
    return std::any_of(configSlots.begin(), configSlots.end(), [](const auto& s) { return !s; }) ? 0 : -1;
}

bool ConfigStore::IsAnyConfigActive() const {
    return std::any_of(configSlots.begin(), configSlots.end(), [](const auto& s) { return s && s->active; });
}

const CConfig* ConfigStore::Find(int number) const {
    for (const auto& s : configSlots)
        if (s && s->number == number) return &*s;
    return nullptr;
}

bool ConfigStore::GroupHasConfig(int group) const {
    return std::any_of(configSlots.begin(), configSlots.end(), [group](const auto& s) { return s && s->group == group; });
}

std::vector<int> ConfigStore::FreeNumbers(int current) const {
    std::vector<int> out;
    for (int n = 1; n <= kConfigSlots; ++n)
        if (n == current || !Find(n)) out.push_back(n);
    return out;
}

ConfigStore BuildConfigStore(const ParameterList& configList, const ParameterList& groupList) {
    ConfigStore store;
    for (int g = 1; g <= kConfigGroups; ++g) {
        const std::size_t i = static_cast<std::size_t>(g - 1);
        if (i < groupList.size()) store.groupNames[static_cast<std::size_t>(g)] = DecodeSensorText(groupList[i].stringValue);
    }
    CConfigMngt table;
    table.RebuildConfigMap(configList);
    // By group key -1 (no group), 0 .. 7; within a key in list order (the
    // map's keys are list positions).
    std::size_t next = 0;
    for (int key = -1; key < kConfigGroups && next < store.configSlots.size(); ++key) {
        for (const auto& [position, entry] : table.ConfigMap()) {
            if (entry.values[0] != key) continue;
            if (next >= store.configSlots.size()) break;
            CConfig c;
            bool encoded = false;
            c.name = DecodeSensorText(entry.name, &encoded);
            c.nameEncoded = encoded ? 1 : 0;
            c.number = entry.group + 1;  // the list's slot counter is the configuration index
            c.group = key + 1;
            c.masterState = entry.values[1];
            c.active = entry.values[2];
            store.configSlots[next++] = std::move(c);
        }
    }
    return store;
}

std::u16string ConfigNumberText(int number) {
    std::string digits = std::to_string(number);
    if (number >= 0 && number <= 9) digits = "0" + digits;
    return std::u16string(digits.begin(), digits.end());
}

std::u16string ConfigItemText(const CConfig& config) {
    return u"(" + ConfigNumberText(config.number) + u") " + config.name;
}

std::u16string AddressedName(const CConfig& config) {
    return config.nameEncoded ? config.name : EscapeText(config.name);
}

int ConfigIcon(const CConfig& config) {
    using namespace TreeIcon;
    if (config.group == 0) return config.active ? kActiveConfig : kConfig;
    switch (config.masterState) {
        case 1: return kMaster1;
        case 2: return kMaster2;
        case 3: return kMaster3;
        default: return kConfig;
    }
}

int CutIcon(int icon) {
    using namespace TreeIcon;
    switch (icon) {
        case kActiveConfig: return kActiveConfigCut;
        case kMaster2: return kMaster2Cut;
        case kConfig: return kConfigCut;
        case kMaster1: return kMaster1Cut;
        case kMaster3: return kMaster3Cut;
        default: return icon;
    }
}

int UncutIcon(int icon) {
    using namespace TreeIcon;
    switch (icon) {
        case kActiveConfigCut: return kActiveConfig;
        case kMaster2Cut: return kMaster2;
        case kConfigCut: return kConfig;
        case kMaster1Cut: return kMaster1;
        case kMaster3Cut: return kMaster3;
        default: return icon;
    }
}

int MasterStateOfIcon(int icon) {
    using namespace TreeIcon;
    switch (icon) {
        case kMaster1: case kMaster1Cut: return 1;
        case kMaster2: case kMaster2Cut: return 2;
        case kMaster3: case kMaster3Cut: return 3;
        default: return 0;
    }
}

int MasterRequestType(int masterState, bool capture) {
    switch (masterState) {
        case 2: return 3;
        case 1: return capture ? 0 : 3;
        case 3: return 2;
        default: return capture ? 1 : 2;
    }
}

SelectionKind SelectionKindOf(int icon, bool parentIsRoot) {
    using namespace TreeIcon;
    if (icon < 0 || icon == kSensor) return SelectionKind::Root;
    if (icon == kGroup || icon == kActiveGroup) return SelectionKind::Group;
    if (parentIsRoot) return SelectionKind::Ungrouped;
    return MasterStateOfIcon(icon) >= 2 ? SelectionKind::GroupedHigh : SelectionKind::GroupedLow;
}

ConfigCommandStates CommandStatesFor(SelectionKind kind, bool groupHasConfig, bool active, bool clipboardFilled) {
    ConfigCommandStates st;
    auto& on = st.on;
    const bool top = kind == SelectionKind::Root || kind == SelectionKind::Group;
    const bool config = !top;
    on[0] = top;  // New
    on[1] = (kind == SelectionKind::Group && groupHasConfig && !active) ||
            (kind == SelectionKind::Ungrouped && !active);  // Activate
    for (int i : {2, 3, 4, 5, 6, 8, 10}) on[static_cast<std::size_t>(i)] = config;  // Edit .. Copy
    on[7] = top;                                       // Download to device
    on[9] = kind == SelectionKind::GroupedLow || kind == SelectionKind::GroupedHigh;  // Capture master
    on[11] = top && clipboardFilled;                   // Paste
    on[12] = kind == SelectionKind::GroupedLow;        // Group master
    st.fileTransfer = config ? 1 : 0;
    st.newDelete = config ? 0 : 1;
    return st;
}

namespace {
bool BlankEdge(std::u16string_view name) {
    return !name.empty() && (name.front() == u' ' || name.back() == u' ');
}
}  // namespace

int CheckNewName(std::u16string_view name, bool skipEdges) {
    if (name.empty()) return 6034;
    if (HasControlChars(name)) return 46524;
    if (!skipEdges && BlankEdge(name)) return 6038;
    return 0;
}

int CheckRenameName(std::u16string_view name, bool skipEdges) {
    if (!skipEdges && BlankEdge(name)) return 6038;
    if (name.empty()) return 6034;
    if (HasControlChars(name)) return 46524;
    return 0;
}

std::u16string TrimName(std::u16string_view name) {
    const auto blank = [](char16_t c) { return c == u' ' || c == u'\t'; };
    std::size_t b = 0, e = name.size();
    while (b < e && blank(name[b])) ++b;
    while (e > b && blank(name[e - 1])) --e;
    return std::u16string(name.substr(b, e - b));
}
