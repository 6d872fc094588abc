// What the simulated sensor says about itself: its type, software version,
// the status it answers "xmlConnect" with and its compatibility lists.
// Tests change them while the server runs.
#pragma once

#include <mutex>
#include <string>
#include <vector>

namespace vt::sim {

class SensorState {
public:
    struct Identity {
        std::string sensorType = "K7M-2D Reader";
        std::string softwareVersion = "3100";
        int connectStatus = 0;  // non-zero: "xmlConnect" answers [status] only
        std::vector<std::string> compatibleSensorTypes{"K7M-2D"};
        std::vector<std::string> compatibleLibraryVersions{"1.0"};
    };

    Identity identity() const {
        std::lock_guard lock(mutex_);
        return identity_;
    }
    void setIdentity(Identity identity) {
        std::lock_guard lock(mutex_);
        identity_ = std::move(identity);
    }

private:
    mutable std::mutex mutex_;
    Identity identity_;
};

}  // namespace vt::sim
