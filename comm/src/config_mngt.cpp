#include "config_mngt.h"

#include "dravik/comm_status.h"

namespace dravik {

int CConfigMngt::Build(const ParameterList& list, std::FILE* trace) {
    map_.clear();
    int32_t sectionCount = -1;
    for (std::size_t k = 0; k < kSlots; ++k) {
        const std::size_t first = k * kItemsPerSlot;
        if (!hasItems(list, first + 4)) return COMM_LIST_SHORTER_THAN_TEMPLATE;
        if (list[first].kind == PARAMETER_SECTION_BEGIN) {
            ++sectionCount;
            if (trace != nullptr)
                std::fprintf(trace, " ******** Config Label = %s\n", list[first].name.c_str());
        }
        const std::string& name = list[first + 1].stringValue;
        if (name.empty()) {
            if (trace != nullptr) std::fprintf(trace, " ********* No Configuration ********\n\n");
            continue;
        }
        ConfigListEntry entry;
        entry.configIndex = sectionCount;
        entry.groupIndex = list[first + 2].intValue;
        entry.masterState = list[first + 3].intValue;
        entry.active = list[first + 4].intValue;
        copyText(entry.name, name);
        map_.emplace(entry.groupIndex, entry);
    }
    return COMM_OK;
}

std::size_t CConfigMngt::Count(int32_t key) const {
    return map_.count(key);
}

int CConfigMngt::Entry(int32_t key, int n, ConfigListEntry& out) const {
    if (n < 1) return COMM_FAILED;
    auto [it, end] = map_.equal_range(key);
    for (int i = 1; it != end; ++it, ++i) {
        if (i == n) {
            out = it->second;
            return COMM_OK;
        }
    }
    return COMM_FAILED;
}

}  // namespace dravik
