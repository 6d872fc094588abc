// Replies of the command engine as the GUI thread receives them: queued by
// the worker, taken one by one.
#pragma once

#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>

#include "core/command_records.h"

namespace vt::test {

class ReplyQueue {
public:
    void Push(CommandReply&& r) {
        {
            std::lock_guard lock(mutex_);
            replies_.push_back(std::move(r));
        }
        arrived_.notify_all();
    }
    bool Take(CommandReply& out, std::chrono::milliseconds timeout = std::chrono::seconds(10)) {
        std::unique_lock lock(mutex_);
        if (!arrived_.wait_for(lock, timeout, [&] { return !replies_.empty(); })) return false;
        out = std::move(replies_.front());
        replies_.pop_front();
        return true;
    }

private:
    std::mutex mutex_;
    std::condition_variable arrived_;
    std::deque<CommandReply> replies_;
};

}  // namespace vt::test
