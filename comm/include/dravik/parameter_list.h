// Typed parameter lists: how configuration data, settings, quality
// parameters and read results cross between the program and libdravik.
//
// Items are addressed by position, never looked up by name. The library and
// the program are built with the same compiler and standard library, so the
// vector's layout is the same on both sides of the boundary.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

enum ParameterKind : int32_t {
    PARAMETER_VALUE = 1,
    PARAMETER_SECTION_BEGIN = 2,
    PARAMETER_SECTION_END = 3,
};

struct ParameterItem {
    std::string name;
    int32_t kind = PARAMETER_VALUE;
    std::string type;  // "INT", "DOUBLE" or "STRING"; section markers carry "STRING"
    int32_t intValue = 0;
    double doubleValue = 0.0;
    std::string stringValue;  // UTF-8
};

using ParameterList = std::vector<ParameterItem>;

// How a section begin and a section end travel in a flat parameter array.
inline constexpr const char* kSectionBeginMarker = "_LABEL_STRING_CONTENT_468531";
inline constexpr const char* kSectionEndMarker = "_EOS_STRING_CONTENT_54978654";
