// One of the simulated sensor's 32 configuration slots.
#pragma once

#include <string>

#include "sim/config_slot_data.h"

namespace vt::sim {

inline constexpr int kConfigSlotCount = 32;
inline constexpr int kGroupCount = 8;

struct ConfigSlot {
    bool used = false;
    // As the sensor received it (the program sends names framed and encoded);
    // never decoded or normalised, so it goes back exactly as it came.
    std::string name;
    int group = -1;       // 0..7, -1 = no group
    int masterState = 0;  // 0 = none, 1..3 = master role in its group
    ConfigSlotData data;
};

// How a command names a configuration: slot index (0..31), its name and its group.
struct SlotRef {
    int index = -1;
    std::string name;
    int group = -1;
};

}  // namespace vt::sim
