// Comparing and printing template items in tests.
#pragma once

#include <ostream>

#include "dravik/parameter_list.h"

inline bool operator==(const ParameterItem& a, const ParameterItem& b) {
    return a.name == b.name && a.kind == b.kind && a.type == b.type && a.intValue == b.intValue &&
           a.doubleValue == b.doubleValue && a.stringValue == b.stringValue;
}

inline void PrintTo(const ParameterItem& item, std::ostream* os) {
    *os << "{" << item.name << ", kind " << item.kind << ", " << item.type << ", " << item.intValue << ", "
        << item.doubleValue << ", \"" << item.stringValue << "\"}";
}
