#include "records/sensor_configuration.h"

#include "records/record_fields.h"

namespace {

constexpr int32_t kBegin = PARAMETER_SECTION_BEGIN;
constexpr int32_t kEnd = PARAMETER_SECTION_END;

// The closing marker has no begin marker and goes first.
constexpr SectionMarker kSectionMarkers[] = {
    {36, kEnd, "SensorConfig_EOS"},         {4, kBegin, "SensorNetworkParms"},
    {12, kEnd, "SensorNetworkParms_EOS"},   {13, kBegin, "ProcIfParameters"},
    {29, kEnd, "ProcIfParameters_EOS"},     {30, kBegin, "SensorGlobalSettings"},
    {35, kEnd, "SensorGlobalSettings_EOS"},
};

using SI = SensorIdentity;
constexpr RecordField<SI> kIdentity[] = {
    {0, "SensorName", &SI::SensorName},
    {1, "SensorLocation", &SI::SensorLocation},
    {2, "FWRelease", &SI::FWRelease},
    {3, "SensorType", &SI::SensorType},
};

using SN = SensorNetworkSettings;
constexpr RecordField<SN> kNetwork[] = {
    {5, "SensorDHCPactive", &SN::SensorDHCPactive}, {6, "SensorIPaddress", &SN::SensorIPaddress},
    {7, "SensorSubnetMask", &SN::SensorSubnetMask}, {8, "SensorGatewayIP", &SN::SensorGatewayIP},
    {9, "SensorMACaddress", &SN::SensorMACaddress}, {10, "XmlRpcPort", &SN::XmlRpcPort},
    {11, "LiveImagePort", &SN::LiveImagePort},
};

using PS = ProcIfSettings;
constexpr RecordField<PS> kProcIf[] = {
    {14, "ProcIfInterfaceType", &PS::ProcIfInterfaceType},
    {15, "SerialBaudrate", &PS::SerialBaudrate},
    {16, "SerialStopBits", &PS::SerialStopBits},
    {17, "SerialParity", &PS::SerialParity},
    {18, "ProcIfTcpPort", &PS::ProcIfTcpPort},
    {19, "ProtocolVersion", &PS::ProtocolVersion},
    {20, "RunIdleHeader", &PS::RunIdleHeader},
    {21, "ConsumingAssemblyLength", &PS::ConsumingAssemblyLength},
    {22, "EnableSegmentation", &PS::EnableSegmentation},
    {23, "NumberOfAssemblySegments", &PS::NumberOfAssemblySegments},
    {24, "AssemblySegments", &PS::AssemblySegments},
    {25, "UseAnswerControleByte", &PS::UseAnswerControleByte},
    {26, "UseDecodeControleByte", &PS::UseDecodeControleByte},
    {27, "UseStatusControleByte", &PS::UseStatusControleByte},
    {28, "SendConnectMessage", &PS::SendConnectMessage},
};

using SG = SensorGlobalSettings;
constexpr RecordField<SG> kGlobalSettings[] = {
    {31, "DebouncedTrigger", &SG::DebouncedTrigger},
    {32, "LaserMode", &SG::LaserMode},
    {33, "DisplayMode", &SG::DisplayMode},
    {34, "FailResultsToSave", &SG::FailResultsToSave},
};

}  // namespace

int CSensorConfiguration::ExtractIdentity(const ParameterList& list, SensorIdentity& identity) const {
    return ReadFields(list, kItemCount, kIdentity, identity);
}

int CSensorConfiguration::ExtractNetwork(const ParameterList& list, SensorNetworkSettings& network) const {
    return ReadFields(list, kItemCount, kNetwork, network);
}

int CSensorConfiguration::ExtractProcIf(const ParameterList& list, ProcIfSettings& procIf) const {
    return ReadFields(list, kItemCount, kProcIf, procIf);
}

int CSensorConfiguration::ExtractGlobalSettings(const ParameterList& list,
                                                SensorGlobalSettings& general) const {
    return ReadFields(list, kItemCount, kGlobalSettings, general);
}

int CSensorConfiguration::WriteSections(ParameterList& list) const {
    return WriteSectionMarkers(list, kSectionMarkers);
}

int CSensorConfiguration::WriteIdentity(ParameterList& list, const SensorIdentity& identity) const {
    return WriteFields(list, kItemCount, kIdentity, identity);
}

int CSensorConfiguration::WriteNetwork(ParameterList& list, const SensorNetworkSettings& network) const {
    return WriteFields(list, kItemCount, kNetwork, network);
}

int CSensorConfiguration::WriteProcIf(ParameterList& list, const ProcIfSettings& procIf) const {
    return WriteFields(list, kItemCount, kProcIf, procIf);
}

int CSensorConfiguration::WriteGlobalSettings(ParameterList& list,
                                              const SensorGlobalSettings& general) const {
    return WriteFields(list, kItemCount, kGlobalSettings, general);
}

int CSensorConfiguration::WriteAll(ParameterList& list, const SensorGlobalRecords& records) const {
    // Every step runs even after a failure, so the items that exist are written.
    return CombineResults({
        WriteSections(list),
        WriteIdentity(list, records.identity),
        WriteNetwork(list, records.network),
        WriteProcIf(list, records.procIf),
        WriteGlobalSettings(list, records.general),
    });
}
