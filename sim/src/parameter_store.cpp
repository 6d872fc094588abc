#include "sim/parameter_store.h"

#include <string>

#include "sim/parameter_shapes.h"

namespace vt::sim {

using XmlRpc::XmlRpcValue;

ParameterStore::ParameterStore() {
    records_.sensorGlobals = arrayOfShape(shape::kSensorGlobals, [](int pos, char letter) -> XmlRpcValue {
        if (letter == 'I') return 200000 + pos;
        return "globals-item" + std::to_string(pos);
    });
    records_.groupList = arrayOfShape(shape::kGroupList, [](int pos, char) -> XmlRpcValue {
        return "Group " + std::to_string(pos + 1) + " of the sensor";
    });
}

}  // namespace vt::sim
