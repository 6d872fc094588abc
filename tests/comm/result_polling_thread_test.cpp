// The polling thread on its own, fed by a scripted poll: what each reply
// makes it do, that it waits after an event until resumed (an early resume
// included), that failures back off, and that a stop ends a held poll.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

#include "dravik/dravik.h"
#include "poll_reply.h"
#include "recording_target.h"
#include "xmlrpc/array_of.h"
#include "result_polling_thread.h"

using namespace std::chrono_literals;
using dravik::CResultPollingThread;
using dravik::PollStep;
using vt::test::arrayOf;
using XmlRpc::XmlRpcValue;

namespace {

struct ReplyCase {
    const char* name;
    bool sent;
    XmlRpcValue value;
    PollStep::Action action;
    unsigned wParam;
};

class PollReplyTable : public ::testing::TestWithParam<ReplyCase> {};

TEST_P(PollReplyTable, GivesItsEventOrBackOff) {
    const ReplyCase& c = GetParam();
    const PollStep step = dravik::ClassifyPollReply(c.sent, c.value);
    EXPECT_EQ(step.action, c.action);
    EXPECT_EQ(step.wParam, c.wParam);
}

using A = PollStep::Action;
INSTANTIATE_TEST_SUITE_P(
    Replies, PollReplyTable,
    ::testing::Values(ReplyCase{"kind1", true, arrayOf({0, 1}), A::Notify, SN_POLL_RESULT_1},
                      ReplyCase{"kind2", true, arrayOf({0, 2}), A::Notify, SN_POLL_RESULT_2},
                      ReplyCase{"kind3", true, arrayOf({0, 3}), A::Notify, SN_POLL_RESULT_3},
                      ReplyCase{"nothingNew", true, arrayOf({0, 0}), A::PollAgain, 0},
                      ReplyCase{"unknownKind", true, arrayOf({0, 7}), A::Notify, SN_CONNECTION_LOST},
                      ReplyCase{"negativeKind", true, arrayOf({0, -1}), A::Notify, SN_CONNECTION_LOST},
                      ReplyCase{"noResultStatus", true, arrayOf({-7050, 1}), A::NoResult, 0},
                      ReplyCase{"noResultFirst", true, arrayOf({-7099, 0}), A::NoResult, 0},
                      ReplyCase{"noResultLast", true, arrayOf({-7001, 0}), A::NoResult, 0},
                      ReplyCase{"justAboveNoResult", true, arrayOf({-7000, 1}), A::BackOff, 0},
                      ReplyCase{"justBelowNoResult", true, arrayOf({-7100, 1}), A::BackOff, 0},
                      ReplyCase{"sensorError", true, arrayOf({-120, 2}), A::BackOff, 0},
                      ReplyCase{"statusOnly", true, arrayOf({0}), A::BackOff, 0},
                      ReplyCase{"kindIsText", true, arrayOf({0, "2"}), A::BackOff, 0},
                      ReplyCase{"statusIsText", true, arrayOf({"0", 2}), A::BackOff, 0},
                      ReplyCase{"notAnArray", true, XmlRpcValue(2), A::BackOff, 0},
                      ReplyCase{"emptyArray", true, arrayOf({}), A::End, 0},
                      ReplyCase{"noReply", true, XmlRpcValue(), A::End, 0},
                      ReplyCase{"notSent", false, dravik::PollPreset(), A::SendFailed, 0}),
    [](const auto& info) { return std::string(info.param.name); });

// A sensor whose poll replies come from a queue; an empty queue holds the
// poll until a reply is queued or the call is interrupted.
class ScriptedSensor {
public:
    void push(XmlRpcValue value, bool ok = true) {
        {
            std::lock_guard lock(mutex_);
            replies_.push_back({std::move(value), ok});
        }
        changed_.notify_all();
    }

    bool poll(XmlRpcValue& out) {
        std::unique_lock lock(mutex_);
        ++polls_;
        changed_.notify_all();
        changed_.wait(lock, [this] { return !replies_.empty() || interrupted_; });
        if (interrupted_) {
            interrupted_ = false;
            out = XmlRpcValue();
            return false;
        }
        auto [value, ok] = std::move(replies_.front());
        replies_.pop_front();
        out = std::move(value);
        return ok;
    }

    void interrupt() {
        {
            std::lock_guard lock(mutex_);
            interrupted_ = true;
        }
        changed_.notify_all();
    }

    int polls() const {
        std::lock_guard lock(mutex_);
        return polls_;
    }
    bool waitForPolls(int n) {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, 20s, [&] { return polls_ >= n; });
    }

private:
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::pair<XmlRpcValue, bool>> replies_;
    bool interrupted_ = false;
    int polls_ = 0;
};

