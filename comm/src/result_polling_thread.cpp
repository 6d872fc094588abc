#include "result_polling_thread.h"

#include <algorithm>
#include <system_error>

#include "dravik/dravik.h"
#include "platform/thread_priority.h"
#include "poll_reply.h"

namespace dravik {

namespace {

// A well-formed reply, or the preset the call left untouched: the request never went out.
bool wasSent(bool ok, const XmlRpc::XmlRpcValue& reply) {
    if (ok) return true;
    using XmlRpc::XmlRpcValue;
    if (reply.getType() != XmlRpcValue::TypeArray || reply.size() != 2) return true;
    const XmlRpcValue& status = reply.asArray()[0];
    return !(status.getType() == XmlRpcValue::TypeInt && status.asInt() == COMM_FAILED);
}

// While another thread waits for the connection, give it the turn.
constexpr auto kYieldPause = std::chrono::milliseconds(1);

}  // namespace

CResultPollingThread::CResultPollingThread(VtWindow window, PollCall poll, InterruptCall interrupt,
                                           OthersWaiting othersWaiting, Timing timing)
    : window_(window),
      poll_(std::move(poll)),
      interrupt_(std::move(interrupt)),
      othersWaiting_(std::move(othersWaiting)),
      timing_(timing) {}

CResultPollingThread::CResultPollingThread(VtWindow window, PollCall poll, InterruptCall interrupt,
                                           OthersWaiting othersWaiting)
    : CResultPollingThread(window, std::move(poll), std::move(interrupt), std::move(othersWaiting), Timing{}) {}

CResultPollingThread::~CResultPollingThread() { Stop(); }

bool CResultPollingThread::Start() {
    std::lock_guard lock(threadMutex_);
    if (thread_.joinable()) {
        if (!ended_) return true;
        thread_.join();  // it ended by itself
    }
    run_ = true;
    ended_ = false;
    exitCode_ = 0;
    gate_.reset();
    {
        std::lock_guard arm(armMutex_);
        armed_ = false;
    }
    try {
        thread_ = std::thread([this] { Run(); });
    } catch (const std::system_error&) {
        run_ = false;
        ended_ = true;
        return false;
    }
    return true;
}

void CResultPollingThread::Stop() {
    std::lock_guard lock(threadMutex_);
    if (!thread_.joinable()) return;
    {
        std::lock_guard stop(stopMutex_);
        run_ = false;
    }
    stopWake_.notify_all();
    gate_.stop();
    const std::thread::id poller = thread_.get_id();
    if (interrupt_) interrupt_(poller, true);
    thread_.join();
    if (interrupt_) interrupt_(poller, false);
}

void CResultPollingThread::Resume() {
    std::lock_guard arm(armMutex_);
    if (!armed_) return;
    armed_ = false;
    gate_.resume();
}

bool CResultPollingThread::WaitUnlessStopped(std::chrono::milliseconds duration) {
    std::unique_lock lock(stopMutex_);
    return !stopWake_.wait_for(lock, duration, [this] { return !run_.load(); });
}

void CResultPollingThread::Run() {
    vt::setCurrentThreadIdlePriority();
    auto backOff = timing_.firstBackOff;
    int sendFailures = 0;
    while (run_) {
        while (othersWaiting_ && othersWaiting_() && run_) WaitUnlessStopped(kYieldPause);
        if (!run_) break;

        XmlRpc::XmlRpcValue reply = PollPreset();
        const bool ok = poll_(reply);
        if (!run_) break;  // a stop may have cut the call short

        const PollStep step = ClassifyPollReply(wasSent(ok, reply), reply);
        if (step.action != PollStep::Action::SendFailed) sendFailures = 0;
        if (step.action != PollStep::Action::BackOff && step.action != PollStep::Action::SendFailed)
            backOff = timing_.firstBackOff;
        switch (step.action) {
            case PollStep::Action::PollAgain:
                break;
            case PollStep::Action::NoResult:
                WaitUnlessStopped(timing_.noResultPause);
                break;
            case PollStep::Action::Notify:
                {
                    // Armed before the post: the program may resume before we pause.
                    std::lock_guard arm(armMutex_);
                    armed_ = true;
                }
                vt_post_message(window_, WM_SENSORNOTIFY, step.wParam, 0);
                // Returns false only when stopped; the loop test then ends the thread.
                gate_.pause();
                break;
            case PollStep::Action::End:
                exitCode_ = COMM_NO_REPLY;
                run_ = false;
                break;
            case PollStep::Action::SendFailed:
                if (++sendFailures >= timing_.sendFailureLimit) {
                    vt_post_message(window_, WM_SENSORNOTIFY, SN_CONNECTION_LOST, 0);
                    exitCode_ = COMM_NO_REPLY;
                    run_ = false;
                    break;
                }
                [[fallthrough]];
            case PollStep::Action::BackOff:
                WaitUnlessStopped(backOff);
                backOff = std::min(backOff * 2, timing_.longestBackOff);
                break;
        }
    }
    ended_ = true;
}

}  // namespace dravik
