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

TEST(UpdateStatusText, LengthZeroWritesNothing) {
    char buf[4] = {'a', 'b', 'c', 'd'};
    Brimsol_strerror(0, buf, 0);
    EXPECT_EQ(std::string(buf, 4), "abcd");
    Brimsol_strerror(0, nullptr, 10);  // no crash
}

}  // namespace
