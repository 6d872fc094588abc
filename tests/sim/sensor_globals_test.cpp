// The simulated sensor's own settings as named fields and on the wire.
#include <gtest/gtest.h>

#include "sim/lock_methods.h"
#include "sim/parameter_shapes.h"
#include "sim/sensor_globals_record.h"

namespace {

using vt::sim::SensorGlobalsRecord;

TEST(SensorGlobals, NamesTravelFramedAndEncoded) {
    for (const char* text : {"", "A", "Ab", "Abc", "Varnis sensor", "Halle S\xC3\xBC" "d"}) {
        const std::string encoded = vt::sim::encodeSensorText(text);
        EXPECT_EQ(encoded.size() % 4, 0u) << text;
        EXPECT_EQ(encoded.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+#_"),
                  std::string::npos)
            << encoded;
        EXPECT_EQ(vt::sim::LockMethods::passwordOf(encoded), text) << encoded;
    }
}

TEST(SensorGlobals, TheRecordGoesThroughItsWireFormAndTheStore) {
    SensorGlobalsRecord changed;
    changed.location = vt::sim::encodeSensorText("Hall 2");
    changed.dhcp = 1;
    changed.segments = "1#2#3#4#5#6";
    changed.failResultsToSave = 100;
    const XmlRpc::XmlRpcValue wire = vt::sim::sensorGlobalsWire(changed);
    EXPECT_TRUE(vt::sim::matchesShape(wire, vt::sim::shape::kSensorGlobals, 0));
    EXPECT_EQ(vt::sim::sensorGlobalsOf(wire), changed);

    vt::sim::ParameterStore store;
    EXPECT_EQ(vt::sim::sensorGlobals(store), SensorGlobalsRecord{});
    vt::sim::setSensorGlobals(store, changed);
    EXPECT_EQ(vt::sim::sensorGlobals(store), changed);

    XmlRpc::XmlRpcValue shorter = wire;
    shorter.setSize(wire.size() - 1);
    EXPECT_FALSE(vt::sim::sensorGlobalsOf(shorter).has_value());
}

}  // namespace
