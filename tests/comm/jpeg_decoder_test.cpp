// The live frames' decoder hands out whole 320 x 240 pictures or nothing.
#include <gtest/gtest.h>

#include <functional>

#include "jpeg_decoder.h"
#include "live_frames.h"

namespace {

using vt::test::liveJpeg;

TEST(JpegDecoder, DecodesTheSimulatorsFrameWithinTheBound) {
    dravik::JpegDecoder decoder;
    std::vector<std::uint8_t> pixels(320 * 240);
    for (std::uint16_t number : {0, 1, 0x1234, 0xFFFF}) {
        ASSERT_TRUE(decoder.decodeGrey(liveJpeg(number), 320, 240, pixels.data()));
        EXPECT_EQ(vt::sim::readLiveFrameNumber(pixels), number);
        EXPECT_LE(vt::test::differenceFromFrame(pixels, number), vt::test::kMaxMeanDifference);
    }
}

TEST(JpegDecoder, RefusesWhatIsNotAWhole320By240Picture) {
    const std::vector<std::uint8_t> good = liveJpeg(7);
    struct Case {
        const char* what;
        std::vector<std::uint8_t> data;
    };
    const std::vector<std::uint8_t> large(640 * 480, 128);
    std::vector<std::uint8_t> corrupt = good;
    for (std::size_t i = good.size() / 3; i < good.size() / 2; ++i) corrupt[i] = 0xFF;
    const Case cases[] = {
        {"empty", {}},
        {"not a JPEG file", std::vector<std::uint8_t>(5000, 0x42)},
        {"the wrong size", vt::sim::encodeGreyJpeg(large, 640, 480, 85)},
        {"cut short", std::vector<std::uint8_t>(good.begin(), good.begin() + good.size() * 2 / 3)},
        {"only the header part", std::vector<std::uint8_t>(good.begin(), good.begin() + 300)},
        {"damaged data", corrupt},
    };
    dravik::JpegDecoder decoder;
    std::vector<std::uint8_t> pixels(320 * 240);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_FALSE(decoder.decodeGrey(c.data, 320, 240, pixels.data()));
    }
    // Refusals leave the decoder fit for the next frame.
    EXPECT_TRUE(decoder.decodeGrey(good, 320, 240, pixels.data()));
}

}  // namespace
