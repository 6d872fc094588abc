// The sensor global settings as the service report reads them.
#pragma once

#include <cstdint>

#include "record_fields.h"

namespace dravik {

struct SensorIdentity {
    TextField<256> name{};           // item 0
    TextField<256> location{};       // item 1
    int32_t firmware = 0;            // item 2
    TextField<256> articleNumber{};  // item 3
};

struct SensorNetwork {
    int32_t dhcp = 0;                   // item 5
    TextField<256> texts[4]{};          // items 6 to 9: address, mask, gateway, MAC
    int32_t xmlPort = 0, livePort = 0;  // items 10, 11
};

struct SensorProcessInterface {
    int32_t values[10] = {};     // items 14 to 23: type, baud rate, stop bits, parity, TCP port, ...
    TextField<4000> segments{};  // item 24
    int32_t flags[4] = {};       // items 25 to 28
};

struct SensorGlobalFlags {
    int32_t values[4] = {};  // items 31 to 34; item 31: debounced trigger
};

class CSensorConfiguration {
public:
    // Each reader returns false, leaving its record untouched, when the list
    // ends before the items it reads.
    static bool ReadIdentity(const ParameterList& list, SensorIdentity& out);
    static bool ReadNetwork(const ParameterList& list, SensorNetwork& out);
    static bool ReadProcessInterface(const ParameterList& list, SensorProcessInterface& out);
    static bool ReadGlobalSettings(const ParameterList& list, SensorGlobalFlags& out);
};

}  // namespace dravik
