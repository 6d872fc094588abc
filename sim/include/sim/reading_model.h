// The simulated sensor's readings: in its test states (6 trigger test,
// 7 configuration test) and in monitor mode (2) it takes a reading on each
// forced trigger or at a set rate: a picture with a real code, the code's
// text, position and corners, quality grades and statistics. It answers
// result polls (held open until a reading is ready), locks and unlocks the
// current result (and counts both), and keeps the last results.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "sim/reading_picture.h"
#include "sim/sensor_model.h"
#include "xmlrpc/XmlRpcValue.h"

namespace vt::sim {

// Statuses of the readings part; -7099..-7001 tell the client that no
// result is there to deliver.
enum ReadingStatus : int {
    kNoReadingYet = -7001,       // lock [-1, 0] before any reading
    kNoSuchStoredResult = -7002, // lock of a result number not kept
    kNothingLocked = -7003,      // a result getter without a locked result
    kNoSuchCode = -7004,         // a code index the locked result does not have
    kNoDecodedImage = -7005,     // no reading has been taken
    kNotLocked = -7006,          // unlock without a lock
};

struct SimReading {
    int number = 0;     // counts from 1
    int kind = 0;       // what a poll reports: 1 trigger test, 2 configuration test, 3 monitor
    int state = 0;      // the sensor state it was taken in
    int codeType = 0;
    std::string text;   // the code's text; empty when nothing was read
    bool passed = false;      // every expected code was read
    int decodingTimeMs = 0;
    int expectedCodes = 1;    // codes the configuration asks for
    std::string label;        // "<slot number>)<stored name>" of the configuration read with
    // The search window read in: the configuration's window of interest.
    int windowLeft = 0, windowTop = 0, windowRight = 639, windowBottom = 479;
    PaintedCode code;
    int codes = 1;      // codes found when the code could be painted (all share the picture)
    std::chrono::steady_clock::time_point takenAt;

    int codesFound() const { return code.format.empty() ? 0 : codes; }
    // Results a lock offers: the codes found, and a failed reading its one record.
    int resultCount() const { return codesFound() > 0 ? codesFound() : 1; }
    // Code 0 carries the reading's text, code k > 0 the text and "/k".
    std::string codeText(int k) const { return k == 0 || text.empty() ? text : text + "/" + std::to_string(k); }
};

// The grade the simulator gives quality parameter k of a code (1..4; the
// quality records' default is 0).
inline int SimulatedGrade(int k) { return 4 - k % 4; }

struct ReadingCounts {
    int readings = 0;
    int polls = 0;
    int locks = 0;    // successful locks
    int unlocks = 0;  // successful unlocks
    int codeResults = 0;    // code results answered
    int codeQualities = 0;  // quality results answered
};

class ReadingModel {
public:
    // Registers itself as the sensor's trigger listener.
    explicit ReadingModel(SensorModel& sensor);
    // Releases held polls and stops the rate; the server must not use the
    // model any more (stop the server first).
    ~ReadingModel();
    ReadingModel(const ReadingModel&) = delete;
    ReadingModel& operator=(const ReadingModel&) = delete;

    // The code type the readings paint. Unless set here, the code type of
    // the configuration being edited, else of the active one, else 1.
    void setCodeType(int codeType);
    // The text of the next reading; afterwards "VT-READING-<number>" again.
    void setNextText(std::string text);
    // How many codes each following reading expects (at least 1); a reading
    // that finds fewer fails.
    void setExpectedCodes(int codes);
    // How many codes each following reading finds (at least 1).
    void setCodesPerReading(int codes);
    // A reading every `period` in monitor operation (2), and in the test
    // states (6, 7) while the configuration tested runs free (trigger
    // source 3; other sources wait for a trigger); 0 stops.
    void setRate(std::chrono::milliseconds period);
    // How long a poll waits for a reading before it answers "nothing new";
    // cut to 19 s, so a poll is always answered within its 20 s.
    void setPollHold(std::chrono::milliseconds hold);

    // Whether the rate takes readings in this sensor state and configuration.
    static bool readsOnItsOwn(const SensorData& sensor);
    // A reading now when the sensor is in state 2, 6 or 7; false otherwise.
    // count: add it to the sensor's statistics (a forced trigger has counted it already).
    bool takeReading(bool count = true);
    // "xmlDecodeImage": a reading of the configured code type in any state,
    // not counted and not reported to polls.
    void decodeImage();

    // The method bodies; params already checked.
    XmlRpc::XmlRpcValue poll();
    XmlRpc::XmlRpcValue lock(int first, int second);
    XmlRpc::XmlRpcValue unlock();
    XmlRpc::XmlRpcValue result(int index) const;
    XmlRpc::XmlRpcValue codeResult(int index);
    XmlRpc::XmlRpcValue codeQuality(int index);
    XmlRpc::XmlRpcValue decodedImage() const;
    XmlRpc::XmlRpcValue currentImage() const;
    XmlRpc::XmlRpcValue lastResults(int which) const;

    ReadingCounts counts() const;
    std::optional<SimReading> latest() const;
    // Held polls answer at once, and later ones do not wait.
    void shutdown();

    static constexpr std::size_t kKeptResults = 15;

private:
    void rateLoop();
    void record(const SensorData& sensor, int kind, bool count);
    static int configuredCodeType(const SensorData& sensor);
    static std::string configuredLabel(const SensorData& sensor);
    static void configuredWindow(const SensorData& sensor, SimReading& reading);
    std::optional<SimReading> lockedReading(int index, XmlRpc::XmlRpcValue& refusal) const;

    SensorModel& sensor_;
    mutable std::mutex mutex_;
    std::condition_variable readingTaken_;
    std::optional<int> codeType_;
    std::optional<std::string> nextText_;
    int expectedCodes_ = 1;
    int codesPerReading_ = 1;
    std::chrono::milliseconds pollHold_{1000};
    std::chrono::milliseconds rate_{0};
    int rateGeneration_ = 0;  // a new rate ends the loop of the old one
    bool shutdown_ = false;
    int nextNumber_ = 1;
    std::optional<SimReading> latest_;
    bool latestReported_ = true;
    std::optional<SimReading> locked_;
    std::deque<SimReading> kept_;
    ReadingCounts counts_;
    std::thread rateThread_;
    std::condition_variable rateWake_;
};

}  // namespace vt::sim
