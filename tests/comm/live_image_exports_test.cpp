// The live image exports against the simulator: frames arrive in order and
// decode to the simulator's pictures; the stream's faults give whole frames
// or none; start and stop report what happened.
#include <dirent.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <set>
#include <thread>

#include "dravik/sensor_commands.h"
#include "dravik_fixture.h"
#include "live_frames.h"
#include "live_image_pause.h"
#include "sim/live_image_methods.h"
#include "sim/live_image_source.h"

namespace {

using namespace std::chrono_literals;
using vt::test::frameEvents;
using XmlRpc::XmlRpcValue;

// The newest frame, checked to be one whole frame of the simulator.
struct TakenFrame {
    int status;
    std::optional<std::uint16_t> number;
    double difference = 255.0;
};

TakenFrame takeFrame() {
    SensorBitmap* bitmap = nullptr;
    TakenFrame taken{GetLastLiveImageTaken(&bitmap), std::nullopt};
    if (taken.status != COMM_OK) return taken;
    EXPECT_NE(bitmap, nullptr);
    if (bitmap == nullptr) return taken;
    EXPECT_EQ(bitmap->width, 320);
    EXPECT_EQ(bitmap->height, 240);
    const std::span<const std::uint8_t> pixels(bitmap->pixels, 320 * 240);
    taken.number = vt::sim::readLiveFrameNumber(pixels);
    if (taken.number) taken.difference = vt::test::differenceFromFrame(pixels, *taken.number);
    DeleteSensorBitmap(bitmap);
    return taken;
}

class LiveImageExports : public vt::test::DravikFixture {
protected:
    void SetUp() override {
        DravikFixture::SetUp();
        vt::sim::addLiveImageMethods(server, source);
        ASSERT_EQ(source.start(*vt::parseIpv4(server.address().c_str()), 0), 0);
        source.setFramesPerSecond(100);
        ASSERT_EQ(connect("sensor", target.window()), COMM_OK);
    }
    void TearDown() override {
        DravikFixture::TearDown();
        source.stop();
    }

    int start() { return StartLiveImageTransmission(server.address().c_str(), source.port()); }
    bool waitForFrames(std::size_t n) {
        return target.waitFor([n](const auto& m) { return frameEvents(m).size() >= n; }, 20s);
    }
    std::vector<std::intptr_t> frames() const { return frameEvents(target.messages()); }