CResultPollingThread::Timing quickTiming() {
    CResultPollingThread::Timing timing;
    timing.firstBackOff = 1ms;
    timing.longestBackOff = 4ms;
    timing.sendFailureLimit = 3;
    return timing;
}

class PollingThreadTest : public ::testing::Test {
protected:
    // Declared before the thread, which uses them until it is joined.
    vt::test::RecordingTarget window;
    ScriptedSensor sensor;
    CResultPollingThread thread{window.window(), [this](XmlRpcValue& r) { return sensor.poll(r); },
                                [this](std::thread::id, bool on) {
                                    if (on) sensor.interrupt();
                                }, nullptr, quickTiming()};

    std::size_t events(unsigned wParam) const {
        std::size_t n = 0;
        for (const auto& m : window.messages()) n += (m.message == WM_SENSORNOTIFY && m.wParam == wParam) ? 1 : 0;
        return n;
    }
};

TEST_F(PollingThreadTest, AnEventIsPostedOnceAndTheThreadWaitsUntilResumed) {
    ASSERT_TRUE(thread.Start());
    sensor.push(arrayOf({0, 2}));
    ASSERT_TRUE(window.waitForCount(1, 20s));
    EXPECT_EQ(events(SN_POLL_RESULT_2), 1u);
    // Paused: the next reply stays unasked.
    sensor.push(arrayOf({0, 3}));
    std::this_thread::sleep_for(100ms);
    EXPECT_EQ(sensor.polls(), 1);
    EXPECT_EQ(window.count(), 1u);

    thread.Resume();
    ASSERT_TRUE(window.waitForCount(2, 20s));
    EXPECT_EQ(events(SN_POLL_RESULT_3), 1u);
    thread.Stop();
    EXPECT_TRUE(thread.ended());
    EXPECT_EQ(thread.exitCode(), COMM_OK);
}

// The getters' "no result" paths and the commands that release a result
// resume whenever they run; only the resume that answers an event counts.
TEST_F(PollingThreadTest, AResumeWhileThePollIsHeldHasNoEffect) {
    ASSERT_TRUE(thread.Start());
    ASSERT_TRUE(sensor.waitForPolls(1));  // held: nothing queued
    thread.Resume();
    sensor.push(arrayOf({0, 2}));
    ASSERT_TRUE(window.waitForCount(1, 20s));
    sensor.push(arrayOf({0, 3}));
    std::this_thread::sleep_for(100ms);
    EXPECT_EQ(sensor.polls(), 1);
    EXPECT_EQ(window.count(), 1u);

    thread.Resume();  // the event's own resume
    ASSERT_TRUE(window.waitForCount(2, 20s));
    EXPECT_EQ(events(SN_POLL_RESULT_3), 1u);
}

TEST_F(PollingThreadTest, AnUnknownKindIsReportedAsConnectionLost) {
    ASSERT_TRUE(thread.Start());
    sensor.push(arrayOf({0, 7}));
    ASSERT_TRUE(window.waitForCount(1, 20s));
    EXPECT_EQ(events(SN_CONNECTION_LOST), 1u);
}

TEST_F(PollingThreadTest, NothingNewAndRefusalsPostNothingAndPollAgain) {
    ASSERT_TRUE(thread.Start());
    sensor.push(arrayOf({0, 0}));
    sensor.push(arrayOf({-7050, 1}));
    sensor.push(arrayOf({0, "x"}));
    sensor.push(arrayOf({0, 1}));
    ASSERT_TRUE(window.waitForCount(1, 20s));
    EXPECT_EQ(events(SN_POLL_RESULT_1), 1u);
    EXPECT_EQ(sensor.polls(), 4);
}

// A sensor that says "no result" at once is asked again soon, not after a
// growing back-off; a refusal still backs off.
TEST(PollingThreadTiming, NoResultAnswersPollAgainSoonButRefusalsBackOff) {
    CResultPollingThread::Timing timing;
    timing.firstBackOff = 30s;
    timing.longestBackOff = 30s;
    timing.noResultPause = 1ms;
    vt::test::RecordingTarget window;
    ScriptedSensor sensor;
    CResultPollingThread thread{window.window(), [&](XmlRpcValue& r) { return sensor.poll(r); },
                                [&](std::thread::id, bool on) {
                                    if (on) sensor.interrupt();
                                }, nullptr, timing};
    ASSERT_TRUE(thread.Start());
    for (int i = 0; i < 5; ++i) sensor.push(arrayOf({-7001 - i * 20, 0}));
    sensor.push(arrayOf({0, 1}));
    ASSERT_TRUE(window.waitForCount(1, 10s));
    EXPECT_EQ(sensor.polls(), 6);

    thread.Resume();
    sensor.push(arrayOf({-120, 0}));
    sensor.push(arrayOf({0, 2}));
    ASSERT_TRUE(sensor.waitForPolls(7));
    std::this_thread::sleep_for(100ms);
    EXPECT_EQ(sensor.polls(), 7);  // still waiting out the back-off
    EXPECT_EQ(window.count(), 1u);
    thread.Stop();  // ends the back-off at once
    EXPECT_TRUE(thread.ended());
}

