#include "sim/reading_model.h"

#include <algorithm>

#include "reading_replies.h"
#include "sim/parameter_shapes.h"
#include "sim/status_reply.h"

namespace vt::sim {

namespace {

using XmlRpc::XmlRpcValue;

// What a poll reports for a reading taken in this state; 0 for states that take none.
int kindFor(int state) {
    switch (state) {
        case 6:
            return 1;
        case 7:
            return 2;
        case 2:
            return 3;
        default:
            return 0;
    }
}

}  // namespace

ReadingModel::ReadingModel(SensorModel& sensor) : sensor_(sensor) {
    sensor_.setTriggerListener([this] { takeReading(false); });
}

ReadingModel::~ReadingModel() {
    sensor_.setTriggerListener(nullptr);
    setRate(std::chrono::milliseconds(0));
    shutdown();
}

void ReadingModel::setCodeType(int codeType) {
    std::lock_guard lock(mutex_);
    codeType_ = codeType;
}

void ReadingModel::setNextText(std::string text) {
    std::lock_guard lock(mutex_);
    nextText_ = std::move(text);
}

void ReadingModel::setExpectedCodes(int codes) {
    std::lock_guard lock(mutex_);
    expectedCodes_ = std::max(codes, 1);
}

void ReadingModel::setCodesPerReading(int codes) {
    std::lock_guard lock(mutex_);
    codesPerReading_ = std::max(codes, 1);
}

void ReadingModel::setPollHold(std::chrono::milliseconds hold) {
    std::lock_guard lock(mutex_);
    pollHold_ = std::min(hold, std::chrono::milliseconds(19000));
}

int ReadingModel::configuredCodeType(const SensorData& sensor) {
    const int slot = sensor.editing ? sensor.editing->slot : sensor.activeConfig;
    if (slot < 0 || slot >= kConfigSlotCount) return 1;
    const int codeType = sensor.slots[static_cast<std::size_t>(slot)].data.parameters.codeType();
    return codeType > 0 ? codeType : 1;
}

std::string ReadingModel::configuredLabel(const SensorData& sensor) {
    const int slot = sensor.editing ? sensor.editing->slot : sensor.activeConfig;
    if (slot < 0 || slot >= kConfigSlotCount) return "0)";
    return std::to_string(slot + 1) + ")" + sensor.slots[static_cast<std::size_t>(slot)].name;
}

// Items 11..14 of the configuration: top, bottom, right, left. A window
// that does not lie in the picture is searched whole.
void ReadingModel::configuredWindow(const SensorData& sensor, SimReading& reading) {
    const int slot = sensor.editing ? sensor.editing->slot : sensor.activeConfig;
    if (slot < 0 || slot >= kConfigSlotCount) return;
    const XmlRpcValue& config = sensor.slots[static_cast<std::size_t>(slot)].data.parameters.configData;
    if (config.getType() != XmlRpcValue::TypeArray || config.size() <= 14) return;
    int v[4] = {};
    for (int i = 0; i < 4; ++i) {
        const XmlRpcValue& item = config[11 + i];
        if (item.getType() != XmlRpcValue::TypeInt) return;
        v[i] = item.asInt();
    }
    const int top = v[0], bottom = v[1], right = v[2], left = v[3];
    if (left < 0 || top < 0 || right > 639 || bottom > 479 || left >= right || top >= bottom) return;
    reading.windowLeft = left;
    reading.windowTop = top;
    reading.windowRight = right;
    reading.windowBottom = bottom;
}

bool ReadingModel::readsOnItsOwn(const SensorData& sensor) {
    if (sensor.state == 2) return true;
    if (sensor.state != 6 && sensor.state != 7) return false;
    const int slot = sensor.editing ? sensor.editing->slot : sensor.activeConfig;
    if (slot < 0 || slot >= kConfigSlotCount) return false;
    const XmlRpcValue& config = sensor.slots[static_cast<std::size_t>(slot)].data.parameters.configData;
    if (config.getType() != XmlRpcValue::TypeArray || config.size() <= shape::kConfigDataTriggerSource) return false;
    const XmlRpcValue& source = config[shape::kConfigDataTriggerSource];
    return source.getType() == XmlRpcValue::TypeInt && source.asInt() == 3;
}

void ReadingModel::setRate(std::chrono::milliseconds period) {
    std::thread old;
    {
        std::lock_guard lock(mutex_);
        rate_ = period;
        ++rateGeneration_;
        old = std::move(rateThread_);
    }
    rateWake_.notify_all();
    if (old.joinable()) old.join();
    if (period.count() <= 0) return;
    std::lock_guard lock(mutex_);
    rateThread_ = std::thread([this] { rateLoop(); });
}

void ReadingModel::rateLoop() {
    std::unique_lock lock(mutex_);
    const auto period = rate_;
    const int generation = rateGeneration_;
    const auto ended = [&] { return shutdown_ || rateGeneration_ != generation; };
    while (!ended()) {
        if (rateWake_.wait_for(lock, period, ended)) break;
        lock.unlock();
        if (readsOnItsOwn(sensor_.snapshot())) takeReading(true);
        lock.lock();
    }
}

bool ReadingModel::takeReading(bool count) {
    const SensorData sensor = sensor_.snapshot();
    const int kind = kindFor(sensor.state);
    if (kind == 0) return false;
    record(sensor, kind, count);
    return true;
}

// A decode of the current picture reads with the edited configuration in
// any state; it counts no statistics and no poll reports it.
void ReadingModel::decodeImage() {
    const SensorData sensor = sensor_.snapshot();
    record(sensor, kindFor(2), false);
    std::lock_guard lock(mutex_);
    latestReported_ = true;
}

void ReadingModel::record(const SensorData& sensor, int kind, bool count) {

    SimReading reading;
    {
        std::lock_guard lock(mutex_);
        reading.number = nextNumber_++;
        reading.codeType = codeType_ ? *codeType_ : configuredCodeType(sensor);
        reading.text = nextText_ ? *nextText_ : "VT-READING-" + std::to_string(reading.number);
        nextText_.reset();
        reading.expectedCodes = expectedCodes_;
        reading.codes = codesPerReading_;
    }
    reading.label = configuredLabel(sensor);
    configuredWindow(sensor, reading);
    reading.kind = kind;
    reading.state = sensor.state;
    reading.passed = sensor.nextReadingGood;
    if (!reading.passed) reading.text.clear();  // nothing readable in the picture
    reading.decodingTimeMs = 20 + reading.number % 7;
    reading.code = PaintCode(reading.codeType, reading.text);
    if (reading.code.format.empty()) {
        reading.passed = false;
        reading.text.clear();
    }
    if (reading.codesFound() < reading.expectedCodes) reading.passed = false;
    reading.takenAt = std::chrono::steady_clock::now();
    if (count) {
        sensor_.access([&](SensorData& d) {
            ++d.totalReadings;
            if (reading.passed) ++d.goodReadings;
        });
    }
    {
        std::lock_guard lock(mutex_);
        kept_.push_back(reading);
        if (kept_.size() > kKeptResults) kept_.pop_front();
        latest_ = std::move(reading);
        latestReported_ = false;
        ++counts_.readings;
    }
    readingTaken_.notify_all();
}

XmlRpcValue ReadingModel::poll() {
    // A poll held while the state changed (a test left and begun again) is
    // the last poller's, which may be gone: it reports nothing.
    const std::uint64_t states = sensor_.stateChanges();
    std::unique_lock lock(mutex_);
    ++counts_.polls;
    readingTaken_.wait_for(lock, pollHold_, [this] { return shutdown_ || !latestReported_; });
    XmlRpcValue reply = statusReply(0);
    reply[1] = 0;
    if (!latestReported_ && latest_ && sensor_.stateChanges() == states) {
        latestReported_ = true;
        reply[1] = latest_->kind;
    }
    return reply;
}

XmlRpcValue ReadingModel::lock(int first, int /*second*/) {
    std::lock_guard lock(mutex_);
    std::optional<SimReading> chosen;
    if (first < 0) {
        if (!latest_) return statusReply(kNoReadingYet);
        chosen = latest_;
    } else {
        for (const SimReading& kept : kept_)
            if (kept.number == first) chosen = kept;
        if (!chosen) return statusReply(kNoSuchStoredResult);
    }
    locked_ = std::move(chosen);
    ++counts_.locks;
    XmlRpcValue reply = statusReply(0);
    reply[1] = locked_->resultCount();
    return reply;
}

XmlRpcValue ReadingModel::unlock() {
    std::lock_guard lock(mutex_);
    if (!locked_) return statusReply(kNotLocked);
    locked_.reset();
    ++counts_.unlocks;
    return statusReply(0);
}

std::optional<SimReading> ReadingModel::lockedReading(int index, XmlRpcValue& refusal) const {
    std::lock_guard lock(mutex_);
    if (!locked_) {
        refusal = statusReply(kNothingLocked);
        return std::nullopt;
    }
    if (index < 0 || index >= locked_->resultCount()) {
        refusal = statusReply(kNoSuchCode);
        return std::nullopt;
    }
    return locked_;
}

XmlRpcValue ReadingModel::result(int index) const {
    XmlRpcValue refusal;
    const auto reading = lockedReading(index, refusal);
    return reading ? ResultReply(*reading, index) : refusal;
}

XmlRpcValue ReadingModel::codeResult(int index) {
    XmlRpcValue refusal;
    const auto reading = lockedReading(index, refusal);
    if (!reading) return refusal;
    {
        std::lock_guard lock(mutex_);
        ++counts_.codeResults;
    }
    return CodeResultReply(*reading, index);
}

XmlRpcValue ReadingModel::codeQuality(int index) {
    XmlRpcValue refusal;
    const auto reading = lockedReading(index, refusal);
    if (!reading) return refusal;
    {
        std::lock_guard lock(mutex_);
        ++counts_.codeQualities;
    }
    return CodeQualityReply(*reading);
}

XmlRpcValue ReadingModel::decodedImage() const {
    std::vector<uint8_t> pixels;
    {
        std::lock_guard lock(mutex_);
        const std::optional<SimReading>& shown = locked_ ? locked_ : latest_;
        if (!shown) return statusReply(kNoDecodedImage);
        pixels = shown->code.pixels;
    }
    XmlRpcValue reply = statusReply(0);
    reply[1] = XmlRpcValue::BinaryData(pixels.begin(), pixels.end());
    return reply;
}

XmlRpcValue ReadingModel::currentImage() const {
    const std::vector<uint8_t> pixels = PlainScene();
    XmlRpcValue reply = statusReply(0);
    reply[1] = XmlRpcValue::BinaryData(pixels.begin(), pixels.end());
    return reply;
}

// which 1: the failed readings only. The age is in milliseconds.
XmlRpcValue ReadingModel::lastResults(int which) const {
    std::lock_guard lock(mutex_);
    const auto now = std::chrono::steady_clock::now();
    XmlRpcValue reply = statusReply(0);
    int i = 3;
    int index = 0;
    // Newest first, as a results list reads.
    for (auto it = kept_.rbegin(); it != kept_.rend(); ++it) {
        if (which == 1 && it->passed) continue;
        const auto age = std::chrono::duration_cast<std::chrono::milliseconds>(now - it->takenAt).count();
        reply[i++] = it->number;
        reply[i++] = it->passed ? 1 : 0;
        reply[i++] = std::to_string(age);
        reply[i++] = it->text;
        reply[i++] = index++;
    }
    reply[1] = std::to_string(index) + " results";
    reply[2] = index;
    return reply;
}

ReadingCounts ReadingModel::counts() const {
    std::lock_guard lock(mutex_);
    return counts_;
}

std::optional<SimReading> ReadingModel::latest() const {
    std::lock_guard lock(mutex_);
    return latest_;
}

void ReadingModel::shutdown() {
    {
        std::lock_guard lock(mutex_);
        shutdown_ = true;
        pollHold_ = std::chrono::milliseconds(0);
    }
    readingTaken_.notify_all();
    rateWake_.notify_all();
}

}  // namespace vt::sim