    vt::test::RecordingTarget target;
    vt::sim::LiveImageSource source;
};

TEST_F(LiveImageExports, FramesArriveInOrderAndDecodeToTheSimulatorsFrame) {
    ASSERT_EQ(start(), COMM_OK);
    EXPECT_TRUE(source.streaming());
    ASSERT_TRUE(waitForFrames(10));

    const TakenFrame taken = takeFrame();
    ASSERT_EQ(taken.status, COMM_OK);
    ASSERT_TRUE(taken.number.has_value());
    EXPECT_LE(taken.difference, vt::test::kMaxMeanDifference);
    // The frame handed out is one that was announced (now or in a moment).
    EXPECT_TRUE(target.waitFor(
        [&](const auto& m) {
            const auto n = frameEvents(m);
            return std::find(n.begin(), n.end(), *taken.number) != n.end();
        },
        10s));

    EXPECT_EQ(StopLiveImageTransmission(), COMM_OK);
    EXPECT_FALSE(source.streaming());
    const auto numbers = frames();
    EXPECT_TRUE(std::is_sorted(numbers.begin(), numbers.end())) << "announced out of order";
    EXPECT_EQ(std::adjacent_find(numbers.begin(), numbers.end()), numbers.end()) << "announced twice";
    // Stopped: no frame to hand out, and none announced any more.
    EXPECT_EQ(takeFrame().status, COMM_NO_LIVE_FRAME);
    const std::size_t announced = frames().size();
    std::this_thread::sleep_for(100ms);
    EXPECT_EQ(frames().size(), announced);
}

TEST_F(LiveImageExports, StartAndStopReportWhatHappened) {
    EXPECT_EQ(StopLiveImageTransmission(), COMM_LIVE_IMAGE_NOT_RUNNING);
    EXPECT_EQ(server.countCalls("xmlStopLiveImage"), 0u);
    SensorBitmap* bitmap = nullptr;
    EXPECT_EQ(GetLastLiveImageTaken(&bitmap), COMM_LIVE_IMAGE_NOT_RUNNING);
    EXPECT_EQ(GetLastLiveImageTaken(nullptr), COMM_INVALID_ARGUMENT);

    ASSERT_EQ(start(), COMM_OK);
    EXPECT_EQ(start(), COMM_LIVE_IMAGE_ALREADY_RUNNING);
    EXPECT_EQ(server.countCalls("xmlStartLiveImage"), 1u);
    EXPECT_EQ(StopLiveImageTransmission(), COMM_OK);
    EXPECT_EQ(StopLiveImageTransmission(), COMM_LIVE_IMAGE_NOT_RUNNING);

    // The same receiver serves the next start.
    ASSERT_EQ(start(), COMM_OK);
    EXPECT_TRUE(waitForFrames(1));
    EXPECT_EQ(StopLiveImageTransmission(), COMM_OK);

    Disconnect("sensor");
    EXPECT_EQ(start(), COMM_NOT_CONNECTED);
    EXPECT_EQ(StopLiveImageTransmission(), COMM_NOT_CONNECTED);
}

TEST_F(LiveImageExports, SensorRepliesToStartAndStop) {
    struct Case {
        const char* what;
        std::function<void()> arrange;
        int start;
    };
    auto replying = [this](const char* method, XmlRpcValue status) {
        server.setMethod(method, [status](const XmlRpcValue&) {
            XmlRpcValue reply;
            reply[0] = status;
            return reply;
        });
    };
    const Case cases[] = {
        {"refused", [&] { replying("xmlStartLiveImage", 3); }, COMM_LIVE_IMAGE_REFUSED},
        {"status not a number", [&] { replying("xmlStartLiveImage", "0"); }, COMM_LIVE_IMAGE_REFUSED},
        {"no reply",
         [&] {
             vt::sim::MethodFaults drop;
             drop.closeWithoutReply = true;
             server.setFaults("xmlStartLiveImage", drop);
         },
         COMM_NO_REPLY},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        c.arrange();
        EXPECT_EQ(start(), c.start);
        // Nothing runs after a failed start.
        EXPECT_EQ(StopLiveImageTransmission(), COMM_LIVE_IMAGE_NOT_RUNNING);
        server.clearFaults("xmlStartLiveImage");
        vt::sim::addLiveImageMethods(server, source);
    }

    ASSERT_EQ(start(), COMM_OK);
    replying("xmlStopLiveImage", 7);
    EXPECT_EQ(StopLiveImageTransmission(), 7);
}

TEST_F(LiveImageExports, AReceiverThatCannotStartIsNotReportedAsRunning) {
    for (int port : {0, -1, 70000}) {
        SCOPED_TRACE(port);
        EXPECT_EQ(StartLiveImageTransmission(server.address().c_str(), port), COMM_LIVE_IMAGE_SOCKET_FAILED);
        EXPECT_EQ(StopLiveImageTransmission(), COMM_LIVE_IMAGE_NOT_RUNNING);
    }
    EXPECT_EQ(StartLiveImageTransmission(nullptr, source.port()), COMM_LIVE_IMAGE_SOCKET_FAILED);
    SensorBitmap* bitmap = nullptr;
    EXPECT_EQ(GetLastLiveImageTaken(&bitmap), COMM_LIVE_IMAGE_NOT_RUNNING);
    EXPECT_EQ(bitmap, nullptr);
}

TEST_F(LiveImageExports, DisconnectEndsTheStream) {
    ASSERT_EQ(start(), COMM_OK);
    ASSERT_TRUE(waitForFrames(1));
    Disconnect(nullptr);
    EXPECT_EQ(server.countCalls("xmlStopLiveImage"), 1u);
    EXPECT_EQ(server.countCalls("xmlDisconnect"), 0u);
    SensorBitmap* bitmap = nullptr;
    EXPECT_EQ(GetLastLiveImageTaken(&bitmap), COMM_LIVE_IMAGE_NOT_RUNNING);
}

// What the receiver makes of a stream whose faulty frames are the even ones.
struct StreamFault {
    const char* name;
    vt::sim::LiveImageFaults faults;
    bool faultyFramesAnnounced;  // complete by their fragments (the decoder may still refuse them)
    bool faultyFramesSound;      // and decode to the simulator's picture
};

vt::sim::LiveImageFaults onEvenFrames(std::function<void(vt::sim::LiveImageFaults&)> set) {
    vt::sim::LiveImageFaults f;
    f.every = 2;
    set(f);
    return f;
}

const StreamFault kStreamFaults[] = {
    {"Drop", onEvenFrames([](auto& f) { f.dropFragment = true; }), false, false},
    {"Duplicate", onEvenFrames([](auto& f) { f.duplicateFragment = true; }), false, false},
    {"Reorder", onEvenFrames([](auto& f) { f.reorderFragments = true; }), false, false},
    {"Garbage", onEvenFrames([](auto& f) { f.sendGarbage = true; }), true, true},
    // Complete by count but cut off: announced, never handed out.
    {"Truncate", onEvenFrames([](auto& f) { f.truncateFragment = true; }), true, false},
};

class LiveImageStreamFaults : public LiveImageExports, public ::testing::WithParamInterface<StreamFault> {};

TEST_P(LiveImageStreamFaults, OnlyWholeFramesAreHandedOut) {
    source.setFaults(GetParam().faults);
    source.setFramesPerSecond(50);
    ASSERT_EQ(start(), COMM_OK);
    ASSERT_TRUE(waitForFrames(6));
    // Every frame handed out is a sound one, whichever came last.
    std::set<std::uint16_t> handedOut;
    const auto deadline = std::chrono::steady_clock::now() + 20s;
    while (handedOut.size() < 3 && std::chrono::steady_clock::now() < deadline) {
        const TakenFrame taken = takeFrame();
        if (taken.status != COMM_OK) continue;
        ASSERT_TRUE(taken.number.has_value());
        if (!GetParam().faultyFramesSound) {
            EXPECT_EQ(*taken.number % 2, 1) << "a faulty frame was handed out";
        }
        EXPECT_LE(taken.difference, vt::test::kMaxMeanDifference);
        handedOut.insert(*taken.number);
    }
    EXPECT_EQ(handedOut.size(), 3u);
    EXPECT_EQ(StopLiveImageTransmission(), COMM_OK);

    const auto numbers = frames();
    const bool evenAnnounced =
        std::any_of(numbers.begin(), numbers.end(), [](std::intptr_t n) { return n % 2 == 0; });
    EXPECT_EQ(evenAnnounced, GetParam().faultyFramesAnnounced);
}

INSTANTIATE_TEST_SUITE_P(Sim, LiveImageStreamFaults, ::testing::ValuesIn(kStreamFaults),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(LiveImageExports, AStreamFromAnotherPortIsNotTakenAndTheReceiverHandShakesAgain) {
    vt::sim::LiveImageFaults faults;
    faults.sendFromOtherPort = true;
    source.setFaults(faults);
    ASSERT_EQ(start(), COMM_OK);
    // A second of silence each time; every handshake from a fresh port.
    const auto deadline = std::chrono::steady_clock::now() + 20s;
    while (source.handshakes().size() < 3 && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(50ms);
    const auto handshakes = source.handshakes();
    ASSERT_GE(handshakes.size(), 3u);
    EXPECT_GT(source.framesSent(), 0);
    std::set<uint16_t> ports;
    for (const auto& h : handshakes) ports.insert(h.port);
    EXPECT_EQ(ports.size(), handshakes.size());
    EXPECT_TRUE(frames().empty());

    // Back on the sensor's own port, frames come in again.
    source.setFaults({});
    EXPECT_TRUE(waitForFrames(1));
}

TEST_F(LiveImageExports, AReaderInALoopNeverSeesATornFrame) {
    source.setFramesPerSecond(250);
    ASSERT_EQ(start(), COMM_OK);
    std::set<std::uint16_t> seen;
    int taken = 0;
    const auto deadline = std::chrono::steady_clock::now() + 30s;
    while (seen.size() < 40 && std::chrono::steady_clock::now() < deadline) {
        const TakenFrame frame = takeFrame();
        if (frame.status != COMM_OK) continue;
        ++taken;
        ASSERT_TRUE(frame.number.has_value()) << "a torn frame after " << taken << " frames";
        ASSERT_LE(frame.difference, vt::test::kMaxMeanDifference) << "frame " << *frame.number;
        seen.insert(*frame.number);
    }
    EXPECT_GE(seen.size(), 40u);
    EXPECT_EQ(StopLiveImageTransmission(), COMM_OK);
}

std::size_t threadCount() {
    std::size_t n = 0;
    if (DIR* dir = opendir("/proc/self/task")) {
        while (dirent* entry = readdir(dir))
            if (entry->d_name[0] != '.') ++n;
        closedir(dir);
    }
    return n;
}

TEST_F(LiveImageExports, ManyStartStopCyclesLeaveNoThreadBehind) {
    const std::size_t before = threadCount();
    for (int i = 0; i < 1000; ++i) {
        ASSERT_EQ(start(), COMM_OK) << "cycle " << i;
        ASSERT_EQ(StopLiveImageTransmission(), COMM_OK) << "cycle " << i;
    }
    EXPECT_EQ(threadCount(), before);
    EXPECT_EQ(server.countCalls("xmlStartLiveImage"), 1000u);
}

TEST_F(LiveImageExports, APauseStopsAndResumesARunningStreamOnly) {
    ASSERT_EQ(start(), COMM_OK);
    ASSERT_TRUE(waitForFrames(1));
    {
        dravik::LiveImagePause pause(dravik::libraryState());
        EXPECT_EQ(takeFrame().status, COMM_NO_LIVE_FRAME);
    }
    const std::size_t before = frames().size();
    EXPECT_TRUE(waitForFrames(before + 1));
    EXPECT_EQ(takeFrame().status, COMM_OK);

    // The exposure-time measurement pauses the stream for its call.
    std::atomic<int> duringCall{COMM_OK};
    server.setMethod("xmlCalculateExpTime", [&](const XmlRpcValue&) {
        SensorBitmap* bitmap = nullptr;
        duringCall = GetLastLiveImageTaken(&bitmap);
        DeleteSensorBitmap(bitmap);
        XmlRpcValue reply;
        reply[0] = 0;
        return reply;
    });
    EXPECT_EQ(CalculateExpTime(), COMM_OK);
    EXPECT_EQ(duringCall.load(), COMM_NO_LIVE_FRAME);
    const std::size_t afterCall = frames().size();
    EXPECT_TRUE(waitForFrames(afterCall + 1));

    ASSERT_EQ(StopLiveImageTransmission(), COMM_OK);
    { dravik::LiveImagePause pause(dravik::libraryState()); }
    EXPECT_EQ(takeFrame().status, COMM_NO_LIVE_FRAME);
    EXPECT_EQ(StopLiveImageTransmission(), COMM_LIVE_IMAGE_NOT_RUNNING);
}

}  // namespace
