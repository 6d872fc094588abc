// Naming and reading the image file.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

#include "brimsol/brimsol.h"
#include "image_file.h"
#include "temp_dir.h"
#include "text/text_codecs.h"

namespace {

struct NameCase {
    std::string name;
    std::string file;  // written into a fresh folder, or empty for none
    std::string bytes;
    std::string path;  // relative to the folder; "@" stands for the folder itself
    int expected;
};

class FileName : public ::testing::TestWithParam<NameCase> {
protected:
    std::string path() const {
        const auto& c = GetParam();
        if (!c.file.empty()) dir.write(c.file, c.bytes);
        return c.path == "@" ? dir.path().string() : (dir.path() / c.path).string();
    }
    vt::test::TempDir dir;
};

TEST_P(FileName, NarrowNameIsCheckedBeforeItIsKept) {
    EXPECT_EQ(Brimsol_setfilename(path().c_str()), GetParam().expected);
}

TEST_P(FileName, WideNameIsCheckedBeforeItIsKept) {
    std::u16string wide;
    Utf8ToUtf16String(wide, path());
    EXPECT_EQ(Brimsol_setfilenameW(wide.c_str()), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Files, FileName,
                         ::testing::Values(NameCase{"Usable", "image.swu", "abc", "image.swu", BRIMSOL_OK},
                                           NameCase{"NonAsciiName", "Bild-\xC3\xA4\xE2\x82\xAC.swu", "abc",
                                                    "Bild-\xC3\xA4\xE2\x82\xAC.swu", BRIMSOL_OK},
                                           NameCase{"Missing", "", "", "nothing.swu", BRIMSOL_FILE_NOT_FOUND},
                                           NameCase{"Empty", "empty.swu", "", "empty.swu", BRIMSOL_FILE_SIZE},
                                           NameCase{"Folder", "", "", "@", BRIMSOL_FILE_SIZE},
                                           NameCase{"TooLongToKeep", "", "", std::string(600, 'n'),
                                                    BRIMSOL_NO_FILE_NAME}),
                         [](const auto& info) { return info.param.name; });

TEST(FileNameArguments, NullAndLoneSurrogateAreRefused) {
    EXPECT_EQ(Brimsol_setfilename(nullptr), BRIMSOL_FILE_NOT_FOUND);
    EXPECT_EQ(Brimsol_setfilenameW(nullptr), BRIMSOL_FILE_NOT_FOUND);
    const char16_t lone[] = {u'/', u't', u'm', u'p', u'/', 0xD800, u'x', 0};
    EXPECT_EQ(Brimsol_setfilenameW(lone), BRIMSOL_FILE_NOT_FOUND);
}

struct CloseFile {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

struct ReadCase {
    std::string name;
    std::size_t contentBytes;
    std::size_t expectedSize;
    int expected;
};

class ReadExactly : public ::testing::TestWithParam<ReadCase> {};

// A file that shrinks or grows after its size was taken must not be sent:
// the old reader filled the missing bytes with 0xFF.
TEST_P(ReadExactly, ReadsTheSizeTakenOrFails) {
    std::unique_ptr<std::FILE, CloseFile> file(std::tmpfile());
    ASSERT_TRUE(file);
    const std::string content(GetParam().contentBytes, '\x5A');
    std::fwrite(content.data(), 1, content.size(), file.get());
    std::rewind(file.get());
    std::vector<unsigned char> bytes{1, 2, 3};
    EXPECT_EQ(brimsol::readExactly(file.get(), GetParam().expectedSize, bytes), GetParam().expected);
    if (GetParam().expected == BRIMSOL_OK)
        EXPECT_EQ(std::string(bytes.begin(), bytes.end()), content);
    else
        EXPECT_TRUE(bytes.empty());
}

INSTANTIATE_TEST_SUITE_P(Sizes, ReadExactly,
                         ::testing::Values(ReadCase{"Exact", 1000, 1000, BRIMSOL_OK},
                                           ReadCase{"Shrunk", 600, 1000, BRIMSOL_FILE_SIZE},
                                           ReadCase{"ShrunkToNothing", 0, 1000, BRIMSOL_FILE_SIZE},
                                           ReadCase{"Grew", 1001, 1000, BRIMSOL_FILE_SIZE}),
                         [](const auto& info) { return info.param.name; });

}  // namespace
