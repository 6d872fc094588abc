// The typed configuration that the configuration pages edit: one reading
// configuration (templates 1017 and 1018) split into settings records.
// Field names are the item names (without a leading blank).
#pragma once

#include <cstdint>
#include <string>

#include "records/code_type_records.h"
#include "text/fixed_text.h"

struct ConfigHeader {
    Text256 FWVersion;
    Text256 SensorType;
};

// Field order differs from the item order.
struct ImageQualitySettings {
    int32_t Internal = 0;
    int32_t Logarithmic = 0;
    int32_t ExposureTime = 0;
    int32_t ExposureTimeMax = 0;
    int32_t ExposureTimeMin = 0;
    int32_t ExposureTimeStep = 0;
    int32_t Left = 0;
    int32_t Right = 0;
    int32_t Top = 0;
    int32_t Bottom = 0;
    int32_t Segments = 0;
};

// Field order differs from the item order.
struct TriggerSettings {
    int32_t TriggerWindow = 0;
    int32_t GoodReadingsTry = 0;
    int32_t TriggerSource = 0;
    int32_t GoodReadingsWithinTime_value = 0;
};

struct CodeDefinitionSettings {
    int32_t CodeType = 0;
    int32_t Recognition = 0;
    int32_t CodesPerImage = 0;
    int32_t MaxDecodingDuration = 0;
};

struct FilterSettings {
    int32_t Filter1 = 0;
    int32_t Filter2 = 0;
    int32_t Filter3 = 0;
};

struct ProcessInterfaceSettings {
    int32_t WorkingMode = 0;
    int32_t AppendConfiguration = 0;
    int32_t AppendSymboligyIdentifier = 0;
    int32_t AppendCodePosition = 0;
    int32_t AppendOutputDescription = 0;
    int32_t AppendImageData = 0;
    std::string StartString;
    std::string StopString;
    std::string FailString;
    std::string MatchString;
    std::string ReferenceCode;
    int32_t Append2dQuality = 0;
    uint8_t StringNumerationActive = 0;  // 0 or 1; extended configuration only
    uint8_t DigitalLinesOverProcIf = 0;  // 0 or 1; extended configuration only
};

// Everything the configuration writer sends, as the main dialog keeps it.
struct ConfigurationRecords {
    ConfigHeader header;
    ImageQualitySettings imageQuality;
    ProcessInterfaceSettings processInterface;
    CodeDefinitionSettings codeDefinition;
    FilterSettings filters;
    TriggerSettings trigger;
    BarCodeSettings barCode;  // its composite fields travel with the extended configuration
};
