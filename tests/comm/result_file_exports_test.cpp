// The page, archive, report and language exports against the simulated
// sensor: what they write from its configurations and stored readings.
#include <gtest/gtest.h>
#include <libxml/parser.h>

#include <filesystem>
#include <string>
#include <vector>

#include "archive_entries.h"
#include "dravik/dravik.h"
#include "dravik/results.h"
#include "file_helpers.h"
#include "file_size_limit.h"
#include "readings_fixture.h"
#include "result_lock.h"
#include "rendered_page.h"
#include "sim/parameter_methods.h"
#include "sim/parameter_store.h"
#include "temp_dir.h"
#include "utf16_text.h"

namespace {

namespace fs = std::filesystem;
using vt::test::readFile;
using vt::test::RenderedPage;
using Texts = std::vector<std::string>;

class ResultFileExports : public vt::test::ReadingsFixture {
protected:
    void SetUp() override {
        vt::sim::addParameterMethods(server, model, store);
        ReadingsFixture::SetUp();
        // Two configurations in group A, the second active; one reading
        // that found its code and one that found none.
        ASSERT_EQ(model.createConfig({0, "Alpha", 0}), vt::sim::kSimOk);
        ASSERT_EQ(model.closeAndSave(), vt::sim::kSimOk);
        ASSERT_EQ(model.createConfig({1, "Beta & <B>", 0}), vt::sim::kSimOk);
        ASSERT_EQ(model.closeAndSave(), vt::sim::kSimOk);
        ASSERT_EQ(model.activateConfig({1, "Beta & <B>", 0}), vt::sim::kSimOk);
        model.setState(2);
        ASSERT_TRUE(readings.takeReading());
        model.access([](vt::sim::SensorData& d) { d.nextReadingGood = false; });
        ASSERT_TRUE(readings.takeReading());
        ASSERT_EQ(connect(), COMM_OK);
    }

    Texts storedNumbers() {
        int count = 0;
        std::vector<ResultListEntry> list;
        EXPECT_EQ(GetLastResultsList(0, nullptr, &count, &list), COMM_OK);
        Texts numbers;
        for (const ResultListEntry& entry : list) numbers.push_back(std::to_string(entry.resultNumber));
        return numbers;
    }

    vt::sim::ParameterStore store;
    vt::test::TempDir dir;
};

TEST_F(ResultFileExports, ReportShowsTheSensorsConfigurationsAndReadings) {
    const Texts numbers = storedNumbers();
    ASSERT_EQ(numbers.size(), 2u);
    ASSERT_EQ(GenerateServiceReport(dir.path().c_str(), 0), COMM_OK);
    EXPECT_EQ(counts().locks, 2);
    EXPECT_EQ(counts().unlocks, 2);
    EXPECT_FALSE(dravik::resultLocked());

    xmlDocPtr doc =
        xmlReadFile((dir.path() / "Report.xml").c_str(), nullptr, XML_PARSE_NONET | XML_PARSE_NOERROR);
    ASSERT_NE(doc, nullptr);
    xmlFreeDoc(doc);
    const RenderedPage page(dir.path());
    ASSERT_TRUE(page.ok());
    EXPECT_EQ(page.texts("//div[@id='AllConfigurations']//h3"), (Texts{"(01) Alpha", "(02) Beta & <B>"}));
    EXPECT_EQ(page.text("//div[@id='ActiveGroup']//td[@class='ActiveConfiguration']"), "(02) Beta & <B>");
    const auto statistics = model.snapshot();
    EXPECT_EQ(page.texts("//div[@id='Statistics']//td[@class='TotalReadings' or @class='GoodReadings']"),
              (Texts{std::to_string(statistics.totalReadings), std::to_string(statistics.goodReadings)}));

    Texts shown;
    for (const std::string& number : numbers) {
        const std::string result = "//div[@id='Result-" + number + "']";
        const Texts pictures = page.texts(result + "//img/@src");
        ASSERT_EQ(pictures.size(), 1u) << result;
        EXPECT_EQ(readFile(dir.path() / pictures[0]).substr(0, 2), "BM") << pictures[0];
        for (const std::string& text : page.texts(result + "//td[@class='CodeContents']"))
            if (!text.empty()) shown.push_back(text);
    }
    // The good reading shows its code's text; the other's one record has none.
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].rfind("VT-READING-", 0), 0u) << shown[0];

    // The wide export writes the same report with a byte-order mark.
    ASSERT_EQ(GenerateServiceReportW(dravik::utf8ToUtf16(dir.path().string()).c_str(), 0), COMM_OK);
    EXPECT_EQ(readFile(dir.path() / "Report.xml").substr(0, 2), "\xFF\xFE");
    EXPECT_EQ(counts().locks, counts().unlocks);
}

