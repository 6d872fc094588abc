#include "records/config_list_info.h"

#include <iterator>

namespace {

constexpr int32_t kBegin = PARAMETER_SECTION_BEGIN;
constexpr int32_t kEnd = PARAMETER_SECTION_END;

// The closing markers differ between the templates and go first.
constexpr SectionMarker kClosingMarkers[] = {
    {48, kEnd, "EOF_configuration_xml_eos"},
};
constexpr SectionMarker kExtendedClosingMarkers[] = {
    {54, kEnd, "EOF_configuration_xml_eos"},
    {48, kBegin, " ExtendedOptions_label"},
    {53, kEnd, " ExtendedOptions_eos"},
};
constexpr SectionMarker kSectionMarkers[] = {
    {2, kBegin, "ImageQuality"},     {16, kEnd, "ImageQuality_EOS"},    {10, kBegin, "ROI"},
    {15, kEnd, "ROI_EOS"},           {17, kBegin, "ProcessInterface"},  {30, kEnd, "ProcessInterface_EOS"},
    {31, kBegin, "CodeDefinition"},  {41, kEnd, "CodeDefinition_EOS"},  {36, kBegin, "Preprocessing"},
    {40, kEnd, "Preprocessing_EOS"}, {42, kBegin, "TriggerDefinition"}, {47, kEnd, "TriggerDefinition_EOS"},
};

constexpr RecordField<ConfigHeader> kHeader[] = {
    {0, "FWVersion", &ConfigHeader::FWVersion},
    {1, "SensorType", &ConfigHeader::SensorType},
};

using IQ = ImageQualitySettings;
constexpr RecordField<IQ> kImageQuality[] = {
    {3, "Internal", &IQ::Internal},
    {4, "Segments", &IQ::Segments},
    {5, "ExposureTime", &IQ::ExposureTime},
    {6, "ExposureTimeMax", &IQ::ExposureTimeMax},
    {7, "ExposureTimeMin", &IQ::ExposureTimeMin},
    {8, "ExposureTimeStep", &IQ::ExposureTimeStep},
    {9, "Logarithmic", &IQ::Logarithmic},
};
constexpr RecordField<IQ> kRoi[] = {
    {11, "Top", &IQ::Top},
    {12, "Bottom", &IQ::Bottom},
    {13, "Right", &IQ::Right},
    {14, "Left", &IQ::Left},
};

using PI = ProcessInterfaceSettings;
constexpr RecordField<PI> kProcessInterface[] = {
    {18, "WorkingMode", &PI::WorkingMode},
    {19, "AppendConfiguration", &PI::AppendConfiguration},
    {20, "AppendSymboligyIdentifier", &PI::AppendSymboligyIdentifier},
    {21, "AppendCodePosition", &PI::AppendCodePosition},
    {22, "AppendOutputDescription", &PI::AppendOutputDescription},
    {23, "AppendImageData", &PI::AppendImageData},
    {24, "StartString", &PI::StartString},
    {25, "StopString", &PI::StopString},
    {26, "FailString", &PI::FailString},
    {27, "MatchString", &PI::MatchString},
    {28, "ReferenceCode", &PI::ReferenceCode},
    {29, "Append2dQuality", &PI::Append2dQuality},
};
constexpr RecordField<PI> kExtendedProcessInterface[] = {
    {49, "StringNumerationActive", &PI::StringNumerationActive},
    {50, "DigitalLinesOverProcIf", &PI::DigitalLinesOverProcIf},
};

using CD = CodeDefinitionSettings;
constexpr RecordField<CD> kCodeDefinition[] = {
    {32, "CodeType", &CD::CodeType},
    {33, "Recognition", &CD::Recognition},
    {34, "CodesPerImage", &CD::CodesPerImage},
    {35, "MaxDecodingDuration", &CD::MaxDecodingDuration},
};

constexpr RecordField<FilterSettings> kFilters[] = {
    {37, "Filter1", &FilterSettings::Filter1},
    {38, "Filter2", &FilterSettings::Filter2},
    {39, "Filter3", &FilterSettings::Filter3},
};

using TS = TriggerSettings;
constexpr RecordField<TS> kTrigger[] = {
    {43, "TriggerSource", &TS::TriggerSource},
    {44, "TriggerWindow", &TS::TriggerWindow},
    {45, "GoodReadingsTry", &TS::GoodReadingsTry},
    {46, "GoodReadingsWithinTime_value", &TS::GoodReadingsWithinTime_value},
};

constexpr RecordField<BarCodeSettings> kComposite[] = {
    {51, " CompositeComponentUsage", &BarCodeSettings::CompositeComponentUsage},
    {52, " CompositeComponentSeparator", &BarCodeSettings::CompositeComponentSeparator},
};

using EC = ECC200Settings;
constexpr RecordField<EC> kEcc200Data[] = {
    {0, "symbol_cols_min", &EC::symbol_cols_min},
    {1, "symbol_cols_max", &EC::symbol_cols_max},
    {2, "symbol_rows_min", &EC::symbol_rows_min},
    {3, "symbol_rows_max", &EC::symbol_rows_max},
    {4, "polarity", &EC::polarity},
    {5, "mirrored", &EC::mirrored},
    {6, "contrast_min", &EC::contrast_min},
    {7, "module_size_min", &EC::module_size_min},
    {8, "module_size_max", &EC::module_size_max},
    {9, "module_gap_col_min", &EC::module_gap_col_min},
    {10, "module_gap_col_max", &EC::module_gap_col_max},
    {11, "module_gap_row_min", &EC::module_gap_row_min},
    {12, "module_gap_row_max", &EC::module_gap_row_max},
    {13, "slant_max", &EC::slant_max},
    {14, "module_grid", &EC::module_grid},
    {15, "strict_model", &EC::strict_model},
};

using AZ = AztecSettings;
constexpr RecordField<AZ> kAztecData[] = {
    {0, "symbol_size_min", &AZ::symbol_size_min},
    {1, "symbol_size_max", &AZ::symbol_size_max},
    {2, "polarity", &AZ::polarity},
    {3, "mirrored", &AZ::mirrored},
    {4, "contrast_min", &AZ::contrast_min},
    {5, "module_size_min", &AZ::module_size_min},
    {6, "module_size_max", &AZ::module_size_max},
    {7, "module_gap_col_min", &AZ::module_gap_col_min},
    {8, "module_gap_col_max", &AZ::module_gap_col_max},
    {9, "module_gap_row_min", &AZ::module_gap_row_min},
    {10, "module_gap_row_max", &AZ::module_gap_row_max},
    {11, "strict_model", &AZ::strict_model},
};

}  // namespace

