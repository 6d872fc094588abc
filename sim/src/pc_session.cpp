#include "sim/pc_session.h"

namespace vt::sim {

PcSession::PcSession(SensorModel& model)
    : model_(model), watcher_([this](std::stop_token stop) { watch(stop); }) {}

PcSession::~PcSession() {
    watcher_.request_stop();
    watcher_.join();
}

void PcSession::install(XmlRpcServer& server, const SensorState& identity) {
    server.setCallListener(
        [this, &identity](const std::string& method, bool begun) { heard(method, begun, identity); });
}

void PcSession::setSilenceLimit(std::chrono::milliseconds limit) {
    std::lock_guard lock(mutex_);
    limit_ = limit;
    ++changes_;
    wake_.notify_all();
}

bool PcSession::connected() const {
    std::lock_guard lock(mutex_);
    return connected_;
}

int PcSession::sessionsEnded() const {
    std::lock_guard lock(mutex_);
    return ended_;
}

void PcSession::heard(const std::string& method, bool begun, const SensorState& identity) {
    const bool accepted = begun && method == "xmlConnect" && identity.identity().connectStatus == 0;
    bool left = false;
    {
        std::lock_guard lock(mutex_);
        inFlight_ += begun ? 1 : -1;
        lastHeard_ = Clock::now();
        if (accepted) {
            connected_ = true;
            ++changes_;
            wake_.notify_all();
        } else if (begun && method == "xmlDisconnect" && connected_) {
            connected_ = false;
            ++ended_;
            left = true;
        }
    }
    if (left) model_.endPcSession();
}

void PcSession::watch(std::stop_token stop) {
    std::unique_lock lock(mutex_);
    while (!stop.stop_requested()) {
        if (!connected_) {
            wake_.wait(lock, stop, [this] { return connected_; });
            continue;
        }
        const Clock::time_point deadline = lastHeard_ + limit_;
        if (inFlight_ == 0 && Clock::now() >= deadline) {
            connected_ = false;
            ++ended_;
            lock.unlock();
            model_.endPcSession();
            lock.lock();
            continue;
        }
        // A request being answered keeps the session; look again a limit later.
        const Clock::time_point next = inFlight_ > 0 ? Clock::now() + limit_ : deadline;
        const int seen = changes_;
        wake_.wait_until(lock, stop, next, [&] { return changes_ != seen; });
    }
}

}  // namespace vt::sim
