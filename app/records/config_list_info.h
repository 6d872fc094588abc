// Converts a reading configuration (template 1017, or 1018 with the
// extended configuration) between its list and the settings records, and
// the Data Matrix ECC 200 (1005) and Aztec Code (2001) data lists.
//
// Readers return 0, or -1 when an item is missing or of another type (the
// fields of such items keep their values). Writers fill the list the last
// get left and return 0, or -1 when any item could not be written.
#pragma once

#include <span>

#include "dravik/parameter_list.h"
#include "records/code_type_records.h"
#include "records/config_records.h"
#include "records/converter_singleton.h"
#include "records/record_fields.h"

class CConfigListInfo : public ConverterSingleton<CConfigListInfo> {
public:
    static constexpr int kItemCount = 49;          // template 1017
    static constexpr int kExtendedItemCount = 55;  // template 1018

    int ReadHeader(const ParameterList& list, ConfigHeader& header) const;
    int ReadImageQuality(const ParameterList& list, ImageQualitySettings& settings) const;
    int ReadRoi(const ParameterList& list, ImageQualitySettings& settings) const;
    int ReadProcessInterface(const ParameterList& list, ProcessInterfaceSettings& settings,
                             bool extended) const;
    int ReadCodeDefinition(const ParameterList& list, CodeDefinitionSettings& settings) const;
    int ReadFilters(const ParameterList& list, FilterSettings& settings) const;
    int ReadTriggerSettings(const ParameterList& list, TriggerSettings& settings) const;
    int ReadCompositeOptions(const ParameterList& list, BarCodeSettings& settings) const;

    // Writes the section markers first; a list whose length is not the
    // template's (49, or 55 extended) is refused untouched.
    int WriteConfiguration(ParameterList& list, bool extended, const ConfigurationRecords& records) const;

    // The steps of WriteConfiguration.
    int WriteSections(ParameterList& list, bool extended) const;
    int WriteHeader(ParameterList& list, const ConfigHeader& header) const;
    int WriteImageQuality(ParameterList& list, const ImageQualitySettings& settings) const;
    int WriteRoi(ParameterList& list, const ImageQualitySettings& settings) const;
    int WriteProcessInterface(ParameterList& list, const ProcessInterfaceSettings& settings,
                              bool extended) const;
    int WriteCodeDefinition(ParameterList& list, const CodeDefinitionSettings& settings) const;
    int WriteFilters(ParameterList& list, const FilterSettings& settings) const;
    int WriteTriggerSettings(ParameterList& list, const TriggerSettings& settings) const;
    int WriteCompositeOptions(ParameterList& list, const BarCodeSettings& settings) const;

    int ReadECC200Data(const ParameterList& list, ECC200Settings& settings) const;
    int WriteECC200Data(ParameterList& list, const ECC200Settings& settings) const;
    int ReadAztecData(const ParameterList& list, AztecSettings& settings) const;
    int WriteAztecData(ParameterList& list, const AztecSettings& settings) const;

private:
    friend class ConverterSingleton<CConfigListInfo>;
    CConfigListInfo() = default;
};
