#include "core/command_engine.h"

#include "core/sensor_command.h"

CommandEngine::CommandEngine(ReplySink sink, Runner runner)
    : sink_(std::move(sink)), runner_(std::move(runner)) {}

CommandEngine::~CommandEngine() {
    Stop();
}

void CommandEngine::Start() {
    std::lock_guard lock(mutex_);
    if (started_) return;
    started_ = true;
    stopping_ = false;
    running_ = true;
    thread_ = std::thread([this] {
        Loop();
        std::lock_guard done(mutex_);
        running_ = false;
        finished_.notify_all();
    });
}

void CommandEngine::Stop() {
    Stop(std::chrono::milliseconds::max(), {});
}

void CommandEngine::Stop(std::chrono::milliseconds grace, const std::function<void()>& interrupt) {
    bool left = true;
    {
        std::unique_lock lock(mutex_);
        stopping_ = true;
        wake_.notify_all();
        if (interrupt) left = finished_.wait_for(lock, grace, [this] { return !running_; });
    }
    if (!left) interrupt();
    if (thread_.joinable()) thread_.join();
    std::lock_guard lock(mutex_);
    queue_.clear();
}

bool CommandEngine::Running() const {
    std::lock_guard lock(mutex_);
    return started_ && !stopping_;
}

bool CommandEngine::IsReplaceable(int id) {
    // Fetches without arguments that events post; running the newest is enough.
    return id == CMD_GET_RESULT_WITH_IMAGE || id == CMD_GET_TEST_TRIGGER_RESULTS || id == CMD_GET_STATISTICS;
}

uint64_t CommandEngine::Post(int id, CommandArgs args) {
    std::unique_lock lock(mutex_);
    uint64_t serial = ++serial_;
    if (stopping_ || !started_) {
        CommandReply reply;
        reply.id = id;
        reply.status = kCommandNotSupported;
        reply.outcome = CommandOutcome::NoRow;
        reply.session = session_;
        reply.serial = serial;
        lock.unlock();
        sink_(std::move(reply));
        return serial;
    }
    if (id == CMD_DISCONNECT) {
        // Nothing queued before a disconnect is still wanted; the call in flight
        // ends by its own limit and its reply belongs to the ended session.
        FlushLocked();
        ++session_;
    } else if (IsReplaceable(id)) {
        for (Entry& e : queue_)
            if (e.request.id == id && e.outcome == CommandOutcome::Ran) e.outcome = CommandOutcome::Replaced;
    }
    Entry entry;
    entry.request.id = id;
    entry.request.args = std::move(args);
    entry.request.session = session_;
    entry.request.serial = serial;
    queue_.push_back(std::move(entry));
    paused_ = false;
    lock.unlock();
    wake_.notify_one();
    return serial;
}

uint64_t CommandEngine::Session() const {
    std::lock_guard lock(mutex_);
    return session_;
}

void CommandEngine::EndSession() {
    std::lock_guard lock(mutex_);
    ++session_;
}

void CommandEngine::FlushPending() {
    {
        std::lock_guard lock(mutex_);
        FlushLocked();
    }
    // A paused worker still answers what was dropped.
    wake_.notify_one();
}

void CommandEngine::FlushLocked() {
    for (Entry& e : queue_)
        if (e.outcome == CommandOutcome::Ran) e.outcome = CommandOutcome::Flushed;
}

void CommandEngine::Pause() {
    std::lock_guard lock(mutex_);
    paused_ = true;
}

void CommandEngine::Loop() {
    for (;;) {
        Entry entry;
        {
            std::unique_lock lock(mutex_);
            // Paused, it still answers the commands dropped unrun: each post has its reply.
            wake_.wait(lock, [this] {
                return stopping_ ||
                       (!queue_.empty() && (!paused_ || queue_.front().outcome != CommandOutcome::Ran));
            });
            if (stopping_) return;
            entry = std::move(queue_.front());
            queue_.pop_front();
        }
        CommandReply reply;
        reply.id = entry.request.id;
        reply.session = entry.request.session;
        reply.serial = entry.request.serial;
        if (entry.outcome != CommandOutcome::Ran) {
            reply.outcome = entry.outcome;
            reply.status = kCommandNotRun;
        } else if (!HasCommandRow(entry.request.id)) {
            reply.outcome = CommandOutcome::NoRow;
            reply.status = kCommandNotSupported;
        } else {
            runner_(entry.request, reply);
            if (entry.request.id == CMD_DISCONNECT) FlushPending();
        }
        sink_(std::move(reply));
    }
}
