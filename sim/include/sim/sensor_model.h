// The simulated sensor's inner state beyond its connection: operating state,
// the 32 configuration slots in 8 groups, the active configuration and
// group, the configuration being edited, reading statistics, and what the
// command methods answer. Server threads and tests use it at the same time;
// every operation takes the model's lock.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "sim/config_slot.h"
#include "sim/reply_script.h"

namespace vt::sim {

// The simulated sensor's own error statuses.
enum SimStatus : int {
    kSimOk = 0,
    kSimBadIndex = -101,         // slot index outside 0..31
    kSimBadArguments = -102,     // wrong number or type of parameters, empty name, bad value
    kSimNoConfiguration = -103,  // the slot holds no configuration
    kSimSlotInUse = -104,        // the target slot already holds one
    kSimNameMismatch = -105,     // the name differs from the one stored in the slot
    kSimBadGroup = -106,         // group outside -1..7, or not the configuration's group
    kSimNotEditing = -107,       // save or discard without an edit in progress
    kSimEditing = -108,          // another configuration is being edited, or this one is
    kSimBadState = -109,         // state outside 0..9
    kSimBadExpression = -110,    // the regular expression does not compile
};

inline constexpr int kSensorStateCount = 10;  // states 0..9
// The states the sensor's behaviour tells apart.
inline constexpr int kStateMonitor = 2;
inline constexpr int kStateConfiguration = 4;
inline constexpr int kStateLeaveTest = 5;  // asked for, never held: the test ends
inline constexpr int kStateTestTrigger = 6;
inline constexpr int kStateTestConfiguration = 7;
inline constexpr int kStateService = 9;

// Between "xmlEditConfig" or "xmlCreateConfig" and "xmlCloseAndSave" or
// "xmlCloseAndDiscard". Changes go straight into the slot; the slot as it
// was is kept so that a discard can put it back.
struct EditSession {
    int slot = -1;
    bool created = false;  // a discard frees the slot again
    ConfigSlot before;
};

// One process-interface telegram a transmission method sent: the method
// and the start, stop, fail and match strings (items 24..27) of the edited,
// else the active configuration; empty without either.
struct Transmission {
    std::string method;
    std::string start, stop, fail, match;
};

struct SensorData {
    int state = kStateConfiguration;
    int stateBeforeTest = kStateConfiguration;  // where leaving a test goes back to
    std::array<ConfigSlot, kConfigSlotCount> slots;
    int activeConfig = -1;  // slot index, -1 = none
    int activeGroup = -1;   // 0..7, -1 = none
    std::optional<EditSession> editing;

    int totalReadings = 0;
    int goodReadings = 0;
    bool nextReadingGood = true;  // whether a forced trigger counts as a good reading
    int triggers = 0;

    int recognitionMode = 0;
    int revertedCodeType = -1;  // the kind (0 standard, 1 enhanced) of the last "xmlRevertCodeDataSettings"
    // Configurations created from now on get records in range (varnis-sim --plausible).
    bool plausibleRecords = false;
    // What "xmlAutoDetectCode" finds, and what it was asked.
    int detectedCodeType = 1;
    int detectedValue = 1;
    std::pair<int, int> autoDetectArguments{0, 0};
    // The exposure "xmlCalculateExpTime" puts into the configuration being edited.
    int calculatedExposure = 2000;
    // "xmlGetSensorCurrentTime": this text when set, else the machine's local time.
    std::optional<std::string> currentTime;
    // "xmlTransmitTestData", "xmlTransmitFailData", "xmlTransmitMatchString", in order.
    std::vector<Transmission> transmissions;
};

class SensorModel {
public:
    // f(SensorData&) under the model's lock; for tests and for the methods of
    // other simulator parts that work on the same slots.
    template <typename F>
    decltype(auto) access(F&& f) {
        std::lock_guard lock(mutex_);
        return std::forward<F>(f)(data_);
    }
    SensorData snapshot() const {
        std::lock_guard lock(mutex_);
        return data_;
    }

    ReplyScript& script() { return script_; }

    // Stores the state, except: 5 leaves a test (6, 7) for the state it
    // began in and is never held; entering monitor (2) or service (9)
    // drops an edit not saved.
    int setState(int state);
    int state() const;
    // The PC went away (disconnected, or its heartbeat stopped): what it held
    // ends. An open edit is discarded, a test or service operation ends in
    // configuration (4); monitor operation goes on.
    void endPcSession();
    // How often the state was set or the PC went: a poll held across it is stale.
    std::uint64_t stateChanges() const { return stateChanges_.load(); }

    // Slot operations, as "xmlCreateConfig" ... "xmlCloseAndDiscard" do them.
    int createConfig(const SlotRef& slot);
    int editConfig(const SlotRef& slot);
    int deleteConfig(const SlotRef& slot);
    int renameConfig(const SlotRef& slot, int targetIndex, const std::string& newName);
    int copyConfig(const SlotRef& source, const SlotRef& target);
    int moveConfig(const SlotRef& source, const SlotRef& target);
    int activateConfig(const SlotRef& slot);
    int activateGroup(int group);
    int setAsGroupMaster(const SlotRef& slot, int masterType);
    int closeAndSave();
    int closeAndDiscard();

    // The status a command naming this slot gets: kSimOk when index, name
    // and group match a configuration. Takes no lock: call it inside access().
    int check(const SlotRef& slot) const;

    // A forced trigger: one more reading, good or not as nextReadingGood says.
    // The trigger listener runs afterwards, outside the model's lock.
    void trigger();
    // What else a trigger sets off (the readings part takes a picture); null for nothing.
    void setTriggerListener(std::function<void()> listener);
    void resetStatistics();

private:
    int checkFreeTarget(const SlotRef& target) const;
    // Under the lock: the edit in progress ends unsaved.
    void discardEdit();
    void clearSlot(int index);
    void relocate(int from, int to);

    mutable std::mutex mutex_;
    SensorData data_;
    std::atomic<std::uint64_t> stateChanges_{0};
    std::function<void()> triggerListener_;
    ReplyScript script_;
};

}  // namespace vt::sim
