#include "update_watch.h"

#include <linux/sockios.h>
#include <sys/ioctl.h>
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

bool UpdateClient::writeRequest() {
    const int before = bytesWritten_;
    const bool ok = XmlRpcClient::writeRequest();
    if (bytesWritten_ > before) written_.fetch_add(bytesWritten_ - before, std::memory_order_relaxed);
    return ok;
}

long long UpdateClient::taken() {
    std::lock_guard fd(fdMutex_);
    int queued = 0;
    if (getfd() == -1 || ::ioctl(getfd(), SIOCOUTQ, &queued) != 0) queued = 0;
    return written_.load(std::memory_order_relaxed) - queued;
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
    long long taken = client_.taken();
    for (;;) {
        {
            std::unique_lock lock(mutex_);
            if (wake_.wait_for(lock, kRound, [this] { return stop_; })) return;
        }
        XmlRpc::XmlRpcValue reply;
        const bool answered = probe.execute("xmlHeartbeat", XmlRpc::XmlRpcValue(), reply, kProbeLimitSeconds);
        const long long now = client_.taken();
        const bool takingTheImage = now != taken;
        taken = now;
        if (answered || takingTheImage) {
            failures = 0;
            continue;
        }
        if (++failures < kFailureLimit) continue;
        client_.cutCall();
        return;
    }
}

}  // namespace brimsol
