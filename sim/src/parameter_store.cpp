#include "sim/parameter_store.h"

#include <string>

#include "sim/parameter_shapes.h"
#include "sim/sensor_globals_record.h"

namespace vt::sim {

using XmlRpc::XmlRpcValue;

ParameterStore::ParameterStore() {
    records_.sensorGlobals = sensorGlobalsWire(SensorGlobalsRecord{});
    records_.groupList = arrayOfShape(shape::kGroupList, [](int pos, char) -> XmlRpcValue {
        return "Group " + std::to_string(pos + 1) + " of the sensor";
    });
}

}  // namespace vt::sim
