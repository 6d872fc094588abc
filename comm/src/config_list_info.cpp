#include "config_list_info.h"

namespace dravik {

namespace {

template <std::size_t N>
bool readInts(const ParameterList& list, const std::size_t (&items)[N], int32_t (&out)[N]) {
    for (const std::size_t item : items)
        if (!hasItems(list, item)) return false;
    for (std::size_t i = 0; i < N; ++i) out[i] = list[items[i]].intValue;
    return true;
}

}  // namespace

bool CConfigListInfo::ReadImageQuality(const ParameterList& list, ImageQualityBlock& out) {
    static constexpr std::size_t kItems[11] = {3, 9, 5, 6, 7, 8, 14, 13, 11, 12, 4};
    return readInts(list, kItems, out.values);
}

bool CConfigListInfo::ReadProcessInterface(const ParameterList& list, ProcessInterfaceBlock& out) {
    if (!hasItems(list, 29)) return false;
    for (std::size_t i = 0; i < 6; ++i) out.values[i] = list[18 + i].intValue;
    for (std::size_t i = 0; i < 5; ++i) copyText(out.texts[i], list[24 + i].stringValue);
    out.appendQuality = list[29].intValue;
    return true;
}

bool CConfigListInfo::ReadCodeDefinition(const ParameterList& list, CodeDefinitionBlock& out) {
    static constexpr std::size_t kItems[4] = {32, 33, 34, 35};
    return readInts(list, kItems, out.values);
}

bool CConfigListInfo::ReadFilters(const ParameterList& list, FilterBlock& out) {
    static constexpr std::size_t kItems[3] = {37, 38, 39};
    return readInts(list, kItems, out.values);
}

bool CConfigListInfo::ReadTrigger(const ParameterList& list, TriggerBlock& out) {
    static constexpr std::size_t kItems[4] = {44, 45, 43, 46};
    return readInts(list, kItems, out.values);
}

bool CConfigListInfo::ReadExtendedOptions(const ParameterList& list, ExtendedOptionsBlock& out) {
    if (!hasItems(list, 52)) return false;
    out.stringNumeration = list[49].intValue;
    out.digitalLinesOverProcessInterface = list[50].intValue;
    out.compositeComponent = list[51].intValue;
    copyText(out.compositeSeparator, list[52].stringValue);
    return true;
}

}  // namespace dravik
