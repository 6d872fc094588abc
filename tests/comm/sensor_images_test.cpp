// Sensor images: the bitmaps handed to the caller, the replies that are
// refused without touching the caller's previous picture, the saved BMP file
// (bytes fixed by a golden file, content read back with zxing-cpp), and a
// picture per call when two threads fetch at once.
#define ZX_USE_UTF8
#include <ZXing/ReadBarcode.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <thread>
#include <vector>

#include "bitmap_file.h"
#include "dravik/sensor_images.h"
#include "readings_fixture.h"
#include "sim/parameter_shapes.h"
#include "sim/reply_script.h"
#include "temp_dir.h"

using vt::sim::ScriptedReply;
using XmlRpc::XmlRpcValue;

namespace {

using Bitmap = vt::test::OwnedBitmap;

std::vector<uint8_t> pixelsOf(const SensorBitmap& b) {
    return std::vector<uint8_t>(b.pixels, b.pixels + static_cast<std::size_t>(b.width) * b.height);
}

std::vector<uint8_t> fileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

XmlRpcValue pictureReply(std::size_t bytes) {
    XmlRpcValue reply;
    reply[0] = 0;
    reply[1] = XmlRpcValue::BinaryData(bytes, 0x55);
    return reply;
}

class SensorImages : public vt::test::ReadingsFixture {
protected:
    void SetUp() override {
        ReadingsFixture::SetUp();
        ASSERT_EQ(connect("k"), COMM_OK);
    }
    // One reading of a Data Matrix code in the configuration test.
    void takeReading(const std::string& text) {
        model.setState(7);
        readings.setCodeType(1);
        readings.setNextText(text);
        ASSERT_TRUE(readings.takeReading());
    }
};

TEST_F(SensorImages, TheCurrentAndTheDecodedImageAreTheSensorsPictures) {
    takeReading("VT-IMAGE-1");
    SensorBitmap* current = nullptr;
    SensorBitmap* decoded = nullptr;
    ASSERT_EQ(GetCurrentImage(&current), COMM_OK);
    ASSERT_EQ(GetDecodeImage(&decoded), COMM_OK);
    Bitmap ownCurrent(current), ownDecoded(decoded);
    ASSERT_EQ(current->width, 640);
    ASSERT_EQ(current->height, 480);
    EXPECT_EQ(pixelsOf(*current), vt::sim::PlainScene());
    EXPECT_EQ(pixelsOf(*decoded), readings.latest()->code.pixels);
}

struct RefusedReply {
    const char* name;
    ScriptedReply reply;
    int status;
};

class RefusedImages : public SensorImages, public ::testing::WithParamInterface<RefusedReply> {};

// The caller's previous picture stays where it was, and stays valid.
TEST_P(RefusedImages, LeaveTheCallersPictureAlone) {
    SensorBitmap* previous = nullptr;
    ASSERT_EQ(GetCurrentImage(&previous), COMM_OK);
    Bitmap own(previous);
    const std::vector<uint8_t> before = pixelsOf(*previous);
    model.script().push("xmlGetDecodedImage", GetParam().reply);
    SensorBitmap* out = previous;
    EXPECT_EQ(GetDecodeImage(&out), GetParam().status);
    EXPECT_EQ(out, previous);
    EXPECT_EQ(pixelsOf(*previous), before);
}

INSTANTIATE_TEST_SUITE_P(
    Replies, RefusedImages,
    ::testing::Values(RefusedReply{"shortPicture", ScriptedReply::value(pictureReply(100)), COMM_FAILED},
                      RefusedReply{"longPicture", ScriptedReply::value(pictureReply(307201)), COMM_FAILED},
                      RefusedReply{"statusOnly", ScriptedReply::status(0), COMM_STATUS_NOT_INT},
                      RefusedReply{"pictureAsText", ScriptedReply::value([] {
                                       XmlRpcValue r;
                                       r[0] = 0;
                                       r[1] = std::string(307200, 'x');
                                       return r;
                                   }()),
                                   COMM_STATUS_NOT_INT},
                      RefusedReply{"sensorStatus", ScriptedReply::status(-7005), -7005},
                      RefusedReply{"statusNotInt", ScriptedReply::wrongType(), COMM_STATUS_NOT_INT},
                      RefusedReply{"noReply", ScriptedReply::noReply(), COMM_NO_REPLY}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SensorImages, ANullOutputIsRefusedBeforeAnythingIsSent) {
    EXPECT_EQ(GetCurrentImage(nullptr), COMM_INVALID_ARGUMENT);
    EXPECT_EQ(server.countCalls("xmlGetCurrentImage"), 0u);
}

TEST_F(SensorImages, WithoutAConnectionNothingIsSent) {
    Disconnect(nullptr);
    SensorBitmap* out = nullptr;
    EXPECT_EQ(GetDecodeImage(&out), COMM_NOT_CONNECTED);
    EXPECT_EQ(GetAndSaveDecodedImageW(u"x.bmp"), COMM_NOT_CONNECTED);
    EXPECT_EQ(out, nullptr);
}

struct SaverCase {
    const char* name;
    int (*save)(const char*);
    ScriptedReply reply;
    int status;
};

class SaverReplies : public SensorImages, public ::testing::WithParamInterface<SaverCase> {};

TEST_P(SaverReplies, ReadTheStatusTheirOwnWay) {
    vt::test::TempDir dir;
    const auto path = dir.path() / "image.bmp";
    model.script().push(GetParam().name[0] == 'c' ? "xmlGetCurrentImage" : "xmlGetDecodedImage", GetParam().reply);
    EXPECT_EQ(GetParam().save(path.c_str()), GetParam().status);
    EXPECT_FALSE(std::filesystem::exists(path));
}

INSTANTIATE_TEST_SUITE_P(
    Replies, SaverReplies,
    ::testing::Values(
        SaverCase{"currentStatusNotInt", GetAndSaveCurrentImage, ScriptedReply::wrongType(), COMM_STATUS_NOT_INT},
        SaverCase{"currentNoReply", GetAndSaveCurrentImage, ScriptedReply::noReply(), COMM_STATUS_NOT_INT},
        SaverCase{"decodedStatusNotInt", GetAndSaveDecodedImage, ScriptedReply::wrongType(),
                  COMM_DECODED_IMAGE_STATUS_NOT_INT},
        SaverCase{"decodedNoReply", GetAndSaveDecodedImage, ScriptedReply::noReply(), COMM_NO_REPLY},
        SaverCase{"decodedShortPicture", GetAndSaveDecodedImage, ScriptedReply::value(pictureReply(640)),
                  COMM_FAILED},
        SaverCase{"currentSensorStatus", GetAndSaveCurrentImage, ScriptedReply::status(-7005), -7005}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SensorImages, ANullPathFetchesTheImageAndWritesNothing) {
    EXPECT_EQ(GetAndSaveCurrentImage(nullptr), COMM_OK);
    EXPECT_EQ(server.countCalls("xmlGetCurrentImage"), 1u);
    EXPECT_EQ(GetAndSaveCurrentImageW(nullptr), COMM_INVALID_ARGUMENT);
    EXPECT_EQ(GetAndSaveDecodedImageW(nullptr), COMM_INVALID_ARGUMENT);
    EXPECT_EQ(server.countCalls("xmlGetCurrentImage"), 1u);
}

TEST_F(SensorImages, AFileThatCannotBeWrittenIsAnError) {
    takeReading("VT-IMAGE-2");
    vt::test::TempDir dir;
    const auto missingFolder = dir.path() / "no" / "such" / "image.bmp";
    EXPECT_EQ(GetAndSaveDecodedImage(missingFolder.c_str()), COMM_FILE_ERROR);
    EXPECT_EQ(GetAndSaveCurrentImageW(missingFolder.u16string().c_str()), COMM_FILE_ERROR);
    EXPECT_EQ(GetAndSaveCurrentImage(dir.path().c_str()), COMM_FILE_ERROR);  // a folder
    EXPECT_FALSE(std::filesystem::exists(missingFolder));
}

// The golden file was checked once with Python's standard library: a
// 640 x 480, 8-bit, 256-grey bitmap whose first stored row is the bottom row
// and whose top row is the simulator's first row.
TEST_F(SensorImages, TheSavedDecodedImageMatchesTheGoldenFileAndReadsAsTheCode) {
    takeReading("VT-GOLDEN-0001");
    vt::test::TempDir dir;
    const auto path = dir.path() / u"bild-\u00e4.bmp";
    ASSERT_EQ(GetAndSaveDecodedImageW(path.u16string().c_str()), COMM_OK);
    const std::vector<uint8_t> saved = fileBytes(path);
    const std::vector<uint8_t> golden =
        fileBytes(std::filesystem::path(VT_SOURCE_DIR) / "tests/comm/golden/decoded_datamatrix.bmp");
    ASSERT_EQ(saved.size(), 308278u);
    EXPECT_TRUE(saved == golden) << "the saved file differs from the golden file";

    // Back to top-row-first pixels, then let zxing-cpp read it.
    std::vector<uint8_t> pixels(640 * 480);
    for (int row = 0; row < 480; ++row)
        std::copy_n(saved.begin() + 1078 + (479 - row) * 640, 640, pixels.begin() + row * 640);
    EXPECT_EQ(pixels, readings.latest()->code.pixels);
    const ZXing::Result result = ZXing::ReadBarcode({pixels.data(), 640, 480, ZXing::ImageFormat::Lum});
    ASSERT_TRUE(result.isValid());
    EXPECT_EQ(result.format(), ZXing::BarcodeFormat::DataMatrix);
    EXPECT_EQ(result.text(), "VT-GOLDEN-0001");
}

TEST_F(SensorImages, EachCodeTypeIsPaintedAsARealCode) {
    const std::pair<int, ZXing::BarcodeFormat> types[] = {{1, ZXing::BarcodeFormat::DataMatrix},
                                                          {2, ZXing::BarcodeFormat::PDF417},
                                                          {3, ZXing::BarcodeFormat::QRCode},
                                                          {33, ZXing::BarcodeFormat::Aztec},
                                                          {12, ZXing::BarcodeFormat::Code128}};
    model.setState(7);
    for (const auto& [codeType, format] : types) {
        readings.setCodeType(codeType);
        readings.setNextText("VT-TYPE-" + std::to_string(codeType));
        ASSERT_TRUE(readings.takeReading());
        SensorBitmap* out = nullptr;
        ASSERT_EQ(GetDecodeImage(&out), COMM_OK);
        Bitmap own(out);
        const ZXing::Result result = ZXing::ReadBarcode({out->pixels, 640, 480, ZXing::ImageFormat::Lum});
        ASSERT_TRUE(result.isValid()) << "code type " << codeType;
        EXPECT_EQ(result.format(), format);
        EXPECT_EQ(result.text(), "VT-TYPE-" + std::to_string(codeType));
    }
}

// Without a code type of its own the simulator reads the active configuration's.
TEST_F(SensorImages, TheActiveConfigurationsCodeTypeIsPainted) {
    model.access([](vt::sim::SensorData& d) {
        d.slots[4].used = true;
        d.slots[4].data.parameters.configData[vt::sim::shape::kConfigDataCodeType] = 33;
        d.activeConfig = 4;
    });
    model.setState(2);
    ASSERT_TRUE(readings.takeReading());
    EXPECT_EQ(readings.latest()->codeType, 33);
    EXPECT_EQ(readings.latest()->code.format, "Aztec");
}

TEST_F(SensorImages, TwoThreadsFetchingAtOnceEachGetTheirOwnPicture) {
    takeReading("VT-THREADS");
    const std::vector<uint8_t> scene = vt::sim::PlainScene();
    const std::vector<uint8_t> decoded = readings.latest()->code.pixels;
    auto fetch = [](int (*get)(SensorBitmap**), const std::vector<uint8_t>& expected, int& mismatches) {
        for (int i = 0; i < 25; ++i) {
            SensorBitmap* out = nullptr;
            if (get(&out) != COMM_OK || out == nullptr || pixelsOf(*out) != expected) ++mismatches;
            DeleteSensorBitmap(out);
        }
    };
    int currentMismatches = 0, decodedMismatches = 0;
    std::thread a(fetch, GetCurrentImage, std::cref(scene), std::ref(currentMismatches));
    std::thread b(fetch, GetDecodeImage, std::cref(decoded), std::ref(decodedMismatches));
    a.join();
    b.join();
    EXPECT_EQ(currentMismatches, 0);
    EXPECT_EQ(decodedMismatches, 0);
}

}  // namespace
