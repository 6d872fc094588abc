// Every reader of a record, in the order the program calls them after a get.
#pragma once

#include "records/config_list_info.h"
#include "records/sensor_configuration.h"

namespace vt::test {

// The configuration readers (the composite options only with the extended
// configuration); the first failure, or 0.
inline int ReadConfiguration(const ParameterList& list, bool extended, ConfigurationRecords& r) {
    auto* c = CConfigListInfo::GetInstance();
    const int reads[] = {c->ReadHeader(list, r.header),
                         c->ReadImageQuality(list, r.imageQuality),
                         c->ReadRoi(list, r.imageQuality),
                         c->ReadProcessInterface(list, r.processInterface, extended),
                         c->ReadCodeDefinition(list, r.codeDefinition),
                         c->ReadFilters(list, r.filters),
                         c->ReadTriggerSettings(list, r.trigger),
                         extended ? c->ReadCompositeOptions(list, r.barCode) : 0};
    for (int result : reads)
        if (result != 0) return result;
    return 0;
}

// The four readers of the sensor's global settings; the first failure, or 0.
inline int ReadSensorGlobals(const ParameterList& list, SensorGlobalRecords& r) {
    auto* c = CSensorConfiguration::GetInstance();
    const int reads[] = {c->ExtractIdentity(list, r.identity), c->ExtractNetwork(list, r.network),
                         c->ExtractProcIf(list, r.procIf), c->ExtractGlobalSettings(list, r.general)};
    for (int result : reads)
        if (result != 0) return result;
    return 0;
}

}  // namespace vt::test
