// The thread that asks the sensor for new reading results while a test or
// monitor mode runs, tells the program by a posted event, and then waits
// until it is resumed.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

#include "platform/resume_gate.h"
#include "platform/window_target.h"
#include "xmlrpc/XmlRpcValue.h"

namespace dravik {

class CResultPollingThread {
public:
    // One "xmlPollResults" exchange into reply (which holds the preset);
    // true when a well-formed reply came back.
    using PollCall = std::function<bool(XmlRpc::XmlRpcValue& reply)>;
    // on: ends a PollCall in progress on the given thread and refuses its
    // later ones (a stop must not wait for a held poll); off: lifts that
    // once the thread has ended.
    using InterruptCall = std::function<void(std::thread::id poller, bool on)>;
    // Whether someone else waits for the connection; the poller lets them go first.
    using OthersWaiting = std::function<bool()>;

    struct Timing {
        std::chrono::milliseconds firstBackOff{100};
        std::chrono::milliseconds longestBackOff{2000};
        // Polls in a row that could not be sent before the connection counts as lost.
        int sendFailureLimit = 5;
        // After a "no result" answer: short, so that results still come at
        // once, but a sensor that answers at once does not spin the thread.
        std::chrono::milliseconds noResultPause{20};
    };

    CResultPollingThread(VtWindow window, PollCall poll, InterruptCall interrupt, OthersWaiting othersWaiting,
                         Timing timing);
    CResultPollingThread(VtWindow window, PollCall poll, InterruptCall interrupt, OthersWaiting othersWaiting);
    // Stops and joins.
    ~CResultPollingThread();
    CResultPollingThread(const CResultPollingThread&) = delete;
    CResultPollingThread& operator=(const CResultPollingThread&) = delete;

    // False when the thread could not be created.
    bool Start();
    // Clears the run flag, wakes the thread wherever it waits, ends a poll in
    // flight and joins. Idempotent. Not from the polling thread itself.
    void Stop();
    // Lets a thread that paused after an event poll again. A resume between
    // the event and the pause is kept for it; one at any other time (while
    // the thread polls) has no effect.
    void Resume();

    // True once the thread has left its loop (stopped, or ended by itself).
    bool ended() const { return ended_.load(); }
    // 0 after a stop; 11 when a poll went unanswered.
    int exitCode() const { return exitCode_.load(); }

private:
    void Run();
    // Sleeps, but returns false at once when the thread is stopped.
    bool WaitUnlessStopped(std::chrono::milliseconds duration);

    const VtWindow window_;
    const PollCall poll_;
    const InterruptCall interrupt_;
    const OthersWaiting othersWaiting_;
    const Timing timing_;

    std::atomic<bool> run_{false};
    std::atomic<bool> ended_{false};
    std::atomic<int> exitCode_{0};
    vt::ResumeGate gate_;
    std::mutex armMutex_;
    bool armed_ = false;  // an event is posted and its resume not yet given
    std::mutex stopMutex_;
    std::condition_variable stopWake_;
    std::mutex threadMutex_;  // Start and Stop one at a time
    std::thread thread_;
};

}  // namespace dravik
