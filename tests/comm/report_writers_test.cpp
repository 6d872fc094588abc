// The page writer, the report's document writer and the text conversions
// both rely on.
#include <gtest/gtest.h>
#include <libxml/parser.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "dravik/comm_status.h"
#include "file_helpers.h"
#include "file_size_limit.h"
#include "html_parser.h"
#include "report_text.h"
#include "temp_dir.h"
#include "utf16_text.h"
#include "xml_parser.h"

namespace {

using namespace dravik;

using vt::test::readFile;

std::string ascii(const std::u16string& text) {
    return utf16ToUtf8(text);
}

TEST(HtmlPageWriter, TablesRowsAndCells) {
    CHTMLParser page;
    page.BeginTable(1);
    page.NewCell(0);
    page.Paragraph(u"a");
    page.NewCell(2);
    page.NewRow();
    page.NewCell(0);
    page.EndTable();
    page.EndDocument();
    const std::string text = ascii(page.text());
    EXPECT_NE(
        text.find("</HEAD>\n<BODY><TABLE BORDER=1>\n<TR><TD><p>a</p>\n</TD><TD align=\"right\" colspan=\"2\">"
                  "</TD></TR>\n<TR><TD></TD></TR>\n</TABLE>\n</BODY></HTML>"),
        std::string::npos)
        << text;
    EXPECT_EQ(page.state(), CHTMLParser::Closed);
}

TEST(HtmlPageWriter, EmptyTableAndRowEndings) {
    CHTMLParser empty;
    empty.BeginTable(0);
    empty.EndTable();
    EXPECT_NE(ascii(empty.text()).find("<TABLE BORDER=0>\n\n</TABLE>\n"), std::string::npos);
    CHTMLParser row;
    row.BeginTable(1);
    row.NewRow();
    row.EndTable();
    EXPECT_NE(ascii(row.text()).find("<TR></TR>\n</TABLE>\n"), std::string::npos);
    // Outside a table rows and cells write nothing.
    CHTMLParser none;
    const std::u16string before = none.text();
    none.NewRow();
    none.NewCell(0);
    none.EndTable();
    EXPECT_EQ(none.text(), before);
}

TEST(HtmlPageWriter, PictureReferenceIsEncodedAndEscaped) {
    CHTMLParser page;
    page.Image(RelativeFileLink(u"50% \"a&b\" 100%%.bmp"), 384, 288);
    page.Image(u"x.bmp", -1, 0);
    EXPECT_NE(ascii(page.text())
                  .find("<img src=\"./50%25 &quot;a&amp;b&quot; 100%25%25.bmp\" width=\"384\" "
                        "height=\"288\" alt= \"./50%25 &quot;a&amp;b&quot; 100%25%25.bmp\">"
                        "<img src=\"x.bmp\">"),
              std::string::npos)
        << ascii(page.text());
}

TEST(HtmlPageWriter, SaveWritesUtf16AndStartsAfresh) {
    vt::test::TempDir dir;
    CHTMLParser page;
    page.Paragraph(u"\u00E4");
    ASSERT_EQ(page.Save((dir.path() / "w.html").string(), true), COMM_OK);
    page.Paragraph(u"n");
    ASSERT_EQ(page.Save((dir.path() / "n.html").string(), false), COMM_OK);
    const std::string wide = readFile(dir.path() / "w.html");
    const std::string narrow = readFile(dir.path() / "n.html");
    ASSERT_GE(wide.size(), 4u);
    EXPECT_EQ(wide.substr(0, 4), std::string("\xFF\xFE<\0", 4));
    EXPECT_EQ(narrow.substr(0, 2), std::string("<\0", 2));
    // The second page has nothing of the first.
    EXPECT_EQ(narrow.find(std::string("\xE4\0", 2)), std::string::npos);
    EXPECT_NE(wide.find(std::string("\xE4\0", 2)), std::string::npos);
    EXPECT_EQ(wide.substr(wide.size() - 28), std::string("<\0/\0B\0O\0D\0Y\0>\0<\0/\0H\0T\0M\0L\0>\0", 28));

    // A page that cannot be written is an error, leaves the older file and
    // no markup in the writer.
    dir.write("old.html", "older");
    page.Paragraph(std::u16string(4000, u'x'));
    {
        vt::test::FileSizeLimit limit(64);
        EXPECT_EQ(page.Save((dir.path() / "old.html").string(), false), COMM_FILE_ERROR);
    }
    EXPECT_EQ(readFile(dir.path() / "old.html"), "older");
    EXPECT_EQ(page.text(), CHTMLParser().text());
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 3);
}

