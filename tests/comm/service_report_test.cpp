// The service report over a scripted sensor: the document, its pictures and
// style sheets, the page a browser makes of them, and what failures leave.
#include <gtest/gtest.h>
#include <libxml/parser.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "dravik/comm_status.h"
#include "fake_result_reader.h"
#include "file_helpers.h"
#include "file_size_limit.h"
#include "library_state.h"
#include "rendered_page.h"
#include "report_files.h"
#include "report_values.h"
#include "service_report.h"
#include "temp_dir.h"
#include "utf16_text.h"

namespace {

namespace fs = std::filesystem;
using vt::test::FakeCode;
using vt::test::FakeConfig;
using vt::test::FakeResultReader;

using vt::test::readFile;
using vt::test::utf16LeText;

// A sensor whose names carry markup and control characters, three
// configurations (two in group A, the second active) and two stored results.
FakeResultReader reportSensor() {
    FakeResultReader reader;
    ParameterList& g = reader.globals;
    g[0].stringValue = "Line 3 & <Cell>\x01";
    g[1].stringValue = "Hall \"B\" ]]>";
    g[2].intValue = 3105;
    g[3].stringValue = "K7M-2D";
    g[5].intValue = 0;
    g[6].stringValue = "127.0.0.9";
    g[7].stringValue = "255.0.0.0";
    g[8].stringValue = "127.0.0.1";
    g[14].intValue = 0;
    g[18].intValue = 2000;
    g[31].intValue = 1;
    reader.total = 9;
    reader.good = 6;
    reader.configs = {FakeConfig{0, "Alpha", 0, 1, false}, FakeConfig{1, "Beta & <B>", 0, 0, true},
                      FakeConfig{4, "Gamma", -1, 0, false}};
    ParameterList& c = reader.activeConfig;
    c[3].intValue = 1;
    c[4].intValue = 0b1010;
    c[5].intValue = 104;
    c[9].intValue = 1;
    c[11].intValue = 10, c[12].intValue = 470, c[13].intValue = 630, c[14].intValue = 5;
    c[18].intValue = 2;
    c[24].stringValue = "<STX>";
    c[29].intValue = 2;
    c[43].intValue = 1;
    c[44].intValue = 1, c[45].intValue = 3, c[46].intValue = 500;
    c[51].intValue = 2;
    reader.addStored(7, {FakeCode{"Beta & <B>", true, 2, 2, 12, "AB<1>&\x01"},
                         FakeCode{"Beta & <B>", false, 0, 2, 30, "second"}});
    reader.addStored(12, {FakeCode{"Gamma", true, 1, 1, 4, "twelve", 37}});
    return reader;
}

using vt::test::RenderedPage;
using Texts = std::vector<std::string>;

TEST(ServiceReport, BrowserPageShowsSettingsStatisticsGroupAndResults) {
    vt::test::TempDir dir;
    FakeResultReader reader = reportSensor();
    ASSERT_EQ(dravik::WriteServiceReport(reader, dir.path().string(), 0, false, nullptr), COMM_OK);
    EXPECT_EQ(reader.locks, 2);
    EXPECT_EQ(reader.unlocks, 2);

    const std::string xml = readFile(dir.path() / "Report.xml");
    ASSERT_GT(xml.size(), 2u);
    EXPECT_NE(xml.substr(0, 2), "\xFF\xFE");  // no byte-order mark through the narrow path
    // libxml2 takes it as well-formed, markup and control characters included.
    xmlDocPtr doc =
        xmlReadFile((dir.path() / "Report.xml").c_str(), nullptr, XML_PARSE_NONET | XML_PARSE_NOERROR);
    ASSERT_NE(doc, nullptr);
    xmlFreeDoc(doc);
    const std::u16string end = u"</HR></BODY></XML>";
    const std::u16string text = utf16LeText(xml);
    EXPECT_EQ(text.substr(text.size() - end.size()), end);

    for (const char* file : {"Report.xsl", "Report.css", "language.xsl"})
        EXPECT_TRUE(fs::is_regular_file(dir.path() / file)) << file;

    const RenderedPage page(dir.path());
    ASSERT_TRUE(page.ok());
    // Single values, by the section that shows them and the element they stand for.
    struct Cell {
        const char* section;
        const char* element;
        const char* shown;
    };
    const Cell cells[] = {
        {"SensorConfiguration", "SensorName", "Line 3 & <Cell>\\x01"},
        {"SensorConfiguration", "SensorLocation", "Hall \"B\" ]]>"},
        {"SensorConfiguration", "SensorFwVersion", "3105"},
        {"SensorConfiguration", "ProcessInterface", "TCP/IP"},
        {"SensorConfiguration", "SensorGatewayIP", "127.0.0.1"},
        {"ActiveGroup", "TriggerMaster", "(01) Alpha"},
        {"ActiveGroup", "ActiveConfiguration", "(02) Beta & <B>"},
        {"Result-7", "OverallResult", "Passed"},
        {"Result-7", "Group", "Group A2"},
        {"Result-7", "CodeType", "Data Matrix ECC 200"},
        {"Result-7", "TotalTime", "17 ms"},
        {"Result-12", "CodeType", "INVALID CODE TYPE"},
        {"Result-12", "Group", "None"},
        {"Configuration", "Configname", "(02) Beta & <B>"},
        {"Configuration", "Group", "A2"},
        {"Configuration", "TriggerMaster", "No"},
        {"Configuration", "Illumination", "On Off On Off "},
        {"Configuration", "ExposureTime", "100 us"},
        {"Configuration", "ROI", "5, 630, 10, 470"},
        {"Configuration", "Mode", "Pattern match"},
        {"Configuration", "StartString", "<STX>"},
        {"Configuration", "TriggerSource", "Trigger Input (Negative Edge)"},
        {"Configuration", "Trials", "3"},
        {"Configuration", "TimeLimit", "500"},
        {"Configuration", "CompositeComponent", "Mandatory"},
    };
    for (const Cell& cell : cells) {
        EXPECT_EQ(
            page.text(std::string("//div[@id='") + cell.section + "']//td[@class='" + cell.element + "']"),
            cell.shown)
            << cell.section << " " << cell.element;
    }
    // Labels come from the language sheet.
    EXPECT_EQ(page.text("//div[@id='SensorConfiguration']//tr[td/@class='SensorName']/th"), "Sensor name");
    EXPECT_EQ(page.texts("//div[@id='Statistics']//td"), (Texts{"9", "6", "66.67 %", "3", "33.33 %"}));
    EXPECT_EQ(page.texts("//div[@id='ActiveGroup']//li"), (Texts{"(01) Alpha", "(02) Beta & <B>"}));

    const std::string seven = "//div[@id='Result-7']";
    EXPECT_EQ(page.texts(seven + "//td[@class='CodeContents']"), (Texts{"AB<1>&\\x01", "second"}));
    EXPECT_EQ(page.texts(seven + "//td[@class='Result']"), (Texts{"Pass", "Fail"}));
    EXPECT_EQ(page.texts("(" + seven + "//table[caption='Quality grades'])[1]//td"),
              (Texts{"A", "B", "C", "D", "F", "F", "A", "B", "C"}));
    EXPECT_EQ(
        page.text("(" + seven + "//table[caption='Quality output'])[1]//td[@class='AppendCodeQuality']"),
        "A-F");
    EXPECT_EQ(page.texts(seven + "//table[caption='Code as found']//td[@class='Rows']"), (Texts{"16", "17"}));
    const Texts pictures = page.texts(seven + "//img/@src");
    ASSERT_EQ(pictures.size(), 1u);
    EXPECT_EQ(pictures[0].substr(0, 4), "./7_");
    EXPECT_TRUE(fs::is_regular_file(dir.path() / pictures[0])) << pictures[0];
    EXPECT_EQ(readFile(dir.path() / pictures[0]).size(), reader.pictureBytes);
    EXPECT_EQ(page.texts("//div[@id='Result-12']//table[caption='Quality grades']//td"), Texts{});

    EXPECT_EQ(page.texts("//div[@id='AllConfigurations']//h3"),
              (Texts{"(01) Alpha", "(02) Beta & <B>", "(05) Gamma"}));
    EXPECT_EQ(page.texts("//div[@id='AllConfigurations']//td[@class='ExposureTime']"),
              (Texts{"100 us", "200 us", "500 us"}));
}

// The report with its time stamps blanked: the title's and the pictures'.
std::string withoutTimes(std::string text) {
    const std::u16string marks[] = {u" Generated on ", u".bmp"};
    std::u16string wide = utf16LeText(text);
    for (std::size_t at = 0; (at = wide.find(marks[0], at)) != std::u16string::npos; at += marks[0].size())
        wide.replace(at + marks[0].size(), 22, 22, u'#');
    for (std::size_t at = 0; (at = wide.find(marks[1], at)) != std::u16string::npos; at += marks[1].size())
        if (at >= 9) wide.replace(at - 9, 9, 9, u'#');
    return dravik::utf16ToUtf8(wide);
}

TEST(ServiceReport, TwoReportsDifferOnlyInTheirTime) {
    vt::test::TempDir dir;
    FakeResultReader reader = reportSensor();
    fs::create_directory(dir.path() / "a");
    fs::create_directory(dir.path() / "b");
    ASSERT_EQ(dravik::WriteServiceReport(reader, (dir.path() / "a").string(), 0, true, nullptr), COMM_OK);
    ASSERT_EQ(dravik::WriteServiceReport(reader, (dir.path() / "b").string(), 0, true, nullptr), COMM_OK);
    const std::string first = readFile(dir.path() / "a" / "Report.xml");
    EXPECT_EQ(first.substr(0, 2), "\xFF\xFE");
    EXPECT_EQ(withoutTimes(first), withoutTimes(readFile(dir.path() / "b" / "Report.xml")));
    EXPECT_EQ(reader.locks, 4);
    EXPECT_EQ(reader.unlocks, 4);
}

struct StatisticsCase {
    int total;
    int good;
    const char16_t* expected;
};

class ReportStatistics : public testing::TestWithParam<StatisticsCase> {};

TEST_P(ReportStatistics, PercentagesOfTheReadings) {
    FakeResultReader reader;
    reader.total = GetParam().total;
    reader.good = GetParam().good;
    dravik::CServiceReport report(reader, "/nonexistent", std::tm{}, nullptr);
    ASSERT_EQ(report.Generate(0), COMM_OK);
    EXPECT_NE(report.document().text().find(GetParam().expected), std::u16string::npos)
        << dravik::utf16ToUtf8(report.document().text());
}

INSTANTIATE_TEST_SUITE_P(
    Readings, ReportStatistics,
    testing::Values(
        // No readings yet: no percentage, and no division by zero.
        StatisticsCase{0, 0,
                       u"<GoodPercent>0.00 %</GoodPercent>\r<FailedReadings>0</FailedReadings>\r"
                       u"<FailedPercent>0.00 %</FailedPercent>"},
        StatisticsCase{3, 1,
                       u"<GoodPercent>33.33 %</GoodPercent>\r<FailedReadings>2</FailedReadings>\r"
                       u"<FailedPercent>66.67 %</FailedPercent>"},
        StatisticsCase{8, 8,
                       u"<GoodPercent>100.00 %</GoodPercent>\r<FailedReadings>0</FailedReadings>\r"
                       u"<FailedPercent>0.00 %</FailedPercent>"}));

TEST(ServiceReport, SensorFailuresStopTheReportOrMarkItIncomplete) {
    vt::test::TempDir dir;
    {
        // No reply ends the report: nothing is written.
        FakeResultReader reader = reportSensor();
        reader.failStatistics = COMM_NO_REPLY;
        EXPECT_EQ(dravik::WriteServiceReport(reader, dir.path().string(), 0, false, nullptr), COMM_NO_REPLY);
        EXPECT_TRUE(fs::is_empty(dir.path()));
    }
    {
        // A sensor status below -3999 is remembered; the rest is written.
        FakeResultReader reader = reportSensor();
        reader.failStatistics = -7003;
        EXPECT_EQ(dravik::WriteServiceReport(reader, dir.path().string(), 0, false, nullptr), -7003);
        EXPECT_TRUE(fs::is_regular_file(dir.path() / "Report.xml"));
        EXPECT_EQ(reader.locks, 2);
    }
    {
        // A result the sensor no longer holds is left out; the others stay.
        FakeResultReader reader = reportSensor();
        reader.failLockOf = 7;
        EXPECT_EQ(dravik::WriteServiceReport(reader, dir.path().string(), 0, false, nullptr),
                  COMM_REPORT_RESULTS_INCOMPLETE);
        EXPECT_EQ(reader.locks, reader.unlocks);
        const RenderedPage page(dir.path());
        EXPECT_EQ(page.texts("//div[@class='result']/@id"), Texts{"Result-12"});
    }
    {
        // A result whose reading fails after the lock still gives the lock back.
        FakeResultReader reader = reportSensor();
        reader.failGetResult = -39;
        EXPECT_EQ(dravik::WriteServiceReport(reader, dir.path().string(), 0, false, nullptr), -39);
        EXPECT_EQ(reader.locks, 1);
        EXPECT_EQ(reader.unlocks, 1);
    }
}

TEST(ServiceReport, UnwritableFolderKeepsTheOlderFiles) {
    vt::test::TempDir dir;
    FakeResultReader reader = reportSensor();
    const fs::path older = dir.write("Report.xml", "older report");
    {
        // The pictures fit, the report does not.
        vt::test::FileSizeLimit limit(4096);
        EXPECT_EQ(dravik::WriteServiceReport(reader, dir.path().string(), 0, false, nullptr),
                  COMM_REPORT_NOT_WRITTEN);
    }
    EXPECT_EQ(readFile(older), "older report");
    EXPECT_FALSE(fs::exists(dir.path() / "Report.xsl"));
    EXPECT_EQ(reader.locks, reader.unlocks);

    // A style sheet that cannot be written.
    fs::create_directory(dir.path() / "Report.css");
    EXPECT_EQ(dravik::WriteServiceReport(reader, dir.path().string(), 0, false, nullptr), COMM_FILE_ERROR);
}

class LanguageFolder : public testing::Test {
protected:
    void TearDown() override {
        dravik::LibraryState& state = dravik::libraryState();
        std::lock_guard lock(state.mutex);
        state.languageLibraryPath.clear();
        state.languageLibraryPathSet = false;
    }
    vt::test::TempDir dir;
};

TEST_F(LanguageFolder, RegistrationChecksTheFolder) {
    const auto code = [](const fs::path& path) {
        return dravik::DefineLanguageFolder(dravik::utf8ToUtf16(path.string()).c_str(), 1);
    };
    EXPECT_EQ(dravik::DefineLanguageFolder(nullptr, 0), COMM_INVALID_ARGUMENT);
    EXPECT_EQ(dravik::DefineLanguageFolder(std::u16string(512, u'a').c_str(), 0), COMM_INVALID_ARGUMENT);
    EXPECT_EQ(code(dir.path() / "missing"), COMM_FILE_ERROR);
    EXPECT_EQ(code(dir.write("file", "x")), COMM_BAD_LIBRARY_FILE);
    dir.write("nostrings/2000.xsl", "<x/>");
    EXPECT_EQ(code(dir.path() / "nostrings"), COMM_BAD_LIBRARY_FILE);
    dir.write("nosheet/strings.txt", "");
    EXPECT_EQ(code(dir.path() / "nosheet"), COMM_BAD_LIBRARY_FILE);
    EXPECT_FALSE(dravik::libraryState().languageLibraryPathSet);
    dir.write("lang/strings.txt", "");
    dir.write("lang/2000.xsl", "<x/>");
    EXPECT_EQ(code(dir.path() / "lang"), COMM_OK);
    EXPECT_EQ(dravik::LanguageSheetDir(), dir.path() / "lang");
}

TEST_F(LanguageFolder, EmptyLanguageSheetIsNotWritten) {
    dir.write("lang/strings.txt", "");
    dir.write("lang/2000.xsl", "");
    ASSERT_EQ(dravik::DefineLanguageFolder(dravik::utf8ToUtf16((dir.path() / "lang").string()).c_str(), 0),
              COMM_OK);
    fs::create_directory(dir.path() / "out");
    FakeResultReader reader = reportSensor();
    EXPECT_EQ(dravik::WriteServiceReport(reader, (dir.path() / "out").string(), 0, false, nullptr), COMM_OK);
    EXPECT_TRUE(fs::exists(dir.path() / "out" / "Report.xsl"));
    EXPECT_FALSE(fs::exists(dir.path() / "out" / "language.xsl"));
    // The page still renders, its labels being the element names.
    const RenderedPage page(dir.path() / "out");
    EXPECT_EQ(page.text("//div[@id='SensorConfiguration']//tr[td/@class='SensorName']/th"), "SensorName");
}

TEST(ReportValues, ExposureTimeGoesToTheNearestTableEntry) {
    const std::pair<int, int> cases[] = {{-5, 1},        {1, 1},         {5, 1},         {6, 10},
                                         {15, 10},       {16, 20},       {135, 120},     {136, 150},
                                         {13500, 12000}, {13501, 15000}, {15000, 15000}, {15001, 0}};
    for (const auto& [value, expected] : cases)
        EXPECT_EQ(dravik::RoundedExposureTime(value), expected) << value;
}

TEST(ReportValues, NamesOutsideTheirTables) {
    EXPECT_EQ(dravik::CodeTypeName(-1), "INVALID CODE TYPE");
    EXPECT_EQ(dravik::CodeTypeName(37), "INVALID CODE TYPE");
    EXPECT_EQ(dravik::CodeTypeName(36), "GS1 Aztec Code");
    EXPECT_EQ(dravik::FilterName(9), "None");
    EXPECT_EQ(dravik::GradeLetter(5), "F");
    EXPECT_EQ(dravik::ElementName("Quality<0>", "Parameter"), "Parameter");
    EXPECT_EQ(dravik::ElementName("xmlThing", "Parameter"), "Parameter");
}

}  // namespace
