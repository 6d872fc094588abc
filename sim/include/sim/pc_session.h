// The PC the sensor works for. "xmlConnect" begins its session;
// "xmlDisconnect" ends it, and so does silence: no request for longer than
// the limit while none is being answered (the PC's heartbeat stopped, the PC
// is gone). What the PC held on the sensor then ends
// (SensorModel::endPcSession).
#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <stop_token>
#include <string>
#include <thread>

#include "sim/sensor_model.h"
#include "sim/sensor_state.h"
#include "sim/xmlrpc_server.h"

namespace vt::sim {

class PcSession {
public:
    // Four heartbeats the library would have sent, and more.
    static constexpr std::chrono::milliseconds kSilenceLimit{10000};

    // The model must outlive this object.
    explicit PcSession(SensorModel& model);
    ~PcSession();
    PcSession(const PcSession&) = delete;
    PcSession& operator=(const PcSession&) = delete;

    // Hears every request of the server; call before the server starts. A
    // connect the identity refuses (its connect status) begins nothing. The
    // identity must outlive the server's use of it.
    void install(XmlRpcServer& server, const SensorState& identity);
    void setSilenceLimit(std::chrono::milliseconds limit);

    bool connected() const;
    // Sessions ended so far, by a disconnect or by silence.
    int sessionsEnded() const;

private:
    using Clock = std::chrono::steady_clock;
    void heard(const std::string& method, bool begun, const SensorState& identity);
    void watch(std::stop_token stop);

    SensorModel& model_;
    mutable std::mutex mutex_;
    std::condition_variable_any wake_;
    bool connected_ = false;
    int inFlight_ = 0;
    Clock::time_point lastHeard_ = Clock::now();
    std::chrono::milliseconds limit_ = kSilenceLimit;
    int ended_ = 0;
    int changes_ = 0;  // a connect or a new limit: the watch looks again
    std::jthread watcher_;  // last: stopped and joined before the rest goes
};

}  // namespace vt::sim
