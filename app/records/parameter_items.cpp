#include "records/parameter_items.h"

namespace ParameterItems {

namespace {

bool inList(const ParameterList& list, int index) {
    return index >= 0 && static_cast<std::size_t>(index) < list.size();
}

ParameterItem* writable(ParameterList& list, std::string_view name, int index, int32_t kind,
                        const char* type) {
    if (!inList(list, index)) return nullptr;
    ParameterItem& item = list[static_cast<std::size_t>(index)];
    item.name = name;
    item.kind = kind;
    item.type = type;
    return &item;
}

const ParameterItem* readable(const ParameterList& list, int index, const char* type) {
    if (!inList(list, index)) return nullptr;
    const ParameterItem& item = list[static_cast<std::size_t>(index)];
    if (item.kind != PARAMETER_VALUE || item.type != type) return nullptr;
    return &item;
}

}  // namespace

int WriteInt(ParameterList& list, std::string_view name, int index, int32_t value) {
    ParameterItem* item = writable(list, name, index, PARAMETER_VALUE, kTypeInt);
    if (item == nullptr) return kFailed;
    item->intValue = value;
    return kOk;
}

int WriteDouble(ParameterList& list, std::string_view name, int index, double value) {
    ParameterItem* item = writable(list, name, index, PARAMETER_VALUE, kTypeDouble);
    if (item == nullptr) return kFailed;
    item->doubleValue = value;
    return kOk;
}

int WriteString(ParameterList& list, std::string_view name, int index, std::string_view value) {
    ParameterItem* item = writable(list, name, index, PARAMETER_VALUE, kTypeString);
    if (item == nullptr) return kFailed;
    item->stringValue = value;
    return kOk;
}

int WriteSectionBegin(ParameterList& list, std::string_view sectionName, int index) {
    return writable(list, sectionName, index, PARAMETER_SECTION_BEGIN, kTypeString) ? kOk : kFailed;
}

int WriteSectionEnd(ParameterList& list, std::string_view name, int index) {
    return writable(list, name, index, PARAMETER_SECTION_END, kTypeString) ? kOk : kFailed;
}

int ReadInt(const ParameterList& list, int index, int32_t* out) {
    const ParameterItem* item = readable(list, index, kTypeInt);
    if (item == nullptr || out == nullptr) return kFailed;
    *out = item->intValue;
    return kOk;
}

int ReadDouble(const ParameterList& list, int index, double* out) {
    const ParameterItem* item = readable(list, index, kTypeDouble);
    if (item == nullptr || out == nullptr) return kFailed;
    *out = item->doubleValue;
    return kOk;
}

int ReadStdString(const ParameterList& list, int index, std::string& out) {
    const ParameterItem* item = readable(list, index, kTypeString);
    if (item == nullptr) return kFailed;
    out = item->stringValue;
    return kOk;
}

int ReadIntChecked(const ParameterList& list, int index, int32_t* out) {
    if (!inList(list, index)) return kPastEnd;
    return ReadInt(list, index, out);
}

}  // namespace ParameterItems
