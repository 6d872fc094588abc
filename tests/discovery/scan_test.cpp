#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <optional>
#include <set>
#include <thread>
#include <vector>

#include "platform/icmp_echo.h"
#include "recording_target.h"
#include "simulated_subnet.h"
#include "sonvira/sonvira.h"

namespace {

using namespace std::chrono_literals;
using vt::test::RecordedMessage;
using vt::test::RecordingTarget;
using vt::test::SimulatedSubnet;

constexpr int kFound = 4900;
constexpr int kDone = 4901;
// Bounds against hangs only.
constexpr auto kScanBound = 60s;
constexpr auto kStopBound = 2s;

bool finished(const std::vector<RecordedMessage>& messages) {
    return std::any_of(messages.begin(), messages.end(), [](const auto& m) { return m.wParam == kDone; });
}

std::vector<const SensorDiscoveryRecord*> records(const std::vector<RecordedMessage>& messages) {
    std::vector<const SensorDiscoveryRecord*> out;
    for (const auto& m : messages)
        if (m.wParam == kFound) out.push_back(reinterpret_cast<const SensorDiscoveryRecord*>(m.lParam));
    return out;
}

bool echoAvailable() {
    vt::IcmpEcho echo;
    echo.open();
    return echo.kind() != vt::IcmpEchoKind::None;
}

class Scan : public ::testing::Test {
protected:
    void SetUp() override { Sonvira_CleanSubnetList(); }
    void TearDown() override {
        Sonvira_StopScanning();
        Sonvira_CleanSubnetList();
    }
};

// Runs the same scan with the echo sweep (where this machine permits an echo
// socket) and with every host queried.
class ScanBothWays : public Scan, public ::testing::WithParamInterface<bool> {};

TEST_P(ScanBothWays, FindsEachSensorOnceIgnoresTheForeignDeviceAndFinishes) {
    std::optional<vt::test::QueryEveryHost> everyHost;
    if (GetParam()) everyHost.emplace();
    SimulatedSubnet withSensors;
    withSensors.add(3, SimulatedSubnet::sensor("North", "00:0A:3C:00:00:03"));
    SimulatedSubnet withoutSensors(28, withSensors.port());
    withSensors.add(9, SimulatedSubnet::sensor("South", "00:0A:3C:00:00:09"));
    auto& foreignBeside = withSensors.add(5, SimulatedSubnet::foreign());
    auto& foreignAlone = withoutSensors.add(7, SimulatedSubnet::foreign());

    ASSERT_EQ(Sonvira_AddSubnet(withSensors.networkText().c_str(), withSensors.maskText().c_str()),
              SONVIRA_OK);
    ASSERT_EQ(Sonvira_AddSubnet(withoutSensors.networkText().c_str(), withoutSensors.maskText().c_str()),
              SONVIRA_OK);
    RecordingTarget target;
    ASSERT_EQ(Sonvira_StartScanning(target.window(), kFound, kDone), SONVIRA_OK);
    ASSERT_TRUE(target.waitFor(finished, kScanBound));
    Sonvira_StopScanning();

    auto messages = target.messages();
    ASSERT_EQ(messages.size(), 3u);
    for (const auto& m : messages) EXPECT_EQ(m.message, 1024u);
    auto found = records(messages);
    ASSERT_EQ(found.size(), 2u);
    EXPECT_STREQ(found[0]->name, "North");
    EXPECT_EQ(std::string(found[0]->ip), withSensors.hostText(3));
    EXPECT_STREQ(found[1]->name, "South");
    EXPECT_EQ(std::string(found[1]->mac), "00:0A:3C:00:00:09");
    EXPECT_EQ(messages.back().wParam, uintptr_t{kDone});
    EXPECT_EQ(messages.back().lParam, 0);
    EXPECT_EQ(foreignBeside.queriesReceived(), 1) << "a subnet with a sensor is searched once";
    EXPECT_EQ(foreignAlone.queriesReceived(), 2) << "a subnet without one is searched twice";
}

INSTANTIATE_TEST_SUITE_P(Ways, ScanBothWays, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "QueryEveryHost" : "EchoSweep"; });

