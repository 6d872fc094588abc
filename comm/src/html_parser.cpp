#include "html_parser.h"

#include "dravik/comm_status.h"
#include "file_replace.h"
#include "report_text.h"
#include "utf16_text.h"

namespace dravik {

CHTMLParser::CHTMLParser() {
    Reset();
}

void CHTMLParser::Reset() {
    text_.clear();
    state_ = HeadOpen;
    Append("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\n<HTML>\n<HEAD>\n");
}

void CHTMLParser::Append(std::string_view ascii) {
    for (const char c : ascii) text_ += static_cast<char16_t>(c);
}

void CHTMLParser::BodyFirst() {
    if (state_ == HeadOpen) BeginBody();
}

void CHTMLParser::BeginBody() {
    if (state_ != HeadOpen) return;
    Append("<meta http-equiv = \"Content-Type\" content = \"text/html; charset=UTF-16\">");
    Append("<title>Varnis K7M Single Evaluation Report</title>");
    Append("\n</HEAD>\n<BODY>");
    state_ = BodyOpen;
}

void CHTMLParser::EndDocument() {
    BodyFirst();
    if (state_ != BodyOpen) return;
    Append("</BODY></HTML>");
    state_ = Closed;
}

void CHTMLParser::BeginTable(int border) {
    BodyFirst();
    Append("<TABLE BORDER=" + std::to_string(border) + ">\n");
    state_ = TableOpen;
}

void CHTMLParser::NewRow() {
    switch (state_) {
        case TableOpen:
            Append("<TR>");
            break;
        case RowOpen:
            Append("</TR>\n<TR>");
            break;
        case CellOpen:
            Append("</TD></TR>\n<TR>");
            break;
        default:
            return;
    }
    state_ = RowOpen;
}

void CHTMLParser::NewCell(int colspan) {
    switch (state_) {
        case TableOpen:
            Append("<TR><TD");
            break;
        case RowOpen:
            Append("<TD");
            break;
        case CellOpen:
            Append("</TD><TD align=\"right\"");
            break;
        default:
            return;
    }
    Append(colspan <= 0 ? std::string(">") : " colspan=\"" + std::to_string(colspan) + "\">");
    state_ = CellOpen;
}

void CHTMLParser::EndTable() {
    switch (state_) {
        case TableOpen:
            Append("\n</TABLE>\n");
            break;
        case RowOpen:
            Append("</TR>\n</TABLE>\n");
            break;
        case CellOpen:
            Append("</TD></TR>\n</TABLE>\n");
            break;
        default:
            return;
    }
    state_ = BodyOpen;
}

void CHTMLParser::Paragraph(std::u16string_view markup) {
    BodyFirst();
    Append("<p>");
    text_ += markup;
    Append("</p>\n");
}

void CHTMLParser::Image(std::u16string_view src, int width, int height) {
    BodyFirst();
    const std::u16string escaped = EscapeHtmlEntities(src);
    Append("<img src=\"");
    text_ += escaped;
    Append("\"");
    if (width >= 0 && height >= 0) {
        Append(" width=\"" + std::to_string(width) + "\" height=\"" + std::to_string(height) + "\" alt= \"");
        text_ += escaped;
        Append("\">");
    } else {
        Append(">");
    }
}

int CHTMLParser::Save(const std::string& path, bool byteOrderMark) {
    if (state_ != Closed) {
        // A table left open is closed, so the page stays well-formed.
        if (state_ >= TableOpen) EndTable();
        EndDocument();
    }
    std::string bytes = byteOrderMark ? std::string("\xFF\xFE") : std::string();
    appendUtf16Le(bytes, text_);
    Reset();
    return replaceFile(path, bytes) ? COMM_OK : COMM_FILE_ERROR;
}

}  // namespace dravik
