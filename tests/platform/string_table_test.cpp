#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/string_table.h"

namespace {

TEST(StringTable, ReadsIdsTextsAndEscapes) {
    vt::StringTable table;
    auto r = table.parse(
        "# comment line\n"
        "\n"
        "351=4.2.0.0\r\n"
        "104=Varnis ZV\n"
        "7=\n"
        "8=a=b  \n"
        "9=Größe 尺寸\n"
        "10=line\\none\\ttab\\\\slash\n");
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(table.size(), 6u);
    EXPECT_EQ(table.get(351).value(), "4.2.0.0") << "a CR of a CRLF file is not part of the text";
    EXPECT_EQ(table.get(104).value(), "Varnis ZV");
    EXPECT_EQ(table.get(7).value(), "") << "an empty text is a text, not a missing id";
    EXPECT_EQ(table.get(8).value(), "a=b  ");
    EXPECT_EQ(table.get(9).value(), "Größe 尺寸");
    EXPECT_EQ(table.get(10).value(), "line\none\ttab\\slash");
    EXPECT_FALSE(table.get(11).has_value());
}

struct BadLine {
    const char* text;
    int line;
};

class StringTableErrors : public ::testing::TestWithParam<BadLine> {};

TEST_P(StringTableErrors, MalformedInputIsAClearErrorAndLeavesTheTableEmpty) {
    vt::StringTable table;
    auto r = table.parse(GetParam().text);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.line, GetParam().line);
    EXPECT_NE(r.error.find("line " + std::to_string(GetParam().line)), std::string::npos) << r.error;
    EXPECT_EQ(table.size(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Lines, StringTableErrors,
                         ::testing::Values(BadLine{"1=a\nno equals sign\n", 2},
                                           BadLine{"x1=a\n", 1},
                                           BadLine{"=a\n", 1},
                                           BadLine{"-3=a\n", 1},
                                           BadLine{"99999999999=a\n", 1},
                                           BadLine{"1=a\n1=b\n", 2},
                                           BadLine{"1=bad\\q\n", 1},
                                           BadLine{"1=ends in \\", 1},
                                           BadLine{"1=ok\n2=\xC3\n", 2},
                                           BadLine{"1=\xED\xA0\x80\n", 1}),
                         [](const auto& info) { return "Case" + std::to_string(info.index); });

TEST(StringTable, LoadsAFileWithByteOrderMarkAndReportsAMissingOne) {
    auto dir = std::filesystem::temp_directory_path() / ("vt_strings_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    {
        std::ofstream out(dir / "strings.txt", std::ios::binary);
        out << "\xEF\xBB\xBF" << "600=2\n601=3100\n602=3200\n";
    }
    vt::StringTable table;
    auto r = table.load(dir / "strings.txt");
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(table.get(600).value(), "2");

    auto missing = table.load(dir / "absent.txt");
    EXPECT_FALSE(missing.ok);
    EXPECT_NE(missing.error.find("absent.txt"), std::string::npos);
    EXPECT_EQ(table.size(), 0u);
    std::filesystem::remove_all(dir);
}

}  // namespace
