// Comparing and printing template items in tests.
#pragma once

#include <ostream>

#include "dravik/parameter_list.h"

// An item as callers build them: name, kind and type, with an int and a text value.
inline ParameterItem MakeItem(int32_t kind, const char* type, const char* name = "item", int32_t intValue = 0,
                              const char* stringValue = "", double doubleValue = 0.0) {
    ParameterItem item;
    item.name = name;
    item.kind = kind;
    item.type = type;
    item.intValue = intValue;
    item.doubleValue = doubleValue;
    item.stringValue = stringValue;
    return item;
}

inline bool operator==(const ParameterItem& a, const ParameterItem& b) {
    return a.name == b.name && a.kind == b.kind && a.type == b.type && a.intValue == b.intValue &&
           a.doubleValue == b.doubleValue && a.stringValue == b.stringValue;
}

inline void PrintTo(const ParameterItem& item, std::ostream* os) {
    *os << "{" << item.name << ", kind " << item.kind << ", " << item.type << ", " << item.intValue << ", "
        << item.doubleValue << ", \"" << item.stringValue << "\"}";
}
