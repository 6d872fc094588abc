#pragma once
// The configuration information's lines: which text each value control of
// the information dialog shows for a configuration, and which lines are off.
#include <functional>
#include <map>
#include <set>
#include <string>

#include "records/config_records.h"

struct ConfigInfoInput {
    std::u16string name;   // m_strInfoName
    int configIndex = 0;   // m_nSelConfig
    std::u16string group;  // m_strInfoGroup
    const ConfigurationRecords* records = nullptr;
    bool extended = false;         // m_bExtendedConfig
    int processInterfaceType = 0;  // of the global sensor settings
};

struct ConfigInfoTexts {
    std::map<int, std::u16string> values;  // value control id -> text
    std::set<int> disabled;                // controls shown disabled
};

// text(id) gives a language string.
ConfigInfoTexts BuildConfigInfoTexts(const ConfigInfoInput& in, const std::function<std::u16string(int)>& text);
