#include "xml_rpc_client_timeout.h"

#include <sys/socket.h>
#include <chrono>

#include "dravik/dravik.h"
#include "platform/thread_priority.h"
#include "xmlrpc/XmlRpcSocket.h"

namespace dravik {

namespace {

// A short pause before each wait, as the cycle always had: about 2050 ms.
constexpr auto kCyclePause = std::chrono::milliseconds(50);
constexpr int kNoProbe = 1;

}  // namespace

XmlRpcClientTimeout::XmlRpcClientTimeout(VtWindow window, int intervalMs, double heartbeatLimitSeconds,
                                         int failureLimit, std::string heartbeatMethod, const char* host,
                                         int port, const char* uri)
    : XmlRpcClient(host, port, uri),
      window_(window),
      intervalMs_(intervalMs),
      heartbeatLimitSeconds_(heartbeatLimitSeconds),
      failureLimit_(failureLimit),
      heartbeatMethod_(std::move(heartbeatMethod)) {}

XmlRpcClientTimeout::~XmlRpcClientTimeout() {
    StopHeartbeat();
    std::lock_guard lock(section_);
    XmlRpcClient::close();
}

namespace {
XmlRpcClientTimeout::CallObserver& callObserver() {
    static XmlRpcClientTimeout::CallObserver observer;
    return observer;
}
}  // namespace

void XmlRpcClientTimeout::observeCalls(CallObserver observer) {
    callObserver() = std::move(observer);
}

bool XmlRpcClientTimeout::execute(const char* method, const XmlRpc::XmlRpcValue& params,
                                  XmlRpc::XmlRpcValue& result, double timeoutSeconds) {
    if (const CallObserver& observe = callObserver()) observe(method, timeoutSeconds);
    ++waiting_;
    std::unique_lock lock(section_);
    --waiting_;
    if (retired_) return false;
    {
        std::lock_guard fd(fdMutex_);
        if (abandoned_ || interrupted_ == std::this_thread::get_id()) return false;
        caller_ = std::this_thread::get_id();
    }
    const bool ok = XmlRpcClient::execute(method, params, result, timeoutSeconds);
    {
        std::lock_guard fd(fdMutex_);
        caller_ = {};
    }
    if (ok) answered_ = true;
    return ok;
}

void XmlRpcClientTimeout::interruptCallOf(std::thread::id caller) {
    std::lock_guard fd(fdMutex_);
    if (caller == std::thread::id()) return;
    interrupted_ = caller;
    if (caller_ == caller && getfd() != -1) ::shutdown(getfd(), SHUT_RDWR);
}

void XmlRpcClientTimeout::abandon() {
    std::lock_guard fd(fdMutex_);
    abandoned_ = true;
    if (getfd() != -1) ::shutdown(getfd(), SHUT_RDWR);
}

bool XmlRpcClientTimeout::abandoned() {
    std::lock_guard fd(fdMutex_);
    return abandoned_;
}

void XmlRpcClientTimeout::endInterruptOf(std::thread::id caller) {
    std::lock_guard fd(fdMutex_);
    if (interrupted_ == caller) interrupted_ = {};
}

bool XmlRpcClientTimeout::doConnect() {
    std::lock_guard fd(fdMutex_);
    // An interrupted call must not come back on a fresh connection.
    if (abandoned_ || interrupted_ == std::this_thread::get_id()) return false;
    return XmlRpcClient::doConnect();
}

void XmlRpcClientTimeout::StartHeartbeat() {
    if (window_ == nullptr) return;
    std::lock_guard lock(threadMutex_);
    if (thread_.joinable()) {
        if (!threadEnded_) return;
        thread_.join();  // the last one ended by itself
    }
    stop_ = false;
    threadEnded_ = false;
    thread_ = std::thread([this] { HeartbeatThread(); });
}

void XmlRpcClientTimeout::StopHeartbeat() {
    std::lock_guard lock(threadMutex_);
    if (!thread_.joinable()) return;
    stop_ = true;
    signal();
    thread_.join();
}

bool XmlRpcClientTimeout::heartbeatRunning() {
    std::lock_guard lock(threadMutex_);
    return thread_.joinable() && !threadEnded_;
}

void XmlRpcClientTimeout::signal() {
    {
        std::lock_guard lock(eventMutex_);
        signalled_ = true;
    }
    event_.notify_all();
}

void XmlRpcClientTimeout::PostConnectionLost() {
    if (window_ != nullptr) vt_post_message(window_, WM_SENSORNOTIFY, SN_CONNECTION_LOST, 0);
}

int XmlRpcClientTimeout::SendHeartbeat() {
    XmlRpc::XmlRpcValue result;
    result[0] = -1;
    if (!XmlRpcClient::execute(heartbeatMethod_.c_str(), XmlRpc::XmlRpcValue(), result, heartbeatLimitSeconds_))
        return -2;
    return result.getType() == XmlRpc::XmlRpcValue::TypeArray ? 0 : -1;
}

int XmlRpcClientTimeout::SendSideHeartbeat() {
    if (!side_) {
        side_ = std::make_unique<XmlRpc::XmlRpcClient>(host_.c_str(), port_, uri_.c_str());
        // A probe that drips is no answer either.
        side_->setMinimumCallDeadline(XmlRpc::XmlRpcClient::kCallDeadlineFactor * heartbeatLimitSeconds_);
    }
    XmlRpc::XmlRpcValue result;
    result[0] = -1;
    if (!side_->execute(heartbeatMethod_.c_str(), XmlRpc::XmlRpcValue(), result, heartbeatLimitSeconds_)) return -2;
    return result.getType() == XmlRpc::XmlRpcValue::TypeArray ? 0 : -1;
}

int XmlRpcClientTimeout::Probe() {
    std::unique_lock lock(section_, std::try_to_lock);
    if (lock.owns_lock()) return retired_ || abandoned() ? kNoProbe : SendHeartbeat();
    // A call holds the connection and the sensor has said nothing for a
    // round: whether it is still there is asked beside that call.
    return abandoned() ? kNoProbe : SendSideHeartbeat();
}

void XmlRpcClientTimeout::HeartbeatThread() {
    // Not SCHED_IDLE: under load a starved probe would report a live sensor lost.
    vt::setCurrentThreadIdlePriority();
    int failures = 0;
    while (!stop_) {
        {
            std::unique_lock lock(eventMutex_);
            // The pause and the wait both end early when the thread is stopped.
            event_.wait_for(lock, kCyclePause, [this] { return stop_.load(); });
            event_.wait_for(lock, std::chrono::milliseconds(intervalMs_),
                            [this] { return signalled_ || stop_.load(); });
            signalled_ = false;
        }
        if (stop_) break;
        // The sensor answered since the last round: it is there.
        if (answered_.exchange(false)) {
            failures = 0;
            continue;
        }
        switch (Probe()) {
            case kNoProbe:
                continue;
            case -2:
                ++failures;
                break;
            case -1:
                stop_ = true;
                break;  // a reply we do not understand: end quietly
            default:
                failures = 0;
        }
        if (failures >= failureLimit_) {
            PostConnectionLost();
            stop_ = true;
            failures = 0;
        }
    }
    threadEnded_ = true;
}

void XmlRpcClientTimeout::retire() {
    std::lock_guard lock(section_);
    retired_ = true;
    close();
}

std::string XmlRpcClientTimeout::localAddress() {
    std::lock_guard lock(section_);
    return XmlRpc::XmlRpcSocket::localAddress(getfd());
}

void XmlRpcClientTimeout::close() {
    std::lock_guard lock(section_);
    std::lock_guard fd(fdMutex_);
    XmlRpcClient::close();
}

}  // namespace dravik
