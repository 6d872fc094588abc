// The record templates' item tables, typed by hand from the sensor's
// documentation of each list, and the lists a get of them leaves.
#pragma once

#include <vector>

#include "list_fixtures.h"

namespace vt::test {

// Result lists by type letter (see ListOfTypes), position by position.
inline constexpr const char* kReadResult = "IIII S III S I S IIIIIIIIIIIIIIIIII SSSSSSSSSS";
inline constexpr const char* kEcc200Result = "SSS II DDD III";
inline constexpr const char* kPdf417Result = "SSS II DDD IIII";
inline constexpr const char* kQrCodeResult = "SSS IIII DD IIIII S";
inline constexpr const char* kAztecResult = "SSS III DDD IIII";

// Configuration data: template 1017 (49 items) or 1018 (55).
inline std::vector<ItemSpec> ConfigItems(bool extended) {
    std::vector<ItemSpec> items = {
        {"FWVersion", "STRING"},
        {"SensorType", "STRING"},
        {"ImageQuality", "BEGIN"},
        {"Internal", "INT"},
        {"Segments", "INT"},
        {"ExposureTime", "INT"},
        {"ExposureTimeMax", "INT"},
        {"ExposureTimeMin", "INT"},
        {"ExposureTimeStep", "INT"},
        {"Logarithmic", "INT"},
        {"ROI", "BEGIN"},
        {"Top", "INT"},
        {"Bottom", "INT"},
        {"Right", "INT"},
        {"Left", "INT"},
        {"ROI_EOS", "END"},
        {"ImageQuality_EOS", "END"},
        {"ProcessInterface", "BEGIN"},
        {"WorkingMode", "INT"},
        {"AppendConfiguration", "INT"},
        {"AppendSymboligyIdentifier", "INT"},
        {"AppendCodePosition", "INT"},
        {"AppendOutputDescription", "INT"},
        {"AppendImageData", "INT"},
        {"StartString", "STRING"},
        {"StopString", "STRING"},
        {"FailString", "STRING"},
        {"MatchString", "STRING"},
        {"ReferenceCode", "STRING"},
        {"Append2dQuality", "INT"},
        {"ProcessInterface_EOS", "END"},
        {"CodeDefinition", "BEGIN"},
        {"CodeType", "INT"},
        {"Recognition", "INT"},
        {"CodesPerImage", "INT"},
        {"MaxDecodingDuration", "INT"},
        {"Preprocessing", "BEGIN"},
        {"Filter1", "INT"},
        {"Filter2", "INT"},
        {"Filter3", "INT"},
        {"Preprocessing_EOS", "END"},
        {"CodeDefinition_EOS", "END"},
        {"TriggerDefinition", "BEGIN"},
        {"TriggerSource", "INT"},
        {"TriggerWindow", "INT"},
        {"GoodReadingsTry", "INT"},
        {"GoodReadingsWithinTime_value", "INT"},
        {"TriggerDefinition_EOS", "END"},
    };
    if (!extended) {
        items.push_back({"EOF_configuration_xml_eos", "END"});
        return items;
    }
    items.insert(items.end(), {
                                  {" ExtendedOptions_label", "BEGIN"},
                                  {"StringNumerationActive", "INT"},
                                  {"DigitalLinesOverProcIf", "INT"},
                                  {" CompositeComponentUsage", "INT"},
                                  {" CompositeComponentSeparator", "STRING"},
                                  {" ExtendedOptions_eos", "END"},
                                  {"EOF_configuration_xml_eos", "END"},
                              });
    return items;
}

inline ParameterList ConfigList(bool extended) {
    ParameterList list = ListOf(ConfigItems(extended));
    if (extended) {
        // Two flags: the sensor sends 0 or 1.
        list[49].intValue = 1;
        list[50].intValue = 0;
    }
    return list;
}

// Sensor global settings: template 1014 (37 items).
inline std::vector<ItemSpec> SensorGlobalsItems() {
    return {
        {"SensorName", "STRING"},
        {"SensorLocation", "STRING"},
        {"FWRelease", "INT"},
        {"SensorType", "STRING"},
        {"SensorNetworkParms", "BEGIN"},
        {"SensorDHCPactive", "INT"},
        {"SensorIPaddress", "STRING"},
        {"SensorSubnetMask", "STRING"},
        {"SensorGatewayIP", "STRING"},
        {"SensorMACaddress", "STRING"},
        {"XmlRpcPort", "INT"},
        {"LiveImagePort", "INT"},
        {"SensorNetworkParms_EOS", "END"},
        {"ProcIfParameters", "BEGIN"},
        {"ProcIfInterfaceType", "INT"},
        {"SerialBaudrate", "INT"},
        {"SerialStopBits", "INT"},
        {"SerialParity", "INT"},
        {"ProcIfTcpPort", "INT"},
        {"ProtocolVersion", "INT"},
        {"RunIdleHeader", "INT"},
        {"ConsumingAssemblyLength", "INT"},
        {"EnableSegmentation", "INT"},
        {"NumberOfAssemblySegments", "INT"},
        {"AssemblySegments", "STRING"},
        {"UseAnswerControleByte", "INT"},
        {"UseDecodeControleByte", "INT"},
        {"UseStatusControleByte", "INT"},
        {"SendConnectMessage", "INT"},
        {"ProcIfParameters_EOS", "END"},
        {"SensorGlobalSettings", "BEGIN"},
        {"DebouncedTrigger", "INT"},
        {"LaserMode", "INT"},
        {"DisplayMode", "INT"},
        {"FailResultsToSave", "INT"},
        {"SensorGlobalSettings_EOS", "END"},
        {"SensorConfig_EOS", "END"},
    };
}

// Code-type data: templates 1005, 1008, 1011, 2001, 1001; group list 1007.
inline std::vector<ItemSpec> Ecc200DataItems() {
    return {
        {"symbol_cols_min", "INT"},       {"symbol_cols_max", "INT"},       {"symbol_rows_min", "INT"},
        {"symbol_rows_max", "INT"},       {"polarity", "STRING"},           {"mirrored", "STRING"},
        {"contrast_min", "INT"},          {"module_size_min", "INT"},       {"module_size_max", "INT"},
        {"module_gap_col_min", "STRING"}, {"module_gap_col_max", "STRING"}, {"module_gap_row_min", "STRING"},
        {"module_gap_row_max", "STRING"}, {"slant_max", "DOUBLE"},          {"module_grid", "STRING"},
        {"strict_model", "STRING"}};
}

inline std::vector<ItemSpec> Pdf417DataItems() {
    return {{"symbol_cols_min", "INT"},      {"symbol_cols_max", "INT"},      {"symbol_rows_min", "INT"},
            {"symbol_rows_max", "INT"},      {"polarity", "STRING"},          {"mirrored", "STRING"},
            {"contrast_min", "INT"},         {"module_width_min", "INT"},     {"module_width_max", "INT"},
            {"module_aspect_min", "DOUBLE"}, {"module_aspect_max", "DOUBLE"}, {"strict_model", "STRING"}};
}

inline std::vector<ItemSpec> QrCodeDataItems() {
    return {{"model_type", "INT"},
            {"version_min", "INT"},
            {"version_max", "INT"},
            {"symbol_size_min", "INT"},
            {"symbol_size_max", "INT"},
            {"polarity", "STRING"},
            {"mirrored", "STRING"},
            {"contrast_min", "INT"},
            {"module_size_min", "INT"},
            {"module_size_max", "INT"},
            {"module_gap_col_min", "STRING"},
            {"module_gap_col_max", "STRING"},
            {"module_gap_row_min", "STRING"},
            {"module_gap_row_max", "STRING"},
            {"position_pattern_min", "INT"},
            {"strict_model", "STRING"}};
}

inline std::vector<ItemSpec> AztecDataItems() {
    return {
        {"symbol_size_min", "INT"},       {"symbol_size_max", "INT"},       {"polarity", "STRING"},
        {"mirrored", "STRING"},           {"contrast_min", "INT"},          {"module_size_min", "INT"},
        {"module_size_max", "INT"},       {"module_gap_col_min", "STRING"}, {"module_gap_col_max", "STRING"},
        {"module_gap_row_min", "STRING"}, {"module_gap_row_max", "STRING"}, {"strict_model", "STRING"}};
}

inline std::vector<ItemSpec> BarCodeDataItems() {
    return {{"element_size_min_value", "DOUBLE"},
            {"element_size_max", "DOUBLE"},
            {"element_height_min", "INT"},
            {"min_characters", "INT"},
            {"max_characters", "INT"},
            {"reading_direction", "INT"}};
}

inline std::vector<ItemSpec> GroupListItems() {
    return std::vector<ItemSpec>(8, ItemSpec{"group", "STRING"});
}

// A quality list: per parameter a section of begin, "append_it", "grade", end.
inline ParameterList QualityList(int parameters) {
    std::vector<ItemSpec> items;
    for (int k = 0; k < parameters; ++k)
        items.insert(
            items.end(),
            {{"parameter", "BEGIN"}, {"append_it", "INT"}, {"grade", "INT"}, {"parameter_EOS", "END"}});
    return ListOf(items);
}

}  // namespace vt::test
