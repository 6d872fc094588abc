// The sensor's global settings (template 1014) as four records. Fields
// bear their item names and stand in item order.
#pragma once

#include <cstdint>

#include "text/fixed_text.h"

struct SensorIdentity {
    Text256 SensorName;
    Text256 SensorLocation;
    int32_t FWRelease = 0;
    Text256 SensorType;
};

struct SensorNetworkSettings {
    int32_t SensorDHCPactive = 0;
    Text256 SensorIPaddress;
    Text256 SensorSubnetMask;
    Text256 SensorGatewayIP;
    Text256 SensorMACaddress;
    int32_t XmlRpcPort = 0;
    int32_t LiveImagePort = 0;
};

struct ProcIfSettings {
    int32_t ProcIfInterfaceType = 0;
    int32_t SerialBaudrate = 0;
    int32_t SerialStopBits = 0;
    int32_t SerialParity = 0;
    int32_t ProcIfTcpPort = 0;
    int32_t ProtocolVersion = 0;
    int32_t RunIdleHeader = 0;
    int32_t ConsumingAssemblyLength = 0;
    int32_t EnableSegmentation = 0;
    int32_t NumberOfAssemblySegments = 0;
    FixedText<4000> AssemblySegments;
    int32_t UseAnswerControleByte = 0;
    int32_t UseDecodeControleByte = 0;
    int32_t UseStatusControleByte = 0;
    int32_t SendConnectMessage = 0;
};

struct SensorGlobalSettings {
    int32_t DebouncedTrigger = 0;
    int32_t LaserMode = 0;
    int32_t DisplayMode = 0;
    int32_t FailResultsToSave = 0;
};

// The four records as the main dialog keeps them.
struct SensorGlobalRecords {
    SensorIdentity identity;
    SensorNetworkSettings network;
    ProcIfSettings procIf;
    SensorGlobalSettings general;
};