int CConfigListInfo::ReadHeader(const ParameterList& list, ConfigHeader& header) const {
    return ReadFields(list, kItemCount, kHeader, header);
}

int CConfigListInfo::ReadImageQuality(const ParameterList& list, ImageQualitySettings& settings) const {
    return ReadFields(list, kItemCount, kImageQuality, settings);
}

int CConfigListInfo::ReadRoi(const ParameterList& list, ImageQualitySettings& settings) const {
    return ReadFields(list, kItemCount, kRoi, settings);
}

int CConfigListInfo::ReadProcessInterface(const ParameterList& list, ProcessInterfaceSettings& settings,
                                          bool extended) const {
    const int status =
        ReadFields(list, extended ? kExtendedItemCount : kItemCount, kProcessInterface, settings);
    if (!extended) return status;
    return CombineResults(
        {status, ReadFields(list, kExtendedItemCount, kExtendedProcessInterface, settings)});
}

int CConfigListInfo::ReadCodeDefinition(const ParameterList& list, CodeDefinitionSettings& settings) const {
    return ReadFields(list, kItemCount, kCodeDefinition, settings);
}

int CConfigListInfo::ReadFilters(const ParameterList& list, FilterSettings& settings) const {
    return ReadFields(list, kItemCount, kFilters, settings);
}

