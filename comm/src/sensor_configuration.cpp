#include "sensor_configuration.h"

namespace dravik {

bool CSensorConfiguration::ReadIdentity(const ParameterList& list, SensorIdentity& out) {
    if (!hasItems(list, 3)) return false;
    copyText(out.name, list[0].stringValue);
    copyText(out.location, list[1].stringValue);
    out.firmware = list[2].intValue;
    copyText(out.articleNumber, list[3].stringValue);
    return true;
}

bool CSensorConfiguration::ReadNetwork(const ParameterList& list, SensorNetwork& out) {
    if (!hasItems(list, 11)) return false;
    out.dhcp = list[5].intValue;
    for (std::size_t i = 0; i < 4; ++i) copyText(out.texts[i], list[6 + i].stringValue);
    out.xmlPort = list[10].intValue;
    out.livePort = list[11].intValue;
    return true;
}

bool CSensorConfiguration::ReadProcessInterface(const ParameterList& list, SensorProcessInterface& out) {
    if (!hasItems(list, 28)) return false;
    for (std::size_t i = 0; i < 10; ++i) out.values[i] = list[14 + i].intValue;
    copyText(out.segments, list[24].stringValue);
    for (std::size_t i = 0; i < 4; ++i) out.flags[i] = list[25 + i].intValue;
    return true;
}

bool CSensorConfiguration::ReadGlobalSettings(const ParameterList& list, SensorGlobalFlags& out) {
    if (!hasItems(list, 34)) return false;
    for (std::size_t i = 0; i < 4; ++i) out.values[i] = list[31 + i].intValue;
    return true;
}

}  // namespace dravik
