// Result polling over the wire: events for the simulator's readings, the
// unlock's statuses, and a session that ends while a poll is held open.
#include <chrono>
#include <memory>

#include "dravik/results.h"
#include "dravik/sensor_commands.h"
#include "readings_fixture.h"
#include "result_polling.h"
#include "sim/reply_script.h"

using namespace std::chrono_literals;
using vt::sim::ScriptedReply;

namespace {

class ResultPolling : public vt::test::ReadingsFixture {
protected:
    void SetUp() override {
        ReadingsFixture::SetUp();
        ASSERT_EQ(connect("k", window.window()), COMM_OK);
    }
    int startPolling() {
        return dravik::StartPollingThread(dravik::libraryState(), dravik::leaseConnection());
    }
    std::shared_ptr<dravik::CResultPollingThread> poller() {
        std::lock_guard lock(dravik::libraryState().mutex);
        return dravik::libraryState().polling;
    }
    std::size_t events(unsigned wParam) const {
        std::size_t n = 0;
        for (const auto& m : window.messages()) n += m.wParam == wParam ? 1 : 0;
        return n;
    }
};

TEST_F(ResultPolling, EachReadingGivesOneEventAndTheNextOneFollowsTheResume) {
    model.setState(7);
    ASSERT_EQ(startPolling(), COMM_OK);
    ASSERT_TRUE(readings.takeReading());
    ASSERT_TRUE(window.waitForCount(1, 20s));
    EXPECT_EQ(events(SN_POLL_RESULT_2), 1u);

    ASSERT_TRUE(readings.takeReading());  // taken while the thread waits for its resume
    EXPECT_EQ(ResumePollingThread(), COMM_OK);
    ASSERT_TRUE(window.waitForCount(2, 20s));
    EXPECT_EQ(events(SN_POLL_RESULT_2), 2u);
}

TEST_F(ResultPolling, TheStateGivesTheKindOfEvent) {
    const std::pair<int, unsigned> kinds[] = {{6, SN_POLL_RESULT_1}, {7, SN_POLL_RESULT_2}, {2, SN_POLL_RESULT_3}};
    ASSERT_EQ(startPolling(), COMM_OK);
    std::size_t seen = 0;
    for (const auto& [state, wParam] : kinds) {
        model.setState(state);
        ASSERT_TRUE(readings.takeReading());
        ASSERT_TRUE(window.waitForCount(++seen, 20s));
        EXPECT_EQ(window.messages().back().wParam, wParam) << "state " << state;
        ResumePollingThread();
    }
    model.setState(4);
    EXPECT_FALSE(readings.takeReading());  // no readings in the configuration state
}

// A test left and begun again at once while the last poll is still held on
// the sensor: the reading of the new test goes to the new poller, not to the
// poll the old one left behind.
TEST_F(ResultPolling, ATestBegunAgainReportsItsReadingToTheNewPoller) {
    ASSERT_EQ(TestConfig(1), COMM_OK);
    ASSERT_TRUE(server.waitForCalls("xmlPollResults", 1, 10s));
    ASSERT_EQ(TestConfig(0), COMM_OK);
    ASSERT_EQ(TestConfig(1), COMM_OK);
    ASSERT_EQ(SimulateTrigger(), COMM_OK);
    ASSERT_TRUE(window.waitForCount(1, 20s));
    EXPECT_EQ(events(SN_POLL_RESULT_2), 1u);
}

TEST_F(ResultPolling, ResumeWithoutAPollingThreadIsRefused) {
    EXPECT_EQ(ResumePollingThread(), COMM_NO_POLLING_THREAD);
    ASSERT_EQ(startPolling(), COMM_OK);
    EXPECT_EQ(ResumePollingThread(), COMM_OK);
    dravik::StopPollingThread(dravik::libraryState());
    EXPECT_EQ(ResumePollingThread(), COMM_NO_POLLING_THREAD);
}

TEST_F(ResultPolling, ASecondStartReplacesTheFirstThread) {
    ASSERT_EQ(startPolling(), COMM_OK);
    const auto first = poller();
    ASSERT_EQ(startPolling(), COMM_OK);
    EXPECT_TRUE(first->ended());
    EXPECT_NE(poller(), first);
}

// The sensor holds the poll for up to 19 s; Disconnect must not wait for it.
TEST_F(ResultPolling, DisconnectWhileAPollIsHeldReturnsPromptlyAndLeavesNoThread) {
    readings.setPollHold(19s);
    model.setState(7);
    ASSERT_EQ(startPolling(), COMM_OK);
    const auto thread = poller();
    ASSERT_TRUE(server.waitForCalls("xmlPollResults", 1, 20s));
    const auto begin = std::chrono::steady_clock::now();
    EXPECT_EQ(Disconnect("k"), COMM_OK);
    EXPECT_LT(std::chrono::steady_clock::now() - begin, 10s);
    EXPECT_TRUE(thread->ended());
    EXPECT_EQ(poller(), nullptr);
    EXPECT_EQ(dravik::leaseConnection(), nullptr);
    // The session still ended properly: the sensor was told.
    EXPECT_EQ(server.countCalls("xmlDisconnect"), 1u);
    EXPECT_EQ(window.count(), 0u);
}

// A stop that comes just before the poller sends its next poll must not
// have to wait for that poll: the poller's calls fail until the mark is lifted.
TEST_F(ResultPolling, AnInterruptedThreadsCallsFailUntilTheMarkIsLifted) {
    const auto connection = dravik::leaseConnection();
    const auto self = std::this_thread::get_id();
    connection->interruptCallOf(self);
    XmlRpc::XmlRpcValue reply;
    EXPECT_FALSE(connection->execute("help", XmlRpc::XmlRpcValue(), reply, 3.0));
    bool otherThread = false;
    std::thread([&] { otherThread = connection->execute("help", XmlRpc::XmlRpcValue(), reply, 3.0); }).join();
    EXPECT_TRUE(otherThread);
    connection->endInterruptOf(self);
    EXPECT_TRUE(connection->execute("help", XmlRpc::XmlRpcValue(), reply, 3.0));
}

struct UnlockCase {
    const char* name;
    ScriptedReply reply;
    int result;
    bool resumes;
};

class UnlockReplies : public ResultPolling, public ::testing::WithParamInterface<UnlockCase> {};

TEST_P(UnlockReplies, GiveTheirResultAndResumeOnlyWhenNoResultIsPending) {
    model.setState(7);
    ASSERT_EQ(startPolling(), COMM_OK);
    ASSERT_TRUE(readings.takeReading());
    ASSERT_TRUE(window.waitForCount(1, 20s));
    const int pollsBefore = readings.counts().polls;
    model.script().push("xmlUnlockResult", GetParam().reply);
    EXPECT_EQ(SetUnlockResult(), GetParam().result);
    {
        std::lock_guard lock(dravik::libraryState().mutex);
        EXPECT_FALSE(dravik::libraryState().resultLocked);
    }
    if (GetParam().resumes) {
        EXPECT_TRUE(server.waitForCalls("xmlPollResults", static_cast<std::size_t>(pollsBefore) + 1, 20s));
    } else {
        std::this_thread::sleep_for(200ms);
        EXPECT_EQ(readings.counts().polls, pollsBefore);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Statuses, UnlockReplies,
    ::testing::Values(UnlockCase{"firstNoResult", ScriptedReply::status(-7001), COMM_OK, true},
                      UnlockCase{"lastNoResult", ScriptedReply::status(-7099), COMM_OK, true},
                      UnlockCase{"justAbove", ScriptedReply::status(-7000), -7000, false},
                      UnlockCase{"justBelow", ScriptedReply::status(-7100), -7100, false},
                      UnlockCase{"unlocked", ScriptedReply::status(0), COMM_OK, false},
                      UnlockCase{"statusNotInt", ScriptedReply::wrongType(), COMM_STATUS_NOT_INT, false},
                      UnlockCase{"noReply", ScriptedReply::noReply(), COMM_NO_REPLY, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ResultPollingOffline, WithoutAConnectionNothingStarts) {
    EXPECT_EQ(SetUnlockResult(), COMM_NOT_CONNECTED);
    EXPECT_EQ(dravik::StartPollingThread(dravik::libraryState(), nullptr), COMM_NOT_CONNECTED);
    EXPECT_EQ(ResumePollingThread(), COMM_NO_POLLING_THREAD);
}

}  // namespace
