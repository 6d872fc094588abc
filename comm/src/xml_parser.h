// The document writer of the service report: an XML text in UTF-16 built
// one element at a time, every text escaped. One writer per report.
#pragma once

#include <string>
#include <string_view>

namespace dravik {

class CXMLParser {
public:
    enum State { HeaderOpen = 0, BodyOpen = 1, Closed = 2 };

    CXMLParser();

    // The time stamp follows the title; the header is closed after it.
    void Title(std::string_view utf8, std::string_view timeStamp);
    void CloseHeader();
    void EndDocument();
    void OpenTag(std::string_view name);
    void CloseTag(std::string_view name);
    // The sensor's text (UTF-8, other bytes as Latin-1), escaped.
    void Text(std::string_view text);
    void Element(std::string_view name, std::string_view text);
    // "%d", or zero-padded to `width` digits when width > 0.
    void NumberElement(int value, std::string_view name, int width = 0);

    // Ends the document unless closed and writes it, with the byte-order mark
    // only with `byteOrderMark`. COMM_OK or COMM_REPORT_NOT_WRITTEN (an older
    // file stays as it was).
    int Save(const std::string& path, bool byteOrderMark);

    const std::u16string& text() const { return text_; }

private:
    void Append(std::string_view ascii);
    void HeaderFirst();

    std::u16string text_;
    State state_ = HeaderOpen;
};

}  // namespace dravik
