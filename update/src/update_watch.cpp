#include "update_watch.h"

#include <sys/socket.h>

namespace brimsol {

void UpdateClient::cutCall() {
    std::lock_guard fd(fdMutex_);
    cut_ = true;
    if (getfd() != -1) ::shutdown(getfd(), SHUT_RDWR);
}

void UpdateClient::allowCalls() {
    std::lock_guard fd(fdMutex_);
    cut_ = false;
}

void UpdateClient::close() {
    std::lock_guard fd(fdMutex_);
    XmlRpcClient::close();
}

bool UpdateClient::doConnect() {
    std::lock_guard fd(fdMutex_);
    if (cut_) return false;
    return XmlRpcClient::doConnect();
}

SilenceWatch::SilenceWatch(UpdateClient& client, const std::string& host, int port) : client_(client) {
    thread_ = std::thread([this, host, port] { run(host, port); });
}

SilenceWatch::~SilenceWatch() {
    {
        std::lock_guard lock(mutex_);
        stop_ = true;
    }
    wake_.notify_all();
    thread_.join();
}

void SilenceWatch::run(const std::string& host, int port) {
    XmlRpc::XmlRpcClient probe(host.c_str(), port, "/RPC2");
    // A probe that drips is no answer either.
    probe.setMinimumCallDeadline(XmlRpc::XmlRpcClient::kCallDeadlineFactor * kProbeLimitSeconds);
    int failures = 0;
    for (;;) {
        {
            std::unique_lock lock(mutex_);
            if (wake_.wait_for(lock, kRound, [this] { return stop_; })) return;
        }
        XmlRpc::XmlRpcValue reply;
        if (probe.execute("xmlHeartbeat", XmlRpc::XmlRpcValue(), reply, kProbeLimitSeconds)) {
            failures = 0;
            continue;
        }
        if (++failures < kFailureLimit) continue;
        client_.cutCall();
        return;
    }
}

}  // namespace brimsol
