#include "sim/sensor_model.h"

#include "sim/plausible_records.h"

namespace vt::sim {

namespace {

bool validIndex(int index) {
    return index >= 0 && index < kConfigSlotCount;
}
bool validGroup(int group) {
    return group >= -1 && group < kGroupCount;
}

}  // namespace

namespace {

bool inTest(int state) { return state == kStateTestTrigger || state == kStateTestConfiguration; }

}  // namespace

int SensorModel::setState(int state) {
    if (state < 0 || state >= kSensorStateCount) return kSimBadState;
    std::lock_guard lock(mutex_);
    ++stateChanges_;
    if (state == kStateLeaveTest) {
        if (inTest(data_.state)) data_.state = data_.stateBeforeTest;
        return kSimOk;
    }
    if (inTest(state) && !inTest(data_.state)) data_.stateBeforeTest = data_.state;
    // Monitor and service work with saved configurations only.
    if (state == kStateMonitor || state == kStateService) discardEdit();
    data_.state = state;
    return kSimOk;
}

void SensorModel::endPcSession() {
    std::lock_guard lock(mutex_);
    ++stateChanges_;
    discardEdit();
    if (inTest(data_.state)) data_.state = data_.stateBeforeTest;
    if (inTest(data_.state) || data_.state == kStateService) data_.state = kStateConfiguration;
}

int SensorModel::state() const {
    std::lock_guard lock(mutex_);
    return data_.state;
}

// The slot must hold a configuration of that name in that group.
int SensorModel::check(const SlotRef& slot) const {
    if (!validIndex(slot.index)) return kSimBadIndex;
    const ConfigSlot& stored = data_.slots[static_cast<std::size_t>(slot.index)];
    if (!stored.used) return kSimNoConfiguration;
    if (stored.name != slot.name) return kSimNameMismatch;
    if (stored.group != slot.group) return kSimBadGroup;
    return kSimOk;
}

int SensorModel::checkFreeTarget(const SlotRef& target) const {
    if (!validIndex(target.index)) return kSimBadIndex;
    if (target.name.empty()) return kSimBadArguments;
    if (!validGroup(target.group)) return kSimBadGroup;
    if (data_.slots[static_cast<std::size_t>(target.index)].used) return kSimSlotInUse;
    return kSimOk;
}

void SensorModel::clearSlot(int index) {
    data_.slots[static_cast<std::size_t>(index)] = ConfigSlot{};
    if (data_.activeConfig == index) data_.activeConfig = -1;
}

// The whole record goes, the active mark with it.
void SensorModel::relocate(int from, int to) {
    if (from == to) return;
    data_.slots[static_cast<std::size_t>(to)] = std::move(data_.slots[static_cast<std::size_t>(from)]);
    data_.slots[static_cast<std::size_t>(from)] = ConfigSlot{};
    if (data_.activeConfig == from) data_.activeConfig = to;
}

int SensorModel::createConfig(const SlotRef& slot) {
    std::lock_guard lock(mutex_);
    if (int status = checkFreeTarget(slot); status != kSimOk) return status;
    if (data_.editing) return kSimEditing;
    ConfigSlot& created = data_.slots[static_cast<std::size_t>(slot.index)];
    created.used = true;
    created.name = slot.name;
    created.group = slot.group;
    if (data_.plausibleRecords) created.data.parameters = plausibleSlotParameters(slot.index);
    data_.editing = EditSession{slot.index, true, ConfigSlot{}};
    return kSimOk;
}

int SensorModel::editConfig(const SlotRef& slot) {
    std::lock_guard lock(mutex_);
    if (int status = check(slot); status != kSimOk) return status;
    if (data_.editing) return data_.editing->slot == slot.index ? kSimOk : kSimEditing;
    data_.editing = EditSession{slot.index, false, data_.slots[static_cast<std::size_t>(slot.index)]};
    return kSimOk;
}

int SensorModel::deleteConfig(const SlotRef& slot) {
    std::lock_guard lock(mutex_);
    if (int status = check(slot); status != kSimOk) return status;
    if (data_.editing && data_.editing->slot == slot.index) return kSimEditing;
    clearSlot(slot.index);
    return kSimOk;
}

int SensorModel::renameConfig(const SlotRef& slot, int targetIndex, const std::string& newName) {
    std::lock_guard lock(mutex_);
    if (int status = check(slot); status != kSimOk) return status;
    if (newName.empty()) return kSimBadArguments;
    if (targetIndex != slot.index) {
        // Renaming into another slot moves the configuration there.
        if (!validIndex(targetIndex)) return kSimBadIndex;
        if (data_.slots[static_cast<std::size_t>(targetIndex)].used) return kSimSlotInUse;
        if (data_.editing && data_.editing->slot == slot.index) return kSimEditing;
        relocate(slot.index, targetIndex);
    }
    data_.slots[static_cast<std::size_t>(targetIndex)].name = newName;
    return kSimOk;
}

int SensorModel::copyConfig(const SlotRef& source, const SlotRef& target) {
    std::lock_guard lock(mutex_);
    if (int status = check(source); status != kSimOk) return status;
    if (int status = checkFreeTarget(target); status != kSimOk) return status;
    ConfigSlot copy = data_.slots[static_cast<std::size_t>(source.index)];
    copy.name = target.name;
    copy.group = target.group;
    copy.masterState = 0;  // a master role is not copied along
    data_.slots[static_cast<std::size_t>(target.index)] = std::move(copy);
    return kSimOk;
}

int SensorModel::moveConfig(const SlotRef& source, const SlotRef& target) {
    std::lock_guard lock(mutex_);
    if (int status = check(source); status != kSimOk) return status;
    if (data_.editing && data_.editing->slot == source.index) return kSimEditing;
    if (target.index != source.index) {
        if (int status = checkFreeTarget(target); status != kSimOk) return status;
    } else {
        if (target.name.empty()) return kSimBadArguments;
        if (!validGroup(target.group)) return kSimBadGroup;
    }
    relocate(source.index, target.index);
    ConfigSlot& moved = data_.slots[static_cast<std::size_t>(target.index)];
    moved.name = target.name;
    if (moved.group != target.group) {
        // A master role belongs to the group it was given in.
        moved.masterState = 0;
        moved.group = target.group;
    }
    return kSimOk;
}

int SensorModel::activateConfig(const SlotRef& slot) {
    std::lock_guard lock(mutex_);
    if (int status = check(slot); status != kSimOk) return status;
    data_.activeConfig = slot.index;
    data_.activeGroup = data_.slots[static_cast<std::size_t>(slot.index)].group;
    return kSimOk;
}

// The group's master (role 1) becomes active, else its first configuration.
int SensorModel::activateGroup(int group) {
    if (group < 0 || group >= kGroupCount) return kSimBadGroup;
    std::lock_guard lock(mutex_);
    int first = -1;
    int master = -1;
    for (int i = 0; i < kConfigSlotCount; ++i) {
        const ConfigSlot& slot = data_.slots[static_cast<std::size_t>(i)];
        if (!slot.used || slot.group != group) continue;
        if (first < 0) first = i;
        if (master < 0 && slot.masterState == 1) master = i;
    }
    if (first < 0) return kSimNoConfiguration;
    data_.activeConfig = master >= 0 ? master : first;
    data_.activeGroup = group;
    return kSimOk;
}

// One configuration per master role and group; role 0 takes the role away.
int SensorModel::setAsGroupMaster(const SlotRef& slot, int masterType) {
    if (masterType < 0 || masterType > 3) return kSimBadArguments;
    std::lock_guard lock(mutex_);
    if (int status = check(slot); status != kSimOk) return status;
    if (slot.group < 0) return kSimBadGroup;
    if (masterType != 0) {
        for (ConfigSlot& other : data_.slots)
            if (other.used && other.group == slot.group && other.masterState == masterType)
                other.masterState = 0;
    }
    data_.slots[static_cast<std::size_t>(slot.index)].masterState = masterType;
    return kSimOk;
}

int SensorModel::closeAndSave() {
    std::lock_guard lock(mutex_);
    if (!data_.editing) return kSimNotEditing;
    data_.editing.reset();
    return kSimOk;
}

int SensorModel::closeAndDiscard() {
    std::lock_guard lock(mutex_);
    if (!data_.editing) return kSimNotEditing;
    discardEdit();
    return kSimOk;
}

void SensorModel::discardEdit() {
    if (!data_.editing) return;
    EditSession session = std::move(*data_.editing);
    data_.editing.reset();
    if (session.created)
        clearSlot(session.slot);
    else
        data_.slots[static_cast<std::size_t>(session.slot)] = std::move(session.before);
}

void SensorModel::trigger() {
    std::function<void()> listener;
    {
        std::lock_guard lock(mutex_);
        ++data_.triggers;
        ++data_.totalReadings;
        if (data_.nextReadingGood) ++data_.goodReadings;
        listener = triggerListener_;
    }
    if (listener) listener();
}

void SensorModel::setTriggerListener(std::function<void()> listener) {
    std::lock_guard lock(mutex_);
    triggerListener_ = std::move(listener);
}

void SensorModel::resetStatistics() {
    std::lock_guard lock(mutex_);
    data_.totalReadings = 0;
    data_.goodReadings = 0;
}

}  // namespace vt::sim
