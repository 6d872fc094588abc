// Parameter lists as a get leaves them, built from item tables typed by hand.
// Every item carries values that tell its position apart: IntAt(pos),
// DoubleAt(pos) and StringAt(pos), whatever its type.
#pragma once

#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "dravik/parameter_list.h"

namespace vt::test {

inline int32_t IntAt(int pos) {
    return 1000 + pos;
}
inline double DoubleAt(int pos) {
    return pos + 0.25;
}
inline std::string StringAt(int pos) {
    return "text" + std::to_string(pos);
}

struct ItemSpec {
    const char* name;
    const char* type;  // "INT", "DOUBLE", "STRING", or "BEGIN" / "END" for section markers
};

// A section marker as a reply leaves it: the wire's marker text as its name, no type.
inline ParameterItem Marker(int32_t kind, const std::string& /*sectionName*/) {
    ParameterItem item;
    item.kind = kind;
    item.name = kind == PARAMETER_SECTION_BEGIN ? kSectionBeginMarker : kSectionEndMarker;
    return item;
}

inline ParameterList ListOf(std::span<const ItemSpec> specs) {
    ParameterList list;
    for (const ItemSpec& row : specs) {
        const int pos = static_cast<int>(list.size());
        const std::string type = row.type;
        ParameterItem item;
        if (type == "BEGIN" || type == "END") {
            item = Marker(type == "BEGIN" ? PARAMETER_SECTION_BEGIN : PARAMETER_SECTION_END, row.name);
        } else {
            item.name = row.name;
            item.kind = PARAMETER_VALUE;
            item.type = type;
        }
        item.intValue = IntAt(pos);
        item.doubleValue = DoubleAt(pos);
        item.stringValue = StringAt(pos);
        list.push_back(item);
    }
    return list;
}

inline bool SameItem(const ParameterItem& a, const ParameterItem& b) {
    return a.name == b.name && a.kind == b.kind && a.type == b.type && a.intValue == b.intValue &&
           a.doubleValue == b.doubleValue && a.stringValue == b.stringValue;
}

inline bool SameItems(const ParameterList& a, const ParameterList& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (!SameItem(a[i], b[i])) return false;
    return true;
}

inline ParameterList ListOf(std::initializer_list<ItemSpec> specs) {
    return ListOf(std::span<const ItemSpec>(specs.begin(), specs.size()));
}

// A list of value items by type letters (I INT, D DOUBLE, S STRING; blanks
// only group the letters), named by position.
inline ParameterList ListOfTypes(std::string_view types) {
    std::vector<ItemSpec> specs;
    for (char letter : types) {
        if (letter == ' ') continue;
        specs.push_back({"item", letter == 'I' ? "INT" : letter == 'D' ? "DOUBLE" : "STRING"});
    }
    return ListOf(specs);
}

// What a list sends: per item its kind and, for a value, its type and value.
// Names do not travel, so writers may rename markers without changing this.
using WireValue = std::variant<std::monostate, int32_t, double, std::string>;
struct WireElement {
    int32_t kind;
    WireValue value;
    bool operator==(const WireElement&) const = default;
};

inline std::vector<WireElement> WireForm(const ParameterList& list) {
    std::vector<WireElement> wire;
    for (const ParameterItem& item : list) {
        WireValue value;
        if (item.kind == PARAMETER_VALUE) {
            if (item.type == "INT")
                value = item.intValue;
            else if (item.type == "DOUBLE")
                value = item.doubleValue;
            else if (item.type == "STRING")
                value = item.stringValue;
        }
        wire.push_back({item.kind, value});
    }
    return wire;
}

// The positions whose elements differ on the wire (lists of one length).
inline std::vector<int> ChangedOnTheWire(const ParameterList& before, const ParameterList& after) {
    const auto a = WireForm(before);
    const auto b = WireForm(after);
    std::vector<int> changed;
    for (std::size_t pos = 0; pos < a.size() && pos < b.size(); ++pos)
        if (!(a[pos] == b[pos])) changed.push_back(static_cast<int>(pos));
    return changed;
}

}  // namespace vt::test
