// The receiver against scripted datagrams: each script gives one whole frame
// or none, never a torn or mixed one.
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <vector>

#include "dravik/dravik.h"
#include "fake_live_sensor.h"
#include "live_frames.h"
#include "live_image.h"
#include "loopback_address.h"
#include "recording_target.h"
#include "sensor_bitmap_alloc.h"

namespace {

using namespace std::chrono_literals;
using dravik::CLiveImage;
using vt::test::Datagram;
using vt::test::FakeLiveSensor;
using vt::test::liveFragment;
using vt::test::liveFragments;
using vt::test::liveHeader;
using vt::test::liveJpeg;

constexpr std::uint16_t kFrame = 0x1234;     // the frame under test
constexpr std::uint16_t kOther = 0x0777;     // a second frame, for mixing
constexpr std::uint16_t kSentinel = 0xBEEF;  // sent after every script

struct Step {
    Datagram bytes;
    bool fromStranger = false;
};

struct Script {
    const char* name;
    std::function<std::vector<Step>()> steps;
    bool givesFrame;  // kFrame whole, or nothing
};

std::vector<Step> inOrder(const std::vector<Datagram>& datagrams) {
    std::vector<Step> steps;
    for (const Datagram& d : datagrams) steps.push_back({d});
    return steps;
}

std::vector<Step> frameWith(const std::function<void(std::vector<Step>&)>& change) {
    const auto f = liveFragments(liveJpeg(kFrame), 3);
    std::vector<Step> steps = inOrder({liveHeader(3, kFrame), f[0], f[1], f[2]});
    change(steps);
    return steps;
}

// Fragment 1 of kFrame with its index byte replaced.
Datagram withIndex(std::uint8_t index) {
    Datagram d = liveFragments(liveJpeg(kFrame), 3)[1];
    d[0] = std::byte{index};
    return d;
}

const Script kScripts[] = {
    {"InOrder", [] { return frameWith([](auto&) {}); }, true},
    {"Duplicate", [] { return frameWith([](auto& s) { s.insert(s.begin() + 3, Step{s[2]}); }); }, false},
    {"Gap", [] { return frameWith([](auto& s) { s.erase(s.begin() + 2); }); }, false},
    {"OutOfOrder", [] { return frameWith([](auto& s) { std::swap(s[2], s[3]); }); }, false},
    {"Index0x80", [] { return frameWith([](auto& s) { s.insert(s.begin() + 2, Step{withIndex(0x80)}); }); },
     false},
    {"IndexPastCount", [] { return frameWith([](auto& s) { s.insert(s.begin() + 2, Step{withIndex(3)}); }); },
     false},
    {"FragmentCount0", [] { return frameWith([](auto& s) { s[0] = {liveHeader(0, kFrame)}; }); }, false},
    {"FragmentCount0x80", [] { return frameWith([](auto& s) { s[0] = {liveHeader(0x80, kFrame)}; }); },
     false},
    {"OversizeFrame",
     [] {
         // 32 full fragments: more than one uncompressed picture.
         std::vector<Step> steps{{liveHeader(32, kFrame)}};
         const std::vector<std::uint8_t> payload(4999, 0x55);
         for (int i = 0; i < 32; ++i) steps.push_back({liveFragment(i, payload)});
         return steps;
     },
     false},
    {"OversizeDatagram",
     [] {
         return frameWith([](auto& s) {
             const std::vector<std::uint8_t> payload(5000, 0x55);
             s.insert(s.begin() + 2, Step{liveFragment(1, payload)});
         });
     },
     false},
    {"EmptyDatagram", [] { return frameWith([](auto& s) { s.insert(s.begin() + 2, Step{Datagram{}}); }); },
     true},
    {"FromAnotherSender",
     [] {
         return frameWith([](auto& s) {
             s.insert(s.begin() + 2, Step{liveFragments(liveJpeg(kOther), 3)[1], true});
         });
     },
     true},
    {"FragmentsBeforeHeader",
     [] {
         return frameWith([](auto& s) {
             const auto f = liveFragments(liveJpeg(kOther), 3);
             s.insert(s.begin(), {Step{f[1]}, Step{f[2]}});
         });
     },
     true},
    {"SevenByteFragment",
     [] {
         // Seven bytes that do not begin "Init" are a fragment of six.
         const auto jpeg = liveJpeg(kFrame);
         const std::size_t a = jpeg.size() / 2;
         std::vector<Step> steps{{liveHeader(3, kFrame)}};
         steps.push_back({liveFragment(0, std::span(jpeg).first(a))});
         steps.push_back({liveFragment(1, std::span(jpeg).subspan(a, 6))});
         EXPECT_EQ(steps.back().bytes.size(), 7u);
         steps.push_back({liveFragment(2, std::span(jpeg).subspan(a + 6))});
         return steps;
     },
     true},
    {"HeaderInsideFrame",
     [] {
         // The frame in progress is dropped and so is the one whose header broke in.
         auto f = liveFragments(liveJpeg(kOther), 3);
         auto steps = frameWith([](auto& s) { s.pop_back(); });
         steps.push_back({liveHeader(3, kOther)});
         for (auto& d : f) steps.push_back({d});
         return steps;
     },
     false},
};

class LiveImageScript : public ::testing::TestWithParam<Script> {};

// Takes the newest frame and checks that it is whole frame number.
void expectWholeFrame(CLiveImage& receiver, std::uint16_t number) {
    SensorBitmap* bitmap = nullptr;
    ASSERT_EQ(receiver.GetLastImage(&bitmap), 0);
    ASSERT_NE(bitmap, nullptr);
    ASSERT_EQ(bitmap->width, 320);
    ASSERT_EQ(bitmap->height, 240);
    const std::span<const std::uint8_t> pixels(bitmap->pixels, 320 * 240);
    EXPECT_EQ(vt::sim::readLiveFrameNumber(pixels), number);
    EXPECT_LE(vt::test::differenceFromFrame(pixels, number), vt::test::kMaxMeanDifference);
    dravik::freeSensorBitmap(bitmap);
}

TEST_P(LiveImageScript, GivesAWholeFrameOrNone) {
    const Script& script = GetParam();
    const std::string address = vt::test::uniqueLoopbackAddress();
    vt::test::RecordingTarget target;
    FakeLiveSensor sensor(address);
    CLiveImage receiver(target.window(), address.c_str(), sensor.port());
    ASSERT_EQ(receiver.error(), 0);
    ASSERT_EQ(receiver.Start(), 0);
    ASSERT_TRUE(sensor.awaitInit());

    for (const Step& step : script.steps()) {
        if (step.fromStranger)
            sensor.sendFromStranger(step.bytes);
        else
            sensor.send(step.bytes);
    }
    if (script.givesFrame) {
        ASSERT_TRUE(target.waitForCount(1, 10s));
        expectWholeFrame(receiver, kFrame);
    }
    // Whatever the script left behind, the next whole frame gets through.
    sensor.sendFrame(kSentinel);
    ASSERT_TRUE(target.waitFor(
        [](const auto& messages) { return !messages.empty() && messages.back().lParam == kSentinel; }, 10s));
    expectWholeFrame(receiver, kSentinel);

    std::vector<std::intptr_t> expected;
    if (script.givesFrame) expected.push_back(kFrame);
    expected.push_back(kSentinel);
    EXPECT_EQ(vt::test::frameEvents(target.messages()), expected);
}

INSTANTIATE_TEST_SUITE_P(Datagrams, LiveImageScript, ::testing::ValuesIn(kScripts),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
