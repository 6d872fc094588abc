#pragma once
// The command worker: one thread that runs sensor commands in the order they
// were posted, so no call that may block (up to 72 s) runs on the GUI thread.
//
// Every post gets exactly one reply, in the order of posting: a command that
// ran replies with its row's status; one that an identical later post
// replaced before it started, or that a disconnect dropped before it
// started, replies with outcome Replaced or Flushed and makes no call; an id
// without a row replies NoRow. Replies carry the session they were posted
// in: posting CMD_DISCONNECT (or EndSession) starts a new one, so the late
// reply of a call that was in flight can be told from the new session's.
//
// Threads: Post, EndSession, FlushPending, Pause from any thread (the GUI
// thread in the program); the sink is called on the worker thread, never
// under the engine's lock. Stop (also the destructor) sets the stop flag,
// wakes the worker and joins it: a call in flight ends first; commands not
// started are dropped without a reply. Stop with a grace and an interrupt
// waits for the call in flight only that long, then interrupts it (the
// program gives the sensor's connection up) before it joins.
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

#include "core/command_records.h"

class CommandEngine {
public:
    using Runner = std::function<void(const SensorCommandRequest&, CommandReply&)>;
    using ReplySink = std::function<void(CommandReply&&)>;

    // runner: performs one command (RunCommandRow in the program).
    CommandEngine(ReplySink sink, Runner runner);
    ~CommandEngine();
    CommandEngine(const CommandEngine&) = delete;
    CommandEngine& operator=(const CommandEngine&) = delete;

    void Start();
    void Stop();
    // Waits up to `grace` for the worker to leave a call in flight; when it
    // has not, calls interrupt (which must make that call return) and joins.
    void Stop(std::chrono::milliseconds grace, const std::function<void()>& interrupt);
    bool Running() const;

    // Queues the command; returns its serial number (from 1). After Stop the
    // command is refused: the sink gets its NoRow reply at once, on the caller's thread.
    uint64_t Post(int id, CommandArgs args = {});

    uint64_t Session() const;
    // Starts a new session: replies of commands posted before carry the old number.
    void EndSession();
    // Commands not yet started reply Flushed, without a call.
    void FlushPending();
    // The worker runs no further command until the next Post (a call in flight
    // ends first); commands flushed or replaced meanwhile still reply.
    void Pause();

    // Ids that an identical later post may replace while not yet started.
    static bool IsReplaceable(int id);

private:
    struct Entry {
        SensorCommandRequest request;
        CommandOutcome outcome = CommandOutcome::Ran;  // Replaced or Flushed: reply without a call
    };

    void Loop();
    void FlushLocked();

    ReplySink sink_;
    Runner runner_;
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable finished_;  // the worker has left its loop
    std::deque<Entry> queue_;
    uint64_t session_ = 1;
    uint64_t serial_ = 0;
    bool stopping_ = false;
    bool paused_ = false;
    bool started_ = false;
    bool running_ = false;  // the worker is inside its loop
    std::thread thread_;
};