TEST_F(ResultFileExports, ArchiveHoldsAPageAndAPictureForEveryStoredResult) {
    const Texts numbers = storedNumbers();
    ASSERT_EQ(SaveAllResults(dir.path().c_str(), 0, 0), COMM_OK);
    EXPECT_EQ(counts().locks, counts().unlocks);
    std::vector<fs::path> archives;
    for (const auto& entry : fs::directory_iterator(dir.path())) archives.push_back(entry.path());
    ASSERT_EQ(archives.size(), 1u);
    EXPECT_EQ(archives[0].extension(), ".gz");
    const std::string stamp = archives[0].stem().stem().string();

    const auto entries = vt::test::readArchive(archives[0]);
    EXPECT_EQ(entries.size(), 2 * numbers.size());
    for (const std::string& n : numbers) {
        const std::string page = stamp + "/Result" + n + ".html";
        const std::string picture = stamp + "/Result" + n + n + ".bmp";
        ASSERT_TRUE(entries.count(page)) << page;
        ASSERT_TRUE(entries.count(picture)) << picture;
        EXPECT_EQ(entries.at(picture).substr(0, 2), "BM");
        EXPECT_NE(entries.at(page).find(vt::test::utf16LeBytes("Result" + n + n + ".bmp")),
                  std::string::npos);
    }
}

TEST_F(ResultFileExports, CurrentResultPageAndItsPicture) {
    const fs::path page = dir.path() / "current.html";
    ASSERT_EQ(SaveCurrentResultW(dravik::utf8ToUtf16(page.string()).c_str(), 0, -1), COMM_OK);
    EXPECT_EQ(readFile(page).substr(0, 2), "\xFF\xFE");
    EXPECT_EQ(readFile(dir.path() / "current-1.bmp").substr(0, 2), "BM");

    // A folder that cannot be written: the page's error, an older page kept, the lock released.
    const fs::path older = dir.write("old.html", "older");
    {
        vt::test::FileSizeLimit limit(1024);
        EXPECT_EQ(SaveCurrentResult(older.c_str(), 0, -1), COMM_FILE_ERROR);
    }
    EXPECT_EQ(readFile(older), "older");
    EXPECT_EQ(counts().locks, counts().unlocks);
    EXPECT_EQ(SaveCurrentResult(nullptr, 0, -1), COMM_FAILED);
    EXPECT_EQ(SaveAllResultsW(nullptr, 0, 0), COMM_INVALID_ARGUMENT);
    EXPECT_EQ(SaveAllResultsW(u"x", -1, 0), COMM_INVALID_ARGUMENT);
    EXPECT_EQ(SaveAllResults((dir.path() / "missing").c_str(), 0, 0), COMM_NOT_A_FOLDER);
}

TEST_F(ResultFileExports, NothingIsWrittenWithoutAConnection) {
    Disconnect(nullptr);
    const std::string folder = dir.path().string();
    const std::u16string wide = dravik::utf8ToUtf16(folder);
    EXPECT_EQ(SaveCurrentResult((folder + "/p.html").c_str(), 0, -1), COMM_NOT_CONNECTED);
    EXPECT_EQ(SaveCurrentResultW(wide.c_str(), 0, -1), COMM_NOT_CONNECTED);
    EXPECT_EQ(SaveAllResults(folder.c_str(), 0, 0), COMM_NOT_CONNECTED);
    EXPECT_EQ(SaveAllResultsW(wide.c_str(), 0, 0), COMM_NOT_CONNECTED);
    EXPECT_EQ(GenerateServiceReport(folder.c_str(), 0), COMM_NOT_CONNECTED);
    EXPECT_EQ(GenerateServiceReportW(wide.c_str(), 0), COMM_NOT_CONNECTED);
    EXPECT_TRUE(fs::is_empty(dir.path()));
}

}  // namespace
