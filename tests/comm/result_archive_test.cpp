// The single-result page and the result archive over a scripted sensor.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>

#include "archive_entries.h"
#include "dravik/comm_status.h"
#include "fake_result_reader.h"
#include "file_helpers.h"
#include "file_size_limit.h"
#include "result_archive.h"
#include "result_page.h"
#include "temp_dir.h"

namespace {

namespace fs = std::filesystem;
using vt::test::FakeCode;
using vt::test::FakeResultReader;

using vt::test::readArchive;
using vt::test::readFile;

// A reading of two codes: one with markup, a control byte, a "~" and an
// "=XX" escape, one that failed; the configuration name is framed.
FakeResultReader twoCodes() {
    FakeResultReader reader;
    reader.addStored(7, {FakeCode{"AkNvbmYgPEE+JgM_", true, 2, 3, 12, "AB<1>&\x01~=41\xE4"},
                         FakeCode{"ignored", false, 0, 0, 30, "second"}});
    return reader;
}

TEST(ResultPage, GoldenPageOfTwoCodes) {
    vt::test::TempDir dir;
    FakeResultReader reader = twoCodes();
    const fs::path page = dir.path() / "50% page.html";
    ASSERT_EQ(dravik::SaveResultPage(reader, page.string(), true, 0, 7, "01/02/26 10:00:00 AM"), COMM_OK);
    EXPECT_EQ(reader.locks, 1);
    EXPECT_EQ(reader.unlocks, 1);
    // The picture lies beside the page, named after it and the result.
    EXPECT_TRUE(fs::is_regular_file(dir.path() / "50% page7.bmp"));

    const fs::path golden = fs::path(VT_SOURCE_DIR) / "tests/comm/golden/result_page_two_codes.html";
    if (std::getenv("VT_UPDATE_GOLDEN") != nullptr)
        fs::copy_file(page, golden, fs::copy_options::overwrite_existing);
    EXPECT_EQ(readFile(page), readFile(golden)) << "compare " << page << " with " << golden;

    // An independent parser sees the structure and the values.
    const std::string seen = vt::test::runCommand(
        "python3 " VT_SOURCE_DIR "/tests/comm/check_result_page.py '" + page.string() + "'");
    EXPECT_EQ(seen,
              "img ./50%25 page7.bmp\n"
              "Result ID | 7\n"
              "Configuration | Conf <A>&\n"
              "Overall Result | Pass\n"
              "No: of Codes Found | 2\n"
              "No: of Codes Searched | 3\n"
              "Result String 1 | AB<1>&\\x01\\x7EA\u00E4\n"
              "Decoding Time | 12 ms\n"
              "Result String 2 | second\n"
              "Decoding Time | 30 ms\n");
}

TEST(ResultPage, AFailedReadingSaysFail) {
    vt::test::TempDir dir;
    FakeResultReader reader;
    reader.addStored(8, {FakeCode{"AkNvbmYgPEE+JgM_", false, 0, 3, 40, ""}});
    const fs::path page = dir.path() / "failed.html";
    ASSERT_EQ(dravik::SaveResultPage(reader, page.string(), true, 0, 8, "t"), COMM_OK);
    const std::string seen = vt::test::runCommand(
        "python3 " VT_SOURCE_DIR "/tests/comm/check_result_page.py '" + page.string() + "'");
    EXPECT_NE(seen.find("Overall Result | Fail\n"), std::string::npos) << seen;
}

TEST(ResultPage, FailuresAreReportedAndTheLockReleased) {
    vt::test::TempDir dir;
    FakeResultReader reader = twoCodes();
    EXPECT_EQ(dravik::SaveResultPage(reader, (dir.path() / "p.html").string(), false, 0, 99, "t"), -7002);
    EXPECT_EQ(reader.unlocks, 0);

    reader.failGetResult = 11;
    EXPECT_EQ(dravik::SaveResultPage(reader, (dir.path() / "p.html").string(), false, 0, 7, "t"), 11);
    EXPECT_EQ(reader.unlocks, reader.locks);
    EXPECT_FALSE(fs::exists(dir.path() / "p.html"));

    reader.failGetResult = 0;
    EXPECT_EQ(dravik::SaveResultPage(reader, (dir.path() / "no" / "p.html").string(), false, 0, 7, "t"),
              COMM_FILE_ERROR);
    EXPECT_EQ(reader.unlocks, reader.locks);
}

FakeResultReader threeStored() {
    FakeResultReader reader;
    reader.addStored(3, {FakeCode{"a", true, 1, 1, 5, "three"}});
    reader.addStored(14, {FakeCode{"b", false, 0, 1, 6, "fourteen"}});
    reader.addStored(15, {FakeCode{"c", true, 1, 1, 7, "fifteen"}});
    return reader;
}

TEST(ResultArchive, HoldsAPageAndAPictureForEveryStoredResult) {
    vt::test::TempDir dir;
    FakeResultReader reader = threeStored();
    std::string first, second;
    ASSERT_EQ(dravik::SaveAllResultsTo(reader, dir.path().string(), 0, true, "20260102_030405", &first),
              COMM_OK);
    // A second archive in the same second gets a name of its own.
    ASSERT_EQ(dravik::SaveAllResultsTo(reader, dir.path().string(), 0, true, "20260102_030405", &second),
              COMM_OK);
    EXPECT_EQ(first, (dir.path() / "20260102_030405.tar.gz").string());
    EXPECT_EQ(second, (dir.path() / "20260102_030405_2.tar.gz").string());
    EXPECT_EQ(reader.locks, 6);
    EXPECT_EQ(reader.unlocks, 6);

    const auto entries = readArchive(first);
    std::vector<std::string> names;
    for (const auto& [name, bytes] : entries) names.push_back(name);
    EXPECT_EQ(names,
              (std::vector<std::string>{"20260102_030405/Result14.html", "20260102_030405/Result1414.bmp",
                                        "20260102_030405/Result15.html", "20260102_030405/Result1515.bmp",
                                        "20260102_030405/Result3.html", "20260102_030405/Result33.bmp"}));
    EXPECT_EQ(entries.at("20260102_030405/Result33.bmp").size(), reader.pictureBytes);
    EXPECT_EQ(entries.at("20260102_030405/Result14.html").substr(0, 2), "\xFF\xFE");
    // Only the archives are left.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), {}), 2);
}

TEST(ResultArchive, FailedPackingKeepsEveryPage) {
    vt::test::TempDir dir;
    FakeResultReader reader = threeStored();
    reader.pictureBytes = 20000;
    std::string kept;
    {
        // Each page and picture fits, the archive of all of them does not.
        vt::test::FileSizeLimit limit(30000);
        EXPECT_EQ(dravik::SaveAllResultsTo(reader, dir.path().string(), 0, false, "20260102_030405", &kept),
                  COMM_FILE_ERROR);
    }
    EXPECT_EQ(kept, (dir.path() / "20260102_030405").string());
    EXPECT_FALSE(fs::exists(dir.path() / "20260102_030405.tar.gz"));
    EXPECT_EQ(std::distance(fs::directory_iterator(kept), {}), 6);
}

TEST(ResultArchive, NothingToPackOrNowhereToPutIt) {
    vt::test::TempDir dir;
    FakeResultReader empty;
    EXPECT_EQ(dravik::SaveAllResultsTo(empty, dir.path().string(), 1, false, "s"),
              COMM_ARCHIVE_NOTHING_SAVED);
    EXPECT_EQ(dravik::SaveAllResultsTo(empty, dir.path().string(), 0, false, "s"), COMM_OK);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), {}), 0);

    FakeResultReader reader = threeStored();
    const auto file = dir.write("file", "x");
    EXPECT_EQ(dravik::SaveAllResultsTo(reader, file.string(), 0, false, "s"), COMM_NOT_A_FOLDER);
    EXPECT_EQ(dravik::SaveAllResultsTo(reader, (dir.path() / "missing").string(), 0, false, "s"),
              COMM_NOT_A_FOLDER);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), {}), 1);
    EXPECT_EQ(reader.locks, 0);

    // A page that fails ends the run and removes the work folder.
    reader.failGetResult = -39;
    EXPECT_EQ(dravik::SaveAllResultsTo(reader, dir.path().string(), 0, false, "s"), -39);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), {}), 1);
    EXPECT_EQ(reader.locks, reader.unlocks);
}

}  // namespace
