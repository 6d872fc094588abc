// What the simulated sensor keeps per configuration slot beyond the slot's
// name, group and master role: the configuration data and whatever else
// belongs to one configuration. Copy, move and delete of a slot carry it
// along with the rest of the slot, so fields added here need nothing more.
#pragma once

#include "sim/slot_parameters.h"

namespace vt::sim {

struct ConfigSlotData {
    SlotParameters parameters;
};

}  // namespace vt::sim
