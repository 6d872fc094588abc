// Stands in for suspending and resuming a thread: the thread parks itself in
// pause() and another thread lets it go with resume().
//
// The gate keeps one pending resume: a resume that arrives before the pause
// is not lost, and several resumes before a pause release only one pause.
// stop() releases every current and future pause for good.
#pragma once

#include <condition_variable>
#include <mutex>

namespace vt {

class ResumeGate {
public:
    // Blocks until a resume is pending (and consumes it) or the gate is stopped.
    // Returns false when the gate was stopped.
    bool pause() {
        std::unique_lock lock(mutex_);
        wake_.wait(lock, [this] { return pending_ || stopped_; });
        if (stopped_) return false;
        pending_ = false;
        return true;
    }

    // As pause(), but gives up after timeout; returns false on stop or timeout.
    template <class Duration>
    bool pauseFor(Duration timeout) {
        std::unique_lock lock(mutex_);
        if (!wake_.wait_for(lock, timeout, [this] { return pending_ || stopped_; })) return false;
        if (stopped_) return false;
        pending_ = false;
        return true;
    }

    void resume() {
        {
            std::lock_guard lock(mutex_);
            pending_ = true;
        }
        wake_.notify_all();
    }

    void stop() {
        {
            std::lock_guard lock(mutex_);
            stopped_ = true;
        }
        wake_.notify_all();
    }

    bool stopped() const {
        std::lock_guard lock(mutex_);
        return stopped_;
    }

    // Makes a stopped gate usable again, with no pending resume.
    void reset() {
        std::lock_guard lock(mutex_);
        stopped_ = false;
        pending_ = false;
    }

private:
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    bool pending_ = false;
    bool stopped_ = false;
};

}  // namespace vt
