// The configuration map: the sensor's configuration list keyed by each
// configuration's group index, as the service report looks it up.
#pragma once

#include <cstdint>
#include <cstdio>
#include <map>

#include "record_fields.h"

namespace dravik {

struct ConfigListEntry {
    int32_t configIndex = -1;  // counted from the list's section begins: the slot
    int32_t groupIndex = -1;   // the key: group 0..7, -1 none
    int32_t masterState = 0;
    int32_t active = 0;
    TextField<256> name{};
};

class CConfigMngt {
public:
    static constexpr std::size_t kSlots = 32;
    static constexpr std::size_t kItemsPerSlot = 6;

    // Empties the map and fills it from a configuration list, one entry per
    // slot with a name. The trace lines go to `trace` (null: none). A list
    // shorter than its 192 items (for example after a failed get) is read
    // only as far as it goes and gives COMM_LIST_SHORTER_THAN_TEMPLATE.
    int Build(const ParameterList& list, std::FILE* trace = stdout);
    std::size_t Count(int32_t key) const;
    // The n-th (1-based) entry with the key; -1 when there are fewer.
    int Entry(int32_t key, int n, ConfigListEntry& out) const;
    const std::multimap<int32_t, ConfigListEntry>& entries() const { return map_; }

private:
    std::multimap<int32_t, ConfigListEntry> map_;
};

}  // namespace dravik
