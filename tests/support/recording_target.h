// A window target for tests: records every message posted to it and lets a
// test wait for messages with a bound.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <vector>

#include "platform/window_target.h"

namespace vt::test {

struct RecordedMessage {
    unsigned message = 0;
    uintptr_t wParam = 0;
    intptr_t lParam = 0;
    VtPayloadDeleter deleter = nullptr;
};

class RecordingTarget {
public:
    RecordingTarget() { vt_target_init(&target_, &RecordingTarget::onPost, this); }
    ~RecordingTarget() {
        close();
        for (auto& m : messages_)
            if (m.deleter != nullptr) m.deleter(reinterpret_cast<void*>(m.lParam));
    }
    RecordingTarget(const RecordingTarget&) = delete;
    RecordingTarget& operator=(const RecordingTarget&) = delete;

    VtWindow window() { return &target_; }
    void close() { vt_target_close(&target_); }

    std::vector<RecordedMessage> messages() const {
        std::lock_guard lock(mutex_);
        return messages_;
    }
    std::size_t count() const {
        std::lock_guard lock(mutex_);
        return messages_.size();
    }

    // Waits until pred holds for the messages so far, or the timeout passes.
    bool waitFor(const std::function<bool(const std::vector<RecordedMessage>&)>& pred,
                 std::chrono::milliseconds timeout) {
        std::unique_lock lock(mutex_);
        return arrived_.wait_for(lock, timeout, [&] { return pred(messages_); });
    }
    bool waitForCount(std::size_t n, std::chrono::milliseconds timeout) {
        return waitFor([n](const auto& m) { return m.size() >= n; }, timeout);
    }

private:
    static void onPost(void* context, unsigned message, uintptr_t wParam, intptr_t lParam,
                       VtPayloadDeleter deleter) {
        auto* self = static_cast<RecordingTarget*>(context);
        {
            std::lock_guard lock(self->mutex_);
            self->messages_.push_back({message, wParam, lParam, deleter});
        }
        self->arrived_.notify_all();
    }

    VtWindowTarget target_{};
    mutable std::mutex mutex_;
    std::condition_variable arrived_;
    std::vector<RecordedMessage> messages_;
};

}  // namespace vt::test