bool wellFormed(const std::string& bytes) {
    xmlDocPtr doc = xmlReadMemory(bytes.data(), static_cast<int>(bytes.size()), "Report.xml", nullptr,
                                  XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
    const bool ok = doc != nullptr;
    xmlFreeDoc(doc);
    return ok;
}

TEST(XmlReportWriter, HostileTextsStayWellFormed) {
    vt::test::TempDir dir;
    for (const bool bom : {true, false}) {
        CXMLParser doc;
        doc.Title("Varnis K7M Service Report", " Generated on 2026-01-01 at 10:00:00");
        doc.OpenTag("SensorConfiguration");
        doc.Element("SensorName", "A&B <C> \x01\x1f\r\n\t]]> \xE4 \xEF\xBF\xBE");
        doc.NumberElement(7, "Width", 3);
        doc.NumberElement(-7, "Negative", 3);
        doc.CloseTag("SensorConfiguration");
        const auto path = dir.path() / (bom ? "wide.xml" : "narrow.xml");
        ASSERT_EQ(doc.Save(path.string(), bom), COMM_OK);
        const std::string bytes = readFile(path);
        EXPECT_EQ(bytes.substr(0, 2) == "\xFF\xFE", bom);
        EXPECT_TRUE(wellFormed(bytes));
        const std::string text =
            utf16ToUtf8(std::u16string(reinterpret_cast<const char16_t*>(bytes.data() + (bom ? 2 : 0)),
                                       (bytes.size() - (bom ? 2 : 0)) / 2));
        EXPECT_NE(
            text.find(
                "<SensorName>A&amp;B &lt;C&gt; \\x01\\x1F\\x0D\\x0A\\x09]]&gt; \u00E4 \uFFFD</SensorName>"),
            std::string::npos)
            << text;
        EXPECT_NE(text.find("<Width>007</Width>\r<Negative>-07</Negative>"), std::string::npos);
        EXPECT_EQ(text.substr(text.size() - 18), "</HR></BODY></XML>");
    }
}

TEST(XmlReportWriter, FailedSaveIsReportedAndKeepsTheOlderFile) {
    vt::test::TempDir dir;
    const auto path = dir.write("Report.xml", "older");
    CXMLParser doc;
    doc.Element("Big", std::string(4000, 'x'));
    {
        vt::test::FileSizeLimit limit(64);
        EXPECT_EQ(doc.Save(path.string(), true), COMM_REPORT_NOT_WRITTEN);
    }
    EXPECT_EQ(readFile(path), "older");
    EXPECT_EQ(doc.Save((dir.path() / "missing" / "Report.xml").string(), true), COMM_REPORT_NOT_WRITTEN);
}

struct Conversion {
    const char* name;
    std::string in;
    std::string out;
};

class RecordTextConversion : public ::testing::TestWithParam<Conversion> {};

TEST_P(RecordTextConversion, Converts) {
    EXPECT_EQ(ConvertRecordText(GetParam().in), GetParam().out);
}

// Framed names: base64 (letters, digits, "+", "#", fill "_") of 0x02 name 0x03.
INSTANTIATE_TEST_SUITE_P(Texts, RecordTextConversion,
                         ::testing::Values(Conversion{"Plain", "Config 1", "Config 1"},
                                           Conversion{"FramedName", "AkFCQwM_", "ABC"},
                                           Conversion{"FrameWithoutEnd", "AkFCQw__", "AkFCQw__"},
                                           Conversion{"TooShortToBeFramed", "AgM_", "AgM_"},
                                           Conversion{"HexEscapes", "a=3Db=3d=4", "a=b==4"},
                                           Conversion{"ApplicationIdentifiers", "(01) 0123(17) 2601",
                                                      "01232601"},
                                           Conversion{"IdentifierBeforeFramedName", "(01) AkFCQwM_", "ABC"},
                                           Conversion{"ThreeDigitsStay", "(011) x", "(011) x"}),
                         [](const auto& info) { return std::string(info.param.name); });

// A result's configuration label: its number kept, the stored name shown.
TEST(RecordTexts, ConfigurationLabelsKeepTheirNumberAndShowTheName) {
    struct Case {
        std::string label, shown, name;
    };
    const Case cases[] = {
        {"1)AkxpbmUgQQM_", "1) Line A", "AkxpbmUgQQM_"},
        {"12) Plain=3D", "12) Plain=", "Plain=3D"},
        {"Beta & <B>", "Beta & <B>", "Beta & <B>"},
        {")AkFCQwM_", ")AkFCQwM_", ")AkFCQwM_"},
        {"7)", "7) ", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ConvertConfigLabel(c.label), c.shown) << c.label;
        EXPECT_EQ(ConfigLabelName(c.label), c.name) << c.label;
    }
}

TEST(RecordTexts, DisplayAndEscapes) {
    EXPECT_EQ(DisplayText(std::string("a\x00\x0f\x1f~b", 6)), "a\\x00\\x0F\\x1F\\x7Eb");
    EXPECT_EQ(EscapeHtmlEntities(u"<&>\"\u00E4\u00E5\u00A3"), u"&lt;&amp;&gt;&quot;&#228;\u00E5&#163;");
    EXPECT_EQ(sensorTextToUtf16("\xC3\xA4 \xE4"), u"\u00E4 \u00E4");
}

}  // namespace
