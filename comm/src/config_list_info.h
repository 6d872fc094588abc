// Configuration data (the configuration record and its extended form) as
// the service report's configuration blocks read it.
#pragma once

#include <cstdint>

#include "record_fields.h"

namespace dravik {

// 0 internal lighting, 1 logarithmic, 2 exposure time, 3 to 5 exposure
// maximum, minimum and step, 6 to 9 the window's left, right, top and
// bottom, 10 the illumination segments.
struct ImageQualityBlock {
    int32_t values[11] = {};
};

struct ProcessInterfaceBlock {
    // Working mode, append configuration, append symbology identifier,
    // append code position, append output description, append image data.
    int32_t values[6] = {};
    TextField<256> texts[5]{};  // start, stop, fail, match strings, reference code
    int32_t appendQuality = 0;
};

struct CodeDefinitionBlock {
    int32_t values[4] = {};  // code type, recognition, codes per image, decoding time limit
};

struct FilterBlock {
    int32_t values[3] = {};
};

struct TriggerBlock {
    int32_t values[4] = {};  // trigger window, trials, source, time limit
};

struct ExtendedOptionsBlock {
    int32_t stringNumeration = 0;
    int32_t digitalLinesOverProcessInterface = 0;
    int32_t compositeComponent = 0;  // 0 off, 1 optional, 2 mandatory
    TextField<256> compositeSeparator{};
};

class CConfigListInfo {
public:
    // Each reader returns false, leaving its block untouched, when the list
    // ends before the items it reads.
    static bool ReadImageQuality(const ParameterList& list, ImageQualityBlock& out);
    static bool ReadProcessInterface(const ParameterList& list, ProcessInterfaceBlock& out);
    static bool ReadCodeDefinition(const ParameterList& list, CodeDefinitionBlock& out);
    static bool ReadFilters(const ParameterList& list, FilterBlock& out);
    static bool ReadTrigger(const ParameterList& list, TriggerBlock& out);
    // Only the extended configuration record has these.
    static bool ReadExtendedOptions(const ParameterList& list, ExtendedOptionsBlock& out);
};

}  // namespace dravik
