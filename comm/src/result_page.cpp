#include "result_page.h"

#include <ctime>
#include <filesystem>

#include "dravik/comm_status.h"
#include "html_parser.h"
#include "report_text.h"
#include "results.h"
#include "utf16_text.h"

namespace dravik {

namespace {

std::u16string ascii(const std::string& text) {
    return utf8ToUtf16(text);
}

// A row of a label and a value, both paragraphs.
void row(CHTMLParser& page, std::u16string_view label, std::u16string_view value) {
    if (page.state() != CHTMLParser::TableOpen) page.NewRow();
    page.NewCell(0);
    page.Paragraph(label);
    page.NewCell(0);
    page.Paragraph(value);
}

// The result string as the page shows it: control bytes visible, "=XX"
// resolved, markup escaped.
std::u16string shownResultText(const std::string& raw) {
    return EscapeHtmlEntities(sensorTextToUtf16(ResolveHexEscapes(DisplayText(raw))));
}

int writePage(SensorReader& reader, const std::string& pagePath, bool byteOrderMark, int count,
              const std::string& pictureName, const std::string& savedOn) {
    CHTMLParser page;
    page.Paragraph(u"Varnis K7M Single Evaluation Report, Saved on:" +
                   EscapeHtmlEntities(sensorTextToUtf16(savedOn)));
    page.Image(RelativeFileLink(utf8ToUtf16(pictureName)), 384, 288);
    page.BeginTable(1);
    for (int i = 0; i < count; ++i) {
        ParameterList list;
        std::string raw;
        const int status = reader.GetResult(i, list, raw);
        if (status != COMM_OK) return status;
        ReadResult result;
        if (!CResults::Extract(list, result)) return COMM_FAILED;
        if (i == 0) {
            row(page, u"<b>Result ID</b>", ascii(std::to_string(result.resultId())));
            row(page, u"<b>Configuration</b>",
                EscapeHtmlEntities(sensorTextToUtf16(ConvertConfigLabel(textOf(result.configName)))));
            row(page, u"<b>Overall Result</b>", result.head[1] == 1 ? u"Pass" : u"Fail");
            row(page, u"<b>No: of Codes Found</b>", ascii(std::to_string(result.counts[1])));
            row(page, u"<b>No: of Codes Searched</b>", ascii(std::to_string(result.counts[2])));
        }
        page.NewRow();
        page.NewCell(0);
        page.Paragraph(u"<b>Result String </b>");
        page.Paragraph(ascii(std::to_string(i + 1)));
        page.NewCell(0);
        page.Paragraph(shownResultText(raw));
        row(page, u"<b>Decoding Time</b>", ascii(std::to_string(result.decodingTime) + " ms"));
    }
    page.EndTable();
    page.EndDocument();
    return page.Save(pagePath, byteOrderMark);
}

}  // namespace

std::string PageTimeText() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[81] = {};
    std::strftime(text, sizeof text, "%x %I:%M:%S %p", &local);
    return text;
}

int SaveResultPage(SensorReader& reader, const std::string& pagePath, bool byteOrderMark, int second,
                   int resultId, const std::string& savedOn) {
    int count = 0;
    const int locked = reader.LockResult(resultId, second, count);
    if (locked != COMM_OK) return locked;

    const std::filesystem::path page(pagePath);
    std::filesystem::path picture = page;
    picture.replace_extension();
    picture += std::to_string(resultId) + ".bmp";

    int status = reader.SaveDecodedImage(picture.string());
    if (status == COMM_OK)
        status = writePage(reader, pagePath, byteOrderMark, count, picture.filename().string(), savedOn);
    reader.UnlockResult();
    return status;
}

}  // namespace dravik
