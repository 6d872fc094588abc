// Converts the sensor's global settings list (template 1014, 37 items)
// to and from its four records.
// Readers return 0, or -1 when an item is missing or of another type (those
// fields keep their values). WriteAll fills the list the last get left and
// returns 0, or -1 when any item could not be written: a short list is not
// sent as if it were whole.
#pragma once

#include "dravik/parameter_list.h"
#include "records/converter_singleton.h"
#include "records/sensor_global_records.h"

class CSensorConfiguration : public ConverterSingleton<CSensorConfiguration> {
public:
    static constexpr int kItemCount = 37;

    int ExtractIdentity(const ParameterList& list, SensorIdentity& identity) const;
    int ExtractNetwork(const ParameterList& list, SensorNetworkSettings& network) const;
    int ExtractProcIf(const ParameterList& list, ProcIfSettings& procIf) const;
    int ExtractGlobalSettings(const ParameterList& list, SensorGlobalSettings& general) const;

    int WriteAll(ParameterList& list, const SensorGlobalRecords& records) const;

    // The steps of WriteAll.
    int WriteSections(ParameterList& list) const;
    int WriteIdentity(ParameterList& list, const SensorIdentity& identity) const;
    int WriteNetwork(ParameterList& list, const SensorNetworkSettings& network) const;
    int WriteProcIf(ParameterList& list, const ProcIfSettings& procIf) const;
    int WriteGlobalSettings(ParameterList& list, const SensorGlobalSettings& general) const;

private:
    friend class ConverterSingleton<CSensorConfiguration>;
    CSensorConfiguration() = default;
};
