// The command queue: order, one reply per post, replacement, flush, stop.
// A fake row runner stands in for the library, so these run fast and under TSan.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <random>
#include <set>
#include <thread>
#include <vector>

#include "core/command_engine.h"
#include "core/sensor_command.h"
#include "core/sensor_command_post.h"
#include "reply_queue.h"

namespace {

using namespace std::chrono_literals;

using vt::test::ReplyQueue;

// A runner that records what ran and can hold a command until released.
class FakeRunner {
public:
    void operator()(const SensorCommandRequest& r, CommandReply& reply) {
        {
            std::unique_lock lock(mutex_);
            ran_.push_back(r.id);
            running_ = r.id;
            started_.notify_all();
            released_.wait(lock, [&] { return !held_.count(r.id); });
            running_ = 0;
        }
        reply.outcome = CommandOutcome::Ran;
        reply.status = r.id == CMD_GET_STATE ? 0 : static_cast<int>(r.serial % 7) - 3;
    }
    void Hold(int id) {
        std::lock_guard lock(mutex_);
        held_.insert(id);
    }
    void Release(int id) {
        {
            std::lock_guard lock(mutex_);
            held_.erase(id);
        }
        released_.notify_all();
    }
    bool WaitRunning(int id) {
        std::unique_lock lock(mutex_);
        return started_.wait_for(lock, 5s, [&] { return running_ == id; });
    }
    std::vector<int> Ran() {
        std::lock_guard lock(mutex_);
        return ran_;
    }

private:
    std::mutex mutex_;
    std::condition_variable started_, released_;
    std::vector<int> ran_;
    int running_ = 0;
    std::set<int> held_;
};

class CommandEngineTest : public ::testing::Test {
protected:
    CommandEngineTest()
        : engine([this](CommandReply&& r) { replies.Push(std::move(r)); },
                 [this](const SensorCommandRequest& r, CommandReply& reply) { runner(r, reply); }) {
        engine.Start();
    }

    CommandReply Next() {
        CommandReply r;
        EXPECT_TRUE(replies.Take(r));
        return r;
    }