TEST_F(PollingThreadTest, AnUnansweredPollEndsTheThreadQuietlyWithNoReply) {
    ASSERT_TRUE(thread.Start());
    sensor.push(XmlRpcValue(), false);
    for (int i = 0; i < 2000 && !thread.ended(); ++i) std::this_thread::sleep_for(10ms);
    ASSERT_TRUE(thread.ended());
    EXPECT_EQ(thread.exitCode(), COMM_NO_REPLY);
    EXPECT_EQ(window.count(), 0u);
    EXPECT_EQ(sensor.polls(), 1);
}

TEST_F(PollingThreadTest, PollsThatCannotBeSentBackOffAndThenReportALostConnection) {
    ASSERT_TRUE(thread.Start());
    for (int i = 0; i < 3; ++i) sensor.push(dravik::PollPreset(), false);
    ASSERT_TRUE(window.waitForCount(1, 20s));
    EXPECT_EQ(events(SN_CONNECTION_LOST), 1u);
    for (int i = 0; i < 2000 && !thread.ended(); ++i) std::this_thread::sleep_for(10ms);
    EXPECT_TRUE(thread.ended());
    EXPECT_EQ(sensor.polls(), 3);
}

TEST_F(PollingThreadTest, ASuccessfulPollClearsTheFailureCount) {
    ASSERT_TRUE(thread.Start());
    for (int round = 0; round < 3; ++round) {
        sensor.push(dravik::PollPreset(), false);
        sensor.push(dravik::PollPreset(), false);
        sensor.push(arrayOf({0, 0}));
    }
    sensor.push(arrayOf({0, 2}));
    ASSERT_TRUE(window.waitForCount(1, 20s));
    EXPECT_EQ(events(SN_POLL_RESULT_2), 1u);
    EXPECT_EQ(events(SN_CONNECTION_LOST), 0u);
}

TEST_F(PollingThreadTest, StopEndsAHeldPollAndJoins) {
    ASSERT_TRUE(thread.Start());
    ASSERT_TRUE(sensor.waitForPolls(1));  // held: nothing queued
    thread.Stop();
    EXPECT_TRUE(thread.ended());
    EXPECT_EQ(window.count(), 0u);
}

TEST_F(PollingThreadTest, StopWakesAThreadThatWaitsForAResume) {
    ASSERT_TRUE(thread.Start());
    sensor.push(arrayOf({0, 1}));
    ASSERT_TRUE(window.waitForCount(1, 20s));
    thread.Stop();
    EXPECT_TRUE(thread.ended());
    EXPECT_EQ(sensor.polls(), 1);
}

// The program resumes as soon as it has the event, often before the thread
// has paused: that resume must not be lost.
TEST(PollingThreadRace, AResumeRightAfterTheEventIsNeverLost) {
    constexpr int kCycles = 10000;
    std::atomic<int> polls{0};
    std::mutex mutex;
    std::condition_variable posted;
    int events = 0;
    VtWindowTarget target{};
    struct Context {
        std::mutex* mutex;
        std::condition_variable* posted;
        int* events;
    } context{&mutex, &posted, &events};
    vt_target_init(
        &target,
        [](void* c, unsigned, uintptr_t, intptr_t, VtPayloadDeleter) {
            auto* ctx = static_cast<Context*>(c);
            {
                std::lock_guard lock(*ctx->mutex);
                ++*ctx->events;
            }
            ctx->posted->notify_all();
        },
        &context);
    CResultPollingThread thread(
        &target,
        [&](XmlRpcValue& r) {
            ++polls;
            r = arrayOf({0, 2});
            return true;
        },
        nullptr, nullptr, quickTiming());
    ASSERT_TRUE(thread.Start());
    for (int cycle = 1; cycle <= kCycles; ++cycle) {
        std::unique_lock lock(mutex);
        ASSERT_TRUE(posted.wait_for(lock, 20s, [&] { return events >= cycle; })) << "stalled at cycle " << cycle;
        lock.unlock();
        thread.Resume();
    }
    thread.Stop();
    vt_target_close(&target);
    EXPECT_GE(events, kCycles);
    EXPECT_LE(events, kCycles + 1);
}

}  // namespace
