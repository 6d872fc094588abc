#include "sim/sensor_globals_record.h"

#include "sim/parameter_shapes.h"

namespace vt::sim {

using XmlRpc::XmlRpcValue;

namespace {

constexpr std::string_view kAlphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+#";

// Where each field sits in shape::kSensorGlobals.
struct TextField {
    int position;
    std::string SensorGlobalsRecord::*member;
};
struct IntField {
    int position;
    int SensorGlobalsRecord::*member;
};

using R = SensorGlobalsRecord;
constexpr TextField kTextFields[] = {
    {0, &R::name},       {1, &R::location},   {3, &R::sensorType}, {6, &R::ipAddress},
    {7, &R::subnetMask}, {8, &R::gateway},    {9, &R::macAddress}, {24, &R::segments},
};
constexpr IntField kIntFields[] = {
    {2, &R::fwRelease},
    {5, &R::dhcp},
    {10, &R::xmlRpcPort},
    {11, &R::liveImagePort},
    {14, &R::interfaceType},
    {15, &R::baudRate},
    {16, &R::stopBits},
    {17, &R::parity},
    {18, &R::tcpPort},
    {19, &R::protocolVersion},
    {20, &R::runIdleHeader},
    {21, &R::consumingAssemblyLength},
    {22, &R::enableSegmentation},
    {23, &R::segmentCount},
    {25, &R::answerControlByte},
    {26, &R::decodeControlByte},
    {27, &R::statusControlByte},
    {28, &R::sendConnectMessage},
    {31, &R::debouncedTrigger},
    {32, &R::laserMode},
    {33, &R::displayMode},
    {34, &R::failResultsToSave},
};

}  // namespace

std::string encodeSensorText(std::string_view utf8) {
    const std::string bytes = '\x02' + std::string(utf8) + '\x03';
    std::string out;
    unsigned bits = 0;
    int count = 0;
    for (char c : bytes) {
        bits = (bits << 8) | static_cast<unsigned char>(c);
        count += 8;
        while (count >= 6) {
            count -= 6;
            out += kAlphabet[(bits >> count) & 63];
        }
    }
    if (count > 0) out += kAlphabet[(bits << (6 - count)) & 63];
    while (out.size() % 4 != 0) out += '_';
    return out;
}

XmlRpcValue sensorGlobalsWire(const SensorGlobalsRecord& record) {
    XmlRpcValue wire = arrayOfShape(shape::kSensorGlobals, [](int, char) { return XmlRpcValue(); });
    for (const TextField& f : kTextFields) wire[f.position] = record.*f.member;
    for (const IntField& f : kIntFields) wire[f.position] = record.*f.member;
    return wire;
}

std::optional<SensorGlobalsRecord> sensorGlobalsOf(const XmlRpcValue& wire) {
    if (!matchesShape(wire, shape::kSensorGlobals, 0)) return std::nullopt;
    SensorGlobalsRecord record;
    for (const TextField& f : kTextFields) record.*f.member = wire[f.position].asString();
    for (const IntField& f : kIntFields) record.*f.member = wire[f.position].asInt();
    return record;
}

SensorGlobalsRecord sensorGlobals(ParameterStore& store) {
    return store.with([](SensorRecords& r) { return sensorGlobalsOf(r.sensorGlobals).value(); });
}

void setSensorGlobals(ParameterStore& store, const SensorGlobalsRecord& record) {
    store.with([&](SensorRecords& r) { r.sensorGlobals = sensorGlobalsWire(record); });
}

}  // namespace vt::sim