    ReplyQueue replies;
    FakeRunner runner;
    CommandEngine engine;
};

TEST_F(CommandEngineTest, PostsBeforeTheWorkerTakesThemAllRunInOrder) {
    runner.Hold(CMD_GET_CONFIG_LIST);
    engine.Post(CMD_GET_CONFIG_LIST);
    ASSERT_TRUE(runner.WaitRunning(CMD_GET_CONFIG_LIST));
    engine.Post(CMD_GET_STATE);
    engine.Post(CMD_SET_STATE, ValueArgs{4});
    runner.Release(CMD_GET_CONFIG_LIST);
    EXPECT_EQ(Next().id, CMD_GET_CONFIG_LIST);
    EXPECT_EQ(Next().id, CMD_GET_STATE);
    EXPECT_EQ(Next().id, CMD_SET_STATE);
    EXPECT_EQ(runner.Ran(), (std::vector<int>{CMD_GET_CONFIG_LIST, CMD_GET_STATE, CMD_SET_STATE}));
}

TEST_F(CommandEngineTest, IdsWithoutARowGetAnErrorReplyAndNoCall) {
    for (int id : {10079, 0, 10019, 10183, -1}) {
        uint64_t serial = engine.Post(id);
        CommandReply r = Next();
        EXPECT_EQ(r.id, id);
        EXPECT_EQ(r.serial, serial);
        EXPECT_EQ(r.outcome, CommandOutcome::NoRow);
        EXPECT_EQ(r.status, kCommandNotSupported);
    }
    EXPECT_TRUE(runner.Ran().empty());
}

TEST_F(CommandEngineTest, ARepostOfTheRunningIdRunsAgain) {
    runner.Hold(CMD_GET_STATE);
    engine.Post(CMD_GET_STATE);
    ASSERT_TRUE(runner.WaitRunning(CMD_GET_STATE));
    engine.Post(CMD_GET_STATE);
    runner.Release(CMD_GET_STATE);
    EXPECT_EQ(Next().outcome, CommandOutcome::Ran);
    EXPECT_EQ(Next().outcome, CommandOutcome::Ran);
    EXPECT_EQ(runner.Ran().size(), 2u);
}

TEST_F(CommandEngineTest, AnIdenticalFetchNotYetStartedIsReplacedAndStillReplies) {
    runner.Hold(CMD_UNLOCK_RESULT);
    engine.Post(CMD_UNLOCK_RESULT);
    ASSERT_TRUE(runner.WaitRunning(CMD_UNLOCK_RESULT));
    engine.Post(CMD_GET_RESULT_WITH_IMAGE);
    engine.Post(CMD_RESUME_POLLING);
    engine.Post(CMD_GET_RESULT_WITH_IMAGE);
    runner.Release(CMD_UNLOCK_RESULT);
    std::vector<std::pair<int, CommandOutcome>> got;
    for (int i = 0; i < 4; ++i) {
        CommandReply r = Next();
        got.emplace_back(r.id, r.outcome);
    }
    EXPECT_EQ(got, (std::vector<std::pair<int, CommandOutcome>>{
                       {CMD_UNLOCK_RESULT, CommandOutcome::Ran},
                       {CMD_GET_RESULT_WITH_IMAGE, CommandOutcome::Replaced},
                       {CMD_RESUME_POLLING, CommandOutcome::Ran},
                       {CMD_GET_RESULT_WITH_IMAGE, CommandOutcome::Ran}}));
    EXPECT_EQ(runner.Ran(),
              (std::vector<int>{CMD_UNLOCK_RESULT, CMD_RESUME_POLLING, CMD_GET_RESULT_WITH_IMAGE}));
}

TEST_F(CommandEngineTest, ADisconnectFlushesWhatWasQueuedAndWhatCameAfterIt) {
    runner.Hold(CMD_AUTO_DETECT_CODE);
    engine.Post(CMD_AUTO_DETECT_CODE);
    ASSERT_TRUE(runner.WaitRunning(CMD_AUTO_DETECT_CODE));
    uint64_t before = engine.Session();
    engine.Post(CMD_GET_CONFIG_LIST);
    runner.Hold(CMD_DISCONNECT);
    engine.Post(CMD_DISCONNECT);
    EXPECT_EQ(engine.Session(), before + 1);
    runner.Release(CMD_AUTO_DETECT_CODE);
    ASSERT_TRUE(runner.WaitRunning(CMD_DISCONNECT));
    engine.Post(CMD_GET_STATE);  // after the disconnect, before it ended
    runner.Release(CMD_DISCONNECT);

    CommandReply inFlight = Next();
    EXPECT_EQ(inFlight.id, CMD_AUTO_DETECT_CODE);
    EXPECT_EQ(inFlight.session, before);  // its late reply is told apart
    EXPECT_EQ(Next().outcome, CommandOutcome::Flushed);
    CommandReply disconnect = Next();
    EXPECT_EQ(disconnect.id, CMD_DISCONNECT);
    EXPECT_EQ(disconnect.session, before + 1);
    CommandReply after = Next();
    EXPECT_EQ(after.id, CMD_GET_STATE);
    EXPECT_EQ(after.outcome, CommandOutcome::Flushed);
    EXPECT_EQ(runner.Ran(), (std::vector<int>{CMD_AUTO_DETECT_CODE, CMD_DISCONNECT}));
}

TEST_F(CommandEngineTest, StopEndsTheCallInFlightFirstAndRefusesLaterPosts) {
    runner.Hold(CMD_GET_STATE);
    engine.Post(CMD_GET_STATE);
    ASSERT_TRUE(runner.WaitRunning(CMD_GET_STATE));
    engine.Post(CMD_GET_CONFIG_LIST);
    std::thread stopper([&] { engine.Stop(); });
    while (engine.Running()) std::this_thread::yield();
    runner.Release(CMD_GET_STATE);
    stopper.join();
    EXPECT_EQ(Next().id, CMD_GET_STATE);
    EXPECT_EQ(runner.Ran(), std::vector<int>{CMD_GET_STATE});
    engine.Post(CMD_GET_STATE);
    EXPECT_EQ(Next().outcome, CommandOutcome::NoRow);
}

// Leaving while the sensor holds a call: the stop waits only its grace, then
// interrupts the call (the program gives the connection up) and is done;
// an idle worker is never interrupted.
TEST_F(CommandEngineTest, AStopWithAGraceInterruptsACallThatOutlastsIt) {
    runner.Hold(CMD_GET_STATE);
    engine.Post(CMD_GET_STATE);
    ASSERT_TRUE(runner.WaitRunning(CMD_GET_STATE));
    engine.Post(CMD_GET_CONFIG_LIST);
    int interrupts = 0;
    engine.Stop(10ms, [&] {
        ++interrupts;
        runner.Release(CMD_GET_STATE);
    });
    EXPECT_EQ(interrupts, 1);
    EXPECT_FALSE(engine.Running());
    EXPECT_EQ(Next().id, CMD_GET_STATE);
    EXPECT_EQ(runner.Ran(), std::vector<int>{CMD_GET_STATE});

    CommandEngine idle([](CommandReply&&) {}, [](const SensorCommandRequest&, CommandReply&) {});
    idle.Start();
    idle.Stop(10s, [&] { ++interrupts; });
    EXPECT_EQ(interrupts, 1);
}

TEST_F(CommandEngineTest, APausedWorkerWaitsForTheNextPost) {
    engine.Pause();
    engine.FlushPending();
    engine.Post(CMD_GET_STATE);
    EXPECT_EQ(Next().outcome, CommandOutcome::Ran);
}

// The reset after a lost connection (session ended, queue flushed, worker
// paused) while a command waits behind the one in flight: the waiting one
// is still answered, without a call and without a later post, so nothing
// stays counted as outstanding.
TEST_F(CommandEngineTest, CommandsDroppedByTheResetReplyWhileTheWorkerIsPaused) {
    runner.Hold(CMD_GET_STATE);
    engine.Post(CMD_GET_STATE);
    ASSERT_TRUE(runner.WaitRunning(CMD_GET_STATE));
    engine.Post(CMD_GET_CONFIG_LIST);
    engine.Post(CMD_GET_RESULT_WITH_IMAGE);
    engine.Post(CMD_GET_RESULT_WITH_IMAGE);
    engine.EndSession();
    engine.FlushPending();
    engine.Pause();
    runner.Release(CMD_GET_STATE);
    std::vector<std::pair<int, CommandOutcome>> got;
    for (int i = 0; i < 4; ++i) {
        CommandReply r;
        ASSERT_TRUE(replies.Take(r)) << "reply " << i;
        got.emplace_back(r.id, r.outcome);
        if (i > 0) {
            EXPECT_EQ(r.status, kCommandNotRun);
        }
    }
    EXPECT_EQ(got, (std::vector<std::pair<int, CommandOutcome>>{
                       {CMD_GET_STATE, CommandOutcome::Ran},
                       {CMD_GET_CONFIG_LIST, CommandOutcome::Flushed},
                       {CMD_GET_RESULT_WITH_IMAGE, CommandOutcome::Replaced},
                       {CMD_GET_RESULT_WITH_IMAGE, CommandOutcome::Flushed}}));
    EXPECT_EQ(runner.Ran(), std::vector<int>{CMD_GET_STATE});
}

// The GUI thread posts a burst while handling replies that chain follow-ups,
// as the reply handler does; every post is answered once, in order, and
// nothing is outstanding at the end.
TEST(CommandEngineBurst, AThousandMixedPostsWithChainedFollowUpsEachReplyOnceInOrder) {
    ReplyQueue replies;
    std::atomic<int> calls{0};
    CommandEngine engine([&](CommandReply&& r) { replies.Push(std::move(r)); },
                         [&](const SensorCommandRequest& r, CommandReply& reply) {
                             calls.fetch_add(1, std::memory_order_relaxed);
                             reply.status = r.id == CMD_SET_STATE ? -3 : 0;
                         });
    engine.Start();

    int count = 0;
    const int* ids = AllSensorCommands(count);
    std::mt19937 random(19);
    MainDialogState state;
    std::vector<uint64_t> posted;
    auto post = [&](int id) { posted.push_back(PostSensorCommand(state, engine, id)); };

    std::size_t handled = 0;
    auto handleOne = [&] {
        CommandReply r;
        ASSERT_TRUE(replies.Take(r));
        ASSERT_LT(handled, posted.size());
        EXPECT_EQ(r.serial, posted[handled]) << "reply " << handled;
        ++handled;
        bool react = TakeSensorReply(state, engine, r);
        // Follow-ups, as the reply rows chain them.
        if (react && r.status == 0 && r.id == CMD_UNLOCK_RESULT) post(CMD_RESUME_POLLING);
        if (react && r.status == 0 && r.id == CMD_SET_CONFIG_DATA) post(CMD_GET_CONFIG_DATA);
    };

    for (int i = 0; i < 1000; ++i) {
        int pick = static_cast<int>(random() % (count + 3));
        int id = pick < count        ? ids[pick]
                 : pick == count     ? CMD_UNLOCK_RESULT
                 : pick == count + 1 ? 10079
                                     : CMD_SET_CONFIG_DATA;
        if (id == CMD_DISCONNECT || id == CMD_CONNECT)
            id = CMD_GET_RESULT_WITH_IMAGE;  // sessions are tested above
        post(id);
        if (random() % 3 == 0) handleOne();
    }
    while (handled < posted.size()) handleOne();

    CommandReply extra;
    EXPECT_FALSE(replies.Take(extra, 50ms));
    EXPECT_EQ(state.m_nOutstandingCommands, 0);
    EXPECT_GT(calls.load(), 0);
}

}  // namespace
