// The simulated sensor's records that belong to no configuration: the
// global settings (a sensor's realistic settings, sim/sensor_globals_record.h)
// and the eight group names.
#pragma once

#include <mutex>

#include "xmlrpc/XmlRpcValue.h"

namespace vt::sim {

struct SensorRecords {
    XmlRpc::XmlRpcValue sensorGlobals;
    XmlRpc::XmlRpcValue groupList;
};

class ParameterStore {
public:
    ParameterStore();
    ParameterStore(const ParameterStore&) = delete;
    ParameterStore& operator=(const ParameterStore&) = delete;

    // Runs f on the records under the store's lock.
    template <class F>
    decltype(auto) with(F&& f) {
        std::lock_guard lock(mutex_);
        return f(records_);
    }

private:
    std::mutex mutex_;
    SensorRecords records_;
};

}  // namespace vt::sim
