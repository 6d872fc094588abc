// The simulated sensor's own settings ("xmlGetSensorGlobals" and
// "xmlSetSensorGlobals") as named fields, for tests that set them up or
// check what the program wrote. On the wire they are the flat record of
// shape::kSensorGlobals.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "sim/parameter_store.h"
#include "xmlrpc/XmlRpcValue.h"

namespace vt::sim {

// Name and location travel in the program's framed form: 0x02, the UTF-8
// text, 0x03, in a base64 variant (A-Z a-z 0-9 + #, fill "_").
std::string encodeSensorText(std::string_view utf8);

struct SensorGlobalsRecord {
    std::string name = encodeSensorText("Varnis sensor");  // as held: framed and encoded
    std::string location = encodeSensorText("Test bench");
    int fwRelease = 3100;
    std::string sensorType = "K7M-2D Reader";
    // Network
    int dhcp = 0;
    std::string ipAddress = "127.0.0.1";
    std::string subnetMask = "255.0.0.0";
    std::string gateway = "127.0.0.254";
    std::string macAddress = "00:0A:3C:12:34:56";
    int xmlRpcPort = 8080;
    int liveImagePort = 50002;
    // Process interface
    int interfaceType = 0;  // 0 TCP/IP, 1 serial line, 2 EtherNet/IP
    int baudRate = 9600;
    int stopBits = 1;
    int parity = 0;
    int tcpPort = 2000;
    int protocolVersion = 1;
    int runIdleHeader = 0;
    int consumingAssemblyLength = 32;
    int enableSegmentation = 1;
    int segmentCount = 2;
    std::string segments = "0#4#4#8";
    int answerControlByte = 1;
    int decodeControlByte = 0;
    int statusControlByte = 0;
    int sendConnectMessage = 1;
    // General
    int debouncedTrigger = 1;
    int laserMode = 0;
    int displayMode = 2;
    int failResultsToSave = 20;

    bool operator==(const SensorGlobalsRecord&) const = default;
};

// The record as the sensor sends it (markers included).
XmlRpc::XmlRpcValue sensorGlobalsWire(const SensorGlobalsRecord& record);
// The fields of a record of exactly that shape; nothing for any other array.
std::optional<SensorGlobalsRecord> sensorGlobalsOf(const XmlRpc::XmlRpcValue& wire);

// What the store holds now, and a new record for it.
SensorGlobalsRecord sensorGlobals(ParameterStore& store);
void setSensorGlobals(ParameterStore& store, const SensorGlobalsRecord& record);

}  // namespace vt::sim
