#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "brimsol/brimsol.h"

namespace {

struct TextCase {
    int code;
    unsigned len;
    std::string expected;
};

class UpdateStatusText : public ::testing::TestWithParam<TextCase> {};

TEST_P(UpdateStatusText, CopiesTheCodesTextCutToTheBuffer) {
    char buf[80];
    std::memset(buf, 'X', sizeof buf);
    Brimsol_strerror(GetParam().code, buf, GetParam().len);
    EXPECT_EQ(std::string(buf), GetParam().expected);
    EXPECT_EQ(buf[GetParam().expected.size() + 1], 'X') << "wrote past the terminating zero";
}

INSTANTIATE_TEST_SUITE_P(
    Codes, UpdateStatusText,
    ::testing::Values(TextCase{0, 64, "No error"}, TextCase{0, 8, "No erro"}, TextCase{0, 9, "No error"},
                      TextCase{4, 64, "Sensor is not in waiting state"},
                      TextCase{15, 64, "Update file is not valid for this sensor type"},
                      TextCase{-4, 64, "Update file is not valid for this sensor type"},
                      TextCase{16, 64, "No error description"}, TextCase{99, 64, "No error description"},
                      TextCase{5, 1, ""}),
    [](const auto& info) {
        return "Code" + std::string(info.param.code < 0 ? "Minus" : "") + std::to_string(std::abs(info.param.code)) +
               "Len" + std::to_string(info.param.len);
    });

// Every code's text, written out here apart from the library's table.
TEST(UpdateStatusText, EveryCodeHasItsOwnText) {
    const char* const expected[] = {
        "No error",
        "Image file not found",
        "Could not get Image file size",
        "Not valid update files defined",
        "Sensor is not in waiting state",
        "Not enough memory available to save images in RAM",
        "Update file not valid",
        "Failure parsing the XML information",
        "Current Sensor software is newer as the update",
        "Could not get the flash section size",
        "Update defined flash section size is not correct",
        "Could not calculate the CRC32 of the image file",
        "Update defined CRC32 value is not correct",
        "Could not read image file size information",
        "Update defined image file size is not correct",
        "Update file is not valid for this sensor type",
    };
    for (int code = 0; code < 16; ++code) {
        char buf[80] = {};
        Brimsol_strerror(code, buf, sizeof buf);
        EXPECT_STREQ(buf, expected[code]) << "code " << code;
    }
}

TEST(UpdateStatusText, LengthZeroWritesNothing) {
    char buf[4] = {'a', 'b', 'c', 'd'};
    Brimsol_strerror(0, buf, 0);
    EXPECT_EQ(std::string(buf, 4), "abcd");
    Brimsol_strerror(0, nullptr, 10);  // no crash
}

}  // namespace
