#include "xml_parser.h"

#include "dravik/comm_status.h"
#include "file_replace.h"
#include "report_text.h"
#include "utf16_text.h"

namespace dravik {

CXMLParser::CXMLParser() {
    Append("<?xml version=\"1.0\" encoding=\"UTF-16\"?>\r");
    Append("<?xml-stylesheet type=\"text/xsl\" href=\"Report.xsl\"?>\r");
    Append("<XML>\r<HEADER>\r");
}

void CXMLParser::Append(std::string_view ascii) {
    for (const char c : ascii) text_ += static_cast<char16_t>(c);
}

void CXMLParser::HeaderFirst() {
    if (state_ == HeaderOpen) CloseHeader();
}

void CXMLParser::Title(std::string_view utf8, std::string_view timeStamp) {
    if (state_ != HeaderOpen) return;
    const std::u16string title = EscapeXmlText(sensorTextToUtf16(utf8));
    Append("<TITLE>");
    text_ += title;
    text_ += EscapeXmlText(sensorTextToUtf16(timeStamp));
    Append("</TITLE>\r");
    CloseHeader();
    Append("<H1>");
    text_ += title;
    Append("</H1>\r<HR>\r");
}

void CXMLParser::CloseHeader() {
    if (state_ != HeaderOpen) return;
    Append("\r</HEADER>\r<BODY>");
    state_ = BodyOpen;
}

void CXMLParser::EndDocument() {
    HeaderFirst();
    if (state_ != BodyOpen) return;
    Append("</HR></BODY></XML>");
    state_ = Closed;
}

void CXMLParser::OpenTag(std::string_view name) {
    HeaderFirst();
    Append("<");
    Append(name);
    Append(">");
}

void CXMLParser::CloseTag(std::string_view name) {
    HeaderFirst();
    Append("</");
    Append(name);
    Append(">\r");
}

void CXMLParser::Text(std::string_view text) {
    HeaderFirst();
    text_ += EscapeXmlText(sensorTextToUtf16(text));
}

void CXMLParser::Element(std::string_view name, std::string_view text) {
    OpenTag(name);
    Text(text);
    CloseTag(name);
}

void CXMLParser::NumberElement(int value, std::string_view name, int width) {
    std::string digits = std::to_string(value < 0 ? -static_cast<long long>(value) : value);
    if (width > 0 && digits.size() + (value < 0 ? 1 : 0) < static_cast<std::size_t>(width))
        digits.insert(0, static_cast<std::size_t>(width) - digits.size() - (value < 0 ? 1 : 0), '0');
    Element(name, (value < 0 ? "-" : "") + digits);
}

int CXMLParser::Save(const std::string& path, bool byteOrderMark) {
    EndDocument();
    std::string bytes = byteOrderMark ? std::string("\xFF\xFE") : std::string();
    appendUtf16Le(bytes, text_);
    return replaceFile(path, bytes) ? COMM_OK : COMM_REPORT_NOT_WRITTEN;
}

}  // namespace dravik