int CConfigListInfo::ReadTriggerSettings(const ParameterList& list, TriggerSettings& settings) const {
    return ReadFields(list, kItemCount, kTrigger, settings);
}

int CConfigListInfo::ReadCompositeOptions(const ParameterList& list, BarCodeSettings& settings) const {
    return ReadFields(list, kExtendedItemCount, kComposite, settings);
}

int CConfigListInfo::WriteSections(ParameterList& list, bool extended) const {
    // A list of the other template would take markers in the wrong places
    // (or fail halfway): its length decides before anything is written.
    if (list.size() != static_cast<std::size_t>(extended ? kExtendedItemCount : kItemCount))
        return ParameterItems::kFailed;
    const int closing = extended ? WriteSectionMarkers(list, kExtendedClosingMarkers)
                                 : WriteSectionMarkers(list, kClosingMarkers);
    return CombineResults({closing, WriteSectionMarkers(list, kSectionMarkers)});
}

int CConfigListInfo::WriteHeader(ParameterList& list, const ConfigHeader& header) const {
    return WriteFields(list, kItemCount, kHeader, header);
}

int CConfigListInfo::WriteImageQuality(ParameterList& list, const ImageQualitySettings& settings) const {
    return WriteFields(list, kItemCount, kImageQuality, settings);
}

int CConfigListInfo::WriteRoi(ParameterList& list, const ImageQualitySettings& settings) const {
    return WriteFields(list, kItemCount, kRoi, settings);
}

int CConfigListInfo::WriteProcessInterface(ParameterList& list, const ProcessInterfaceSettings& settings,
                                           bool extended) const {
    const int status =
        WriteFields(list, extended ? kExtendedItemCount : kItemCount, kProcessInterface, settings);
    if (!extended) return status;
    return CombineResults(
        {status, WriteFields(list, kExtendedItemCount, kExtendedProcessInterface, settings)});
}

int CConfigListInfo::WriteCodeDefinition(ParameterList& list, const CodeDefinitionSettings& settings) const {
    return WriteFields(list, kItemCount, kCodeDefinition, settings);
}

int CConfigListInfo::WriteFilters(ParameterList& list, const FilterSettings& settings) const {
    return WriteFields(list, kItemCount, kFilters, settings);
}

int CConfigListInfo::WriteTriggerSettings(ParameterList& list, const TriggerSettings& settings) const {
    return WriteFields(list, kItemCount, kTrigger, settings);
}

int CConfigListInfo::WriteCompositeOptions(ParameterList& list, const BarCodeSettings& settings) const {
    return WriteFields(list, kExtendedItemCount, kComposite, settings);
}

int CConfigListInfo::WriteConfiguration(ParameterList& list, bool extended,
                                        const ConfigurationRecords& records) const {
    if (WriteSections(list, extended) != ParameterItems::kOk) return ParameterItems::kFailed;
    return CombineResults({
        WriteHeader(list, records.header),
        WriteImageQuality(list, records.imageQuality),
        WriteRoi(list, records.imageQuality),
        WriteProcessInterface(list, records.processInterface, extended),
        WriteCodeDefinition(list, records.codeDefinition),
        WriteFilters(list, records.filters),
        WriteTriggerSettings(list, records.trigger),
        extended ? WriteCompositeOptions(list, records.barCode) : ParameterItems::kOk,
    });
}

int CConfigListInfo::ReadECC200Data(const ParameterList& list, ECC200Settings& settings) const {
    return ReadFields(list, std::size(kEcc200Data), kEcc200Data, settings);
}

int CConfigListInfo::WriteECC200Data(ParameterList& list, const ECC200Settings& settings) const {
    return WriteFields(list, std::size(kEcc200Data), kEcc200Data, settings);
}

int CConfigListInfo::ReadAztecData(const ParameterList& list, AztecSettings& settings) const {
    return ReadFields(list, std::size(kAztecData), kAztecData, settings);
}

int CConfigListInfo::WriteAztecData(ParameterList& list, const AztecSettings& settings) const {
    return WriteFields(list, std::size(kAztecData), kAztecData, settings);
}