TEST_F(Scan, WithoutSubnetsStartsNothing) {
    RecordingTarget target;
    EXPECT_EQ(Sonvira_StartScanning(target.window(), kFound, kDone), SONVIRA_NO_SUBNETS);
    EXPECT_EQ(Sonvira_StopScanning(), SONVIRA_OK);
    std::this_thread::sleep_for(100ms);
    EXPECT_EQ(target.count(), 0u);
}

TEST_F(Scan, StopWhileQueriesWaitReturnsPromptlyAndNothingFollows) {
    vt::test::QueryEveryHost everyHost;
    SimulatedSubnet net;
    // Every host keeps silent: each query would wait for its answer in full.
    std::vector<vt::sim::DiscoveryResponder*> silent;
    for (uint32_t i = 1; i <= 14; ++i) silent.push_back(&net.addSilent(i));
    ASSERT_EQ(Sonvira_AddSubnet(net.networkText().c_str(), net.maskText().c_str()), SONVIRA_OK);

    RecordingTarget target;
    ASSERT_EQ(Sonvira_StartScanning(target.window(), kFound, kDone), SONVIRA_OK);
    auto deadline = std::chrono::steady_clock::now() + kScanBound;
    while (silent[0]->queriesReceived() == 0 && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(5ms);
    ASSERT_EQ(silent[0]->queriesReceived(), 1);

    auto before = std::chrono::steady_clock::now();
    EXPECT_EQ(Sonvira_StopScanning(), SONVIRA_OK);
    EXPECT_LT(std::chrono::steady_clock::now() - before, kStopBound);
    auto asked = [&] {
        int n = 0;
        for (auto* responder : silent) n += responder->queriesReceived();
        return n;
    };
    std::this_thread::sleep_for(100ms);  // queries sent before the stop reach their responders
    const int askedAtStop = asked();
    std::this_thread::sleep_for(700ms);  // longer than a query's reply window
    EXPECT_EQ(target.count(), 0u) << "a stopped scan posts neither finds nor \"finished\"";
    EXPECT_EQ(asked(), askedAtStop) << "no query (nor a second pass) after the stop";
}

TEST_F(Scan, StopInMidSweepReturnsPromptlyAndNothingFollows) {
    if (!echoAvailable()) GTEST_SKIP() << "no echo socket permitted here";
    auto own = vt::test::uniqueLoopbackSubnet(24);
    ASSERT_EQ(Sonvira_AddSubnet(own.networkText().c_str(), own.maskText().c_str()), SONVIRA_OK);
    RecordingTarget target;
    ASSERT_EQ(Sonvira_StartScanning(target.window(), kFound, kDone), SONVIRA_OK);
    std::this_thread::sleep_for(150ms);  // a /24 sweep takes seconds

    auto before = std::chrono::steady_clock::now();
    EXPECT_EQ(Sonvira_StopScanning(), SONVIRA_OK);
    EXPECT_LT(std::chrono::steady_clock::now() - before, kStopBound);
    std::this_thread::sleep_for(300ms);
    EXPECT_EQ(target.count(), 0u);
}

TEST_F(Scan, StartingAgainStopsTheRunningScanFirst) {
    vt::test::QueryEveryHost everyHost;
    SimulatedSubnet net;
    auto& silent = net.addSilent(1);
    vt::test::setDiscoveryReplyWindow(vt::test::kSilenceReplyWindow);  // the second scan waits it out
    ASSERT_EQ(Sonvira_AddSubnet(net.networkText().c_str(), net.maskText().c_str()), SONVIRA_OK);
    RecordingTarget first, second;
    ASSERT_EQ(Sonvira_StartScanning(first.window(), kFound, kDone), SONVIRA_OK);
    auto deadline = std::chrono::steady_clock::now() + kScanBound;
    while (silent.queriesReceived() == 0 && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(5ms);
    ASSERT_EQ(Sonvira_StartScanning(second.window(), kFound, kDone), SONVIRA_OK);
    ASSERT_TRUE(second.waitFor(finished, kScanBound));
    EXPECT_EQ(first.count(), 0u) << "the first scan was stopped, not finished";
}

// A window whose post function calls back into the library, as a program
// that handles messages synchronously would.
struct CallingBackWindow {
    VtWindowTarget target{};
    std::atomic<int> found{0}, done{0}, startResult{1};

    CallingBackWindow() { vt_target_init(&target, &CallingBackWindow::onPost, this); }
    ~CallingBackWindow() { vt_target_close(&target); }

    static void onPost(void* context, unsigned, uintptr_t wParam, intptr_t lParam, VtPayloadDeleter deleter) {
        auto* self = static_cast<CallingBackWindow*>(context);
        if (deleter != nullptr) deleter(reinterpret_cast<void*>(lParam));
        if (wParam == kDone) ++self->done;
        if (wParam != kFound) return;
        ++self->found;
        self->startResult = Sonvira_StartScanning(&self->target, kFound, kDone);
        Sonvira_StopScanning();
    }
};

TEST_F(Scan, APostFunctionThatCallsBackStopsTheScanWithoutDeadlock) {
    vt::test::QueryEveryHost everyHost;
    SimulatedSubnet net;
    net.add(2, SimulatedSubnet::sensor("A", "00:0A:3C:00:00:02"));
    net.add(4, SimulatedSubnet::sensor("B", "00:0A:3C:00:00:04"));
    ASSERT_EQ(Sonvira_AddSubnet(net.networkText().c_str(), net.maskText().c_str()), SONVIRA_OK);
    CallingBackWindow window;
    ASSERT_EQ(Sonvira_StartScanning(&window.target, kFound, kDone), SONVIRA_OK);
    auto deadline = std::chrono::steady_clock::now() + kScanBound;
    while (window.found == 0 && std::chrono::steady_clock::now() < deadline) std::this_thread::sleep_for(5ms);
    EXPECT_EQ(Sonvira_StopScanning(), SONVIRA_OK);
    EXPECT_EQ(window.found.load(), 1) << "the scan stopped at its first find";
    EXPECT_EQ(window.startResult.load(), SONVIRA_NO_SUBNETS);
    EXPECT_EQ(window.done.load(), 0);
}

// Takes every free descriptor for the life of the object.
class DescriptorsExhausted {
public:
    DescriptorsExhausted() {
        getrlimit(RLIMIT_NOFILE, &saved_);
        rlimit low = saved_;
        low.rlim_cur = 64;
        setrlimit(RLIMIT_NOFILE, &low);
        for (int fd; (fd = ::open("/dev/null", O_RDONLY | O_CLOEXEC)) >= 0;) taken_.push_back(fd);
    }
    ~DescriptorsExhausted() {
        for (int fd : taken_) ::close(fd);
        setrlimit(RLIMIT_NOFILE, &saved_);
    }

private:
    rlimit saved_{};
    std::vector<int> taken_;
};

TEST_F(Scan, SocketsThatCannotOpenEndTheScanWithFinishedAndTheError) {
    vt::test::QueryEveryHost everyHost;
    SimulatedSubnet net;
    net.add(2, SimulatedSubnet::sensor("Any", "00:0A:3C:00:00:02"));
    ASSERT_EQ(Sonvira_AddSubnet(net.networkText().c_str(), net.maskText().c_str()), SONVIRA_OK);
    {
        // A scan that can open its sockets first: the sanitizers' own checks of
        // a new thread need a descriptor the first time round.
        RecordingTarget warmUp;
        ASSERT_EQ(Sonvira_StartScanning(warmUp.window(), kFound, kDone), SONVIRA_OK);
        ASSERT_TRUE(warmUp.waitFor(finished, kScanBound));
        Sonvira_StopScanning();
    }
    RecordingTarget target;
    {
        DescriptorsExhausted exhausted;
        ASSERT_EQ(Sonvira_StartScanning(target.window(), kFound, kDone), SONVIRA_OK);
        ASSERT_TRUE(target.waitFor(finished, kScanBound)) << "the scan must report, not end the process";
        Sonvira_StopScanning();
    }
    auto messages = target.messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].wParam, uintptr_t{kDone});
    EXPECT_EQ(messages[0].lParam, SONVIRA_SYSTEM_ERROR_BASE + EMFILE);
}

}  // namespace
