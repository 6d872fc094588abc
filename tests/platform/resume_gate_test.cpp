#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

#include "platform/resume_gate.h"

namespace {

using namespace std::chrono_literals;

// An order of operations on one gate, and how many pauses must pass at once.
struct GateCase {
    const char* name;
    std::string steps;  // 'r' resume, 'p' a pause that must pass, 'b' a pause that must block
};

class ResumeGateOrders : public ::testing::TestWithParam<GateCase> {};

TEST_P(ResumeGateOrders, KeepsExactlyOnePendingResume) {
    vt::ResumeGate gate;
    for (char step : GetParam().steps) {
        if (step == 'r') gate.resume();
        if (step == 'p') {
            EXPECT_TRUE(gate.pauseFor(1s)) << "a pause that should pass blocked";
        }
        if (step == 'b') {
            EXPECT_FALSE(gate.pauseFor(30ms)) << "a pause that should block passed";
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Orders, ResumeGateOrders,
                         ::testing::Values(GateCase{"ResumeThenPause", "rp"},
                                           GateCase{"PauseWithoutResume", "b"},
                                           GateCase{"TwoResumesThenTwoPauses", "rrpb"},
                                           GateCase{"AlternatingKeepsStep", "rprprpb"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ResumeGate, PauseThenResumeFromAnotherThread) {
    vt::ResumeGate gate;
    std::thread resumer([&] {
        std::this_thread::sleep_for(20ms);
        gate.resume();
    });
    EXPECT_TRUE(gate.pauseFor(5s));
    resumer.join();
    EXPECT_FALSE(gate.pauseFor(20ms)) << "the consumed resume must not pass a second pause";
}

TEST(ResumeGate, StopReleasesAWaiterForGood) {
    vt::ResumeGate gate;
    std::thread waiter([&] { EXPECT_FALSE(gate.pause()); });
    std::this_thread::sleep_for(20ms);
    gate.stop();
    waiter.join();
    gate.resume();
    EXPECT_FALSE(gate.pause()) << "a stopped gate stays open and reports the stop";
    gate.reset();
    EXPECT_FALSE(gate.pauseFor(20ms));
}

TEST(ResumeGate, ResumeRightAfterHandOffIsNeverLost) {
    // The polling thread's road: post an event, then pause; the other side
    // resumes as soon as it sees the event, often before the pause.
    vt::ResumeGate gate, posted;
    constexpr int kCycles = 2000;
    std::thread worker([&] {
        for (int i = 0; i < kCycles; ++i) {
            posted.resume();
            ASSERT_TRUE(gate.pauseFor(5s)) << "cycle " << i << " lost its resume";
        }
    });
    for (int i = 0; i < kCycles; ++i) {
        ASSERT_TRUE(posted.pauseFor(5s));
        gate.resume();
    }
    worker.join();
}

}  // namespace
